#pragma once
// A calendar (the platform's NSCalendar) over ICU: breaking moments into fields, building
// moments from fields, calendar arithmetic with the platform's month-end and daylight-saving
// rules, differences in several units at once, and ordinality.
//
//   ov::Calendar calendar = ov::Calendar::currentCalendar();
//   auto parts = calendar.components(ov::CalendarUnitYear | ov::CalendarUnitWeekday, date);
//   calendar.dateByAddingUnit(ov::CalendarUnitMonth, 1, jan31);   // the last day of February
//   calendar.components(ov::CalendarUnitDay | ov::CalendarUnitHour, from, to);  // a difference
//
// `currentCalendar` fixes the current locale and the default zone at the moment it is made;
// `autoupdatingCurrentCalendar` reads them afresh on every operation. A calendar is a value:
// copies are independent. Use one object from one thread at a time.

#include <memory>
#include <optional>

#include "orvane/platform/time/DateComponents.h"
#include "orvane/platform/time/Locale.h"
#include "orvane/platform/time/TimeZone.h"
#include "orvane/platform/values/Date.h"

namespace ov {

class Calendar {
  public:
    static Calendar currentCalendar();
    static Calendar autoupdatingCurrentCalendar();
    // "gregorian", "buddhist", "hebrew", "islamic", "japanese", ...; none when unknown.
    static std::optional<Calendar> calendarWithIdentifier(const String& identifier);
    // The Gregorian calendar in the default zone and the current locale.
    static Calendar gregorian();

    Calendar(const Calendar& other);
    Calendar& operator=(const Calendar& other);
    Calendar(Calendar&&) noexcept;
    Calendar& operator=(Calendar&&) noexcept;
    ~Calendar();

    const String& calendarIdentifier() const { return m_identifier; }
    TimeZone timeZone() const;
    void setTimeZone(const TimeZone& zone);
    Locale locale() const;
    void setLocale(const Locale& locale);
    // 1 = Sunday; from the locale unless set.
    unsigned long firstWeekday() const;
    void setFirstWeekday(unsigned long weekday);
    unsigned long minimumDaysInFirstWeek() const;

    // The asked-for fields of a moment; a moment that is not finite gives no fields.
    DateComponents components(unsigned units, const Date& date) const;
    // The difference from `from` to `to`, larger units taken first; negative when `to` is
    // earlier. Week units count whole weeks.
    DateComponents components(unsigned units, const Date& from, const Date& to) const;
    // The moment the fields name; fields not given take their smallest value (January, the
    // first, midnight). None for fields out of ICU's range.
    std::optional<Date> dateFromComponents(const DateComponents& components) const;
    // Adds every given field, larger units first; a month end clamps (31 January plus a month
    // is the last day of February) and whole days keep the clock time across daylight saving.
    std::optional<Date> dateByAddingComponents(const DateComponents& components,
                                               const Date& date) const;
    std::optional<Date> dateByAddingUnit(CalendarUnit unit, long value, const Date& date) const;
    // Which `smaller` the moment falls in, counted from 1 within its `larger` (day in month,
    // day in era, week in era, ...); 0 for a pair that does not nest.
    long ordinalityOfUnit(CalendarUnit smaller, CalendarUnit larger, const Date& date) const;
    Date startOfDayForDate(const Date& date) const;
    bool isDateInToday(const Date& date) const;

  private:
    struct Engine;
    Calendar(String identifier, bool autoupdating);
    Engine& engine() const;

    String m_identifier;
    bool m_autoupdating = false;
    std::optional<TimeZone> m_timeZone;
    std::optional<Locale> m_locale;
    std::optional<unsigned long> m_firstWeekday;
    mutable std::unique_ptr<Engine> m_engine;
};

}  // namespace ov
