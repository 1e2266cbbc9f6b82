#pragma once
// Sunrise, sunset and the civil, nautical and astronomical twilights of one calendar day at one
// place, each as an absolute moment and as the local clock time in a time zone.
//
//   auto jerusalem = *ov::TimeZone::timeZoneWithName("Asia/Jerusalem");
//   auto sun = ov::EDSunriseSet::sunrisesetWithDate(ov::Date::now(), jerusalem, 31.77, 35.21);
//   sun->sunrise();        // the moment the upper limb clears the horizon
//   sun->localSunrise();   // its hour, minute and second in the zone
//
// Everything is computed by the constructor with a compact solar model (mean orbital elements
// of the sun, accurate to a minute or two); nothing is recomputed when a field is set later.
// The day is the calendar day of `date` in `timezone`. On a day without the event (polar day
// or night) the times are still filled: both equal to the sun's transit when it stays below
// the altitude, twelve hours either side of it when it stays above; compare start and end to
// tell. Latitude is north positive, longitude east positive, both in degrees.
//
// Fields are readable from any thread; build the object on one.

#include <cstdint>
#include <memory>
#include <mutex>

#include "orvane/platform/time/Calendar.h"
#include "orvane/platform/time/DateComponents.h"
#include "orvane/platform/time/TimeZone.h"
#include "orvane/platform/values/Date.h"

namespace ov {

class EDSunriseSet {
  public:
    EDSunriseSet(const Date& date, const TimeZone& timezone, double latitude, double longitude);
    // Without a day and a place there is nothing to compute.
    EDSunriseSet() = delete;
    EDSunriseSet(const EDSunriseSet&) = delete;
    EDSunriseSet& operator=(const EDSunriseSet&) = delete;

    static EDSunriseSet initWithDate(const Date& date, const TimeZone& timezone, double latitude,
                                     double longitude);
    static std::shared_ptr<EDSunriseSet> sunrisesetWithDate(const Date& date,
                                                            const TimeZone& timezone,
                                                            double latitude, double longitude);

    Date date() const { return m_date.get(); }
    void setDate(const Date& value) { m_date.set(value); }
    Date sunset() const { return m_sunset.get(); }
    void setSunset(const Date& value) { m_sunset.set(value); }
    Date sunrise() const { return m_sunrise.get(); }
    void setSunrise(const Date& value) { m_sunrise.set(value); }
    Date civilTwilightStart() const { return m_civilTwilightStart.get(); }
    void setCivilTwilightStart(const Date& value) { m_civilTwilightStart.set(value); }
    Date civilTwilightEnd() const { return m_civilTwilightEnd.get(); }
    void setCivilTwilightEnd(const Date& value) { m_civilTwilightEnd.set(value); }
    Date nauticalTwilightStart() const { return m_nauticalTwilightStart.get(); }
    void setNauticalTwilightStart(const Date& value) { m_nauticalTwilightStart.set(value); }
    Date nauticalTwilightEnd() const { return m_nauticalTwilightEnd.get(); }
    void setNauticalTwilightEnd(const Date& value) { m_nauticalTwilightEnd.set(value); }
    Date astronomicalTwilightStart() const { return m_astronomicalTwilightStart.get(); }
    void setAstronomicalTwilightStart(const Date& value) { m_astronomicalTwilightStart.set(value); }
    Date astronomicalTwilightEnd() const { return m_astronomicalTwilightEnd.get(); }
    void setAstronomicalTwilightEnd(const Date& value) { m_astronomicalTwilightEnd.set(value); }

    // Hour, minute and second of the matching moment in `timezone`.
    DateComponents localSunrise() const { return m_localSunrise.get(); }
    void setLocalSunrise(const DateComponents& value) { m_localSunrise.set(value); }
    DateComponents localSunset() const { return m_localSunset.get(); }
    void setLocalSunset(const DateComponents& value) { m_localSunset.set(value); }
    DateComponents localCivilTwilightStart() const { return m_localCivilTwilightStart.get(); }
    void setLocalCivilTwilightStart(const DateComponents& value) {
        m_localCivilTwilightStart.set(value);
    }
    DateComponents localCivilTwilightEnd() const { return m_localCivilTwilightEnd.get(); }
    void setLocalCivilTwilightEnd(const DateComponents& value) {
        m_localCivilTwilightEnd.set(value);
    }
    DateComponents localNauticalTwilightStart() const { return m_localNauticalTwilightStart.get(); }
    void setLocalNauticalTwilightStart(const DateComponents& value) {
        m_localNauticalTwilightStart.set(value);
    }
    DateComponents localNauticalTwilightEnd() const { return m_localNauticalTwilightEnd.get(); }
    void setLocalNauticalTwilightEnd(const DateComponents& value) {
        m_localNauticalTwilightEnd.set(value);
    }
    DateComponents localAstronomicalTwilightStart() const {
        return m_localAstronomicalTwilightStart.get();
    }
    void setLocalAstronomicalTwilightStart(const DateComponents& value) {
        m_localAstronomicalTwilightStart.set(value);
    }
    DateComponents localAstronomicalTwilightEnd() const {
        return m_localAstronomicalTwilightEnd.get();
    }
    void setLocalAstronomicalTwilightEnd(const DateComponents& value) {
        m_localAstronomicalTwilightEnd.set(value);
    }

