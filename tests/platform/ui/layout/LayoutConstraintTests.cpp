#include <gtest/gtest.h>

#include <cmath>

#include "LayoutTestItem.h"
#include "orvane/platform/ui/layout/LayoutConstraint.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::ui {
namespace {

using test::LayoutTestItem;
using Attribute = LayoutAttribute;
using Relation = LayoutRelation;

class LayoutConstraintTest : public testing::Test {
  protected:
    LayoutTestItem m_root{"root", {0, 0, 300, 100}};
    LayoutTestItem& m_a = m_root.add("a");
    LayoutTestItem& m_b = m_root.add("b");
    LayoutTestItem& m_inner = m_a.add("inner");
    SystemLogCapture m_log;
};

TEST_F(LayoutConstraintTest, RefusesInvalidPairingsWithALogLine) {
    struct Case {
        LayoutItem* first;
        Attribute firstAttribute;
        LayoutItem* second;
        Attribute secondAttribute;
        double multiplier, constant;
    };
    const double nan = std::nan("");
    const Case invalid[] = {
        {nullptr, Attribute::width, nullptr, Attribute::notAnAttribute, 1, 10},
        {&m_a, Attribute::notAnAttribute, &m_b, Attribute::width, 1, 0},
        {&m_a, Attribute::left, nullptr, Attribute::notAnAttribute, 1, 10},  // position = constant
        {&m_a, Attribute::left, &m_b, Attribute::left, 0, 10},
        {&m_a, Attribute::left, &m_b, Attribute::width, 1, 0},  // position with size
        {&m_a, Attribute::left, &m_b, Attribute::top, 1, 0},    // different axes
        {&m_a, Attribute::left, &m_b, Attribute::leading, 1, 0},
        {&m_a, Attribute::width, &m_b, Attribute::notAnAttribute, 1, 0},
        {&m_a, Attribute::width, nullptr, Attribute::width, 1, 0},
        {&m_a, Attribute::width, nullptr, Attribute::notAnAttribute, 1, nan},
    };
    for (const Case& c : invalid) {
        EXPECT_EQ(LayoutConstraint::constraintWithItem(c.first, c.firstAttribute, Relation::equal,
                                                       c.second, c.secondAttribute, c.multiplier,
                                                       c.constant),
                  nullptr);
    }
    ASSERT_EQ(m_log.entries().size(), std::size(invalid));
    EXPECT_EQ(m_log.entries()[2],
              "Invalid pairing of layout attributes: a position equal to a constant");

    // Sizes may cross axes (an aspect ratio), centres mix with either kind of edge.
    EXPECT_NE(LayoutConstraint::constraintWithItem(&m_a, Attribute::height, Relation::equal, &m_a,
                                                   Attribute::width, 0.5, 0),
              nullptr);
    EXPECT_NE(LayoutConstraint::constraintWithItem(&m_a, Attribute::centerX, Relation::equal, &m_b,
                                                   Attribute::leading, 1, 0),
              nullptr);
}

TEST_F(LayoutConstraintTest, ActivationInstallsOnTheNearestCommonAncestor) {
    auto across = LayoutConstraint::constraintWithItem(&m_inner, Attribute::left, Relation::equal,
                                                       &m_b, Attribute::right, 1, 0);
    auto own = LayoutConstraint::constraintWithItem(&m_inner, Attribute::width, Relation::equal,
                                                    nullptr, Attribute::notAnAttribute, 1, 5);
    auto withParent = LayoutConstraint::constraintWithItem(
        &m_inner, Attribute::top, Relation::equal, &m_a, Attribute::top, 1, 0);
    LayoutConstraint::activateConstraints({across, own, withParent});
    EXPECT_EQ(across->holder(), &m_root);
    EXPECT_EQ(own->holder(), &m_inner);
    EXPECT_EQ(withParent->holder(), &m_a);

    const int changes = m_root.constraintChanges();
    across->setActive(false);
    EXPECT_FALSE(across->isActive());
    EXPECT_TRUE(m_root.constraints().empty());
    EXPECT_EQ(m_root.constraintChanges(), changes + 1);

    // Installing somewhere else moves it.
    m_root.addConstraint(own);
    EXPECT_EQ(own->holder(), &m_root);
    EXPECT_TRUE(m_inner.constraints().empty());

    LayoutTestItem stranger("stranger");
    auto apart = LayoutConstraint::constraintWithItem(&stranger, Attribute::width, Relation::equal,
                                                      &m_a, Attribute::width, 1, 0);
    apart->setActive(true);
    EXPECT_FALSE(apart->isActive());
    EXPECT_EQ(m_log.entries(),
              std::vector<std::string>{"Unable to activate constraint with items stranger and a "
                                       "because they have no common ancestor."});
}

TEST_F(LayoutConstraintTest, ConstantAndPriorityChangesTellTheHolderOnlyWhenTheyChange) {
    auto width = LayoutConstraint::constraintWithItem(&m_a, Attribute::width, Relation::equal,
                                                      nullptr, Attribute::notAnAttribute, 1, 10);
    width->setActive(true);
    const int changes = m_a.constraintChanges();
    width->setConstant(10);
    width->setConstant(std::nan(""));
    width->setPriority(UILayoutPriorityRequired);
    EXPECT_EQ(m_a.constraintChanges(), changes);
    width->setConstant(12);
    width->setPriority(UILayoutPriorityDefaultHigh);
    EXPECT_EQ(m_a.constraintChanges(), changes + 2);
    EXPECT_EQ(width->constant(), 12);

    width->setPriority(5000);
    EXPECT_EQ(width->priority(), UILayoutPriorityRequired);
    width->setPriority(-3);
    EXPECT_EQ(width->priority(), 1);
}

TEST_F(LayoutConstraintTest, DestroyingAnItemLetsGoOfItsConstraints) {
    auto& doomed = m_root.add("doomed");
    auto held = LayoutConstraint::constraintWithItem(&doomed, Attribute::width, Relation::equal,
                                                     nullptr, Attribute::notAnAttribute, 1, 10);
    auto naming = LayoutConstraint::constraintWithItem(&m_a, Attribute::width, Relation::equal,
                                                       &doomed, Attribute::width, 1, 0);
    LayoutConstraint::activateConstraints({held, naming});
    m_root.removeChild(doomed);
    EXPECT_FALSE(held->isActive());
    EXPECT_EQ(naming->secondItem(), nullptr);
    EXPECT_EQ(naming->firstItem(), &m_a);
    naming->setActive(false);  // safe with a gone item
    naming->setActive(true);   // and refused: nothing to install it on
    EXPECT_FALSE(naming->isActive());
}

TEST_F(LayoutConstraintTest, DescribesItselfForTheLog) {
    auto constraint = LayoutConstraint::constraintWithItem(&m_a, Attribute::width, Relation::equal,
                                                           &m_b, Attribute::height, 2, -8);
    constraint->setIdentifier("ratio");
    constraint->setPriority(750);
    EXPECT_EQ(constraint->description().toUtf8(),
              "<LayoutConstraint 'ratio' a.width == b.height * 2 - 8 @750>");
    auto fixed =
        LayoutConstraint::constraintWithItem(&m_a, Attribute::height, Relation::lessThanOrEqual,
                                             nullptr, Attribute::notAnAttribute, 1, 44);
    EXPECT_EQ(fixed->description().toUtf8(), "<LayoutConstraint a.height <= 44>");
}

// One constraint as "first.attribute relation second.attribute + constant @priority".
std::string summary(const LayoutConstraint& c) {
    auto name = [](LayoutItem* item) { return item ? item->layoutDescription().toUtf8() : "-"; };
    const char* relation = c.relation() == Relation::equal             ? "=="
                           : c.relation() == Relation::lessThanOrEqual ? "<="
                                                                       : ">=";
    return name(c.firstItem()) + "." + std::to_string(static_cast<int>(c.firstAttribute())) + " " +
           relation + " " + name(c.secondItem()) + "." +
           std::to_string(static_cast<int>(c.secondAttribute())) + " + " +
           std::to_string(static_cast<int>(c.constant())) + " @" +
           std::to_string(static_cast<int>(c.priority()));
}

std::vector<std::string> summaries(const LayoutConstraint::List& constraints) {
    std::vector<std::string> result;
    for (const auto& constraint : constraints)
        result.push_back(summary(*constraint));
    return result;
}

TEST_F(LayoutConstraintTest, VisualFormatsReadAsTheConstraintsTheyStandFor) {
    // Attribute numbers: left 1, right 2, top 3, bottom 4, leading 5, trailing 6, width 7,
    // height 8; "-" is no item.
    const LayoutConstraint::Views views{{"a", &m_a}, {"b", &m_b}};
    const LayoutConstraint::Metrics metrics{{"margin", 20}, {"high", 750}};
    auto read = [&](std::string_view format) {
        return summaries(LayoutConstraint::constraintsWithVisualFormat(format, 0, metrics, views));
    };
    using Lines = std::vector<std::string>;
    EXPECT_EQ(read("|-(>=margin)-[a]-(>=margin)-|"),
              (Lines{"a.5 >= root.5 + 20 @1000", "root.6 >= a.6 + 20 @1000"}));
    EXPECT_EQ(read("V:|-[a]-[b]-|"), (Lines{"a.3 == root.3 + 20 @1000", "b.3 == a.4 + 8 @1000",
                                            "root.4 == b.4 + 20 @1000"}));
    EXPECT_EQ(read("H:[a][b(==a)]|"),
              (Lines{"b.5 == a.6 + 0 @1000", "b.7 == a.7 + 0 @1000", "root.6 == b.6 + 0 @1000"}));
    EXPECT_EQ(read("V:[a(>=44@high,<=100)]-12-[b]"),
              (Lines{"a.8 >= -.0 + 44 @750", "a.8 <= -.0 + 100 @1000", "b.3 == a.4 + 12 @1000"}));
    EXPECT_EQ(read("[a]-(-4@250)-[b]"), (Lines{"b.5 == a.6 + -4 @250"}));
    EXPECT_TRUE(m_log.entries().empty());

    EXPECT_EQ(summaries(LayoutConstraint::constraintsWithVisualFormat(
                  "[a]-[b]", NSLayoutFormatAlignAllTop | NSLayoutFormatAlignAllCenterY, {}, views)),
              (Lines{"b.5 == a.6 + 8 @1000", "b.3 == a.3 + 0 @1000", "b.10 == a.10 + 0 @1000"}));
}

TEST_F(LayoutConstraintTest, FormatsThatDoNotParseGiveNothingAndSayWhere) {
    const LayoutConstraint::Views views{{"a", &m_a}, {"b", &m_b}, {"inner", &m_inner}};
    const char* broken[] = {
        "H:|-[c]",        // unknown view
        "|-(>=gap)-[a]",  // unknown metric
        "[a]-[b",         // unclosed
        "[a]-10[b]",      // connection not closed by "-"
        "[a(==b]",        // unclosed predicate list
        "[a]x",           // trailing text
        "",
    };
    for (const char* format : broken)
        EXPECT_TRUE(LayoutConstraint::constraintsWithVisualFormat(format, 0, {}, views).empty())
            << format;
    ASSERT_EQ(m_log.entries().size(), std::size(broken));
    EXPECT_EQ(m_log.entries()[0],
              "Unable to parse constraint format: \nc is not a key in the views dictionary \n"
              "H:|-[c] \n     ^");

    LayoutTestItem orphan("orphan");
    EXPECT_TRUE(
        LayoutConstraint::constraintsWithVisualFormat("|[o]", 0, {}, {{"o", &orphan}}).empty());
    EXPECT_TRUE(LayoutConstraint::constraintsWithVisualFormat("[a][b]", NSLayoutFormatAlignAllLeft,
                                                              {}, views)
                    .empty());
    EXPECT_EQ(m_log.entries().size(), std::size(broken) + 2);
}

TEST_F(LayoutConstraintTest, AButtonRowFromFormatsSharesTheWidthEqually) {
    // How a row of utility buttons is built: each button as wide as the one before, the row
    // flush with both ends.
    m_root.setFrame({0, 0, 270, 60});
    LayoutTestItem& row = m_root.add("row");
    LayoutTestItem* buttons[] = {&row.add("b0", {50, 20}), &row.add("b1", {80, 20}),
                                 &row.add("b2", {30, 20})};
    auto apply = [&](std::string_view format, LayoutConstraint::Views views) {
        LayoutConstraint::activateConstraints(
            LayoutConstraint::constraintsWithVisualFormat(format, 0, {}, views));
    };
    apply("H:|[row]|", {{"row", &row}});
    apply("V:|[row]|", {{"row", &row}});
    apply("H:|[button]", {{"button", buttons[0]}});
    for (int i = 1; i < 3; ++i)
        apply("H:[precedingView][button(==precedingView)]",
              {{"precedingView", buttons[i - 1]}, {"button", buttons[i]}});
    apply("[precedingView]|", {{"precedingView", buttons[2]}});
    for (auto* button : buttons)
        apply("V:|[button]|", {{"button", button}});
    m_root.solveConstraintLayout();
    EXPECT_EQ(buttons[0]->frame(), Rect(0, 0, 90, 60));
    EXPECT_EQ(buttons[1]->frame(), Rect(90, 0, 90, 60));
    EXPECT_EQ(buttons[2]->frame(), Rect(180, 0, 90, 60));
    EXPECT_TRUE(m_log.entries().empty());
}

}  // namespace
}  // namespace ov::ui
