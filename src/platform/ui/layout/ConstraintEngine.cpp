#include "platform/ui/layout/ConstraintEngine.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "orvane/platform/ui/layout/LayoutConstraint.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::ui::layout {
namespace {

// Slots of the rules generated for an item.
enum Slot {
    kLeft,
    kTop,
    kWidth,
    kHeight,
    kWidthHug,
    kWidthResist,
    kHeightHug,
    kHeightResist,
    kWidthNotNegative,
    kHeightNotNegative
};

constexpr const char* kSlotNames[] = {"left",
                                      "top",
                                      "width",
                                      "height",
                                      "width hugging",
                                      "width compression resistance",
                                      "height hugging",
                                      "height compression resistance",
                                      "width not negative",
                                      "height not negative"};

bool onlyConstantDiffers(const LinearConstraint& before, const LinearConstraint& after) {
    return before.relation == LayoutRelation::equal && after.relation == LayoutRelation::equal &&
           before.priority == after.priority && before.expression.terms == after.expression.terms;
}

LinearConstraint equal(LayoutExpression expression,
                       LayoutPriority priority = UILayoutPriorityRequired) {
    return {std::move(expression), LayoutRelation::equal, priority};
}

// Solver values carry rounding noise (19.999999999); frames should not.
double snapped(double value) {
    const double whole = std::round(value);
    return (std::abs(value - whole) < 1e-6 ? whole : value) + 0.0;  // + 0.0 turns -0 into 0
}

}  // namespace

bool ConstraintEngine::visitTree() {
    m_visits.clear();
    m_visitIndex.clear();
    bool anyConstraint = false;
    std::vector<std::pair<const LayoutItem*, size_t>> pending{{&m_root, 0}};
    while (!pending.empty()) {
        auto [item, parent] = pending.back();
        pending.pop_back();
        // A malformed tree that reaches an item twice still lays out once.
        if (!m_visitIndex.emplace(item->handle()->serial, m_visits.size()).second) continue;
        const size_t index = m_visits.size();
        m_visits.push_back({item == &m_root ? nullptr : const_cast<LayoutItem*>(item), parent,
                            variablesFor(*item)});
        anyConstraint = anyConstraint || !item->constraints().empty();
        const auto subitems = item->layoutSubitems();
        for (auto it = subitems.rbegin(); it != subitems.rend(); ++it)
            if (*it) pending.emplace_back(*it, index);
    }
    return anyConstraint;
}

ItemVariables ConstraintEngine::variablesFor(const LayoutItem& item) {
    auto [it, added] = m_variables.try_emplace(item.handle()->serial);
    if (added)
        it->second = {m_solver.makeVariable(), m_solver.makeVariable(), m_solver.makeVariable(),
                      m_solver.makeVariable()};
    return it->second;
}

void ConstraintEngine::wantItemRules(const RootSize& rootSize) {
    for (size_t index = 0; index < m_visits.size(); ++index) {
        const Visit& visit = m_visits[index];
        const ItemVariables& v = visit.variables;
        const LayoutItem& item = visit.item ? *visit.item : m_root;
        auto want = [&](int slot, LinearConstraint constraint) {
            m_wanted.push_back({{Key::Source::item, item.handle()->serial, slot},
                                std::move(constraint),
                                nullptr,
                                &item});
        };
        if (!visit.item) {
            want(kLeft, equal(v.left));
            want(kTop, equal(v.top));
            want(kWidth, equal(v.width - rootSize.size.width, rootSize.horizontal));
            want(kHeight, equal(v.height - rootSize.size.height, rootSize.vertical));
        } else if (item.translatesAutoresizingMaskIntoConstraints()) {
            const ItemVariables& parent = m_visits[visit.parent].variables;
            const Rect frame = item.frame();
            want(kLeft, equal(v.left - parent.left - frame.origin.x));
            want(kTop, equal(v.top - parent.top - frame.origin.y));
            want(kWidth, equal(v.width - frame.size.width));
            want(kHeight, equal(v.height - frame.size.height));
        } else {
            // A size below zero satisfies nothing a user meant; it only turns frames inside
            // out, so it is never a way to absorb a conflict.
            want(kWidthNotNegative, {v.width, LayoutRelation::greaterThanOrEqual});
            want(kHeightNotNegative, {v.height, LayoutRelation::greaterThanOrEqual});
            const Size natural = item.intrinsicContentSize();
            if (natural.width >= 0) {
                const auto axis = UILayoutConstraintAxisHorizontal;
                want(kWidthHug, {v.width - natural.width, LayoutRelation::lessThanOrEqual,
                                 item.contentHuggingPriorityForAxis(axis)});
                want(kWidthResist, {v.width - natural.width, LayoutRelation::greaterThanOrEqual,
                                    item.contentCompressionResistancePriorityForAxis(axis)});
            }
            if (natural.height >= 0) {
                const auto axis = UILayoutConstraintAxisVertical;
                want(kHeightHug, {v.height - natural.height, LayoutRelation::lessThanOrEqual,
                                  item.contentHuggingPriorityForAxis(axis)});
                want(kHeightResist, {v.height - natural.height, LayoutRelation::greaterThanOrEqual,
                                     item.contentCompressionResistancePriorityForAxis(axis)});
            }
        }
    }
}

