#include <climits>
#include <cmath>
#include <limits>
#include <span>

#include "extensions/TimeAgoPhrases.h"
#include "orvane/extensions/NSDate+TimeAgo.h"
#include "orvane/platform/time/Calendar.h"

namespace ov::NSDate_TimeAgo {
namespace {

using time_ago::PhraseTable;

// One step of an elapsed-time scale: below `below` (seconds or minutes) the phrase is `key`,
// a fixed phrase, or with `divisor` a format key counting the elapsed time in that unit.
struct Step {
    double below;
    bool inMinutes;
    const char* key;
    double divisor = 0;
};

constexpr double kBeyond = std::numeric_limits<double>::infinity();

constexpr Step kContinuous[] = {
    {5, false, "Just now"},       {60, false, "%%d %@seconds ago", 1},
    {120, false, "A minute ago"}, {60, true, "%%d %@minutes ago", 1},
    {120, true, "An hour ago"},   {1440, true, "%%d %@hours ago", 60},
    {2880, true, "Yesterday"},    {10080, true, "%%d %@days ago", 1440},
    {20160, true, "Last week"},   {44640, true, "%%d %@weeks ago", 10080},
    {87840, true, "Last month"},  {525960, true, "%%d %@months ago", 43200},
    {1052640, true, "Last year"}, {kBeyond, true, "%%d %@years ago", 525600},
};

constexpr Step kCompact[] = {
    {60, false, "%%d%@s", 1},           {60, true, "%%d%@m", 1},
    {1440, true, "%%d%@h", 60},         {10080, true, "%%d%@d", 1440},
    {44640, true, "%%d%@w", 10080},     {525960, true, "%%d%@mo", 43200},
    {kBeyond, true, "%%d%@yr", 525600},
};

// The whole part of a count, held within long's range (a date may be any double).
long whole(double value) {
    if (!(value > 0)) return 0;
    if (value >= static_cast<double>(LONG_MAX)) return LONG_MAX;
    return static_cast<long>(value);
}

String elapsedPhrase(std::span<const Step> scale, const Date& date, const Date& now,
                     const PhraseTable& phrases) {
    const double seconds = std::fabs(date.timeIntervalSinceDate(now));
    const double minutes = seconds / 60;
    // A moment that is not a number passes no test and takes the last step.
    const Step* step = &scale.back();
    for (const Step& candidate : scale) {
        if ((candidate.inMinutes ? minutes : seconds) < candidate.below) {
            step = &candidate;
            break;
        }
    }
    if (step->divisor == 0) return phrases.phrase(step->key);
    return phrases.fill(step->key, whole((step->inMinutes ? minutes : seconds) / step->divisor));
}

// One calendar unit of the calendar scale, larger units first.
struct CalendarStep {
    std::optional<long> DateComponents::*count;
    const char* one;
    const char* many;
};

constexpr CalendarStep kCalendarSteps[] = {
    {&DateComponents::year, "1 year ago", "%%d %@years ago"},
    {&DateComponents::month, "1 month ago", "%%d %@months ago"},
    {&DateComponents::week, "1 week ago", "%%d %@weeks ago"},
    {&DateComponents::day, "1 day ago", "%%d %@days ago"},
    {&DateComponents::hour, "An hour ago", "%%d %@hours ago"},
    {&DateComponents::minute, "A minute ago", "%%d %@minutes ago"},
};

constexpr unsigned kCalendarUnits = CalendarUnitYear | CalendarUnitMonth | CalendarUnitWeek |
                                    CalendarUnitDay | CalendarUnitHour | CalendarUnitMinute |
                                    CalendarUnitSecond;

String calendarPhrase(const Date& date, const Date& now, const Calendar& calendar,
                      const PhraseTable& phrases) {
    const DateComponents difference = calendar.components(kCalendarUnits, date, now);
    for (const CalendarStep& step : kCalendarSteps) {
        const long count = (difference.*step.count).value_or(0);
        if (count == 1) return phrases.phrase(step.one);
        if (count > 1) return phrases.fill(step.many, count);
    }
    const long seconds = difference.second.value_or(0);
    return seconds >= 5 ? phrases.fill("%%d %@seconds ago", seconds) : phrases.phrase("Just now");
}

const char* partOfDay(long thenHour, long nowHour) {
    if (thenHour < 12 && nowHour > 12) return "This morning";
    if (thenHour >= 12 && thenHour < 18 && nowHour >= 18) return "This afternoon";
    return "Today";
}

// A unit of the day-level scale past the day itself: the phrase for the same one and the
// one before.
struct Period {
    CalendarUnit unit;
    const char* current;
    const char* previous;
};

constexpr Period kPeriods[] = {
    {CalendarUnitWeek, "This week", "Last week"},
    {CalendarUnitMonth, "This month", "Last month"},
    {CalendarUnitYear, "This year", "Last year"},
};

String dayPhrase(const Date& date, const Date& now, const Calendar& calendar,
                 const PhraseTable& phrases) {
    if (calendar.components(CalendarUnitHour, date, now).hour.value_or(0) < 6) {
        return calendarPhrase(date, now, calendar, phrases);
    }
    const auto periodsBetween = [&](CalendarUnit unit) {
        return calendar.ordinalityOfUnit(unit, CalendarUnitEra, now) -
               calendar.ordinalityOfUnit(unit, CalendarUnitEra, date);
    };
    const long days = periodsBetween(CalendarUnitDay);
    if (days == 0) {
        const auto hour = [&](const Date& moment) {
            return calendar.components(CalendarUnitHour, moment).hour.value_or(0);
        };
        return phrases.phrase(partOfDay(hour(date), hour(now)));
    }
    if (days == 1) return phrases.phrase("Yesterday");
    for (const Period& period : kPeriods) {
        const long count = periodsBetween(period.unit);
        if (count == 0) return phrases.phrase(period.current);
        if (count == 1) return phrases.phrase(period.previous);
    }
    return calendarPhrase(date, now, calendar, phrases);
}

bool withinLimit(const Date& date, const Date& now, double limit) {
    return std::fabs(date.timeIntervalSinceDate(now)) <= limit;
}

}  // namespace

String timeAgo(const Date& date) {
    return elapsedPhrase(kContinuous, date, Date::now(), PhraseTable::current());
}

String timeAgoSimple(const Date& date) {
    return elapsedPhrase(kCompact, date, Date::now(), PhraseTable::current());
}

String dateTimeAgo(const Date& date) {
    return calendarPhrase(date, Date::now(), Calendar::currentCalendar(), PhraseTable::current());
}

String dateTimeUntilNow(const Date& date) {
    return dayPhrase(date, Date::now(), Calendar::currentCalendar(), PhraseTable::current());
}

String timeAgoWithLimit(const Date& date, double limit) {
    return timeAgoWithLimit(date, limit, DateFormatterFullStyle, DateFormatterFullStyle);
}

String timeAgoWithLimit(const Date& date, double limit, DateFormatterStyle dateFormat,
                        DateFormatterStyle andTimeFormat) {
    const Date now = Date::now();
    if (withinLimit(date, now, limit)) {
        return elapsedPhrase(kContinuous, date, now, PhraseTable::current());
    }
    return DateFormatter::localizedStringFromDate(date, dateFormat, andTimeFormat);
}

String timeAgoWithLimit(const Date& date, double limit, const DateFormatter& dateFormatter) {
    const Date now = Date::now();
    if (withinLimit(date, now, limit)) {
        return elapsedPhrase(kContinuous, date, now, PhraseTable::current());
    }
    return dateFormatter.stringFromDate(date);
}

String stringFromFormat(const String& format, long withValue) {
    return PhraseTable::current().fill(format, withValue);
}

String getLocaleFormatUnderscoresWithValue(double value) {
    return PhraseTable::current().marker(value);
}

}  // namespace ov::NSDate_TimeAgo
