#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "orvane/components/NSArray+SWUtilityButtons.h"
#include "orvane/components/NSMutableArray+SWUtilityButtons.h"
#include "orvane/components/SWTableViewCell.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/views/Window.h"
#include "support/ManualClockScope.h"
#include "support/ReferenceImage.h"

namespace ov {
namespace {

using ui::Point;
namespace buttons = NSMutableArray_SWUtilityButtons;

constexpr double kRow = 44;

SWUtilityButtons makeButtons(std::initializer_list<const char*> titles) {
    SWUtilityButtons list;
    const ui::Color colors[] = {ui::Color::redColor(), ui::Color::orangeColor(),
                                ui::Color::grayColor()};
    size_t i = 0;
    for (const char* title : titles)
        buttons::sw_addUtilityButtonWithColor(list, colors[i++ % 3], String(title));
    return list;
}

// Data source, table delegate and cell delegate in one, recording what they are told.
class Rows : public ui::TableViewDataSource,
             public ui::TableViewDelegate,
             public SWTableViewCellDelegate {
  public:
    long tableView_numberOfRowsInSection(ui::TableView&, long) override { return 5; }
    std::shared_ptr<ui::TableViewCell> tableView_cellForRowAtIndexPath(
        ui::TableView& table, const ui::IndexPath& path) override {
        auto cell = std::static_pointer_cast<SWTableViewCell>(
            table.dequeueReusableCellWithIdentifier("Row", path));
        cell->textLabel().setText(String("Row " + std::to_string(path.row)));
        cell->setLeftUtilityButtons(makeButtons({"A", "B"}));
        cell->setRightUtilityButtons(path.row == 4 ? SWUtilityButtons{}
                                                   : makeButtons({"More", "Flag", "Delete"}));
        cell->setAccessoryType(path.row == 3 ? ui::UITableViewCellAccessoryDisclosureIndicator
                                             : ui::UITableViewCellAccessoryNone);
        cell->setDelegate(self.lock());
        return cell;
    }
    std::optional<std::vector<String>> sectionIndexTitlesForTableView(ui::TableView&) override {
        return indexTitles;
    }
    void tableView_didSelectRowAtIndexPath(ui::TableView&, const ui::IndexPath& path) override {
        log.push_back("select " + std::to_string(path.row));
    }
    void tableView_didDeselectRowAtIndexPath(ui::TableView&, const ui::IndexPath& path) override {
        log.push_back("deselect " + std::to_string(path.row));
    }

    void swipeableTableViewCell_didTriggerRightUtilityButtonWithIndex(SWTableViewCell&,
                                                                      long index) override {
        log.push_back("right " + std::to_string(index));
    }
    void swipeableTableViewCell_scrollingToState(SWTableViewCell&, SWCellState state) override {
        log.push_back("to " + std::to_string(state));
    }
    std::optional<bool> swipeableTableViewCellShouldHideUtilityButtonsOnSwipe(
        SWTableViewCell&) override {
        return hideOthers;
    }
    std::optional<bool> swipeableTableViewCell_canSwipeToState(SWTableViewCell&,
                                                               SWCellState state) override {
        if (state == kCellStateLeft) return canSwipeLeft;
        return std::nullopt;
    }

    std::weak_ptr<Rows> self;
    std::optional<std::vector<String>> indexTitles;
    std::optional<bool> hideOthers = true;
    std::optional<bool> canSwipeLeft;
    std::vector<std::string> log;
};

class SWTableViewCellTest : public ::testing::Test {
  protected:
    SWTableViewCellTest() {
        rows->self = rows;
        table->registerClass<SWTableViewCell>("Row");
        table->setDataSource(rows);
        table->setDelegate(rows);
        window->addSubview(table);
        table->reloadData();
        settle();
    }

    SWTableViewCell& cell(long row) {
        return static_cast<SWTableViewCell&>(*table->cellForRowAtIndexPath({0, row}));
    }
    double offset(long row) { return cell(row).cellScrollView().contentOffset().x; }
    static double rowY(long row) { return row * kRow + kRow / 2; }
    static void settle() { ui::EventInjector::wait(0.8); }

    // A horizontal drag on a row, held still before the lift so nothing flicks.
    void dragSlowly(long row, double fromX, double dx) {
        const int touch = fingers.drag({{fromX, rowY(row)}, {fromX + dx, rowY(row)}}, 0.3,
                                       ui::EventInjector::Lift::No);
        ui::EventInjector::wait(0.2);
        fingers.touchUp(touch);
        settle();
    }
    void flick(long row, double fromX, double dx) {
        fingers.drag({{fromX, rowY(row)}, {fromX + dx, rowY(row)}}, 0.05);
        settle();
    }

