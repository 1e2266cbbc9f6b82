#pragma once
// A bubble with an arrow that points at a rectangle of a container view: a hint, a tooltip or
// a short message. It shows a plain text, a styled text or a custom view above, below, left
// or right of the rectangle (or centred on it, without an arrow), keeps inside the container,
// comes and goes with an animation, can keep drawing attention with a repeating action
// animation, and goes away on a tap, a tap or swipe in the container, or after a set time.
//
//   auto tip = ov::AMPopTip::popTip();
//   tip->setShouldDismissOnTap(true);
//   tip->setActionAnimation(ov::AMPopTipActionAnimationBounce);
//   tip->setTapHandler([] { openHelp(); });
//   tip->showText("Tap here to begin", ov::AMPopTipDirectionUp, 200, screen,
//                 button->frame(), 5);   // hides itself after 5 seconds
//
// Geometry is in the container's coordinates. The container owns the bubble while it is
// shown; the bubble holds the container weakly. Animation completions, the dismiss timer and
// the recognisers' actions do nothing once the bubble is gone. Main thread only.

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>

#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/drawing/Path.h"
#include "orvane/platform/ui/input/SwipeGestureRecognizer.h"
#include "orvane/platform/ui/input/TapGestureRecognizer.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/text/ParagraphStyle.h"
#include "orvane/platform/ui/views/View.h"

namespace ov {

// Where the bubble stands; the arrow points back at the rectangle.
enum AMPopTipDirection : long {
    AMPopTipDirectionUp,
    AMPopTipDirectionDown,
    AMPopTipDirectionLeft,
    AMPopTipDirectionRight,
    AMPopTipDirectionNone,  // centred on the rectangle, no arrow
};

enum AMPopTipEntranceAnimation : long {
    AMPopTipEntranceAnimationScale,
    AMPopTipEntranceAnimationTransition,
    AMPopTipEntranceAnimationFadeIn,
    AMPopTipEntranceAnimationNone,
    AMPopTipEntranceAnimationCustom,
};

enum AMPopTipExitAnimation : long {
    AMPopTipExitAnimationScale,
    AMPopTipExitAnimationFadeOut,
    AMPopTipExitAnimationNone,
    AMPopTipExitAnimationCustom,
};

enum AMPopTipActionAnimation : long {
    AMPopTipActionAnimationBounce,
    AMPopTipActionAnimationFloat,
    AMPopTipActionAnimationPulse,
    AMPopTipActionAnimationNone,
};

class AMPopTip : public ui::View {
  public:
    using Handler = std::function<void()>;
    // Performs a custom entrance or exit and calls the completion when done.
    using AnimationHandler = std::function<void(Handler completion)>;

    static std::shared_ptr<AMPopTip> popTip();
    AMPopTip();
    explicit AMPopTip(const ui::Rect& frame);
    // Leaves the container's outside recognisers without this bubble as their target.
    ~AMPopTip() override;

    // Showing. A null container shows nothing. The forms with a duration hide the bubble after
    // that many seconds when it is above 0.
    void showText(const String& text, AMPopTipDirection direction, double maxWidth,
                  const std::shared_ptr<ui::View>& inView, const ui::Rect& fromFrame);
    void showText(const String& text, AMPopTipDirection direction, double maxWidth,
                  const std::shared_ptr<ui::View>& inView, const ui::Rect& fromFrame,
                  double duration);
    void showAttributedText(const ui::AttributedString& text, AMPopTipDirection direction,
                            double maxWidth, const std::shared_ptr<ui::View>& inView,
                            const ui::Rect& fromFrame);
    void showAttributedText(const ui::AttributedString& text, AMPopTipDirection direction,
                            double maxWidth, const std::shared_ptr<ui::View>& inView,
                            const ui::Rect& fromFrame, double duration);
    // The view keeps its size; the bubble's width limit becomes its width.
    void showCustomView(const std::shared_ptr<ui::View>& view, AMPopTipDirection direction,
                        const std::shared_ptr<ui::View>& inView, const ui::Rect& fromFrame);
    void showCustomView(const std::shared_ptr<ui::View>& view, AMPopTipDirection direction,
                        const std::shared_ptr<ui::View>& inView, const ui::Rect& fromFrame,
                        double duration);
    // Lays out and animates in (again, when already shown).
    void show();
    // Ignored while an entrance or exit runs.
    void hide();
    // Forced, it cuts into a running entrance or exit.
    void hideForced(bool forced);
    // The bubble keeps its size; the new text is drawn in it.
    void updateText(const String& text);
    void startActionAnimation();
    void stopActionAnimation();

