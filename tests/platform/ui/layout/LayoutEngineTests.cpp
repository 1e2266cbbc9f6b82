#include <gtest/gtest.h>

#include "LayoutTestItem.h"
#include "orvane/platform/ui/layout/LayoutConstraint.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::ui {
namespace {

using test::LayoutTestItem;
using Attribute = LayoutAttribute;
using Relation = LayoutRelation;

std::shared_ptr<LayoutConstraint> relate(LayoutItem& first, Attribute firstAttribute,
                                         Relation relation, LayoutItem& second,
                                         Attribute secondAttribute, double constant = 0,
                                         LayoutPriority priority = UILayoutPriorityRequired) {
    auto constraint = LayoutConstraint::constraintWithItem(&first, firstAttribute, relation,
                                                           &second, secondAttribute, 1, constant);
    constraint->setPriority(priority);
    constraint->setActive(true);
    return constraint;
}

std::shared_ptr<LayoutConstraint> fix(LayoutItem& item, Attribute attribute, double constant,
                                      Relation relation = Relation::equal) {
    auto constraint = LayoutConstraint::constraintWithItem(&item, attribute, relation, nullptr,
                                                           Attribute::notAnAttribute, 1, constant);
    constraint->setActive(true);
    return constraint;
}

void format(std::string_view text, LayoutConstraint::Views views,
            LayoutPriority priority = UILayoutPriorityRequired,
            LayoutConstraint::Metrics metrics = {}) {
    for (const auto& constraint :
         LayoutConstraint::constraintsWithVisualFormat(text, 0, metrics, views)) {
        constraint->setPriority(priority);
        constraint->setActive(true);
    }
}

// The heads-up display's panel: a column of spacer, title, details and spacer inside a bezel
// that is centred (998), kept a margin from the edges (999) and hugs its content.
class CentredStackTest : public testing::Test {
  protected:
    CentredStackTest() {
        bezel.setIntrinsicContentSize({0, 0});
        for (auto* label : {&title, &details}) {
            label->setContentCompressionResistancePriority(998, UILayoutConstraintAxisHorizontal);
            label->setContentCompressionResistancePriority(998, UILayoutConstraintAxisVertical);
        }
        m_centreX =
            relate(bezel, Attribute::centerX, Relation::equal, hud, Attribute::centerX, 0, 998);
        m_centreY =
            relate(bezel, Attribute::centerY, Relation::equal, hud, Attribute::centerY, 0, 998);
        const LayoutConstraint::Metrics margin{{"margin", 20}};
        format("|-(>=margin)-[bezel]-(>=margin)-|", {{"bezel", &bezel}}, 999, margin);
        format("V:|-(>=margin)-[bezel]-(>=margin)-|", {{"bezel", &bezel}}, 999, margin);
        fix(topSpacer, Attribute::height, 20, Relation::greaterThanOrEqual);
        relate(topSpacer, Attribute::height, Relation::equal, bottomSpacer, Attribute::height);
        LayoutTestItem* column[] = {&topSpacer, &title, &details, &bottomSpacer};
        for (auto* element : column) {
            relate(*element, Attribute::centerX, Relation::equal, bezel, Attribute::centerX);
            format("|-(>=margin)-[view]-(>=margin)-|", {{"view", element}}, 1000, margin);
        }
        relate(topSpacer, Attribute::top, Relation::equal, bezel, Attribute::top);
        relate(bottomSpacer, Attribute::bottom, Relation::equal, bezel, Attribute::bottom);
        relate(title, Attribute::top, Relation::equal, topSpacer, Attribute::bottom, 0);
        relate(details, Attribute::top, Relation::equal, title, Attribute::bottom, 4);
        relate(bottomSpacer, Attribute::top, Relation::equal, details, Attribute::bottom, 0);
    }

    void setOffset(Point offset) {
        m_centreX->setConstant(offset.x);
        m_centreY->setConstant(offset.y);
    }

