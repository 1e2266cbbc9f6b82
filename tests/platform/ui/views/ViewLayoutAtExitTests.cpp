#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <memory>

#include "orvane/platform/threads/DispatchQueue.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/ui/views/Window.h"

namespace ov::ui {
namespace {

// Runs in a freshly started copy of the test program, so the order in which the statics below
// come into being is this one: a window that outlives the global queue, the queue, then the
// layout bookkeeping. At exit the queue's teardown turns the main loop for a worker still
// waiting on it, which runs the window's pass after the later statics are gone.
[[noreturn]] void exitWithLayoutPending() {
    static const auto window = std::make_shared<Window>(Rect{0, 0, 200, 100});
    std::atomic<bool> waiting{false};
    DispatchQueue::global().async([&waiting] {
        waiting = true;
        waiting.notify_one();
        DispatchQueue::main().sync([] {});
    });
    waiting.wait(false);
    auto label = std::make_shared<Label>(Rect{0, 0, 50, 20});
    window->addSubview(label);
    label->setText(String("pending"));
    window->setNeedsLayout();
    std::exit(0);
}

TEST(ViewLayoutAtExitTest, APassStillQueuedAtExitEndsCleanly) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_EXIT(exitWithLayoutPending(), ::testing::ExitedWithCode(0), "");
}

}  // namespace
}  // namespace ov::ui
