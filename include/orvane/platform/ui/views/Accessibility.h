#pragma once
// The user's accessibility settings that change how the interface draws. Off unless the host
// (or a test) turns them on.
//
//   ov::ui::UIAccessibilitySetReduceTransparencyEnabled(true);
//   ov::ui::UIAccessibilityIsReduceTransparencyEnabled();   // true: draw no blur

namespace ov::ui {

// Thread-safe.
bool UIAccessibilityIsReduceTransparencyEnabled();
void UIAccessibilitySetReduceTransparencyEnabled(bool enabled);

}  // namespace ov::ui
