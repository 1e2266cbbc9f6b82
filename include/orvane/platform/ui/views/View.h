#pragma once
// A rectangle of interface in a tree (the platform's UIView): geometry, look, subviews,
// layout, drawing, hit testing, coordinate conversion and block animations. Each view is the
// delegate of its own Layer, which holds the geometry and look; the subviews' layers are
// sublayers of the view's layer.
//
//   auto card = std::make_shared<ov::ui::View>(ov::ui::Rect{20, 20, 280, 120});
//   card->setBackgroundColor(ov::ui::Color::whiteColor());
//   card->layer().setCornerRadius(12);
//   auto& badge = card->addSubview(std::make_shared<Badge>(ov::ui::Rect{250, -10, 40, 40}));
//   badge.setAutoresizingMask(ov::ui::UIViewAutoresizingFlexibleLeftMargin);
//
//   ov::ui::View::animateWithDuration(0.3, 0, ov::ui::UIViewAnimationOptionCurveEaseOut,
//       [&] { card->setAlpha(0); },               // the model value is 0 at once
//       [](bool finished) { /* on the main run loop, when the fade has ended */ });
//   card->layer().presentationLayer()->opacity();  // on screen: still 1, moving to 0
//
// Views are shared: hold them in std::shared_ptr (make them with std::make_shared). A view
// owns its subviews; the superview is not owned and is cleared when it goes away. Subclasses
// override drawRect, layoutSubviews, sizeThatFits, intrinsicContentSize, pointInside,
// hitTest and the move hooks. Main thread only.
//
// Names: convertPoint:toView: and convertPoint:fromView: would collide, so both carry their
// keyword (convertPoint_toView, convertPoint_fromView; the same for rectangles).

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/geometry/Geometry.h"
#include "orvane/platform/ui/layers/Layer.h"
#include "orvane/platform/ui/layers/Observation.h"
#include "orvane/platform/ui/layout/LayoutItem.h"
#include "orvane/platform/values/String.h"

