// `orvane geo address|components|duration|meters|coords|zip ...`: the Maps web services'
// answers on standard output, the client's log lines on standard error.
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Command.h"
#include "ServiceOptions.h"
#include "orvane/json/SBJsonWriter.h"
#include "orvane/location/GoogleAPI.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/values/Format.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "geo";
// Longer than a request's own time-out, so the answer always comes first.
constexpr double kZipWaitSeconds = 600.0;

// The arguments other than the service options, which are applied on the way.
std::optional<std::vector<std::string_view>> operands(Arguments arguments) {
    std::vector<std::string_view> operands;
    for (size_t index = 0; index < arguments.size(); ++index) {
        const std::string_view argument = arguments[index];
        if (!argument.starts_with("--")) {
            operands.push_back(argument);
        } else if (index + 1 >= arguments.size() ||
                   !takeServiceOption(argument, arguments[index + 1])) {
            return std::nullopt;
        } else {
            ++index;
        }
    }
    return operands;
}

void printJson(const ov::Value& value) {
    ov::SBJsonWriter writer;
    writer.setSortKeys(true);
    printLine(writer.stringWithFragment(value).value_or(ov::String()));
}

// The duration as JSON; the empty answer as an empty line.
void printDuration(const ov::Value& duration) {
    if (duration == ov::Value("")) return printLine("");
    printJson(duration);
}

int printFound(const std::optional<ov::String>& text) {
    if (!text) return 1;
    printLine(*text);
    return 0;
}

int printCoordinates(const std::optional<ov::Array>& coordinates) {
    if (!coordinates) return 1;
    printLine(ov::stringWithFormat("%@ %@", (*coordinates)[0], (*coordinates)[1]));
    return 0;
}

// Keeps the one answer of the postal-code check.
struct ZipAnswer final : ov::GoogleAPIDelegate {
    void googleZipFailedWithError(const std::optional<ov::Error>& error) override {
        line = ov::stringWithFormat("failed: %@",
                                    error ? ov::Value(error->localizedDescription()) : ov::Value());
        failed = true;
    }
    void googleZipCodeExistIn(const ov::String& code) override { line = "exists " + code; }
    void googleZipCodeNotExistIn(const ov::String& code) override { line = "not-exists " + code; }

    std::optional<ov::String> line;
    bool failed = false;
};

int checkZip(const ov::String& zip, const ov::String& country) {
    const auto answer = std::make_shared<ZipAnswer>();
    ov::GoogleAPI api;
    api.setDelegate(answer);
    api.zip(zip, country);
    ov::RunLoop::main().runUntil([&] { return answer->line.has_value(); }, kZipWaitSeconds);
    if (!answer->line) return 1;
    printLine(*answer->line);
    return answer->failed ? 1 : 0;
}

int runGeo(Arguments arguments) {
    const auto words = operands(arguments);
    if (!words || words->empty()) return usage(kName);
    const std::string_view operation = words->front();
    const auto operand = [&](size_t index) { return ov::String((*words)[index]); };
    const auto degrees = [&](size_t index, double limit) {
        return numberArgument(std::string((*words)[index]).c_str(), -limit, limit);
    };
    if (words->size() == 2 && operation == "coords") {
        return printCoordinates(ov::GoogleAPI::geoCodeUsingAddressToLatLong(operand(1)));
    }
    if (words->size() != 3) return usage(kName);
    if (operation == "duration") {
        printDuration(ov::GoogleAPI::getDistanceFromOrigins(operand(1), operand(2)));
        return 0;
    }
    if (operation == "meters") {
        printLine(
            ov::GoogleAPI::getMetterDistanceFromOrigins(operand(1), operand(2)).description());
        return 0;
    }
    if (operation == "zip") return checkZip(operand(1), operand(2));
    const auto latitude = degrees(1, 90.0);
    const auto longitude = degrees(2, 180.0);
    if (!latitude || !longitude) return usage(kName);
    const auto lat = static_cast<float>(*latitude);
    const auto lon = static_cast<float>(*longitude);
    if (operation == "address") return printFound(ov::GoogleAPI::getAddressFromLat(lat, lon));
    if (operation == "components") {
        printJson(ov::GoogleAPI::getAddressArrayFromLat(lat, lon));
        return 0;
    }
    return usage(kName);
}

const Command kGeo{kName,
                   "geo [--api URL] [--site URL] [--translate URL] address LAT LON | components "
                   "LAT LON | duration ORIGINS DESTINATIONS | meters ORIGINS DESTINATIONS | coords "
                   "ADDRESS | zip CODE COUNTRY",
                   runGeo};

}  // namespace
}  // namespace orvane::cli