    // Recogniser targets.
    void handleTap(ui::GestureRecognizer& recognizer);
    void tapRemoveGestureHandler();
    void swipeRemoveGestureHandler();

    // Measures the content and places the bubble and its arrow (run by show and
    // setFromFrame); does nothing without a container.
    void setup();

    // The bubble outline within `rect` (the bubble's bounds): the arrow's tip at
    // arrowPosition, the body a rounded rectangle of `radius`, inside half the border.
    ui::Path pathWithRect(const ui::Rect& rect, AMPopTipDirection direction) const;
    void drawRect(ui::GraphicsContext& context, const ui::Rect& rect) override;

    // The animations; each completion runs once the animation has finished.
    void performEntranceAnimation(Handler completion);
    void performExitAnimation(Handler completion);
    void performActionAnimation();
    void dismissActionAnimation();

    // State.
    bool isVisible() const { return m_isVisible; }
    bool isAnimating() const { return m_isAnimating; }
    // Whether a bounce goes on for another cycle.
    bool shouldBounce() const { return m_shouldBounce; }

    // Behaviour.
    bool isRounded() const { return m_rounded; }
    void setRounded(bool rounded) { m_rounded = rounded; }
    bool shouldDismissOnTap() const { return m_shouldDismissOnTap; }
    void setShouldDismissOnTap(bool dismiss) { m_shouldDismissOnTap = dismiss; }
    // These two also enable or disable their recognisers.
    bool shouldDismissOnTapOutside() const { return m_shouldDismissOnTapOutside; }
    void setShouldDismissOnTapOutside(bool dismiss);
    bool shouldDismissOnSwipeOutside() const { return m_shouldDismissOnSwipeOutside; }
    void setShouldDismissOnSwipeOutside(bool dismiss);
    ui::UISwipeGestureRecognizerDirection swipeRemoveGestureDirection() const {
        return m_swipeRemoveGestureDirection;
    }
    void setSwipeRemoveGestureDirection(ui::UISwipeGestureRecognizerDirection direction);

    // Look.
    const ui::Font& font() const { return m_font; }
    void setFont(const ui::Font& font) { m_font = font; }
    const ui::Color& textColor() const { return m_textColor; }
    void setTextColor(const ui::Color& color) { m_textColor = color; }
    ui::NSTextAlignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(ui::NSTextAlignment alignment) { m_textAlignment = alignment; }
    const ui::Color& popoverColor() const { return m_popoverColor; }
    void setPopoverColor(const ui::Color& color) { m_popoverColor = color; }
    const ui::Color& borderColor() const { return m_borderColor; }
    void setBorderColor(const ui::Color& color) { m_borderColor = color; }
    double borderWidth() const { return m_borderWidth; }
    void setBorderWidth(double width) { m_borderWidth = width; }
    double radius() const { return m_radius; }
    void setRadius(double radius) { m_radius = radius; }
    const ui::ParagraphStyle& paragraphStyle() const { return m_paragraphStyle; }
    void setParagraphStyle(const ui::ParagraphStyle& style) { m_paragraphStyle = style; }

    // Geometry, in points.
    double offset() const { return m_offset; }
    void setOffset(double offset) { m_offset = offset; }
    double padding() const { return m_padding; }
    void setPadding(double padding) { m_padding = padding; }
    double edgeMargin() const { return m_edgeMargin; }
    void setEdgeMargin(double margin) { m_edgeMargin = margin; }
    // The layout limits it and stores the limited value back.
    double bubbleOffset() const { return m_bubbleOffset; }
    void setBubbleOffset(double offset) { m_bubbleOffset = offset; }
    double maxWidth() const { return m_maxWidth; }
    void setMaxWidth(double width) { m_maxWidth = width; }
    ui::Size arrowSize() const { return m_arrowSize; }
    void setArrowSize(ui::Size size) { m_arrowSize = size; }
    // The arrow's tip in the bubble's own coordinates.
    ui::Point arrowPosition() const { return m_arrowPosition; }
    void setArrowPosition(ui::Point position) { m_arrowPosition = position; }
    ui::EdgeInsets edgeInsets() const { return m_edgeInsets; }
    void setEdgeInsets(ui::EdgeInsets insets) { m_edgeInsets = insets; }
    ui::Rect fromFrame() const { return m_fromFrame; }
    // Lays the bubble out again.
    void setFromFrame(const ui::Rect& frame);
    // Where the content goes inside the bubble.
    ui::Rect textBounds() const { return m_textBounds; }
    void setTextBounds(const ui::Rect& bounds) { m_textBounds = bounds; }

