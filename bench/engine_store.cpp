// Our keyed page store behind the benchmark's engine interface. A store has
// no explicit begin: changes collect in page buffers until Commit, which syncs
// the file and its journal.
#include <filesystem>
#include <stdexcept>

#include "engine.h"
#include "store/store.h"

namespace recaster::bench {
namespace {

class StoreEngine : public Engine {
  public:
    void Create(const std::string& dir) override {
        path_ = dir + "/bench.cfg";
        store_.Create(path_);
        store_.Open(path_, store::OpenMode::ReadWrite);
    }

    void BeginWrite() override {}
    void Commit() override { store_.Commit(); }
    void BeginRead() override {}
    void EndRead() override {}

    void Insert(const RecordKey& key, std::span<const uint8_t> value) override {
        if (!store_.Insert(ToKey(key), value)) throw std::runtime_error("store insert: key exists");
    }
    void Update(const RecordKey& key, std::span<const uint8_t> value) override {
        store_.Update(ToKey(key), value);
    }
    void Delete(const RecordKey& key) override {
        if (!store_.Delete(ToKey(key))) throw std::runtime_error("store delete: no such record");
    }
    bool Read(const RecordKey& key, std::vector<uint8_t>& into) override {
        return store_.Read(ToKey(key), into);
    }
    void Scan(const Visit& visit) override {
        store_.Scan([&](const store::Key& k, std::span<const uint8_t> value) {
            return visit(RecordKey{k.tag, k.id}, value);
        });
    }

    uint64_t CloseAndMeasure() override {
        store_.Close();
        return std::filesystem::file_size(path_);
    }

  private:
    static store::Key ToKey(const RecordKey& k) { return store::Key{k.tag, k.id}; }

    std::string path_;
    store::Store store_;
};

}  // namespace

std::unique_ptr<Engine> MakeStoreEngine() {
    return std::make_unique<StoreEngine>();
}

}  // namespace recaster::bench
