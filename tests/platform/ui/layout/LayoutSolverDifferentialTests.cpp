// Generated constraint systems, changed step by step, must reach the same optimum whether the
// solver follows the changes, starts from scratch on what stands, or is kiwisolver (an
// independent Cassowary solver, run by tests/platform/ui/layout/cassowary_oracle.py).
// Ties allow several optimal solutions, so what is compared is what every optimum shares:
// the required constraints hold, and the violation at each optional priority is the least.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <functional>
#include <map>
#include <optional>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "orvane/platform/ui/layout/LayoutSolver.h"
#include "support/TemporaryDirectory.h"

namespace ov::ui {
namespace {

constexpr std::array<LayoutPriority, 3> kOptionalLevels = {750, 500, 250};

struct Operation {
    enum class Kind { add, remove, move, edit, suggest, unedit } kind;
    LinearConstraint constraint;  // add
    size_t add = 0;               // remove, move: which add of the system, from 0
    std::uint32_t variable = 0;   // edit, suggest, unedit
    LayoutPriority priority = 0;  // edit
    double value = 0;             // suggest; move: the new constant
};

struct Edit {
    size_t order;  // among the operations of the system
    LayoutPriority priority;
    double suggested = 0;
};

// What stands after an operation: the constraints in force, by their add, and the edits.
struct Standing {
    std::map<size_t, LinearConstraint> constraints;
    std::map<size_t, size_t> addOrder;  // add to its place among the operations
    std::map<std::uint32_t, Edit> edits;
    bool suggested = false;  // since an edit was moved, its basis may differ from a new one
};

struct Step {
    Operation operation;
    bool succeeded;
    std::vector<double> values;
    Standing standing;
};

struct System {
    std::uint32_t variableCount;
    std::vector<Step> steps;
};

// Worst violation of a required constraint, then the total violation at each optional level.
struct Quality {
    double requiredViolation = 0;
    std::map<LayoutPriority, double, std::greater<>> levels;
};

double violation(const LinearConstraint& constraint, const std::vector<double>& values) {
    double sum = constraint.expression.constant;
    for (const LayoutTerm& term : constraint.expression.terms)
        sum += term.coefficient * values[term.variable.index];
    switch (constraint.relation) {
        case LayoutRelation::equal:
            return std::abs(sum);
        case LayoutRelation::lessThanOrEqual:
            return std::max(0.0, sum);
        case LayoutRelation::greaterThanOrEqual:
            return std::max(0.0, -sum);
    }
    return 0;
}

Quality judge(const Standing& standing, const std::vector<double>& values) {
    Quality quality;
    auto count = [&](LayoutPriority priority, double amount) {
        if (priority >= UILayoutPriorityRequired) {
            quality.requiredViolation = std::max(quality.requiredViolation, amount);
            return;
        }
        quality.levels[priority] += amount;
    };
    for (const auto& [add, constraint] : standing.constraints)
        count(constraint.priority, violation(constraint, values));
    for (const auto& [variable, edit] : standing.edits)
        count(edit.priority, std::abs(values[variable] - edit.suggested));
    return quality;
}

// Empty when both answers are optimal together.
std::string compare(const Quality& expected, const Quality& actual) {
    constexpr double kTolerance = 1e-6;
    std::ostringstream out;
    if (actual.requiredViolation > kTolerance)
        out << "a required constraint is off by " << actual.requiredViolation << "; ";
    for (const auto& [priority, least] : expected.levels) {
        const double found = actual.levels.at(priority);
        if (std::abs(found - least) > kTolerance * (1 + std::abs(least)))
            out << "violation at " << priority << " is " << found << " instead of " << least
                << "; ";
    }
    return out.str();
}

std::vector<double> valuesOf(const LayoutSolver& solver, std::uint32_t variableCount) {
    std::vector<double> values;
    for (std::uint32_t i = 0; i < variableCount; ++i)
        values.push_back(solver.value({i}));
    return values;
}

// Runs the operations on one solver as they are generated, choosing each from what stands.
class Generator {
  public:
    explicit Generator(std::uint32_t seed) : m_random(seed) {}

