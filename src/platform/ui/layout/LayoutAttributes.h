#pragma once
// What each layout attribute means: its axis, whether it is a size or a position, and its
// value as a linear expression of an item's four variables (in the root's coordinates).

#include "orvane/platform/ui/layout/LayoutConstraint.h"
#include "orvane/platform/ui/layout/LayoutSolver.h"

namespace ov::ui::layout {

// An item's rectangle in the solver.
struct ItemVariables {
    LayoutVariable left, top, width, height;
};

UILayoutConstraintAxis axisOf(LayoutAttribute attribute);
bool isSize(LayoutAttribute attribute);
bool isCentre(LayoutAttribute attribute);
// Leading or trailing.
bool isDirectional(LayoutAttribute attribute);
const char* nameOf(LayoutAttribute attribute);
LayoutExpression expressionFor(const ItemVariables& item, LayoutAttribute attribute);

// `first` itself when `second` is null; null when they share no ancestor.
LayoutItem* nearestCommonAncestor(LayoutItem* first, LayoutItem* second);

}  // namespace ov::ui::layout
