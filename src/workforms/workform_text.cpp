#include "workforms/workform_text.h"

#include <cstdio>

#include "base/cp1252.h"
#include "base/errors.h"

namespace recaster::workforms {
namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r'))
        s.remove_suffix(1);
    return s;
}

class TextParser {
  public:
    explicit TextParser(const std::string& path) : path_(path) {}

    [[noreturn]] void Fail(int line, const std::string& what) const {
        throw ArchiveError(ArchiveError::Cause::Generic, path_,
                           (line > 0 ? "line " + std::to_string(line) + ": " : "") + what);
    }

    std::string ToModel(std::string_view utf8, int line) const {
        std::string out;
        if (!ToCp1252(utf8, out)) Fail(line, "text has a character Windows-1252 cannot hold");
        return out;
    }

    // Field lines are "NN: name" with exactly two digits.
    static int FieldNumber(std::string_view key) {
        if (key.size() != 2 || key[0] < '0' || key[0] > '9' || key[1] < '0' || key[1] > '9')
            return 0;
        return (key[0] - '0') * 10 + (key[1] - '0');
    }

    WorkformFile Parse(std::string_view text) {
        WorkformFile form;
        bool have_letter = false, have_name = false;
        bool seen[kFieldCount + 1] = {};
        int line_no = 0;
        while (!text.empty()) {
            const size_t end = text.find('\n');
            const std::string_view line = Trim(text.substr(0, end));
            text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
            ++line_no;
            if (line.empty() || line.front() == '#') continue;

            const size_t colon = line.find(':');
            if (colon == std::string_view::npos) Fail(line_no, "expected \"key: value\"");
            const std::string_view key = Trim(line.substr(0, colon));
            const std::string_view value = Trim(line.substr(colon + 1));
            if (key == "Letter") {
                if (have_letter) Fail(line_no, "second Letter line");
                if (value.size() != 1 || value[0] < 'A' || value[0] > 'T')
                    Fail(line_no, "the letter must be one of A to T");
                form.id = static_cast<WorkformId>(value[0] - 'A');
                have_letter = true;
            } else if (key == "Name") {
                if (have_name) Fail(line_no, "second Name line");
                form.name = ToModel(value, line_no);
                have_name = true;
            } else if (const int n = FieldNumber(key); IsFieldNumber(n)) {
                if (seen[n]) Fail(line_no, "field " + std::string(key) + " appears twice");
                seen[n] = true;
                form.field_names[n - 1] = ToModel(value, line_no);
                if (value != kUnusedFieldName) form.defined_fields.Add(n);
            } else {
                Fail(line_no, "unknown key \"" + std::string(key) + "\"");
            }
        }
        if (!have_letter) Fail(0, "no Letter line");
        if (!have_name) Fail(0, "no Name line");
        for (int n = 1; n <= kFieldCount; ++n)
            if (!seen[n]) Fail(0, "field " + std::to_string(n) + " is missing");
        return form;
    }

  private:
    const std::string& path_;
};

}  // namespace

WorkformFile ParseWorkformText(std::string_view text, const std::string& path) {
    return TextParser(path).Parse(text);
}

std::string FormatWorkformText(const WorkformFile& form) {
    std::string out;
    out += "Letter: ";
    if (form.id < kWorkformLetters)
        out += static_cast<char>('A' + form.id);
    else
        out += "?";
    out += "\nName: " + Cp1252ToUtf8(form.name) + "\n";
    for (int n = 1; n <= kFieldCount; ++n) {
        char number[8];
        std::snprintf(number, sizeof number, "%02d: ", n);
        out += number;
        out += form.defined_fields.Contains(n) ? Cp1252ToUtf8(form.field_names[n - 1])
                                               : std::string(kUnusedFieldName);
        out += "\n";
    }
    return out;
}

}  // namespace recaster::workforms
