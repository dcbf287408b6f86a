// What the rule files share: collecting findings, naming objects the way
// people do ("MEDLIT/PB/a"), and quoting configuration texts in messages.
#pragma once

#include <string>
#include <string_view>

#include "config/database.h"
#include "config/field.h"
#include "lint/finding.h"

namespace recaster::lint {

// A Windows-1252 text in UTF-8 with its control characters as \xNN, so a
// finding stays on one line.
std::string Printable(std::string_view cp1252);
// The same in single quotes.
std::string Quote(std::string_view cp1252);

// How people name the objects of a configuration.
std::string DatabaseSubject(const config::CCfgDatabase& db);
// "DB/TAG", or "DB/PARENT/TAG" for a subfield with its parent.
std::string FieldSubject(const config::CCfgDatabase& db, const config::CCfgField& field,
                         const config::CCfgField* parent);
// The key of a field in messages: "TAG" or "PARENT/TAG".
std::string FieldKey(const config::CCfgField& field, const config::CCfgField* parent);
// "the default format" or "the format for 'NAME'".
std::string FormatSubject(const std::string& name);

class Reporter {
  public:
    explicit Reporter(Findings& out) : out_(out) {}

    void Error(const char* rule, Location where, std::string subject, std::string message) {
        Add(Severity::Error, rule, std::move(where), std::move(subject), std::move(message));
    }
    void Warning(const char* rule, Location where, std::string subject, std::string message) {
        Add(Severity::Warning, rule, std::move(where), std::move(subject), std::move(message));
    }

    // "too-long" when `text` is longer than `limit`: "The WHAT has N
    // characters; DIALOG accepts at most LIMIT."
    void Length(const Location& where, const std::string& subject, std::string_view text,
                size_t limit, const char* what, const char* dialog);
    // "doubled-character" when a special of `specials` stands twice in a row.
    void Pattern(const Location& where, const std::string& subject, std::string_view text,
                 std::string_view specials, const char* what);
    // "out-of-range" unless low <= value <= high; `allowed` names the values.
    void Range(const Location& where, const std::string& subject, long long value, long long low,
               long long high, const char* what, const char* allowed);

  private:
    void Add(Severity severity, const char* rule, Location where, std::string subject,
             std::string message) {
        out_.push_back({severity, rule, std::move(where), std::move(subject), std::move(message)});
    }
    Findings& out_;
};

// The sentence for a doubled special character `c` in the WHAT.
std::string DoubledMessage(const char* what, char c);

}  // namespace recaster::lint
