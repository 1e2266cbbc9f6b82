// `orvane country`: calling codes and the country list.
//
//   orvane country code IL           "972"
//   orvane country areacode 972      "IL" (the first country with that calling code)
// An unknown code is a failure, said on standard error.
//   orvane country list --lang he    code, calling code and name per line, sorted by name
#include <cstdio>
#include <string_view>

#include "Command.h"
#include "orvane/extensions/NSLocale+NSLocale.h"

namespace orvane::cli {
namespace {

namespace locales = ov::NSLocale_NSLocale;

constexpr std::string_view kName = "country";

int fail(const char* what, const char* code) {
    std::fprintf(stderr, "orvane country: %s %s\n", what, code);
    return 1;
}

int listCountries(Arguments options) {
    if (options.size() == 2 && std::string_view(options[0]) == "--lang") {
        ov::Locale::setCurrentLocale(ov::String(options[1]));
    } else if (!options.empty()) {
        return usage(kName);
    }
    for (const auto& country : locales::countriesList()) {
        std::printf("%s\t%s\t%s\n", country->code().value_or("").toUtf8().c_str(),
                    country->areacode().value_or("").toUtf8().c_str(),
                    country->name().value_or("").toUtf8().c_str());
    }
    return 0;
}

int runCountry(Arguments arguments) {
    if (arguments.empty()) return usage(kName);
    const std::string_view action = arguments[0];
    if (action == "list") return listCountries(arguments.subspan(1));
    if (arguments.size() != 2) return usage(kName);
    const ov::String value(arguments[1]);
    if (action == "code") {
        const auto callingCode = locales::countryAreaCodeByCountryCode(value);
        if (!callingCode) return fail("no calling code for the country code", arguments[1]);
        printLine(*callingCode);
        return 0;
    }
    if (action == "areacode") {
        const ov::String code = locales::getCountrCodeByAreaCode(value);
        if (code.isEmpty()) return fail("no country has the calling code", arguments[1]);
        printLine(code);
        return 0;
    }
    return usage(kName);
}

const Command kCountry{kName, "country code CODE | areacode CODE | list [--lang CODE]", runCountry};

}  // namespace
}  // namespace orvane::cli
