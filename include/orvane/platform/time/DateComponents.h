#pragma once
// Calendar fields of a moment or of a difference between moments (the platform's
// NSDateComponents). A field that was not asked for, or not set, is empty.
//
//   ov::DateComponents parts;
//   parts.year = 2024; parts.month = 2; parts.day = 29;
//   calendar.dateFromComponents(parts);   // 2024-02-29 00:00 in the calendar's zone

#include <optional>

#include "orvane/platform/values/String.h"

namespace ov {

// Units a calendar breaks a moment into, as a bit set.
enum CalendarUnit : unsigned {
    CalendarUnitEra = 1u << 1,
    CalendarUnitYear = 1u << 2,
    CalendarUnitMonth = 1u << 3,
    CalendarUnitDay = 1u << 4,
    CalendarUnitHour = 1u << 5,
    CalendarUnitMinute = 1u << 6,
    CalendarUnitSecond = 1u << 7,
    // The legacy week unit: the week of the year.
    CalendarUnitWeek = 1u << 8,
    CalendarUnitWeekday = 1u << 9,
    CalendarUnitWeekdayOrdinal = 1u << 10,
    CalendarUnitWeekOfMonth = 1u << 12,
    CalendarUnitWeekOfYear = 1u << 13,
    CalendarUnitYearForWeekOfYear = 1u << 14,
    CalendarUnitNanosecond = 1u << 15,
};

struct DateComponents {
    std::optional<long> era = std::nullopt;
    std::optional<long> year = std::nullopt;
    std::optional<long> month = std::nullopt;
    std::optional<long> day = std::nullopt;
    std::optional<long> hour = std::nullopt;
    std::optional<long> minute = std::nullopt;
    std::optional<long> second = std::nullopt;
    std::optional<long> nanosecond = std::nullopt;
    std::optional<long> week = std::nullopt;  // the legacy week unit
    std::optional<long> weekday = std::nullopt;
    std::optional<long> weekdayOrdinal = std::nullopt;
    std::optional<long> weekOfMonth = std::nullopt;
    std::optional<long> weekOfYear = std::nullopt;
    std::optional<long> yearForWeekOfYear = std::nullopt;

    // The set fields, one per line ("    Hour: 5"), as the platform describes components.
    String description() const;
    friend bool operator==(const DateComponents&, const DateComponents&) = default;
};

}  // namespace ov
