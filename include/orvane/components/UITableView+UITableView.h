#pragma once
// One-call scrolling, header trimming and pull to refresh for a table.
//
//   namespace table = ov::UITableView_UITableView;
//   table::scrollToBottom(*messages, true);
//   auto refresh = table::addRefreshControl(*messages, "reload:",
//       [](ov::ui::Control&) { reload(); }, screen);

#include <memory>
#include <string>

#include "orvane/platform/ui/containers/RefreshControl.h"
#include "orvane/platform/ui/containers/TableView.h"

namespace ov::UITableView_UITableView {

// To the last rows when the content is taller than the table, else to the top. The content
// inset is not taken into account.
void scrollToBottom(ui::TableView& tableView, bool animated);
// Jumps to the top at once: `animated` is not used.
void scrollToTop(ui::TableView& tableView, bool animated);
// Hides the 20-point band a grouped table leaves above its first section.
void hideEmptyHeader(ui::TableView& tableView);
// A refresh control in the table whose value-changed event runs `action` for `sender`
// (held weakly, as control targets are).
std::shared_ptr<ui::RefreshControl> addRefreshControl(ui::TableView& tableView, std::string action,
                                                      ui::Control::Action handler,
                                                      const std::shared_ptr<void>& sender);

}  // namespace ov::UITableView_UITableView
