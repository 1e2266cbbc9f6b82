#pragma once
// A row of the dropdown menu's table: a styled title (or a custom view) within a horizontal
// span of the row, an accessory at its end, a hairline separator along its bottom and the
// highlight colour while pressed.

#include <memory>
#include <optional>

#include "orvane/platform/ui/containers/TableViewCell.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/ParagraphStyle.h"

namespace ov {

class MKDropdownMenuTableViewCell : public ui::TableViewCell {
  public:
    static constexpr double kSideMargin = 12;

    MKDropdownMenuTableViewCell(ui::UITableViewCellStyle style,
                                std::optional<String> reuseIdentifier);
    ~MKDropdownMenuTableViewCell() override;

    void setAttributedTitle(const std::optional<ui::AttributedString>& title,
                            ui::NSTextAlignment alignment);
    ui::Label& titleLabel() const { return *m_titleLabel; }
    // Shown instead of the title; null shows the title again.
    void setCustomView(std::shared_ptr<ui::View> view);
    const std::shared_ptr<ui::View>& customView() const { return m_customView; }
    // Where the contents go across the row; none: the whole row.
    void setContentSpan(const std::optional<ui::Rect>& span);
    void setHighlightColor(const std::optional<ui::Color>& color);
    void setSeparator(const ui::Color& color, bool shown);

    void layoutSubviews() override;
    void prepareForReuse() override;

  private:
    std::shared_ptr<ui::Label> m_titleLabel;
    std::shared_ptr<ui::View> m_customView;
    std::shared_ptr<ui::View> m_separator;
    std::optional<ui::Rect> m_contentSpan;
};

}  // namespace ov