namespace ov::ui {

class GraphicsContext;
class View;
class Window;

// Which margins and sizes follow the superview's size (a bit set).
using UIViewAutoresizing = unsigned long;
inline constexpr UIViewAutoresizing UIViewAutoresizingNone = 0;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleLeftMargin = 1 << 0;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleWidth = 1 << 1;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleRightMargin = 1 << 2;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleTopMargin = 1 << 3;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleHeight = 1 << 4;
inline constexpr UIViewAutoresizing UIViewAutoresizingFlexibleBottomMargin = 1 << 5;

enum UIViewContentMode : int {
    UIViewContentModeScaleToFill,
    UIViewContentModeScaleAspectFit,
    UIViewContentModeScaleAspectFill,
    UIViewContentModeRedraw,
    UIViewContentModeCenter,
    UIViewContentModeTop,
    UIViewContentModeBottom,
    UIViewContentModeLeft,
    UIViewContentModeRight,
    UIViewContentModeTopLeft,
    UIViewContentModeTopRight,
    UIViewContentModeBottomLeft,
    UIViewContentModeBottomRight,
};

// The layer gravity that shows contents the way the mode places them.
ContentsGravity contentsGravityForContentMode(UIViewContentMode mode);

enum UIViewAnimationCurve : int {
    UIViewAnimationCurveEaseInOut,
    UIViewAnimationCurveEaseIn,
    UIViewAnimationCurveEaseOut,
    UIViewAnimationCurveLinear,
};

// Block animation options (a bit set, the platform's values).
using UIViewAnimationOptions = unsigned long;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionLayoutSubviews = 1 << 0;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionAllowUserInteraction = 1 << 1;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionBeginFromCurrentState = 1 << 2;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionRepeat = 1 << 3;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionAutoreverse = 1 << 4;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseInOut = 0 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseIn = 1 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveEaseOut = 2 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionCurveLinear = 3 << 16;
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionNone = 0 << 20;
// Every transition is drawn as a cross-fade.
inline constexpr UIViewAnimationOptions UIViewAnimationOptionTransitionCrossDissolve = 5 << 20;

// Told about begin/commit animations (setAnimationDelegate).
class ViewAnimationDelegate {
  public:
    virtual ~ViewAnimationDelegate() = default;
    virtual void animationWillStart(const String& animationID, void* context) {
        (void)animationID;
        (void)context;
    }
    virtual void animationDidStop(const String& animationID, bool finished, void* context) {
        (void)animationID;
        (void)finished;
        (void)context;
    }
};

class View : public std::enable_shared_from_this<View>,
             public LayerDelegate,
             public Observable,
             public LayoutItem {
  public:
    explicit View(const Rect& frame = {});
    ~View() override;
    View(const View&) = delete;
    View& operator=(const View&) = delete;

    Layer& layer() const { return *m_layer; }

    // Geometry. The frame is in the superview's coordinates (the bounding box when there is a
    // transform); bounds are the view's own; centre is the frame's centre; the transform turns
    // about the centre. Observers hear "frame" on any change of these.
    Rect frame() const override { return m_layer->frame(); }
    void setFrame(const Rect& frame) override;
    Rect bounds() const { return m_layer->bounds(); }
    void setBounds(const Rect& bounds);
    Point center() const { return m_layer->position(); }
    void setCenter(Point center);
    AffineTransform transform() const { return m_layer->affineTransform(); }
    void setTransform(const AffineTransform& transform);

    // Look. Observers hear "alpha" and "hidden".
    double alpha() const { return m_layer->opacity(); }
    void setAlpha(double alpha);
    bool isHidden() const { return m_layer->isHidden(); }
    void setHidden(bool hidden);
    const std::optional<Color>& backgroundColor() const { return m_layer->backgroundColor(); }
    void setBackgroundColor(const std::optional<Color>& color);
    bool clipsToBounds() const { return m_layer->masksToBounds(); }
    void setClipsToBounds(bool clips) { m_layer->setMasksToBounds(clips); }
    bool isOpaque() const { return m_opaque; }
    void setOpaque(bool opaque) { m_opaque = opaque; }
    UIViewContentMode contentMode() const { return m_contentMode; }
    void setContentMode(UIViewContentMode mode);
    // Its own, else the superview's, else the system blue.
    Color tintColor() const;
    void setTintColor(const std::optional<Color>& color);
    // Told when tintColor() answers differently (also after a move to another superview).
    virtual void tintColorDidChange() {}

    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }
    bool isUserInteractionEnabled() const { return m_userInteractionEnabled; }
    void setUserInteractionEnabled(bool enabled) { m_userInteractionEnabled = enabled; }
    bool isMultipleTouchEnabled() const { return m_multipleTouchEnabled; }
    void setMultipleTouchEnabled(bool enabled) { m_multipleTouchEnabled = enabled; }
    // The runtime's associated objects: anything a category keeps on the view under a key of
    // its own (a static's address), released with the view. Null when none.
    std::shared_ptr<void> associatedObject(const void* key) const;
    void setAssociatedObject(const void* key, std::shared_ptr<void> object);
    const std::optional<String>& accessibilityLabel() const { return m_accessibilityLabel; }
    void setAccessibilityLabel(std::optional<String> label) {
        m_accessibilityLabel = std::move(label);
    }

    // Autoresizing: when the bounds size changes, each subview's flexible margins and sizes
    // share the change in proportion to their current lengths (evenly when those are all 0).
    UIViewAutoresizing autoresizingMask() const { return m_autoresizingMask; }
    void setAutoresizingMask(UIViewAutoresizing mask) { m_autoresizingMask = mask; }
    bool autoresizesSubviews() const { return m_autoresizesSubviews; }
    void setAutoresizesSubviews(bool autoresizes) { m_autoresizesSubviews = autoresizes; }

