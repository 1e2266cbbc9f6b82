#pragma once
// Clearing a button's actions and tinting its image.
//
//   ov::UIButton_OVButton::removeAllTargets(*reused);
//   ov::UIButton_OVButton::imageTintColor(*like, ov::ui::Color::redColor());

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/views/Button.h"

namespace ov::UIButton_OVButton {

// Every target and action, for every event.
void removeAllTargets(ui::Button& button);
// The current image becomes the normal state's image as a template, drawn in `color`.
void imageTintColor(ui::Button& button, const ui::Color& color);

}  // namespace ov::UIButton_OVButton
