// Helpers of the field dialog tests: a database with a field list in an open
// configuration, a catalog in which one workform leaves fields unused, a
// field's record bytes in memory, and the controls of a field's dialog that
// share an id with another.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "base/archive.h"
#include "config/lists.h"
#include "dialogs/dialogs_test_util.h"
#include "dialogs/field_info_dialog.h"
#include "ui/headless_ui.h"

namespace recaster::dialogs::testing {

// Workforms A "Journal Article", C "Medline", D "book" (all 45 fields "F1"
// to "F45") and I (8) "Monograph", which uses fields 1 to 10 ("M1" to
// "M10") but not 9: a target of field 9 lands on field 10 there.
inline void FillFieldCatalog(workforms::WorkformCatalog& catalog) {
    FillCatalog(catalog);
    workforms::WorkformFile form = workforms::testing::MakeForm(8, "Monograph");
    form.defined_fields.Clear();
    for (int n = 1; n <= 10; ++n) {
        form.field_names[static_cast<size_t>(n - 1)] = "M" + std::to_string(n);
        if (n != 9) form.defined_fields.Add(n);
    }
    catalog.Add(form);
}

// The field's record as Save would store it.
inline std::vector<uint8_t> RecordOf(config::CCfgField& field) {
    Archive ar = Archive::ForStore();
    field.PersistWrite(ar);
    return ar.bytes();
}

class FieldDialogsTest : public ::testing::Test {
  protected:
    FieldDialogsTest() {
        FillFieldCatalog(catalog);
        db = config.AddDatabase("MEDLINE", 2);
        list = db->GetFieldList();
    }

    // Adds a stored field (a subfield when `parent` is given).
    config::CCfgField* AddField(const std::string& tag, uint16_t type = config::kFieldNormalText,
                                config::CCfgField* parent = nullptr) {
        auto field = std::make_unique<config::CCfgField>();
        field->tag = tag;
        field->type = type;
        field->parent = parent;
        config::CCfgField* raw = field.get();
        list->Add(std::move(field));
        return raw;
    }
    // A field not in the list yet, as New Field or Add Subfield make it.
    std::unique_ptr<config::CCfgField> NewField(config::CCfgField* parent = nullptr) {
        auto field = std::make_unique<config::CCfgField>();
        field->owner = list;
        field->parent = parent;
        if (parent != nullptr) field->parentId = parent->GetId();
        return field;
    }
    int RunFieldDialog(config::CCfgField& field) {
        FieldInfoDialog dialog(field, *list, catalog);
        return dialog.DoModal(ui);
    }

    TestConfig config;
    workforms::WorkformCatalog catalog;
    ui::HeadlessUi ui;
    config::CCfgDatabase* db = nullptr;
    config::CCfgFieldList* list = nullptr;
};

// The control `id` of the options page of field type `type`.
inline ui::Control& PageControl(FieldInfoDialog& dialog, int type, int id) {
    FieldOptionPage* page = dialog.page(type);
    if (page != nullptr) {
        for (ui::Control* c : page->controls()) {
            if (c->id() == id) return *c;
        }
    }
    throw std::out_of_range("no control " + std::to_string(id) + " on page of type " +
                            std::to_string(type));
}

}  // namespace recaster::dialogs::testing
