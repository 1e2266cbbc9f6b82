#include "SwipeRefreshPictures.h"

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "Board.h"
#include "orvane/components/JElasticPullToRefreshLoadingViewCircle.h"
#include "orvane/components/NSMutableArray+SWUtilityButtons.h"
#include "orvane/components/SWTableViewCell.h"
#include "orvane/components/UIColor+UIColor.h"
#include "orvane/components/UIScrollView+JElasticPullToRefresh.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/input/EventInjector.h"
#include "orvane/platform/ui/views/ImageView.h"
#include "orvane/platform/ui/views/Window.h"
#include "orvane/platform/values/Clock.h"

namespace orvane::swipe {
namespace {

using namespace ov;
namespace palette = UIColor_UIColor_UIColor;
namespace refresh = UIScrollView_JElasticPullToRefresh;

constexpr double kScale = 2;
constexpr double kRowHeight = 44;

// Time stands still unless a page moves it: a manual clock for as long as the page is built
// (the one already installed when that is manual).
class StillTime {
  public:
    StillTime() {
        if (Clock::current().isManual()) return;
        Clock::setCurrent(std::make_shared<ManualClock>(Clock::current().now()));
        m_installed = true;
    }
    ~StillTime() {
        if (m_installed) Clock::setCurrent(nullptr);
    }
    StillTime(const StillTime&) = delete;
    StillTime& operator=(const StillTime&) = delete;

