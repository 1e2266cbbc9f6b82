#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

#include "orvane/platform/ui/layout/LayoutSolver.h"

namespace ov::ui {
namespace {

constexpr auto kEqual = LayoutRelation::equal;
constexpr auto kAtMost = LayoutRelation::lessThanOrEqual;
constexpr auto kAtLeast = LayoutRelation::greaterThanOrEqual;

// left, width of a box inside a 0..extent container, as the components lay out rows.
struct Box {
    LayoutVariable left, width;
    LayoutExpression right() const { return left + width; }
    LayoutExpression centre() const { return left + 0.5 * LayoutExpression(width); }
};

class LayoutSolverTest : public testing::Test {
  protected:
    Box box() { return {m_solver.makeVariable(), m_solver.makeVariable()}; }
    LayoutSolver::ConstraintId require(LayoutExpression expression, LayoutRelation relation,
                                       LayoutPriority priority = UILayoutPriorityRequired) {
        auto id = m_solver.addConstraint({std::move(expression), relation, priority});
        EXPECT_TRUE(id.has_value());
        return id.value_or(0);
    }
    double value(LayoutVariable variable) const { return m_solver.value(variable); }
    double value(const LayoutExpression& expression) const {
        double sum = expression.constant;
        for (const LayoutTerm& term : expression.terms)
            sum += term.coefficient * m_solver.value(term.variable);
        return sum;
    }

