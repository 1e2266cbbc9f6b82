#include <gtest/gtest.h>

#include "orvane/platform/ui/containers/TableView.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/ui/views/Window.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/ManualClockScope.h"

namespace ov::ui {
namespace {

using Paths = std::vector<IndexPath>;

class Rows : public TableViewDataSource, public TableViewDelegate {
  public:
    long tableView_numberOfRowsInSection(TableView&, long section) override {
        return section == 0 ? static_cast<long>(names.size()) : extraRows;
    }
    std::optional<long> numberOfSectionsInTableView(TableView&) override { return sections; }
    std::shared_ptr<TableViewCell> tableView_cellForRowAtIndexPath(TableView& table,
                                                                   const IndexPath& path) override {
        auto cell = table.dequeueReusableCellWithIdentifier("Row", path);
        if (path.section == 0) cell->textLabel().setText(names[static_cast<size_t>(path.row)]);
        return cell;
    }
    std::optional<double> tableView_heightForRowAtIndexPath(TableView&,
                                                            const IndexPath& path) override {
        if (tall && path.row == 1) return 100.0;
        return std::nullopt;
    }
    std::optional<std::optional<IndexPath>> tableView_willSelectRowAtIndexPath(
        TableView&, const IndexPath& path) override {
        log.push_back("will " + std::to_string(path.row));
        return redirect;
    }
    void tableView_didSelectRowAtIndexPath(TableView&, const IndexPath& path) override {
        log.push_back("did " + std::to_string(path.row));
    }
    void tableView_didDeselectRowAtIndexPath(TableView&, const IndexPath& path) override {
        log.push_back("deselect " + std::to_string(path.row));
    }

    std::vector<String> names;
    long sections = 1;
    long extraRows = 0;
    bool tall = false;
    std::optional<std::optional<IndexPath>> redirect;
    std::vector<std::string> log;
};

class TableViewTest : public ::testing::Test {
  protected:
    TableViewTest() {
        for (int i = 0; i < 100; ++i)
            rows->names.push_back(String("Row " + std::to_string(i)));
        table->registerClass(
            [this](const String& id) {
                ++made;
                return std::make_shared<TableViewCell>(UITableViewCellStyleDefault, id);
            },
            "Row");
        table->setDataSource(rows);
        table->setDelegate(rows);
        window->addSubview(table);
        table->reloadData();
    }

    Paths visible() const { return table->indexPathsForVisibleRows(); }

    test::ManualClockScope time{10};
    std::shared_ptr<Window> window = std::make_shared<Window>(Rect{0, 0, 320, 440});
    std::shared_ptr<TableView> table = std::make_shared<TableView>(Rect{0, 0, 320, 440});
    std::shared_ptr<Rows> rows = std::make_shared<Rows>();
    EventInjector fingers{window};
    int made = 0;
};

TEST_F(TableViewTest, LaysOutTheRowsInViewByTheOffset) {
    EXPECT_EQ(table->contentSize(), (Size{320, 4400}));
    ASSERT_EQ(visible().size(), 10u);
    EXPECT_EQ(visible().front(), (IndexPath{0, 0}));
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 3})->frame(), (Rect{0, 132, 320, 44}));

    table->setContentOffset({0, 450});
    EXPECT_EQ(visible().front(), (IndexPath{0, 10}));
    EXPECT_EQ(visible().back(), (IndexPath{0, 20}));
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 0}), nullptr);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 12})->textLabel().text(), String("Row 12"));
    EXPECT_EQ(table->indexPathForRowAtPoint({5, 1000}), (IndexPath{0, 22}));
    EXPECT_EQ(table->indexPathForRowAtPoint({5, 5000}), std::nullopt);
}

TEST_F(TableViewTest, ReusesTheCellsThatScrollAway) {
    for (double y = 0; y <= 4400 - 440; y += 37)
        table->setContentOffset({0, y});
    EXPECT_LE(made, 12);
    // A reused cell comes back unselected.
    table->setContentOffset({0, 0});
    table->selectRowAtIndexPath(IndexPath{0, 0}, false, UITableViewScrollPositionNone);
    auto first = table->cellForRowAtIndexPath({0, 0});
    table->setContentOffset({0, 2000});
    EXPECT_FALSE(first->isSelected());
    EXPECT_EQ(table->indexPathForCell(*first).value_or(IndexPath{}).section, 0);
}

TEST_F(TableViewTest, RowHeightsComeFromTheDelegate) {
    rows->tall = true;
    table->reloadData();
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 2}), (Rect{0, 144, 320, 44}));
    EXPECT_EQ(table->contentSize().height, 4400 + 56);
    EXPECT_TRUE(table->rectForRowAtIndexPath({0, 100}).isNull());
    auto header = std::make_shared<View>(Rect{0, 0, 320, 30});
    table->setTableHeaderView(header);
    EXPECT_EQ(table->rectForRowAtIndexPath({0, 0}).minY(), 30);
}

TEST_F(TableViewTest, InsertingAndDeletingShiftCellsAndSelection) {
    table->selectRowAtIndexPath(IndexPath{0, 5}, false, UITableViewScrollPositionNone);
    auto fifth = table->cellForRowAtIndexPath({0, 5});
    rows->names.insert(rows->names.begin() + 2, "New");
    table->insertRowsAtIndexPaths({{0, 2}}, UITableViewRowAnimationAutomatic);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 6}), fifth);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 2})->textLabel().text(), String("New"));
    EXPECT_EQ(table->indexPathsForSelectedRows(), (Paths{{0, 6}}));

    rows->names.erase(rows->names.begin(), rows->names.begin() + 2);
    table->deleteRowsAtIndexPaths({{0, 0}, {0, 1}}, UITableViewRowAnimationFade);
    EXPECT_EQ(table->cellForRowAtIndexPath({0, 4}), fifth);
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 4}));
    EXPECT_EQ(table->numberOfRowsInSection(0), 99);

    // A data source that does not match the change gets a full reload.
    SystemLogCapture log;
    table->deleteRowsAtIndexPaths({{0, 0}}, UITableViewRowAnimationFade);
    EXPECT_EQ(log.entries().size(), 1u);
    EXPECT_TRUE(table->indexPathsForSelectedRows().empty());
    EXPECT_EQ(table->numberOfRowsInSection(0), 99);
}

