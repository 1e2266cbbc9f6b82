// `orvane navigate LAT LON [--app N] [--from LAT,LON] [--placemark] [--waze yes|no]`: hands the
// destination over as a host would, printing every address it would open and every alert it
// would show instead.
#include <cstdio>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "Command.h"
#include "ServiceOptions.h"
#include "orvane/location/OVNavigationApps.h"
#include "orvane/platform/location/SimulatedLocationProvider.h"
#include "orvane/platform/ui/application/AlertView.h"
#include "orvane/platform/ui/application/Application.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "navigate";

struct NavigateOptions {
    double latitude = 0;
    double longitude = 0;
    unsigned long app = ov::kNavigationAppMaps;
    std::optional<ov::LocationCoordinate2D> from;
    bool placemark = false;
    bool wazeInstalled = false;
};

std::optional<double> latitudeOf(const std::string& text) {
    return numberArgument(text.c_str(), -90.0, 90.0);
}

std::optional<double> longitudeOf(const std::string& text) {
    return numberArgument(text.c_str(), -180.0, 180.0);
}

// "LAT,LON"
std::optional<ov::LocationCoordinate2D> coordinateOf(std::string_view text) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto latitude = latitudeOf(std::string(text.substr(0, comma)));
    const auto longitude = longitudeOf(std::string(text.substr(comma + 1)));
    if (!latitude || !longitude) return std::nullopt;
    return ov::CLLocationCoordinate2DMake(*latitude, *longitude);
}

// Applies one option with a value; false when it is unknown or its value is bad.
bool takeOption(NavigateOptions& options, std::string_view option, std::string_view value) {
    if (option == "--app") {
        const auto app = numberArgument(std::string(value).c_str(), 0, 1e9);
        if (!app || *app != static_cast<double>(static_cast<unsigned long>(*app))) return false;
        options.app = static_cast<unsigned long>(*app);
        return true;
    }
    if (option == "--from") {
        options.from = coordinateOf(value);
        return options.from.has_value();
    }
    if (option == "--waze") {
        options.wazeInstalled = value == "yes";
        return value == "yes" || value == "no";
    }
    return takeServiceOption(option, value);
}

std::optional<NavigateOptions> parseOptions(Arguments arguments) {
    if (arguments.size() < 2) return std::nullopt;
    NavigateOptions options;
    const auto latitude = latitudeOf(arguments[0]);
    const auto longitude = longitudeOf(arguments[1]);
    if (!latitude || !longitude) return std::nullopt;
    options.latitude = *latitude;
    options.longitude = *longitude;
    for (size_t index = 2; index < arguments.size(); ++index) {
        const std::string_view option = arguments[index];
        if (option == "--placemark") {
            options.placemark = true;
        } else if (index + 1 >= arguments.size() ||
                   !takeOption(options, option, arguments[index + 1])) {
            return std::nullopt;
        } else {
            ++index;
        }
    }
    return options;
}

// Prints each address instead of opening it; only "waze://" may be missing.
class PrintingURLOpener final : public ov::ui::URLOpener {
  public:
    explicit PrintingURLOpener(bool wazeInstalled) : m_wazeInstalled(wazeInstalled) {}
    bool openURL(const ov::URL& url) override {
        printLine(url.absoluteString());
        return true;
    }
    bool canOpenURL(const ov::URL& url) override {
        return m_wazeInstalled || url.scheme() != ov::String("waze");
    }

  private:
    bool m_wazeInstalled;
};

void placeDevice(const ov::LocationCoordinate2D& coordinate) {
    auto device = std::make_shared<ov::SimulatedLocationProvider>();
    device->setPosition(coordinate);
    device->setAuthorizationStatus(ov::AuthorizationStatus::AuthorizedWhenInUse);
    ov::LocationProvider::setShared(device);
}

int runNavigate(Arguments arguments) {
    const auto options = parseOptions(arguments);
    if (!options) return usage(kName);
    auto& application = ov::ui::Application::sharedApplication();
    application.setURLOpener(std::make_shared<PrintingURLOpener>(options->wazeInstalled));
    if (options->from) placeDevice(*options->from);
    const auto coordinate = ov::CLLocationCoordinate2DMake(options->latitude, options->longitude);
    if (options->placemark) {
        ov::OVNavigationApps::navigate(ov::MKPlacemark(coordinate, std::nullopt), options->app);
    } else {
        ov::OVNavigationApps::navigate(ov::Location(coordinate.latitude, coordinate.longitude),
                                       options->app);
    }
    for (const auto& alert : application.shownAlerts()) {
        printLine("alert " + alert->title().value_or("") + ": " + alert->message().value_or(""));
    }
    return 0;
}

const Command kNavigate{kName,
                        "navigate LAT LON [--app N] [--from LAT,LON] [--placemark] "
                        "[--waze yes|no] [--site URL]",
                        runNavigate};

}  // namespace
}  // namespace orvane::cli
