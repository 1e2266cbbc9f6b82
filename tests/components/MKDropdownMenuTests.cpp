#include <cmath>

#include "DropdownMenuFixture.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/ReferenceImage.h"

namespace ov::test {
namespace {

using DropdownMenuTest = DropdownMenuFixture;

TEST_F(DropdownMenuTest, SingleSelectionKeepsTheLastRowAndMultipleKeepsEvery) {
    menu->selectRow(2, 0);
    menu->selectRow(5, 0);
    EXPECT_EQ(menu->selectedRowsInComponent(0), MKDropdownMenu::IndexSet{5});
    EXPECT_TRUE(menu->selectedRowsInComponent(1).empty());

    menu->setAllowsMultipleRowsSelection(true);
    menu->selectRow(2, 0);
    menu->selectRow(2, 0);
    EXPECT_EQ(menu->selectedRowsInComponent(0), (MKDropdownMenu::IndexSet{2, 5}));
    menu->deselectRow(5, 0);
    menu->deselectRow(1, 0);  // not selected: nothing changes
    EXPECT_EQ(menu->selectedRowsInComponent(0), MKDropdownMenu::IndexSet{2});
    EXPECT_TRUE(menus->log.empty());  // selecting in code never tells the delegate
}

TEST_F(DropdownMenuTest, ReloadsRebuildTheModelAndKeepOrClearSelections) {
    menu->selectRow(1, 0);
    menu->selectRow(2, 1);
    menus->rows = {6, 9, 20};
    menu->reloadComponent(1);
    EXPECT_EQ(menu->numberOfRowsInComponent(1), 9);
    EXPECT_EQ(menu->selectedRowsInComponent(1), MKDropdownMenu::IndexSet{2});

    menu->reloadAllComponents();
    EXPECT_TRUE(menu->selectedRowsInComponent(0).empty());
    EXPECT_TRUE(menu->selectedRowsInComponent(1).empty());

    menus->rows = {4, 0};
    menu->reloadAllComponents();
    ASSERT_EQ(menu->buttons().size(), 2u);
    ASSERT_EQ(menu->separators().size(), 1u);
    EXPECT_EQ(menu->subviews().size(), 3u);  // the surplus left the bar too
    EXPECT_EQ(menu->numberOfRowsInComponent(1), 0);

    menus->rows = {4, 5, 6, 7};
    menu->reloadAllComponents();
    window->layoutIfNeeded();
    EXPECT_EQ(menu->buttons().size(), 4u);
    EXPECT_EQ(menu->separators().size(), 3u);
    EXPECT_EQ(menu->buttons()[3]->frame(), (ui::Rect{240, 0, 80, 44}));

    menus->rows = {};
    menu->reloadAllComponents();
    EXPECT_TRUE(menu->buttons().empty());
    EXPECT_TRUE(menu->separators().empty());
}

TEST_F(DropdownMenuTest, TappingButtonsOpensSwitchesAndCloses) {
    tapButton(0);
    EXPECT_EQ(menu->selectedComponent(), 0);
    EXPECT_EQ(menus->log, Log{"open 0"});
    EXPECT_TRUE(menu->buttons()[0]->isSelected());
    tapButton(1);  // the table is still coming in: the tap is dropped
    EXPECT_EQ(menu->selectedComponent(), 0);
    run();

    tapButton(1);
    EXPECT_EQ(menus->log, (Log{"open 0", "close 0"}));
    EXPECT_EQ(menu->selectedComponent(), MKDropdownMenu::kNotFound);
    run();  // the old table leaves, then the new one comes
    EXPECT_EQ(menus->log, (Log{"open 0", "close 0", "open 1"}));
    EXPECT_EQ(menu->selectedComponent(), 1);
    EXPECT_FALSE(menu->buttons()[0]->isSelected());
    EXPECT_TRUE(menu->buttons()[1]->isSelected());
    EXPECT_EQ(menu->contentViewController().rowsCount(), 3);
    run();

    tapButton(1);
    run();
    EXPECT_EQ(menus->log, (Log{"open 0", "close 0", "open 1", "close 1"}));
    EXPECT_EQ(menu->selectedComponent(), MKDropdownMenu::kNotFound);
    EXPECT_FALSE(presented());

    menus->disabled = 2;
    menu->reloadAllComponents();
    tapButton(2);
    EXPECT_EQ(menus->log.size(), 4u);
}

TEST_F(DropdownMenuTest, OpeningInCodeSendsOneCloseAndOneOpen) {
    menu->openComponent(0, true);
    menu->openComponent(0, true);  // already open
    menu->openComponent(2, true);
    menu->openComponent(1, true);  // cuts in: the last request wins
    run();
    EXPECT_EQ(menus->log, (Log{"open 0", "close 0", "open 1"}));
    EXPECT_EQ(menu->selectedComponent(), 1);
    EXPECT_TRUE(presented());

    menu->closeAllComponentsAnimated(false);
    menu->closeAllComponentsAnimated(false);
    EXPECT_EQ(menus->log, (Log{"open 0", "close 0", "open 1", "close 1"}));
    EXPECT_FALSE(presented());
    run();
    EXPECT_EQ(menus->log.size(), 4u);
}

TEST_F(DropdownMenuTest, ButtonsShowTheDelegatesTitles) {
    const auto& first = *menu->buttons()[0];
    const auto& second = *menu->buttons()[1];
    EXPECT_EQ(first.attributedTitle()->string(), String("Topic 0"));
    EXPECT_EQ(first.selectedTitle()->string(), String("Choose"));
    EXPECT_FALSE(second.selectedTitle());
    EXPECT_EQ(first.titleLabel().numberOfLines(), 1);
    EXPECT_EQ(first.titleLabel().lineBreakMode(), ui::NSLineBreakByTruncatingMiddle);

    menu->openComponent(0, true);
    EXPECT_EQ(first.titleLabel().attributedText()->string(), String("Choose"));
    const auto turn = [&] {
        const auto shown = first.disclosureIndicatorView().layer().presentationLayer();
        return std::atan2(shown->affineTransform().b, shown->affineTransform().a);
    };
    time.clock().advance(MKDropdownMenuComponentButton::kArrowTurnDuration / 2);
    EXPECT_GT(turn(), 0.2);
    EXPECT_LT(turn(), 3);
    run();
    EXPECT_NEAR(std::abs(turn()), M_PI, 1e-9);
    menu->setComponentLineBreakMode(ui::NSLineBreakByWordWrapping);
    EXPECT_EQ(first.titleLabel().numberOfLines(), 0);
    menu->closeAllComponentsAnimated(false);
    EXPECT_EQ(first.titleLabel().attributedText()->string(), String("Topic 0"));

    menus->disabled = 1;
    menu->reloadComponent(1);
    EXPECT_FALSE(second.isEnabled());
    EXPECT_TRUE(first.isEnabled());

    const auto& third = *menu->buttons()[2];
    menus->componentView = std::make_shared<ui::View>();
    menu->reloadComponent(2);
    EXPECT_EQ(third.customView(), menus->componentView);
    EXPECT_TRUE(third.titleLabel().isHidden());
    EXPECT_FALSE(third.attributedTitle());
}

TEST_F(DropdownMenuTest, ReloadingWhileOpenRefreshesOrClosesTheTable) {
    menu->openComponent(2, false);
    menu->selectRow(7, 2);
    menus->rows = {6, 3, 5};
    menu->reloadComponent(2);
    EXPECT_EQ(menu->contentViewController().rowsCount(), 5);
    EXPECT_EQ(table().numberOfRowsInSection(0), 5);
    EXPECT_EQ(menu->selectedRowsInComponent(2), MKDropdownMenu::IndexSet{7});

    menus->rows = {6, 3};  // the open component goes away
    menu->reloadAllComponents();
    EXPECT_EQ(menus->log, (Log{"open 2", "close 2"}));
    EXPECT_EQ(menu->selectedComponent(), MKDropdownMenu::kNotFound);
    EXPECT_FALSE(presented());
}

TEST_F(DropdownMenuTest, ComponentsTakeTheirWidthsAndShareTheRest) {
    menus->firstWidth = 100;
    menu->reloadAllComponents();
    menu->layoutIfNeeded();
    EXPECT_EQ(menu->buttons()[0]->frame(), (ui::Rect{0, 0, 100, 44}));
    EXPECT_EQ(menu->buttons()[1]->frame(), (ui::Rect{100, 0, 110, 44}));
    EXPECT_EQ(menu->buttons()[2]->frame(), (ui::Rect{210, 0, 110, 44}));
    EXPECT_DOUBLE_EQ(menu->separators()[1]->frame().midX(), 210);
}

TEST_F(DropdownMenuTest, AMenuWithoutItsDelegateOrAPlaceToShowStillWorks) {
    menus.reset();  // both are held weakly: the model stays, nothing is told
    menu->selectRow(2, 1);
    menu->openComponent(1, false);
    EXPECT_EQ(menu->selectedComponent(), 1);
    EXPECT_EQ(menu->contentViewController().rowsCount(), 3);
    menu->closeAllComponentsAnimated(false);

    SystemLogCapture log;
    menu->removeFromSuperview();  // no window, no presenting view: nowhere to open
    menu->openComponent(1, false);
    EXPECT_EQ(menu->selectedComponent(), MKDropdownMenu::kNotFound);
    EXPECT_EQ(log.entries(),
              std::vector<std::string>{
                  "MKDropdownMenu: no presenting view or window to show the dropdown in"});
}

TEST_F(DropdownMenuTest, AnOpenMenuLeavesNoTableBehind) {
    menu->openComponent(0, true);
    auto content = menu->contentViewController().view();
    menu->removeFromSuperview();
    menu.reset();
    run();
    EXPECT_EQ(content->superview(), nullptr);
    EXPECT_EQ(menus->log, Log{"open 0"});
}

TEST_F(DropdownMenuTest, LooksOpenWithASelection) {
    menus->rows = {5, 3};
    menu->reloadAllComponents();
    menu->setAllowsMultipleRowsSelection(true);
    menu->selectRow(1, 0);
    menu->selectRow(3, 0);
    menu->openComponent(0, false);
    auto image = ui::renderToImage(*window, 1);
    ASSERT_TRUE(image);
    EXPECT_TRUE(test::matchesReference(*image, "dropdown-open"));
}

using DropdownMenuDeathTest = DropdownMenuTest;

TEST_F(DropdownMenuDeathTest, ProgrammingErrorsStopWithTheirMessages) {
    EXPECT_DEBUG_DEATH(menu->openComponent(3, true), "invalid component: 3");
    EXPECT_DEBUG_DEATH(menu->selectedRowsInComponent(-1), "invalid component: -1");
    EXPECT_DEBUG_DEATH(menu->selectRow(6, 0), "invalid row: 6");
    EXPECT_DEBUG_DEATH(menu->deselectRow(-2, 1), "invalid row: -2");

    struct NoRows : MKDropdownMenuDataSource {
        std::optional<long> numberOfComponentsInDropdownMenu(MKDropdownMenu&) override { return 1; }
    };
    struct Nothing : MKDropdownMenuDataSource {};
    const auto noRows = std::make_shared<NoRows>();
    const auto nothing = std::make_shared<Nothing>();
    EXPECT_DEBUG_DEATH(menu->setDataSource(noRows),
                       "required method `dropdownMenu:numberOfRowsInComponent:` in data source "
                       "not implemented");
    EXPECT_DEBUG_DEATH(menu->setDataSource(nothing),
                       "required method `numberOfComponentsInDropdownMenu:` in data source not "
                       "implemented");
}

}  // namespace
}  // namespace ov::test
