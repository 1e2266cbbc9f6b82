// `orvane sun --lat LAT --lon LON [--date YYYY-MM-DD] [--tz ZONE]`: sunrise, sunset and the
// three twilights of a day, as clock times in the zone (by default today and the system zone).
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "Command.h"
#include "orvane/location/EDSunriseSet.h"
#include "orvane/platform/time/Calendar.h"
#include "orvane/platform/values/Format.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "sun";

struct SunOptions {
    std::optional<std::string_view> latitude;
    std::optional<std::string_view> longitude;
    std::optional<std::string_view> date;
    std::optional<std::string_view> zone;
};

std::optional<SunOptions> parseOptions(Arguments arguments) {
    SunOptions options;
    for (size_t index = 0; index + 1 < arguments.size(); index += 2) {
        const std::string_view option = arguments[index];
        const std::string_view value = arguments[index + 1];
        if (option == "--lat") {
            options.latitude = value;
        } else if (option == "--lon") {
            options.longitude = value;
        } else if (option == "--date") {
            options.date = value;
        } else if (option == "--tz") {
            options.zone = value;
        } else {
            return std::nullopt;
        }
    }
    if (arguments.size() % 2 != 0 || !options.latitude || !options.longitude) return std::nullopt;
    return options;
}

// A finite number written in full, within [-limit, limit].
std::optional<double> parseDegrees(std::string_view text, double limit) {
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value) ||
        std::fabs(value) > limit) {
        return std::nullopt;
    }
    return value;
}

int fieldOf(std::string_view text, size_t offset, size_t length) {
    int value = -1;
    const char* first = text.data() + offset;
    const auto [end, error] = std::from_chars(first, first + length, value);
    return error == std::errc() && end == first + length ? value : -1;
}

// Noon of the named day in the zone; none for text that is not a real YYYY-MM-DD day.
std::optional<ov::Date> parseDay(std::string_view text, const ov::TimeZone& zone) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-') return std::nullopt;
    ov::DateComponents day;
    day.year = fieldOf(text, 0, 4);
    day.month = fieldOf(text, 5, 2);
    day.day = fieldOf(text, 8, 2);
    day.hour = 12;
    ov::Calendar calendar = ov::Calendar::gregorian();
    calendar.setTimeZone(zone);
    const std::optional<ov::Date> noon = calendar.dateFromComponents(day);
    if (!noon) return std::nullopt;
    // The calendar rolls an impossible day (2023-02-30) over; the round trip catches it.
    const auto back = calendar.components(
        ov::CalendarUnitYear | ov::CalendarUnitMonth | ov::CalendarUnitDay, *noon);
    if (back.year != day.year || back.month != day.month || back.day != day.day) {
        return std::nullopt;
    }
    return noon;
}

int fail(const char* message) {
    std::fprintf(stderr, "orvane sun: %s\n", message);
    return 2;
}

void printTime(const char* name, const ov::DateComponents& time) {
    const ov::String text =
        ov::stringWithFormat("%@ %02ld:%02ld:%02ld", ov::String(name), time.hour.value_or(0),
                             time.minute.value_or(0), time.second.value_or(0));
    std::printf("%s\n", text.toUtf8().c_str());
}

int runSun(Arguments arguments) {
    const std::optional<SunOptions> options = parseOptions(arguments);
    if (!options) return usage(kName);
    const auto latitude = parseDegrees(*options->latitude, 90.0);
    if (!latitude) return fail("--lat needs a latitude in degrees between -90 and 90");
    const auto longitude = parseDegrees(*options->longitude, 180.0);
    if (!longitude) return fail("--lon needs a longitude in degrees between -180 and 180");
    std::optional<ov::TimeZone> zone = ov::TimeZone::defaultTimeZone();
    if (options->zone) zone = ov::TimeZone::timeZoneWithName(ov::String(*options->zone));
    if (!zone) return fail("--tz needs a known time zone name, such as Europe/Paris or UTC");
    std::optional<ov::Date> date = ov::Date::now();
    if (options->date) date = parseDay(*options->date, *zone);
    if (!date) return fail("--date needs a calendar day written YYYY-MM-DD");

    const ov::EDSunriseSet sun(*date, *zone, *latitude, *longitude);
    printTime("sunrise", sun.localSunrise());
    printTime("sunset", sun.localSunset());
    printTime("civil_start", sun.localCivilTwilightStart());
    printTime("civil_end", sun.localCivilTwilightEnd());
    printTime("nautical_start", sun.localNauticalTwilightStart());
    printTime("nautical_end", sun.localNauticalTwilightEnd());
    printTime("astro_start", sun.localAstronomicalTwilightStart());
    printTime("astro_end", sun.localAstronomicalTwilightEnd());
    return 0;
}

const Command kSun{kName, "sun --lat LAT --lon LON [--date YYYY-MM-DD] [--tz ZONE]", runSun};

}  // namespace
}  // namespace orvane::cli
