#pragma once
// An absolute moment (the platform's NSDate): seconds since 2001-01-01 00:00:00 UTC.

#include <compare>

namespace ov {

class String;

// Seconds from 1970-01-01 to the reference moment.
inline constexpr double kTimeIntervalBetween1970AndReferenceDate = 978307200.0;

class Date {
  public:
    Date() = default;
    static Date now();  // reads Clock::current()
    static Date dateWithTimeIntervalSinceReferenceDate(double seconds) { return Date(seconds); }
    static Date dateWithTimeIntervalSince1970(double seconds) {
        return Date(seconds - kTimeIntervalBetween1970AndReferenceDate);
    }

    double timeIntervalSinceReferenceDate() const { return m_seconds; }
    double timeIntervalSince1970() const {
        return m_seconds + kTimeIntervalBetween1970AndReferenceDate;
    }
    double timeIntervalSinceDate(const Date& other) const { return m_seconds - other.m_seconds; }
    double timeIntervalSinceNow() const { return m_seconds - now().m_seconds; }
    Date dateByAddingTimeInterval(double seconds) const { return Date(m_seconds + seconds); }

    // "2001-01-01 00:00:00 +0000", always in UTC.
    String description() const;

    friend auto operator<=>(const Date&, const Date&) = default;

  private:
    explicit Date(double seconds) : m_seconds(seconds) {}
    double m_seconds = 0.0;
};

}  // namespace ov
