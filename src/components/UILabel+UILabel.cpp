#include <string>

#include "orvane/components/UILabel+UILabel.h"

namespace ov::UILabel_UILabel {

namespace {

constexpr size_t kTopPadding = 44;
constexpr size_t kBottomPadding = 4;

String lineBreaks(size_t count) {
    return String(std::string(count, '\n'));
}

}  // namespace

void alignTop(ui::Label& label) {
    label.setLineBreakMode(ui::NSLineBreakByClipping);
    label.setText(label.text().value_or(String()) + lineBreaks(kTopPadding));
}

void alignBottom(ui::Label& label) {
    label.setLineBreakMode(ui::NSLineBreakByClipping);
    label.setText(lineBreaks(kBottomPadding) + label.text().value_or(String()));
}

}  // namespace ov::UILabel_UILabel
