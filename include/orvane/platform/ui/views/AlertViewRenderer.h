#pragma once
// Draws an alert (ui::AlertView's title, message and buttons) the way the platform shows one:
// the screen dimmed, and in its middle a white rounded card with the title in bold, the
// message, and the buttons under hairlines (two side by side, more stacked with the cancel
// button last).
//
//   auto screen = std::make_shared<ov::ui::AlertViewRenderer>(alert, ov::ui::Rect{0, 0, 375, 667});
//   screen->buttonIndexAtPoint({200, 380});   // which button a tap there would press
//
//   // The alert most recently shown and still on screen, as a picture:
//   auto picture = ov::ui::renderLastShownAlert({375, 667}, 2);
//   if (picture) ov::ui::writePNG(*picture, "alert.png");
//
// Main thread only.

#include <memory>
#include <vector>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/application/AlertView.h"
#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

class AlertViewRenderer : public View {
  public:
    AlertViewRenderer(std::shared_ptr<AlertView> alert, const Rect& frame);

    const std::shared_ptr<AlertView>& alert() const { return m_alert; }

    // The card, centred in the bounds.
    Rect cardRect() const;
    // A button's rectangle, in this view's coordinates; null for an index that names none.
    Rect buttonRectAtIndex(long index) const;
    // -1 when no button is there.
    long buttonIndexAtPoint(Point point) const;

    void drawRect(GraphicsContext& context, const Rect& rect) override;

  private:
    // The button indices in the order they are shown.
    std::vector<long> displayOrder() const;
    bool buttonsSideBySide() const { return m_alert->numberOfButtons() == 2; }
    double textHeight() const;

    std::shared_ptr<AlertView> m_alert;
};

// The newest alert on screen drawn over a screen of `size` (nullptr when none is shown).
std::shared_ptr<Image> renderLastShownAlert(Size size, double scale = Image::screenScale());

}  // namespace ov::ui
