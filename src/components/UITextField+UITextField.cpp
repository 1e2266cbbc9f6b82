#include "orvane/components/UITextField+UITextField.h"

namespace ov::UITextField_UITextField {

ui::Button* clearButton(const ui::TextField& textField) {
    for (const auto& subview : textField.subviews()) {
        if (auto* button = dynamic_cast<ui::Button*>(subview.get())) return button;
    }
    return nullptr;
}

}  // namespace ov::UITextField_UITextField
