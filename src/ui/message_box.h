// Message boxes: the button ids a box returns (also the command ids of the
// standard dialog buttons), its button sets and icons, and one request as a
// front end gets it.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace recaster::ui {

// Pressed buttons, and the ids of the standard buttons of every dialog.
enum DialogResult : int {
    IDOK = 1,
    IDCANCEL = 2,
    IDABORT = 3,
    IDRETRY = 4,
    IDIGNORE = 5,
    IDYES = 6,
    IDNO = 7,
    IDHELP = 9,  // a dialog's Help button
};

// Flags of a message box: one button set | one icon.
enum MessageBoxFlags : uint32_t {
    MB_OK = 0x0,
    MB_OKCANCEL = 0x1,
    MB_YESNOCANCEL = 0x3,
    MB_YESNO = 0x4,
    MB_RETRYCANCEL = 0x5,
    MB_BUTTONMASK = 0xF,

    MB_ICONSTOP = 0x10,
    MB_ICONQUESTION = 0x20,
    MB_ICONEXCLAMATION = 0x30,
    MB_ICONINFORMATION = 0x40,
    MB_ICONMASK = 0xF0,
};

// True when `button` is one of the buttons that `flags` shows.
bool MessageBoxOffers(uint32_t flags, int button);

// The button a box returns when the user closes it without choosing (Escape
// or the close box): Cancel where there is one, else OK for an OK box, and
// nothing (0) for Yes/No, which cannot be dismissed.
int MessageBoxEscapeResult(uint32_t flags);

// The text of a box is UTF-8: it may name files, whose names are the file
// system's and need not fit the configuration's code page. The helpers
// below convert configuration texts (Windows-1252) on the way.
struct MessageBoxRequest {
    int stringId = 0;  // string-table id of the text; 0 for a text from elsewhere
    std::string text;  // the filled text, UTF-8
    uint32_t flags = MB_OK;
    std::string caption;  // empty: the program's title; UTF-8
};

class Ui;

// Shows string `stringId` of the string table with %1 and %2 filled from the
// first two `args` (configuration texts, Windows-1252; further ones are
// ignored) and returns the pressed button.
int ShowMessageBox(Ui& ui, int stringId, std::initializer_list<std::string_view> args,
                   uint32_t flags);
// The same with a text composed by the caller in Windows-1252 (still tagged
// with `stringId` so that tests can tell the messages apart).
int ShowMessageBoxText(Ui& ui, int stringId, std::string text, uint32_t flags);
// The same with a text composed in UTF-8 (one that names files).
int ShowMessageBoxUtf8(Ui& ui, int stringId, std::string text, uint32_t flags);
// String `stringId` with %1 = `path` (the file system's bytes, shown as they
// are) and, when `detail` (UTF-8) is not empty, the detail below it after an
// empty line.
int ShowFileMessage(Ui& ui, int stringId, std::string_view path, std::string_view detail,
                    uint32_t flags);
// The UTF-8 text of that message.
std::string FileMessageText(int stringId, std::string_view path, std::string_view detail = {});

}  // namespace recaster::ui
