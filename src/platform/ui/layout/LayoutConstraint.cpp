#include "orvane/platform/ui/layout/LayoutConstraint.h"

#include <algorithm>
#include <atomic>
#include <cmath>

#include "orvane/platform/values/SystemLog.h"
#include "platform/ui/layout/LayoutAttributes.h"

namespace ov::ui {
namespace {

std::uint64_t nextSerial() {
    static std::atomic<std::uint64_t> counter{1};
    return counter++;
}

// Why the pairing is invalid, or null when it is valid.
const char* invalidPairing(LayoutItem* view1, LayoutAttribute attr1, LayoutItem* view2,
                           LayoutAttribute attr2, double multiplier, double c) {
    using namespace layout;
    if (!view1 || attr1 == LayoutAttribute::notAnAttribute) return "no first item or attribute";
    if (!std::isfinite(multiplier) || !std::isfinite(c)) return "a value that is not finite";
    const bool hasSecond = view2 && attr2 != LayoutAttribute::notAnAttribute;
    if (!hasSecond && (view2 || attr2 != LayoutAttribute::notAnAttribute))
        return "a second item without a second attribute, or the reverse";
    if (!isSize(attr1) && (!hasSecond || multiplier == 0)) return "a position equal to a constant";
    if (!hasSecond) return nullptr;
    if (isSize(attr1) != isSize(attr2)) return "a position with a size";
    if (!isSize(attr1) && axisOf(attr1) != axisOf(attr2)) return "attributes of different axes";
    if (isDirectional(attr1) != isDirectional(attr2) && !isCentre(attr1) && !isCentre(attr2))
        return "leading or trailing with left or right";
    return nullptr;
}

const char* relationText(LayoutRelation relation) {
    switch (relation) {
        case LayoutRelation::lessThanOrEqual:
            return "<=";
        case LayoutRelation::greaterThanOrEqual:
            return ">=";
        case LayoutRelation::equal:
            break;
    }
    return "==";
}

std::string itemText(LayoutItem* item, LayoutAttribute attribute) {
    const std::string name = item ? item->layoutDescription().toUtf8() : "(gone)";
    return name + "." + layout::nameOf(attribute);
}

}  // namespace

LayoutConstraint::LayoutConstraint(Passkey, LayoutItem* firstItem, LayoutAttribute firstAttribute,
                                   LayoutRelation relation, LayoutItem* secondItem,
                                   LayoutAttribute secondAttribute, double multiplier,
                                   double constant)
    : m_firstItem(firstItem->handle()),
      m_firstAttribute(firstAttribute),
      m_relation(relation),
      m_secondItem(secondItem ? secondItem->handle() : nullptr),
      m_secondAttribute(secondAttribute),
      m_multiplier(multiplier),
      m_constant(constant),
      m_serial(nextSerial()) {}

std::shared_ptr<LayoutConstraint> LayoutConstraint::constraintWithItem(
    LayoutItem* view1, LayoutAttribute attr1, LayoutRelation relation, LayoutItem* view2,
    LayoutAttribute attr2, double multiplier, double c) {
    if (const char* reason = invalidPairing(view1, attr1, view2, attr2, multiplier, c)) {
        systemLog("Invalid pairing of layout attributes: %s", reason);
        return nullptr;
    }
    return std::make_shared<LayoutConstraint>(Passkey{}, view1, attr1, relation, view2, attr2,
                                              multiplier, c);
}

void LayoutConstraint::activateConstraints(const List& constraints) {
    for (const auto& constraint : constraints)
        if (constraint) constraint->setActive(true);
}

void LayoutConstraint::deactivateConstraints(const List& constraints) {
    for (const auto& constraint : constraints)
        if (constraint) constraint->setActive(false);
}

void LayoutConstraint::changed() {
    if (m_holder) m_holder->layoutConstraintsDidChange();
}

void LayoutConstraint::setConstant(double constant) {
    // A constant that is not finite would poison the whole layout: keep the old one.
    if (constant == m_constant || !std::isfinite(constant)) return;
    m_constant = constant;
    changed();
}

void LayoutConstraint::setPriority(LayoutPriority priority) {
    priority = std::isnan(priority) ? UILayoutPriorityRequired
                                    : std::clamp(priority, 1.0f, UILayoutPriorityRequired);
    if (priority == m_priority) return;
    m_priority = priority;
    changed();
}

void LayoutConstraint::setActive(bool active) {
    if (active == isActive()) return;
    if (!active) {
        m_holder->removeConstraint(shared_from_this());
        return;
    }
    // An item that is gone has no ancestors at all.
    const bool itemGone = !firstItem() || (m_secondItem && !secondItem());
    LayoutItem* ancestor =
        itemGone ? nullptr : layout::nearestCommonAncestor(firstItem(), secondItem());
    if (!ancestor) {
        systemLog(
            "Unable to activate constraint with items %@ and %@ because they have no "
            "common ancestor.",
            firstItem() ? firstItem()->layoutDescription() : String("(gone)"),
            secondItem() ? secondItem()->layoutDescription() : String("(gone)"));
        return;
    }
    ancestor->addConstraint(shared_from_this());
}

String LayoutConstraint::description() const {
    std::string text = "<LayoutConstraint ";
    if (!m_identifier.isEmpty()) text += "'" + m_identifier.toUtf8() + "' ";
    text += itemText(firstItem(), m_firstAttribute) + " " + relationText(m_relation) + " ";
    const bool hasSecond = m_secondItem != nullptr;
    if (hasSecond) text += itemText(secondItem(), m_secondAttribute);
    if (hasSecond && m_multiplier != 1) text += stringWithFormat(" * %g", m_multiplier).toUtf8();
    if (!hasSecond)
        text += stringWithFormat("%g", m_constant).toUtf8();
    else if (m_constant != 0)
        text +=
            stringWithFormat(" %c %g", m_constant < 0 ? '-' : '+', std::abs(m_constant)).toUtf8();
    if (m_priority < UILayoutPriorityRequired)
        text += stringWithFormat(" @%g", static_cast<double>(m_priority)).toUtf8();
    return String(text + ">");
}

}  // namespace ov::ui
