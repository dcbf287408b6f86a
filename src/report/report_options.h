// The report's settings: which parts a configuration report contains
// (section "CfgRptOptions") and the report font kept for a printed form
// (section "CfgRptFont"). The options dialog writes them; every report reads
// them again when it starts.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "base/settings.h"

namespace recaster::report {

inline constexpr std::string_view kOptionsSection = "CfgRptOptions";
inline constexpr std::string_view kFontSection = "CfgRptFont";

// "Destination": 1 a text file, the only destination there is. 0 was kept
// for a printer; a report treats any value as a text file.
inline constexpr int32_t kDestinationTextFile = 1;

// Seven 32-bit values, each 0 when absent; any non-zero value is "on".
struct CCfgRptOptions {
    int32_t destination = 0;      // "Destination"
    int32_t dlFileStructure = 0;  // "DLFileStructure": the download file structure
    int32_t dbList = 0;           // "DBList": every database's definition
    int32_t dbDetails = 0;        // "DBDetails": the selected database in detail
    int32_t dbFields = 0;         // "DBFields": its field table (with DBDetails)
    int32_t autoParseFmts = 0;    // "AutoParseFmts": its parsing format (with DBDetails)
    int32_t fieldDetails = 0;     // "FieldDetails": every field in full (with DBDetails)

    // Every section on (or off), destination a text file.
    static CCfgRptOptions All(bool on = true);

    // Reads all seven values in one call.
    static CCfgRptOptions Read(const SettingsKeyHelper& settings);
    // Writes the seven values in the order above. FileError when the
    // settings file cannot be written.
    void Write(const SettingsKeyHelper& settings) const;

    friend bool operator==(const CCfgRptOptions&, const CCfgRptOptions&) = default;
};

// The seven values with their settings names, in the order they are written.
struct OptionValue {
    std::string_view name;
    int32_t CCfgRptOptions::*member;
};
inline constexpr std::array<OptionValue, 7> kOptionValues{{
    {"Destination", &CCfgRptOptions::destination},
    {"DLFileStructure", &CCfgRptOptions::dlFileStructure},
    {"DBList", &CCfgRptOptions::dbList},
    {"DBDetails", &CCfgRptOptions::dbDetails},
    {"DBFields", &CCfgRptOptions::dbFields},
    {"AutoParseFmts", &CCfgRptOptions::autoParseFmts},
    {"FieldDetails", &CCfgRptOptions::fieldDetails},
}};

// One option value by its settings name.
int32_t ReadOption(const SettingsKeyHelper& settings, std::string_view name);
void WriteOption(const SettingsKeyHelper& settings, std::string_view name, int32_t value);

// The report font. A height of 0 means no font is stored.
struct CCfgRptFontSpec {
    static constexpr size_t kFaceNameMax = 31;  // characters, within a 32-byte field

    int32_t height = 0;
    int32_t weight = 0;
    uint8_t italic = 0;
    uint8_t underline = 0;
    uint8_t pitchAndFamily = 0;
    std::string faceName = "System";  // Windows-1252

    // Reads "Height"; when it is 0 nothing else is read and the result is
    // false (no font). Otherwise reads the rest, the face name cut to 31
    // characters, and returns true.
    bool Read(const SettingsKeyHelper& settings, std::string_view section = kFontSection);
    // Writes "Height", and the other five values only when it is not 0.
    void Write(const SettingsKeyHelper& settings, std::string_view section = kFontSection) const;
};

// "PointSize" of section "CfgRptFont", 0 when absent.
int32_t ReadPointSize(const SettingsKeyHelper& settings);
void WritePointSize(const SettingsKeyHelper& settings, int32_t points);

}  // namespace recaster::report
