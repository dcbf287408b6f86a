// The date and time of a report's "Report Generated" line.
#pragma once

#include <ctime>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace recaster::report {

// A SOURCE_DATE_EPOCH value that is not a whole number of seconds.
class BadReportDate : public std::invalid_argument {
  public:
    explicit BadReportDate(std::string value)
        : std::invalid_argument("SOURCE_DATE_EPOCH=\"" + value +
                                "\" is not a whole number of seconds since 1970"),
          value_(std::move(value)) {}
    const std::string& value() const { return value_; }

  private:
    std::string value_;
};

// When the report happens. Without SOURCE_DATE_EPOCH (or with it empty) it is
// the clock's time in local time; with it, that many seconds since 1970 in
// UTC, so that reports made anywhere from the same configuration are equal
// byte for byte. Raises BadReportDate for a value that is not a number of
// seconds (digits only) the calendar can hold.
std::tm ReportTimeNow();

// `value` of SOURCE_DATE_EPOCH as a UTC time; BadReportDate when malformed.
std::tm ReportTimeFromEpoch(std::string_view value);

// "%A, %B %d, %Y %I:%M%p" in the C locale, whatever locale the program
// runs in: "Tuesday, March 05, 2024 02:07PM".
std::string FormatReportDate(const std::tm& time);

}  // namespace recaster::report
