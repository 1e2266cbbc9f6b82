// `orvane ago`: how long ago a moment was, as the toolkit's relative-time phrase.
//
//   orvane ago --date 2024-03-05T10:00:00Z                          "3 months ago", ...
//   orvane ago --date 2024-03-05T09:57:00Z --now 2024-03-05T10:00:00Z   "3 minutes ago"
//   orvane ago --date 2024-03-05 --scale day --lang ru
//
// --now fixes the clock (default: the system clock); --scale picks continuous (default),
// simple, calendar or day; --lang sets the preferred language (default: the environment's).
// Dates without a zone are local time (TZ).
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Command.h"
#include "IsoDate.h"
#include "orvane/extensions/NSDate+TimeAgo.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/values/Clock.h"

namespace orvane::cli {
namespace {

namespace time_ago = ov::NSDate_TimeAgo;

constexpr std::string_view kName = "ago";

using Phrase = ov::String (*)(const ov::Date&);

struct Scale {
    std::string_view name;
    Phrase phrase;
};

constexpr Scale kScales[] = {
    {"continuous", time_ago::timeAgo},
    {"simple", time_ago::timeAgoSimple},
    {"calendar", time_ago::dateTimeAgo},
    {"day", time_ago::dateTimeUntilNow},
};

struct Options {
    std::optional<ov::Date> date;
    std::optional<ov::Date> now;
    Phrase phrase = time_ago::timeAgo;
    std::optional<std::string> language;
};

int badValue(std::string_view option, std::string_view value, std::string_view expected) {
    std::fprintf(stderr, "orvane ago: bad %.*s \"%.*s\": expected %.*s\n",
                 static_cast<int>(option.size()), option.data(), static_cast<int>(value.size()),
                 value.data(), static_cast<int>(expected.size()), expected.data());
    return 2;
}

constexpr std::string_view kIsoExample =
    "ISO 8601 such as 2024-03-05T10:00:00Z, "
    "2024-03-05T10:00:00+02:00 or 2024-03-05";

// Fills `options` from the arguments; a non-zero exit status when they are wrong.
int readOptions(Arguments arguments, Options& options) {
    for (size_t i = 0; i < arguments.size(); i += 2) {
        const std::string_view option = arguments[i];
        if (i + 1 == arguments.size()) return usage(kName);
        const std::string_view value = arguments[i + 1];
        if (option == "--date" || option == "--now") {
            const auto date = parseIsoDate(value);
            if (!date) return badValue(option, value, kIsoExample);
            (option == "--date" ? options.date : options.now) = date;
        } else if (option == "--scale") {
            const Scale* found = nullptr;
            for (const Scale& scale : kScales) {
                if (scale.name == value) found = &scale;
            }
            if (!found) return badValue(option, value, "continuous, simple, calendar or day");
            options.phrase = found->phrase;
        } else if (option == "--lang" && !value.empty()) {
            options.language = std::string(value);
        } else {
            return usage(kName);
        }
    }
    return options.date ? 0 : usage(kName);
}

int runAgo(Arguments arguments) {
    Options options;
    if (const int status = readOptions(arguments, options)) return status;
    if (options.now) {
        ov::Clock::setCurrent(
            std::make_shared<ov::ManualClock>(options.now->timeIntervalSinceReferenceDate()));
    }
    if (options.language) {
        ov::Bundle::setPreferredLanguages(std::vector{ov::String(*options.language)});
    }
    std::printf("%s\n", options.phrase(*options.date).toUtf8().c_str());
    return 0;
}

const Command kAgo{kName,
                   "ago --date ISO8601 [--now ISO8601] [--scale continuous|simple|calendar|day] "
                   "[--lang CODE]",
                   runAgo};

}  // namespace
}  // namespace orvane::cli
