#pragma once
// A view that shows an image (the platform's UIImageView): placed by the view's content mode,
// a highlighted variant, template images drawn in the tint colour, and a flip-book of
// animation images timed by the clock.
//
//   auto icon = std::make_shared<ov::ui::ImageView>(ov::Image::imageNamed("check"));
//   icon->setContentMode(ov::ui::UIViewContentModeScaleAspectFit);
//   icon->setAnimationImages(frames);
//   icon->setAnimationDuration(1.0);   // all frames once a second
//   icon->startAnimating();
//
// Main thread only.

#include <memory>
#include <vector>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

// Where content of `size` goes inside `bounds` for a content mode (the scale modes scale it,
// the others keep its size and pin it to a side or corner, or centre it).
Rect rectForContentMode(UIViewContentMode mode, const Rect& bounds, Size size);

class ImageView : public View {
  public:
    explicit ImageView(const Rect& frame = {});
    // Sized to the image.
    explicit ImageView(std::shared_ptr<Image> image,
                       std::shared_ptr<Image> highlightedImage = nullptr);
    ~ImageView() override;

    const std::shared_ptr<Image>& image() const { return m_image; }
    // Virtual so that loaders setting the image reach a subclass's own reaction.
    virtual void setImage(std::shared_ptr<Image> image);
    const std::shared_ptr<Image>& highlightedImage() const { return m_highlightedImage; }
    void setHighlightedImage(std::shared_ptr<Image> image);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);

    // The frames, shown in turn over animationDuration seconds (0: a thirtieth of a second
    // each), animationRepeatCount times (0: until stopped).
    const std::vector<std::shared_ptr<Image>>& animationImages() const { return m_frames; }
    void setAnimationImages(std::vector<std::shared_ptr<Image>> images);
    double animationDuration() const;
    void setAnimationDuration(double duration) { m_animationDuration = duration; }
    long animationRepeatCount() const { return m_animationRepeatCount; }
    void setAnimationRepeatCount(long count) { m_animationRepeatCount = count; }
    // Needs animation images; starting again restarts from the first frame.
    void startAnimating();
    void stopAnimating();
    // False again once the repeats have run out.
    bool isAnimating() const;

    // The image drawn now: the animation frame, the highlighted image or the image.
    std::shared_ptr<Image> displayedImage() const;

    // The image's size; none without an image.
    Size intrinsicContentSize() const override;
    Size sizeThatFits(Size size) const override;
    void drawRect(GraphicsContext& context, const Rect& rect) override;
    void tintColorDidChange() override { setNeedsDisplay(); }

  private:
    std::shared_ptr<Image> m_image;
    std::shared_ptr<Image> m_highlightedImage;
    bool m_highlighted = false;
    std::vector<std::shared_ptr<Image>> m_frames;
    double m_animationDuration = 0;
    long m_animationRepeatCount = 0;
    std::optional<double> m_animationStart;
    std::shared_ptr<Timer> m_frameTimer;
};

}  // namespace ov::ui
