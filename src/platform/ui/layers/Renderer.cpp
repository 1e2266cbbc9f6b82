#include "orvane/platform/ui/layers/Renderer.h"

#include <cairo.h>

#include <algorithm>

#include "orvane/platform/files/FileManager.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/layers/Layer.h"
#include "platform/ui/layers/Homography.h"
#include "platform/ui/layers/PixelEffects.h"

namespace ov::ui {

namespace {

void displayTree(Layer& layer, double scale) {
    layer.displayIfNeeded(scale);
    if (layer.mask()) displayTree(*layer.mask(), scale);
    for (const auto& sublayer : layer.sublayers())
        displayTree(*sublayer, scale);
}

void layOut(const Layer& layer) {
    if (auto* delegate = layer.delegate())
        delegate->layoutSublayersOfLayer(const_cast<Layer&>(layer));
}

Path roundedBounds(const Layer& p) {
    if (p.cornerRadius() <= 0) return Path::bezierPathWithRect(p.bounds());
    return Path::bezierPathWithRoundedRect(p.bounds(), p.cornerRadius());
}

// How much of a layer's own look to paint: all of it, or only what casts a shadow (no opacity,
// no shadow of its own).
enum class Look { Whole, ShadowShape };

class TreePainter {
  public:
    explicit TreePainter(double scale) : m_scale(scale) {}

    // Draws `model` (shown as `shown`, its presentation) in its own bounds coordinates.
    void paintInBounds(const Layer& model, const Layer& shown, GraphicsContext& context,
                       Look look) {
        const bool whole = look == Look::Whole;
        if (shown.isHidden() || (whole && shown.opacity() <= 0)) return;
        const double opacity = whole ? std::clamp(shown.opacity(), 0.0, 1.0) : 1;
        if (whole) paintShadow(model, shown, context, opacity);
        const auto transition = model.activeTransition();
        const bool group = opacity < 1 || model.mask() || transition;
        if (group) {
            context.saveGState();
            context.setAlpha(opacity);
            context.beginTransparencyLayer();
        }
        if (transition) {
            paintCrossFade(model, shown, context, *transition);
        } else {
            paintOwn(model, shown, context);
        }
        if (model.mask()) applyMask(*model.mask(), shown, context);
        if (group) {
            context.endTransparencyLayer();
            context.restoreGState();
        }
    }

    // Draws `model` placed in its superlayer's coordinates (those of `parent`).
    void paintInParent(const Layer& model, const Layer* parent, GraphicsContext& context) {
        const auto shown = model.presentationLayer();
        if (shown->isHidden() || shown->opacity() <= 0) return;
        const Homography map = layerToSuperlayer(*shown, parent);
        if (map.isAffine()) {
            GraphicsStateSaver saved(context);
            context.concatCTM(map.affine());
            paintInBounds(model, *shown, context, Look::Whole);
            return;
        }
        // Perspective: draw flat, then map the picture.
        const auto flat = picture(model, *shown, Look::Whole);
        if (!flat) return;
        const auto warped =
            warpImage(*flat, shown->bounds(), map, m_scale, context.getClipBoundingBox());
        if (warped.image) context.drawImage(*warped.image, warped.rect);
    }

    // The layer alone, in its bounds, as an image.
    std::shared_ptr<Image> picture(const Layer& model, const Layer& shown, Look look) {
        const Rect bounds = shown.bounds().standardized();
        auto context = GraphicsContext::bitmap(bounds.size, m_scale);
        if (!context) return nullptr;
        context->translateCTM(-bounds.minX(), -bounds.minY());
        paintInBounds(model, shown, *context, look);
        return context->takeImage();
    }

  private:
    void paintOwn(const Layer& model, const Layer& shown, GraphicsContext& context) {
        const Path outline = roundedBounds(shown);
        if (const auto& background = shown.backgroundColor();
            background && background->alpha() > 0) {
            context.setFillColor(*background);
            context.fillPath(outline);
        }
        {
            GraphicsStateSaver saved(context);
            if (shown.masksToBounds()) context.clipToPath(outline);
            if (const auto& image = shown.contents()) {
                context.drawImage(*image,
                                  contentsRectForGravity(shown.contentsGravity(), shown.bounds(),
                                                         {image->width(), image->height()}));
            }
            shown.renderContents(context);
            auto sublayers = model.sublayers();
            std::stable_sort(sublayers.begin(), sublayers.end(), [](const auto& a, const auto& b) {
                return a->zPosition() < b->zPosition();
            });
            for (const auto& sublayer : sublayers)
                paintInParent(*sublayer, &shown, context);
        }
        paintBorder(shown, context);
    }

