#include "platform/ui/layers/CompletionGroup.h"

#include <utility>

#include "orvane/platform/threads/RunLoop.h"

namespace ov::ui {

void CompletionGroup::release(bool finished) {
    m_allFinished = m_allFinished && finished;
    --m_pending;
    completeIfDone();
}

void CompletionGroup::seal() {
    m_sealed = true;
    completeIfDone();
}

void CompletionGroup::completeIfDone() {
    if (!m_sealed || m_pending > 0 || !m_completion) return;
    // Always on a later turn, so a completion never runs inside the code that set it up.
    RunLoop::main().perform([completion = std::exchange(m_completion, {}),
                             finished = m_allFinished] { completion(finished); });
}

}  // namespace ov::ui
