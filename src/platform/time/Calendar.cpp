#include "orvane/platform/time/Calendar.h"

#include <unicode/calendar.h>
#include <unicode/locid.h>

#include <array>
#include <climits>
#include <cmath>

#include "platform/time/IcuSupport.h"

namespace ov {

namespace {

using icu_support::fromUDate;
using icu_support::toUDate;

// Our units with ICU's fields, in the order a difference or an addition takes them.
struct UnitField {
    CalendarUnit unit;
    UCalendarDateFields field;
    std::optional<long> DateComponents::*member;
};

constexpr std::array kArithmeticOrder{
    UnitField{CalendarUnitEra, UCAL_ERA, &DateComponents::era},
    UnitField{CalendarUnitYear, UCAL_YEAR, &DateComponents::year},
    UnitField{CalendarUnitMonth, UCAL_MONTH, &DateComponents::month},
    UnitField{CalendarUnitWeek, UCAL_WEEK_OF_YEAR, &DateComponents::week},
    UnitField{CalendarUnitWeekOfYear, UCAL_WEEK_OF_YEAR, &DateComponents::weekOfYear},
    UnitField{CalendarUnitWeekOfMonth, UCAL_WEEK_OF_MONTH, &DateComponents::weekOfMonth},
    UnitField{CalendarUnitDay, UCAL_DATE, &DateComponents::day},
    UnitField{CalendarUnitHour, UCAL_HOUR_OF_DAY, &DateComponents::hour},
    UnitField{CalendarUnitMinute, UCAL_MINUTE, &DateComponents::minute},
    UnitField{CalendarUnitSecond, UCAL_SECOND, &DateComponents::second},
};

icu::Locale icuLocale(const Locale& locale, const String& identifier) {
    icu::Locale result = icu::Locale::createFromName(locale.localeIdentifier().toUtf8().c_str());
    UErrorCode status = U_ZERO_ERROR;
    result.setKeywordValue("calendar", identifier.toUtf8().c_str(), status);
    return result;
}

bool fitsInt32(long value) {
    return value >= INT32_MIN && value <= INT32_MAX;
}

}  // namespace

// The ICU calendar, made for the zone and locale it was built with.
struct Calendar::Engine {
    String zoneName;
    String localeIdentifier;
    std::unique_ptr<icu::Calendar> calendar;