    System next() {
        System system{2 + static_cast<std::uint32_t>(pick(3)), {}};
        LayoutSolver solver;
        for (std::uint32_t i = 0; i < system.variableCount; ++i)
            solver.makeVariable();
        std::map<size_t, LayoutSolver::ConstraintId> ids;
        Standing standing;
        size_t adds = 0;
        for (int count = 6 + pick(10); count > 0; --count) {
            const Operation operation = nextOperation(standing, system.variableCount, adds);
            bool succeeded = true;
            switch (operation.kind) {
                case Operation::Kind::add:
                    if (auto id = solver.addConstraint(operation.constraint)) {
                        ids[adds] = *id;
                        standing.constraints[adds] = operation.constraint;
                        standing.addOrder[adds] = system.steps.size();
                    } else {
                        succeeded = false;
                    }
                    ++adds;
                    break;
                case Operation::Kind::remove:
                    succeeded = solver.removeConstraint(ids.at(operation.add));
                    ids.erase(operation.add);
                    standing.constraints.erase(operation.add);
                    standing.addOrder.erase(operation.add);
                    break;
                case Operation::Kind::move:
                    succeeded = solver.setConstant(ids.at(operation.add), operation.value);
                    if (succeeded)
                        standing.constraints[operation.add].expression.constant = operation.value;
                    break;
                case Operation::Kind::edit:
                    succeeded = solver.addEditVariable({operation.variable}, operation.priority);
                    standing.edits[operation.variable] = {system.steps.size(), operation.priority};
                    break;
                case Operation::Kind::suggest:
                    succeeded = solver.suggestValue({operation.variable}, operation.value);
                    standing.edits[operation.variable].suggested = operation.value;
                    standing.suggested = true;
                    break;
                case Operation::Kind::unedit:
                    succeeded = solver.removeEditVariable({operation.variable});
                    standing.edits.erase(operation.variable);
                    break;
            }
            system.steps.push_back(
                {operation, succeeded, valuesOf(solver, system.variableCount), standing});
        }
        return system;
    }

  private:
    int pick(int limit) { return static_cast<int>(m_random() % limit); }

    Operation nextOperation(const Standing& standing, std::uint32_t variables, size_t adds) {
        const auto variable = [&] { return static_cast<std::uint32_t>(pick(variables)); };
        const int roll = pick(20);
        if (roll < 4 && !standing.constraints.empty()) {
            auto it = standing.constraints.begin();
            std::advance(it, pick(static_cast<int>(standing.constraints.size())));
            if (roll < 2 && it->second.relation == LayoutRelation::equal)
                return {Operation::Kind::move, {}, it->first, 0, 0, constant()};
            return {Operation::Kind::remove, {}, it->first};
        }
        if (roll < 8 && !standing.edits.empty()) {
            auto it = standing.edits.begin();
            std::advance(it, pick(static_cast<int>(standing.edits.size())));
            if (roll == 7) return {Operation::Kind::unedit, {}, 0, it->first};
            return {Operation::Kind::suggest, {}, 0, it->first, 0, constant()};
        }
        if (roll == 8 && standing.edits.size() < variables) {
            std::uint32_t chosen = variable();
            while (standing.edits.count(chosen))
                chosen = (chosen + 1) % variables;
            return {Operation::Kind::edit, {}, 0, chosen, optionalPriority()};
        }
        LayoutExpression expression(constant());
        for (int terms = 1 + pick(3); terms > 0; --terms) {
            constexpr double kCoefficients[] = {1, -1, 2, -2, 0.5};
            expression += LayoutExpression(LayoutVariable{variable()}) * kCoefficients[pick(5)];
        }
        const auto relation = static_cast<LayoutRelation>(pick(3) - 1);
        const LayoutPriority priority = pick(5) < 2 ? UILayoutPriorityRequired : optionalPriority();
        return {Operation::Kind::add, {expression, relation, priority}, adds};
    }

    double constant() { return pick(121) - 60; }
    LayoutPriority optionalPriority() { return kOptionalLevels[pick(kOptionalLevels.size())]; }

