#pragma once
// An image view that loads its image from an address, spins an activity indicator while it
// loads and cross-fades to the image when it arrives.
//
//   auto photo = std::make_shared<ov::AsyncImageView>(ov::ui::Rect{0, 0, 120, 120});
//   photo->setImageURL(ov::URL::withString("https://example.com/photo@2x.jpg"));
//
// Destroying the view cancels its load on the shared loader. Main thread only; the view must
// be owned by a shared_ptr for a load to start.

#include <memory>
#include <optional>

#include "orvane/platform/network/URL.h"
#include "orvane/platform/ui/views/ActivityIndicatorView.h"
#include "orvane/platform/ui/views/ImageView.h"

namespace ov {

class AsyncImageView : public ui::ImageView {
  public:
    explicit AsyncImageView(const ui::Rect& frame = {});
    ~AsyncImageView() override;

    void setImageURL(const std::optional<URL>& imageURL);
    std::optional<URL> imageURL() const;
    void setImage(std::shared_ptr<Image> image) override;

    bool showActivityIndicator() const { return m_showActivityIndicator; }
    void setShowActivityIndicator(bool show) { m_showActivityIndicator = show; }
    ui::UIActivityIndicatorViewStyle activityIndicatorStyle() const {
        return m_activityIndicatorStyle;
    }
    // Drops the indicator; the next load makes one in the new style.
    void setActivityIndicatorStyle(ui::UIActivityIndicatorViewStyle style);
    const ui::Color& activityIndicatorColor() const { return m_activityIndicatorColor; }
    void setActivityIndicatorColor(const ui::Color& color);
    double crossfadeDuration() const { return m_crossfadeDuration; }
    void setCrossfadeDuration(double seconds) { m_crossfadeDuration = seconds; }
    const std::shared_ptr<ui::ActivityIndicatorView>& activityView() const {
        return m_activityView;
    }

  private:
    void showIndicator();

    bool m_showActivityIndicator;
    ui::UIActivityIndicatorViewStyle m_activityIndicatorStyle =
        ui::UIActivityIndicatorViewStyleWhite;
    ui::Color m_activityIndicatorColor = ui::Color::lightGrayColor();
    double m_crossfadeDuration = 0.4;
    std::shared_ptr<ui::ActivityIndicatorView> m_activityView;
};

}  // namespace ov
