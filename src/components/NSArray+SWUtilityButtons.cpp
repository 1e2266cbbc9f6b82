#include "orvane/components/NSArray+SWUtilityButtons.h"

namespace ov::NSArray_SWUtilityButtons {

bool sw_isEqualToButtons(const SWUtilityButtons& buttons,
                         const std::optional<SWUtilityButtons>& other) {
    if (!other || other->size() != buttons.size()) return false;
    for (size_t i = 0; i < buttons.size(); ++i) {
        if (!sw_button(buttons[i], (*other)[i])) return false;
    }
    return true;
}

bool sw_button(const std::shared_ptr<ui::Button>& button,
               const std::shared_ptr<ui::Button>& isEqualToButton) {
    if (!button || !isEqualToButton) return false;
    const ui::Button& a = *button;
    const ui::Button& b = *isEqualToButton;
    return a.backgroundColor() == b.backgroundColor() &&
           a.titleForState(ui::UIControlStateNormal) == b.titleForState(ui::UIControlStateNormal) &&
           // Images are the same object or not, as the platform compares them.
           a.imageForState(ui::UIControlStateNormal) == b.imageForState(ui::UIControlStateNormal) &&
           a.imageForState(ui::UIControlStateSelected) ==
               b.imageForState(ui::UIControlStateSelected);
}

}  // namespace ov::NSArray_SWUtilityButtons
