#include "orvane/components/UITableView+UITableView.h"

namespace ov::UITableView_UITableView {

namespace {

// A grouped table's band above its first section.
constexpr double kEmptyHeaderHeight = 20;

}  // namespace

void scrollToBottom(ui::TableView& tableView, bool animated) {
    const double contentHeight = tableView.contentSize().height;
    const double viewHeight = tableView.bounds().size.height;
    const double y = contentHeight > viewHeight ? contentHeight - viewHeight : 0;
    tableView.setContentOffset({0, y}, animated);
}

void scrollToTop(ui::TableView& tableView, bool /*animated*/) {
    tableView.setContentOffset({0, 0});
}

void hideEmptyHeader(ui::TableView& tableView) {
    tableView.setContentInset({-kEmptyHeaderHeight, 0, 0, 0});
}

std::shared_ptr<ui::RefreshControl> addRefreshControl(ui::TableView& tableView, std::string action,
                                                      ui::Control::Action handler,
                                                      const std::shared_ptr<void>& sender) {
    auto refresh = std::make_shared<ui::RefreshControl>();
    refresh->addTarget(sender, std::move(action), std::move(handler),
                       ui::UIControlEventValueChanged);
    tableView.addSubview(refresh);
    return refresh;
}

}  // namespace ov::UITableView_UITableView
