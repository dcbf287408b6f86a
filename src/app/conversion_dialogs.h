// The conversion of an older (version-2) configuration file as the document's
// Open runs it: the questions as message boxes (4153, 4155, 4156), one User
// Defined Workform Selection dialog per user-defined workform, the save
// dialog ("New Config File", asked again when the name is the old file's),
// the progress dialog with Stop, and "Conversion Completed." or
// "Conversion not completed." at the end.
#pragma once

#include <optional>
#include <string>

#include "app/progress_dialog.h"
#include "convert/conversion_host.h"
#include "store/file_system.h"
#include "ui/ui.h"
#include "workforms/workform_catalog.h"

namespace recaster::app {

enum ConversionMessage : int {
    kMsgConvertQuestion = 4153,
    kMsgConversionCompleted = 4154,
    kMsgUserWorkforms = 4155,
    kMsgStopConversion = 4156,
    kMsgConversionNotCompleted = 4157,
    kMsgNewIsOldFile = 4158,
    kStrConversionTitle = 4159,
};

class ConversionDialogs : private convert::ConversionHost {
  public:
    ConversionDialogs(ui::Ui& ui, store::FileSystem& fs, const workforms::WorkformCatalog& catalog)
        : ui_(ui), fs_(fs), catalog_(catalog) {}

    // Converts `oldPath`; the new file's path, or nothing when the user
    // declined or stopped. File and archive failures pass on to the caller
    // (the new file removed, the progress dialog gone).
    std::optional<std::string> Run(const std::string& oldPath);
    // The new file's name once the user gave one, else empty.
    const std::string& newPath() const { return newPath_; }

  private:
    bool ConfirmConversion() override;
    bool ConfirmUserWorkforms() override;
    std::optional<workforms::WorkformId> ChooseWorkform(workforms::WorkformId oldId,
                                                        workforms::WorkformId suggested) override;
    std::optional<std::string> NewFileName() override;
    void RefuseNewFileName(const std::string& path) override;
    void BeginCopy(int databases) override;
    bool Continue(int done) override;
    bool ConfirmStop() override;
    void EndCopy() noexcept override;

    ui::Ui& ui_;
    store::FileSystem& fs_;
    const workforms::WorkformCatalog& catalog_;
    std::string newPath_;
    std::optional<ProgressDialog> progress_;
};

}  // namespace recaster::app
