#include <gtest/gtest.h>

#include "ControlTestSupport.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/ui/views/SegmentedControl.h"

namespace ov::ui {
namespace {

class SegmentedControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        m_control->setFrame({0, 0, 300, 29});
        m_control->addAction(
            [this](Control&) { m_changes.push_back(m_control->selectedSegmentIndex()); },
            UIControlEventValueChanged);
        m_control->layoutIfNeeded();
    }
    void TearDown() override { RunLoop::main().runPending(); }

    void tapSegment(long index) {
        const Point point{100.0 * static_cast<double>(index) + 50, 15};
        m_control->touchDown(point);
        m_control->touchUp(point);
    }

    std::shared_ptr<SegmentedControl> m_control = std::make_shared<SegmentedControl>(
        std::vector<SegmentedControl::Item>{String("One"), String("Two"), String("Three")});
    std::vector<long> m_changes;
};

TEST_F(SegmentedControlTest, TapsSelectAndSendValueChangedOnlyOnAChange) {
    EXPECT_EQ(m_control->selectedSegmentIndex(), UISegmentedControlNoSegment);
    tapSegment(1);
    tapSegment(1);
    tapSegment(2);
    EXPECT_EQ(m_changes, (std::vector<long>{1, 2}));
    m_control->setSelectedSegmentIndex(0);  // from code: no event
    m_control->setSelectedSegmentIndex(7);  // out of range: ignored
    EXPECT_EQ(m_control->selectedSegmentIndex(), 0);
    EXPECT_EQ(m_changes.size(), 2u);
}

TEST_F(SegmentedControlTest, DisabledSegmentsAndMomentaryControls) {
    m_control->setEnabled(false, 1);
    tapSegment(1);
    EXPECT_TRUE(m_changes.empty());
    m_control->setMomentary(true);
    tapSegment(2);
    EXPECT_EQ(m_changes, (std::vector<long>{2}));  // selected while the event runs
    EXPECT_EQ(m_control->selectedSegmentIndex(), UISegmentedControlNoSegment);
}

TEST_F(SegmentedControlTest, TheSelectionFollowsItsSegmentThroughInsertsAndRemovals) {
    m_control->setSelectedSegmentIndex(1);
    m_control->insertSegmentWithTitle("Zero", 0, false);
    EXPECT_EQ(m_control->selectedSegmentIndex(), 2);
    EXPECT_EQ(m_control->titleForSegmentAtIndex(2), String("Two"));
    m_control->removeSegmentAtIndex(0, false);
    EXPECT_EQ(m_control->selectedSegmentIndex(), 1);
    m_control->removeSegmentAtIndex(1, false);
    EXPECT_EQ(m_control->selectedSegmentIndex(), UISegmentedControlNoSegment);
    m_control->removeAllSegments();
    EXPECT_EQ(m_control->numberOfSegments(), 0u);
    EXPECT_TRUE(m_control->subviews().empty());
}

TEST_F(SegmentedControlTest, WidthsShareWhatFixedSegmentsLeave) {
    m_control->setWidth(60, 0);
    m_control->layoutIfNeeded();
    EXPECT_EQ(m_control->subviews()[0]->frame().width(), 60);
    EXPECT_EQ(m_control->subviews()[1]->frame().width(), 120);
    EXPECT_EQ(m_control->segmentIndexAtPoint({70, 10}), 1);
    // Each segment holds a label, so fonts can be changed through the view tree.
    auto* label = dynamic_cast<Label*>(m_control->subviews()[2]->subviews().back().get());
    ASSERT_NE(label, nullptr);
    EXPECT_EQ(label->text(), String("Three"));
}

TEST_F(SegmentedControlTest, TheSelectedSegmentIsFilledWithTheTint) {
    m_control->setTintColor(Color::redColor());
    m_control->setSelectedSegmentIndex(2);
    const auto image = renderToImage(*m_control, 1);
    const auto filled = test::pixelAt(*image, {205, 3});
    EXPECT_GT(filled[0], 200);
    EXPECT_GT(filled[3], 200);
    EXPECT_LT(test::pixelAt(*image, {105, 3})[3], 50);  // unselected: clear inside
}

}  // namespace
}  // namespace ov::ui