    std::mt19937 m_random;
};

// What stands, added to a new solver in the order it came in.
std::optional<std::vector<double>> solveFromScratch(const Standing& standing,
                                                    std::uint32_t variableCount) {
    LayoutSolver solver;
    for (std::uint32_t i = 0; i < variableCount; ++i)
        solver.makeVariable();
    std::map<size_t, LinearConstraint> inOrder;
    for (const auto& [add, constraint] : standing.constraints)
        inOrder[standing.addOrder.at(add)] = constraint;
    for (const auto& [variable, edit] : standing.edits)
        inOrder[edit.order] = {LayoutVariable{variable} - edit.suggested, LayoutRelation::equal,
                               edit.priority};
    for (const auto& [order, constraint] : inOrder)
        if (!solver.addConstraint(constraint)) return std::nullopt;
    return valuesOf(solver, variableCount);
}

const char* relationText(LayoutRelation relation) {
    switch (relation) {
        case LayoutRelation::equal:
            return "==";
        case LayoutRelation::lessThanOrEqual:
            return "<=";
        case LayoutRelation::greaterThanOrEqual:
            return ">=";
    }
    return "?";
}

std::string operationText(const Operation& operation) {
    std::ostringstream out;
    out.precision(17);
    switch (operation.kind) {
        case Operation::Kind::add: {
            const LinearConstraint& constraint = operation.constraint;
            out << "add " << relationText(constraint.relation) << ' ' << constraint.priority << ' '
                << constraint.expression.constant;
            for (const LayoutTerm& term : constraint.expression.terms)
                out << ' ' << term.variable.index << ' ' << term.coefficient;
            break;
        }
        case Operation::Kind::remove:
            out << "remove " << operation.add;
            break;
        case Operation::Kind::move:
            out << "move " << operation.add << ' ' << operation.value;
            break;
        case Operation::Kind::edit:
            out << "edit " << operation.variable << ' ' << operation.priority;
            break;
        case Operation::Kind::suggest:
            out << "suggest " << operation.variable << ' ' << operation.value;
            break;
        case Operation::Kind::unedit:
            out << "unedit " << operation.variable;
            break;
    }
    return out.str();
}

std::string systemText(const System& system) {
    std::string text = "system " + std::to_string(system.variableCount) + "\n";
    for (const Step& step : system.steps)
        text += operationText(step.operation) + "\n";
    return text;
}

struct OracleStep {
    bool succeeded;
    std::vector<double> values;
};

// Each system's steps as kiwisolver replays them; empty when the oracle cannot run.
std::vector<std::vector<OracleStep>> askOracle(const std::vector<System>& systems) {
    test::TemporaryDirectory directory;
    const std::string operations = directory.file("operations.txt").toUtf8();
    const std::string results = directory.file("results.txt").toUtf8();
    {
        std::ofstream out(operations);
        for (const System& system : systems)
            out << systemText(system);
    }
    const std::string command = std::string(ORVANE_SYSTEM_PYTHON) + " " + ORVANE_SOLVER_ORACLE +
                                " " + operations + " " + results;
    if (std::system(command.c_str()) != 0) return {};
    std::ifstream in(results);
    std::vector<std::vector<OracleStep>> answers;
    for (const System& system : systems) {
        auto& steps = answers.emplace_back();
        for (size_t i = 0; i < system.steps.size(); ++i) {
            OracleStep step{false, std::vector<double>(system.variableCount)};
            int succeeded = 0;
            in >> succeeded;
            step.succeeded = succeeded == 1;
            for (double& value : step.values)
                in >> value;
            steps.push_back(std::move(step));
        }
    }
    if (!in) return {};
    return answers;
}

std::vector<System> generateSystems(int count) {
    Generator generator(20240611);
    std::vector<System> systems;
    for (int i = 0; i < count; ++i)
        systems.push_back(generator.next());
    return systems;
}

// The first disagreement in a system, described; empty when there is none.
std::string firstDisagreement(const System& system, const std::vector<OracleStep>* oracle) {
    for (size_t i = 0; i < system.steps.size(); ++i) {
        const Step& step = system.steps[i];
        const std::string where = "after step " + std::to_string(i + 1) + ": ";
        const auto scratch = solveFromScratch(step.standing, system.variableCount);
        if (!scratch) return where + "what stands is refused when solved from scratch";
        const Quality best = judge(step.standing, *scratch);
        // Until an edit moves, the same constraints in the same order give the same basis,
        // so even a choice among equally good solutions must repeat.
        for (size_t v = 0; v < scratch->size() && !step.standing.suggested; ++v)
            if (std::abs((*scratch)[v] - step.values[v]) > 1e-9)
                return where + "variable " + std::to_string(v) + " is " +
                       std::to_string(step.values[v]) + " instead of " +
                       std::to_string((*scratch)[v]);
        if (auto difference = compare(best, judge(step.standing, step.values)); !difference.empty())
            return where + "incremental against scratch: " + difference;
        if (!oracle) continue;
        if ((*oracle)[i].succeeded != step.succeeded)
            return where + "kiwisolver " + ((*oracle)[i].succeeded ? "accepts" : "refuses") +
                   " the operation";
        if (auto difference = compare(judge(step.standing, (*oracle)[i].values), best);
            !difference.empty())
            return where + "scratch against kiwisolver: " + difference;
    }
    return {};
}

void expectAgreement(const std::vector<System>& systems,
                     const std::vector<std::vector<OracleStep>>* oracle) {
    for (size_t i = 0; i < systems.size(); ++i) {
        const std::string disagreement =
            firstDisagreement(systems[i], oracle ? &(*oracle)[i] : nullptr);
        if (!disagreement.empty()) {
            ADD_FAILURE() << disagreement << "\n" << systemText(systems[i]);
            return;  // one small case says more than hundreds
        }
    }
}

TEST(LayoutSolverDifferential, IncrementalChangesReachTheOptimumOfSolvingFromScratch) {
    expectAgreement(generateSystems(1000), nullptr);
}

TEST(LayoutSolverDifferential, AgreesWithAnIndependentCassowarySolver) {
    const auto systems = generateSystems(300);
    const auto oracle = askOracle(systems);
    ASSERT_EQ(oracle.size(), systems.size())
        << "running " << ORVANE_SOLVER_ORACLE << " with " << ORVANE_SYSTEM_PYTHON
        << " failed; it needs python3-kiwisolver (scripts/packages.txt)";
    expectAgreement(systems, &oracle);
}

}  // namespace
}  // namespace ov::ui
