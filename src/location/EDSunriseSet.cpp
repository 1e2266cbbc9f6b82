#include "orvane/location/EDSunriseSet.h"

#include <cmath>

#include "orvane/platform/values/Format.h"

namespace ov {

namespace {

constexpr double kRadians = 0.017453292519943295;
constexpr double kDegrees = 57.29577951308232;
constexpr double kInverse360 = 0.002777777777777778;

// Altitudes of the sun's centre that mark each pair of events, in degrees.
constexpr double kSunriseAltitude = -35.0 / 60.0;
constexpr double kCivilAltitude = -6.0;
constexpr double kNauticalAltitude = -12.0;
constexpr double kAstronomicalAltitude = -18.0;

double sind(double degrees) {
    return std::sin(degrees * kRadians);
}
double cosd(double degrees) {
    return std::cos(degrees * kRadians);
}
double atan2d(double y, double x) {
    return kDegrees * std::atan2(y, x);
}
double acosd(double x) {
    return kDegrees * std::acos(x);
}

// Days since the epoch at noon of the day, moved to local mean noon at `longitude`.
double dayNumber(int32_t year, int32_t month, int32_t day, double longitude) {
    return static_cast<double>(EDSunriseSet::dayNumberForYear(year, month, day)) + 0.5 -
           longitude / 360.0;
}

}  // namespace

EDSunriseSet::EDSunriseSet(const Date& date, const TimeZone& timezone, double latitude,
                           double longitude)
    : m_date(date),
      m_latitude(latitude),
      m_longitude(longitude),
      m_timezone(timezone),
      m_calendar(Calendar::gregorian()),
      m_utcTimeZone(TimeZone::timeZoneWithAbbreviation("UTC").value_or(TimeZone::utc())) {
    calculate();
}

EDSunriseSet EDSunriseSet::initWithDate(const Date& date, const TimeZone& timezone, double latitude,
                                        double longitude) {
    return EDSunriseSet(date, timezone, latitude, longitude);
}

std::shared_ptr<EDSunriseSet> EDSunriseSet::sunrisesetWithDate(const Date& date,
                                                               const TimeZone& timezone,
                                                               double latitude, double longitude) {
    return std::make_shared<EDSunriseSet>(date, timezone, latitude, longitude);
}

String EDSunriseSet::description() const {
    return stringWithFormat(
        "Date: %@\nTimeZone: %@\nLocal Sunrise: %@\nLocal Sunset: %@\nLocal Civil Twilight "
        "Start: %@\nLocal Civil Twilight End: %@\nLocal Nautical Twilight Start: %@\nLocal "
        "Nautical Twilight End: %@\nLocal Astronomical Twilight Start: %@\nLocal Astronomical "
        "Twilight End: %@\n",
        date().description(), timezone().name(), localSunrise().description(),
        localSunset().description(), localCivilTwilightStart().description(),
        localCivilTwilightEnd().description(), localNauticalTwilightStart().description(),
        localNauticalTwilightEnd().description(), localAstronomicalTwilightStart().description(),
        localAstronomicalTwilightEnd().description());
}

double EDSunriseSet::revolution(double x) {
    return x - 360.0 * std::floor(x * kInverse360);
}

double EDSunriseSet::rev180(double x) {
    return x - 360.0 * std::floor(x * kInverse360 + 0.5);
}

long EDSunriseSet::dayNumberForYear(int32_t year, int32_t month, int32_t day) {
    const long y = year;
    const long m = month;
    return 367 * y - (7 * (y + (m + 9) / 12)) / 4 + (275 * m) / 9 + day - 730530;
}

double EDSunriseSet::GMST0(double d) {
    return revolution(818.9874 + 0.985647352 * d);
}

void EDSunriseSet::sunposAtDay(double d, double& longitude, double& r) {
    const double M = revolution(356.047 + 0.9856002585 * d);
    const double w = 282.9404 + 4.70935e-5 * d;
    const double e = 0.016709 - 1.151e-9 * d;
    const double E = M + e * kDegrees * sind(M) * (1.0 + e * cosd(M));
    const double x = cosd(E) - e;
    const double y = std::sqrt(1.0 - e * e) * sind(E);
    r = std::sqrt(x * x + y * y);
    longitude = atan2d(y, x) + w;
    if (longitude >= 360.0) longitude -= 360.0;
}

void EDSunriseSet::sun_RA_decAtDay(double d, double& RA, double& decl, double& r) {
    double longitude = 0.0;
    sunposAtDay(d, longitude, r);
    const double x = r * cosd(longitude);
    const double y = r * sind(longitude);
    const double obliquity = 23.4393 - 3.563e-7 * d;
    const double yEquatorial = y * cosd(obliquity);
    const double zEquatorial = y * sind(obliquity);
    RA = atan2d(yEquatorial, x);
    decl = atan2d(zEquatorial, std::sqrt(x * x + yEquatorial * yEquatorial));
}

int EDSunriseSet::sunRiseSetHelperForYear(int32_t year, int32_t month, int32_t day,
                                          double longitude, double latitude, double altitude,
                                          bool upper_limb, double& trise, double& tset) {
    const double d = dayNumber(year, month, day, longitude);
    const double siderealTime = revolution(GMST0(d) + 180.0 + longitude);
    double RA = 0.0;
    double declination = 0.0;
    double r = 0.0;
    sun_RA_decAtDay(d, RA, declination, r);
    const double transit = 12.0 - rev180(siderealTime - RA) / 15.0;
    if (upper_limb) altitude -= 0.2666 / r;
    const double c = (sind(altitude) - sind(latitude) * sind(declination)) /
                     (cosd(latitude) * cosd(declination));
    int code = 0;
    double halfArc = 0.0;
    if (c >= 1.0) {
        code = -1;
    } else if (c <= -1.0) {
        code = 1;
        halfArc = 12.0;
    } else {
        halfArc = acosd(c) / 15.0;
    }
    trise = transit - halfArc;
    tset = transit + halfArc;
    return code;
}

int EDSunriseSet::sunRiseSetForYear(int32_t year, int32_t month, int32_t day, double longitude,
                                    double latitude, double& trise, double& tset) {
    return sunRiseSetHelperForYear(year, month, day, longitude, latitude, kSunriseAltitude, true,
                                   trise, tset);
}

int EDSunriseSet::civilTwilightForYear(int32_t year, int32_t month, int32_t day, double longitude,
                                       double latitude, double& trise, double& tset) {
    return sunRiseSetHelperForYear(year, month, day, longitude, latitude, kCivilAltitude, false,
                                   trise, tset);
}

int EDSunriseSet::nauticalTwilightForYear(int32_t year, int32_t month, int32_t day,
                                          double longitude, double latitude, double& trise,
                                          double& tset) {
    return sunRiseSetHelperForYear(year, month, day, longitude, latitude, kNauticalAltitude, false,
                                   trise, tset);
}

int EDSunriseSet::astronomicalTwilightForYear(int32_t year, int32_t month, int32_t day,
                                              double longitude, double latitude, double& trise,
                                              double& tset) {
    return sunRiseSetHelperForYear(year, month, day, longitude, latitude, kAstronomicalAltitude,
                                   false, trise, tset);
}

void EDSunriseSet::calculate() {
    Calendar calendar = m_calendar.get();
    calendar.setTimeZone(timezone());
    const DateComponents day =
        calendar.components(CalendarUnitYear | CalendarUnitMonth | CalendarUnitDay, date());
    // A moment that is not finite has no calendar day: the results keep their empty values.
    if (!day.year || !day.month || !day.day) return;
    calculateSunriseSunset(calendar, day);
    calculateTwilight(calendar, day);
}

void EDSunriseSet::calculateSunriseSunset(Calendar& calendar, const DateComponents& day) {
    calculateEvent(calendar, day,
                   {sunRiseSetForYear, &EDSunriseSet::m_sunrise, &EDSunriseSet::m_sunset,
                    &EDSunriseSet::m_localSunrise, &EDSunriseSet::m_localSunset});
}

void EDSunriseSet::calculateTwilight(Calendar& calendar, const DateComponents& day) {
    calculateEvent(calendar, day,
                   {civilTwilightForYear, &EDSunriseSet::m_civilTwilightStart,
                    &EDSunriseSet::m_civilTwilightEnd, &EDSunriseSet::m_localCivilTwilightStart,
                    &EDSunriseSet::m_localCivilTwilightEnd});
    calculateEvent(
        calendar, day,
        {nauticalTwilightForYear, &EDSunriseSet::m_nauticalTwilightStart,
         &EDSunriseSet::m_nauticalTwilightEnd, &EDSunriseSet::m_localNauticalTwilightStart,
         &EDSunriseSet::m_localNauticalTwilightEnd});
    calculateEvent(
        calendar, day,
        {astronomicalTwilightForYear, &EDSunriseSet::m_astronomicalTwilightStart,
         &EDSunriseSet::m_astronomicalTwilightEnd, &EDSunriseSet::m_localAstronomicalTwilightStart,
         &EDSunriseSet::m_localAstronomicalTwilightEnd});
}

void EDSunriseSet::calculateEvent(Calendar& calendar, const DateComponents& day,
                                  const EventFields& fields) {
    double rise = 0.0;
    double set = 0.0;
    // The code is not needed: on a day without the event the helper still gives both times.
    fields.operation(static_cast<int32_t>(*day.year), static_cast<int32_t>(*day.month),
                     static_cast<int32_t>(*day.day), longitude(), latitude(), rise, set);
    const Date start = utcTime(calendar, day, rise * 3600.0);
    const Date end = utcTime(calendar, day, set * 3600.0);
    (this->*fields.start).set(start);
    (this->*fields.end).set(end);
    (this->*fields.localStart).set(localTime(calendar, start));
    (this->*fields.localEnd).set(localTime(calendar, end));
}

Date EDSunriseSet::utcTime(Calendar& calendar, const DateComponents& day, double offset) const {
    calendar.setTimeZone(utcTimeZone());
    DateComponents midnight;
    midnight.year = day.year;
    midnight.month = day.month;
    midnight.day = day.day;
    midnight.hour = 0;
    midnight.minute = 0;
    midnight.second = 0;
    const Date start = calendar.dateFromComponents(midnight).value_or(Date());
    return start.dateByAddingTimeInterval(offset);
}

DateComponents EDSunriseSet::localTime(Calendar& calendar, const Date& moment) const {
    calendar.setTimeZone(timezone());
    return calendar.components(CalendarUnitHour | CalendarUnitMinute | CalendarUnitSecond, moment);
}

}  // namespace ov
