#include "orvane/platform/ui/layout/LayoutItem.h"

#include <algorithm>
#include <atomic>
#include <cstdint>

#include "orvane/platform/ui/layout/LayoutConstraint.h"
#include "orvane/platform/values/Format.h"
#include "platform/ui/layout/ConstraintEngine.h"

namespace ov::ui {
namespace {

std::uint64_t nextSerial() {
    static std::atomic<std::uint64_t> counter{1};
    return counter++;
}

size_t axisIndex(UILayoutConstraintAxis axis) {
    return axis == UILayoutConstraintAxisVertical ? 1 : 0;
}

}  // namespace

LayoutItem::LayoutItem() : m_handle(std::make_shared<Handle>(Handle{this, nextSerial()})) {}

LayoutItem::~LayoutItem() {
    m_handle->item = nullptr;
    for (const auto& constraint : m_constraints)
        constraint->m_holder = nullptr;
}

Size LayoutItem::intrinsicContentSize() const {
    return {UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric};
}

String LayoutItem::layoutDescription() const {
    return stringWithFormat("LayoutItem:0x%llx", reinterpret_cast<std::uintptr_t>(this));
}

void LayoutItem::addConstraint(const std::shared_ptr<LayoutConstraint>& constraint) {
    if (!constraint || constraint->m_holder == this) return;
    if (constraint->m_holder) constraint->m_holder->removeConstraint(constraint);
    m_constraints.push_back(constraint);
    constraint->m_holder = this;
    layoutConstraintsDidChange();
}

void LayoutItem::addConstraints(const std::vector<std::shared_ptr<LayoutConstraint>>& constraints) {
    for (const auto& constraint : constraints)
        addConstraint(constraint);
}

void LayoutItem::removeConstraint(const std::shared_ptr<LayoutConstraint>& constraint) {
    auto it = std::find(m_constraints.begin(), m_constraints.end(), constraint);
    if (it == m_constraints.end()) return;
    constraint->m_holder = nullptr;
    m_constraints.erase(it);
    layoutConstraintsDidChange();
}

void LayoutItem::removeConstraints(
    const std::vector<std::shared_ptr<LayoutConstraint>>& constraints) {
    for (const auto& constraint : constraints)
        removeConstraint(constraint);
}

LayoutPriority LayoutItem::contentHuggingPriorityForAxis(UILayoutConstraintAxis axis) const {
    return m_hugging[axisIndex(axis)];
}

void LayoutItem::setContentHuggingPriority(LayoutPriority priority, UILayoutConstraintAxis axis) {
    if (m_hugging[axisIndex(axis)] == priority) return;
    m_hugging[axisIndex(axis)] = priority;
    layoutConstraintsDidChange();
}

LayoutPriority LayoutItem::contentCompressionResistancePriorityForAxis(
    UILayoutConstraintAxis axis) const {
    return m_compression[axisIndex(axis)];
}

void LayoutItem::setContentCompressionResistancePriority(LayoutPriority priority,
                                                         UILayoutConstraintAxis axis) {
    if (m_compression[axisIndex(axis)] == priority) return;
    m_compression[axisIndex(axis)] = priority;
    layoutConstraintsDidChange();
}

void LayoutItem::setTranslatesAutoresizingMaskIntoConstraints(bool translates) {
    if (m_translatesMask == translates) return;
    m_translatesMask = translates;
    layoutConstraintsDidChange();
}

void LayoutItem::solveConstraintLayout() {
    if (!m_engine) m_engine = std::make_unique<layout::ConstraintEngine>(*this);
    m_engine->layout();
}

Size LayoutItem::systemLayoutSizeFittingSize(Size targetSize) const {
    return systemLayoutSizeFittingSize(targetSize, UILayoutPriorityFittingSizeLevel,
                                       UILayoutPriorityFittingSizeLevel);
}

Size LayoutItem::systemLayoutSizeFittingSize(Size targetSize,
                                             LayoutPriority horizontalFittingPriority,
                                             LayoutPriority verticalFittingPriority) const {
    layout::ConstraintEngine engine(*this);
    return engine.fittingSize(targetSize, horizontalFittingPriority, verticalFittingPriority);
}

}  // namespace ov::ui
