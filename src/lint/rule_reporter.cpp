#include "lint/rule_reporter.h"

#include "base/cp1252.h"
#include "config/pattern_checks.h"

namespace recaster::lint {

const char* SeverityName(Severity s) {
    return s == Severity::Error ? "error" : "warning";
}

std::string Printable(std::string_view cp1252) {
    std::string out;
    for (char c : cp1252) {
        const auto b = static_cast<uint8_t>(c);
        if (b >= 0x20 && b != 0x7F) {
            out += Cp1252ToUtf8(std::string_view(&c, 1));
            continue;
        }
        static const char kHex[] = "0123456789ABCDEF";
        out += {'\\', 'x', kHex[b >> 4], kHex[b & 0xF]};
    }
    return out;
}

std::string Quote(std::string_view cp1252) {
    return "'" + Printable(cp1252) + "'";
}

std::string DatabaseSubject(const config::CCfgDatabase& db) {
    return db.name.empty() ? std::string("''") : Printable(db.name);
}

std::string FieldKey(const config::CCfgField& field, const config::CCfgField* parent) {
    const std::string tag = field.tag.empty() ? std::string("''") : Printable(field.tag);
    return parent != nullptr ? FieldKey(*parent, nullptr) + "/" + tag : tag;
}

std::string FieldSubject(const config::CCfgDatabase& db, const config::CCfgField& field,
                         const config::CCfgField* parent) {
    return DatabaseSubject(db) + "/" + FieldKey(field, parent);
}

std::string FormatSubject(const std::string& name) {
    return name.empty() ? std::string("the default format") : "the format for " + Quote(name);
}

std::string DoubledMessage(const char* what, char c) {
    if (c == ' ')
        return std::string("The ") + what +
               " has two spaces in a row, which the pattern syntax does not allow here; "
               "remove one.";
    const std::string ch(1, c);
    return std::string("The ") + what + " has two '" + ch +
           "' in a row; a format string cannot have more than one '" + ch +
           "' character in a row. Remove one, or put a backslash before the first to mean a "
           "literal '" +
           ch + "'.";
}

void Reporter::Length(const Location& where, const std::string& subject, std::string_view text,
                      size_t limit, const char* what, const char* dialog) {
    if (text.size() <= limit) return;
    Error("too-long", where, subject,
          std::string("The ") + what + " has " + std::to_string(text.size()) + " characters; " +
              dialog + " accepts at most " + std::to_string(limit) + ".");
}

void Reporter::Pattern(const Location& where, const std::string& subject, std::string_view text,
                       std::string_view specials, const char* what) {
    if (auto c = config::DoubledCharacter(text, specials))
        Error("doubled-character", where, subject, DoubledMessage(what, *c));
}

void Reporter::Range(const Location& where, const std::string& subject, long long value,
                     long long low, long long high, const char* what, const char* allowed) {
    if (value >= low && value <= high) return;
    Error("out-of-range", where, subject,
          std::string("The ") + what + " is " + std::to_string(value) + "; it must be " + allowed +
              ".");
}

}  // namespace recaster::lint