    LayoutTestItem hud{"hud", {0, 0, 320, 480}};
    LayoutTestItem& bezel = hud.add("bezel");
    LayoutTestItem& topSpacer = bezel.add("topSpacer");
    LayoutTestItem& title = bezel.add("title", {100, 20});
    LayoutTestItem& details = bezel.add("details", {60, 15});
    LayoutTestItem& bottomSpacer = bezel.add("bottomSpacer");
    std::shared_ptr<LayoutConstraint> m_centreX, m_centreY;
    SystemLogCapture m_log;
};

TEST_F(CentredStackTest, HugsItsContentInTheMiddle) {
    hud.solveConstraintLayout();
    // 100 + 2 × 20 wide; 20 + 20 + 4 + 15 + 20 high.
    EXPECT_EQ(bezel.frame(), Rect(90, 200.5, 140, 79));
    EXPECT_EQ(title.frame(), Rect(20, 20, 100, 20));
    EXPECT_EQ(details.frame(), Rect(40, 44, 60, 15));
    EXPECT_EQ(bottomSpacer.frame().minY(), 59);
    EXPECT_TRUE(m_log.entries().empty());
}

TEST_F(CentredStackTest, AnOffsetBeyondTheEdgeStopsAtTheMargin) {
    setOffset({0, 1000000});
    hud.solveConstraintLayout();
    EXPECT_EQ(bezel.frame().maxY(), 460);
    EXPECT_EQ(bezel.frame().minX(), 90);

    setOffset({-1000000, 0});
    hud.solveConstraintLayout();
    EXPECT_EQ(bezel.frame(), Rect(20, 200.5, 140, 79));
}

TEST_F(CentredStackTest, ContentWiderThanTheScreenSqueezesItRatherThanTheMargins) {
    title.setIntrinsicContentSize({400, 20});
    hud.solveConstraintLayout();
    // The label resists at 998, the margins hold at 999 and 1000.
    EXPECT_EQ(bezel.frame().origin.x, 20);
    EXPECT_EQ(bezel.frame().size.width, 280);
    EXPECT_EQ(title.frame().size.width, 240);
}

TEST_F(CentredStackTest, FollowsRootSizeAndConstantChangesAndLeavesSettledFramesAlone) {
    hud.solveConstraintLayout();
    const int titleChanges = title.frameChanges();
    hud.solveConstraintLayout();
    EXPECT_EQ(title.frameChanges(), titleChanges);

    hud.setFrame({0, 0, 480, 320});
    hud.solveConstraintLayout();
    EXPECT_EQ(bezel.frame(), Rect(170, 120.5, 140, 79));
    EXPECT_EQ(title.frameChanges(), titleChanges);  // moved with the bezel, not within it
}

TEST(LayoutEngine, PinsEdgesAtEveryLevelInTheSuperitemsCoordinates) {
    LayoutTestItem root("root", {0, 0, 200, 100});
    auto& content = root.add("content");
    auto& inner = content.add("inner");
    format("H:|-10-[content]-10-|", {{"content", &content}});
    format("V:|-10-[content]-10-|", {{"content", &content}});
    format("H:|-5-[inner]-5-|", {{"inner", &inner}});
    format("V:|[inner(==20)]", {{"inner", &inner}});
    root.solveConstraintLayout();
    EXPECT_EQ(root.frame(), Rect(0, 0, 200, 100));
    EXPECT_EQ(content.frame(), Rect(10, 10, 180, 80));
    EXPECT_EQ(inner.frame(), Rect(5, 0, 170, 20));
}

TEST(LayoutEngine, ItemsWithTranslatedMasksKeepTheirFramesAndAnchorOthers) {
    LayoutTestItem root("root", {0, 0, 300, 300});
    auto& fixed = root.addFixed("fixed", {40, 50, 100, 30});
    auto& follower = root.add("follower", {60, 10});
    relate(follower, Attribute::top, Relation::equal, fixed, Attribute::bottom, 8);
    relate(follower, Attribute::leading, Relation::equal, fixed, Attribute::leading);
    root.solveConstraintLayout();
    EXPECT_EQ(fixed.frame(), Rect(40, 50, 100, 30));
    EXPECT_EQ(follower.frame(), Rect(40, 88, 60, 10));
    EXPECT_EQ(fixed.frameChanges(), 0);
}

TEST(LayoutEngine, HuggingAndCompressionDecideWhichItemGivesWay) {
    LayoutTestItem root("root", {0, 0, 200, 50});
    auto& a = root.add("a", {100, 20});
    auto& b = root.add("b", {150, 20});
    format("H:|[a][b]|", {{"a", &a}, {"b", &b}});

    // Too little room: the one with the lower compression resistance shrinks.
    b.setContentCompressionResistancePriority(751, UILayoutConstraintAxisHorizontal);
    root.solveConstraintLayout();
    EXPECT_EQ(a.frame().size.width, 50);
    EXPECT_EQ(b.frame(), Rect(50, 0, 150, 20));

    a.setContentCompressionResistancePriority(752, UILayoutConstraintAxisHorizontal);
    root.solveConstraintLayout();
    EXPECT_EQ(a.frame().size.width, 100);
    EXPECT_EQ(b.frame().size.width, 100);

    // Room to spare: the one with the lower hugging priority grows.
    root.setFrame({0, 0, 400, 50});
    a.setContentHuggingPriority(251, UILayoutConstraintAxisHorizontal);
    root.solveConstraintLayout();
    EXPECT_EQ(a.frame().size.width, 100);
    EXPECT_EQ(b.frame().size.width, 300);

    // A new intrinsic size is picked up on the next pass.
    a.setIntrinsicContentSize({180, 20});
    root.solveConstraintLayout();
    EXPECT_EQ(b.frame(), Rect(180, 0, 220, 20));
}

TEST(LayoutEngine, AnUnsatisfiableRequiredPairIsLoggedBrokenAndRestoredLater) {
    SystemLogCapture log;
    LayoutTestItem root("root", {0, 0, 300, 300});
    auto& box = root.add("box");
    auto first = fix(box, Attribute::width, 100);
    auto second = fix(box, Attribute::width, 120);
    second->setIdentifier("too wide");
    fix(box, Attribute::height, 10);
    root.solveConstraintLayout();
    EXPECT_EQ(box.frame().size, (Size{100, 10}));
    EXPECT_EQ(log.entries(), std::vector<std::string>{
                                 "Unable to simultaneously satisfy constraints.\n\tWill attempt "
                                 "to recover by breaking constraint \n<LayoutConstraint 'too wide' "
                                 "box.width == 120>"});

    // Said once, not on every pass; the broken one returns once the conflict is gone.
    root.solveConstraintLayout();
    EXPECT_EQ(log.entries().size(), 1u);
    first->setActive(false);
    root.solveConstraintLayout();
    EXPECT_EQ(box.frame().size, (Size{120, 10}));
}

TEST(LayoutEngine, RemovingAConstraintReleasesWhatItHeld) {
    LayoutTestItem root("root", {0, 0, 300, 300});
    auto& box = root.add("box", {50, 50});
    auto stretch = relate(box, Attribute::width, Relation::equal, root, Attribute::width, -100);
    root.solveConstraintLayout();
    EXPECT_EQ(box.frame().size.width, 200);
    stretch->setActive(false);
    root.solveConstraintLayout();
    EXPECT_EQ(box.frame().size.width, 50);
}

TEST(LayoutEngine, ConstraintsNamingAGoneItemStopCounting) {
    LayoutTestItem root("root", {0, 0, 300, 300});
    auto& box = root.add("box", {50, 50});
    auto& doomed = root.add("doomed");
    relate(box, Attribute::width, Relation::equal, doomed, Attribute::width);
    fix(doomed, Attribute::width, 200);
    root.solveConstraintLayout();
    EXPECT_EQ(box.frame().size.width, 200);
    root.removeChild(doomed);
    root.solveConstraintLayout();
    EXPECT_EQ(box.frame().size.width, 50);
}

TEST(LayoutEngine, ATreeWithoutConstraintsIsLeftAlone) {
    LayoutTestItem root("root", {0, 0, 300, 300});
    auto& loose = root.add("loose", {50, 50});
    loose.setFrame({1, 2, 3, 4});
    root.solveConstraintLayout();
    EXPECT_EQ(loose.frame(), Rect(1, 2, 3, 4));
}

TEST(LayoutEngine, FittingSizeIsTheSmallestOrLargestTheContentAllows) {
    LayoutTestItem cell("cell", {0, 0, 320, 44});
    auto& label = cell.add("label", {120, 21});
    auto& note = cell.add("note");
    format("H:|-(16)-[label]-(>=16)-|", {{"label", &label}});
    format("V:|-(11)-[label]-(12)-|", {{"label", &label}});
    format("H:|-[note(>=180)]-(>=20)-|", {{"note", &note}});

    EXPECT_EQ(cell.systemLayoutSizeFittingSize(UILayoutFittingCompressedSize), (Size{220, 44}));
    // Nothing holds the trailing edges back.
    EXPECT_EQ(cell.systemLayoutSizeFittingSize(UILayoutFittingExpandedSize), (Size{10000, 44}));
    EXPECT_EQ(cell.systemLayoutSizeFittingSize({375, 0}, UILayoutPriorityRequired,
                                               UILayoutPriorityFittingSizeLevel),
              (Size{375, 44}));
    // The cell's own frame and its items stay as they were.
    EXPECT_EQ(cell.frame(), Rect(0, 0, 320, 44));
    EXPECT_EQ(label.frameChanges(), 0);
}

}  // namespace
}  // namespace ov::ui
