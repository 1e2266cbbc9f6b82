#pragma once
// The default location provider: a device whose position the host (or a test) sets, either
// fixed or replayed from a track by the clock, with a location-services switch and a user
// who answers permission questions as told.
//
//   auto device = std::make_shared<ov::SimulatedLocationProvider>();
//   device->setPosition(ov::CLLocationCoordinate2DMake(32.0853, 34.7818));
//   device->setAuthorizationAnswer(ov::AuthorizationStatus::Denied);   // the user says no
//   ov::LocationProvider::setShared(device);
//
// A new one has services on, no position, the status "not determined" and a user who grants
// whatever is asked. Questions are answered on a later turn of the main run loop, as a user
// answers a dialog; only a status still "not determined" then takes the answer. Thread-safe.

#include <mutex>
#include <vector>

#include "orvane/platform/location/GpxTrack.h"
#include "orvane/platform/location/LocationProvider.h"

namespace ov {

class SimulatedLocationProvider final
    : public LocationProvider,
      public std::enable_shared_from_this<SimulatedLocationProvider> {
  public:
    // Seconds between track points that carry no time.
    static constexpr double kUntimedPointInterval = 1.0;

    SimulatedLocationProvider() = default;

    // ORVANE_LOCATION holds "latitude,longitude" for a fixed position or the path of a GPX
    // file to replay; with either, the user has already allowed use while in use.
    static std::shared_ptr<SimulatedLocationProvider> fromEnvironment();

    // Replaces any track; none leaves the device without a fix.
    void setPosition(std::optional<LocationCoordinate2D> coordinate);
    // Replays from now: the first point at once, each later one at its time after the first
    // (points without a time, or going back in time, follow their predecessor after
    // kUntimedPointInterval). The last point stays. An empty track means no fix.
    void setTrack(std::vector<TrackPoint> track);
    // setTrack with the file's points; false (and nothing changed) when it has none.
    bool loadTrack(const String& gpxPath);
    // While set, managers that are updating receive this failure instead of fixes.
    void setFailure(std::optional<Error> failure);

    void setLocationServicesEnabled(bool enabled);
    void setAuthorizationStatus(AuthorizationStatus status);
    // What the user answers from now on; none grants what is asked.
    void setAuthorizationAnswer(std::optional<AuthorizationStatus> answer);
    // Every question asked, oldest first.
    std::vector<AuthorizationRequest> authorizationRequests() const;

    bool locationServicesEnabled() const override;
    AuthorizationStatus authorizationStatus() const override;
    void requestAuthorization(AuthorizationRequest request) override;
    LocationSample sample(double now) const override;
    Subscription observe(std::function<void()> changed) override;

  private:
    struct Observer {
        size_t id;
        std::shared_ptr<const std::function<void()>> changed;
    };

    void answer(AuthorizationRequest request);
    void notify();

    mutable std::mutex m_mutex;
    bool m_servicesEnabled = true;
    AuthorizationStatus m_status = AuthorizationStatus::NotDetermined;
    std::optional<AuthorizationStatus> m_answer;
    std::vector<AuthorizationRequest> m_requests;
    // The replay: points with their due time as Clock time. A fixed position is one point.
    std::vector<std::pair<double, LocationCoordinate2D>> m_track;
    std::optional<Error> m_failure;
    std::vector<Observer> m_observers;
    size_t m_nextObserverId = 0;
};

}  // namespace ov
