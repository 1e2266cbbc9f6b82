#pragma once
// Per-class style defaults (the platform's appearance proxy): values set for a class, or for
// a class inside instances of other classes, that its instances use whenever they have no
// value of their own.
//
//   ov::ui::Appearance::appearance<ov::ui::ActivityIndicatorView>().setColor(
//       ov::ui::kAppearanceColor, ov::ui::Color::redColor());
//   ov::ui::Appearance::appearanceWhenContainedInInstancesOfClasses<
//       ov::ui::ActivityIndicatorView, MBProgressHUD>()
//       .setColor(ov::ui::kAppearanceColor, ov::ui::Color::blueColor());
//   spinner->color();   // blue inside a HUD, red elsewhere, unless setColor was called on it
//
// Views read the defaults when they draw or are asked, so a default set later, or a move into
// a container, takes effect at once. The most fitting default wins: one for the view's own
// class over one for a base class, and, for the same class, one whose container class is
// among the view's ancestors over one without a container. Main thread only.

#include <functional>
#include <optional>
#include <typeindex>
#include <vector>

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/values/String.h"
#include "orvane/platform/values/Value.h"

namespace ov::ui {

class View;

// The keys the controls read.
inline const String kAppearanceColor = "color";
inline const String kAppearanceTintColor = "tintColor";
inline const String kAppearanceTextColor = "textColor";
inline const String kAppearanceFont = "font";
inline const String kAppearanceProgressTintColor = "progressTintColor";
inline const String kAppearanceTrackTintColor = "trackTintColor";

class Appearance {
  public:
    using Matcher = std::function<bool(const View&)>;

    // The defaults of every instance of T (and of its subclasses).
    template <class T>
    static Appearance& appearance() {
        return proxy(typeid(T), matcher<T>(), {}, {});
    }
    // The defaults of T inside an instance of any of the containers (one level: any ancestor
    // that is one of them).
    template <class T, class... Containers>
    static Appearance& appearanceWhenContainedInInstancesOfClasses() {
        return proxy(typeid(T), matcher<T>(), {typeid(Containers)...}, {matcher<Containers>()...});
    }

    void setValue(const String& key, const Value& value);
    void removeValue(const String& key);
    // Absent when not set.
    Value value(const String& key) const;
    void setColor(const String& key, const Color& color) { setValue(key, color.toValue()); }
    void setFont(const String& key, const Font& font) { setValue(key, font.toValue()); }

    // The default that applies to `view` (absent when none does).
    static Value valueForView(const View& view, const String& key);
    static std::optional<Color> colorForView(const View& view, const String& key);
    static std::optional<Font> fontForView(const View& view, const String& key);

    // Forgets every default (tests start clean with it).
    static void resetAll();

  private:
    template <class T>
    static Matcher matcher() {
        return [](const View& view) { return dynamic_cast<const T*>(&view) != nullptr; };
    }
    static Appearance& proxy(std::type_index type, Matcher matches,
                             std::vector<std::type_index> containers,
                             std::vector<Matcher> containerMatchers);
    Appearance(std::type_index type, Matcher matches, std::vector<std::type_index> containers,
               std::vector<Matcher> containerMatchers);
    bool isContainedIn(const View& view) const;

    std::type_index m_type;
    Matcher m_matches;
    std::vector<std::type_index> m_containers;
    std::vector<Matcher> m_containerMatchers;
    Dictionary m_values;
};

}  // namespace ov::ui
