#include "orvane/platform/values/Date.h"

#include <cmath>
#include <cstdio>
#include <ctime>

#include "orvane/platform/values/Clock.h"
#include "orvane/platform/values/String.h"

namespace ov {

Date Date::now() {
    return Date(Clock::current().now());
}

String Date::description() const {
    const double unixSeconds = std::floor(timeIntervalSince1970());
    if (!std::isfinite(unixSeconds) || std::fabs(unixSeconds) > 1e15) return "(invalid date)";
    const auto seconds = static_cast<time_t>(unixSeconds);
    std::tm parts{};
    if (!gmtime_r(&seconds, &parts)) return "(invalid date)";
    char text[64];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d +0000", parts.tm_year + 1900,
                  parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec);
    return text;
}

}  // namespace ov
