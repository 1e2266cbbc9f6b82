#pragma once
// Turns a tree of layout items into solver constraints and solved frames. The engine of a root
// keeps its solver between passes; a pass where nothing changed (no constraint came, went or
// changed, nor an intrinsic size, a translated frame or the root's own size) solves nothing,
// and one where only constants changed moves them in place.

#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "orvane/platform/ui/layout/LayoutItem.h"
#include "orvane/platform/ui/layout/LayoutSolver.h"
#include "platform/ui/layout/LayoutAttributes.h"

namespace ov::ui::layout {

class ConstraintEngine {
  public:
    explicit ConstraintEngine(const LayoutItem& root) : m_root(root) {}

    // Solves with the root held at its frame's size and sets the frames of the items below it
    // that constraints place.
    void layout();
    // Solves with each axis of the root held at the target at the given priority; no frame
    // changes.
    Size fittingSize(Size target, LayoutPriority horizontal, LayoutPriority vertical);

  private:
    struct Visit {
        LayoutItem* item;
        size_t parent;  // index in the visit order; the root is its own parent
        ItemVariables variables;
    };
    // What a solver constraint stands for: an item's generated rule or a layout constraint.
    struct Key {
        enum class Source { item, constraint } source;
        std::uint64_t serial;
        int slot;
        auto operator<=>(const Key&) const = default;
    };
    struct Wanted {
        Key key;
        LinearConstraint constraint;
        const LayoutConstraint* origin;  // null for a generated rule
        const LayoutItem* item;
    };
    struct Installed {
        LinearConstraint constraint;
        std::optional<LayoutSolver::ConstraintId> id;  // none while broken
    };
    struct RootSize {
        Size size;
        LayoutPriority horizontal, vertical;
    };

    // False when no constraint is installed anywhere in the tree.
    bool visitTree();
    void solve(const RootSize& rootSize);
    ItemVariables variablesFor(const LayoutItem& item);
    void wantItemRules(const RootSize& rootSize);
    void wantConstraints();
    void reconcile();
    bool changedSinceLastPass() const;
    bool moveConstants();
    bool install(const Wanted& wanted, Installed& installed);
    void writeFrames();
    static String describe(const Wanted& wanted);
    double valueOf(LayoutVariable variable) const;

    const LayoutItem& m_root;
    LayoutSolver m_solver;
    std::map<std::uint64_t, ItemVariables> m_variables;  // by item serial
    std::map<Key, Installed> m_installed;
    std::vector<Visit> m_visits;
    std::map<std::uint64_t, size_t> m_visitIndex;  // item serial to its place in m_visits
    std::vector<Wanted> m_wanted;
};

}  // namespace ov::ui::layout
