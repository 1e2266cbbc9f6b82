#pragma once
// One font family for a view and, when asked, everything below it.
//
//   ov::UIView_OVUIViewFonts::setFontFamily(*screen->view(), "HelveticaNeue-Medium", true);
//
// Labels, text fields and text views take the font at their own point size; a button's title
// takes it at the button's font size; a segmented control's segment titles each keep their
// size. Other views change nothing themselves.

#include "orvane/platform/ui/views/View.h"
#include "orvane/platform/values/String.h"

namespace ov::UIView_OVUIViewFonts {

// With `andSubViews`, every view below is changed too. A name that maps to no font changes
// nothing.
void setFontFamily(ui::View& view, const String& fontFamily, bool andSubViews);

}  // namespace ov::UIView_OVUIViewFonts