    // The tree.
    View* superview() const { return m_superview; }
    const std::vector<std::shared_ptr<View>>& subviews() const { return m_subviews; }
    // The Window at the root of the tree, or nullptr.
    Window* window() const;
    // Moves the view here from wherever it was, on top of the others; answers the view.
    template <class T>
    T& addSubview(std::shared_ptr<T> view) {
        T& added = *view;
        insertSubview(std::move(view), m_subviews.size());
        return added;
    }
    // Index past the end adds on top. A view cannot become its own descendant.
    void insertSubview(std::shared_ptr<View> view, size_t index);
    void insertSubviewAbove(std::shared_ptr<View> view, const View& sibling);
    void insertSubviewBelow(std::shared_ptr<View> view, const View& sibling);
    void removeFromSuperview();
    void bringSubviewToFront(const View& view);
    void sendSubviewToBack(const View& view);
    void exchangeSubviewAtIndex(size_t index, size_t otherIndex);
    bool isDescendantOfView(const View& view) const;
    // This view or the first descendant with the tag, depth first; nullptr without one.
    View* viewWithTag(int tag);

    // Move hooks, called before and after a change of superview or window.
    virtual void willMoveToSuperview(View* newSuperview) { (void)newSuperview; }
    virtual void didMoveToSuperview() {}
    virtual void willMoveToWindow(Window* newWindow) { (void)newWindow; }
    virtual void didMoveToWindow() {}
    virtual void didAddSubview(View& subview) { (void)subview; }
    virtual void willRemoveSubview(View& subview) { (void)subview; }

    // Layout: marks merge into one pass on the next main run-loop turn (or the next
    // layoutIfNeeded); the pass brings constraints up to date, then calls layoutSubviews
    // top-down on every marked view.
    void setNeedsLayout();
    bool needsLayout() const { return m_needsLayout; }
    void layoutIfNeeded();
    // The default solves the constraints of the whole tree (the solver is kept at its root
    // view) and sets the frames of the views placed by them.
    virtual void layoutSubviews();
    void setNeedsUpdateConstraints() { m_needsUpdateConstraints = true; }
    bool needsUpdateConstraints() const { return m_needsUpdateConstraints; }
    // Brings this view's and its subviews' constraints up to date.
    void updateConstraintsIfNeeded();
    // Overrides call View::updateConstraints() last.
    virtual void updateConstraints();

    // Size. sizeThatFits answers the current size unless overridden; sizeToFit takes its
    // answer, keeping the origin. intrinsicContentSize answers UIViewNoIntrinsicMetric on
    // both axes unless overridden; tell the engine of a change with
    // invalidateIntrinsicContentSize.
    virtual Size sizeThatFits(Size size) const;
    void sizeToFit();
    Size intrinsicContentSize() const override;
    void invalidateIntrinsicContentSize();

    // Drawing: drawRect runs when the layer is displayed (before rendering) with the context
    // in bounds coordinates and clipped to them, also current (UIGraphicsGetCurrentContext).
    virtual void drawRect(GraphicsContext& context, const Rect& rect);
    void setNeedsDisplay() { m_layer->setNeedsDisplay(); }
    // The whole view is drawn again.
    void setNeedsDisplayInRect(const Rect&) { setNeedsDisplay(); }

    // Hit testing, in this view's coordinates (model values). A hidden view, one with alpha
    // below 0.01, one that does not take touches or one in a block animation without
    // UIViewAnimationOptionAllowUserInteraction is never hit; subviews are tried front to
    // back, then the view itself.
    virtual bool pointInside(Point point) const;
    virtual View* hitTest(Point point);

    // Coordinates between this view and another (nullptr: the window, or the root view).
    Point convertPoint_toView(Point point, const View* view) const;
    Point convertPoint_fromView(Point point, const View* view) const;
    Rect convertRect_toView(const Rect& rect, const View* view) const;
    Rect convertRect_fromView(const Rect& rect, const View* view) const;

