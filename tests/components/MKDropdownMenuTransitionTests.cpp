#include "DropdownMenuFixture.h"
#include "orvane/platform/ui/containers/ScrollView.h"

namespace ov::test {
namespace {

using DropdownTransitionTest = DropdownMenuFixture;

TEST_F(DropdownTransitionTest, ContentAboveTheBarSitsOverIt) {
    menu->setFrame({0, 400, 320, 44});
    menu->setDropdownShowsContentAbove(true);
    menu->openComponent(1, false);
    const auto& container = menu->contentViewController().containerView();
    const auto frame = container.convertRect_toView(container.bounds(), nullptr);
    EXPECT_DOUBLE_EQ(frame.maxY(), 400);
    // Flipped and turned half a turn while open: pointing down again.
    const auto arrow =
        menu->buttons()[1]->disclosureIndicatorView().transform().apply(ui::Point{1, 0});
    EXPECT_NEAR(arrow.x, 1, 1e-9);
    EXPECT_NEAR(arrow.y, 0, 1e-9);
}

TEST_F(DropdownTransitionTest, TheTableFadesAndSlidesInAndOutOnTheClock) {
    auto& content = menu->contentViewController();
    const auto dimming = [&] {
        return content.dimmingView().layer().presentationLayer()->opacity();
    };
    const auto slide = [&] {
        return content.containerView().layer().presentationLayer()->affineTransform().ty;
    };
    menu->setBackgroundDimmingOpacity(0.4);
    menu->openComponent(0, true);
    EXPECT_TRUE(menu->transition().isAnimating());
    EXPECT_DOUBLE_EQ(dimming(), 0);
    EXPECT_DOUBLE_EQ(slide(), -MKDropdownMenuTransition::kSlideDistance);
    time.clock().advance(MKDropdownMenuTransition::kPresentDuration / 2);
    EXPECT_GT(dimming(), 0.1);
    EXPECT_LT(dimming(), 0.4);
    EXPECT_LT(slide(), 0);
    run();
    EXPECT_FALSE(menu->transition().isAnimating());
    EXPECT_DOUBLE_EQ(dimming(), 0.4);
    EXPECT_DOUBLE_EQ(slide(), 0);

    menu->closeAllComponentsAnimated(true);
    EXPECT_EQ(menus->log, (Log{"open 0", "close 0"}));  // closed as the table starts to go
    run(MKDropdownMenuTransition::kDismissDuration / 2);
    EXPECT_TRUE(presented());
    EXPECT_LT(dimming(), 0.4);
    run();
    EXPECT_FALSE(presented());
}

TEST_F(DropdownTransitionTest, AnOpenCutsInOnADismissal) {
    menu->openComponent(0, false);
    menu->closeAllComponentsAnimated(true);
    run(MKDropdownMenuTransition::kDismissDuration / 2);
    menu->openComponent(2, true);
    run();
    EXPECT_EQ(menus->log, (Log{"open 0", "close 0", "open 2"}));
    EXPECT_TRUE(presented());
    EXPECT_EQ(menu->contentViewController().dimmingView().alpha(),
              menu->backgroundDimmingOpacity());
}

TEST_F(DropdownTransitionTest, AScrollViewHostKeepsClearOfItsInsetAndBringsTheBarUp) {
    auto scroll = std::make_shared<ui::ScrollView>(ui::Rect{0, 0, 320, 480});
    scroll->setContentSize({320, 1000});
    scroll->setContentInset({0, 0, 100, 0});
    window->addSubview(scroll);
    menu->setFrame({0, 200, 320, 44});
    scroll->addSubview(menu);
    menu->setPresentingView(scroll);
    menu->setAdjustsContentOffset(true);
    menus->maxRows = 100;
    menu->openComponent(2, false);
    EXPECT_DOUBLE_EQ(scroll->contentOffset().y, 200);  // the bar at the top
    const auto& container = menu->contentViewController().containerView();
    const auto frame = container.convertRect_toView(container.bounds(), nullptr);
    EXPECT_DOUBLE_EQ(frame.minY(), 44);
    // 480 - 44 - 100 below the bar and above the inset: 7 whole rows.
    EXPECT_DOUBLE_EQ(frame.height(), 7 * 44 + 2.0 / Image::screenScale());
    menu->closeAllComponentsAnimated(false);

    menu->setAdjustsContentInset(false);
    menu->openComponent(2, false);
    EXPECT_DOUBLE_EQ(menu->contentViewController().contentHeight(),
                     9 * 44 + 2.0 / Image::screenScale());
}

}  // namespace
}  // namespace ov::test
