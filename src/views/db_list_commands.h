// Command ids of the list windows beyond their buttons' (list_view.h), and
// the clipboard formats they read.
#pragma once

#include "config/clipboard_forms.h"
#include "views/list_view.h"

namespace recaster::views {

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

// The clipboard formats of a copied database, field and field set.
constexpr const char* kDatabaseClipboardFormat = config::kDatabaseFormat;
constexpr const char* kFieldClipboardFormat = config::kFieldFormat;
constexpr const char* kFieldSetClipboardFormat = config::kFieldSetFormat;

// Texts of the clipboard: what travels beside a copied database, field or
// field set, what says that a copy failed, and what refuses unusable data.
constexpr int kStringDatabaseText = 4127;
constexpr int kStringFieldText = 4128;
constexpr int kStringFieldSetText = 4129;
constexpr int kStringCopyFailed = 4162;
constexpr int kMsgUnusableDatabase = 4163;
constexpr int kMsgUnusableField = 4164;

}  // namespace recaster::views
