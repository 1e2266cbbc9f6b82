#include "platform/ui/layout/SimplexTableau.h"

#include <algorithm>
#include <limits>

namespace ov::ui::simplex {
namespace {

bool isRequired(LayoutPriority priority) {
    return priority >= UILayoutPriorityRequired;
}

bool onlyDummies(const Row& row) {
    return std::all_of(row.cells().begin(), row.cells().end(),
                       [](const Row::Cell& cell) { return cell.symbol.kind == SymbolKind::dummy; });
}

// Lexicographic comparison with a tolerance: the highest level decides first.
bool lexicallyLess(const std::vector<double>& a, const std::vector<double>& b) {
    for (size_t i = 0; i < a.size(); ++i) {
        if (nearZero(a[i] - b[i])) continue;
        return a[i] < b[i];
    }
    return false;
}

}  // namespace

Row& Objective::level(LayoutPriority priority) {
    auto it = std::find_if(m_levels.begin(), m_levels.end(), [&](const Level& level) {
        return level.tieBreak || level.priority <= priority;
    });
    if (it->tieBreak || it->priority != priority)
        it = m_levels.insert(it, {priority, false, Row()});
    return it->row;
}

void Objective::substitute(Symbol symbol, const Row& row) {
    for (Level& level : m_levels)
        level.row.substitute(symbol, row);
}

void Objective::remove(Symbol symbol) {
    for (Level& level : m_levels)
        level.row.remove(symbol);
}

Symbol Tableau::symbolFor(LayoutVariable variable) {
    if (variable.index >= m_variableSymbols.size()) m_variableSymbols.resize(variable.index + 1);
    Symbol& symbol = m_variableSymbols[variable.index];
    if (!symbol.valid()) symbol = newSymbol(SymbolKind::external);
    return symbol;
}

double Tableau::value(LayoutVariable variable) const {
    if (variable.index >= m_variableSymbols.size()) return 0;
    auto it = m_rows.find(m_variableSymbols[variable.index]);
    return it == m_rows.end() ? 0 : it->second.constant();
}

// "expression ≤ 0" gains a slack s ≥ 0: expression + s = 0. An optional constraint also gains
// error symbols, weighted in the objective at its priority, that absorb any violation.
Row Tableau::makeRow(const LinearConstraint& constraint, Tag& tag) {
    Row row(constraint.expression.constant);
    for (const LayoutTerm& term : constraint.expression.terms) {
        if (nearZero(term.coefficient)) continue;
        const Symbol symbol = symbolFor(term.variable);
        auto basic = m_rows.find(symbol);
        if (basic != m_rows.end())
            row.insert(basic->second, term.coefficient);
        else
            row.insert(symbol, term.coefficient);
    }
    const bool required = isRequired(constraint.priority);
    const double weight = required ? 0 : tieBreakWeight();
    auto weigh = [&](Symbol error) {
        m_objective.level(constraint.priority).insert(error);
        m_objective.tieBreak().insert(error, weight);
    };
    if (constraint.relation != LayoutRelation::equal) {
        const double sign = constraint.relation == LayoutRelation::lessThanOrEqual ? 1.0 : -1.0;
        tag.marker = newSymbol(SymbolKind::slack);
        row.insert(tag.marker, sign);
        if (!required) {
            tag.other = newSymbol(SymbolKind::error);
            row.insert(tag.other, -sign);
            weigh(tag.other);
        }
    } else if (required) {
        tag.marker = newSymbol(SymbolKind::dummy);
        row.insert(tag.marker);
    } else {
        tag.marker = newSymbol(SymbolKind::error);
        tag.other = newSymbol(SymbolKind::error);
        row.insert(tag.marker, -1.0);
        row.insert(tag.other, 1.0);
        weigh(tag.marker);
        weigh(tag.other);
    }
    if (row.constant() < 0) row.reverseSign();
    return row;
}

// Steps of a millionth stay well clear of the rounding tolerance; past a million constraints
// the order stops counting, but every weight stays positive.
double Tableau::tieBreakWeight() {
    constexpr double kStep = 1e-6, kLeast = 1e-3;
    return std::max(kLeast, 1.0 - kStep * m_optionalCount++);
}

Symbol Tableau::chooseSubject(const Row& row, const Tag& tag) {
    for (const Row::Cell& cell : row.cells())
        if (cell.symbol.kind == SymbolKind::external) return cell.symbol;
    for (Symbol marker : {tag.marker, tag.other})
        if (marker.pivotable() && row.coefficientFor(marker) < 0) return marker;
    return {};
}

bool Tableau::add(ConstraintId id, const LinearConstraint& constraint) {
    Tag tag;
    Row row = makeRow(constraint, tag);
    Symbol subject = chooseSubject(row, tag);
    if (!subject.valid() && onlyDummies(row)) {
        if (!nearZero(row.constant())) return false;
        subject = tag.marker;
    }
    if (!subject.valid()) {
        if (!addWithArtificialVariable(row)) return false;
    } else {
        row.solveFor(subject);
        substitute(subject, row);
        m_rows.emplace(subject, std::move(row));
    }
    m_constraints.emplace(id, tag);
    optimize(m_objective);
    return true;
}

// Phase one: an artificial variable equal to the row is minimised; the constraint can hold
// exactly when it reaches zero. On failure its row is dropped, and the other rows, which only
// went through ordinary pivots, still describe the earlier constraints.
bool Tableau::addWithArtificialVariable(const Row& row) {
    const Symbol artificial = newSymbol(SymbolKind::slack);
    m_rows.emplace(artificial, row);
    m_artificial = std::make_unique<Objective>();
    m_artificial->level(UILayoutPriorityRequired) = row;
    optimize(*m_artificial);
    const bool success = nearZero(m_artificial->levels().front().row.constant());
    m_artificial.reset();

    auto basic = m_rows.find(artificial);
    if (basic != m_rows.end()) {
        Row remaining = std::move(basic->second);
        m_rows.erase(basic);
        if (!success) {
            optimize(m_objective);
            return false;
        }
        auto entering = std::find_if(
            remaining.cells().begin(), remaining.cells().end(),
            [](const Row::Cell& cell) { return cell.symbol.kind != SymbolKind::dummy; });
        // Only dummies left: the constraint repeats what the required ones already say.
        if (entering != remaining.cells().end()) {
            const Symbol symbol = entering->symbol;
            remaining.solveFor(artificial, symbol);
            enterBasis(symbol, std::move(remaining));
        }
    }
    for (auto& [symbol, other] : m_rows)
        other.remove(artificial);
    m_objective.remove(artificial);
    return success;
}

void Tableau::enterBasis(Symbol entering, Row row) {
    substitute(entering, row);
    m_rows.insert_or_assign(entering, std::move(row));
}

void Tableau::substitute(Symbol symbol, const Row& row) {
    for (auto& [basic, other] : m_rows) {
        other.substitute(symbol, row);
        if (basic.restricted() && other.constant() < 0) m_infeasible.push_back(basic);
    }
    m_objective.substitute(symbol, row);
    if (m_artificial) m_artificial->substitute(symbol, row);
}

void Tableau::optimize(Objective& objective) {
    for (;;) {
        const Symbol entering = enteringSymbol(objective);
        if (!entering.valid()) return;
        const Symbol leaving = leavingSymbol(entering);
        // Cannot happen with a bounded objective; stop rather than loop.
        if (!leaving.valid()) return;
        auto node = m_rows.extract(leaving);
        Row row = std::move(node.mapped());
        row.solveFor(leaving, entering);
        enterBasis(entering, std::move(row));
    }
}

// A symbol whose first non-zero objective coefficient, from the highest level down, is
// negative: raising it lowers the objective without touching a higher level.
Symbol Tableau::enteringSymbol(const Objective& objective) {
    const auto& levels = objective.levels();
    for (size_t i = 0; i < levels.size(); ++i) {
        for (const Row::Cell& cell : levels[i].row.cells()) {
            if (cell.symbol.kind == SymbolKind::dummy || cell.coefficient >= 0) continue;
            const bool decidedAbove = std::any_of(levels.begin(), levels.begin() + i, [&](auto& l) {
                return l.row.coefficientFor(cell.symbol) != 0;
            });
            if (!decidedAbove) return cell.symbol;
        }
    }
    return {};
}

Symbol Tableau::leavingSymbol(Symbol entering) const {
    double best = std::numeric_limits<double>::max();
    Symbol leaving;
    for (const auto& [basic, row] : m_rows) {
        if (!basic.restricted()) continue;
        const double coefficient = row.coefficientFor(entering);
        if (coefficient >= 0) continue;
        const double ratio = -row.constant() / coefficient;
        if (ratio < best) {
            best = ratio;
            leaving = basic;
        }
    }
    return leaving;
}

bool Tableau::dualOptimize() {
    bool feasible = true;
    while (!m_infeasible.empty()) {
        const Symbol leaving = m_infeasible.back();
        m_infeasible.pop_back();
        auto it = m_rows.find(leaving);
        if (it == m_rows.end() || nearZero(it->second.constant()) || it->second.constant() >= 0)
            continue;
        const Symbol entering = dualEnteringSymbol(it->second);
        // Moving an optional constant always leaves a feasible choice; moving a required one
        // may not.
        if (!entering.valid()) {
            feasible = false;
            continue;
        }
        Row row = std::move(it->second);
        m_rows.erase(it);
        row.solveFor(leaving, entering);
        enterBasis(entering, std::move(row));
    }
    return feasible;
}

// The symbol with the smallest objective-to-coefficient ratio, compared level by level, keeps
// the objective optimal while the row becomes feasible.
Symbol Tableau::dualEnteringSymbol(const Row& row) const {
    Symbol entering;
    std::vector<double> best;
    std::vector<double> ratio(m_objective.levels().size());
    for (const Row::Cell& cell : row.cells()) {
        if (cell.symbol.kind == SymbolKind::dummy || cell.coefficient <= 0) continue;
        for (size_t i = 0; i < ratio.size(); ++i)
            ratio[i] = m_objective.levels()[i].row.coefficientFor(cell.symbol) / cell.coefficient;
        if (!entering.valid() || lexicallyLess(ratio, best)) {
            entering = cell.symbol;
            best = ratio;
        }
    }
    return entering;
}

// The marker stands in for the constant: an optional equality's error marker enters its row
// negated, a required equality's dummy positive, so a move of the constant is a shift of the
// marker the one way or the other.
bool Tableau::moveConstant(ConstraintId id, double change) {
    auto record = m_constraints.find(id);
    if (record == m_constraints.end()) return false;
    const Tag tag = record->second;
    const bool required = tag.marker.kind == SymbolKind::dummy;
    if (!required && tag.marker.kind != SymbolKind::error) return false;  // an inequality
    if (required && impliedByOthers(tag.marker)) return false;
    const double delta = required ? change : -change;
    if (auto it = m_rows.find(tag.marker); it != m_rows.end()) {
        if (it->second.add(-delta) < 0) m_infeasible.push_back(tag.marker);
    } else if (it = m_rows.find(tag.other); it != m_rows.end()) {
        if (it->second.add(delta) < 0) m_infeasible.push_back(tag.other);
    } else {
        for (auto& [basic, row] : m_rows) {
            const double coefficient = row.coefficientFor(tag.marker);
            if (coefficient != 0 && row.add(delta * coefficient) < 0 && basic.restricted())
                m_infeasible.push_back(basic);
        }
    }
    return dualOptimize();
}

// A dummy in the basis, or in the row of a basic dummy, belongs to a required equality that the
// others already imply: moving it alone would contradict them.
bool Tableau::impliedByOthers(Symbol dummy) const {
    if (m_rows.count(dummy)) return true;
    return std::any_of(m_rows.begin(), m_rows.end(), [&](const auto& entry) {
        return entry.first.kind == SymbolKind::dummy && entry.second.coefficientFor(dummy) != 0;
    });
}

}  // namespace ov::ui::simplex