    test::ManualClockScope time{10};
    std::shared_ptr<ui::Window> window = std::make_shared<ui::Window>(ui::Rect{0, 0, 320, 220});
    std::shared_ptr<ui::TableView> table =
        std::make_shared<ui::TableView>(ui::Rect{0, 0, 320, 220});
    std::shared_ptr<Rows> rows = std::make_shared<Rows>();
    ui::EventInjector fingers{window};
};

TEST_F(SWTableViewCellTest, OffsetsAndContentSizeFollowTheButtonWidths) {
    SWTableViewCell& row = cell(0);
    EXPECT_EQ(row.leftUtilityButtonsWidth(), 180);
    EXPECT_EQ(row.rightUtilityButtonsWidth(), 270);
    EXPECT_EQ(row.contentOffsetForCellState(kCellStateCenter), (Point{180, 0}));
    EXPECT_EQ(row.contentOffsetForCellState(kCellStateLeft), (Point{0, 0}));
    EXPECT_EQ(row.contentOffsetForCellState(kCellStateRight), (Point{450, 0}));
    EXPECT_EQ(row.cellScrollView().contentSize(), (ui::Size{320 + 450, kRow}));
    EXPECT_EQ(offset(0), 180);
    EXPECT_TRUE(row.isUtilityButtonsHidden());
    EXPECT_TRUE(row.leftUtilityClipView().isHidden());
    EXPECT_TRUE(row.rightUtilityClipView().isHidden());

    row.showRightUtilityButtonsAnimated(false);
    settle();
    EXPECT_EQ(row.cellState(), kCellStateRight);
    EXPECT_EQ(row.rightUtilityClipConstraint().constant(), -270);
    EXPECT_EQ(row.rightUtilityClipView().frame(), (ui::Rect{50, 0, 270, kRow}));
    EXPECT_FALSE(row.rightUtilityClipView().isHidden());
    // Three buttons of 90 side by side.
    const auto& right = row.rightUtilityButtons();
    ASSERT_EQ(right.size(), 3u);
    EXPECT_EQ(right[0]->frame(), (ui::Rect{0, 0, 90, kRow}));
    EXPECT_EQ(right[2]->frame(), (ui::Rect{180, 0, 90, kRow}));
    EXPECT_EQ(rows->log, std::vector<std::string>{"to 2"});

    row.showLeftUtilityButtonsAnimated(true);
    settle();
    EXPECT_EQ(row.cellState(), kCellStateLeft);
    EXPECT_EQ(row.leftUtilityClipConstraint().constant(), 180);
    EXPECT_TRUE(row.rightUtilityClipView().isHidden());
}

TEST_F(SWTableViewCellTest, SlowReleasesSnapByWhereTheContentWouldStop) {
    struct Case {
        double dx;  // finger movement; the offset goes the other way from 180
        SWCellState state;
        double restingOffset;
    };
    for (const Case& c : {Case{100, kCellStateLeft, 0},      // 80 < 0 + 180 / 2
                          Case{80, kCellStateCenter, 180},   // 100
                          Case{-140, kCellStateRight, 450},  // 320 > 450 - 270 / 2
                          Case{-120, kCellStateCenter, 180}}) {
        cell(1).hideUtilityButtonsAnimated(false);
        dragSlowly(1, 160, c.dx);
        EXPECT_EQ(cell(1).cellState(), c.state) << c.dx;
        EXPECT_EQ(offset(1), c.restingOffset) << c.dx;
    }
}

TEST_F(SWTableViewCellTest, FlicksGoByDirectionAndCloseAnOpenSide) {
    flick(0, 200, -60);  // fast towards the right buttons
    EXPECT_EQ(cell(0).cellState(), kCellStateRight);
    flick(0, 10, 40);  // on the content, back from the right side: closes, not opens the left
    EXPECT_EQ(cell(0).cellState(), kCellStateCenter);
    cell(0).showLeftUtilityButtonsAnimated(false);
    flick(0, 200, -60);
    EXPECT_EQ(cell(0).cellState(), kCellStateCenter);
    EXPECT_EQ(offset(0), 180);

    // The thresholds themselves, from state 1.
    SWTableViewCell& row = cell(2);
    row.showLeftUtilityButtonsAnimated(false);
    Point target{30, 0};
    row.scrollViewWillEndDragging(row.cellScrollView(), {0.6, 0}, target);
    EXPECT_EQ(row.cellState(), kCellStateCenter);
    EXPECT_EQ(target, (Point{180, 0}));
    target = {320, 0};
    row.scrollViewWillEndDragging(row.cellScrollView(), {0.49, 0}, target);
    EXPECT_EQ(row.cellState(), kCellStateRight);
    target = {320, 0};
    row.scrollViewWillEndDragging(row.cellScrollView(), {-0.5, 0}, target);
    EXPECT_EQ(row.cellState(), kCellStateCenter);  // from the right side a flick closes
}

TEST_F(SWTableViewCellTest, MissingOrRefusedSidesCannotBeOpened) {
    // Row 4 has no right buttons: the content stays at the centre under the finger.
    const int touch =
        fingers.drag({{200, rowY(4)}, {100, rowY(4)}}, 0.2, ui::EventInjector::Lift::No);
    EXPECT_EQ(offset(4), 180);
    fingers.touchUp(touch);
    flick(4, 200, -80);
    EXPECT_EQ(cell(4).cellState(), kCellStateCenter);
    EXPECT_EQ(offset(4), 180);

    rows->canSwipeLeft = false;
    dragSlowly(0, 100, 120);
    EXPECT_EQ(cell(0).cellState(), kCellStateCenter);
    EXPECT_EQ(offset(0), 180);
}

TEST_F(SWTableViewCellTest, TheAccessoryRidesWithTheContentAndEditingClosesTheRow) {
    SWTableViewCell& row = cell(3);
    // The content view is narrower beside an accessory; still no buttons show at rest.
    EXPECT_TRUE(row.rightUtilityClipView().isHidden());
    ui::View& accessory = *row.subviews().back();
    EXPECT_EQ(accessory.frame().minX(), 320 - 20 - 15);
    row.showRightUtilityButtonsAnimated(false);
    settle();
    EXPECT_EQ(accessory.frame().minX(), 320 - 20 - 15 - 270);

    table->setEditing(true);
    settle();
    EXPECT_EQ(row.cellState(), kCellStateCenter);
    EXPECT_EQ(offset(3), 180);
    EXPECT_FALSE(row.cellScrollView().isScrollEnabled());
    table->setEditing(false);
    settle();
    EXPECT_TRUE(row.cellScrollView().isScrollEnabled());
}

TEST_F(SWTableViewCellTest, SectionIndexTitlesWidenTheRightSide) {
    rows->indexTitles = std::vector<String>{"A", "B"};
    table->reloadData();
    settle();
    EXPECT_EQ(cell(0).additionalRightPadding(), 15);
    EXPECT_EQ(cell(0).rightUtilityButtonsWidth(), 285);
    EXPECT_EQ(cell(0).contentOffsetForCellState(kCellStateRight), (Point{465, 0}));
    EXPECT_EQ(cell(0).cellScrollView().contentSize().width, 320 + 465);

    rows->indexTitles = std::vector<String>{};
    table->reloadData();
    settle();
    EXPECT_EQ(cell(0).rightUtilityButtonsWidth(), 270);
}

TEST_F(SWTableViewCellTest, AnEqualButtonListIsNotBuiltAgain) {
    SWTableViewCell& row = cell(0);
    const auto before = row.rightUtilityButtonsView().subviews();
    row.setRightUtilityButtons(makeButtons({"More", "Flag", "Delete"}));
    EXPECT_EQ(row.rightUtilityButtonsView().subviews(), before);

    row.setRightUtilityButtons(makeButtons({"More", "Delete"}));
    EXPECT_NE(row.rightUtilityButtonsView().subviews(), before);
    EXPECT_EQ(row.rightUtilityButtonsWidth(), 180);
    row.setRightUtilityButtons(makeButtons({"Wide"}), 120);
    EXPECT_EQ(row.rightUtilityButtonsWidth(), 120);
}

TEST(SWUtilityButtons, ListsCompareBackgroundsTitlesAndImages) {
    using NSArray_SWUtilityButtons::sw_button;
    using NSArray_SWUtilityButtons::sw_isEqualToButtons;
    const auto list = makeButtons({"A", "B"});
    EXPECT_TRUE(sw_isEqualToButtons(list, makeButtons({"A", "B"})));
    EXPECT_FALSE(sw_isEqualToButtons(list, std::nullopt));
    EXPECT_FALSE(sw_isEqualToButtons(list, makeButtons({"A"})));
    EXPECT_FALSE(sw_isEqualToButtons(list, makeButtons({"A", "C"})));
    EXPECT_TRUE(sw_isEqualToButtons({}, SWUtilityButtons{}));

    SWUtilityButtons icons;
    auto pixel = [] {
        return Image::imageWithARGB32(1, 1, std::make_shared<const std::vector<uint8_t>>(4, 0));
    };
    const auto image = pixel();
    buttons::sw_addUtilityButtonWithColor(icons, ui::Color::redColor(), image, image);
    buttons::sw_addUtilityButtonWithColor(icons, ui::Color::redColor(), image, pixel());
    buttons::sw_addUtilityButtonWithColor(icons, ui::Color::redColor(), image);
    EXPECT_FALSE(sw_button(icons[0], icons[1]));  // the selected images differ
    EXPECT_TRUE(sw_button(icons[0], icons[2]));   // the selected image falls back to the normal one
    EXPECT_FALSE(sw_button(icons[1], nullptr));
    EXPECT_EQ(icons[0]->imageForState(ui::UIControlStateHighlighted), image);
}

TEST_F(SWTableViewCellTest, OpeningOneRowClosesTheOthersAndTheTablePanClosesAll) {
    dragSlowly(0, 160, -140);
    ASSERT_EQ(cell(0).cellState(), kCellStateRight);
    dragSlowly(1, 160, 100);
    EXPECT_EQ(cell(1).cellState(), kCellStateLeft);
    EXPECT_EQ(cell(0).cellState(), kCellStateCenter);
    EXPECT_EQ(offset(0), 180);

    // A vertical drag elsewhere starts the table's pan, which closes the open row.
    fingers.drag({{160, rowY(4)}, {160, rowY(2)}}, 0.3);
    settle();
    EXPECT_EQ(cell(1).cellState(), kCellStateCenter);

    // Unless the delegate says so, rows stay open.
    rows->hideOthers = false;
    dragSlowly(0, 160, -140);
    dragSlowly(1, 160, 100);
    EXPECT_EQ(cell(0).cellState(), kCellStateRight);
    EXPECT_EQ(cell(1).cellState(), kCellStateLeft);
}

TEST_F(SWTableViewCellTest, TapsSelectClosedRowsCloseOpenOnesAndTriggerButtons) {
    fingers.tap({160, rowY(2)});
    EXPECT_TRUE(cell(2).isSelected());
    fingers.tap({160, rowY(2)});
    EXPECT_FALSE(cell(2).isSelected());
    EXPECT_EQ(rows->log, (std::vector<std::string>{"select 2", "deselect 2"}));

    rows->log.clear();
    cell(3).showRightUtilityButtonsAnimated(false);
    settle();
    fingers.tap({200, rowY(3)});  // second button: the right row starts at 50
    fingers.tap({42, rowY(3)});   // the row itself (the accessory rides at 15): closes
    settle();
    EXPECT_EQ(rows->log, (std::vector<std::string>{"to 2", "right 1", "to 0"}));
    EXPECT_EQ(cell(3).cellState(), kCellStateCenter);
    EXPECT_FALSE(cell(3).isSelected());

    // A press highlights while held and selects on release; a move drops the highlight.
    const int press = fingers.touchDown({160, rowY(0)});
    ui::EventInjector::wait(0.3);
    EXPECT_TRUE(cell(0).isHighlighted());
    fingers.touchUp(press);
    EXPECT_FALSE(cell(0).isHighlighted());
    EXPECT_TRUE(cell(0).isSelected());
    const int moved = fingers.touchDown({160, rowY(1)});
    ui::EventInjector::wait(0.3);
    fingers.touchMove(moved, {161, rowY(1)});
    EXPECT_FALSE(cell(1).isHighlighted());
    fingers.touchUp(moved);
}

TEST_F(SWTableViewCellTest, ACellGoneStopsHearingTheTableAndItsButtons) {
    auto buttons = makeButtons({"Keep"});
    {
        auto loose = std::make_shared<SWTableViewCell>();
        loose->setRightUtilityButtons(buttons);
        table->addSubview(loose);
        EXPECT_EQ(loose->containingTableView(), table.get());
        loose->removeFromSuperview();
        EXPECT_EQ(loose->containingTableView(), nullptr);

        // Taken away with a view between it and the table, it still watches the table's pan
        // until it is destroyed.
        auto holder = std::make_shared<ui::View>(ui::Rect{0, 400, 320, kRow});
        table->addSubview(holder);
        holder->addSubview(loose);
        EXPECT_EQ(loose->containingTableView(), table.get());
        holder->removeFromSuperview();
    }
    // The table's pan and a tap on a button that outlived its row reach nothing.
    fingers.drag({{160, 200}, {160, 40}}, 0.2);
    window->addSubview(buttons[0]);
    buttons[0]->setFrame({0, 0, 90, 44});
    fingers.tap({45, 22});
    settle();
}

TEST_F(SWTableViewCellTest, LooksLikeItsReference) {
    table->setFrame({0, 0, 320, 3 * kRow});
    cell(1).showLeftUtilityButtonsAnimated(false);
    cell(2).showRightUtilityButtonsAnimated(false);
    settle();
    EXPECT_TRUE(test::matchesReference(*ui::renderToImage(*table, 1), "swipe-cell-states"));
}

}  // namespace
}  // namespace ov
