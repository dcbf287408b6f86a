// SQLite as the peer engine, in two layouts: a WITHOUT ROWID table keyed by
// (tag, id), or a rowid table keyed by (tag << 32) | id. Both use 2048-byte
// pages, a 50-page cache and a rollback journal synced on every commit, the
// same durability and memory budget as our store.
#include <sqlite3.h>

#include <filesystem>
#include <stdexcept>

#include "engine.h"

namespace recaster::bench {
namespace {

class Statement {
  public:
    Statement() = default;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;
    ~Statement() { sqlite3_finalize(stmt_); }

    void Prepare(sqlite3* db, const char* sql) {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
        if (sqlite3_prepare_v2(db, sql, -1, &stmt_, nullptr) != SQLITE_OK)
            throw std::runtime_error(std::string("sqlite prepare: ") + sqlite3_errmsg(db));
    }
    void Finalize() {
        sqlite3_finalize(stmt_);
        stmt_ = nullptr;
    }
    sqlite3_stmt* get() const { return stmt_; }

  private:
    sqlite3_stmt* stmt_ = nullptr;
};

class SqliteEngine : public Engine {
  public:
    explicit SqliteEngine(bool rowid) : rowid_(rowid) {}
    ~SqliteEngine() override { Finish(); }

    void Create(const std::string& dir) override {
        path_ = dir + "/bench.sqlite";
        if (sqlite3_open(path_.c_str(), &db_) != SQLITE_OK) Fail("open");
        // page_size only takes effect before the first table exists.
        Exec("PRAGMA page_size=2048");
        Exec("PRAGMA cache_size=50");
        Exec("PRAGMA journal_mode=DELETE");
        Exec("PRAGMA synchronous=FULL");
        Exec(rowid_ ? "CREATE TABLE r(k INTEGER PRIMARY KEY, v BLOB)"
                    : "CREATE TABLE r(tag INTEGER, id INTEGER, v BLOB, PRIMARY KEY(tag,id)) "
                      "WITHOUT ROWID");
        if (rowid_) {
            insert_.Prepare(db_, "INSERT INTO r(k, v) VALUES(?1, ?2)");
            update_.Prepare(db_, "UPDATE r SET v = ?2 WHERE k = ?1");
            delete_.Prepare(db_, "DELETE FROM r WHERE k = ?1");
            read_.Prepare(db_, "SELECT v FROM r WHERE k = ?1");
            scan_.Prepare(db_, "SELECT k, v FROM r ORDER BY k");
        } else {
            insert_.Prepare(db_, "INSERT INTO r(tag, id, v) VALUES(?1, ?2, ?3)");
            update_.Prepare(db_, "UPDATE r SET v = ?3 WHERE tag = ?1 AND id = ?2");
            delete_.Prepare(db_, "DELETE FROM r WHERE tag = ?1 AND id = ?2");
            read_.Prepare(db_, "SELECT v FROM r WHERE tag = ?1 AND id = ?2");
            scan_.Prepare(db_, "SELECT tag, id, v FROM r ORDER BY tag, id");
        }
        begin_.Prepare(db_, "BEGIN");
        commit_.Prepare(db_, "COMMIT");
    }

    void BeginWrite() override { Step(begin_, SQLITE_DONE); }
    void Commit() override { Step(commit_, SQLITE_DONE); }
    void BeginRead() override { Step(begin_, SQLITE_DONE); }
    void EndRead() override { Step(commit_, SQLITE_DONE); }

    void Insert(const RecordKey& key, std::span<const uint8_t> value) override {
        BindValue(insert_, key, value);
        Step(insert_, SQLITE_DONE);
    }
    void Update(const RecordKey& key, std::span<const uint8_t> value) override {
        BindValue(update_, key, value);
        Step(update_, SQLITE_DONE);
        if (sqlite3_changes(db_) != 1) throw std::runtime_error("sqlite update: no such record");
    }
    void Delete(const RecordKey& key) override {
        BindKey(delete_, key);
        Step(delete_, SQLITE_DONE);
        if (sqlite3_changes(db_) != 1) throw std::runtime_error("sqlite delete: no such record");
    }
    bool Read(const RecordKey& key, std::vector<uint8_t>& into) override {
        BindKey(read_, key);
        sqlite3_stmt* s = read_.get();
        int rc = sqlite3_step(s);
        if (rc == SQLITE_DONE) {
            sqlite3_reset(s);
            return false;
        }
        if (rc != SQLITE_ROW) Fail("read");
        auto* p = static_cast<const uint8_t*>(sqlite3_column_blob(s, 0));
        into.assign(p, p + sqlite3_column_bytes(s, 0));
        sqlite3_reset(s);
        return true;
    }
    void Scan(const Visit& visit) override {
        sqlite3_stmt* s = scan_.get();
        int valueColumn = rowid_ ? 1 : 2;
        int rc;
        while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
            RecordKey key;
            if (rowid_) {
                auto k = static_cast<uint64_t>(sqlite3_column_int64(s, 0));
                key = {static_cast<uint32_t>(k >> 32), static_cast<uint32_t>(k)};
            } else {
                key = {static_cast<uint32_t>(sqlite3_column_int64(s, 0)),
                       static_cast<uint32_t>(sqlite3_column_int64(s, 1))};
            }
            auto* p = static_cast<const uint8_t*>(sqlite3_column_blob(s, valueColumn));
            std::span<const uint8_t> value(
                p, static_cast<size_t>(sqlite3_column_bytes(s, valueColumn)));
            if (!visit(key, value)) break;
        }
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) Fail("scan");
        sqlite3_reset(s);
    }

    uint64_t CloseAndMeasure() override {
        Finish();
        return std::filesystem::file_size(path_);
    }

  private:
    [[noreturn]] void Fail(const char* what) {
        throw std::runtime_error(std::string("sqlite ") + what + ": " +
                                 (db_ ? sqlite3_errmsg(db_) : "out of memory"));
    }
    void Exec(const char* sql) {
        if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK) Fail(sql);
    }
    void Step(Statement& st, int expected) {
        int rc = sqlite3_step(st.get());
        sqlite3_reset(st.get());
        if (rc != expected) Fail(sqlite3_sql(st.get()));
    }
    void BindKey(Statement& st, const RecordKey& key) {
        sqlite3_stmt* s = st.get();
        if (rowid_) {
            sqlite3_bind_int64(s, 1, static_cast<sqlite3_int64>(uint64_t{key.tag} << 32 | key.id));
        } else {
            sqlite3_bind_int64(s, 1, key.tag);
            sqlite3_bind_int64(s, 2, key.id);
        }
    }
    void BindValue(Statement& st, const RecordKey& key, std::span<const uint8_t> value) {
        BindKey(st, key);
        // SQLITE_STATIC: the caller keeps the bytes alive until the step is done.
        sqlite3_bind_blob(st.get(), rowid_ ? 2 : 3, value.data(), static_cast<int>(value.size()),
                          SQLITE_STATIC);
    }
    void Finish() {
        for (Statement* st : {&insert_, &update_, &delete_, &read_, &scan_, &begin_, &commit_})
            st->Finalize();
        if (db_) sqlite3_close(db_);
        db_ = nullptr;
    }

    bool rowid_;
    std::string path_;
    sqlite3* db_ = nullptr;
    Statement insert_, update_, delete_, read_, scan_, begin_, commit_;
};

}  // namespace

std::unique_ptr<Engine> MakeSqliteEngine(bool rowidLayout) {
    return std::make_unique<SqliteEngine>(rowidLayout);
}

}  // namespace recaster::bench
