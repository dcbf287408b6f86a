// CCfgRptWriter: where a configuration report's text goes. The report writes
// texts and line ends through it and knows nothing of files; the hints (font,
// point size, margins) describe a printed form, which no writer of this
// program produces, so writers keep them without using them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace recaster::report {

// What the report tells a writer about the font stored for reports.
struct FontHint {
    int32_t pointSize = 0;     // "PointSize"; 0 = none stored
    bool fontPresent = false;  // a report font is stored
};

class CCfgRptWriter {
  public:
    static constexpr int kMarginPoints = 72;  // on every side
    static constexpr int kDefaultPointSize = 12;

    virtual ~CCfgRptWriter() = default;

    const FontHint& fontHint() const { return font_; }
    void SetFontHint(const FontHint& hint) { font_ = hint; }

    virtual void BeginDocument() = 0;
    virtual void EndDocument() = 0;
    // Ends a line; a text writer writes carriage return and line feed.
    virtual void NewLine() = 0;
    virtual void SectionBreak() = 0;
    // Appends the bytes as they are.
    virtual void WriteBytes(std::span<const uint8_t> bytes) = 0;
    // Makes everything written so far reach its destination. The report
    // calls it after every step, so a report that is stopped or fails keeps
    // the steps it finished.
    virtual void Flush() {}

    // Writes the text up to its first NUL byte, if it has one, through
    // WriteBytes: the report never holds a NUL.
    void WriteText(std::string_view text);

  private:
    FontHint font_;
};

}  // namespace recaster::report
