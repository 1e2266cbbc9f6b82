#include "platform/files/PropertyListDate.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace ov::plist {
namespace {

struct CivilDate {
    long long year;
    unsigned month;
    unsigned day;
};

// Days since 1970-01-01 of a proleptic Gregorian date, and back (H. Hinnant's algorithms).
constexpr long long daysFromCivil(CivilDate date) {
    const long long year = date.year - (date.month <= 2 ? 1 : 0);
    const long long era = (year >= 0 ? year : year - 399) / 400;
    const auto yearOfEra = static_cast<unsigned>(year - era * 400);
    const unsigned dayOfYear =
        (153 * (date.month > 2 ? date.month - 3 : date.month + 9) + 2) / 5 + date.day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + static_cast<long long>(dayOfEra) - 719468;
}

constexpr CivilDate civilFromDays(long long days) {
    days += 719468;
    const long long era = (days >= 0 ? days : days - 146096) / 146097;
    const auto dayOfEra = static_cast<unsigned>(days - era * 146097);
    const unsigned yearOfEra =
        (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const unsigned dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const unsigned shiftedMonth = (5 * dayOfYear + 2) / 153;
    const unsigned month = shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9;
    return {static_cast<long long>(yearOfEra) + era * 400 + (month <= 2 ? 1 : 0), month,
            dayOfYear - (153 * shiftedMonth + 2) / 5 + 1};
}

constexpr long long kSecondsPerDay = 86400;
constexpr long long kReferenceDay = daysFromCivil({2001, 1, 1});
constexpr long long kFirstSecond = (daysFromCivil({1, 1, 1}) - kReferenceDay) * kSecondsPerDay;
constexpr long long kLastSecond =
    (daysFromCivil({10000, 1, 1}) - kReferenceDay) * kSecondsPerDay - 1;

bool isLeapYear(long long year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

unsigned daysInMonth(long long year, unsigned month) {
    static constexpr std::array<unsigned, 12> kDays{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return month == 2 && isLeapYear(year) ? 29 : kDays[month - 1];
}

// Walks a date text field by field; any mismatch leaves it failed.
class DateScanner {
  public:
    explicit DateScanner(std::string_view text) : m_text(text) {}

    unsigned digits(size_t count) {
        unsigned value = 0;
        for (size_t i = 0; i < count; ++i) {
            const char digit = next();
            if (digit < '0' || digit > '9') m_failed = true;
            value = value * 10 + static_cast<unsigned>(digit - '0');
        }
        return value;
    }
    void literal(char expected) {
        if (next() != expected) m_failed = true;
    }
    // The fraction after the seconds: "" or "." and digits.
    double fraction() {
        if (m_position >= m_text.size() || m_text[m_position] != '.') return 0;
        const size_t start = m_position;
        ++m_position;
        while (m_position < m_text.size() && m_text[m_position] >= '0' && m_text[m_position] <= '9')
            ++m_position;
        if (m_position == start + 1) m_failed = true;
        double value = 0;
        std::from_chars(m_text.data() + start, m_text.data() + m_position, value);
        return value;
    }
    bool finishedCleanly() const { return !m_failed && m_position == m_text.size(); }

  private:
    char next() { return m_position < m_text.size() ? m_text[m_position++] : '\0'; }

    std::string_view m_text;
    size_t m_position = 0;
    bool m_failed = false;
};

}  // namespace

std::optional<std::string> xmlDateText(double secondsSinceReferenceDate) {
    const double whole = std::floor(secondsSinceReferenceDate);
    if (!(whole >= static_cast<double>(kFirstSecond) && whole <= static_cast<double>(kLastSecond)))
        return std::nullopt;
    const auto seconds = static_cast<long long>(whole);
    // Floor division, so moments before 2001 land on the right day.
    long long days = seconds / kSecondsPerDay;
    if (seconds % kSecondsPerDay < 0) --days;
    const long long secondOfDay = seconds - days * kSecondsPerDay;
    const CivilDate date = civilFromDays(days + kReferenceDay);
    char text[96];  // room for any value of the fields, as the compiler checks
    std::snprintf(text, sizeof text, "%04lld-%02u-%02uT%02lld:%02lld:%02lldZ", date.year,
                  date.month, date.day, secondOfDay / 3600, secondOfDay / 60 % 60,
                  secondOfDay % 60);
    return text;
}

std::optional<double> secondsFromXmlDate(std::string_view text) {
    DateScanner scanner(text);
    const long long year = scanner.digits(4);
    scanner.literal('-');
    const unsigned month = scanner.digits(2);
    scanner.literal('-');
    const unsigned day = scanner.digits(2);
    scanner.literal('T');
    const unsigned hour = scanner.digits(2);
    scanner.literal(':');
    const unsigned minute = scanner.digits(2);
    scanner.literal(':');
    const unsigned second = scanner.digits(2);
    const double fraction = scanner.fraction();
    scanner.literal('Z');
    if (!scanner.finishedCleanly() || year < 1 || month < 1 || month > 12 || day < 1 ||
        day > daysInMonth(year, month) || hour > 23 || minute > 59 || second > 59)
        return std::nullopt;
    const long long days = daysFromCivil({year, month, day}) - kReferenceDay;
    const auto whole =
        static_cast<double>(days * kSecondsPerDay + hour * 3600 + minute * 60 + second);
    // A fraction so close to one that the sum rounds up still belongs to its own second.
    const double moment = whole + fraction;
    return std::floor(moment) == whole ? moment : std::nextafter(whole + 1, whole);
}

}  // namespace ov::plist
