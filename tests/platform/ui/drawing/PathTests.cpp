#include <gtest/gtest.h>

#include <numbers>

#include "orvane/platform/ui/drawing/Path.h"

namespace ov::ui {
namespace {

constexpr double kPi = std::numbers::pi;

TEST(PathTest, RoundedRectanglesRoundOnlyTheirCornersAndLimitTheRadius) {
    const Path pill = Path::bezierPathWithRoundedRect({0, 0, 40, 20}, 50);  // radius 10
    EXPECT_TRUE(pill.containsPoint({20, 1}));
    EXPECT_TRUE(pill.containsPoint({1, 10}));
    EXPECT_FALSE(pill.containsPoint({1, 1}));  // cut off by the round end
    EXPECT_NEAR(pill.bounds().minX(), 0, 1e-9);
    EXPECT_NEAR(pill.bounds().maxY(), 20, 1e-9);

    const Path top = Path::bezierPathWithRoundedRect(
        {0, 0, 40, 40}, UIRectCornerTopLeft | UIRectCornerTopRight, {10, 10});
    EXPECT_FALSE(top.containsPoint({1, 1}));
    EXPECT_FALSE(top.containsPoint({39, 1}));
    EXPECT_TRUE(top.containsPoint({1, 39}));  // square bottom corners
    EXPECT_TRUE(top.containsPoint({39, 39}));
    EXPECT_TRUE(Path::bezierPathWithRoundedRect(Rect::null(), 4).isEmpty());
}

TEST(PathTest, ArcsSweepTheRequestedWayAndStayOnTheCircle) {
    const Path half = Path::bezierPathWithArcCenter({0, 0}, 10, 0, kPi, Path::Clockwise);
    const Rect box = half.bounds();  // control points included, so a little past the circle
    EXPECT_NEAR(box.minY(), 0, 1e-9);
    EXPECT_GT(box.maxY(), 10 - 1e-9);
    EXPECT_NEAR(half.currentPoint().x, -10, 1e-9);
    const Path other = Path::bezierPathWithArcCenter({0, 0}, 10, 0, kPi, Path::CounterClockwise);
    EXPECT_NEAR(other.bounds().maxY(), 0, 1e-9);  // through the top half instead
    // A full turn is kept whole rather than collapsing to nothing.
    Path circle = Path::bezierPathWithArcCenter({0, 0}, 10, 0, 2 * kPi, Path::Clockwise);
    circle.closePath();
    EXPECT_TRUE(circle.containsPoint({0, 9}));
    EXPECT_TRUE(circle.containsPoint({0, -9}));
    EXPECT_FALSE(circle.containsPoint({8, 8}));
}

TEST(PathTest, SubpathsCurrentPointAndTransforms) {
    Path path;
    EXPECT_TRUE(path.bounds().isNull());
    path.addLineToPoint({5, 5});  // no current point: starts a subpath
    EXPECT_EQ(path.elements().front().type, Path::ElementType::MoveTo);
    path.addLineToPoint({15, 5});
    path.addQuadCurveToPoint({15, 25}, {25, 15});
    EXPECT_EQ(path.currentPoint(), (Point{15, 25}));
    path.closePath();
    path.closePath();  // a second close adds nothing
    EXPECT_EQ(path.elements().size(), 4u);
    EXPECT_EQ(path.currentPoint(), (Point{5, 5}));

    // Moved first, then scaled.
    path.applyTransform(AffineTransform::makeScale(2, 2).translate(-5, -5));
    EXPECT_EQ(path.elements().front().points[0], (Point{0, 0}));
    EXPECT_EQ(path.currentPoint(), (Point{0, 0}));
    EXPECT_EQ(path.bounds().maxY(), 40);
    EXPECT_GT(path.bounds().maxX(), 20);  // the curve's control point lies beyond its end
    Path twice = path;
    twice.appendPath(path);
    EXPECT_EQ(twice.elements().size(), 8u);
    EXPECT_EQ(path.elements().size(), 4u);  // copies are independent
}

}  // namespace
}  // namespace ov::ui
