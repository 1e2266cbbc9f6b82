#pragma once
// Routes touch changes: a new touch is hit-tested to its view and handed to the recognisers
// of that view and its ancestors; every change goes to those recognisers first, then to the
// view's responder unless a recogniser has taken the touch away.

#include <memory>
#include <vector>

#include "orvane/platform/ui/input/Touch.h"

namespace ov::ui {

class GestureRecognizer;

class TouchDispatcher {
  public:
    static TouchDispatcher& shared();

    // `touch` has its phase and location set already.
    void dispatch(const std::shared_ptr<Touch>& touch);
    bool hasTouchesDown() const { return !m_touches.empty(); }
    // The views stop hearing `recognizer`'s touches: they get touchesCancelled now.
    void takeTouchesFromViews(GestureRecognizer& recognizer);

  private:
    void attachRecognizers(const std::shared_ptr<Touch>& touch);
    void deliverToRecognizers(const std::shared_ptr<Touch>& touch, const Event& event);
    void deliverToView(const std::shared_ptr<Touch>& touch, const Event& event);
    bool isTaken(const Touch& touch) const;
    Event currentEvent() const;

    TouchSet m_touches;
    std::vector<const Touch*> m_taken;
};

}  // namespace ov::ui
