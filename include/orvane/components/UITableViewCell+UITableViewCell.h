#pragma once
// The colour a table row shows while selected.
//
//   ov::UITableViewCell_UITableViewCell::setSelectedBackgroundColor(*cell, brandColour);

#include <optional>

#include "orvane/platform/ui/containers/TableViewCell.h"
#include "orvane/platform/ui/geometry/Color.h"

namespace ov::UITableViewCell_UITableViewCell {

// A new selected-background view in the colour (none: clear).
void setSelectedBackgroundColor(ui::TableViewCell& cell, const std::optional<ui::Color>& color);

}  // namespace ov::UITableViewCell_UITableViewCell
