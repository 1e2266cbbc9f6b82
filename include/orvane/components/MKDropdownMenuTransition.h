#pragma once
// Shows and hides the dropdown menu's table: the content controller's view goes into the
// presenting view over the space next to the bar; on the way in the backdrop fades to its
// dimming and the container fades in while sliding away from the bar; on the way out the
// reverse, then the view leaves.
//
// A new present or dismiss cuts in on one still running, from what is on screen; the
// completion of the one cut short is dropped. Owned by the menu. Main thread only.

#include <functional>
#include <memory>

#include "orvane/platform/ui/views/View.h"

namespace ov {

class MKDropdownMenu;
class MKDropdownMenuContentViewController;

class MKDropdownMenuTransition {
  public:
    static constexpr double kPresentDuration = 0.25;
    static constexpr double kDismissDuration = 0.2;
    // How far the container slides in from the bar.
    static constexpr double kSlideDistance = 12;

    // Both are the menu's and outlive the transition.
    MKDropdownMenuTransition(MKDropdownMenu& menu, MKDropdownMenuContentViewController& content);
    ~MKDropdownMenuTransition();
    MKDropdownMenuTransition(const MKDropdownMenuTransition&) = delete;
    MKDropdownMenuTransition& operator=(const MKDropdownMenuTransition&) = delete;

    // The completion runs when the table is in place (after the animation, on the main run
    // loop), unless another present or dismiss came first.
    void presentDropdownInView(ui::View& host, bool animated, std::function<void()> completion);
    // Tells the content controller it disappears at once, then hides the table.
    void dismissDropdownAnimated(bool animated, std::function<void()> completion);
    bool isAnimating() const { return m_animating; }
    bool isPresented() const { return m_presented; }
    // Takes the table away at once without telling anyone (the menu is going).
    void detach();

  private:
    void placeContent(ui::View& host);
    ui::AffineTransform slidAway() const;
    std::function<void(bool)> finishing(std::function<void()> then);

    MKDropdownMenu& m_menu;
    MKDropdownMenuContentViewController& m_content;
    // Counts presents and dismisses, so that a cut-short one's completion is dropped.
    unsigned long m_generation = 0;
    bool m_animating = false;
    bool m_presented = false;
    // Completions hold this, not the transition, so that they can tell it has gone.
    std::shared_ptr<MKDropdownMenuTransition*> m_self;
};

}  // namespace ov
