// FileInfoSheet: the File Information property sheet of a configuration. One
// page (template 121, "General") shows the file's name and directory and
// edits the comments of the general information; no Apply button.
#pragma once

#include <string>

#include "ui/dialog.h"
#include "ui/property_sheet.h"

namespace recaster::config {
class CCfgGenlInfo;
}

namespace recaster::dialogs {

// The General page. On OK the comments are written and the general
// information is saved (its record rewritten in the store); when that save
// fails the page shows why and stays open with the object unchanged.
class FileInfoGeneralPage : public ui::Dialog {
  public:
    enum : int { kTemplateId = 121, kFileName = 146, kDirectory = 147, kComments = 158 };
    // "Cannot save %1." (the document's save failure message).
    enum : int { kSaveFailedString = 61708 };

    // `path` is the document's path (file-system bytes).
    FileInfoGeneralPage(config::CCfgGenlInfo& genl, std::string path);

  protected:
    void OnInitDialog() override;
    void OnOK() override;

  private:
    config::CCfgGenlInfo& genl_;
    std::string path_;
};

class FileInfoSheet {
  public:
    enum : int { kTitleString = 38 };

    FileInfoSheet(config::CCfgGenlInfo& genl, std::string path);

    // IDOK or IDCANCEL. The caller marks the document modified on IDOK, even
    // when the comments did not change.
    int DoModal(ui::Ui& ui);

    ui::PropertySheet& sheet() { return sheet_; }

  private:
    FileInfoGeneralPage page_;
    ui::PropertySheet sheet_;
};

}  // namespace recaster::dialogs
