#pragma once
// A spinner (the platform's UIActivityIndicatorView): twelve spokes whose brightness runs
// round once a second, timed by the clock, so a picture taken at a given moment shows where
// the spin is then.
//
//   auto spinner = std::make_shared<ov::ui::ActivityIndicatorView>(
//       ov::ui::UIActivityIndicatorViewStyleWhiteLarge);   // 37 x 37 points
//   spinner->setColor(ov::ui::Color::blackColor());
//   spinner->startAnimating();   // shows it
//   spinner->stopAnimating();    // hides it again while hidesWhenStopped
//
// The colour is the one set, else the appearance default (kAppearanceColor), else the
// style's: white for the white styles, grey for the others. Main thread only.

#include <memory>
#include <optional>

#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

// The platform's values.
enum UIActivityIndicatorViewStyle : long {
    UIActivityIndicatorViewStyleWhiteLarge = 0,
    UIActivityIndicatorViewStyleWhite = 1,
    UIActivityIndicatorViewStyleGray = 2,
    UIActivityIndicatorViewStyleMedium = 100,
    UIActivityIndicatorViewStyleLarge = 101,
};

class ActivityIndicatorView : public View {
  public:
    // Sized for the style (37 points a side for the large ones, 20 for the others).
    explicit ActivityIndicatorView(
        UIActivityIndicatorViewStyle style = UIActivityIndicatorViewStyleWhite);
    // The white style, drawn centred in the frame.
    explicit ActivityIndicatorView(const Rect& frame);
    ~ActivityIndicatorView() override;

    UIActivityIndicatorViewStyle activityIndicatorViewStyle() const { return m_style; }
    void setActivityIndicatorViewStyle(UIActivityIndicatorViewStyle style);
    Color color() const;
    // None goes back to the defaults.
    void setColor(const std::optional<Color>& color);

    // True by default: the spinner is hidden whenever it is not animating.
    bool hidesWhenStopped() const { return m_hidesWhenStopped; }
    void setHidesWhenStopped(bool hides);
    void startAnimating();
    void stopAnimating();
    bool isAnimating() const { return m_startTime.has_value(); }

    // The spoke drawn brightest now, 0 (12 o'clock) to 11, clockwise.
    int leadingSpoke() const;

    Size intrinsicContentSize() const override;
    Size sizeThatFits(Size) const override { return intrinsicContentSize(); }
    void drawRect(GraphicsContext& context, const Rect& rect) override;

  private:
    double styleSide() const;

    UIActivityIndicatorViewStyle m_style;
    std::optional<Color> m_color;
    bool m_hidesWhenStopped = true;
    std::optional<double> m_startTime;
    std::shared_ptr<Timer> m_stepTimer;
};

}  // namespace ov::ui
