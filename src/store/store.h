// The keyed page store: one file of keyed records (key = type tag + id) in a
// B+-tree of 2048-byte pages. The owner supplies the key order and the steps
// that fill a new store and load an opened one; the store knows nothing of
// what the records mean.
//
// Lifecycle: closed -> Create or Open -> open -> Commit* / SaveAs* -> Close.
// Changes live in page buffers until Commit; Close (or destruction) without
// Commit leaves the file exactly as at its last commit.
#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

#include "store/btree.h"
#include "store/file_system.h"
#include "store/key.h"
#include "store/pager.h"

namespace recaster::store {

class Store {
  public:
    explicit Store(const KeyOrder& order = DefaultKeyOrder(), FileSystem& fs = PosixFileSystem());
    ~Store();
    Store(const Store&) = delete;
    Store& operator=(const Store&) = delete;

    using Step = std::function<void(Store&)>;

    // Makes a new store file at `path` (replacing an existing file only once it
    // is complete): empty header, then `fill` adds the initial records, then it
    // is committed and closed. Open it afterwards to use it.
    void Create(const std::string& path, const Step& fill = {});
    // Opens and checks the file, then runs `load`. When `load` throws, the
    // store is closed again and the exception passes on.
    void Open(const std::string& path, OpenMode mode, const Step& load = {});
    void Commit() { pager_.Commit(); }
    void SaveAs(const std::string& newPath) { pager_.SaveAs(newPath); }
    void Close() { pager_.Close(); }

    bool IsOpen() const { return pager_.IsOpen(); }
    bool Writable() const { return pager_.Writable(); }
    const std::string& path() const { return pager_.path(); }
    uint32_t RecordCount() const { return pager_.header().tree.recordCount; }

    uint32_t NewId(uint32_t tag) { return tree_.NewId(tag); }
    // A change that fails after it began to change pages (an I/O error, a damaged
    // page found half way) leaves the store unable to commit until Close: see
    // Pager::MarkUnfinished.
    bool Insert(const Key& key, std::span<const uint8_t> value) {
        return Changing([&] { return tree_.Insert(key, value); });
    }
    bool Read(const Key& key, std::vector<uint8_t>& into) { return tree_.Read(key, into); }
    void Update(const Key& key, std::span<const uint8_t> value) {
        Changing([&] { tree_.Update(key, value); });
    }
    bool Delete(const Key& key) {
        return Changing([&] { return tree_.Delete(key); });
    }
    void Scan(const std::function<bool(const Key&, std::span<const uint8_t>)>& visit) {
        tree_.Scan(visit);
    }

    const KeyOrder& order() const { return order_; }
    Pager& pager() { return pager_; }

  private:
    template <typename F>
    auto Changing(F&& change) -> decltype(change()) {
        const uint64_t before = pager_.Changes();
        try {
            return change();
        } catch (...) {
            if (pager_.Changes() != before) pager_.MarkUnfinished();
            throw;
        }
    }

    const KeyOrder& order_;
    Pager pager_;
    BTree tree_;
};

}  // namespace recaster::store