// Constraints that name an item gone or outside this tree cannot be solved here and are left
// out until that changes.
void ConstraintEngine::wantConstraints() {
    auto variablesOf = [&](const LayoutItem* item) -> const ItemVariables* {
        if (!item) return nullptr;
        auto it = m_visitIndex.find(item->handle()->serial);
        return it == m_visitIndex.end() ? nullptr : &m_visits[it->second].variables;
    };
    for (const Visit& visit : m_visits) {
        const LayoutItem& holder = visit.item ? *visit.item : m_root;
        for (const auto& constraint : holder.constraints()) {
            const ItemVariables* first = variablesOf(constraint->firstItem());
            const bool hasSecond = constraint->secondAttribute() != LayoutAttribute::notAnAttribute;
            const ItemVariables* second =
                hasSecond ? variablesOf(constraint->secondItem()) : nullptr;
            if (!first || (hasSecond && !second)) continue;
            LayoutExpression expression =
                expressionFor(*first, constraint->firstAttribute()) - constraint->constant();
            if (second)
                expression = expression - constraint->multiplier() *
                                              expressionFor(*second, constraint->secondAttribute());
            m_wanted.push_back(
                {{Key::Source::constraint, constraint->serial(), 0},
                 {std::move(expression), constraint->relation(), constraint->priority()},
                 constraint.get(),
                 nullptr});
        }
    }
}

// Brings the solver in line with m_wanted. Any change puts every rule back in tree order, as a
// first pass would: where several solutions are equally good, the solver's choice follows the
// order of the rules, and a layout must not depend on how it got there.
void ConstraintEngine::reconcile() {
    if (!changedSinceLastPass() || moveConstants()) return;
    const std::map<Key, Installed> previous = std::exchange(m_installed, {});
    for (const auto& [key, installed] : previous)
        if (installed.id) m_solver.removeConstraint(*installed.id);
    for (const Wanted& wanted : m_wanted) {
        const auto id = m_solver.addConstraint(wanted.constraint);
        m_installed[wanted.key] = {wanted.constraint, id};
        auto before = previous.find(wanted.key);
        const bool brokenBefore = before != previous.end() && !before->second.id &&
                                  before->second.constraint == wanted.constraint;
        if (!id && !brokenBefore)
            systemLog(
                "Unable to simultaneously satisfy constraints.\n\tWill attempt to recover by "
                "breaking constraint \n%@",
                describe(wanted));
    }
}

// A pass where only constants moved (a new root size, a moved translated frame, a constraint's
// new constant) moves them in the solver instead of building it again. The solver's choice
// among equally good solutions depends on the order of the rules, not on their constants, so
// the answer is the one a first pass would give.
bool ConstraintEngine::moveConstants() {
    if (m_installed.size() != m_wanted.size()) return false;
    std::vector<std::pair<Installed*, const LinearConstraint*>> moved;
    for (const Wanted& wanted : m_wanted) {
        auto it = m_installed.find(wanted.key);
        if (it == m_installed.end()) return false;
        Installed& installed = it->second;
        if (installed.constraint == wanted.constraint) continue;
        if (!installed.id || !onlyConstantDiffers(installed.constraint, wanted.constraint))
            return false;
        moved.emplace_back(&installed, &wanted.constraint);
    }
    for (auto [installed, constraint] : moved) {
        if (!m_solver.setConstant(*installed->id, constraint->expression.constant)) return false;
        installed->constraint = *constraint;
    }
    return true;
}

bool ConstraintEngine::changedSinceLastPass() const {
    if (m_installed.size() != m_wanted.size()) return true;
    return std::any_of(m_wanted.begin(), m_wanted.end(), [&](const Wanted& wanted) {
        auto it = m_installed.find(wanted.key);
        return it == m_installed.end() || !(it->second.constraint == wanted.constraint);
    });
}

void ConstraintEngine::solve(const RootSize& rootSize) {
    m_wanted.clear();
    wantItemRules(rootSize);
    wantConstraints();
    reconcile();
}

double ConstraintEngine::valueOf(LayoutVariable variable) const {
    return snapped(m_solver.value(variable));
}

void ConstraintEngine::writeFrames() {
    for (const Visit& visit : m_visits) {
        if (!visit.item || visit.item->translatesAutoresizingMaskIntoConstraints()) continue;
        const ItemVariables& v = visit.variables;
        const ItemVariables& parent = m_visits[visit.parent].variables;
        const Rect frame(valueOf(v.left) - valueOf(parent.left),
                         valueOf(v.top) - valueOf(parent.top), valueOf(v.width), valueOf(v.height));
        if (!(frame == visit.item->frame())) visit.item->setFrame(frame);
    }
}

void ConstraintEngine::layout() {
    // A tree that never had constraints is laid out by frames alone: leave it untouched. Once
    // it had some, removing the last one must still release what it held.
    if (!visitTree() && m_installed.empty()) return;
    solve({m_root.frame().size, UILayoutPriorityRequired, UILayoutPriorityRequired});
    writeFrames();
}

Size ConstraintEngine::fittingSize(Size target, LayoutPriority horizontal,
                                   LayoutPriority vertical) {
    visitTree();
    solve({target, horizontal, vertical});
    const ItemVariables& root = m_visits.front().variables;
    return {valueOf(root.width), valueOf(root.height)};
}

String ConstraintEngine::describe(const Wanted& wanted) {
    if (wanted.origin) return wanted.origin->description();
    return stringWithFormat("<generated %s rule of %@>", kSlotNames[wanted.key.slot],
                            wanted.item->layoutDescription());
}

}  // namespace ov::ui::layout
