// Dialog templates: the layout of every dialog as plain data. The tables live
// in resources/dialogs_*.cpp; the window layer (ui/) builds live dialogs from
// them and a front end renders them. Positions and sizes are in dialog units
// (a quarter of the font's average character width, an eighth of its height).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace recaster::resources {

// What a control is. The kind decides which state a live control uses
// (text, check state, items, range).
enum class ControlKind : uint8_t {
    Static,                  // label or read-only value
    Edit,                    // single-line edit
    MultiLineEdit,           // multi-line edit
    PushButton,              // push button
    DefaultPushButton,       // push button that Enter presses
    CheckBox,                // automatic two-state check box
    RadioButton,             // automatic radio button; groups start at the Group style
    GroupBox,                // frame with a caption
    DropDownList,            // combo box: list only, no typing
    DropDown,                // combo box: edit field plus list
    ListBox,                 // list box with texts
    OwnerDrawnList,          // list box drawn row by row by the dialog, fixed row height
    OwnerDrawnListVariable,  // the same with a height per row
    ProgressBar,             // progress bar
    Icon,                    // icon; the text names the icon resource
    HorizontalLine,          // etched separator line
};

// Style flags of a control, combined with |.
enum ControlStyle : uint32_t {
    kStyleNone = 0,
    kStyleTabStop = 1u << 0,      // reached with the Tab key
    kStyleGroup = 1u << 1,        // starts a group (radio buttons, arrow keys)
    kStyleDisabled = 1u << 2,     // starts disabled
    kStyleHidden = 1u << 3,       // starts hidden
    kStyleReadOnly = 1u << 4,     // edit: the user cannot type
    kStylePassword = 1u << 5,     // edit: shown masked
    kStyleSort = 1u << 6,         // list/combo: items kept sorted by text
    kStyleVScroll = 1u << 8,      // vertical scroll bar
    kStyleNotify = 1u << 9,       // list: reports clicks and double clicks
    kStyleWantReturn = 1u << 10,  // multi-line edit: Enter makes a new line
    kStyleUppercase = 1u << 11,   // edit: typed letters become capitals
    kStyleNumber = 1u << 12,      // edit: only digits can be typed
    kStyleFileName = 1u << 13,    // static: shows a file name (UTF-8), not configuration text
};

// A rectangle in dialog units: left, top, width, height.
struct DialogRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
};

// One control of a template. `text` is Windows-1252; for combo boxes it holds
// no items (dialog code fills them).
struct ControlTemplate {
    int id = 0;  // -1 for static texts nobody addresses
    ControlKind kind = ControlKind::Static;
    std::string_view text;
    DialogRect rect;
    uint32_t style = kStyleNone;
};

// One dialog: controls in tab order. `fontName` empty means the front end's
// standard dialog font.
struct DialogTemplate {
    int id = 0;
    std::string_view title;
    int width = 0;   // dialog units
    int height = 0;  // dialog units
    std::string_view fontName;
    int fontPointSize = 8;
    std::span<const ControlTemplate> controls;

    // The control with `controlId`, or nullptr.
    const ControlTemplate* FindControl(int controlId) const;
};

// The program's template with `id`, or nullptr when there is none.
const DialogTemplate* FindDialogTemplate(int id);

}  // namespace recaster::resources
