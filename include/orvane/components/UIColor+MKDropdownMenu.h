#pragma once
// The dropdown menu's separator colour.
//
//   ov::UIColor_MKDropdownMenu::mk_defaultSeparatorColor();  // (0.78, 0.78, 0.8), alpha 1

#include "orvane/platform/ui/geometry/Color.h"

namespace ov::UIColor_MKDropdownMenu {

ui::Color mk_defaultSeparatorColor();

}  // namespace ov::UIColor_MKDropdownMenu