    // Block animations: the changes the block makes to views (frame, bounds, centre,
    // transform, alpha, background colour, and any animatable property of their layers) set
    // the model at once and animate the presentation from the old value (the one on screen
    // with UIViewAnimationOptionBeginFromCurrentState). The completion runs on the main run
    // loop when they have all stopped (finished false if one was removed or replaced), or on
    // the next turn when nothing changed. A delay shows the old value until the start.
    using Animations = std::function<void()>;
    using Completion = std::function<void(bool finished)>;
    static void animateWithDuration(double duration, double delay, UIViewAnimationOptions options,
                                    Animations animations, Completion completion = {});
    static void animateWithDuration(double duration, Animations animations,
                                    Completion completion = {});
    // A spring that settles within the duration: damping ratio 1 comes to rest without
    // overshoot, lower values oscillate; the velocity is in whole distances per second.
    static void animateWithDuration(double duration, double delay, double dampingRatio,
                                    double initialSpringVelocity, UIViewAnimationOptions options,
                                    Animations animations, Completion completion = {});
    // Runs the changes at once and cross-fades the view from its old look to the new one
    // (UIViewAnimationOptionTransitionNone animates the changes like animateWithDuration).
    static void transitionWithView(View& view, double duration, UIViewAnimationOptions options,
                                   Animations animations, Completion completion = {});
    static void performWithoutAnimation(const Animations& changes);
    static bool areAnimationsEnabled();
    static void setAnimationsEnabled(bool enabled);

    // Begin/commit animations: the changes between the two animate with the settings made in
    // between (0.2 s, ease-in-out by default). The setters also adjust the innermost running
    // animation block.
    static void beginAnimations(const String& animationID = {}, void* context = nullptr);
    static void commitAnimations();
    static void setAnimationDuration(double duration);
    static void setAnimationDelay(double delay);
    static void setAnimationCurve(UIViewAnimationCurve curve);
    static void setAnimationRepeatCount(double repeatCount);
    static void setAnimationRepeatAutoreverses(bool autoreverses);
    static void setAnimationBeginsFromCurrentState(bool fromCurrentState);
    static void setAnimationDelegate(std::weak_ptr<ViewAnimationDelegate> delegate);

    // LayerDelegate.
    void drawLayer(Layer& layer, GraphicsContext& context) override;
    void layoutSublayersOfLayer(Layer&) override { layoutIfNeeded(); }

    // LayoutItem.
    LayoutItem* layoutSuperitem() const override { return m_superview; }
    std::vector<LayoutItem*> layoutSubitems() const override;
    void layoutConstraintsDidChange() override { setNeedsLayout(); }
    std::optional<std::shared_ptr<Animation>> actionForLayer(Layer& layer,
                                                             std::string_view key) override;

  protected:
    // A view over a layer of a subclass's choosing (the platform's layerClass).
    View(const Rect& frame, std::shared_ptr<Layer> layer);

  private:
    friend class Window;

    void attach(std::shared_ptr<View> view, size_t index);
    void placeSublayer(View& view);
    void boundsSizeDidChange(Size oldSize);
    void resizeWithOldSuperviewSize(Size oldSize);
    void notifyFrameChange(const Rect& oldFrame);
    void layoutSubtree();
    static void runPendingLayout();
    void windowWillChange(Window* newWindow);
    void windowDidChange();
    void tintDidChangeInSubtree();
    std::shared_ptr<Animation> makeAnimationAction(Layer& layer, std::string_view key);

    std::shared_ptr<Layer> m_layer;
    View* m_superview = nullptr;
    std::vector<std::shared_ptr<View>> m_subviews;
    int m_tag = 0;
    bool m_userInteractionEnabled = true;
    bool m_multipleTouchEnabled = false;
    bool m_opaque = true;
    bool m_autoresizesSubviews = true;
    bool m_needsLayout = true;
    bool m_layoutScheduled = false;
    bool m_needsUpdateConstraints = false;
    UIViewAutoresizing m_autoresizingMask = UIViewAutoresizingNone;
    UIViewContentMode m_contentMode = UIViewContentModeScaleToFill;
    std::optional<Color> m_tintColor;
    std::optional<String> m_accessibilityLabel;
    // Running block animations that keep touches away.
    int m_interactionBlockingAnimations = 0;
    std::map<const void*, std::shared_ptr<void>> m_associatedObjects;
};

// The view tree laid out and drawn into an image, as renderLayer (Renderer.h) draws its layer.
std::shared_ptr<Image> renderToImage(View& view, double scale = Image::screenScale());

}  // namespace ov::ui
