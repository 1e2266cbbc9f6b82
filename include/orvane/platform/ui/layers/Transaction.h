#pragma once
// Groups layer changes (the platform's CATransaction): how long the implicit animations of
// stand-alone layers last, whether they run at all, and a block to call once every animation
// added inside the group has stopped.
//
//   ov::ui::Transaction::begin();
//   ov::ui::Transaction::setAnimationDuration(1.0);
//   ov::ui::Transaction::setCompletionBlock([] { ov::systemLog("faded"); });
//   layer->setOpacity(0);            // animates from 1 to 0 over a second
//   ov::ui::Transaction::commit();   // the block runs on the main run loop when it is done
//
//   ov::ui::Transaction::begin();
//   ov::ui::Transaction::setDisableActions(true);
//   layer->setPosition({10, 10});    // jumps
//   ov::ui::Transaction::commit();
//
// Outside begin/commit the settings apply to the implicit transaction of the current run-loop
// turn and are reset on the next turn. Transactions nest; an inner one starts with the outer
// one's settings. Main thread only.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/ui/layers/MediaTiming.h"

namespace ov::ui {

class CompletionGroup;

class Transaction {
  public:
    static void begin();
    // Does nothing without a matching begin.
    static void commit();

    // Seconds; 0.25 by default.
    static double animationDuration();
    static void setAnimationDuration(double seconds);
    // None means the platform's default curve.
    static std::optional<MediaTimingFunction> animationTimingFunction();
    static void setAnimationTimingFunction(std::optional<MediaTimingFunction> function);
    static bool disableActions();
    static void setDisableActions(bool disable);
    // Runs once the animations added from now until the commit have all stopped (at once,
    // on the next turn, when there are none). An explicit transaction only.
    static void setCompletionBlock(std::function<void()> block);

    // The completion groups of the open transactions that wait for animations; a layer ties
    // each animation it adds to them.
    static std::vector<std::shared_ptr<CompletionGroup>> openCompletionGroups();
};

}  // namespace ov::ui
