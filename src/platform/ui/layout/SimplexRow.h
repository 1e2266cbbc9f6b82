#pragma once
// One row of the simplex tableau: constant + Σ coefficient·symbol. A row stored under a basic
// symbol s reads "s = constant + Σ ..."; a fresh row from a constraint reads "0 = ...".
// Cells stay sorted by symbol id, so every walk over them is deterministic.

#include <cstdint>
#include <vector>

namespace ov::ui::simplex {

enum class SymbolKind : std::uint8_t { invalid, external, slack, error, dummy };

struct Symbol {
    std::uint32_t id = 0;
    SymbolKind kind = SymbolKind::invalid;

    bool valid() const { return kind != SymbolKind::invalid; }
    // Slack and error symbols may enter the basis when a marker leaves it.
    bool pivotable() const { return kind == SymbolKind::slack || kind == SymbolKind::error; }
    bool restricted() const { return kind != SymbolKind::external; }
    friend bool operator==(const Symbol& a, const Symbol& b) { return a.id == b.id; }
    friend bool operator<(const Symbol& a, const Symbol& b) { return a.id < b.id; }
};

// Coefficients this close to zero are treated as zero, against rounding drift.
inline bool nearZero(double value) {
    constexpr double kEpsilon = 1e-8;
    return value < kEpsilon && value > -kEpsilon;
}

class Row {
  public:
    struct Cell {
        Symbol symbol;
        double coefficient;
    };

    explicit Row(double constant = 0) : m_constant(constant) {}

    double constant() const { return m_constant; }
    const std::vector<Cell>& cells() const { return m_cells; }
    double coefficientFor(Symbol symbol) const;

    // Returns the new constant.
    double add(double value) { return m_constant += value; }
    // Adds coefficient·symbol; a sum that reaches zero drops the cell.
    void insert(Symbol symbol, double coefficient = 1);
    // Adds coefficient·other, constant included.
    void insert(const Row& other, double coefficient = 1);
    void remove(Symbol symbol);
    void reverseSign();
    // From "0 = ... + c·symbol + ..." to "symbol = ...".
    void solveFor(Symbol symbol);
    // From "lhs = ... + c·rhs + ..." to "rhs = ... + lhs·(...)".
    void solveFor(Symbol lhs, Symbol rhs);
    // Replaces the symbol, where it occurs, by the expression in `row`.
    void substitute(Symbol symbol, const Row& row);

  private:
    double m_constant;
    std::vector<Cell> m_cells;
};

}  // namespace ov::ui::simplex
