#include "orvane/platform/location/LocationManager.h"

#include <variant>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/values/Clock.h"

namespace ov {

namespace {

bool isAuthorized(AuthorizationStatus status) {
    return status == AuthorizationStatus::AuthorizedAlways ||
           status == AuthorizationStatus::AuthorizedWhenInUse;
}

bool isRefused(AuthorizationStatus status) {
    return status == AuthorizationStatus::Denied || status == AuthorizationStatus::Restricted;
}

Error deniedError() {
    return Error(kCLErrorDomain, kCLErrorDenied,
                 Dictionary{{NSLocalizedDescriptionKey, "the user has not allowed location"}});
}

struct Update {
    Location location;
    std::optional<Location> previous;
};
using Delivery = std::variant<std::monostate, Update, Error>;

}  // namespace

LocationManager::LocationManager(PrivateTag, std::shared_ptr<LocationProvider> provider)
    : m_provider(std::move(provider)), m_loop(RunLoop::current().weak_from_this()) {}

LocationManager::~LocationManager() {
    if (m_nextChange) m_nextChange->invalidate();
}

std::shared_ptr<LocationManager> LocationManager::create() {
    auto manager = std::make_shared<LocationManager>(PrivateTag{}, LocationProvider::shared());
    manager->m_observation = manager->m_provider->observe([weak = manager->weak_from_this()] {
        if (const auto self = weak.lock()) self->scheduleEvaluation();
    });
    return manager;
}

bool LocationManager::locationServicesEnabled() {
    return LocationProvider::shared()->locationServicesEnabled();
}

AuthorizationStatus LocationManager::authorizationStatus() {
    return LocationProvider::shared()->authorizationStatus();
}

void LocationManager::requestWhenInUseAuthorization() {
    m_provider->requestAuthorization(AuthorizationRequest::WhenInUse);
}

void LocationManager::requestAlwaysAuthorization() {
    m_provider->requestAuthorization(AuthorizationRequest::Always);
}

void LocationManager::setDesiredAccuracy(double metres) {
    std::lock_guard lock(m_mutex);
    m_desiredAccuracy = metres;
}

double LocationManager::desiredAccuracy() const {
    std::lock_guard lock(m_mutex);
    return m_desiredAccuracy;
}

void LocationManager::setDistanceFilter(double metres) {
    std::lock_guard lock(m_mutex);
    m_distanceFilter = metres;
}

double LocationManager::distanceFilter() const {
    std::lock_guard lock(m_mutex);
    return m_distanceFilter;
}

void LocationManager::setActivityType(ActivityType type) {
    std::lock_guard lock(m_mutex);
    m_activityType = type;
}

ActivityType LocationManager::activityType() const {
    std::lock_guard lock(m_mutex);
    return m_activityType;
}

void LocationManager::setDelegate(const std::shared_ptr<LocationManagerDelegate>& delegate) {
    std::lock_guard lock(m_mutex);
    m_delegate = delegate;
}

std::shared_ptr<LocationManagerDelegate> LocationManager::delegate() const {
    std::lock_guard lock(m_mutex);
    return m_delegate.lock();
}

void LocationManager::startUpdatingLocation() {
    {
        std::lock_guard lock(m_mutex);
        m_updating = true;
    }
    scheduleEvaluation();
}

void LocationManager::stopUpdatingLocation() {
    std::lock_guard lock(m_mutex);
    m_updating = false;
    if (!isActive()) forgetDeliveries();
}

void LocationManager::startMonitoringSignificantLocationChanges() {
    {
        std::lock_guard lock(m_mutex);
        m_monitoringSignificantChanges = true;
    }
    scheduleEvaluation();
}

void LocationManager::stopMonitoringSignificantLocationChanges() {
    std::lock_guard lock(m_mutex);
    m_monitoringSignificantChanges = false;
    if (!isActive()) forgetDeliveries();
}

bool LocationManager::isUpdatingLocation() const {
    std::lock_guard lock(m_mutex);
    return m_updating;
}

bool LocationManager::isMonitoringSignificantLocationChanges() const {
    std::lock_guard lock(m_mutex);
    return m_monitoringSignificantChanges;
}

std::optional<Location> LocationManager::location() const {
    if (!mayUseLocation()) return std::nullopt;
    return m_provider->sample(Clock::current().now()).location;
}

bool LocationManager::isActive() const {
    return m_updating || m_monitoringSignificantChanges;
}

bool LocationManager::mayUseLocation() const {
    return m_provider->locationServicesEnabled() && isAuthorized(m_provider->authorizationStatus());
}

double LocationManager::effectiveDistanceFilter() const {
    return m_updating ? m_distanceFilter : kSignificantChangeDistance;
}

// A restart reports the current fix again, as a fresh start of the hardware would.
void LocationManager::forgetDeliveries() {
    m_lastFix.reset();
    m_lastFailure.reset();
    if (m_nextChange) m_nextChange->invalidate();
    m_nextChange.reset();
}

void LocationManager::scheduleEvaluation() {
    const auto loop = m_loop.lock();
    if (!loop) return;
    loop->perform([weak = weak_from_this()] {
        if (const auto self = weak.lock()) self->evaluate();
    });
}

void LocationManager::scheduleNextChange(double now, double when) {
    const auto loop = m_loop.lock();
    if (!loop) return;
    m_nextChange = Timer::create(when - now, false, [weak = weak_from_this()](Timer&) {
        if (const auto self = weak.lock()) self->evaluate();
    });
    loop->addTimer(m_nextChange);
}

// Runs on the manager's loop: works out what the device reports now and tells the delegate
// what it has not heard yet.
void LocationManager::evaluate() {
    const double now = Clock::current().now();
    const bool enabled = m_provider->locationServicesEnabled();
    const AuthorizationStatus status = m_provider->authorizationStatus();
    const LocationSample sample = m_provider->sample(now);

    Delivery delivery;
    std::shared_ptr<LocationManagerDelegate> delegate;
    {
        std::lock_guard lock(m_mutex);
        if (m_nextChange) m_nextChange->invalidate();
        m_nextChange.reset();
        if (!isActive() || (enabled && status == AuthorizationStatus::NotDetermined)) return;

        std::optional<Error> failure;
        if (!enabled || isRefused(status))
            failure = deniedError();
        else if (sample.failure)
            failure = sample.failure;

        if (failure) {
            if (!m_lastFailure || !m_lastFailure->isEqual(*failure)) delivery = *failure;
            m_lastFailure = failure;
            m_lastFix.reset();
        } else if (sample.location) {
            if (sample.nextChange) scheduleNextChange(now, *sample.nextChange);
            const Location& fix = *sample.location;
            const double filter = effectiveDistanceFilter();
            const bool isNew = !m_lastFix || !(fix == *m_lastFix);
            const bool movedEnough =
                !m_lastFix || filter <= 0.0 || m_lastFix->distanceFromLocation(fix) >= filter;
            if (isNew && movedEnough) {
                delivery = Update{fix, m_lastFix};
                m_lastFix = fix;
            }
            m_lastFailure.reset();
        }
        delegate = m_delegate.lock();
    }
    if (!delegate) return;
    if (const auto* update = std::get_if<Update>(&delivery)) {
        delegate->locationManager(*this, update->location, update->previous);
    } else if (const auto* error = std::get_if<Error>(&delivery)) {
        delegate->locationManager(*this, *error);
    }
}

}  // namespace ov
