#pragma once
// Building the utility buttons of a swipeable cell: each call appends one plain button with
// the given background and a title or icons.
//
//   ov::SWUtilityButtons right;
//   ov::NSMutableArray_SWUtilityButtons::sw_addUtilityButtonWithColor(
//       right, ov::ui::Color::redColor(), "Delete");
//   cell->setRightUtilityButtons(right);

#include <memory>

#include "orvane/components/SWUtilityButtonView.h"
#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/values/String.h"

namespace ov::NSMutableArray_SWUtilityButtons {

// White title that shrinks to fit the button.
void sw_addUtilityButtonWithColor(SWUtilityButtons& buttons, const ui::Color& color,
                                  const String& title);
void sw_addUtilityButtonWithColor_attributedTitle(SWUtilityButtons& buttons, const ui::Color& color,
                                                  const ui::AttributedString& attributedTitle);
void sw_addUtilityButtonWithColor(SWUtilityButtons& buttons, const ui::Color& color,
                                  std::shared_ptr<Image> icon);
// The selected icon also shows while the button is highlighted.
void sw_addUtilityButtonWithColor(SWUtilityButtons& buttons, const ui::Color& color,
                                  std::shared_ptr<Image> normalIcon,
                                  std::shared_ptr<Image> selectedIcon);

}  // namespace ov::NSMutableArray_SWUtilityButtons
