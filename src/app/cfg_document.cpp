// The configuration document: new, open (with the check of the first three
// bytes), save, save as, close, the modified flag and the document commands.
//
// First bytes of a configuration file, checked before the store opens it:
//
//   offset  size  content
//   0       2     format version, u16 little-endian: 3 current, 2 older
//   2       1     always 1
#include "app/cfg_document.h"

#include <algorithm>
#include <array>
#include <exception>
#include <stdexcept>

#include "app/conversion_dialogs.h"
#include "app/file_dialogs.h"
#include "app/print_report.h"
#include "app/window_placement.h"
#include "base/errors.h"
#include "base/paths.h"
#include "dialogs/error_detail.h"
#include "dialogs/file_info_sheet.h"
#include "resources/strings.h"
#include "ui/message_box.h"
#include "views/db_list_view.h"
#include "workforms/workform_loader.h"

namespace recaster::app {
namespace {

constexpr uint32_t kErrorBox = ui::MB_OK | ui::MB_ICONEXCLAMATION;

// The load message for a failure of the pre-check or of opening.
int LoadMessageFor(const std::exception& error) {
    if (const auto* archive = dynamic_cast<const ArchiveError*>(&error)) {
        switch (archive->cause()) {
            case ArchiveError::Cause::EndOfFile:
            case ArchiveError::Cause::BadIndex:
            case ArchiveError::Cause::BadClass:
            case ArchiveError::Cause::BadSchema:
                return kMsgUnexpectedFormat;
            default:
                return kMsgFailedToOpen;
        }
    }
    if (const auto* file = dynamic_cast<const FileError*>(&error)) {
        switch (file->cause()) {
            case FileError::Cause::NotFound:
            case FileError::Cause::BadPath:
                return kMsgFileNotFound;
            case FileError::Cause::DiskFull:
                return kMsgDiskFull;
            case FileError::Cause::AccessDenied:
                return kMsgAccessDenied;
            case FileError::Cause::IsFolder:
                return kMsgIsFolder;
            case FileError::Cause::Generic:
            case FileError::Cause::TooManyOpenFiles:
            case FileError::Cause::InvalidFile:
            case FileError::Cause::DirectoryFull:
            case FileError::Cause::BadSeek:
            case FileError::Cause::HardIO:
                return kMsgReadError;
            default:
                return kMsgFailedToOpen;
        }
    }
    return kMsgFailedToOpen;
}

// The file that the exception being handled names; empty when it names
// none.
std::string FailedPath() {
    try {
        throw;
    } catch (const FileError& e) {
        return e.path();
    } catch (const ArchiveError& e) {
        return e.path();
    } catch (...) {
        return {};
    }
}

}  // namespace

CCfgDocument::CCfgDocument(ui::Ui& ui, store::FileSystem& fs) : ui_(ui), fs_(fs), root_(fs) {
    // Save stays available on a read-only document, to say why it cannot.
    commands_.Add(
        kCmdFileSave, [this] { DoFileSave(); },
        [this] { return IsOpen() && (modified_ || IsReadOnly()); });
    commands_.Add(
        kCmdFileSaveAs, [this] { DoSave({}); }, [this] { return IsOpen(); });
    commands_.Add(
        kCmdFileClose,
        [this] {
            if (SaveModified()) OnCloseDocument();
        },
        [this] { return IsOpen(); });
    RegisterStructureCommands();
    commands_.Add(
        kCmdPrintReport, [this] { OnPrintReport(); }, [this] { return IsOpen(); });
}

CCfgDocument::~CCfgDocument() {
    try {
        root_.Close();
    } catch (...) {
        // Closing drops buffers without writing; nothing to report here.
    }
}

void CCfgDocument::AddObserver(CCfgDocumentObserver* observer) {
    observers_.push_back(observer);
}

void CCfgDocument::RemoveObserver(CCfgDocumentObserver* observer) {
    observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void CCfgDocument::SetModifiedFlag(bool modified) {
    if (modified_ == modified) return;
    modified_ = modified;
    for (auto* o : std::vector(observers_)) o->ModifiedChanged(modified);
}

void CCfgDocument::SetTitle(const std::string& title) {
    if (title_ == title) return;
    title_ = title;
    for (auto* o : std::vector(observers_)) o->TitleChanged(title_);
}

void CCfgDocument::SetPathName(const std::string& path, bool addToRecent) {
    path_ = path;
    for (auto* o : std::vector(observers_)) o->PathChanged(path_, addToRecent);
    SetTitle(TitleFor(path_));
}

void CCfgDocument::SetTitleFolder(std::string folder) {
    titleFolder_ = std::move(folder);
    SetTitle(TitleFor(path_));
}

std::string CCfgDocument::TitleFor(const std::string& path) const {
    std::string title = FilePart(path);
    if (!titleFolder_.empty()) title += " (" + titleFolder_ + ")";
    if (IsReadOnly()) title += " (read-only)";
    return title;
}

void CCfgDocument::ReportError(int messageId, const std::string& path) {
    std::string detail;
    try {
        throw;
    } catch (const std::exception& e) {
        detail = dialogs::ErrorDetail(e);
    } catch (...) {
    }
    ui::ShowFileMessage(ui_, messageId, path, detail, kErrorBox);
}

void CCfgDocument::ReportLoadError(const std::string& path) {
    int messageId = kMsgFailedToOpen;
    try {
        throw;
    } catch (const std::exception& e) {
        messageId = LoadMessageFor(e);
    } catch (...) {
    }
    if (messageId == kMsgFailedToOpen) {
        // No fixed message fits: say what happened as well.
        ReportError(messageId, path);
    } else {
        ui::ShowFileMessage(ui_, messageId, path, {}, kErrorBox);
    }
}

std::optional<uint16_t> CCfgDocument::PreCheck(const std::string& path) {
    try {
        auto file = fs_.Open(path, store::OpenFlags{});
        // Writers are kept out while we look; a file that a writer holds
        // cannot be opened now anyway.
        if (!file->TryLock(store::LockKind::Shared)) {
            throw FileError(FileError::Cause::SharingViolation, path,
                            "The file is being written by another program");
        }
        std::array<uint8_t, 3> first{};
        if (file->ReadAt(0, first) < first.size()) {
            throw ArchiveError(ArchiveError::Cause::EndOfFile, path,
                               "The file is too short to be a configuration file");
        }
        uint16_t version = static_cast<uint16_t>(first[0] | (first[1] << 8));
        if ((version != 2 && version != 3) || first[2] != 1) {
            throw ArchiveError(ArchiveError::Cause::BadSchema, path,
                               "The file does not start like a configuration file");
        }
        return version;
    } catch (...) {
        ReportLoadError(path);
        return std::nullopt;
    }
}

bool CCfgDocument::OnNewDocument() {
    if (IsOpen()) throw std::logic_error("CCfgDocument::OnNewDocument: a file is open");
    std::optional<std::string> path = PromptSaveFileName(ui_, kNewFileName);
    if (!path) return false;
    ui::WaitCursor wait(ui_);
    try {
        root_.Create(*path);
        root_.Open(*path, store::OpenMode::ReadWrite);
    } catch (...) {
        ReportError(kMsgCreateFailed, *path);
        return false;
    }
    SetPathName(*path);
    SetModifiedFlag(false);
    return true;
}

bool CCfgDocument::OnOpenDocument(const std::string& path) {
    if (IsOpen()) throw std::logic_error("CCfgDocument::OnOpenDocument: a file is open");
    std::optional<uint16_t> version = PreCheck(path);
    if (!version) return false;
    std::string openPath = path;
    if (*version == 2) {
        std::optional<std::string> converted = ConvertOlderFile(path);
        if (!converted) return false;
        openPath = *converted;
    }
    try {
        ui::WaitCursor wait(ui_);
        OpenStore(openPath);
    } catch (...) {
        ReportLoadError(openPath);
        return false;
    }
    SetPathName(openPath);
    SetModifiedFlag(false);
    return true;
}

void CCfgDocument::OpenStore(const std::string& path) {
    readOnly_ = fs_.MayCreateIn(path) ? ReadOnlyReason::None : ReadOnlyReason::Folder;
    if (readOnly_ == ReadOnlyReason::None) {
        try {
            root_.Open(path, store::OpenMode::ReadWrite);
            return;
        } catch (const FileError& e) {
            if (e.cause() != FileError::Cause::AccessDenied) throw;
        }
        // Readable perhaps, but not ours to write.
        readOnly_ = ReadOnlyReason::File;
    }
    try {
        root_.Open(path, store::OpenMode::ReadOnly);
    } catch (...) {
        readOnly_ = ReadOnlyReason::None;
        throw;
    }
}

bool CCfgDocument::RefuseReadOnlySave() {
    const int message = readOnly_ == ReadOnlyReason::Folder ? kMsgReadOnlyFolder : kMsgReadOnlyFile;
    if (ui::ShowFileMessage(ui_, message, path_, {}, ui::MB_YESNO | ui::MB_ICONEXCLAMATION) !=
        ui::IDYES)
        return false;
    return DoSave({});
}

std::optional<std::string> CCfgDocument::ConvertOlderFile(const std::string& path) {
    ConversionDialogs conversion(ui_, fs_, workforms::Workforms());
    try {
        return conversion.Run(path);
    } catch (...) {
        // A failure that names another file than the old one concerns the
        // new file (or its temporary name), which was being created.
        const std::string failed = FailedPath();
        if (!conversion.newPath().empty() && !failed.empty() && failed != path) {
            ReportError(kMsgCreateFailed, conversion.newPath());
        } else {
            ReportLoadError(path);
        }
        return std::nullopt;
    }
}

bool CCfgDocument::OnSaveDocument(const std::string& path) {
    try {
        ui::WaitCursor wait(ui_);
        if (path != path_) {
            root_.SaveAs(path);
        } else {
            root_.Commit();
        }
    } catch (...) {
        ReportError(kMsgSaveFailed, path);
        return false;
    }
    SetModifiedFlag(false);
    return true;
}

bool CCfgDocument::DoSave(const std::string& path) {
    if (!IsOpen()) return false;
    if (IsReadOnly() && !path.empty() && path == path_) return RefuseReadOnlySave();
    std::string target = path;
    bool saveAs = target.empty();
    if (saveAs) {
        std::optional<std::string> chosen =
            PromptSaveFileName(ui_, path_.empty() ? title_ : FilePart(path_));
        if (!chosen) return false;
        target = *chosen;
    }
    store::FileIdentity before;
    bool existed = fs_.Identify(target, before);
    if (!OnSaveDocument(target)) {
        store::FileIdentity after;
        if (saveAs && fs_.Identify(target, after) && (!existed || !(after == before))) {
            try {
                fs_.Remove(target);
            } catch (...) {
                // Best effort: the message about the failed save is shown.
            }
        }
        return false;
    }
    if (target != path_) {
        // The copy is the user's own file now, written through its journal.
        readOnly_ = ReadOnlyReason::None;
        SetPathName(target);
    }
    return true;
}

bool CCfgDocument::DoFileSave() {
    return DoSave(path_);
}

bool CCfgDocument::SaveModified() {
    if (!modified_ || !IsOpen()) return true;
    int answer = ui::ShowFileMessage(ui_, kMsgSaveChanges, title_, {},
                                     ui::MB_YESNOCANCEL | ui::MB_ICONEXCLAMATION);
    if (answer == ui::IDYES) return DoFileSave();
    return answer == ui::IDNO;
}

void CCfgDocument::OnCloseDocument() {
    try {
        root_.Close();
    } catch (...) {
        // Closing releases the buffers without writing; the file stays as at
        // its last commit whatever happens here.
    }
    SetModifiedFlag(false);
    readOnly_ = ReadOnlyReason::None;
    for (auto* o : std::vector(observers_)) o->Closed();
}

void CCfgDocument::OnPrintReport() {
    if (!IsOpen()) return;
    config::CCfgDatabase* selected = dbListView_ ? dbListView_->SelectedDatabase() : nullptr;
    PrintReport({ui_, root_, selected, workforms::Workforms(), fs_, AppSettings()});
}

}  // namespace recaster::app
