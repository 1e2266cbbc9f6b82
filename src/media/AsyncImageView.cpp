#include "orvane/media/AsyncImageView.h"

#include "orvane/media/AsyncImageLoader.h"
#include "orvane/media/UIImageView+AsyncImageView.h"
#include "orvane/platform/ui/layers/Animation.h"

namespace ov {

AsyncImageView::AsyncImageView(const ui::Rect& frame)
    : ui::ImageView(frame), m_showActivityIndicator(image() == nullptr) {}

AsyncImageView::~AsyncImageView() {
    const View* self = this;
    auto& loader = AsyncImageLoader::sharedLoader();
    loader.cancelLoadingURL(loader.URLForTarget(self, UIImageView_AsyncImageView::setImageAction()),
                            self);
}

std::optional<URL> AsyncImageView::imageURL() const {
    return UIImageView_AsyncImageView::imageURL(*this);
}

void AsyncImageView::setImageURL(const std::optional<URL>& imageURL) {
    const auto& cache = AsyncImageLoader::sharedLoader().cache();
    if (imageURL && cache) {
        if (auto image =
                std::dynamic_pointer_cast<Image>(cache->objectForKey(imageURL->absoluteString()))) {
            setImage(image);
            return;
        }
    }
    UIImageView_AsyncImageView::setImageURL(*this, imageURL);
    if (m_showActivityIndicator && !image() && imageURL) showIndicator();
}

void AsyncImageView::showIndicator() {
    if (!m_activityView) {
        auto indicator = std::make_shared<ui::ActivityIndicatorView>(m_activityIndicatorStyle);
        indicator->setColor(m_activityIndicatorColor);
        indicator->setHidesWhenStopped(true);
        indicator->setCenter({bounds().size.width / 2, bounds().size.height / 2});
        indicator->setAutoresizingMask(
            ui::UIViewAutoresizingFlexibleLeftMargin | ui::UIViewAutoresizingFlexibleRightMargin |
            ui::UIViewAutoresizingFlexibleTopMargin | ui::UIViewAutoresizingFlexibleBottomMargin);
        m_activityView = indicator;
        addSubview(std::move(indicator));
    }
    m_activityView->startAnimating();
}

void AsyncImageView::setImage(std::shared_ptr<Image> newImage) {
    if (newImage != image() && m_crossfadeDuration > 0) {
        auto fade = ui::Transition::animation();
        fade->setDuration(m_crossfadeDuration);
        // A transition added without a key goes under the platform's own, "transition".
        layer().addAnimation(*fade, "transition");
    }
    ui::ImageView::setImage(std::move(newImage));
    if (m_activityView) m_activityView->stopAnimating();
}

void AsyncImageView::setActivityIndicatorStyle(ui::UIActivityIndicatorViewStyle style) {
    m_activityIndicatorStyle = style;
    if (!m_activityView) return;
    m_activityView->removeFromSuperview();
    m_activityView = nullptr;
}

void AsyncImageView::setActivityIndicatorColor(const ui::Color& color) {
    m_activityIndicatorColor = color;
    if (m_activityView) m_activityView->setColor(color);
}

}  // namespace ov
