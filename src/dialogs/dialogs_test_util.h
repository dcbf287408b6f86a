// Helpers of the dialog tests: an open configuration in memory, its records
// as bytes (to prove that Cancel or a failed check wrote nothing), a reopen
// that shows what the file holds, and a small workform catalog.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "config/cfg_file.h"
#include "config/database.h"
#include "store/file_system.h"
#include "workforms/workform_catalog.h"
#include "workforms/workform_test_util.h"

namespace recaster::dialogs::testing {

using Records = std::map<std::pair<uint32_t, uint32_t>, std::vector<uint8_t>>;

class TestConfig {
  public:
    TestConfig() {
        root.Create(kPath);
        root.Open(kPath);
    }

    // Every record of the store, by tag and id.
    Records Snapshot() {
        Records out;
        root.store().Scan([&](const store::Key& key, std::span<const uint8_t> value) {
            out[{key.tag, key.id}] = std::vector<uint8_t>(value.begin(), value.end());
            return true;
        });
        return out;
    }

    // Commits, closes and opens the file again.
    void Reopen() {
        root.Commit();
        root.Close();
        root.Open(kPath);
    }

    config::CCfgDatabase* AddDatabase(const std::string& name, uint16_t workform = 0) {
        auto db = std::make_unique<config::CCfgDatabase>();
        db->name = name;
        db->workform = workform;
        config::CCfgDatabase* raw = db.get();
        root.GetDBList()->Add(std::move(db));
        return raw;
    }
    config::CCfgDatabase* Database(int position) { return root.GetDBList()->Database(position); }

    static constexpr const char* kPath = "/dialogs.cfg";
    store::MemFileSystem fs;
    config::CCfgFile root{fs};
};

// Workforms A "Journal Article", C "Medline" and D "book" (ids 0, 2, 3):
// catalog order differs from name order, and one name is in small letters.
inline void FillCatalog(workforms::WorkformCatalog& catalog) {
    catalog.Add(workforms::testing::MakeForm(0, "Journal Article"));
    catalog.Add(workforms::testing::MakeForm(2, "Medline"));
    catalog.Add(workforms::testing::MakeForm(3, "book"));
}

}  // namespace recaster::dialogs::testing