  private:
    bool m_installed = false;
};

// A picture of `view` as it is now, so later moves do not change it.
std::shared_ptr<ui::View> snapshot(ui::View& view) {
    return std::make_shared<ui::ImageView>(ui::renderToImage(view, kScale));
}

class SwipeRows : public ui::TableViewDataSource {
  public:
    long tableView_numberOfRowsInSection(ui::TableView&, long) override { return 4; }
    std::shared_ptr<ui::TableViewCell> tableView_cellForRowAtIndexPath(
        ui::TableView&, const ui::IndexPath& path) override {
        static const char* const kTitles[] = {"At rest", "Being swiped", "Left side open",
                                              "Right side open"};
        auto cell = std::make_shared<SWTableViewCell>();
        cell->textLabel().setText(String(kTitles[path.row]));
        SWUtilityButtons left;
        SWUtilityButtons right;
        NSMutableArray_SWUtilityButtons::sw_addUtilityButtonWithColor(left, palette::lightGreen(),
                                                                      String("Read"));
        NSMutableArray_SWUtilityButtons::sw_addUtilityButtonWithColor(left, palette::softBlue(),
                                                                      String("Pin"));
        NSMutableArray_SWUtilityButtons::sw_addUtilityButtonWithColor(
            right, ui::Color::colorWithWhite(0.78, 1), String("More"));
        NSMutableArray_SWUtilityButtons::sw_addUtilityButtonWithColor(right, palette::loveColor(),
                                                                      String("Delete"));
        cell->setLeftUtilityButtons(left);
        cell->setRightUtilityButtons(right, 80);
        return cell;
    }
};

}  // namespace

namespace {

// The rows' table, which keeps its data source.
std::shared_ptr<ui::TableView> swipeTable(const ui::Rect& frame) {
    auto table = std::make_shared<ui::TableView>(frame);
    auto rows = std::make_shared<SwipeRows>();
    table->setDataSource(rows);
    table->setAssociatedObject(&kRowHeight, rows);
    table->reloadData();
    return table;
}

}  // namespace

std::shared_ptr<ui::View> cellStatesPicture(gallery::Motion motion) {
    if (motion == gallery::Motion::Live) {
        gallery::Board board(344);
        board.add(swipeTable({0, 0, 320, 4 * kRowHeight}), "Swipe a row left or right");
        return board.finish();
    }
    StillTime time;
    auto window = std::make_shared<ui::Window>(ui::Rect{0, 0, 320, 4 * kRowHeight});
    auto table = swipeTable(window->bounds());
    window->addSubview(table);
    auto cell = [&](long row) {
        return std::static_pointer_cast<SWTableViewCell>(table->cellForRowAtIndexPath({0, row}));
    };
    cell(2)->showLeftUtilityButtonsAnimated(false);
    cell(3)->showRightUtilityButtonsAnimated(false);
    ui::EventInjector fingers(window);
    const double y = 1.5 * kRowHeight;
    fingers.drag({{250, y}, {150, y}}, 0.2, ui::EventInjector::Lift::No);
    ui::EventInjector::wait(0.05);

    gallery::Board column(344);
    column.add(snapshot(*window), "A row at rest, one under the finger, one open on each side");
    return column.finish();
}

namespace {

// A list of grey lines under a pull-to-refresh control that runs `reload` when let go.
std::shared_ptr<ui::ScrollView> pullList(const ui::Rect& frame, std::function<void()> reload) {
    auto scroll = std::make_shared<ui::ScrollView>(frame);
    scroll->setBackgroundColor(ui::Color::whiteColor());
    // Room to scroll, with a line for every 50 points of it at the top.
    const double contentHeight = std::max(400.0, 2 * frame.height());
    scroll->setContentSize({frame.width(), contentHeight});
    for (int i = 0; i < static_cast<int>(contentHeight / 50); ++i) {
        auto line = std::make_shared<ui::View>(ui::Rect{12, 14.0 + i * 22, frame.width() - 24, 8});
        line->setBackgroundColor(ui::Color::colorWithWhite(0.88, 1));
        line->layer().setCornerRadius(4);
        scroll->addSubview(line);
    }
    auto circle = std::make_shared<JElasticPullToRefreshLoadingViewCircle>();
    circle->setTintColor(ui::Color::whiteColor());
    refresh::addJElasticPullToRefreshViewWithActionHandler(*scroll, std::move(reload), circle);
    refresh::setJElasticPullToRefreshFillColor(*scroll, palette::softBlue());
    refresh::setJElasticPullToRefreshBackgroundColor(*scroll, ui::Color::whiteColor());
    return scroll;
}

// A list under a pull-to-refresh control, moved by `drive` before its picture is taken.
std::shared_ptr<ui::View> pullMoment(
    const std::function<void(ui::ScrollView&, ui::EventInjector&)>& drive) {
    auto window = std::make_shared<ui::Window>(ui::Rect{0, 0, 104, 110});
    auto scroll = pullList(window->bounds(), [] {});
    window->addSubview(scroll);
    ui::EventInjector fingers(window);
    drive(*scroll, fingers);
    return snapshot(*window);
}

// Pulls the content `pull` points down with the finger ending at `x`, and holds it there.
int pullTo(ui::ScrollView& scroll, ui::EventInjector& fingers, double pull, double x) {
    const int touch = fingers.drag({{52, 10}, {x, 100}}, 0.2, ui::EventInjector::Lift::No);
    scroll.setContentOffset({0, -pull});
    return touch;
}

// Released past the threshold, then `seconds` later.
std::function<void(ui::ScrollView&, ui::EventInjector&)> afterRelease(double seconds) {
    return [seconds](ui::ScrollView& scroll, ui::EventInjector& fingers) {
        fingers.touchUp(pullTo(scroll, fingers, 100, 52));
        ui::EventInjector::wait(seconds);
    };
}

// A list to pull; its reload takes two seconds.
std::shared_ptr<ui::View> livePullList() {
    auto holder = std::make_shared<std::weak_ptr<ui::ScrollView>>();
    auto scroll = pullList({0, 0, 320, 360}, [holder] {
        RunLoop::main().addTimer(Timer::create(2, false, [holder](Timer&) {
            if (const auto list = holder->lock()) refresh::stopLoading(*list);
        }));
    });
    *holder = scroll;
    gallery::Board board(344);
    board.add(scroll, "Pull the list down");
    return board.finish();
}

}  // namespace

std::shared_ptr<ui::View> pullToRefreshPicture(gallery::Motion motion) {
    if (motion == gallery::Motion::Live) return livePullList();
    StillTime time;
    gallery::Board column(360);
    struct Pull {
        double height, x;
        const char* caption;
    };
    for (const Pull& p : {Pull{40, 52, "40 pt, centre"}, Pull{80, 10, "80 pt, left"},
                          Pull{100, 100, "100 pt, right"}}) {
        column.add(pullMoment([&](ui::ScrollView& scroll, ui::EventInjector& fingers) {
                       pullTo(scroll, fingers, p.height, p.x);
                   }),
                   p.caption);
    }
    column.add(pullMoment(afterRelease(0.1)), "Bounce 0.1 s");
    column.add(pullMoment(afterRelease(0.3)), "Bounce 0.3 s");
    column.add(pullMoment(afterRelease(1.25)), "Loading");
    column.add(pullMoment([](ui::ScrollView& scroll, ui::EventInjector& fingers) {
                   afterRelease(1.2)(scroll, fingers);
                   refresh::stopLoading(scroll);
                   ui::EventInjector::wait(0.15);
               }),
               "Stopping 0.15 s");
    return column.finish();
}

}  // namespace orvane::swipe