    LayoutSolver m_solver;
};

TEST_F(LayoutSolverTest, PinsEdgesAndSplitsARowIntoEqualWidths) {
    // |[a][b(==a)][c(==a)]| in 300 points.
    Box a = box(), b = box(), c = box();
    require(a.left, kEqual);
    require(b.left - a.right(), kEqual);
    require(c.left - b.right(), kEqual);
    require(c.right() - 300, kEqual);
    require(b.width - a.width, kEqual);
    require(c.width - a.width, kEqual);
    EXPECT_DOUBLE_EQ(value(a.width), 100);
    EXPECT_DOUBLE_EQ(value(b.left), 100);
    EXPECT_DOUBLE_EQ(value(c.left), 200);
}

TEST_F(LayoutSolverTest, CentresWithMarginsWhenThereIsRoomAndYieldsToTheMarginsWhenNot) {
    // A 320-wide container; the box wants centre + offset at 998, keeps its 200-wide content
    // at 998 and hugs it at 250, and must keep a 20 margin on both sides at 999.
    Box bezel = box();
    require(bezel.left - 20, kAtLeast, 999);
    require(bezel.right() - 300, kAtMost, 999);
    require(bezel.width - 200, kAtLeast, 998);
    require(bezel.width - 200, kAtMost, UILayoutPriorityDefaultLow);
    const auto centre = require(bezel.centre() - 160, kEqual, 998);
    EXPECT_DOUBLE_EQ(value(bezel.left), 60);
    EXPECT_DOUBLE_EQ(value(bezel.width), 200);

    // An offset far beyond the edge: the margin (999) wins over centring (998), wholly.
    m_solver.removeConstraint(centre);
    require(bezel.centre() - (160 + 1000000), kEqual, 998);
    EXPECT_DOUBLE_EQ(value(bezel.right()), 300);
    EXPECT_DOUBLE_EQ(value(bezel.width), 200);
}

TEST_F(LayoutSolverTest, AHigherPriorityBeatsAnyNumberOfLowerOnes) {
    LayoutVariable x = m_solver.makeVariable();
    require(x - 10, kEqual, 500);
    require(x - 20, kEqual, 499);
    require(x - 20, kEqual, 499);
    require(x - 20, kEqual, 499);
    EXPECT_DOUBLE_EQ(value(x), 10);
}

TEST_F(LayoutSolverTest, AnOptionalConstraintLosesToARequiredOneAndComesBackWhenItGoes) {
    LayoutVariable width = m_solver.makeVariable();
    const auto cap = require(width - 50, kAtMost);
    require(width - 80, kEqual, UILayoutPriorityDefaultHigh);
    EXPECT_DOUBLE_EQ(value(width), 50);

    EXPECT_TRUE(m_solver.removeConstraint(cap));
    EXPECT_DOUBLE_EQ(value(width), 80);
    EXPECT_FALSE(m_solver.removeConstraint(cap));
    EXPECT_FALSE(m_solver.hasConstraint(cap));
}

TEST_F(LayoutSolverTest, EqualPrioritiesMinimiseTheTotalViolation) {
    // Two boxes of 100 hugged at 250 in a 150 row: one of them gives way by the whole 50.
    Box a = box(), b = box();
    require(a.left, kEqual);
    require(b.left - a.right(), kEqual);
    require(b.right() - 150, kEqual);
    require(a.width - 100, kEqual, 250);
    require(b.width - 100, kEqual, 250);
    EXPECT_DOUBLE_EQ(value(a.width) + value(b.width), 150);
    EXPECT_TRUE(value(a.width) == 100 || value(b.width) == 100);
}

TEST_F(LayoutSolverTest, AnUnsatisfiableRequiredConstraintIsRefusedAndTheSolverCarriesOn) {
    LayoutVariable x = m_solver.makeVariable(), y = m_solver.makeVariable();
    require(x - 10, kEqual);
    require(y - x - 5, kAtLeast);
    EXPECT_FALSE(m_solver.addConstraint({x - 20, kEqual}));
    EXPECT_FALSE(m_solver.addConstraint({y - 12, kAtMost}));  // needs phase one to find out
    EXPECT_DOUBLE_EQ(value(x), 10);
    EXPECT_GE(value(y), 15);

    // Still fully working afterwards: new constraints, removals and edits.
    const auto upper = require(y - 30, kAtMost);
    require(y - 40, kEqual, 10);
    EXPECT_DOUBLE_EQ(value(y), 30);
    m_solver.removeConstraint(upper);
    EXPECT_DOUBLE_EQ(value(y), 40);
}

TEST_F(LayoutSolverTest, RedundantAndConflictingCopiesOfTheSameRule) {
    LayoutVariable x = m_solver.makeVariable();
    const auto first = require(x - 7, kEqual);
    const auto second = require(x - 7, kEqual);  // says nothing new: accepted
    m_solver.removeConstraint(first);
    EXPECT_DOUBLE_EQ(value(x), 7);
    m_solver.removeConstraint(second);
    require(x - 1, kEqual, 1);
    EXPECT_DOUBLE_EQ(value(x), 1);
}

TEST_F(LayoutSolverTest, RejectsValuesThatAreNotFinite) {
    LayoutVariable x = m_solver.makeVariable();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(m_solver.addConstraint({x - nan, kEqual}));
    EXPECT_FALSE(m_solver.addConstraint({std::numeric_limits<double>::infinity() * x, kEqual}));
    require(x - 3, kEqual);
    EXPECT_DOUBLE_EQ(value(x), 3);
}

TEST_F(LayoutSolverTest, EditVariablesFollowSuggestionsWithinTheRequiredBounds) {
    // A draggable box of width 40 kept inside 0..200.
    Box knob = box();
    require(knob.width - 40, kEqual);
    require(knob.left, kAtLeast);
    require(knob.right() - 200, kAtMost);
    ASSERT_TRUE(m_solver.addEditVariable(knob.left, UILayoutPriorityDefaultHigh));
    EXPECT_FALSE(m_solver.addEditVariable(knob.left, UILayoutPriorityDefaultHigh));
    EXPECT_FALSE(m_solver.addEditVariable(knob.width, UILayoutPriorityRequired));

    for (double target : {50.0, 120.0, -30.0, 500.0, 80.0}) {
        ASSERT_TRUE(m_solver.suggestValue(knob.left, target));
        EXPECT_DOUBLE_EQ(value(knob.left), std::clamp(target, 0.0, 160.0)) << target;
        EXPECT_DOUBLE_EQ(value(knob.width), 40);
    }

    EXPECT_TRUE(m_solver.removeEditVariable(knob.left));
    EXPECT_FALSE(m_solver.suggestValue(knob.left, 10));
    EXPECT_FALSE(m_solver.removeEditVariable(knob.left));
}

TEST_F(LayoutSolverTest, EditsRespectOptionalConstraintsOfHigherPriority) {
    LayoutVariable x = m_solver.makeVariable();
    require(x - 100, kAtMost, 800);
    ASSERT_TRUE(m_solver.addEditVariable(x, 500));
    m_solver.suggestValue(x, 150);
    EXPECT_DOUBLE_EQ(value(x), 100);
    m_solver.suggestValue(x, 60);
    EXPECT_DOUBLE_EQ(value(x), 60);
}

// Variables chained by required gaps, each pulled to its own target at its own priority, so
// the optimum is unique: a solver that added everything and then removed some constraints and
// moved an edit must agree with one built from the remainder alone.
TEST(LayoutSolver, IncrementalChangesAgreeWithSolvingFromScratch) {
    std::mt19937 random(7);
    auto uniform = [&](int limit) { return static_cast<double>(random() % limit); };
    constexpr int kVariables = 8;
    std::vector<LinearConstraint> constraints;
    std::vector<LayoutVariable> variables;
    for (int i = 0; i < kVariables; ++i)
        variables.push_back({static_cast<std::uint32_t>(i)});
    for (int i = 0; i < kVariables; ++i) {
        constraints.push_back({variables[i] - uniform(200), kEqual, 100.0f + 10 * i});
        for (int j = i + 1; j < kVariables; ++j)
            if (random() % 2 == 0)
                constraints.push_back({variables[i] + uniform(60) - variables[j], kAtMost});
    }
    auto build = [&](LayoutSolver& solver, auto keep) {
        for (int i = 0; i < kVariables; ++i)
            solver.makeVariable();
        std::vector<LayoutSolver::ConstraintId> ids;
        for (size_t i = 0; i < constraints.size(); ++i)
            if (keep(i)) ids.push_back(solver.addConstraint(constraints[i]).value());
        return ids;
    };
    LayoutSolver incremental, fresh;
    const auto ids = build(incremental, [](size_t) { return true; });
    ASSERT_TRUE(incremental.addEditVariable(variables[3], 105));
    incremental.suggestValue(variables[3], 500);
    for (size_t i = 0; i < ids.size(); i += 3)
        incremental.removeConstraint(ids[i]);
    incremental.suggestValue(variables[3], 250);
    build(fresh, [](size_t i) { return i % 3 != 0; });
    fresh.addConstraint({variables[3] - 250, kEqual, 105});
    for (LayoutVariable variable : variables)
        EXPECT_NEAR(incremental.value(variable), fresh.value(variable), 1e-9) << variable.index;
}

TEST(LayoutSolver, TheSameCallsGiveTheSameSolution) {
    // Several optimal solutions exist; the choice must not depend on anything but the calls.
    auto solve = [] {
        LayoutSolver solver;
        std::vector<LayoutVariable> widths;
        LayoutExpression total;
        for (int i = 0; i < 6; ++i) {
            widths.push_back(solver.makeVariable());
            total += widths.back();
            solver.addConstraint({widths.back() - 50, kEqual, 250});
            solver.addConstraint({widths.back(), kAtLeast});
        }
        solver.addConstraint({total - 210, kEqual});
        std::vector<double> values;
        for (auto width : widths)
            values.push_back(solver.value(width));
        return values;
    };
    EXPECT_EQ(solve(), solve());
}

}  // namespace
}  // namespace ov::ui