    // Animations: durations and delays in seconds.
    double animationIn() const { return m_animationIn; }
    void setAnimationIn(double seconds) { m_animationIn = seconds; }
    double animationOut() const { return m_animationOut; }
    void setAnimationOut(double seconds) { m_animationOut = seconds; }
    double delayIn() const { return m_delayIn; }
    void setDelayIn(double seconds) { m_delayIn = seconds; }
    double delayOut() const { return m_delayOut; }
    void setDelayOut(double seconds) { m_delayOut = seconds; }
    AMPopTipEntranceAnimation entranceAnimation() const { return m_entranceAnimation; }
    void setEntranceAnimation(AMPopTipEntranceAnimation animation) {
        m_entranceAnimation = animation;
    }
    AMPopTipExitAnimation exitAnimation() const { return m_exitAnimation; }
    void setExitAnimation(AMPopTipExitAnimation animation) { m_exitAnimation = animation; }
    AMPopTipActionAnimation actionAnimation() const { return m_actionAnimation; }
    void setActionAnimation(AMPopTipActionAnimation animation) { m_actionAnimation = animation; }
    double actionFloatOffset() const { return m_actionFloatOffset; }
    void setActionFloatOffset(double offset) { m_actionFloatOffset = offset; }
    double actionBounceOffset() const { return m_actionBounceOffset; }
    void setActionBounceOffset(double offset) { m_actionBounceOffset = offset; }
    // A scale factor.
    double actionPulseOffset() const { return m_actionPulseOffset; }
    void setActionPulseOffset(double scale) { m_actionPulseOffset = scale; }
    double actionAnimationIn() const { return m_actionAnimationIn; }
    void setActionAnimationIn(double seconds) { m_actionAnimationIn = seconds; }
    double actionAnimationOut() const { return m_actionAnimationOut; }
    void setActionAnimationOut(double seconds) { m_actionAnimationOut = seconds; }
    double actionDelayIn() const { return m_actionDelayIn; }
    void setActionDelayIn(double seconds) { m_actionDelayIn = seconds; }
    double actionDelayOut() const { return m_actionDelayOut; }
    void setActionDelayOut(double seconds) { m_actionDelayOut = seconds; }

    // Handlers.
    const Handler& tapHandler() const { return m_tapHandler; }
    void setTapHandler(Handler handler) { m_tapHandler = std::move(handler); }
    const Handler& appearHandler() const { return m_appearHandler; }
    void setAppearHandler(Handler handler) { m_appearHandler = std::move(handler); }
    const Handler& dismissHandler() const { return m_dismissHandler; }
    void setDismissHandler(Handler handler) { m_dismissHandler = std::move(handler); }
    const AnimationHandler& entranceAnimationHandler() const { return m_entranceAnimationHandler; }
    void setEntranceAnimationHandler(AnimationHandler handler) {
        m_entranceAnimationHandler = std::move(handler);
    }
    const AnimationHandler& exitAnimationHandler() const { return m_exitAnimationHandler; }
    void setExitAnimationHandler(AnimationHandler handler) {
        m_exitAnimationHandler = std::move(handler);
    }

    // Content.
    std::shared_ptr<ui::View> containerView() const { return m_containerView.lock(); }
    void setContainerView(const std::shared_ptr<ui::View>& view) { m_containerView = view; }
    AMPopTipDirection direction() const { return m_direction; }
    // Values outside the enumeration count as none.
    void setDirection(AMPopTipDirection direction);
    const std::optional<String>& text() const { return m_text; }
    void setText(std::optional<String> text) { m_text = std::move(text); }
    const std::optional<ui::AttributedString>& attributedText() const { return m_attributedText; }
    void setAttributedText(std::optional<ui::AttributedString> text) {
        m_attributedText = std::move(text);
    }
    const std::shared_ptr<ui::View>& customView() const { return m_customView; }
    void setCustomView(std::shared_ptr<ui::View> view) { m_customView = std::move(view); }

