#include "orvane/platform/ui/views/VisualEffectView.h"

#include <array>
#include <cstring>
#include <utility>
#include <vector>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "platform/ui/drawing/ShadowBlur.h"

namespace ov::ui {

namespace {

// Blurs every channel of a premultiplied ARGB32 picture alike, which keeps it premultiplied.
std::shared_ptr<Image> blurred(const Image& image, double sigma) {
    const int width = image.pixelWidth(), height = image.pixelHeight();
    const size_t count = static_cast<size_t>(width) * height;
    std::array<std::vector<uint8_t>, 4> planes;
    for (auto& plane : planes)
        plane.resize(count);
    const auto& pixels = *image.pixels();
    for (size_t i = 0; i < count; ++i) {
        uint32_t word;
        std::memcpy(&word, pixels.data() + i * 4, 4);
        for (size_t c = 0; c < 4; ++c)
            planes[c][i] = static_cast<uint8_t>(word >> (8 * c));
    }
    for (auto& plane : planes)
        blurAlpha(plane, width, height, sigma);
    auto out = std::make_shared<std::vector<uint8_t>>(count * 4);
    for (size_t i = 0; i < count; ++i) {
        uint32_t word = 0;
        for (size_t c = 0; c < 4; ++c)
            word |= static_cast<uint32_t>(planes[c][i]) << (8 * c);
        std::memcpy(out->data() + i * 4, &word, 4);
    }
    return Image::imageWithARGB32(width, height, std::move(out), image.scale());
}

// Hides `view` and everything stacked above it or above its ancestors, so that a picture of
// the root shows only what lies behind; puts it all back when it goes.
class Behind {
  public:
    explicit Behind(View& view) {
        View* child = &view;
        hide(view.layer());
        for (View* parent = view.superview(); parent;
             child = parent, parent = parent->superview()) {
            bool above = false;
            for (const auto& sibling : parent->subviews()) {
                if (above) hide(sibling->layer());
                above = above || sibling.get() == child;
            }
        }
    }
    ~Behind() {
        for (auto& [layer, hidden] : m_hidden)
            layer->setHidden(hidden);
    }
    Behind(const Behind&) = delete;
    Behind& operator=(const Behind&) = delete;

  private:
    void hide(Layer& layer) {
        m_hidden.emplace_back(&layer, layer.isHidden());
        layer.setHidden(true);
    }
    std::vector<std::pair<Layer*, bool>> m_hidden;
};

}  // namespace

Color BlurEffect::tintColor() const {
    switch (style) {
        case UIBlurEffectStyleExtraLight:
        case UIBlurEffectStyleProminent:
            return Color::colorWithWhite(0.97, 0.82);
        case UIBlurEffectStyleDark:
            return Color::colorWithWhite(0.11, 0.73);
        default:
            return Color::colorWithWhite(1, 0.3);
    }
}

VisualEffectView::VisualEffectView(std::optional<BlurEffect> effect)
    : m_effect(effect), m_contentView(std::make_shared<View>()) {
    setOpaque(false);
    m_contentView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth |
                                       UIViewAutoresizingFlexibleHeight);
    addSubview(m_contentView);
}

void VisualEffectView::setEffect(const std::optional<BlurEffect>& effect) {
    if (effect == m_effect) return;
    m_effect = effect;
    setNeedsDisplay();
}

std::shared_ptr<Image> VisualEffectView::backdrop(double scale) {
    View* root = this;
    while (root->superview())
        root = root->superview();
    if (root == this) return nullptr;
    auto context = GraphicsContext::bitmap(bounds().size, scale);
    if (!context) return nullptr;
    const Rect place = convertRect_toView(bounds(), root);
    const Rect rootBounds = root->bounds();
    context->translateCTM(rootBounds.minX() - place.minX(), rootBounds.minY() - place.minY());
    {
        const Behind behind(*this);
        renderInContext(root->layer(), *context);
    }
    return context->makeImage();
}

void VisualEffectView::layoutSubviews() {
    View::layoutSubviews();
    m_contentView->setFrame(bounds());
}

void VisualEffectView::drawRect(GraphicsContext& context, const Rect&) {
    if (!m_effect) return;
    if (const auto picture = backdrop(context.scale())) {
        if (const auto soft = blurred(*picture, m_effect->blurRadius() / 2 * context.scale()))
            context.drawImage(*soft, bounds());
    }
    context.setFillColor(m_effect->tintColor());
    context.fillRect(bounds());
}

}  // namespace ov::ui
