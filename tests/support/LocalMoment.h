#pragma once
// A moment given by its calendar fields in the default zone, for date tests.

#include "orvane/platform/time/Calendar.h"

namespace ov::test {

inline Date localMoment(long year, long month, long day, long hour = 0, long minute = 0,
                        long second = 0) {
    DateComponents fields;
    fields.year = year;
    fields.month = month;
    fields.day = day;
    fields.hour = hour;
    fields.minute = minute;
    fields.second = second;
    return *Calendar::gregorian().dateFromComponents(fields);
}

}  // namespace ov::test
