// Standard entry checks and their messages.
#include "dialogs/entry_checks.h"

#include <string>

#include "config/pattern_checks.h"

namespace recaster::dialogs {

void FailCheck(ui::Dialog& dialog, ui::Control& control, int stringId,
               std::initializer_list<std::string_view> args) {
    dialog.MessageBox(stringId, args);
    dialog.GotoControl(control);
}

bool CheckLength(ui::Dialog& dialog, ui::Control& control, size_t limit) {
    if (control.text().size() <= limit) return true;
    FailCheck(dialog, control, kMsgTooLong, {std::to_string(limit)});
    return false;
}

std::optional<int> CheckWholeNumber(ui::Dialog& dialog, ui::Control& control) {
    std::optional<int> value = ui::ParseWholeNumber(control.text());
    if (!value) FailCheck(dialog, control, kMsgWholeNumber);
    return value;
}

std::optional<int> CheckNumberRange(ui::Dialog& dialog, ui::Control& control, int low, int high) {
    std::optional<int> value = CheckWholeNumber(dialog, control);
    if (!value) return std::nullopt;
    if (*value < low || *value > high) {
        FailCheck(dialog, control, kMsgNumberRange, {std::to_string(low), std::to_string(high)});
        return std::nullopt;
    }
    return value;
}

bool CheckPattern(ui::Dialog& dialog, ui::Control& control, std::string_view specials) {
    std::optional<char> doubled = config::DoubledCharacter(control.text(), specials);
    if (!doubled) return true;
    FailCheck(dialog, control, kMsgDoubledCharacter, {std::string_view(&*doubled, 1)});
    return false;
}

bool CheckTagFormatEntry(ui::Dialog& dialog, ui::Control& control, bool crFollowsTag) {
    const config::TagFormatCheckResult result =
        config::CheckTagFormat(control.text(), crFollowsTag);
    switch (result.problem) {
        case config::TagFormatProblem::None:
            return true;
        case config::TagFormatProblem::TooLong:
            FailCheck(dialog, control, kMsgTooLong, {std::to_string(config::kMaxTagFormatLength)});
            break;
        case config::TagFormatProblem::Empty:
            FailCheck(dialog, control, kMsgTagFormatBlank);
            break;
        case config::TagFormatProblem::SecondTagPosition:
            FailCheck(dialog, control, kMsgSecondTagPosition);
            break;
        case config::TagFormatProblem::NoTagPosition:
            FailCheck(dialog, control, kMsgNoTagPosition);
            break;
        case config::TagFormatProblem::DoubledCharacter:
            FailCheck(dialog, control, kMsgDoubledCharacter,
                      {std::string_view(&result.doubled, 1)});
            break;
    }
    return false;
}

}  // namespace recaster::dialogs
