#pragma once
// A drawing context over a bitmap (the platform's CGContext with UIKit's image contexts),
// backed by Cairo. Coordinates are points, origin top left, y down; the bitmap has
// ceil(size * scale) pixels a side.
//
//   auto context = ov::ui::GraphicsContext::bitmap({100, 50}, 2);   // 200 x 100 pixels
//   context->setFillColor(ov::ui::Color::redColor());
//   context->fillRect({0, 0, 100, 50});
//   {
//       ov::ui::GraphicsStateSaver saved(*context);
//       context->setShadowWithColor({2, 2}, 3, ov::ui::Color::blackColor());
//       context->fillPath(ov::ui::Path::bezierPathWithOvalInRect({10, 10, 30, 30}));
//   }  // the shadow is gone again
//   context->drawText(ov::ui::AttributedString("Hi"), ov::ui::Point{50, 10});
//   auto image = context->makeImage();   // an ov::Image at scale 2
//
// Two ways to give geometry, as on the platform: the current path (beginPath, moveToPoint,
// addArc, ... then fillPath(), strokePath() or clip()), which is consumed by painting or
// clipping and is not part of the saved state; or a Path value (fillPath(path), ...).
//
// The graphics state (transform, clip, colours, line style, alpha, blend mode, shadow) is
// saved and restored as a stack. Shadows are offset in points of the bitmap's own space (y
// down) and are not turned by the transform; the blur is the platform's blur radius in points.
// Transparency layers composite on ending with the alpha, blend mode and shadow that were in
// force when they began; inside a layer those start fresh.
//
// A context is used from one thread at a time. Failures (an impossible size, drawing with
// nothing to draw) do nothing; nothing throws.

#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/drawing/Gradient.h"
#include "orvane/platform/ui/drawing/Path.h"
#include "orvane/platform/ui/drawing/TextDrawingCache.h"
#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/geometry/Geometry.h"
#include "orvane/platform/ui/text/AttributedString.h"

namespace ov::ui {

// The platform's values. Cairo has no darkening sum, so PlusDarker multiplies. SourceIn,
// SourceOut, DestinationIn and DestinationAtop act on the whole clip (outside the shape the
// destination is cleared), as Cairo's unbounded operators do; the others touch the shape only.
enum class BlendMode : int {
    Normal = 0,
    Multiply,
    Screen,
    Overlay,
    Darken,
    Lighten,
    ColorDodge,
    ColorBurn,
    SoftLight,
    HardLight,
    Difference,
    Exclusion,
    Hue,
    Saturation,
    Color,
    Luminosity,
    Clear,
    Copy,
    SourceIn,
    SourceOut,
    SourceAtop,
    DestinationOver,
    DestinationIn,
    DestinationOut,
    DestinationAtop,
    XOR,
    PlusDarker,
    PlusLighter,
};

enum class LineCap : int { Butt = 0, Round = 1, Square = 2 };
enum class LineJoin : int { Miter = 0, Round = 1, Bevel = 2 };

class GraphicsContext {
  public:
    static constexpr int kLargestSide = 8192;

    // A transparent (or, when opaque, black) bitmap. Nullptr for a size or scale that is not
    // positive and finite, or a bitmap over kLargestSide pixels a side.
    static std::unique_ptr<GraphicsContext> bitmap(Size size, double scale = 1,
                                                   bool opaque = false);
    ~GraphicsContext();
    GraphicsContext(const GraphicsContext&) = delete;
    GraphicsContext& operator=(const GraphicsContext&) = delete;

    Size size() const { return m_size; }
    double scale() const { return m_scale; }
    int pixelWidth() const;
    int pixelHeight() const;

    // State.
    void saveGState();
    // Does nothing without a matching save.
    void restoreGState();

    // Transform: each step applies before the current transform, as on the platform.
    void translateCTM(double tx, double ty);
    void scaleCTM(double sx, double sy);
    void rotateCTM(double angle);
    void concatCTM(const AffineTransform& transform);
    // From user space to the context's points (the bitmap scale is not included).
    AffineTransform getCTM() const;

    // The current path.
    void beginPath();
    void moveToPoint(Point point);
    void addLineToPoint(Point point);
    void addCurveToPoint(Point control1, Point control2, Point end);
    void addQuadCurveToPoint(Point control, Point end);
    // Core Graphics' flag: clockwise = 1 draws with falling angles, which shows
    // anticlockwise on screen (y down); 0 draws with growing angles.
    void addArc(Point center, double radius, double startAngle, double endAngle, int clockwise);
    void addRect(const Rect& rect);
    void addEllipseInRect(const Rect& rect);
    void addPath(const Path& path);
    void closePath();
    bool isPathEmpty() const { return m_path.isEmpty(); }
    // The current path in user space.
    const Path& currentPath() const { return m_path; }

