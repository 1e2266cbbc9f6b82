#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "orvane/platform/ui/views/Control.h"

namespace ov::ui {
namespace {

class ControlTest : public ::testing::Test {
  protected:
    // Records the name of every event that reaches a handler.
    void record(const std::string& name, UIControlEvents events) {
        m_control->addAction([this, name](Control&) { m_fired.push_back(name); }, events);
    }

    std::shared_ptr<Control> m_control = std::make_shared<Control>(Rect{0, 0, 100, 40});
    std::vector<std::string> m_fired;
};

TEST_F(ControlTest, ATapInsideFiresTouchDownThenTouchUpInsideAndHighlightsMeanwhile) {
    record("down", UIControlEventTouchDown);
    record("upInside", UIControlEventTouchUpInside);
    record("upOutside", UIControlEventTouchUpOutside);
    m_control->touchDown({10, 10});
    EXPECT_TRUE(m_control->isHighlighted());
    EXPECT_EQ(m_control->state(), UIControlStateHighlighted);
    m_control->touchUp({12, 12});
    EXPECT_FALSE(m_control->isHighlighted());
    EXPECT_EQ(m_fired, (std::vector<std::string>{"down", "upInside"}));
}

TEST_F(ControlTest, DraggingFarOutsideExitsAndReleasingThereIsTouchUpOutside) {
    record("exit", UIControlEventTouchDragExit);
    record("enter", UIControlEventTouchDragEnter);
    record("outside", UIControlEventTouchDragOutside);
    record("upInside", UIControlEventTouchUpInside);
    record("upOutside", UIControlEventTouchUpOutside);
    m_control->touchDown({50, 20});
    m_control->touchMoved({150, 20});  // within the slop: still inside
    EXPECT_TRUE(m_control->isTouchInside());
    m_control->touchMoved({300, 20});
    EXPECT_FALSE(m_control->isHighlighted());
    m_control->touchUp({300, 20});
    EXPECT_EQ(m_fired, (std::vector<std::string>{"exit", "outside", "upOutside"}));
}

TEST_F(ControlTest, CancelAndDisabledControls) {
    record("cancel", UIControlEventTouchCancel);
    record("down", UIControlEventTouchDown);
    m_control->touchDown({5, 5});
    m_control->touchCancelled();
    EXPECT_FALSE(m_control->isHighlighted());
    m_control->setEnabled(false);
    EXPECT_EQ(m_control->state(), UIControlStateDisabled);
    m_control->simulateTap();
    EXPECT_EQ(m_fired, (std::vector<std::string>{"down", "cancel"}));
}

TEST_F(ControlTest, DisablingMidTouchDropsTheTouch) {
    record("up", UIControlEventTouchUpInside | UIControlEventTouchUpOutside);
    m_control->touchDown({5, 5});
    m_control->setEnabled(false);
    m_control->setEnabled(true);
    m_control->touchUp({5, 5});
    EXPECT_TRUE(m_fired.empty());
    EXPECT_FALSE(m_control->isHighlighted());
}

TEST_F(ControlTest, TargetsAreWeakAndRemovableByTargetActionAndEvent) {
    auto screen = std::make_shared<int>(0);
    auto other = std::make_shared<int>(0);
    int saves = 0, shares = 0, others = 0;
    m_control->addTarget(
        screen, "save:", [&](Control&) { ++saves; }, UIControlEventTouchUpInside);
    m_control->addTarget(
        screen, "share:", [&](Control&) { ++shares; },
        UIControlEventTouchUpInside | UIControlEventValueChanged);
    m_control->addTarget(
        other, "save:", [&](Control&) { ++others; }, UIControlEventTouchUpInside);
    EXPECT_EQ(m_control->allTargets().size(), 2u);
    EXPECT_EQ(m_control->actionsForTarget(screen.get(), UIControlEventTouchUpInside),
              (std::vector<std::string>{"save:", "share:"}));

    m_control->removeTarget(screen.get(), std::string("share:"), UIControlEventTouchUpInside);
    m_control->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ((std::vector<int>{saves, shares, others}), (std::vector<int>{1, 0, 1}));
    m_control->sendActionsForControlEvents(UIControlEventValueChanged);
    EXPECT_EQ(shares, 1);  // still there for the other event

    other.reset();  // a target that has gone is skipped and forgotten
    m_control->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(others, 1);
    EXPECT_EQ(m_control->allTargets().size(), 1u);

    // No target and no action: everything for those events goes.
    m_control->removeTarget(nullptr, std::nullopt, UIControlEventAllEvents);
    EXPECT_EQ(m_control->allControlEvents(), 0u);
}

TEST_F(ControlTest, AddingTheSameTargetAndActionTwiceKeepsOneEntry) {
    auto target = std::make_shared<int>(0);
    int calls = 0;
    m_control->addTarget(
        target, "tap:", [&](Control&) { ++calls; }, UIControlEventTouchUpInside);
    m_control->addTarget(
        target, "tap:", [&](Control&) { ++calls; }, UIControlEventTouchUpInside);
    m_control->sendActionsForControlEvents(UIControlEventTouchUpInside);
    EXPECT_EQ(calls, 1);
}

TEST_F(ControlTest, HandlersMayRemoveActionsAndReleaseTheControlWhileBeingCalled) {
    int later = 0;
    m_control->addAction(
        [this](Control& sender) {
            sender.removeTarget(nullptr, std::nullopt, UIControlEventAllEvents);
            m_control.reset();  // the last owner lets go mid-dispatch
        },
        UIControlEventValueChanged);
    m_control->addAction([&](Control&) { ++later; }, UIControlEventValueChanged);
    auto* control = m_control.get();
    control->sendActionsForControlEvents(UIControlEventValueChanged);
    EXPECT_EQ(later, 1);  // the dispatch that had started finishes
    EXPECT_EQ(m_control, nullptr);
}

}  // namespace
}  // namespace ov::ui
