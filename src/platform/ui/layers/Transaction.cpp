#include "orvane/platform/ui/layers/Transaction.h"

#include <vector>

#include "orvane/platform/threads/RunLoop.h"
#include "platform/ui/layers/CompletionGroup.h"

namespace ov::ui {

namespace {

struct Frame {
    double duration = MediaTiming::kDefaultDuration;
    std::optional<MediaTimingFunction> timingFunction;
    bool disableActions = false;
    std::shared_ptr<CompletionGroup> group;
};

struct Stack {
    Frame implicit;
    bool resetScheduled = false;
    std::vector<Frame> explicitFrames;
};

Stack& stack() {
    thread_local Stack instance;
    return instance;
}

Frame& top() {
    auto& s = stack();
    if (!s.explicitFrames.empty()) return s.explicitFrames.back();
    // The implicit transaction ends with the current run-loop turn.
    if (!s.resetScheduled) {
        s.resetScheduled = true;
        RunLoop::current().perform([] {
            stack().implicit = Frame{};
            stack().resetScheduled = false;
        });
    }
    return s.implicit;
}

const Frame& current() {
    const auto& s = stack();
    return s.explicitFrames.empty() ? s.implicit : s.explicitFrames.back();
}

}  // namespace

void Transaction::begin() {
    Frame frame = current();
    frame.group.reset();
    stack().explicitFrames.push_back(std::move(frame));
}

void Transaction::commit() {
    auto& frames = stack().explicitFrames;
    if (frames.empty()) return;
    auto group = std::move(frames.back().group);
    frames.pop_back();
    if (group) group->seal();
}

double Transaction::animationDuration() {
    return current().duration;
}
void Transaction::setAnimationDuration(double seconds) {
    top().duration = seconds;
}

std::optional<MediaTimingFunction> Transaction::animationTimingFunction() {
    return current().timingFunction;
}
void Transaction::setAnimationTimingFunction(std::optional<MediaTimingFunction> function) {
    top().timingFunction = function;
}

bool Transaction::disableActions() {
    return current().disableActions;
}
void Transaction::setDisableActions(bool disable) {
    top().disableActions = disable;
}

void Transaction::setCompletionBlock(std::function<void()> block) {
    auto& frames = stack().explicitFrames;
    if (frames.empty() || !block) return;
    frames.back().group =
        std::make_shared<CompletionGroup>([block = std::move(block)](bool) { block(); });
}

std::vector<std::shared_ptr<CompletionGroup>> Transaction::openCompletionGroups() {
    std::vector<std::shared_ptr<CompletionGroup>> groups;
    for (const auto& frame : stack().explicitFrames) {
        if (frame.group) groups.push_back(frame.group);
    }
    return groups;
}

}  // namespace ov::ui
