#include "platform/ui/layout/SimplexRow.h"

#include <algorithm>

namespace ov::ui::simplex {
namespace {

template <class Cells>
auto lowerBound(Cells& cells, Symbol symbol) {
    return std::lower_bound(cells.begin(), cells.end(), symbol,
                            [](const Row::Cell& cell, Symbol key) { return cell.symbol < key; });
}

}  // namespace

double Row::coefficientFor(Symbol symbol) const {
    auto it = lowerBound(m_cells, symbol);
    return it != m_cells.end() && it->symbol == symbol ? it->coefficient : 0.0;
}

void Row::insert(Symbol symbol, double coefficient) {
    auto it = lowerBound(m_cells, symbol);
    if (it != m_cells.end() && it->symbol == symbol) {
        it->coefficient += coefficient;
        if (nearZero(it->coefficient)) m_cells.erase(it);
    } else if (!nearZero(coefficient)) {
        m_cells.insert(it, {symbol, coefficient});
    }
}

void Row::insert(const Row& other, double coefficient) {
    m_constant += other.m_constant * coefficient;
    // Both sides are sorted: merge instead of inserting cell by cell.
    std::vector<Cell> merged;
    merged.reserve(m_cells.size() + other.m_cells.size());
    auto mine = m_cells.begin();
    for (const Cell& cell : other.m_cells) {
        while (mine != m_cells.end() && mine->symbol < cell.symbol)
            merged.push_back(*mine++);
        double sum = cell.coefficient * coefficient;
        if (mine != m_cells.end() && mine->symbol == cell.symbol) sum += (mine++)->coefficient;
        if (!nearZero(sum)) merged.push_back({cell.symbol, sum});
    }
    merged.insert(merged.end(), mine, m_cells.end());
    m_cells = std::move(merged);
}

void Row::remove(Symbol symbol) {
    auto it = lowerBound(m_cells, symbol);
    if (it != m_cells.end() && it->symbol == symbol) m_cells.erase(it);
}

void Row::reverseSign() {
    m_constant = -m_constant;
    for (Cell& cell : m_cells)
        cell.coefficient = -cell.coefficient;
}

void Row::solveFor(Symbol symbol) {
    auto it = lowerBound(m_cells, symbol);
    const double factor = -1.0 / it->coefficient;
    m_cells.erase(it);
    m_constant *= factor;
    for (Cell& cell : m_cells)
        cell.coefficient *= factor;
}

void Row::solveFor(Symbol lhs, Symbol rhs) {
    insert(lhs, -1.0);
    solveFor(rhs);
}

void Row::substitute(Symbol symbol, const Row& row) {
    auto it = lowerBound(m_cells, symbol);
    if (it == m_cells.end() || !(it->symbol == symbol)) return;
    const double coefficient = it->coefficient;
    m_cells.erase(it);
    insert(row, coefficient);
}

}  // namespace ov::ui::simplex
