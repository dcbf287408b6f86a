// The document's file structure commands (Configuration menu): File
// Information, Database Identification, Record Identification, Field
// Identification and Ignored Strings.
#include "app/cfg_document.h"
#include "config/genl_info.h"
#include "config/string_lists.h"
#include "dialogs/database_ident_dialog.h"
#include "dialogs/field_ident_dialog.h"
#include "dialogs/file_info_sheet.h"
#include "dialogs/ignored_lines_dialog.h"
#include "dialogs/record_ident_dialog.h"
#include "ui/dialog.h"

namespace recaster::app {

void CCfgDocument::RegisterStructureCommands() {
    auto open = [this] { return IsOpen(); };
    // A read-only document shows these dialogs for looking only.
    auto run = [this](void (CCfgDocument::*command)()) {
        return [this, command] {
            ui::ViewOnlyScope viewOnly(IsReadOnly());
            (this->*command)();
        };
    };
    commands_.Add(kCmdFileInformation, run(&CCfgDocument::OnFileInformation), open);
    commands_.Add(kCmdDatabaseIdentification, run(&CCfgDocument::OnDatabaseIdentification), open);
    commands_.Add(kCmdRecordIdentification, run(&CCfgDocument::OnRecordIdentification), open);
    commands_.Add(kCmdFieldIdentification, run(&CCfgDocument::OnFieldIdentification), open);
    commands_.Add(kCmdIgnoredStrings, run(&CCfgDocument::OnIgnoredStrings), open);
}

void CCfgDocument::OnFileInformation() {
    config::CCfgGenlInfo* genl = root_.GetGenlInfo();
    if (!IsOpen() || !genl) return;
    dialogs::FileInfoSheet sheet(*genl, path_);
    if (sheet.DoModal(ui_) == ui::IDOK) SetModifiedFlag(true);
}

void CCfgDocument::OnDatabaseIdentification() {
    if (!IsOpen()) return;
    dialogs::DatabaseIdentDialog dialog(root_);
    if (dialog.DoModal(ui_) == ui::IDOK) SetModifiedFlag(true);
}

void CCfgDocument::OnRecordIdentification() {
    if (!IsOpen()) return;
    dialogs::RecordIdentDialog dialog(*root_.GetDFSInfo());
    if (dialog.DoModal(ui_) == ui::IDOK) SetModifiedFlag(true);
}

void CCfgDocument::OnFieldIdentification() {
    if (!IsOpen()) return;
    dialogs::FieldIdentDialog dialog(*root_.GetDFSInfo());
    if (dialog.DoModal(ui_) == ui::IDOK) SetModifiedFlag(true);
}

void CCfgDocument::OnIgnoredStrings() {
    if (!IsOpen()) return;
    dialogs::IgnoredLinesDialog dialog(*root_.GetIgnoredLines());
    if (dialog.DoModal(ui_) == ui::IDOK) SetModifiedFlag(true);
}

}  // namespace recaster::app
