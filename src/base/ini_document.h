// The text of one settings (INI) file held as its lines, so that a value can be
// looked up or changed while every other line, comments and lines we do not
// understand included, is written back as it was.
//
// Format, one item per line (lines end in LF; a CR before it is dropped):
//
//   LINE              MEANING
//   [Section]         starts a section; the name is trimmed
//   key=value         a value of the current section; the key is trimmed, the
//                     value trimmed and, when it starts and ends with '"',
//                     stripped of that one pair of quotes
//   ; text, # text    comment
//   anything else     kept as it is, otherwise ignored
//
// Section and key names compare ignoring ASCII letter case. When a name occurs
// twice, the first occurrence counts. Values are single lines of bytes, kept
// verbatim: a value with spaces at either end, or starting with '"', is
// written quoted so that it reads back unchanged.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace recaster {

class IniDocument {
  public:
    IniDocument() = default;
    explicit IniDocument(std::string_view text);

    // The value of `key` in `section`, or nothing.
    std::optional<std::string> Get(std::string_view section, std::string_view key) const;

    // Sets a value: replaces the key's line, or adds the key at the end of the
    // section, or adds the section at the end. Returns false, changing
    // nothing, when the names or the value cannot be written as one line (a
    // line break or NUL anywhere, an empty name, '=' in the key, ']' in the
    // section, a key starting with '[', ';' or '#').
    bool Set(std::string_view section, std::string_view key, std::string_view value);

    // The whole text, each line ended by LF.
    std::string Text() const;

  private:
    std::vector<std::string> lines_;
};

}  // namespace recaster
