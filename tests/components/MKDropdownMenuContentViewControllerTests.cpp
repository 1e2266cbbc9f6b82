#include "DropdownMenuFixture.h"

namespace ov::test {
namespace {

using DropdownTableTest = DropdownMenuFixture;

TEST_F(DropdownTableTest, RowTapsGoToTheDelegateAndATapOutsideCloses) {
    menu->openComponent(2, false);
    run();
    fingers.tap(rowPoint(3));
    EXPECT_EQ(menus->log, (Log{"open 2", "select 3 in 2"}));
    EXPECT_TRUE(menu->selectedRowsInComponent(2).empty());  // the delegate decides
    EXPECT_EQ(menu->selectedComponent(), 2);
    EXPECT_TRUE(table().indexPathsForSelectedRows().empty());
    run();

    fingers.tap({300, 470});  // on the dimmed backdrop, away from the rows
    run();
    EXPECT_EQ(menus->log, (Log{"open 2", "select 3 in 2", "close 2"}));
    EXPECT_FALSE(presented());
}

TEST_F(DropdownTableTest, RowHeightsAndTheTableHeightRule) {
    const auto& content = menu->contentViewController();
    const double ends = 2.0 / Image::screenScale();  // the top and bottom separators
    menus->rowHeight = 0;
    menu->openComponent(0, false);
    EXPECT_EQ(table().rowHeight(), 44);
    EXPECT_DOUBLE_EQ(content.contentHeight(), 6 * 44 + ends);
    menu->closeAllComponentsAnimated(false);

    menus->rowHeight = 30;
    menus->maxRows = 4;
    menu->openComponent(2, false);
    EXPECT_EQ(table().rowHeight(), 30);
    EXPECT_DOUBLE_EQ(content.contentHeight(), 4 * 30 + ends);  // 20 rows scroll in 4
    menu->closeAllComponentsAnimated(false);

    menus->maxRows = -3;  // no limit but the room below the bar: 416 / 30 = 13 whole rows
    menu->openComponent(2, false);
    EXPECT_EQ(content.maxRows(), 0);
    EXPECT_DOUBLE_EQ(content.contentHeight(), 13 * 30 + ends);
    EXPECT_DOUBLE_EQ(table().frame().height(), 13 * 30 + ends);
    menu->closeAllComponentsAnimated(false);

    menus->maxRows = 50;
    menu->setDropdownShowsTopRowSeparator(false);
    menu->setDropdownShowsBottomRowSeparator(false);
    menu->openComponent(1, false);
    EXPECT_DOUBLE_EQ(content.contentHeight(), 3 * 30);
}

TEST_F(DropdownTableTest, SelectionsShowInTheOpenTable) {
    menu->openComponent(0, false);
    menu->selectRow(1, 0);
    ASSERT_TRUE(cell(1));
    EXPECT_EQ(cell(1)->accessoryType(), ui::UITableViewCellAccessoryCheckmark);
    menu->selectRow(4, 0);
    EXPECT_EQ(cell(1)->accessoryType(), ui::UITableViewCellAccessoryNone);
    EXPECT_EQ(cell(4)->accessoryType(), ui::UITableViewCellAccessoryCheckmark);
    menu->deselectRow(4, 0);
    EXPECT_EQ(cell(4)->accessoryType(), ui::UITableViewCellAccessoryNone);
}

TEST_F(DropdownTableTest, CustomRowViewsAreReusedAndFoundWhileVisible) {
    menus->customViewComponent = 2;
    menu->openComponent(2, false);
    const auto shown = menu->viewForRow(1, 2);
    ASSERT_TRUE(shown);
    EXPECT_EQ(shown->tag(), 1);
    EXPECT_FALSE(menu->viewForRow(19, 2));  // below the visible rows
    EXPECT_FALSE(menu->viewForRow(1, 0));   // not the open component
    table().setContentOffset({0, 300});
    EXPECT_GT(menus->reused, 0);
    EXPECT_EQ(menu->viewForRow(12, 2)->tag(), 12);
    menu->closeAllComponentsAnimated(false);
    EXPECT_FALSE(menu->viewForRow(12, 2));
}

TEST_F(DropdownTableTest, RowsShowTheDelegatesLook) {
    menus->highlight = ui::Color::redColor();
    menu->openComponent(1, false);
    EXPECT_EQ(cell(0)->titleLabel().attributedText()->string(), String("Styled 0"));
    EXPECT_EQ(cell(0)->backgroundColor(), ui::Color::yellowColor());
    EXPECT_EQ(cell(1)->backgroundColor(), ui::Color::clearColor());
    EXPECT_EQ(cell(1)->selectedBackgroundView()->backgroundColor(), ui::Color::redColor());
    menu->selectRow(2, 1);  // the delegate's accessory wins over the check mark
    EXPECT_EQ(cell(2)->accessoryView(), menus->accessory);
    EXPECT_EQ(cell(2)->accessoryType(), ui::UITableViewCellAccessoryNone);
    menu->closeAllComponentsAnimated(false);

    menu->openComponent(0, false);  // plain titles made into styled text
    EXPECT_EQ(cell(3)->titleLabel().attributedText()->string(), String("Row 3"));
}

TEST_F(DropdownTableTest, RowContentsSitUnderTheirComponentUnlessFullWidth) {
    menus->secondUsesFullRowWidth = false;
    menu->openComponent(1, false);
    auto* row = cell(0);
    ASSERT_TRUE(row);
    row->layoutIfNeeded();
    const auto& button = *menu->buttons()[1];
    const auto title = row->titleLabel().convertRect_toView(row->titleLabel().bounds(), nullptr);
    const auto under = button.convertRect_toView(button.bounds(), nullptr);
    EXPECT_DOUBLE_EQ(title.minX(), under.minX() + MKDropdownMenuTableViewCell::kSideMargin);
    EXPECT_DOUBLE_EQ(title.maxX(), under.maxX() - MKDropdownMenuTableViewCell::kSideMargin);
    menu->closeAllComponentsAnimated(false);

    menus->secondUsesFullRowWidth = true;
    menu->openComponent(1, false);
    cell(0)->layoutIfNeeded();
    EXPECT_DOUBLE_EQ(cell(0)->titleLabel().frame().minX(),
                     MKDropdownMenuTableViewCell::kSideMargin);
}

TEST_F(DropdownTableTest, TheContainerFollowsWidthSettingsAndTheSpacer) {
    const auto& container = menu->contentViewController().containerView();
    const auto inWindow = [&] { return container.convertRect_toView(container.bounds(), nullptr); };
    menu->setFrame({40, 20, 200, 44});
    menu->openComponent(0, false);
    EXPECT_EQ(inWindow(), (ui::Rect{40, 64, 200, 6 * 44 + 2.0 / Image::screenScale()}));
    menu->closeAllComponentsAnimated(false);

    menu->setUseFullScreenWidth(true);
    menu->setFullScreenInsetLeft(10);
    menu->setFullScreenInsetRight(20);
    auto spacer = std::make_shared<ui::View>(ui::Rect{0, 0, 30, 6});
    menu->setSpacerView(spacer);
    menu->setSpacerViewOffset({5, 4});
    menu->openComponent(0, false);
    EXPECT_DOUBLE_EQ(inWindow().minX(), 10);
    EXPECT_DOUBLE_EQ(inWindow().width(), 290);
    EXPECT_DOUBLE_EQ(inWindow().minY(), 64 + 4 + 6);
    EXPECT_EQ(spacer->convertRect_toView(spacer->bounds(), nullptr), (ui::Rect{15, 68, 30, 6}));
}

}  // namespace
}  // namespace ov::test
