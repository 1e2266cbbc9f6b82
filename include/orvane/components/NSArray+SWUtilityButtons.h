#pragma once
// Comparing utility button lists, so that setting an equal list again changes nothing.
// Buttons are equal when their backgrounds, normal titles, normal images and selected images
// are; two absent values count as equal.

#include <memory>
#include <optional>

#include "orvane/components/SWUtilityButtonView.h"

namespace ov::NSArray_SWUtilityButtons {

// False when `other` is absent.
bool sw_isEqualToButtons(const SWUtilityButtons& buttons,
                         const std::optional<SWUtilityButtons>& other);
// False when either is absent.
bool sw_button(const std::shared_ptr<ui::Button>& button,
               const std::shared_ptr<ui::Button>& isEqualToButton);

}  // namespace ov::NSArray_SWUtilityButtons