    long get(UCalendarDateFields field) const {
        UErrorCode status = U_ZERO_ERROR;
        const int32_t value = calendar->get(field, status);
        return U_SUCCESS(status) ? value : 0;
    }
    bool setTime(const Date& date) const {
        const UDate milliseconds = toUDate(date);
        if (!std::isfinite(milliseconds)) return false;
        UErrorCode status = U_ZERO_ERROR;
        calendar->setTime(milliseconds, status);
        return U_SUCCESS(status);
    }
    std::optional<Date> time() const {
        UErrorCode status = U_ZERO_ERROR;
        const UDate milliseconds = calendar->getTime(status);
        if (U_FAILURE(status)) return std::nullopt;
        return fromUDate(milliseconds);
    }
};

Calendar::Calendar(String identifier, bool autoupdating)
    : m_identifier(std::move(identifier)), m_autoupdating(autoupdating) {
    if (!autoupdating) {
        m_timeZone = TimeZone::defaultTimeZone();
        m_locale = Locale::currentLocale();
    }
}

Calendar::Calendar(const Calendar& other)
    : m_identifier(other.m_identifier),
      m_autoupdating(other.m_autoupdating),
      m_timeZone(other.m_timeZone),
      m_locale(other.m_locale),
      m_firstWeekday(other.m_firstWeekday) {}

Calendar& Calendar::operator=(const Calendar& other) {
    if (this != &other) *this = Calendar(other);
    return *this;
}

Calendar::Calendar(Calendar&&) noexcept = default;
Calendar& Calendar::operator=(Calendar&&) noexcept = default;
Calendar::~Calendar() = default;

namespace {
String currentCalendarIdentifier() {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Calendar> calendar(
        icu::Calendar::createInstance(icu::Locale::getDefault(), status));
    return U_SUCCESS(status) ? String(calendar->getType()) : String("gregorian");
}
}  // namespace

Calendar Calendar::currentCalendar() {
    return Calendar(currentCalendarIdentifier(), false);
}

Calendar Calendar::autoupdatingCurrentCalendar() {
    return Calendar(currentCalendarIdentifier(), true);
}

std::optional<Calendar> Calendar::calendarWithIdentifier(const String& identifier) {
    Calendar calendar(identifier, false);
    if (String(calendar.engine().calendar->getType()) != identifier) return std::nullopt;
    return calendar;
}

Calendar Calendar::gregorian() {
    return Calendar(String("gregorian"), false);
}

TimeZone Calendar::timeZone() const {
    return m_timeZone ? *m_timeZone : TimeZone::defaultTimeZone();
}

void Calendar::setTimeZone(const TimeZone& zone) {
    m_timeZone = zone;
    m_engine.reset();
}

Locale Calendar::locale() const {
    return m_locale ? *m_locale : Locale::currentLocale();
}

void Calendar::setLocale(const Locale& locale) {
    m_locale = locale;
    m_engine.reset();
}

unsigned long Calendar::firstWeekday() const {
    return static_cast<unsigned long>(engine().calendar->getFirstDayOfWeek());
}

void Calendar::setFirstWeekday(unsigned long weekday) {
    if (weekday < 1 || weekday > 7) return;
    m_firstWeekday = weekday;
    m_engine.reset();
}

unsigned long Calendar::minimumDaysInFirstWeek() const {
    return engine().calendar->getMinimalDaysInFirstWeek();
}

Calendar::Engine& Calendar::engine() const {
    const TimeZone zone = timeZone();
    const Locale locale = this->locale();
    if (m_engine && m_engine->zoneName == zone.name() &&
        m_engine->localeIdentifier == locale.localeIdentifier()) {
        return *m_engine;
    }
    auto engine = std::make_unique<Engine>();
    engine->zoneName = zone.name();
    engine->localeIdentifier = locale.localeIdentifier();
    UErrorCode status = U_ZERO_ERROR;
    engine->calendar.reset(icu::Calendar::createInstance(icu_support::icuZone(zone),
                                                         icuLocale(locale, m_identifier), status));
    if (U_FAILURE(status) || !engine->calendar) {
        status = U_ZERO_ERROR;
        engine->calendar.reset(icu::Calendar::createInstance(icu_support::icuZone(zone), status));
    }
    if (m_firstWeekday) {
        engine->calendar->setFirstDayOfWeek(static_cast<UCalendarDaysOfWeek>(*m_firstWeekday));
    }
    m_engine = std::move(engine);
    return *m_engine;
}

DateComponents Calendar::components(unsigned units, const Date& date) const {
    const Engine& calendar = engine();
    DateComponents result;
    if (!calendar.setTime(date)) return result;
    const auto take = [&](CalendarUnit unit, std::optional<long> DateComponents::*member,
                          long value) {
        if (units & unit) result.*member = value;
    };
    take(CalendarUnitEra, &DateComponents::era, calendar.get(UCAL_ERA));
    take(CalendarUnitYear, &DateComponents::year, calendar.get(UCAL_YEAR));
    take(CalendarUnitMonth, &DateComponents::month, calendar.get(UCAL_MONTH) + 1);
    take(CalendarUnitDay, &DateComponents::day, calendar.get(UCAL_DATE));
    take(CalendarUnitHour, &DateComponents::hour, calendar.get(UCAL_HOUR_OF_DAY));
    take(CalendarUnitMinute, &DateComponents::minute, calendar.get(UCAL_MINUTE));
    take(CalendarUnitSecond, &DateComponents::second, calendar.get(UCAL_SECOND));
    const double seconds = date.timeIntervalSinceReferenceDate();
    take(CalendarUnitNanosecond, &DateComponents::nanosecond,
         std::lround((seconds - std::floor(seconds)) * 1e9));
    take(CalendarUnitWeek, &DateComponents::week, calendar.get(UCAL_WEEK_OF_YEAR));
    take(CalendarUnitWeekOfYear, &DateComponents::weekOfYear, calendar.get(UCAL_WEEK_OF_YEAR));
    take(CalendarUnitWeekOfMonth, &DateComponents::weekOfMonth, calendar.get(UCAL_WEEK_OF_MONTH));
    take(CalendarUnitWeekday, &DateComponents::weekday, calendar.get(UCAL_DAY_OF_WEEK));
    take(CalendarUnitWeekdayOrdinal, &DateComponents::weekdayOrdinal,
         calendar.get(UCAL_DAY_OF_WEEK_IN_MONTH));
    take(CalendarUnitYearForWeekOfYear, &DateComponents::yearForWeekOfYear,
         calendar.get(UCAL_YEAR_WOY));
    return result;
}

DateComponents Calendar::components(unsigned units, const Date& from, const Date& to) const {
    const Engine& calendar = engine();
    DateComponents result;
    const UDate target = toUDate(to);
    if (!std::isfinite(target) || !calendar.setTime(from)) return result;
    for (const UnitField& entry : kArithmeticOrder) {
        if (!(units & entry.unit)) continue;
        UErrorCode status = U_ZERO_ERROR;
        const int32_t difference = calendar.calendar->fieldDifference(target, entry.field, status);
        result.*entry.member = U_SUCCESS(status) ? difference : 0;
    }
    if (units & CalendarUnitNanosecond) {
        UErrorCode status = U_ZERO_ERROR;
        const double remaining = target - calendar.calendar->getTime(status);
        result.nanosecond = std::lround(remaining * 1e6);
    }
    return result;
}

std::optional<Date> Calendar::dateFromComponents(const DateComponents& components) const {
    const Engine& calendar = engine();
    icu::Calendar& icu = *calendar.calendar;
    icu.clear();
    const auto put = [&](UCalendarDateFields field, const std::optional<long>& value, long base,
                         long fallback) {
        const long wanted = value.value_or(fallback) - base;
        if (!fitsInt32(wanted)) return false;
        icu.set(field, static_cast<int32_t>(wanted));
        return true;
    };
    if (components.era && !put(UCAL_ERA, components.era, 0, 0)) return std::nullopt;
    const bool byWeekday = !components.day && components.weekday;
    bool ok = put(UCAL_YEAR, components.year, 0, 1) && put(UCAL_MONTH, components.month, 1, 1) &&
              put(UCAL_HOUR_OF_DAY, components.hour, 0, 0) &&
              put(UCAL_MINUTE, components.minute, 0, 0) &&
              put(UCAL_SECOND, components.second, 0, 0);
    if (byWeekday) {
        ok = ok && put(UCAL_DAY_OF_WEEK, components.weekday, 0, 1) &&
             put(UCAL_DAY_OF_WEEK_IN_MONTH, components.weekdayOrdinal, 0, 1);
    } else {
        ok = ok && put(UCAL_DATE, components.day, 0, 1);
    }
    if (!ok) return std::nullopt;
    std::optional<Date> date = calendar.time();
    if (date && components.nanosecond) {
        date = date->dateByAddingTimeInterval(static_cast<double>(*components.nanosecond) / 1e9);
    }
    return date;
}

std::optional<Date> Calendar::dateByAddingComponents(const DateComponents& components,
                                                     const Date& date) const {
    const Engine& calendar = engine();
    if (!calendar.setTime(date)) return std::nullopt;
    for (const UnitField& entry : kArithmeticOrder) {
        const std::optional<long>& value = components.*entry.member;
        if (!value || *value == 0) continue;
        if (!fitsInt32(*value)) return std::nullopt;
        UErrorCode status = U_ZERO_ERROR;
        calendar.calendar->add(entry.field, static_cast<int32_t>(*value), status);
        if (U_FAILURE(status)) return std::nullopt;
    }
    std::optional<Date> result = calendar.time();
    if (result && components.nanosecond) {
        result =
            result->dateByAddingTimeInterval(static_cast<double>(*components.nanosecond) / 1e9);
    }
    return result;
}

std::optional<Date> Calendar::dateByAddingUnit(CalendarUnit unit, long value,
                                               const Date& date) const {
    DateComponents components;
    for (const UnitField& entry : kArithmeticOrder) {
        if (entry.unit == unit) components.*entry.member = value;
    }
    if (unit == CalendarUnitNanosecond) components.nanosecond = value;
    return dateByAddingComponents(components, date);
}

namespace {

// Days and weeks counted from the first day of the moment's era.
struct EraCount {
    long day = 0;
    long week = 0;
};

EraCount countInEra(icu::Calendar& calendar) {
    UErrorCode status = U_ZERO_ERROR;
    const int32_t julianDay = calendar.get(UCAL_JULIAN_DAY, status);
    const int32_t era = calendar.get(UCAL_ERA, status);
    std::unique_ptr<icu::Calendar> start(calendar.clone());
    start->clear();
    start->set(UCAL_ERA, era);
    start->set(UCAL_YEAR, start->getActualMinimum(UCAL_YEAR, status));
    start->set(UCAL_DAY_OF_YEAR, 1);
    const int32_t firstDay = start->get(UCAL_JULIAN_DAY, status);
    const int32_t firstWeekday = start->get(UCAL_DAY_OF_WEEK, status);
    if (U_FAILURE(status)) return {};
    EraCount count;
    count.day = static_cast<long>(julianDay) - firstDay + 1;
    const long offset = (firstWeekday - calendar.getFirstDayOfWeek() + 7) % 7;
    count.week = (count.day - 1 + offset) / 7 + 1;
    return count;
}

}  // namespace

long Calendar::ordinalityOfUnit(CalendarUnit smaller, CalendarUnit larger, const Date& date) const {
    const Engine& calendar = engine();
    if (!calendar.setTime(date)) return 0;
    const bool weekUnit = smaller == CalendarUnitWeek || smaller == CalendarUnitWeekOfYear;
    const long weekdayInWeek =
        (calendar.get(UCAL_DAY_OF_WEEK) - calendar.calendar->getFirstDayOfWeek() + 7) % 7 + 1;
    switch (larger) {
        case CalendarUnitEra:
            if (smaller == CalendarUnitDay) return countInEra(*calendar.calendar).day;
            if (weekUnit) return countInEra(*calendar.calendar).week;
            if (smaller == CalendarUnitYear) return calendar.get(UCAL_YEAR);
            if (smaller == CalendarUnitMonth) {
                return (calendar.get(UCAL_YEAR) - 1) * 12 + calendar.get(UCAL_MONTH) + 1;
            }
            return 0;
        case CalendarUnitYear:
            if (smaller == CalendarUnitDay) return calendar.get(UCAL_DAY_OF_YEAR);
            if (smaller == CalendarUnitMonth) return calendar.get(UCAL_MONTH) + 1;
            if (weekUnit) return calendar.get(UCAL_WEEK_OF_YEAR);
            return 0;
        case CalendarUnitMonth:
            if (smaller == CalendarUnitDay) return calendar.get(UCAL_DATE);
            if (smaller == CalendarUnitWeekOfMonth) return calendar.get(UCAL_WEEK_OF_MONTH);
            if (smaller == CalendarUnitWeekday) return calendar.get(UCAL_DAY_OF_WEEK_IN_MONTH);
            return 0;
        case CalendarUnitWeek:
        case CalendarUnitWeekOfYear:
        case CalendarUnitWeekOfMonth:
            return smaller == CalendarUnitDay || smaller == CalendarUnitWeekday ? weekdayInWeek : 0;
        case CalendarUnitDay:
            return smaller == CalendarUnitHour ? calendar.get(UCAL_HOUR_OF_DAY) + 1 : 0;
        case CalendarUnitHour:
            return smaller == CalendarUnitMinute ? calendar.get(UCAL_MINUTE) + 1 : 0;
        case CalendarUnitMinute:
            return smaller == CalendarUnitSecond ? calendar.get(UCAL_SECOND) + 1 : 0;
        default:
            return 0;
    }
}

Date Calendar::startOfDayForDate(const Date& date) const {
    DateComponents day =
        components(CalendarUnitEra | CalendarUnitYear | CalendarUnitMonth | CalendarUnitDay, date);
    // A clock turned back to midnight shows it twice; the day starts at the first.
    icu::Calendar& icu = *engine().calendar;
    icu.setRepeatedWallTimeOption(UCAL_WALLTIME_FIRST);
    const std::optional<Date> start = dateFromComponents(day);
    icu.setRepeatedWallTimeOption(UCAL_WALLTIME_LAST);
    return start.value_or(date);
}

bool Calendar::isDateInToday(const Date& date) const {
    constexpr unsigned kDay =
        CalendarUnitEra | CalendarUnitYear | CalendarUnitMonth | CalendarUnitDay;
    const DateComponents day = components(kDay, date);
    return day.year && day == components(kDay, Date::now());
}

String DateComponents::description() const {
    String text("<DateComponents>");
    const auto line = [&](const char* name, const std::optional<long>& value) {
        if (value)
            text = text + String("\n    ") + String(name) + String(": ") +
                   String(std::to_string(*value));
    };
    line("Era", era);
    line("Calendar Year", year);
    line("Month", month);
    line("Day", day);
    line("Hour", hour);
    line("Minute", minute);
    line("Second", second);
    line("Nanosecond", nanosecond);
    line("Week (obsolete)", week);
    line("Weekday", weekday);
    line("Weekday Ordinal", weekdayOrdinal);
    line("Week of Month", weekOfMonth);
    line("Week of Year", weekOfYear);
    line("Year for Week of Year", yearForWeekOfYear);
    return text;
}

}  // namespace ov
