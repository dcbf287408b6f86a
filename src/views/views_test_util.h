// Helpers of the views tests: a document over an in-memory configuration
// file, a small workform catalog and list builders.
#pragma once

#include <memory>
#include <string>

#include "config/cfg_file.h"
#include "config/lists.h"
#include "store/file_system.h"
#include "views/view_document.h"
#include "workforms/workform_catalog.h"
#include "workforms/workform_test_util.h"

namespace recaster::views::testing {

// A new configuration file (holding only the default database), open.
class FakeDocument : public ViewDocument {
  public:
    FakeDocument() {
        file_.Create("/views.cfg");
        file_.Open("/views.cfg");
    }
    config::CCfgFile& Root() override { return file_; }
    void SetModifiedFlag(bool modified = true) override { modified_ = modified; }
    bool IsModified() const override { return modified_; }
    std::string Title() const override { return "views.cfg"; }
    bool IsReadOnly() const override { return readOnly; }

    bool readOnly = false;

    config::CCfgDatabase* AddDatabase(const std::string& name, const std::string& description = {},
                                      uint16_t workform = 0) {
        auto db = std::make_unique<config::CCfgDatabase>();
        db->name = name;
        db->description = description;
        db->workform = workform;
        config::CCfgDatabase* raw = db.get();
        file_.GetDBList()->Add(std::move(db));
        return raw;
    }

  private:
    store::MemFileSystem fs_;
    config::CCfgFile file_{fs_};
    bool modified_ = false;
};

// Workform 2 "Medline" and 3 "Inspec", fields named "F1".."F45".
inline void FillCatalog(workforms::WorkformCatalog& catalog) {
    catalog.Add(workforms::testing::MakeForm(2, "Medline"));
    catalog.Add(workforms::testing::MakeForm(3, "Inspec"));
}

// Appends a database without ordering or storing it.
inline config::CCfgDatabase* AppendDb(config::CCfgDBList& list, const std::string& name,
                                      const std::string& description = {}, uint16_t workform = 0) {
    auto db = std::make_unique<config::CCfgDatabase>();
    db->name = name;
    db->description = description;
    db->workform = workform;
    config::CCfgDatabase* raw = db.get();
    list.Append(std::move(db));
    return raw;
}

}  // namespace recaster::views::testing