TEST_F(TableViewTest, TappingARowSelectsItAndADragDoesNot) {
    const int id = fingers.touchDown({100, 100});
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 2})->isHighlighted());
    fingers.touchUp(id);
    EXPECT_FALSE(table->cellForRowAtIndexPath({0, 2})->isHighlighted());
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 2})->isSelected());
    fingers.tap({100, 10});
    EXPECT_EQ(rows->log,
              (std::vector<std::string>{"will 2", "did 2", "will 0", "deselect 2", "did 0"}));
    EXPECT_EQ(table->indexPathsForSelectedRows(), (Paths{{0, 0}}));

    rows->log.clear();
    fingers.drag({{100, 300}, {100, 100}}, 0.2);
    EXPECT_TRUE(rows->log.empty());
    for (const auto& cell : table->visibleCells())
        EXPECT_FALSE(cell->isHighlighted());
}

TEST_F(TableViewTest, TheDelegateMayRedirectOrRefuseASelection) {
    rows->redirect = std::optional<IndexPath>(IndexPath{0, 7});
    fingers.tap({100, 10});
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 7}));
    rows->redirect = std::optional<IndexPath>();
    fingers.tap({100, 100});
    EXPECT_EQ(table->indexPathForSelectedRow(), (IndexPath{0, 7}));
    EXPECT_EQ(rows->log.back(), "will 2");
}

TEST_F(TableViewTest, CellsMakeRoomForTheAccessoryAndShowTheirSelection) {
    auto made = std::make_shared<TableViewCell>(UITableViewCellStyleSubtitle, "x");
    TableViewCell& cell = *made;
    cell.setFrame({0, 0, 320, 60});
    cell.setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    cell.textLabel().setText("Title");
    cell.detailTextLabel()->setText("Detail");
    cell.layoutIfNeeded();
    EXPECT_LT(cell.contentView().frame().width(), 320 - TableViewCell::kAccessorySize);
    // The accessory is the last subview, at the right end.
    EXPECT_EQ(cell.subviews().back()->frame().maxX(), 320 - TableViewCell::kAccessoryMargin);
    EXPECT_NE(dynamic_cast<TableViewCellContentView*>(cell.subviews().front().get()), nullptr);
    EXPECT_LT(cell.textLabel().frame().maxY(), cell.detailTextLabel()->frame().minY() + 1);

    cell.setSelected(true);
    EXPECT_EQ(cell.selectedBackgroundView()->superview(), &cell);
    EXPECT_TRUE(cell.textLabel().isHighlighted());
    cell.prepareForReuse();
    EXPECT_EQ(cell.selectedBackgroundView()->superview(), nullptr);
    EXPECT_EQ(std::make_shared<TableViewCell>()->detailTextLabel(), nullptr);
}

TEST_F(TableViewTest, ScrollsToRowsAndAsksForSections) {
    rows->sections = 2;
    rows->extraRows = 3;
    table->reloadData();
    EXPECT_EQ(table->numberOfSections(), 2);
    table->scrollToRowAtIndexPath({1, 2}, UITableViewScrollPositionBottom, false);
    EXPECT_EQ(table->contentOffset().y, 4400 + 3 * 44 - 440);
    EXPECT_EQ(visible().back(), (IndexPath{1, 2}));
    table->scrollToRowAtIndexPath({0, 50}, UITableViewScrollPositionTop, false);
    EXPECT_EQ(table->contentOffset().y, 50 * 44);
}

// Remembers the state transitions it is told of.
class EditableCell : public TableViewCell {
  public:
    using TableViewCell::TableViewCell;
    void didTransitionToState(UITableViewCellStateMask state) override { states.push_back(state); }
    std::vector<UITableViewCellStateMask> states;
};

TEST_F(TableViewTest, EditingReachesShownAndNewCells) {
    table->setEditing(true);
    EXPECT_TRUE(table->cellForRowAtIndexPath({0, 0})->isEditing());
    table->setContentOffset({0, 1000});
    EXPECT_TRUE(table->visibleCells().front()->isEditing());
    // No selection while editing.
    fingers.tap({100, 100});
    EXPECT_TRUE(rows->log.empty());

    auto cell = std::make_shared<EditableCell>();
    cell->setEditing(true);
    cell->prepareForReuse();
    EXPECT_EQ(cell->states,
              (std::vector<UITableViewCellStateMask>{UITableViewCellStateShowingEditControlMask,
                                                     UITableViewCellStateDefaultMask}));
}

TEST_F(TableViewTest, FooterFollowsTheRowsAndUnknownIdentifiersGiveNothing) {
    auto footer = std::make_shared<View>(Rect{0, 0, 320, 80});
    table->setTableFooterView(footer);
    EXPECT_EQ(footer->frame().minY(), 4400);
    EXPECT_EQ(table->contentSize().height, 4480);
    EXPECT_EQ(table->dequeueReusableCellWithIdentifier("Nobody"), nullptr);
    EXPECT_EQ(table->dequeueReusableCellWithIdentifier("Nobody", {0, 0}), nullptr);
}

}  // namespace
}  // namespace ov::ui
