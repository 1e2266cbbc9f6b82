#include "orvane/platform/ui/layers/Observation.h"

#include <algorithm>
#include <vector>

namespace ov::ui {

struct Observable::Registry {
    struct Entry {
        std::string keyPath;
        NSKeyValueObservingOptions options;
        Observer observer;
        bool active = true;
    };
    std::vector<std::shared_ptr<Entry>> entries;
};

Observable::Observable() : m_registry(std::make_shared<Registry>()) {}
Observable::~Observable() = default;
Observable::Observable(const Observable&) : m_registry(std::make_shared<Registry>()) {}

ObservationToken Observable::addObserver(std::string keyPath, NSKeyValueObservingOptions options,
                                         Observer observer) {
    auto entry = std::make_shared<Registry::Entry>(
        Registry::Entry{std::move(keyPath), options, std::move(observer)});
    m_registry->entries.push_back(entry);
    std::weak_ptr<Registry> registry = m_registry;
    return ObservationToken([registry, entry] {
        entry->active = false;
        if (auto alive = registry.lock()) std::erase(alive->entries, entry);
    });
}

bool Observable::hasObservers(std::string_view keyPath) const {
    return std::any_of(m_registry->entries.begin(), m_registry->entries.end(),
                       [&](const auto& entry) { return entry->keyPath == keyPath; });
}

void Observable::notifyObservers(std::string_view keyPath, const std::any& oldValue,
                                 const std::any& newValue) {
    // A copy, so observers may register and cancel while they are called.
    const auto entries = m_registry->entries;
    for (const auto& entry : entries) {
        if (!entry->active || entry->keyPath != keyPath) continue;
        ObservedChange change{entry->keyPath, {}, {}};
        if (entry->options & NSKeyValueObservingOptionOld) change.oldValue = oldValue;
        if (entry->options & NSKeyValueObservingOptionNew) change.newValue = newValue;
        entry->observer(change);
    }
}

}  // namespace ov::ui
