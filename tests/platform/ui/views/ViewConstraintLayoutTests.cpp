#include <gtest/gtest.h>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layout/LayoutConstraint.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/ui/views/Window.h"

namespace ov::ui {
namespace {

using Attribute = LayoutAttribute;

std::shared_ptr<LayoutConstraint> centre(View& view, Attribute attribute, View& in,
                                         double constant = 0) {
    auto constraint = LayoutConstraint::constraintWithItem(&view, attribute, LayoutRelation::equal,
                                                           &in, attribute, 1, constant);
    constraint->setActive(true);
    return constraint;
}

// A label centred in a box that sits in a window: the pass that follows a change of the
// label's text, a constraint's constant or the window's size places the views again.
class ViewConstraintLayoutTest : public testing::Test {
  protected:
    ViewConstraintLayoutTest() {
        window->addSubview(box);
        box->addSubview(label);
        label->setTranslatesAutoresizingMaskIntoConstraints(false);
        label->setText(String("Hello"));
        centre(*label, Attribute::centerX, *box);
        centreY = centre(*label, Attribute::centerY, *box);
        window->layoutIfNeeded();
    }

    Point labelCentre() const { return {label->frame().midX(), label->frame().midY()}; }

    std::shared_ptr<Window> window = std::make_shared<Window>(Rect{0, 0, 320, 480});
    std::shared_ptr<View> box = std::make_shared<View>(Rect{10, 20, 200, 100});
    std::shared_ptr<Label> label = std::make_shared<Label>();
    std::shared_ptr<LayoutConstraint> centreY;
};

TEST_F(ViewConstraintLayoutTest, PlacesViewsAtTheirNaturalSizeAndFollowsChanges) {
    const Size natural = label->intrinsicContentSize();
    ASSERT_GT(natural.width, 0);
    EXPECT_EQ(label->frame().size, natural);
    EXPECT_NEAR(labelCentre().x, 100, 0.5);
    EXPECT_NEAR(labelCentre().y, 50, 0.5);

    label->setText(String("A much longer greeting"));
    RunLoop::main().runPending();
    EXPECT_GT(label->frame().size.width, natural.width);
    EXPECT_NEAR(labelCentre().x, 100, 0.5);

    centreY->setConstant(-30);
    box->layoutIfNeeded();
    EXPECT_NEAR(labelCentre().y, 20, 0.5);

    box->setFrame({0, 0, 300, 100});
    RunLoop::main().runPending();
    EXPECT_NEAR(labelCentre().x, 150, 0.5);
}

}  // namespace
}  // namespace ov::ui
