#pragma once
// Pull to refresh for a scroll view (the platform's UIRefreshControl): added as a subview of
// a scroll view, it sits above the content; a drag that pulls the content kThreshold points
// past its top starts refreshing and sends UIControlEventValueChanged. On release the
// content stays pushed down by kHeight until endRefreshing().
//
//   auto refresh = std::make_shared<ov::ui::RefreshControl>();
//   refresh->addAction([](ov::ui::Control& c) { reload([&] {
//       static_cast<ov::ui::RefreshControl&>(c).endRefreshing(); }); },
//       ov::ui::UIControlEventValueChanged);
//   table->addSubview(refresh);
//
// Main thread only.

#include <optional>

#include "orvane/platform/ui/layers/Observation.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/views/Control.h"

namespace ov::ui {

class ScrollView;

class RefreshControl : public Control {
  public:
    static constexpr double kHeight = 60;
    static constexpr double kThreshold = 60;

    RefreshControl();

    bool isRefreshing() const { return m_refreshing; }
    // Shows the band and scrolls to it; sends no event.
    void beginRefreshing();
    // Takes the band away.
    void endRefreshing();

    const std::optional<AttributedString>& attributedTitle() const { return m_title; }
    void setAttributedTitle(std::optional<AttributedString> title);

    void didMoveToSuperview() override;
    void drawRect(GraphicsContext& context, const Rect& rect) override;

  private:
    ScrollView* scrollView() const;
    double pullDistance() const;
    void contentOffsetChanged();
    void dragEnded();
    void showBand(bool shown);
    void place();

    bool m_refreshing = false;
    bool m_bandShown = false;
    std::optional<AttributedString> m_title;
    ObservationToken m_offsetToken;
    ObservationToken m_panToken;
};

}  // namespace ov::ui
