#include "orvane/components/UITableViewCell+UITableViewCell.h"

namespace ov::UITableViewCell_UITableViewCell {

void setSelectedBackgroundColor(ui::TableViewCell& cell, const std::optional<ui::Color>& color) {
    auto background = std::make_shared<ui::View>();
    background->setBackgroundColor(color.value_or(ui::Color::clearColor()));
    cell.setSelectedBackgroundView(std::move(background));
}

}  // namespace ov::UITableViewCell_UITableViewCell
