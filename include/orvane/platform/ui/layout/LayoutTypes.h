#pragma once
// The vocabulary shared by layout constraints, layout items and the solver: priorities (the
// platform's UILayoutPriority), relations (NSLayoutRelation) and axes
// (UILayoutConstraintAxis).
//
//   label.setContentHuggingPriority(ov::ui::UILayoutPriorityDefaultHigh,
//                                   ov::ui::UILayoutConstraintAxisHorizontal);
//
// A priority runs from 1 to 1000. 1000 is required: the layout must satisfy it. Below that a
// constraint is optional, and a higher priority always wins over any number of lower ones; among
// equal priorities the smallest total violation wins.

namespace ov::ui {

using LayoutPriority = float;

inline constexpr LayoutPriority UILayoutPriorityRequired = 1000;
inline constexpr LayoutPriority UILayoutPriorityDefaultHigh = 750;
inline constexpr LayoutPriority UILayoutPriorityDefaultLow = 250;
inline constexpr LayoutPriority UILayoutPriorityFittingSizeLevel = 50;

// Values as the platform stores them.
enum class LayoutRelation { lessThanOrEqual = -1, equal = 0, greaterThanOrEqual = 1 };

enum UILayoutConstraintAxis : int {
    UILayoutConstraintAxisHorizontal = 0,
    UILayoutConstraintAxisVertical = 1,
};

// An intrinsic size component that says "no natural size on this axis".
inline constexpr double UIViewNoIntrinsicMetric = -1;

}  // namespace ov::ui
