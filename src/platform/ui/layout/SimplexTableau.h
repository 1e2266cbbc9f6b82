#pragma once
// The tableau behind LayoutSolver: rows keyed by their basic symbol, and an objective with one
// row per priority level, minimised lexicographically from the highest level down. Primal
// simplex keeps the tableau optimal as constraints come and go; dual simplex restores
// feasibility after an edit moves a constant.

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
        Row row;
    };

    // The level's row, made on first use; levels stay ordered from the highest priority.
    Row& level(LayoutPriority priority);
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
    bool remove(ConstraintId id);
    bool contains(ConstraintId id) const { return m_constraints.count(id) != 0; }
    // For an optional equality: moves its constant by delta and re-solves.
    void shiftEquality(ConstraintId id, double delta);
    double value(LayoutVariable variable) const;

  private:
    struct Tag {
        Symbol marker;
        Symbol other;
    };
    struct Record {
        Tag tag;
        LayoutPriority priority;
    };

    Symbol newSymbol(SymbolKind kind) { return {m_nextSymbol++, kind}; }
    Symbol symbolFor(LayoutVariable variable);
    Row makeRow(const LinearConstraint& constraint, Tag& tag);
    static Symbol chooseSubject(const Row& row, const Tag& tag);
    bool addWithArtificialVariable(const Row& row);
    void enterBasis(Symbol entering, Row row);
    void substitute(Symbol symbol, const Row& row);
    void optimize(Objective& objective);
    void dualOptimize();
    static Symbol enteringSymbol(const Objective& objective);
    Symbol dualEnteringSymbol(const Row& row) const;
    Symbol leavingSymbol(Symbol entering) const;
    Symbol markerLeavingSymbol(Symbol marker) const;
    void removeMarkerEffects(Symbol marker, LayoutPriority priority);

    std::map<Symbol, Row> m_rows;
    std::map<ConstraintId, Record> m_constraints;
    std::vector<Symbol> m_variableSymbols;  // by variable index; invalid until first used
    std::vector<Symbol> m_infeasible;
    Objective m_objective;
    std::unique_ptr<Objective> m_artificial;
    std::uint32_t m_nextSymbol = 1;
};

}  // namespace ov::ui::simplex
