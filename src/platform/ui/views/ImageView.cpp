#include "orvane/platform/ui/views/ImageView.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/drawing/ImageDrawing.h"
#include "orvane/platform/values/Clock.h"

namespace ov::ui {

namespace {

Size imageSize(const std::shared_ptr<Image>& image) {
    return image ? Size{image->width(), image->height()} : Size{};
}

}  // namespace

Rect rectForContentMode(UIViewContentMode mode, const Rect& bounds, Size size) {
    return contentsRectForGravity(contentsGravityForContentMode(mode), bounds, size);
}

ImageView::ImageView(const Rect& frame) : View(frame) {
    setOpaque(false);
    setUserInteractionEnabled(false);
}

ImageView::ImageView(std::shared_ptr<Image> image, std::shared_ptr<Image> highlightedImage)
    : ImageView(Rect{{0, 0}, imageSize(image)}) {
    m_image = std::move(image);
    m_highlightedImage = std::move(highlightedImage);
}

ImageView::~ImageView() {
    if (m_frameTimer) m_frameTimer->invalidate();
}

void ImageView::setImage(std::shared_ptr<Image> image) {
    if (image == m_image) return;
    const Size before = imageSize(m_image);
    m_image = std::move(image);
    if (imageSize(m_image) != before) invalidateIntrinsicContentSize();
    setNeedsDisplay();
}

void ImageView::setHighlightedImage(std::shared_ptr<Image> image) {
    if (image == m_highlightedImage) return;
    m_highlightedImage = std::move(image);
    if (m_highlighted) setNeedsDisplay();
}

void ImageView::setHighlighted(bool highlighted) {
    if (highlighted == m_highlighted) return;
    m_highlighted = highlighted;
    setNeedsDisplay();
}

void ImageView::setAnimationImages(std::vector<std::shared_ptr<Image>> images) {
    std::erase(images, nullptr);
    m_frames = std::move(images);
    if (m_frames.empty()) stopAnimating();
    setNeedsDisplay();
}

double ImageView::animationDuration() const {
    if (m_animationDuration > 0) return m_animationDuration;
    return static_cast<double>(m_frames.size()) / 30.0;
}

void ImageView::startAnimating() {
    if (m_frames.empty()) return;
    if (m_frameTimer) m_frameTimer->invalidate();
    m_animationStart = Clock::current().now();
    const double interval = animationDuration() / static_cast<double>(m_frames.size());
    // Each frame is drawn afresh; the timer only says when the picture changes.
    m_frameTimer = Timer::scheduledTimer(
        interval, true, [weak = std::weak_ptr<View>(weak_from_this())](Timer& timer) {
            auto self = std::static_pointer_cast<ImageView>(weak.lock());
            if (!self) return timer.invalidate();
            self->setNeedsDisplay();
            if (!self->isAnimating()) self->stopAnimating();
        });
    setNeedsDisplay();
}

void ImageView::stopAnimating() {
    if (m_frameTimer) m_frameTimer->invalidate();
    m_frameTimer.reset();
    if (!m_animationStart) return;
    m_animationStart.reset();
    setNeedsDisplay();
}

bool ImageView::isAnimating() const {
    if (!m_animationStart || m_frames.empty()) return false;
    if (m_animationRepeatCount <= 0) return true;
    return Clock::current().now() - *m_animationStart <
           animationDuration() * static_cast<double>(m_animationRepeatCount);
}

std::shared_ptr<Image> ImageView::displayedImage() const {
    if (isAnimating()) {
        const double elapsed = Clock::current().now() - *m_animationStart;
        const double cycles = elapsed / animationDuration();
        const double fraction = cycles - std::floor(cycles);
        const auto index =
            std::min(m_frames.size() - 1,
                     static_cast<size_t>(fraction * static_cast<double>(m_frames.size())));
        return m_frames[index];
    }
    if (m_highlighted && m_highlightedImage) return m_highlightedImage;
    return m_image;
}

Size ImageView::intrinsicContentSize() const {
    if (!m_image) return {UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric};
    return imageSize(m_image);
}

Size ImageView::sizeThatFits(Size) const {
    return m_image ? imageSize(m_image) : bounds().size;
}

void ImageView::drawRect(GraphicsContext& context, const Rect&) {
    auto image = displayedImage();
    if (!image) return;
    if (image->renderingMode() == Image::RenderingMode::AlwaysTemplate)
        image = imageWithTintColor(*image, tintColor());
    if (image)
        context.drawImage(*image, rectForContentMode(contentMode(), bounds(), imageSize(image)));
}

}  // namespace ov::ui
