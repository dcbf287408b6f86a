// The one interface the workloads drive: a keyed record store with explicit
// transactions. Each engine (our store, SQLite in two layouts) implements it.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace recaster::bench {

struct RecordKey {
    uint32_t tag = 0;
    uint32_t id = 0;
};

// Called for every record of a scan, in key order; return false to stop.
using Visit = std::function<bool(const RecordKey&, std::span<const uint8_t>)>;

class Engine {
  public:
    virtual ~Engine() = default;

    // Creates an empty database in the directory `dir`.
    virtual void Create(const std::string& dir) = 0;

    // Write transactions end durably in Commit (fsync of file and journal).
    virtual void BeginWrite() = 0;
    virtual void Commit() = 0;
    // Read transactions change nothing.
    virtual void BeginRead() = 0;
    virtual void EndRead() = 0;

    // Each throws std::runtime_error when the engine fails or the record is
    // missing (Update, Delete) or already present (Insert).
    virtual void Insert(const RecordKey& key, std::span<const uint8_t> value) = 0;
    virtual void Update(const RecordKey& key, std::span<const uint8_t> value) = 0;
    virtual void Delete(const RecordKey& key) = 0;
    // False when absent.
    virtual bool Read(const RecordKey& key, std::vector<uint8_t>& into) = 0;
    virtual void Scan(const Visit& visit) = 0;

    // Closes the database and returns the size of its file.
    virtual uint64_t CloseAndMeasure() = 0;
};

// "store", "sqlite" or "sqlite-rowid"; null for any other name.
std::unique_ptr<Engine> MakeEngine(const std::string& name);
std::unique_ptr<Engine> MakeStoreEngine();
std::unique_ptr<Engine> MakeSqliteEngine(bool rowidLayout);

}  // namespace recaster::bench
