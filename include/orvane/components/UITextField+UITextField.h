#pragma once
// The clear button of a text field, to restyle it.
//
//   if (auto* clear = ov::UITextField_UITextField::clearButton(*search)) clear->setTintColor(grey);

#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/views/TextField.h"

namespace ov::UITextField_UITextField {

// The field's first subview that is a button, or nullptr.
ui::Button* clearButton(const ui::TextField& textField);

}  // namespace ov::UITextField_UITextField
