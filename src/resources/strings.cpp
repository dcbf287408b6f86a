// The string table and placeholder filling.
#include "resources/strings.h"

#include <map>

namespace recaster::resources {
namespace {

const std::map<int, std::string>& Table() {
    static const std::map<int, std::string> table = {
        // The default database of a new configuration.
        {80, "Default"},
        {81, "Default Database Definition"},
        // No target field.
        {82, "* Do Not Transfer"},
        // Field types, 96 + type.
        {96, "Normal Text"},
        {97, "Multi Text"},
        {98, "Date"},
        {99, "Parsed"},
        {100, "Parsed with Subfields"},
        {101, "Document Type"},
        {102, "Literal Stream"},
        {103, "Author"},
        // Parse component placeholders, 112 + kind, and names, 119 + kind.
        {112, "<title>"},
        {113, "<volume>"},
        {114, "<issue>"},
        {115, "<pages>"},
        {116, "<date>"},
        {117, "<ISSN>"},
        {118, "<CODEN>"},
        {119, "Title"},
        {120, "Volume"},
        {121, "Issue"},
        {122, "Pages"},
        {123, "Date"},
        {124, "ISSN"},
        {125, "CODEN"},
        // The default document type entry.
        {126, "* Default"},
        // Case conversions: 4093 for the default (-1), 4094 + value.
        {4093, "Default"},
        {4094, "No Conversion"},
        {4095, "Upper Case All"},
        {4096, "Lower Case All"},
        {4097, "Title Case"},
        {4098, "Sentence Case"},
        {4099, "Smart Conversion"},
        // Author formats: 4100 + format, 4108 + format with hyphens.
        {4100, "Smith, Joseph S."},
        {4101, "Smith, J. S."},
        {4102, "Smith, JS"},
        {4103, "Smith, J S"},
        {4104, "Smith Joseph S."},
        {4105, "Smith J. S."},
        {4106, "Smith JS"},
        {4107, "Smith J S"},
        {4108, "Smith,-Joseph-S."},
        {4109, "Smith,-J.-S."},
        {4110, "Smith,-JS"},
        {4111, "Smith,-J-S"},
        {4112, "Smith-Joseph-S."},
        {4113, "Smith-J.-S."},
        {4114, "Smith-JS"},
        {4115, "Smith-J-S"},
    };
    return table;
}

}  // namespace

const std::string& LoadString(int id) {
    static const std::string empty;
    const auto& table = Table();
    auto it = table.find(id);
    return it == table.end() ? empty : it->second;
}

std::string FillPlaceholders(std::string_view text, std::string_view first,
                             std::string_view second) {
    std::string out;
    out.reserve(text.size() + first.size() + second.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 1 < text.size() && (text[i + 1] == '1' || text[i + 1] == '2')) {
            out += text[i + 1] == '1' ? first : second;
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace recaster::resources
