#pragma once
// An incremental linear constraint solver in the manner of Cassowary: linear equalities and
// inequalities over real variables, each required or optional with a priority, added and
// removed one at a time; edit variables take suggested values and are re-solved with the dual
// simplex method without rebuilding anything.
//
//   ov::ui::LayoutSolver solver;
//   auto left = solver.makeVariable(), width = solver.makeVariable();
//   solver.addConstraint({left - 20, ov::ui::LayoutRelation::greaterThanOrEqual});
//   solver.addConstraint({width - 100, ov::ui::LayoutRelation::equal, 250});  // optional
//   solver.addEditVariable(left, 999);
//   solver.suggestValue(left, 10);     // below the required 20: the edit loses
//   solver.value(left);                // 20
//
// Optional constraints are ranked strictly: the solution first minimises the violations at
// the highest priority in use, then, among those solutions, the next one down, and so on.
// Where several solutions are equally good, the one chosen depends only on the constraints that
// stand and the order they were added in, never on what was removed before, on addresses or on
// timing: after a removal or a refusal, what stands is solved again from scratch at next use.
//
// Not thread-safe: one solver belongs to one thread.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/ui/layout/LayoutTypes.h"

namespace ov::ui {

// A variable of the solver that made it.
struct LayoutVariable {
    std::uint32_t index = 0;

    friend bool operator==(const LayoutVariable&, const LayoutVariable&) = default;
};

struct LayoutTerm {
    LayoutVariable variable;
    double coefficient = 1;

    friend bool operator==(const LayoutTerm&, const LayoutTerm&) = default;
};

// The sum of the terms plus the constant.
struct LayoutExpression {
    std::vector<LayoutTerm> terms;
    double constant = 0;

    LayoutExpression() = default;
    LayoutExpression(double constant) : constant(constant) {}            // NOLINT: reads as algebra
    LayoutExpression(LayoutVariable variable) : terms{{variable, 1}} {}  // NOLINT

    LayoutExpression& operator+=(const LayoutExpression& other);
    LayoutExpression& operator*=(double factor);

    friend bool operator==(const LayoutExpression&, const LayoutExpression&) = default;
};

LayoutExpression operator+(LayoutExpression left, const LayoutExpression& right);
LayoutExpression operator-(LayoutExpression left, LayoutExpression right);
LayoutExpression operator*(LayoutExpression expression, double factor);
LayoutExpression operator*(double factor, LayoutExpression expression);

// "expression relation 0" at a priority; 1000 or more is required.
struct LinearConstraint {
    LayoutExpression expression;
    LayoutRelation relation = LayoutRelation::equal;
    LayoutPriority priority = UILayoutPriorityRequired;

    friend bool operator==(const LinearConstraint&, const LinearConstraint&) = default;
};

class LayoutSolver {
  public:
    using ConstraintId = std::uint64_t;

    LayoutSolver();
    ~LayoutSolver();
    LayoutSolver(const LayoutSolver&) = delete;
    LayoutSolver& operator=(const LayoutSolver&) = delete;

    LayoutVariable makeVariable();

    // None when the constraint is required and cannot hold together with the required ones
    // already added, or when it holds a NaN or an infinity; the solver is then unchanged.
    std::optional<ConstraintId> addConstraint(const LinearConstraint& constraint);
    // False for an id that is not (or no longer) in the solver.
    bool removeConstraint(ConstraintId id);
    bool hasConstraint(ConstraintId id) const;
    // Moves the constant of an equality in the solver and re-solves from where it stands, as a
    // suggestion moves an edit variable: cheaper than removing and adding it again. False, with
    // the solver as it was, for an inequality, a NaN or infinity, or a required equality that
    // cannot move without breaking a required constraint.
    bool setConstant(ConstraintId id, double constant);

    // An edit variable is held at its suggested value (0 until a suggestion) at an optional
    // priority; a required priority is refused, since a suggestion could then break the
    // system. False when the variable is already an edit variable.
    bool addEditVariable(LayoutVariable variable, LayoutPriority priority);
    bool removeEditVariable(LayoutVariable variable);
    bool hasEditVariable(LayoutVariable variable) const;
    // Moves the edit variable's target and re-solves; false for a variable that is not one.
    bool suggestValue(LayoutVariable variable, double value);

    // The current solution; 0 for a variable no constraint mentions.
    double value(LayoutVariable variable) const;

  private:
    class Tableau;
    // Builds the tableau again from what stands if a removal or a refusal left it pending.
    void settle() const;

    mutable std::unique_ptr<Tableau> m_tableau;
    mutable bool m_rebuildPending = false;
    std::map<ConstraintId, LinearConstraint> m_standing;  // in the order they were added
    std::uint32_t m_variableCount = 0;
    ConstraintId m_nextId = 1;
    struct Edit {
        ConstraintId constraint;
        double suggested = 0;
    };
    std::map<std::uint32_t, Edit> m_edits;
};

}  // namespace ov::ui