    // Painting; the forms without a Path paint and clear the current path.
    void fillPath(FillRule rule = FillRule::NonZero);
    void strokePath();
    void fillPath(const Path& path, FillRule rule = FillRule::NonZero);
    void strokePath(const Path& path);
    void fillRect(const Rect& rect);
    void strokeRect(const Rect& rect);
    void fillEllipseInRect(const Rect& rect);
    // Makes the rectangle transparent, whatever the blend mode.
    void clearRect(const Rect& rect);

    // Clipping narrows the clip; only restoreGState widens it again.
    void clip(FillRule rule = FillRule::NonZero);
    void clipToPath(const Path& path, FillRule rule = FillRule::NonZero);
    void clipToRect(const Rect& rect);
    // The clip's bounding box in user space.
    Rect getClipBoundingBox() const;

    // Style.
    void setFillColor(const Color& color);
    void setStrokeColor(const Color& color);
    void setLineWidth(double width);
    void setLineCap(LineCap cap);
    void setLineJoin(LineJoin join);
    void setMiterLimit(double limit);
    // Alternating on and off lengths; empty turns dashing off.
    void setLineDash(double phase, const std::vector<double>& lengths);
    // Multiplies everything drawn, 0 to 1.
    void setAlpha(double alpha);
    void setBlendMode(BlendMode mode);
    // Without a colour (or a clear one) the shadow is off. setShadow uses black at alpha 1/3.
    void setShadowWithColor(Size offset, double blur, const std::optional<Color>& color);
    void setShadow(Size offset, double blur);

    // Gradients fill the clip (limited by the options at the two ends).
    void drawLinearGradient(const Gradient& gradient, Point start, Point end,
                            GradientDrawingOptions options);
    void drawRadialGradient(const Gradient& gradient, Point startCenter, double startRadius,
                            Point endCenter, double endRadius, GradientDrawingOptions options);

    // Transparency layers.
    void beginTransparencyLayer();
    // Drawing in the layer is limited to the rectangle.
    void beginTransparencyLayerWithRect(const Rect& rect);
    // Does nothing without a layer begun.
    void endTransparencyLayer();

    // The image upright, scaled to fill the rectangle.
    void drawImage(const Image& image, const Rect& rect);

    // Text: one line whose top left is the point; or lines within the rectangle, broken by
    // the text's paragraph style and clipped to the rectangle (`numberOfLines` 0: no limit).
    // Text without a colour is black; with kCTForegroundColorFromContextAttributeName it takes
    // the fill colour.
    void drawText(const AttributedString& text, Point point);
    void drawText(const AttributedString& text, const Rect& rect,
                  StringDrawingOptions options = NSStringDrawingUsesLineFragmentOrigin,
                  size_t numberOfLines = 0);
    // The same, keeping the laid-out text in `cache` for the next draw of the same text.
    void drawText(const AttributedString& text, const Rect& rect, StringDrawingOptions options,
                  size_t numberOfLines, TextDrawingCache& cache);

    // A copy of the pixels as they are now, at the context's scale (nullptr after takeImage).
    std::shared_ptr<Image> makeImage() const;
    // The pixels themselves, handed over without a copy when the drawing is done: the
    // context draws nothing afterwards.
    std::shared_ptr<Image> takeImage();

    struct Backend;

  private:
    GraphicsContext(Size size, double scale, std::unique_ptr<Backend> backend);

    Size m_size;
    double m_scale;
    Path m_path;
    std::unique_ptr<Backend> m_backend;
};

// Saves the state on construction and restores it on destruction.
class GraphicsStateSaver {
  public:
    explicit GraphicsStateSaver(GraphicsContext& context) : m_context(context) {
        m_context.saveGState();
    }
    ~GraphicsStateSaver() { m_context.restoreGState(); }
    GraphicsStateSaver(const GraphicsStateSaver&) = delete;
    GraphicsStateSaver& operator=(const GraphicsStateSaver&) = delete;

  private:
    GraphicsContext& m_context;
};

// The current context of this thread (UIKit's context stack), used by drawing code that is
// not handed one, such as a view's drawRect or the text drawing below.
GraphicsContext* UIGraphicsGetCurrentContext();
// The context stays the caller's; pop before it goes away.
void UIGraphicsPushContext(GraphicsContext& context);
void UIGraphicsPopContext();
// Pushes a new bitmap context owned by the stack; a scale of 0 means the screen's
// (Image::screenScale()). Pushes nothing for an impossible size.
void UIGraphicsBeginImageContextWithOptions(Size size, bool opaque, double scale);
void UIGraphicsBeginImageContext(Size size);
// The current context's pixels; nullptr without one.
std::shared_ptr<Image> UIGraphicsGetImageFromCurrentImageContext();
// Pops and frees a context begun above; does nothing otherwise.
void UIGraphicsEndImageContext();

// Text drawing into the current context (nothing without one).
void drawAtPoint(const String& text, Point point, const Dictionary& attributes);
void drawInRect(const String& text, const Rect& rect, const Dictionary& attributes);
void drawAtPoint(const AttributedString& text, Point point);
void drawInRect(const AttributedString& text, const Rect& rect);
void drawWithRect(const AttributedString& text, const Rect& rect, StringDrawingOptions options);

}  // namespace ov::ui
