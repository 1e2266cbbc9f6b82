#pragma once
// Waits for a set of animations to stop, then calls one completion on the main run loop with
// whether all of them finished. Used by transactions and view animation blocks.

#include <functional>
#include <memory>

namespace ov::ui {

class CompletionGroup : public std::enable_shared_from_this<CompletionGroup> {
  public:
    using Completion = std::function<void(bool finished)>;

    explicit CompletionGroup(Completion completion) : m_completion(std::move(completion)) {}

    // One more animation to wait for.
    void retain() { ++m_pending; }
    void release(bool finished);
    // No more animations will join; the completion may run once the pending ones stop.
    void seal();

  private:
    void completeIfDone();

    Completion m_completion;
    int m_pending = 0;
    bool m_sealed = false;
    bool m_allFinished = true;
};

}  // namespace ov::ui
