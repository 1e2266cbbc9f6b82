#pragma once
// The tableau behind LayoutSolver: rows keyed by their basic symbol, and an objective with one
// row per priority level, minimised lexicographically from the highest level down. Primal
// simplex keeps the tableau optimal as constraints come; dual simplex restores feasibility
// after an edit moves a constant. Removals are LayoutSolver's: it builds a new tableau.

#include <cstdint>
#include <map>
#include <memory>
#include <vector>

#include "orvane/platform/ui/layout/LayoutSolver.h"
#include "platform/ui/layout/SimplexRow.h"

namespace ov::ui::simplex {

class Objective {
  public:
    struct Level {
        LayoutPriority priority;
        bool tieBreak;
        Row row;
    };

    Objective() { m_levels.push_back({0, true, Row()}); }

    // The level's row, made on first use; levels stay ordered from the highest priority.
    Row& level(LayoutPriority priority);
    // Below every priority: among solutions equally good at all of them, the one that violates
    // the earlier constraints less.
    Row& tieBreak() { return m_levels.back().row; }
    const std::vector<Level>& levels() const { return m_levels; }
    std::vector<Level>& levels() { return m_levels; }
    void substitute(Symbol symbol, const Row& row);
    void remove(Symbol symbol);

  private:
    std::vector<Level> m_levels;
};

class Tableau {
  public:
    using ConstraintId = LayoutSolver::ConstraintId;

    // False when a required constraint cannot hold; the solution is then what it was.
    bool add(ConstraintId id, const LinearConstraint& constraint);
    // For an equality: adds `change` to its constant and re-solves from the current basis.
    // False for an inequality, for a required equality the others imply, and when the move
    // leaves a required constraint broken (the tableau must then be built again).
    bool moveConstant(ConstraintId id, double change);
    double value(LayoutVariable variable) const;

  private:
    struct Tag {
        Symbol marker;
        Symbol other;
    };

    Symbol newSymbol(SymbolKind kind) { return {m_nextSymbol++, kind}; }
    Symbol symbolFor(LayoutVariable variable);
    Row makeRow(const LinearConstraint& constraint, Tag& tag);
    static Symbol chooseSubject(const Row& row, const Tag& tag);
    bool addWithArtificialVariable(const Row& row);
    void enterBasis(Symbol entering, Row row);
    void substitute(Symbol symbol, const Row& row);
    void optimize(Objective& objective);
    bool dualOptimize();
    bool impliedByOthers(Symbol dummy) const;
    static Symbol enteringSymbol(const Objective& objective);
    Symbol dualEnteringSymbol(const Row& row) const;
    Symbol leavingSymbol(Symbol entering) const;

    std::map<Symbol, Row> m_rows;
    std::map<ConstraintId, Tag> m_constraints;
    std::vector<Symbol> m_variableSymbols;  // by variable index; invalid until first used
    std::vector<Symbol> m_infeasible;
    // Weight of the next optional constraint in the tie-break level; each one weighs a little
    // less than the one before, so later constraints give way first.
    double tieBreakWeight();

    Objective m_objective;
    std::uint32_t m_optionalCount = 0;
    std::unique_ptr<Objective> m_artificial;
    std::uint32_t m_nextSymbol = 1;
};

}  // namespace ov::ui::simplex
