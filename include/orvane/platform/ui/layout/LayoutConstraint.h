#pragma once
// A layout constraint (the platform's NSLayoutConstraint): a linear relation between one
// attribute of a layout item and another's,
//
//     firstItem.firstAttribute  relation  multiplier × secondItem.secondAttribute + constant
//
// at a priority (1000 = required). Constraints are shared: the item they are installed on
// holds them, and so may the code that made them, to change the constant later.
//
//   using ov::ui::LayoutAttribute;
//   auto centre = ov::ui::LayoutConstraint::constraintWithItem(
//       &bezel, LayoutAttribute::centerX, ov::ui::LayoutRelation::equal, &hud,
//       LayoutAttribute::centerX, 1, 0);
//   centre->setPriority(998);
//   centre->setActive(true);        // installed on the nearest common ancestor
//   centre->setConstant(12);        // the holder is told to lay out again
//
//   // The visual format language: "|" is the superitem, "-" the standard spacing (8 between
//   // items, 20 to the superitem), "-(>=margin@750)-" a spacing with a relation, a metric
//   // and a priority, "[button(==other)]" a width (or height) rule.
//   auto row = ov::ui::LayoutConstraint::constraintsWithVisualFormat(
//       "H:|-(>=margin)-[bezel]-(>=margin)-|", 0, {{"margin", 20}}, {{"bezel", &bezel}});
//
// Leading and trailing are left and right: layouts run left to right. Errors (an invalid
// pairing of attributes, a format that does not parse, items without a common ancestor) are
// written to the system log and give null, an empty list or an inactive constraint.

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "orvane/platform/ui/layout/LayoutItem.h"
#include "orvane/platform/ui/layout/LayoutTypes.h"
#include "orvane/platform/values/String.h"

namespace ov::ui {

// Values as the platform stores them.
enum class LayoutAttribute {
    notAnAttribute = 0,
    left = 1,
    right = 2,
    top = 3,
    bottom = 4,
    leading = 5,
    trailing = 6,
    width = 7,
    height = 8,
    centerX = 9,
    centerY = 10,
};

// The visual format's options: the items it names are also aligned on every attribute whose
// bit (1 << attribute) is set.
using LayoutFormatOptions = unsigned long;
inline constexpr LayoutFormatOptions NSLayoutFormatAlignAllLeft = 1 << 1;
inline constexpr LayoutFormatOptions NSLayoutFormatAlignAllRight = 1 << 2;
inline constexpr LayoutFormatOptions NSLayoutFormatAlignAllTop = 1 << 3;
inline constexpr LayoutFormatOptions NSLayoutFormatAlignAllBottom = 1 << 4;
inline constexpr LayoutFormatOptions NSLayoutFormatAlignAllLeading = 1 << 5;
inline constexpr LayoutFormatOptions NSLayoutFormatAlignAllTrailing = 1 << 6;
inline constexpr LayoutFormatOptions NSLayoutFormatAlignAllCenterX = 1 << 9;
inline constexpr LayoutFormatOptions NSLayoutFormatAlignAllCenterY = 1 << 10;

class LayoutConstraint : public std::enable_shared_from_this<LayoutConstraint> {
    struct Passkey {};

  public:
    using Metrics = std::map<std::string, double, std::less<>>;
    using Views = std::map<std::string, LayoutItem*, std::less<>>;
    using List = std::vector<std::shared_ptr<LayoutConstraint>>;

    // Null, with a log line, for an invalid pairing: no first item or attribute, attributes of
    // different axes or kinds (a position with a size), a position against a constant, or a
    // second item without a second attribute (or the reverse, except for a size).
    static std::shared_ptr<LayoutConstraint> constraintWithItem(
        LayoutItem* view1, LayoutAttribute attr1, LayoutRelation relation, LayoutItem* view2,
        LayoutAttribute attr2, double multiplier, double c);
    // Inactive constraints in the order the format states them; empty, with a log line, when
    // the format does not parse or names an unknown item or metric.
    static List constraintsWithVisualFormat(std::string_view format, LayoutFormatOptions opts,
                                            const Metrics& metrics, const Views& views);
    static void activateConstraints(const List& constraints);
    static void deactivateConstraints(const List& constraints);

    LayoutConstraint(Passkey, LayoutItem* firstItem, LayoutAttribute firstAttribute,
                     LayoutRelation relation, LayoutItem* secondItem,
                     LayoutAttribute secondAttribute, double multiplier, double constant);

    // Null once the item is destroyed.
    LayoutItem* firstItem() const { return m_firstItem->item; }
    LayoutAttribute firstAttribute() const { return m_firstAttribute; }
    LayoutRelation relation() const { return m_relation; }
    LayoutItem* secondItem() const { return m_secondItem ? m_secondItem->item : nullptr; }
    LayoutAttribute secondAttribute() const { return m_secondAttribute; }
    double multiplier() const { return m_multiplier; }

    double constant() const { return m_constant; }
    void setConstant(double constant);
    // Kept between 1 and 1000; NaN counts as required.
    LayoutPriority priority() const { return m_priority; }
    void setPriority(LayoutPriority priority);

    // Installed on an item. Activating installs it on the nearest common ancestor of its
    // items; with none, it logs and stays inactive.
    bool isActive() const { return m_holder != nullptr; }
    void setActive(bool active);
    // The item it is installed on, or null.
    LayoutItem* holder() const { return m_holder; }

    const String& identifier() const { return m_identifier; }
    void setIdentifier(const String& identifier) { m_identifier = identifier; }

    // "<LayoutConstraint 'id' A.width == B.width × 2 + 8 @750>", for log lines.
    String description() const;
    // Unique for the process's life, unlike an address.
    std::uint64_t serial() const { return m_serial; }

  private:
    friend class LayoutItem;
    void changed();

    std::shared_ptr<LayoutItem::Handle> m_firstItem;
    LayoutAttribute m_firstAttribute;
    LayoutRelation m_relation;
    std::shared_ptr<LayoutItem::Handle> m_secondItem;
    LayoutAttribute m_secondAttribute;
    double m_multiplier;
    double m_constant;
    LayoutPriority m_priority = UILayoutPriorityRequired;
    LayoutItem* m_holder = nullptr;
    String m_identifier;
    std::uint64_t m_serial;
};

}  // namespace ov::ui
