#include "IsoDate.h"

#include "orvane/platform/time/Calendar.h"

namespace orvane::cli {
namespace {

// Reads the text from left to right; every read fails once the text does not fit.
class Reader {
  public:
    explicit Reader(std::string_view text) : m_text(text) {}

    bool atEnd() const { return m_cursor == m_text.size(); }
    bool skip(char c) {
        if (atEnd() || m_text[m_cursor] != c) return false;
        ++m_cursor;
        return true;
    }
    std::optional<long> digits(size_t count) {
        if (m_text.size() - m_cursor < count) return std::nullopt;
        long value = 0;
        for (size_t i = 0; i < count; ++i) {
            const char c = m_text[m_cursor + i];
            if (c < '0' || c > '9') return std::nullopt;
            value = value * 10 + (c - '0');
        }
        m_cursor += count;
        return value;
    }
    // The digits after a decimal point, as a fraction of one.
    double fraction() {
        double value = 0;
        for (double scale = 0.1; !atEnd() && m_text[m_cursor] >= '0' && m_text[m_cursor] <= '9';
             scale /= 10) {
            value += (m_text[m_cursor++] - '0') * scale;
        }
        return value;
    }

  private:
    std::string_view m_text;
    size_t m_cursor = 0;
};

struct Moment {
    ov::DateComponents fields;
    double fraction = 0;
    std::optional<long> offset;  // seconds east of UTC; none for local time
};

// "Z", "+02:00", "+0200", "+02", "-05:30"; none at the end of the text (local time).
std::optional<std::optional<long>> readZone(Reader& reader) {
    if (reader.atEnd()) return std::optional<long>();
    if (reader.skip('Z')) return std::optional<long>(0);
    const bool west = reader.skip('-');
    if (!west && !reader.skip('+')) return std::nullopt;
    const auto hours = reader.digits(2);
    if (!hours) return std::nullopt;
    long minutes = 0;
    if (!reader.atEnd()) {
        reader.skip(':');
        const auto read = reader.digits(2);
        if (!read) return std::nullopt;
        minutes = *read;
    }
    if (*hours > 23 || minutes > 59) return std::nullopt;
    const long offset = *hours * 3600 + minutes * 60;
    return std::optional<long>(west ? -offset : offset);
}

std::optional<Moment> readMoment(std::string_view text) {
    Reader reader(text);
    Moment moment;
    ov::DateComponents& fields = moment.fields;
    fields.year = reader.digits(4);
    if (!fields.year || !reader.skip('-') || !(fields.month = reader.digits(2)) ||
        !reader.skip('-') || !(fields.day = reader.digits(2))) {
        return std::nullopt;
    }
    fields.hour = fields.minute = fields.second = 0;
    if (reader.atEnd()) return moment;
    if (!reader.skip('T') || !(fields.hour = reader.digits(2)) || !reader.skip(':') ||
        !(fields.minute = reader.digits(2))) {
        return std::nullopt;
    }
    if (reader.skip(':')) {
        if (!(fields.second = reader.digits(2))) return std::nullopt;
        if (reader.skip('.')) moment.fraction = reader.fraction();
    }
    const auto zone = readZone(reader);
    if (!zone || !reader.atEnd()) return std::nullopt;
    moment.offset = *zone;
    return moment;
}

}  // namespace

std::optional<ov::Date> parseIsoDate(std::string_view text) {
    const auto moment = readMoment(text);
    if (!moment) return std::nullopt;
    ov::Calendar calendar = ov::Calendar::gregorian();
    if (moment->offset) {
        const auto zone = ov::TimeZone::timeZoneForSecondsFromGMT(*moment->offset);
        if (!zone) return std::nullopt;
        calendar.setTimeZone(*zone);
    }
    const auto date = calendar.dateFromComponents(moment->fields);
    // The calendar rolls impossible fields over (February 30 into March); reading them back
    // tells.
    constexpr unsigned kFields = ov::CalendarUnitYear | ov::CalendarUnitMonth |
                                 ov::CalendarUnitDay | ov::CalendarUnitHour |
                                 ov::CalendarUnitMinute | ov::CalendarUnitSecond;
    if (!date || calendar.components(kFields, *date) != moment->fields) return std::nullopt;
    return date->dateByAddingTimeInterval(moment->fraction);
}

}  // namespace orvane::cli
