// The shell's menus, accelerator tables and toolbar as data: menu and table 2
// while no configuration is open, 4 while one is. The command ids are the
// program's own numbers; their status-line texts are the string-table entries
// with the same id ("status\ntooltip").
#pragma once

#include <span>
#include <string_view>

#include "resources/menu_template.h"

namespace recaster::resources {

// Command ids of the shell.
enum CommandId : int {
    kCmdDbNew = 1001,
    kCmdDbDelete = 1002,
    kCmdAddSubfield = 1003,
    kCmdDbModify = 1004,
    kCmdFileInformation = 32775,
    kCmdDatabaseIdentification = 32777,
    kCmdRecordIdentification = 32778,
    kCmdFieldIdentification = 32779,
    kCmdIgnoredStrings = 32780,
    kCmdDatabaseInformation = 32781,
    kCmdDocumentTypes = 32782,
    kCmdAuthorFieldFormat = 32783,
    kCmdTechnicalSupport = 33019,
    kCmdFileNew = 57600,
    kCmdFileOpen = 57601,
    kCmdFileClose = 57602,
    kCmdFileSave = 57603,
    kCmdFileSaveAs = 57604,
    kCmdPrintSetup = 57606,
    kCmdPrintReport = 57607,
    kCmdRecentFile1 = 57616,  // ... kCmdRecentFile1 + 3
    kCmdCopy = 57634,
    kCmdCut = 57635,
    kCmdPaste = 57637,
    kCmdUndo = 57643,
    kCmdWindowArrange = 57649,
    kCmdWindowCascade = 57650,
    kCmdWindowTile = 57651,
    kCmdAbout = 57664,
    kCmdExit = 57665,
    kCmdHelpIndex = 57666,
    kCmdHelpFinder = 57667,
    kCmdHelpUsing = 57668,
    kCmdContextHelp = 57669,
    kCmdHelp = 57670,
    kCmdDefaultHelp = 57671,
    kCmdNextPane = 57680,
    kCmdPrevPane = 57681,
    // The Window menu's list of open windows: the first kWindowListSize,
    // then "More Windows..." when there are more.
    kCmdWindowList1 = 65280,  // ... kCmdWindowList1 + kWindowListSize - 1
    kCmdMoreWindows = 65289,
};

inline constexpr int kWindowListSize = 9;
inline constexpr std::string_view kMoreWindowsText = "&More Windows...";

// Number of entries of the recent-file list.
inline constexpr int kRecentFileCount = 4;

// String ids of the shell: the main window's title and the idle status text.
inline constexpr int kStrAppTitle = 57344;
inline constexpr int kStrIdle = 57345;
// Status texts of the window list's entries, and the More Windows box's
// title and prompt.
inline constexpr int kStrActivateWindow = 4170;
inline constexpr int kStrMoreWindows = 4171;
inline constexpr int kStrSelectWindowTitle = 4172;
inline constexpr int kStrSelectWindowPrompt = 4173;

// Menu or accelerator table `id` (2 or 4), or nullptr.
const MenuTemplate* FindMenu(int id);
const AcceleratorTable* FindAcceleratorTable(int id);

// The toolbar's buttons left to right; 0 is a separator.
std::span<const int> ToolbarCommands();

}  // namespace recaster::resources
