#include "orvane/components/MKDropdownMenuComponentButton.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace ov {

MKDropdownMenuComponentButton::MKDropdownMenuComponentButton(const ui::Rect& frame)
    : ui::Control(frame),
      m_selectedBackground(std::make_shared<ui::View>()),
      m_titleLabel(std::make_shared<ui::Label>()),
      m_arrow(std::make_shared<ui::ImageView>()) {
    setBackgroundColor(std::nullopt);
    m_selectedBackground->setUserInteractionEnabled(false);
    m_selectedBackground->setHidden(true);
    m_titleLabel->setUserInteractionEnabled(false);
    m_titleLabel->setFont(ui::Font::systemFontOfSize(16));
    m_arrow->setUserInteractionEnabled(false);
    m_arrow->setContentMode(ui::UIViewContentModeCenter);
    addSubview(m_selectedBackground);
    addSubview(m_titleLabel);
    addSubview(m_arrow);
}

MKDropdownMenuComponentButton::~MKDropdownMenuComponentButton() = default;

void MKDropdownMenuComponentButton::setAttributedTitle(
    const std::optional<ui::AttributedString>& title,
    const std::optional<ui::AttributedString>& selectedTitle) {
    m_title = title;
    m_selectedTitle = selectedTitle;
    showState(false);
}

void MKDropdownMenuComponentButton::setCustomView(std::shared_ptr<ui::View> view) {
    if (view == m_customView) return;
    if (m_customView) m_customView->removeFromSuperview();
    m_customView = std::move(view);
    if (m_customView) {
        m_customView->setUserInteractionEnabled(false);
        insertSubviewBelow(m_customView, *m_arrow);
    }
    m_titleLabel->setHidden(m_customView != nullptr);
    setNeedsLayout();
}

void MKDropdownMenuComponentButton::setDisclosureIndicatorImage(std::shared_ptr<Image> image) {
    m_arrow->setImage(std::move(image));
    setNeedsLayout();
}

void MKDropdownMenuComponentButton::setDisclosureIndicatorSelectionRotation(double radians) {
    m_rotation = radians;
    showState(false);
}

void MKDropdownMenuComponentButton::setDisclosureIndicatorFlipped(bool flipped) {
    m_flipped = flipped;
    showState(false);
}

void MKDropdownMenuComponentButton::setSelectedBackgroundColor(
    const std::optional<ui::Color>& color) {
    m_selectedBackgroundColor = color;
    m_selectedBackground->setBackgroundColor(color);
}

void MKDropdownMenuComponentButton::setSelected(bool selected, bool animated) {
    const bool usual = std::exchange(m_animatesSelection, animated);
    ui::Control::setSelected(selected);
    m_animatesSelection = usual;
}

void MKDropdownMenuComponentButton::stateDidChange() {
    if (isSelected() != m_shownSelected) showState(m_animatesSelection);
    const double shade = isEnabled() ? 1 : kDisabledAlpha;
    m_titleLabel->setAlpha(shade);
    m_arrow->setAlpha(shade);
}

ui::AffineTransform MKDropdownMenuComponentButton::arrowTransform() const {
    const double turn = (isSelected() ? m_rotation : 0) + (m_flipped ? M_PI : 0);
    return ui::AffineTransform::makeRotation(turn);
}

void MKDropdownMenuComponentButton::showState(bool animated) {
    m_shownSelected = isSelected();
    const auto& title = isSelected() && m_selectedTitle ? m_selectedTitle : m_title;
    m_titleLabel->setAttributedText(title);
    m_titleLabel->setHidden(m_customView != nullptr);
    m_selectedBackground->setHidden(!isSelected() || !m_selectedBackgroundColor);
    const auto turn = [this] { m_arrow->setTransform(arrowTransform()); };
    if (animated) {
        ui::View::animateWithDuration(kArrowTurnDuration, turn);
    } else {
        ui::View::performWithoutAnimation(turn);
    }
    setNeedsLayout();
}

// The title and arrow sit side by side as one group, placed by the title's alignment; a title
// too wide for the room left by the arrow gets the room and the label's line breaking.
void MKDropdownMenuComponentButton::layoutSubviews() {
    ui::Control::layoutSubviews();
    const ui::Rect box = bounds();
    m_selectedBackground->setFrame(box);
    const auto image = m_arrow->image();
    const ui::Size arrow = image ? ui::Size{image->width(), image->height()} : ui::Size{};
    const double arrowSpace = arrow.width > 0 ? arrow.width + kArrowGap : 0;
    const double room = std::max(box.width() - 2 * kSideMargin - arrowSpace, 0.0);

    if (m_customView) {
        m_customView->setFrame({kSideMargin, 0, room, box.height()});
        m_arrow->setBounds({0, 0, arrow.width, arrow.height});
        m_arrow->setCenter({kSideMargin + room + kArrowGap + arrow.width / 2, box.midY()});
        return;
    }
    const ui::Size fitted = m_titleLabel->sizeThatFits({room, box.height()});
    const double titleWidth = std::min(std::ceil(fitted.width), room);
    const double group = titleWidth + arrowSpace;
    double x = kSideMargin;
    switch (m_titleLabel->textAlignment()) {
        case ui::NSTextAlignmentCenter:
            x = (box.width() - group) / 2;
            break;
        case ui::NSTextAlignmentRight:
            x = box.width() - kSideMargin - group;
            break;
        default:
            break;
    }
    m_titleLabel->setFrame({x, 0, titleWidth, box.height()});
    m_arrow->setBounds({0, 0, arrow.width, arrow.height});
    m_arrow->setCenter({x + titleWidth + kArrowGap + arrow.width / 2, box.midY()});
}

}  // namespace ov
