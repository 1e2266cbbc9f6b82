#include "orvane/platform/location/SimulatedLocationProvider.h"

#include <algorithm>
#include <charconv>
#include <cstdlib>
#include <string_view>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/values/Clock.h"

namespace ov {

namespace {

std::optional<LocationCoordinate2D> coordinatePair(std::string_view text) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const auto read = [](std::string_view part) -> std::optional<double> {
        while (!part.empty() && part.front() == ' ')
            part.remove_prefix(1);
        while (!part.empty() && part.back() == ' ')
            part.remove_suffix(1);
        double value = 0.0;
        const char* end = part.data() + part.size();
        const auto [last, error] = std::from_chars(part.data(), end, value);
        if (part.empty() || error != std::errc() || last != end) return std::nullopt;
        return value;
    };
    const auto latitude = read(text.substr(0, comma));
    const auto longitude = read(text.substr(comma + 1));
    if (!latitude || !longitude) return std::nullopt;
    const LocationCoordinate2D coordinate{*latitude, *longitude};
    if (!isValidCoordinate(coordinate)) return std::nullopt;
    return coordinate;
}

AuthorizationStatus granted(AuthorizationRequest request) {
    return request == AuthorizationRequest::Always ? AuthorizationStatus::AuthorizedAlways
                                                   : AuthorizationStatus::AuthorizedWhenInUse;
}

}  // namespace

std::shared_ptr<SimulatedLocationProvider> SimulatedLocationProvider::fromEnvironment() {
    auto device = std::make_shared<SimulatedLocationProvider>();
    const char* setting = std::getenv("ORVANE_LOCATION");
    if (setting == nullptr || *setting == '\0') return device;
    if (const auto coordinate = coordinatePair(setting)) {
        device->setPosition(coordinate);
    } else if (!device->loadTrack(setting)) {
        return device;
    }
    device->setAuthorizationStatus(AuthorizationStatus::AuthorizedWhenInUse);
    return device;
}

void SimulatedLocationProvider::setPosition(std::optional<LocationCoordinate2D> coordinate) {
    std::vector<TrackPoint> track;
    if (coordinate) track.push_back({*coordinate, std::nullopt});
    setTrack(std::move(track));
}

void SimulatedLocationProvider::setTrack(std::vector<TrackPoint> track) {
    const double start = Clock::current().now();
    std::vector<std::pair<double, LocationCoordinate2D>> replay;
    replay.reserve(track.size());
    for (const TrackPoint& point : track) {
        double due = start;
        if (!replay.empty()) {
            const double previous = replay.back().first;
            const bool timed = point.time && track.front().time;
            due = timed ? start + (*point.time - *track.front().time) : previous;
            if (!timed || due <= previous) due = previous + kUntimedPointInterval;
        }
        replay.emplace_back(due, point.coordinate);
    }
    {
        std::lock_guard lock(m_mutex);
        m_track = std::move(replay);
    }
    notify();
}

bool SimulatedLocationProvider::loadTrack(const String& gpxPath) {
    auto track = loadGpxTrack(gpxPath);
    if (!track) return false;
    setTrack(std::move(track).value());
    return true;
}

void SimulatedLocationProvider::setFailure(std::optional<Error> failure) {
    {
        std::lock_guard lock(m_mutex);
        m_failure = std::move(failure);
    }
    notify();
}

void SimulatedLocationProvider::setLocationServicesEnabled(bool enabled) {
    {
        std::lock_guard lock(m_mutex);
        m_servicesEnabled = enabled;
    }
    notify();
}

void SimulatedLocationProvider::setAuthorizationStatus(AuthorizationStatus status) {
    {
        std::lock_guard lock(m_mutex);
        m_status = status;
    }
    notify();
}

void SimulatedLocationProvider::setAuthorizationAnswer(std::optional<AuthorizationStatus> answer) {
    std::lock_guard lock(m_mutex);
    m_answer = answer;
}

std::vector<AuthorizationRequest> SimulatedLocationProvider::authorizationRequests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

bool SimulatedLocationProvider::locationServicesEnabled() const {
    std::lock_guard lock(m_mutex);
    return m_servicesEnabled;
}

AuthorizationStatus SimulatedLocationProvider::authorizationStatus() const {
    std::lock_guard lock(m_mutex);
    return m_status;
}

void SimulatedLocationProvider::requestAuthorization(AuthorizationRequest request) {
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(request);
    }
    // The user answers the dialog on the interface thread, after this call has returned.
    RunLoop::main().perform([weak = weak_from_this(), request] {
        if (const auto device = weak.lock()) device->answer(request);
    });
}

void SimulatedLocationProvider::answer(AuthorizationRequest request) {
    {
        std::lock_guard lock(m_mutex);
        if (m_status != AuthorizationStatus::NotDetermined) return;
        m_status = m_answer.value_or(granted(request));
    }
    notify();
}

LocationSample SimulatedLocationProvider::sample(double now) const {
    std::lock_guard lock(m_mutex);
    LocationSample sample;
    sample.failure = m_failure;
    if (m_track.empty()) return sample;
    auto next = std::upper_bound(m_track.begin(), m_track.end(), now,
                                 [](double time, const auto& point) { return time < point.first; });
    // A clock set back before the replay began still sees its first point.
    if (next == m_track.begin()) ++next;
    const auto& [due, coordinate] = *std::prev(next);
    sample.location = Location(coordinate, Date::dateWithTimeIntervalSinceReferenceDate(due));
    if (next != m_track.end()) sample.nextChange = next->first;
    return sample;
}

Subscription SimulatedLocationProvider::observe(std::function<void()> changed) {
    std::lock_guard lock(m_mutex);
    const size_t id = m_nextObserverId++;
    m_observers.push_back({id, std::make_shared<const std::function<void()>>(std::move(changed))});
    return Subscription([weak = weak_from_this(), id] {
        const auto device = weak.lock();
        if (!device) return;
        std::lock_guard lock(device->m_mutex);
        std::erase_if(device->m_observers, [id](const Observer& entry) { return entry.id == id; });
    });
}

void SimulatedLocationProvider::notify() {
    std::vector<std::shared_ptr<const std::function<void()>>> observers;
    {
        std::lock_guard lock(m_mutex);
        for (const Observer& entry : m_observers)
            observers.push_back(entry.changed);
    }
    for (const auto& changed : observers)
        (*changed)();
}

}  // namespace ov
