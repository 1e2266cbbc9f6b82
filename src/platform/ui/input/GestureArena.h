#pragma once
// Arbitration between the recognisers of one touch sequence: who may leave the possible
// state, who must wait for another to fail, who fails because another began, and the reset
// once every finger is up.

#include <memory>
#include <vector>

#include "orvane/platform/ui/input/GestureRecognizer.h"

namespace ov::ui {

class GestureArena {
  public:
    static GestureArena& shared();

    void join(const std::shared_ptr<GestureRecognizer>& recognizer);
    // `recognizer` (possible) asks to begin or to be recognised.
    void requestRecognition(GestureRecognizer& recognizer, UIGestureRecognizerState target);
    // `recognizer` has just failed: those waiting for it may go on.
    void didFail(GestureRecognizer& recognizer);
    // When no finger is down: finished recognisers go back to possible and leave.
    void settle();

  private:
    struct Pending {
        std::weak_ptr<GestureRecognizer> recognizer;
        UIGestureRecognizerState target;
    };

    std::vector<std::shared_ptr<GestureRecognizer>> participants() const;
    bool isParticipant(const GestureRecognizer& recognizer) const;
    bool isPending(const GestureRecognizer& recognizer) const;
    void removePending(const GestureRecognizer& recognizer);
    void decide(GestureRecognizer& recognizer, UIGestureRecognizerState target);
    void failThoseExcludedBy(GestureRecognizer& winner);
    bool keepsWaiting(const GestureRecognizer& recognizer) const;

    std::vector<std::weak_ptr<GestureRecognizer>> m_participants;
    std::vector<Pending> m_pending;
    bool m_settling = false;
};

}  // namespace ov::ui