    double latitude() const { return m_latitude.get(); }
    void setLatitude(double value) { m_latitude.set(value); }
    double longitude() const { return m_longitude.get(); }
    void setLongitude(double value) { m_longitude.set(value); }
    TimeZone timezone() const { return m_timezone.get(); }
    void setTimezone(const TimeZone& value) { m_timezone.set(value); }
    Calendar calendar() const { return m_calendar.get(); }
    void setCalendar(const Calendar& value) { m_calendar.set(value); }
    TimeZone utcTimeZone() const { return m_utcTimeZone.get(); }
    void setUtcTimeZone(const TimeZone& value) { m_utcTimeZone.set(value); }

    // "Date: ...\nTimeZone: ...\nLocal Sunrise: ...\n...", the local times as components.
    String description() const;

    // The solar model. Angles in degrees; d is the day number below; times are hours of
    // universal time after 0h of the day and may fall outside 0..24.

    // x reduced to [0, 360).
    static double revolution(double x);
    // x reduced to [-180, 180).
    static double rev180(double x);
    // Whole days since the epoch, 1 for 1 January 2000 (truncating integer division, as the
    // model's fit expects).
    static long dayNumberForYear(int32_t year, int32_t month, int32_t day);
    // Greenwich sidereal time at 0h universal time, in degrees.
    static double GMST0(double d);
    // The sun's ecliptic longitude and its distance in astronomical units.
    static void sunposAtDay(double d, double& longitude, double& r);
    // Right ascension and declination, with the distance passed through.
    static void sun_RA_decAtDay(double d, double& RA, double& decl, double& r);

    // Each answers 0 on an ordinary day, -1 when the sun stays below the event's altitude all
    // day and +1 when it stays above.
    static int sunRiseSetForYear(int32_t year, int32_t month, int32_t day, double longitude,
                                 double latitude, double& trise, double& tset);
    static int civilTwilightForYear(int32_t year, int32_t month, int32_t day, double longitude,
                                    double latitude, double& trise, double& tset);
    static int nauticalTwilightForYear(int32_t year, int32_t month, int32_t day, double longitude,
                                       double latitude, double& trise, double& tset);
    static int astronomicalTwilightForYear(int32_t year, int32_t month, int32_t day,
                                           double longitude, double latitude, double& trise,
                                           double& tset);
    // `altitude` of the sun's centre; with `upper_limb` its apparent radius is taken off too.
    static int sunRiseSetHelperForYear(int32_t year, int32_t month, int32_t day, double longitude,
                                       double latitude, double altitude, bool upper_limb,
                                       double& trise, double& tset);

  private:
    // One field read and written whole, so readers on other threads never see it torn.
    template <class T>
    class Guarded {
      public:
        Guarded() = default;
        explicit Guarded(T value) : m_value(std::move(value)) {}
        T get() const {
            std::lock_guard lock(m_mutex);
            return m_value;
        }
        void set(T value) {
            std::lock_guard lock(m_mutex);
            m_value = std::move(value);
        }

      private:
        mutable std::mutex m_mutex;
        T m_value{};
    };

    using EventOperation = int (*)(int32_t, int32_t, int32_t, double, double, double&, double&);
    struct EventFields {
        EventOperation operation;
        Guarded<Date> EDSunriseSet::*start;
        Guarded<Date> EDSunriseSet::*end;
        Guarded<DateComponents> EDSunriseSet::*localStart;
        Guarded<DateComponents> EDSunriseSet::*localEnd;
    };

    // The computation works on its own copy of the calendar, whose zone it switches between
    // `timezone` and `utcTimeZone`.
    void calculate();
    void calculateSunriseSunset(Calendar& calendar, const DateComponents& day);
    void calculateTwilight(Calendar& calendar, const DateComponents& day);
    void calculateEvent(Calendar& calendar, const DateComponents& day, const EventFields& fields);
    // 00:00:00 universal time of the components' day, plus `offset` seconds.
    Date utcTime(Calendar& calendar, const DateComponents& day, double offset) const;
    // Hour, minute and second of the moment in `timezone`.
    DateComponents localTime(Calendar& calendar, const Date& moment) const;

    Guarded<Date> m_date;
    Guarded<Date> m_sunset;
    Guarded<Date> m_sunrise;
    Guarded<Date> m_civilTwilightStart;
    Guarded<Date> m_civilTwilightEnd;
    Guarded<Date> m_nauticalTwilightStart;
    Guarded<Date> m_nauticalTwilightEnd;
    Guarded<Date> m_astronomicalTwilightStart;
    Guarded<Date> m_astronomicalTwilightEnd;
    Guarded<DateComponents> m_localSunrise;
    Guarded<DateComponents> m_localSunset;
    Guarded<DateComponents> m_localCivilTwilightStart;
    Guarded<DateComponents> m_localCivilTwilightEnd;
    Guarded<DateComponents> m_localNauticalTwilightStart;
    Guarded<DateComponents> m_localNauticalTwilightEnd;
    Guarded<DateComponents> m_localAstronomicalTwilightStart;
    Guarded<DateComponents> m_localAstronomicalTwilightEnd;
    Guarded<double> m_latitude;
    Guarded<double> m_longitude;
    Guarded<TimeZone> m_timezone;
    Guarded<Calendar> m_calendar;
    Guarded<TimeZone> m_utcTimeZone;
};

}  // namespace ov
