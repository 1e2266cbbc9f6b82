#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "orvane/platform/ui/geometry/Geometry.h"

namespace ov::ui {
namespace {

constexpr double kPi = std::numbers::pi;

void expectNear(Point actual, Point expected) {
    EXPECT_NEAR(actual.x, expected.x, 1e-9);
    EXPECT_NEAR(actual.y, expected.y, 1e-9);
}

TEST(RectTest, NegativeSizesAreStandardisedByEveryOperation) {
    const Rect flipped{10, 20, -4, -6};
    EXPECT_EQ(flipped.minX(), 6);
    EXPECT_EQ(flipped.maxX(), 10);
    EXPECT_EQ(flipped.minY(), 14);
    EXPECT_EQ(flipped.width(), 4);
    EXPECT_EQ(flipped.standardized(), (Rect{6, 14, 4, 6}));
    EXPECT_EQ(flipped.offsetBy(1, 1), (Rect{7, 15, 4, 6}));
    EXPECT_EQ(flipped.insetBy(1, 1), (Rect{7, 15, 2, 4}));
    EXPECT_TRUE(flipped.contains(Point{6, 14}));
    EXPECT_FALSE(flipped.contains(Point{10, 14}));  // far edge is outside
    EXPECT_TRUE(flipped.equalTo(Rect{6, 14, 4, 6}));
    EXPECT_FALSE(flipped == (Rect{6, 14, 4, 6}));
}

TEST(RectTest, NullAndEmptyRectangles) {
    const Rect a{0, 0, 10, 10};
    EXPECT_TRUE(Rect::null().isNull());
    EXPECT_TRUE(Rect::null().isEmpty());
    EXPECT_TRUE((Rect{5, 5, 0, 3}).isEmpty());
    EXPECT_FALSE((Rect{5, 5, 0, 3}).isNull());
    EXPECT_TRUE(a.insetBy(6, 0).isNull());  // shrinking past zero gives no rectangle
    EXPECT_EQ(a.unionWith(Rect::null()), a);
    EXPECT_EQ(Rect::null().unionWith(Rect{1, 1, -1, -1}), (Rect{0, 0, 1, 1}));
    EXPECT_TRUE(a.intersection(Rect{20, 20, 5, 5}).isNull());
    EXPECT_FALSE(Rect::null().contains(Point{0, 0}));
    EXPECT_FALSE(a.contains(Rect::null()));
    EXPECT_TRUE(Rect::null().offsetBy(1, 1).isNull());
    EXPECT_TRUE(Rect::null().equalTo(Rect::null()));
}

TEST(RectTest, UnionIntersectionAndContainment) {
    const Rect a{0, 0, 10, 10};
    const Rect b{5, -5, 10, 10};
    EXPECT_EQ(a.unionWith(b), (Rect{0, -5, 15, 15}));
    EXPECT_EQ(a.intersection(b), (Rect{5, 0, 5, 5}));
    EXPECT_TRUE(a.intersects(b));
    // Touching rectangles share an edge: a zero-width intersection, not null.
    EXPECT_EQ(a.intersection(Rect{10, 0, 5, 5}), (Rect{10, 0, 0, 5}));
    EXPECT_TRUE(a.contains(Rect{0, 0, 10, 10}));
    EXPECT_FALSE(a.contains(b));
    EXPECT_EQ(a.inset(EdgeInsets{1, 2, 3, 4}), (Rect{2, 1, 4, 6}));
    EXPECT_EQ(a.inset(EdgeInsets{8, 0, 8, 0}).size.height, -6);  // no check, as the platform
}

TEST(RectTest, IntegralCoversTheRectangle) {
    EXPECT_EQ((Rect{0.5, 1.2, 2.4, 2.0}).integral(), (Rect{0, 1, 3, 3}));
    EXPECT_EQ((Rect{-0.5, -0.5, 1, 1}).integral(), (Rect{-1, -1, 2, 2}));
    EXPECT_EQ((Rect{3.5, 0, -1, 1}).integral(), (Rect{2, 0, 2, 1}));
    EXPECT_TRUE(Rect::null().integral().isNull());
}

TEST(AffineTransformTest, ConcatAppliesTheReceiverFirst) {
    const auto move = AffineTransform::makeTranslation(10, 0);
    const auto turn = AffineTransform::makeRotation(kPi / 2);
    expectNear(move.concat(turn).apply(Point{1, 0}), {0, 11});  // moved, then turned
    expectNear(turn.concat(move).apply(Point{1, 0}), {10, 1});  // turned, then moved
    // Builders put their step first.
    expectNear(move.rotate(kPi / 2).apply(Point{1, 0}), {10, 1});
    expectNear(AffineTransform::identity().scale(2, 3).translate(1, 1).apply(Point{0, 0}), {2, 3});
}

TEST(AffineTransformTest, InversionUndoesAndSingularStaysUnchanged) {
    const auto t = AffineTransform::makeScale(2, 4).rotate(0.3).translate(5, -7);
    const Point p{3, 9};
    expectNear(t.inverted().apply(t.apply(p)), p);
    const auto both = t.concat(t.inverted());
    EXPECT_NEAR(both.a, 1, 1e-12);
    EXPECT_NEAR(both.c, 0, 1e-12);
    EXPECT_NEAR(both.tx, 0, 1e-12);
    const auto flat = AffineTransform::makeScale(0, 1);
    EXPECT_FALSE(flat.isInvertible());
    EXPECT_EQ(flat.inverted(), flat);
}

TEST(AffineTransformTest, SizesIgnoreTranslationAndRectsTakeTheBoundingBox) {
    const auto t = AffineTransform::makeTranslation(100, 100).scale(2, -1);
    EXPECT_EQ(t.apply(Size{3, 4}), (Size{6, -4}));
    EXPECT_EQ(t.apply(Rect{0, 0, 3, 4}), (Rect{100, 96, 6, 4}));
    const Rect turned = AffineTransform::makeRotation(kPi / 4).apply(Rect{0, 0, 2, 2});
    EXPECT_NEAR(turned.width(), 2 * std::sqrt(2.0), 1e-9);
    EXPECT_TRUE(t.apply(Rect::null()).isNull());
}

TEST(Transform3DTest, RotationAboutZMatchesTheAffineRotation) {
    const auto rotation = Transform3D::makeRotation(0.7, 0, 0, 5);
    EXPECT_TRUE(rotation.isAffine());
    const auto affine = rotation.affineTransform();
    const auto expected = AffineTransform::makeRotation(0.7);
    EXPECT_NEAR(affine.a, expected.a, 1e-12);
    EXPECT_NEAR(affine.b, expected.b, 1e-12);
    EXPECT_NEAR(affine.c, expected.c, 1e-12);
    EXPECT_TRUE(Transform3D::makeRotation(1, 0, 0, 0).isIdentity());
    EXPECT_FALSE(Transform3D::makeRotation(0.5, 0, 1, 0).isAffine());
}

TEST(Transform3DTest, AffineRoundTripAndConcatOrder) {
    const auto affine = AffineTransform::makeTranslation(3, 4).scale(2, 2);
    const auto lifted = Transform3D::makeAffine(affine);
    EXPECT_TRUE(lifted.isAffine());
    EXPECT_EQ(lifted.affineTransform(), affine);
    const auto move = Transform3D::makeTranslation(10, 0, 0);
    const auto turn = Transform3D::makeRotation(kPi / 2, 0, 0, 1);
    expectNear(move.concat(turn).apply(Point{1, 0}), {0, 11});
    expectNear(move.rotate(kPi / 2, 0, 0, 1).apply(Point{1, 0}), {10, 1});
}

TEST(Transform3DTest, PerspectiveShrinksWhatIsFartherAway) {
    Transform3D perspective;
    perspective.m34 = -1.0 / 500;
    EXPECT_FALSE(perspective.isAffine());
    const auto far = perspective.apply(100, 0, -100);
    const auto near = perspective.apply(100, 0, 100);
    EXPECT_LT(far[0], 100);
    EXPECT_GT(near[0], 100);
    // A positive turn about y takes +x into -z, away from the eye: that side comes out
    // shorter than the other.
    const auto turn = Transform3D::makeRotation(0.5, 0, 1, 0);
    EXPECT_LT(turn.apply(50, 0, 0)[2], 0);
    const auto tilted = turn.concat(perspective);
    EXPECT_LT(std::abs(tilted.apply(Point{50, 0}).x), std::abs(tilted.apply(Point{-50, 0}).x));
}

TEST(Transform3DTest, InversionUndoesAndSingularStaysUnchanged) {
    Transform3D t = Transform3D::makeRotation(0.4, 1, 2, 3).translate(4, 5, 6).scale(2, 3, 4);
    t.m34 = -0.002;
    const auto back =
        t.inverted().apply(t.apply(7, -3, 2)[0], t.apply(7, -3, 2)[1], t.apply(7, -3, 2)[2]);
    EXPECT_NEAR(back[0], 7, 1e-9);
    EXPECT_NEAR(back[1], -3, 1e-9);
    EXPECT_NEAR(back[2], 2, 1e-9);
    const auto flat = Transform3D::makeScale(1, 1, 0);
    EXPECT_FALSE(flat.isInvertible());
    EXPECT_EQ(flat.inverted(), flat);
}

}  // namespace
}  // namespace ov::ui
