#include "orvane/platform/ui/views/Appearance.h"

#include <memory>

#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

namespace {

std::vector<std::unique_ptr<Appearance>>& proxies() {
    static std::vector<std::unique_ptr<Appearance>> all;
    return all;
}

}  // namespace

Appearance::Appearance(std::type_index type, Matcher matches,
                       std::vector<std::type_index> containers,
                       std::vector<Matcher> containerMatchers)
    : m_type(type),
      m_matches(std::move(matches)),
      m_containers(std::move(containers)),
      m_containerMatchers(std::move(containerMatchers)) {}

Appearance& Appearance::proxy(std::type_index type, Matcher matches,
                              std::vector<std::type_index> containers,
                              std::vector<Matcher> containerMatchers) {
    for (const auto& existing : proxies()) {
        if (existing->m_type == type && existing->m_containers == containers) return *existing;
    }
    proxies().push_back(std::unique_ptr<Appearance>(new Appearance(
        type, std::move(matches), std::move(containers), std::move(containerMatchers))));
    return *proxies().back();
}

void Appearance::setValue(const String& key, const Value& value) {
    m_values.setObject(value, key);
}

void Appearance::removeValue(const String& key) {
    m_values.removeObjectForKey(key);
}

Value Appearance::value(const String& key) const {
    return m_values.objectForKey(key);
}

bool Appearance::isContainedIn(const View& view) const {
    for (const View* ancestor = view.superview(); ancestor; ancestor = ancestor->superview()) {
        for (const auto& matches : m_containerMatchers) {
            if (matches(*ancestor)) return true;
        }
    }
    return false;
}

Value Appearance::valueForView(const View& view, const String& key) {
    const Appearance* best = nullptr;
    int bestScore = -1;
    for (const auto& candidate : proxies()) {
        if (candidate->value(key).isAbsent() || !candidate->m_matches(view)) continue;
        const bool contained = !candidate->m_containers.empty();
        if (contained && !candidate->isContainedIn(view)) continue;
        const int score =
            (candidate->m_type == std::type_index(typeid(view)) ? 2 : 0) + (contained ? 1 : 0);
        if (score > bestScore) {
            best = candidate.get();
            bestScore = score;
        }
    }
    return best ? best->value(key) : Value();
}

std::optional<Color> Appearance::colorForView(const View& view, const String& key) {
    return Color::fromValue(valueForView(view, key));
}

std::optional<Font> Appearance::fontForView(const View& view, const String& key) {
    return Font::fromValue(valueForView(view, key));
}

void Appearance::resetAll() {
    // Proxies stay: callers may hold references to them.
    for (const auto& proxy : proxies())
        proxy->m_values = Dictionary();
}

}  // namespace ov::ui
