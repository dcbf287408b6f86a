// Button sets of message boxes.
#include "ui/message_box.h"

#include "base/cp1252.h"
#include "resources/strings.h"
#include "ui/ui.h"

namespace recaster::ui {

bool MessageBoxOffers(uint32_t flags, int button) {
    switch (flags & MB_BUTTONMASK) {
        case MB_OK:
            return button == IDOK;
        case MB_OKCANCEL:
            return button == IDOK || button == IDCANCEL;
        case MB_YESNOCANCEL:
            return button == IDYES || button == IDNO || button == IDCANCEL;
        case MB_YESNO:
            return button == IDYES || button == IDNO;
        case MB_RETRYCANCEL:
            return button == IDRETRY || button == IDCANCEL;
        default:
            return false;
    }
}

int MessageBoxEscapeResult(uint32_t flags) {
    if (MessageBoxOffers(flags, IDCANCEL)) return IDCANCEL;
    if ((flags & MB_BUTTONMASK) == MB_OK) return IDOK;
    return 0;
}

int ShowMessageBox(Ui& ui, int stringId, std::initializer_list<std::string_view> args,
                   uint32_t flags) {
    std::string_view first = args.size() > 0 ? args.begin()[0] : std::string_view();
    std::string_view second = args.size() > 1 ? args.begin()[1] : std::string_view();
    return ShowMessageBoxText(ui, stringId, resources::FormatString(stringId, first, second),
                              flags);
}

int ShowMessageBoxText(Ui& ui, int stringId, std::string text, uint32_t flags) {
    return ShowMessageBoxUtf8(ui, stringId, Cp1252ToUtf8(text), flags);
}

int ShowMessageBoxUtf8(Ui& ui, int stringId, std::string text, uint32_t flags) {
    MessageBoxRequest request;
    request.stringId = stringId;
    request.text = std::move(text);
    request.flags = flags;
    return ui.MessageBox(request);
}

std::string FileMessageText(int stringId, std::string_view path, std::string_view detail) {
    std::string text =
        resources::FillPlaceholders(Cp1252ToUtf8(resources::LoadString(stringId)), path);
    if (!detail.empty()) {
        text += "\n\n";
        text += detail;
    }
    return text;
}

int ShowFileMessage(Ui& ui, int stringId, std::string_view path, std::string_view detail,
                    uint32_t flags) {
    return ShowMessageBoxUtf8(ui, stringId, FileMessageText(stringId, path, detail), flags);
}

}  // namespace recaster::ui
