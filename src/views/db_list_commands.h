// Command ids of the database list window and which of them are still
// waiting for the dialogs and windows they open.
#pragma once

namespace recaster::views {

constexpr int kCmdNew = 1001;
constexpr int kCmdDelete = 1002;
constexpr int kCmdModify = 1004;
constexpr int kCmdDatabaseInformation = 32781;
constexpr int kCmdDocumentTypes = 32782;
constexpr int kCmdAuthorFieldFormat = 32783;
constexpr int kCmdCopy = 57634;
constexpr int kCmdCut = 57635;
constexpr int kCmdPaste = 57637;

constexpr int kDBListCommands[] = {kCmdNew,           kCmdDelete,
                                   kCmdModify,        kCmdDatabaseInformation,
                                   kCmdDocumentTypes, kCmdAuthorFieldFormat,
                                   kCmdCopy,          kCmdCut,
                                   kCmdPaste};

// The clipboard format of a copied database.
constexpr const char* kDatabaseClipboardFormat = "CCfgDB";

}  // namespace recaster::views
