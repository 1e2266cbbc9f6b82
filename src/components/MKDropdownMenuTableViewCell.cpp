#include "orvane/components/MKDropdownMenuTableViewCell.h"

#include <algorithm>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/views/Label.h"

namespace ov {

MKDropdownMenuTableViewCell::MKDropdownMenuTableViewCell(ui::UITableViewCellStyle style,
                                                         std::optional<String> reuseIdentifier)
    : ui::TableViewCell(style, std::move(reuseIdentifier)),
      m_titleLabel(std::make_shared<ui::Label>()),
      m_separator(std::make_shared<ui::View>()) {
    setBackgroundColor(ui::Color::clearColor());
    m_titleLabel->setFont(ui::Font::systemFontOfSize(16));
    contentView().addSubview(m_titleLabel);
    addSubview(m_separator);
}

MKDropdownMenuTableViewCell::~MKDropdownMenuTableViewCell() = default;

void MKDropdownMenuTableViewCell::setAttributedTitle(
    const std::optional<ui::AttributedString>& title, ui::NSTextAlignment alignment) {
    m_titleLabel->setTextAlignment(alignment);
    m_titleLabel->setAttributedText(title);
    m_titleLabel->setHidden(m_customView != nullptr);
}

void MKDropdownMenuTableViewCell::setCustomView(std::shared_ptr<ui::View> view) {
    if (view == m_customView) return;
    if (m_customView) m_customView->removeFromSuperview();
    m_customView = std::move(view);
    if (m_customView) contentView().addSubview(m_customView);
    m_titleLabel->setHidden(m_customView != nullptr);
    setNeedsLayout();
}

void MKDropdownMenuTableViewCell::setContentSpan(const std::optional<ui::Rect>& span) {
    m_contentSpan = span;
    setNeedsLayout();
}

void MKDropdownMenuTableViewCell::setHighlightColor(const std::optional<ui::Color>& color) {
    selectedBackgroundView()->setBackgroundColor(
        color.value_or(ui::Color::colorWithWhite(0.85, 1)));
}

void MKDropdownMenuTableViewCell::setSeparator(const ui::Color& color, bool shown) {
    m_separator->setBackgroundColor(color);
    m_separator->setHidden(!shown);
}

void MKDropdownMenuTableViewCell::layoutSubviews() {
    ui::TableViewCell::layoutSubviews();
    const ui::Rect row = bounds();
    const double line = 1.0 / Image::screenScale();
    m_separator->setFrame({0, row.height() - line, row.width(), line});
    bringSubviewToFront(*m_separator);

    const ui::Rect content = contentView().bounds();
    double left = content.minX();
    double right = content.maxX();
    if (m_contentSpan) {
        left = std::clamp(m_contentSpan->minX(), content.minX(), content.maxX());
        right = std::clamp(m_contentSpan->maxX(), left, content.maxX());
    }
    if (m_customView) {
        m_customView->setFrame({left, 0, right - left, content.height()});
        return;
    }
    const double width = std::max(right - left - 2 * kSideMargin, 0.0);
    m_titleLabel->setFrame({left + kSideMargin, 0, width, content.height()});
}

void MKDropdownMenuTableViewCell::prepareForReuse() {
    ui::TableViewCell::prepareForReuse();
    setAccessoryView(nullptr);
    setAccessoryType(ui::UITableViewCellAccessoryNone);
}

}  // namespace ov