    // Recognisers and the timer.
    // The tap on the bubble: made by the first layout, the same one afterwards.
    const std::shared_ptr<ui::TapGestureRecognizer>& gestureRecognizer() const {
        return m_gestureRecognizer;
    }
    const std::shared_ptr<ui::TapGestureRecognizer>& tapRemoveGesture() const {
        return m_tapRemoveGesture;
    }
    const std::shared_ptr<ui::SwipeGestureRecognizer>& swipeRemoveGesture() const {
        return m_swipeRemoveGesture;
    }
    const std::shared_ptr<Timer>& dismissTimer() const { return m_dismissTimer; }

  private:
    void commonInit();
    // The steps shared by the three ways of showing a text or view.
    void showContent(AMPopTipDirection direction, const std::shared_ptr<ui::View>& inView,
                     const ui::Rect& fromFrame);
    void takeOutCustomView();
    void scheduleDismissal(double duration);
    // Whether a completion of `transition` still applies.
    bool isCurrent(uint64_t transition) const;
    void entranceDidFinish();
    void exitDidFinish();
    void attachOutsideRecognizers(bool attach);
    void bounce();

    // Each show and hide starts a new transition; completions of an older one are stale, so
    // a hide during a custom entrance (or a show during a custom exit) is not undone later.
    uint64_t m_transition = 0;

    bool m_rounded = false;
    bool m_isVisible = false;
    bool m_isAnimating = false;
    bool m_shouldDismissOnTap = false;
    bool m_shouldDismissOnTapOutside = true;
    bool m_shouldDismissOnSwipeOutside = false;
    bool m_shouldBounce = false;
    ui::Font m_font = ui::Font::systemFontOfSize(ui::Font::systemFontSize());
    ui::Color m_textColor = ui::Color::whiteColor();
    ui::NSTextAlignment m_textAlignment = ui::NSTextAlignmentCenter;
    ui::Color m_popoverColor = ui::Color::redColor();
    ui::Color m_borderColor = ui::Color::colorWithWhite(0.182, 1);
    double m_borderWidth = 0;
    double m_radius = 4;
    double m_offset = 0;
    double m_padding = 6;
    double m_animationIn = 0.4;
    double m_animationOut = 0.2;
    double m_delayIn = 0;
    double m_delayOut = 0;
    AMPopTipEntranceAnimation m_entranceAnimation = AMPopTipEntranceAnimationScale;
    AMPopTipExitAnimation m_exitAnimation = AMPopTipExitAnimationScale;
    AMPopTipActionAnimation m_actionAnimation = AMPopTipActionAnimationNone;
    double m_actionFloatOffset = 8;
    double m_actionBounceOffset = 8;
    double m_actionPulseOffset = 1.1;
    double m_actionAnimationIn = 1.2;
    double m_actionAnimationOut = 1.0;
    double m_actionDelayIn = 0;
    double m_actionDelayOut = 0;
    double m_edgeMargin = 0;
    double m_bubbleOffset = 0;
    ui::UISwipeGestureRecognizerDirection m_swipeRemoveGestureDirection =
        ui::UISwipeGestureRecognizerDirectionRight;
    Handler m_tapHandler;
    Handler m_appearHandler;
    Handler m_dismissHandler;
    AnimationHandler m_entranceAnimationHandler;
    AnimationHandler m_exitAnimationHandler;
    std::weak_ptr<ui::View> m_containerView;
    AMPopTipDirection m_direction = AMPopTipDirectionUp;
    std::optional<String> m_text;
    std::optional<ui::AttributedString> m_attributedText;
    ui::ParagraphStyle m_paragraphStyle;
    std::shared_ptr<ui::TapGestureRecognizer> m_gestureRecognizer;
    std::shared_ptr<ui::TapGestureRecognizer> m_tapRemoveGesture;
    std::shared_ptr<ui::SwipeGestureRecognizer> m_swipeRemoveGesture;
    std::shared_ptr<Timer> m_dismissTimer;
    double m_maxWidth = 0;
    std::shared_ptr<ui::View> m_customView;
    ui::Size m_arrowSize{8, 8};
    ui::Point m_arrowPosition;
    ui::EdgeInsets m_edgeInsets;
    ui::Rect m_fromFrame;
    ui::Rect m_textBounds;
};

}  // namespace ov
