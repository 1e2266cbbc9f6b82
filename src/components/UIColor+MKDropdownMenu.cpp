#include "orvane/components/UIColor+MKDropdownMenu.h"

namespace ov::UIColor_MKDropdownMenu {

ui::Color mk_defaultSeparatorColor() {
    return ui::Color::colorWithRed(0.78, 0.78, 0.8, 1);
}

}  // namespace ov::UIColor_MKDropdownMenu
