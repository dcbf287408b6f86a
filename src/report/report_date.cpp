// Report dates: the clock or SOURCE_DATE_EPOCH, and their English text.
#include "report/report_date.h"

#include <charconv>
#include <cstdint>
#include <cstdlib>

namespace recaster::report {
namespace {

constexpr const char* kWeekdays[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                     "Thursday", "Friday", "Saturday"};
constexpr const char* kMonths[] = {"January",   "February", "March",    "April",
                                   "May",       "June",     "July",     "August",
                                   "September", "October",  "November", "December"};

void AppendTwoDigits(std::string& out, int value) {
    out += static_cast<char>('0' + value / 10 % 10);
    out += static_cast<char>('0' + value % 10);
}

}  // namespace

std::tm ReportTimeFromEpoch(std::string_view value) {
    int64_t seconds = 0;
    const char* end = value.data() + value.size();
    auto [ptr, ec] = std::from_chars(value.data(), end, seconds);
    std::tm out{};
    const bool digitsOnly = !value.empty() && value.find_first_not_of("0123456789") == value.npos;
    if (!digitsOnly || ec != std::errc() || ptr != end) throw BadReportDate(std::string(value));
    const auto t = static_cast<std::time_t>(seconds);
    if (::gmtime_r(&t, &out) == nullptr) throw BadReportDate(std::string(value));
    return out;
}

std::tm ReportTimeNow() {
    const char* epoch = std::getenv("SOURCE_DATE_EPOCH");
    if (epoch != nullptr && *epoch != '\0') return ReportTimeFromEpoch(epoch);
    const std::time_t now = std::time(nullptr);
    std::tm out{};
    ::localtime_r(&now, &out);
    return out;
}

std::string FormatReportDate(const std::tm& time) {
    std::string out;
    out += kWeekdays[(time.tm_wday % 7 + 7) % 7];
    out += ", ";
    out += kMonths[(time.tm_mon % 12 + 12) % 12];
    out += ' ';
    AppendTwoDigits(out, time.tm_mday);
    out += ", ";
    out += std::to_string(int64_t{time.tm_year} + 1900);
    out += ' ';
    const int hour12 = time.tm_hour % 12 == 0 ? 12 : time.tm_hour % 12;
    AppendTwoDigits(out, hour12);
    out += ':';
    AppendTwoDigits(out, time.tm_min);
    out += time.tm_hour < 12 ? "AM" : "PM";
    return out;
}

}  // namespace recaster::report
