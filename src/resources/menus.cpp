// The menus, accelerator tables and toolbar of the shell.
#include "resources/menus.h"

#include <array>

namespace recaster::resources {
namespace {

using K = MenuItemKind;

constexpr MenuItem Cmd(int id, std::string_view text) {
    return {K::Command, id, text, {}, {}};
}
constexpr MenuItem Sep() {
    return {K::Separator, 0, {}, {}, {}};
}
constexpr MenuItem Popup(std::string_view text, std::span<const MenuItem> children) {
    return {K::Popup, 0, text, {}, children};
}

// The recent-file entry stands for the whole list; a front end puts the
// list's entries (kCmdRecentFile1 + n) in its place.
const std::array kFile2{
    Cmd(kCmdFileNew, "&New\tCtrl+N"),
    Cmd(kCmdFileOpen, "&Open...\tCtrl+O"),
    Cmd(kCmdFileClose, "&Close"),
    Cmd(kCmdFileSave, "&Save\tCtrl+S"),
    Cmd(kCmdFileSaveAs, "Save &As..."),
    Sep(),
    Cmd(kCmdPrintSetup, "Print Set&up..."),
    Sep(),
    Cmd(kCmdRecentFile1, "Recent File"),
    Sep(),
    Cmd(kCmdExit, "E&xit"),
};

const std::array kHelp{
    Cmd(kCmdHelpFinder, "&Contents and Index"),
    Cmd(kCmdContextHelp, "&What's This?\tShift+F1"),
    Sep(),
    Cmd(kCmdTechnicalSupport, "&Technical Support"),
    Sep(),
    Cmd(kCmdAbout, "&About Recaster II..."),
};

const std::array kMenu2Items{
    Popup("&File", kFile2),
    Popup("&Help", kHelp),
};

const std::array kFile4{
    Cmd(kCmdFileNew, "&New\tCtrl+N"),
    Cmd(kCmdFileOpen, "&Open...\tCtrl+O"),
    Cmd(kCmdFileClose, "&Close"),
    Cmd(kCmdFileSave, "&Save\tCtrl+S"),
    Cmd(kCmdFileSaveAs, "Save &As..."),
    Sep(),
    Cmd(kCmdPrintReport, "&Print Report...\tCtrl+P"),
    Cmd(kCmdPrintSetup, "Print Set&up..."),
    Sep(),
    Cmd(kCmdRecentFile1, "Recent File"),
    Sep(),
    Cmd(kCmdExit, "E&xit"),
};

const std::array kEdit4{
    Cmd(kCmdUndo, "&Undo\tCtrl+Z"),   Sep(),
    Cmd(kCmdCut, "Cu&t\tCtrl+X"),     Cmd(kCmdCopy, "&Copy\tCtrl+C"),
    Cmd(kCmdPaste, "&Paste\tCtrl+V"),
};

const std::array kConfiguration4{
    Cmd(kCmdFileInformation, "File I&nformation..."),
    Sep(),
    Cmd(kCmdDatabaseIdentification, "&Database Identification..."),
    Cmd(kCmdFieldIdentification, "&Field Identification..."),
    Cmd(kCmdRecordIdentification, "&Record Identification..."),
    Cmd(kCmdIgnoredStrings, "&Ignored Strings..."),
    Sep(),
    Cmd(kCmdDatabaseInformation, "Database &Information...\tCtrl+I"),
    Cmd(kCmdDocumentTypes, "Document &Types..."),
    Cmd(kCmdAuthorFieldFormat, "&Author Field Format..."),
};

const std::array kWindow4{
    Cmd(kCmdWindowCascade, "&Cascade"),
    Cmd(kCmdWindowTile, "&Tile"),
    Cmd(kCmdWindowArrange, "&Arrange Icons"),
};

const std::array kMenu4Items{
    Popup("&File", kFile4),     Popup("&Edit", kEdit4), Popup("&Configuration", kConfiguration4),
    Popup("&Window", kWindow4), Popup("&Help", kHelp),
};

const MenuTemplate kMenu2{2, kMenu2Items};
const MenuTemplate kMenu4{4, kMenu4Items};

// Keys shared by both tables, then the document's own. Ctrl+F6 and
// Ctrl+Shift+F6 go to the next and previous window as F6 and Shift+F6 do,
// the keys users of multiple-document programs reach for.
#define RECASTER_COMMON_ACCELERATORS                                                               \
    Accelerator{'C', kModCtrl, kCmdCopy}, Accelerator{kKeyInsert, kModCtrl, kCmdCopy},             \
        Accelerator{'X', kModCtrl, kCmdCut}, Accelerator{kKeyDelete, kModShift, kCmdCut},          \
        Accelerator{'V', kModCtrl, kCmdPaste}, Accelerator{kKeyInsert, kModShift, kCmdPaste},      \
        Accelerator{'Z', kModCtrl, kCmdUndo}, Accelerator{kKeyBackspace, kModAlt, kCmdUndo},       \
        Accelerator{'N', kModCtrl, kCmdFileNew}, Accelerator{'O', kModCtrl, kCmdFileOpen},         \
        Accelerator{'S', kModCtrl, kCmdFileSave}, Accelerator{'P', kModCtrl, kCmdPrintReport},     \
        Accelerator{kKeyF1, kModNone, kCmdHelp}, Accelerator{kKeyF1, kModShift, kCmdContextHelp},  \
        Accelerator{kKeyF6, kModNone, kCmdNextPane}, Accelerator{kKeyF6, kModShift, kCmdPrevPane}, \
        Accelerator{kKeyF6, kModCtrl, kCmdNextPane}, Accelerator {                                 \
        kKeyF6, kModCtrl | kModShift, kCmdPrevPane                                                 \
    }

const std::array kAccel2Entries{RECASTER_COMMON_ACCELERATORS};
const std::array kAccel4Entries{
    RECASTER_COMMON_ACCELERATORS,
    Accelerator{'I', kModCtrl, kCmdDatabaseInformation},
    Accelerator{'N', kModAlt, kCmdDbNew},
    Accelerator{'D', kModAlt, kCmdDbDelete},
    Accelerator{'M', kModAlt, kCmdDbModify},
    Accelerator{'S', kModAlt, kCmdAddSubfield},
};
#undef RECASTER_COMMON_ACCELERATORS

const AcceleratorTable kAccel2{2, kAccel2Entries};
const AcceleratorTable kAccel4{4, kAccel4Entries};

const std::array<int, 10> kToolbar{kCmdFileNew,     kCmdFileOpen, kCmdFileSave, 0,
                                   kCmdCut,         kCmdCopy,     kCmdPaste,    0,
                                   kCmdPrintReport, kCmdAbout};

}  // namespace

const MenuTemplate* FindMenu(int id) {
    if (id == 2) return &kMenu2;
    if (id == 4) return &kMenu4;
    return nullptr;
}

const AcceleratorTable* FindAcceleratorTable(int id) {
    if (id == 2) return &kAccel2;
    if (id == 4) return &kAccel4;
    return nullptr;
}

std::span<const int> ToolbarCommands() {
    return kToolbar;
}

}  // namespace recaster::resources
