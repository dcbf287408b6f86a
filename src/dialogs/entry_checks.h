// The checks a dialog runs on OK, each with its standard message: a text too
// long, a number that is not whole or out of range, a doubled special
// character in a pattern, a tag format that breaks its rules. A failed check
// shows its message (exclamation icon), moves the focus to the control with
// its text selected, and returns false or nothing; the dialog then stays
// open and writes nothing.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "ui/dialog.h"

namespace recaster::dialogs {

// String-table ids of the standard messages; each names its limit.
enum EntryMessage : int {
    kMsgWholeNumber = 61712,  // "Enter a whole number."
    kMsgNumberRange = 61714,  // "... from %1 to %2."
    kMsgTooLong = 61716,      // "Enter no more than %1 characters."
    kMsgDoubledCharacter = 4148,
    kMsgTagFormatBlank = 4149,
    kMsgSecondTagPosition = 4150,
    kMsgNoTagPosition = 4151,
};

// Shows string `stringId` filled with `args` and puts the focus on `control`.
void FailCheck(ui::Dialog& dialog, ui::Control& control, int stringId,
               std::initializer_list<std::string_view> args = {});

// The control's text holds at most `limit` characters.
bool CheckLength(ui::Dialog& dialog, ui::Control& control, size_t limit);
// The control's text as a whole number.
std::optional<int> CheckWholeNumber(ui::Dialog& dialog, ui::Control& control);
// A whole number from `low` to `high`.
std::optional<int> CheckNumberRange(ui::Dialog& dialog, ui::Control& control, int low, int high);
// No special character of `specials` twice in a row (see DoubledCharacter).
bool CheckPattern(ui::Dialog& dialog, ui::Control& control, std::string_view specials);
// The tag format's checks, in their order.
bool CheckTagFormatEntry(ui::Dialog& dialog, ui::Control& control, bool crFollowsTag);

}  // namespace recaster::dialogs
