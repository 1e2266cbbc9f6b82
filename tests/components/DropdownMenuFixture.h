#pragma once
// A dropdown menu along the top of a window, with a data source and delegate that record
// every message, for the dropdown menu's tests.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orvane/components/MKDropdownMenu.h"
#include "orvane/components/MKDropdownMenuTableViewCell.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/ManualClockScope.h"

namespace ov::test {

// Rows per component come from `rows`; every message the menu sends is written to `log`.
struct Menus : MKDropdownMenuDataSource, MKDropdownMenuDelegate {
    std::optional<long> numberOfComponentsInDropdownMenu(MKDropdownMenu&) override {
        return static_cast<long>(rows.size());
    }
    std::optional<long> dropdownMenu_numberOfRowsInComponent(MKDropdownMenu&, long c) override {
        return rows.at(static_cast<size_t>(c));
    }
    std::optional<double> dropdownMenu_rowHeightForComponent(MKDropdownMenu&, long) override {
        return rowHeight;
    }
    std::optional<long> dropdownMenu_maximumNumberOfRowsInComponent(MKDropdownMenu&,
                                                                    long) override {
        return maxRows;
    }
    std::optional<String> dropdownMenu_titleForComponent(MKDropdownMenu&, long c) override {
        return String(std::string("Topic ") + std::to_string(c));
    }
    std::optional<String> dropdownMenu_titleForSelectedComponent(MKDropdownMenu&, long c) override {
        if (c != 0) return std::nullopt;
        return String("Choose");
    }
    std::shared_ptr<ui::View> dropdownMenu_viewForComponent(MKDropdownMenu&, long c) override {
        return c == 2 ? componentView : nullptr;
    }
    std::optional<bool> dropdownMenu_enableComponent(MKDropdownMenu&, long c) override {
        return c != disabled;
    }
    std::optional<double> dropdownMenu_widthForComponent(MKDropdownMenu&, long c) override {
        if (c != 0) return std::nullopt;
        return firstWidth;
    }
    std::optional<bool> dropdownMenu_shouldUseFullRowWidthForComponent(MKDropdownMenu&,
                                                                       long c) override {
        if (c != 1) return std::nullopt;
        return secondUsesFullRowWidth;
    }
    std::optional<String> dropdownMenu_titleForRow(MKDropdownMenu&, long row, long) override {
        return String(std::string("Row ") + std::to_string(row));
    }
    std::optional<ui::AttributedString> dropdownMenu_attributedTitleForRow(MKDropdownMenu&,
                                                                           long row,
                                                                           long c) override {
        if (c != 1) return std::nullopt;
        return ui::AttributedString(std::string("Styled ") + std::to_string(row));
    }
    std::optional<ui::Color> dropdownMenu_backgroundColorForRow(MKDropdownMenu&, long row,
                                                                long) override {
        if (row != 0) return std::nullopt;
        return ui::Color::yellowColor();
    }
    std::optional<ui::Color> dropdownMenu_backgroundColorForHighlightedRowsInComponent(
        MKDropdownMenu&, long) override {
        return highlight;
    }
    std::shared_ptr<ui::View> dropdownMenu_accessoryViewForRow(MKDropdownMenu&, long row,
                                                               long) override {
        return row == 2 ? accessory : nullptr;
    }
    std::shared_ptr<ui::View> dropdownMenu_viewForRow(MKDropdownMenu&, long row, long c,
                                                      std::shared_ptr<ui::View> reusing) override {
        if (c != customViewComponent) return nullptr;
        reused += reusing != nullptr;
        auto view = reusing ? reusing : std::make_shared<ui::View>();
        view->setTag(static_cast<int>(row));
        return view;
    }
    void dropdownMenu_didSelectRow(MKDropdownMenu&, long row, long c) override {
        log.push_back("select " + std::to_string(row) + " in " + std::to_string(c));
    }
    void dropdownMenu_didOpenComponent(MKDropdownMenu&, long c) override {
        log.push_back("open " + std::to_string(c));
    }
    void dropdownMenu_didCloseComponent(MKDropdownMenu&, long c) override {
        log.push_back("close " + std::to_string(c));
    }

    std::vector<long> rows{6, 3, 20};
    std::optional<double> rowHeight;
    std::optional<long> maxRows;
    long disabled = -1;
    long customViewComponent = -1;
    std::optional<double> firstWidth;
    std::optional<bool> secondUsesFullRowWidth;
    std::optional<ui::Color> highlight;
    std::shared_ptr<ui::View> componentView;
    std::shared_ptr<ui::View> accessory = std::make_shared<ui::View>(ui::Rect{0, 0, 20, 20});
    int reused = 0;
    std::vector<std::string> log;
};

using Log = std::vector<std::string>;

class DropdownMenuFixture : public ::testing::Test {
  protected:
    DropdownMenuFixture() {
        window->makeKeyAndVisible();
        window->addSubview(menu);
        menu->setDataSource(menus);
        menu->setDelegate(menus);
        window->layoutIfNeeded();
    }

    void run(double seconds = 1) { RunLoop::main().runFor(seconds); }
    void tapButton(long component) {
        const auto& button = *menu->buttons().at(static_cast<size_t>(component));
        const ui::Rect box = button.bounds();
        fingers.tap(button.convertPoint_toView({box.midX(), box.midY()}, nullptr));
    }
    ui::TableView& table() { return menu->contentViewController().tableView(); }
    // The middle of a visible row, in the window.
    ui::Point rowPoint(long row) {
        const auto rect = table().rectForRowAtIndexPath(ui::IndexPath::indexPathForRow(row, 0));
        return table().convertPoint_toView({rect.midX(), rect.midY()}, nullptr);
    }
    MKDropdownMenuTableViewCell* cell(long row) {
        return dynamic_cast<MKDropdownMenuTableViewCell*>(
            table().cellForRowAtIndexPath(ui::IndexPath::indexPathForRow(row, 0)).get());
    }
    bool presented() { return menu->contentViewController().view()->superview() != nullptr; }

    test::ManualClockScope time{100};
    std::shared_ptr<ui::Window> window = std::make_shared<ui::Window>(ui::Rect{0, 0, 320, 480});
    std::shared_ptr<MKDropdownMenu> menu =
        std::make_shared<MKDropdownMenu>(ui::Rect{0, 20, 320, 44});
    std::shared_ptr<Menus> menus = std::make_shared<Menus>();
    ui::EventInjector fingers{window};
};

}  // namespace ov::test
