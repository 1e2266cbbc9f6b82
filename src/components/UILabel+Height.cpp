#include <limits>

#include "orvane/components/UILabel+Height.h"

namespace ov::UILabel_Height {

ui::Size sizeForWrappedText(const ui::Label& label) {
    ui::Label scratch(ui::Rect{0, 0, label.frame().size.width, std::numeric_limits<double>::max()});
    scratch.setNumberOfLines(0);
    scratch.setFont(label.font());
    scratch.setText(label.text());
    scratch.sizeToFit();
    return scratch.frame().size;
}

}  // namespace ov::UILabel_Height
