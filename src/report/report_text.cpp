// Value texts of the report.
#include "report/report_text.h"

#include "resources/strings.h"

namespace recaster::report {
namespace {

const std::string& Empty() {
    static const std::string empty;
    return empty;
}

// String first + value when value is in 0..count-1, else the empty text.
const std::string& Ranged(int first, int value, int count) {
    if (value < 0 || value >= count) return Empty();
    return resources::LoadString(first + value);
}

}  // namespace

std::string_view PrintedText(std::string_view text) {
    return text.substr(0, text.find('\0'));
}

std::string Quoted(std::string_view value) {
    return resources::FormatString(kStrQuoted, PrintedText(value));
}

const std::string& YesNo(bool value) {
    return resources::LoadString(value ? kStrYes : kStrNo);
}

const std::string& FieldTypeName(int type) {
    return Ranged(96, type, 8);
}

const std::string& CaseConversionName(int value, bool allowDefault) {
    if (value == -1 && allowDefault) return resources::LoadString(4093);
    return Ranged(4094, value, 6);
}

const std::string& ComponentName(int kind) {
    return Ranged(119, kind, 8);
}

std::string ComponentLabel(int kind) {
    return resources::FormatString(kStrComponentLabel, ComponentName(kind));
}

const std::string& AuthorExample(int format, bool hyphens) {
    return Ranged(hyphens ? 4108 : 4100, format, 8);
}

std::string TargetText(int index, uint16_t workform, const workforms::WorkformCatalog& catalog) {
    if (index < 0) return resources::LoadString(kStrNoTarget);
    const int number = index + 1;
    return resources::FormatString(kStrTargetField, std::to_string(number),
                                   catalog.FieldName(workform, number));
}

}  // namespace recaster::report
