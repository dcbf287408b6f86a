// Report options and font in the settings store.
#include "report/report_options.h"

#include "base/cp1252.h"

namespace recaster::report {
namespace {

constexpr std::string_view kPointSize = "PointSize";

// A settings value as the unsigned byte it is stored as (values are written
// as the numbers they hold; anything else reads as its low byte).
uint8_t ReadByte(const SettingsKeyHelper& settings, std::string_view section,
                 std::string_view name) {
    return static_cast<uint8_t>(settings.ReadInt(section, name, 0));
}

}  // namespace

CCfgRptOptions CCfgRptOptions::All(bool on) {
    const int32_t v = on ? 1 : 0;
    return {kDestinationTextFile, v, v, v, v, v, v};
}

int32_t ReadOption(const SettingsKeyHelper& settings, std::string_view name) {
    return settings.ReadInt(kOptionsSection, name, 0);
}

void WriteOption(const SettingsKeyHelper& settings, std::string_view name, int32_t value) {
    settings.WriteInt(kOptionsSection, name, value);
}

CCfgRptOptions CCfgRptOptions::Read(const SettingsKeyHelper& settings) {
    CCfgRptOptions o;
    for (const OptionValue& v : kOptionValues) o.*v.member = ReadOption(settings, v.name);
    return o;
}

void CCfgRptOptions::Write(const SettingsKeyHelper& settings) const {
    for (const OptionValue& v : kOptionValues) WriteOption(settings, v.name, this->*v.member);
}

bool CCfgRptFontSpec::Read(const SettingsKeyHelper& settings, std::string_view section) {
    height = settings.ReadInt(section, "Height", 0);
    if (height == 0) return false;
    weight = settings.ReadInt(section, "Weight", 0);
    italic = ReadByte(settings, section, "Italic");
    underline = ReadByte(settings, section, "Underline");
    pitchAndFamily = ReadByte(settings, section, "PitchAndFamily");
    // Settings hold UTF-8; the face name is a model text of one byte per
    // character, so the cut never splits a character.
    faceName = ToCp1252Lossy(settings.ReadText(section, "FaceName", "System"));
    if (faceName.size() > kFaceNameMax) faceName.resize(kFaceNameMax);
    return true;
}

void CCfgRptFontSpec::Write(const SettingsKeyHelper& settings, std::string_view section) const {
    settings.WriteInt(section, "Height", height);
    if (height == 0) return;
    settings.WriteInt(section, "Weight", weight);
    settings.WriteInt(section, "Italic", italic);
    settings.WriteInt(section, "Underline", underline);
    settings.WriteInt(section, "PitchAndFamily", pitchAndFamily);
    settings.WriteText(section, "FaceName", Cp1252ToUtf8(faceName));
}

int32_t ReadPointSize(const SettingsKeyHelper& settings) {
    return settings.ReadInt(kFontSection, kPointSize, 0);
}

void WritePointSize(const SettingsKeyHelper& settings, int32_t points) {
    settings.WriteInt(kFontSection, kPointSize, points);
}

}  // namespace recaster::report