    void paintBorder(const Layer& shown, GraphicsContext& context) {
        const double width = shown.borderWidth();
        if (width <= 0 || shown.borderColor().alpha() <= 0) return;
        const Rect inner = shown.bounds().insetBy(width / 2, width / 2);
        if (inner.isNull()) return;
        GraphicsStateSaver saved(context);
        context.setStrokeColor(shown.borderColor());
        context.setLineWidth(width);
        const double radius = std::max(shown.cornerRadius() - width / 2, 0.0);
        context.strokePath(radius > 0 ? Path::bezierPathWithRoundedRect(inner, radius)
                                      : Path::bezierPathWithRect(inner));
    }

    void paintShadow(const Layer& model, const Layer& shown, GraphicsContext& context,
                     double opacity) {
        const double strength = shown.shadowOpacity() * shown.shadowColor().alpha() * opacity;
        if (strength <= 0) return;
        std::shared_ptr<Image> shape;
        const Rect bounds = shown.bounds().standardized();
        if (shown.shadowPath()) {
            auto canvas = GraphicsContext::bitmap(bounds.size, m_scale);
            if (!canvas) return;
            canvas->translateCTM(-bounds.minX(), -bounds.minY());
            canvas->setFillColor(Color::blackColor());
            canvas->fillPath(*shown.shadowPath());
            shape = canvas->takeImage();
        } else {
            shape = picture(model, shown, Look::ShadowShape);
        }
        if (!shape) return;
        const auto shadow = makeShadow(*shape, shown.shadowRadius(),
                                       shown.shadowColor().colorWithAlphaComponent(1));
        if (!shadow.image) return;
        GraphicsStateSaver saved(context);
        context.setAlpha(std::min(strength, 1.0));
        const Size offset = shown.shadowOffset();
        context.drawImage(
            *shadow.image,
            bounds.offsetBy(offset.width, offset.height).insetBy(-shadow.margin, -shadow.margin));
    }

    void paintCrossFade(const Layer& model, const Layer& shown, GraphicsContext& context,
                        const Layer::TransitionState& transition) {
        const double progress = std::clamp(transition.progress, 0.0, 1.0);
        if (transition.from) {
            GraphicsStateSaver saved(context);
            context.setAlpha(1 - progress);
            context.drawImage(*transition.from, shown.bounds());
        }
        GraphicsStateSaver saved(context);
        context.setAlpha(progress);
        // Added rather than laid over, so the two looks sum to a true cross-fade.
        context.setBlendMode(BlendMode::PlusLighter);
        context.beginTransparencyLayer();
        paintOwn(model, shown, context);
        context.endTransparencyLayer();
    }

    void applyMask(const Layer& mask, const Layer& shown, GraphicsContext& context) {
        const Rect bounds = shown.bounds().standardized();
        auto canvas = GraphicsContext::bitmap(bounds.size, m_scale);
        if (!canvas) return;
        canvas->translateCTM(-bounds.minX(), -bounds.minY());
        paintInParent(mask, nullptr, *canvas);
        const auto image = canvas->takeImage();
        GraphicsStateSaver saved(context);
        context.setBlendMode(BlendMode::DestinationIn);
        context.drawImage(*image, bounds);
    }

    double m_scale;
};

}  // namespace

std::shared_ptr<Image> renderLayer(const Layer& layer, double scale) {
    layOut(layer);
    displayTree(const_cast<Layer&>(layer), scale);
    const auto shown = layer.presentationLayer();
    return TreePainter(scale).picture(layer, *shown, Look::Whole);
}

void renderInContext(const Layer& layer, GraphicsContext& context) {
    layOut(layer);
    displayTree(const_cast<Layer&>(layer), context.scale());
    const auto shown = layer.presentationLayer();
    TreePainter(context.scale()).paintInBounds(layer, *shown, context, Look::Whole);
}

Data pngData(const Image& image) {
    std::vector<uint8_t> pixels(*image.pixels());
    cairo_surface_t* surface =
        cairo_image_surface_create_for_data(pixels.data(), CAIRO_FORMAT_ARGB32, image.pixelWidth(),
                                            image.pixelHeight(), image.stride());
    std::vector<uint8_t> png;
    const auto status = cairo_surface_write_to_png_stream(
        surface,
        [](void* closure, const unsigned char* data, unsigned int length) {
            auto* out = static_cast<std::vector<uint8_t>*>(closure);
            out->insert(out->end(), data, data + length);
            return CAIRO_STATUS_SUCCESS;
        },
        &png);
    cairo_surface_destroy(surface);
    if (status != CAIRO_STATUS_SUCCESS) return {};
    return Data(std::move(png));
}

bool writePNG(const Image& image, const std::string& path, Error* error) {
    const Data png = pngData(image);
    if (png.length() == 0) {
        if (error)
            *error = Error(NSCocoaErrorDomain, FileManager::kFileWriteUnknownError,
                           {{NSLocalizedDescriptionKey, String("no PNG form for " + path)}});
        return false;
    }
    return FileManager::defaultManager().writeAtomically(String(path), png, error);
}

}  // namespace ov::ui
