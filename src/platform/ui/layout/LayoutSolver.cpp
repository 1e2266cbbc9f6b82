#include "orvane/platform/ui/layout/LayoutSolver.h"

#include <algorithm>
#include <cmath>

#include "platform/ui/layout/SimplexTableau.h"

namespace ov::ui {
namespace {

bool isFinite(const LinearConstraint& constraint) {
    const LayoutExpression& expression = constraint.expression;
    return std::isfinite(expression.constant) && !std::isnan(constraint.priority) &&
           std::all_of(expression.terms.begin(), expression.terms.end(),
                       [](const LayoutTerm& term) { return std::isfinite(term.coefficient); });
}

}  // namespace

LayoutExpression& LayoutExpression::operator+=(const LayoutExpression& other) {
    terms.insert(terms.end(), other.terms.begin(), other.terms.end());
    constant += other.constant;
    return *this;
}

LayoutExpression& LayoutExpression::operator*=(double factor) {
    for (LayoutTerm& term : terms)
        term.coefficient *= factor;
    constant *= factor;
    return *this;
}

LayoutExpression operator+(LayoutExpression left, const LayoutExpression& right) {
    return left += right;
}

LayoutExpression operator-(LayoutExpression left, LayoutExpression right) {
    return left += right *= -1.0;
}

LayoutExpression operator*(LayoutExpression expression, double factor) {
    return expression *= factor;
}

LayoutExpression operator*(double factor, LayoutExpression expression) {
    return expression *= factor;
}

class LayoutSolver::Tableau : public simplex::Tableau {};

LayoutSolver::LayoutSolver() : m_tableau(std::make_unique<Tableau>()) {}

LayoutSolver::~LayoutSolver() = default;

LayoutVariable LayoutSolver::makeVariable() {
    return {m_variableCount++};
}

std::optional<LayoutSolver::ConstraintId> LayoutSolver::addConstraint(
    const LinearConstraint& constraint) {
    if (!isFinite(constraint)) return std::nullopt;
    settle();
    const ConstraintId id = m_nextId++;
    if (!m_tableau->add(id, constraint)) {
        // The search for a solution moved the tableau's basis before giving up.
        m_rebuildPending = true;
        return std::nullopt;
    }
    m_standing.emplace(id, constraint);
    return id;
}

// Undoing a constraint in place leaves the tableau in a basis that depends on the history, and
// with it the choice among equally good solutions: a layout rebuilt rule by rule came out
// differently from the same rules laid out afresh.
bool LayoutSolver::removeConstraint(ConstraintId id) {
    if (m_standing.erase(id) == 0) return false;
    m_rebuildPending = true;
    return true;
}

void LayoutSolver::settle() const {
    if (!m_rebuildPending) return;
    m_rebuildPending = false;
    m_tableau = std::make_unique<Tableau>();
    // A subset of a system that held still holds; nothing is refused here.
    for (const auto& [id, constraint] : m_standing)
        m_tableau->add(id, constraint);
}

bool LayoutSolver::hasConstraint(ConstraintId id) const {
    return m_standing.count(id) != 0;
}

bool LayoutSolver::addEditVariable(LayoutVariable variable, LayoutPriority priority) {
    if (!(priority < UILayoutPriorityRequired) || hasEditVariable(variable)) return false;
    const auto id = addConstraint({variable, LayoutRelation::equal, std::max(priority, 1.0f)});
    if (!id) return false;
    m_edits.emplace(variable.index, Edit{*id});
    return true;
}

bool LayoutSolver::removeEditVariable(LayoutVariable variable) {
    auto edit = m_edits.find(variable.index);
    if (edit == m_edits.end()) return false;
    removeConstraint(edit->second.constraint);
    m_edits.erase(edit);
    return true;
}

bool LayoutSolver::hasEditVariable(LayoutVariable variable) const {
    return m_edits.count(variable.index) != 0;
}

bool LayoutSolver::suggestValue(LayoutVariable variable, double value) {
    auto edit = m_edits.find(variable.index);
    if (edit == m_edits.end() || !std::isfinite(value)) return false;
    if (!setConstant(edit->second.constraint, -value)) return false;
    edit->second.suggested = value;
    return true;
}

bool LayoutSolver::setConstant(ConstraintId id, double constant) {
    auto standing = m_standing.find(id);
    if (standing == m_standing.end() || !std::isfinite(constant)) return false;
    settle();
    double& current = standing->second.expression.constant;
    if (!m_tableau->moveConstant(id, constant - current)) {
        // The search may have moved the basis before giving up.
        m_rebuildPending = true;
        return false;
    }
    // A later rebuild starts from the constant as it is now.
    current = constant;
    return true;
}

double LayoutSolver::value(LayoutVariable variable) const {
    settle();
    return m_tableau->value(variable);
}

}  // namespace ov::ui
