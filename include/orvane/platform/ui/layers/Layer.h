#pragma once
// A rectangle of content in a tree (the platform's CALayer): geometry, background, border,
// corners, shadow, mask, image contents or drawn contents, sublayers, and keyed animations.
//
//   auto layer = ov::ui::Layer::layer();
//   layer->setFrame({10, 10, 100, 40});
//   layer->setBackgroundColor(ov::ui::Color::redColor());
//   layer->setCornerRadius(8);
//   layer->setMasksToBounds(true);
//   parent->addSublayer(layer);
//
//   layer->setOpacity(0.5);   // a stand-alone layer animates this over 0.25 s (implicitly)
//   layer->opacity();                        // 0.5 at once: the model value
//   layer->presentationLayer()->opacity();   // what is on screen now, from Clock::current()
//
// Geometry: `bounds` is the layer's own coordinate space; `position` is where the
// `anchorPoint` (a fraction of the bounds, the centre by default) sits in the superlayer;
// `transform` turns and scales about the anchor point; `frame` is derived from all of them.
//
// Changes of animatable properties ask for an action first (the delegate, then actions(),
// then the default): stand-alone layers animate implicitly with the Transaction's duration,
// a view's layer only inside a view animation block. Map a key to nullptr in setActions to
// keep it from animating, or use Transaction::setDisableActions.
//
// Layers are shared: always hold them in a std::shared_ptr (make them with layer() or
// std::make_shared). A layer owns its sublayers and its mask; the superlayer is not owned.
// Main thread only.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/drawing/Path.h"
#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/geometry/Geometry.h"
#include "orvane/platform/ui/layers/Animation.h"
#include "orvane/platform/ui/layers/AnimationValue.h"

namespace ov::ui {

class GraphicsContext;
class Layer;

namespace detail {
struct AnimationRecord;
}

class LayerDelegate {
  public:
    virtual ~LayerDelegate() = default;
    // Makes the layer's contents itself; answers whether it did (otherwise drawLayer runs).
    virtual bool displayLayer(Layer& layer) {
        (void)layer;
        return false;
    }
    // Draws the contents; the context's coordinates are the layer's bounds.
    virtual void drawLayer(Layer& layer, GraphicsContext& context) {
        (void)layer;
        (void)context;
    }
    // Brings the layer's sublayers up to date before the layer is drawn.
    virtual void layoutSublayersOfLayer(Layer& layer) { (void)layer; }
    // The action for a change of `key`: nullopt to let the layer decide, a null pointer for
    // no animation.
    virtual std::optional<std::shared_ptr<Animation>> actionForLayer(Layer& layer,
                                                                     std::string_view key) {
        (void)layer;
        (void)key;
        return std::nullopt;
    }
};

// Where image contents go in the bounds (the platform's contentsGravity).
enum class ContentsGravity {
    Resize,
    ResizeAspect,
    ResizeAspectFill,
    Center,
    Top,
    Bottom,
    Left,
    Right,
    TopLeft,
    TopRight,
    BottomLeft,
    BottomRight,
};

// Where contents of `size` go inside `bounds`: the resize gravities scale them, the others
// keep their size and pin them to a side or corner, or centre them.
Rect contentsRectForGravity(ContentsGravity gravity, const Rect& bounds, Size size);

class Layer : public std::enable_shared_from_this<Layer> {
  public:
    Layer();
    virtual ~Layer();
    Layer& operator=(const Layer&) = delete;

    static std::shared_ptr<Layer> layer();

    // Geometry.
    Rect bounds() const { return m_props.bounds; }
    void setBounds(const Rect& bounds);
    Point position() const { return m_props.position; }
    void setPosition(Point position);
    double zPosition() const { return m_props.zPosition; }
    void setZPosition(double z);
    Point anchorPoint() const { return m_props.anchorPoint; }
    void setAnchorPoint(Point anchor);
    Transform3D transform() const { return m_props.transform; }
    void setTransform(const Transform3D& transform);
    AffineTransform affineTransform() const { return m_props.transform.affineTransform(); }
    void setAffineTransform(const AffineTransform& transform);
    // Applied to the sublayers, about this layer's anchor point (for a shared perspective).
    Transform3D sublayerTransform() const { return m_props.sublayerTransform; }
    void setSublayerTransform(const Transform3D& transform);
    // The bounding box of the bounds in the superlayer. Setting it sets the position and the
    // bounds size (the transform is kept).
    Rect frame() const;
    void setFrame(const Rect& frame);

    // Look.
    double opacity() const { return m_props.opacity; }
    void setOpacity(double opacity);
    bool isHidden() const { return m_props.hidden; }
    void setHidden(bool hidden) { m_props.hidden = hidden; }
    const std::optional<Color>& backgroundColor() const { return m_props.backgroundColor; }
    void setBackgroundColor(const std::optional<Color>& color);
    double cornerRadius() const { return m_props.cornerRadius; }
    void setCornerRadius(double radius);
    double borderWidth() const { return m_props.borderWidth; }
    void setBorderWidth(double width);
    Color borderColor() const { return m_props.borderColor; }
    void setBorderColor(const Color& color);
    // Clips the contents and the sublayers to the bounds (with the corner radius).
    bool masksToBounds() const { return m_props.masksToBounds; }
    void setMasksToBounds(bool masks) { m_props.masksToBounds = masks; }
    // Whether opacity below 1 fades the layer and its sublayers as one picture (true) or each
    // one on its own.
    bool allowsGroupOpacity() const { return m_props.allowsGroupOpacity; }
    void setAllowsGroupOpacity(bool allows) { m_props.allowsGroupOpacity = allows; }

    // Shadow: drawn under the layer from the shadow path, or else from the alpha of what the
    // layer draws; off while the opacity is 0 (the default).
    Color shadowColor() const { return m_props.shadowColor; }
    void setShadowColor(const Color& color);
    double shadowOpacity() const { return m_props.shadowOpacity; }
    void setShadowOpacity(double opacity);
    // Default (0, -3).
    Size shadowOffset() const { return m_props.shadowOffset; }
    void setShadowOffset(Size offset);
    // Blur radius, default 3.
    double shadowRadius() const { return m_props.shadowRadius; }
    void setShadowRadius(double radius);
    const std::optional<Path>& shadowPath() const { return m_props.shadowPath; }
    void setShadowPath(std::optional<Path> path) { m_props.shadowPath = std::move(path); }

    // Contents: an image shown in the bounds by the gravity; drawn contents replace it.
    const std::shared_ptr<Image>& contents() const { return m_props.contents; }
    void setContents(std::shared_ptr<Image> image) { m_props.contents = std::move(image); }
    ContentsGravity contentsGravity() const { return m_props.contentsGravity; }
    void setContentsGravity(ContentsGravity gravity) { m_props.contentsGravity = gravity; }

    // A layer whose alpha masks this one, in this layer's bounds coordinates.
    const std::shared_ptr<Layer>& mask() const { return m_mask; }
    void setMask(std::shared_ptr<Layer> mask) { m_mask = std::move(mask); }

    const std::string& name() const { return m_props.name; }
    void setName(std::string name) { m_props.name = std::move(name); }

    // Drawing. The delegate is not owned (a view is its layer's delegate).
    LayerDelegate* delegate() const { return m_delegate; }
    void setDelegate(LayerDelegate* delegate) { m_delegate = delegate; }
    void setNeedsDisplay() { m_needsDisplay = true; }
    bool needsDisplay() const { return m_needsDisplay; }
    // Draws the contents now: the delegate's displayLayer, or else drawInContext into a new
    // image of the bounds' size at `scale` that becomes the contents.
    virtual void display(double scale = Image::screenScale());
    // display() when marked, or when the drawn contents no longer match the bounds' size or
    // the scale.
    void displayIfNeeded(double scale);
    // The delegate's drawLayer; subclasses draw here instead.
    virtual void drawInContext(GraphicsContext& context);
    // What the layer's own kind shows besides its contents (a shape, a gradient), drawn from
    // this layer's values in bounds coordinates; the renderer calls it on presentation copies,
    // so it is never cached.
    virtual void renderContents(GraphicsContext& context) const { (void)context; }

    // The tree.
    Layer* superlayer() const { return m_superlayer; }
    const std::vector<std::shared_ptr<Layer>>& sublayers() const { return m_sublayers; }
    // Moves the layer here from wherever it was, on top of the others.
    void addSublayer(std::shared_ptr<Layer> layer);
    // Index past the end adds on top.
    void insertSublayer(std::shared_ptr<Layer> layer, size_t index);
    void insertSublayerAbove(std::shared_ptr<Layer> layer, const Layer& sibling);
    void insertSublayerBelow(std::shared_ptr<Layer> layer, const Layer& sibling);
    // Does nothing unless `old` is a sublayer.
    void replaceSublayer(const Layer& old, std::shared_ptr<Layer> replacement);
    void removeFromSuperlayer();
    bool isDescendantOf(const Layer& ancestor) const;

    // Coordinates: between this layer's bounds and another layer's (or, for nullptr, the
    // root's), through positions, anchor points and transforms (perspective included).
    Point convertPoint_toLayer(Point point, const Layer* layer) const;
    Point convertPoint_fromLayer(Point point, const Layer* layer) const;
    Rect convertRect_toLayer(const Rect& rect, const Layer* layer) const;
    Rect convertRect_fromLayer(const Rect& rect, const Layer* layer) const;
    // A point in this layer's coordinates is inside the bounds.
    virtual bool containsPoint(Point point) const;

    // Animations, by key. Adding copies the animation (its begin time 0 becomes now) and
    // replaces one under the same key; an empty key never replaces.
    void addAnimation(const Animation& animation, const std::string& key);
    std::shared_ptr<const Animation> animationForKey(const std::string& key) const;
    void removeAnimationForKey(const std::string& key);
    void removeAllAnimations();
    // In the order they were added; animations without a key are not listed.
    std::vector<std::string> animationKeys() const;

    // A copy of this layer's properties as they show now (Clock::current()), with every
    // animation applied; it has no sublayers, animations or delegate.
    std::shared_ptr<Layer> presentationLayer() const;
    // The layer a presentation copy was made from; nullptr for a model layer (or once that
    // layer is gone).
    std::shared_ptr<Layer> modelLayer() const { return m_model.lock(); }
    // The fade of a transition running now: the picture taken when it was added and how far
    // the live layer has faded in over it.
    struct TransitionState {
        std::shared_ptr<Image> from;
        double progress;
    };
    std::optional<TransitionState> activeTransition() const;

    // Properties by key path ("opacity", "position.x", "bounds.size.width",
    // "transform.rotation.z", "shadowOffset.height", ...); nullopt for an unknown path.
    std::optional<AnimationValue> valueForKeyPath(std::string_view keyPath) const;
    // Sets like the named setter would (with its action); answers whether the path is known
    // and the value of the right kind.
    bool setValueForKeyPath(std::string_view keyPath, const AnimationValue& value);

    // Actions by key; a null pointer means "no animation".
    using Actions = std::map<std::string, std::shared_ptr<Animation>, std::less<>>;
    const Actions& actions() const { return m_actions; }
    void setActions(Actions actions) { m_actions = std::move(actions); }
    // The action a change of `key` runs now, or nullptr.
    std::shared_ptr<Animation> actionForKey(std::string_view key);
    // The action used when neither the delegate nor actions() says: a basic animation with the
    // Transaction's duration and timing for animatable keys.
    virtual std::shared_ptr<Animation> defaultActionForKey(std::string_view key) const;

  protected:
    // Copies the properties only (for presentation copies).
    Layer(const Layer& other);
    virtual std::shared_ptr<Layer> copyProperties() const;

    // The animatable property `key` (the first part of a key path).
    virtual std::optional<AnimationValue> valueForKey(std::string_view key) const;
    // Stores without an action; false for an unknown key or a value of another kind.
    virtual bool storeValueForKey(std::string_view key, const AnimationValue& value);

    // Sets a property through its action: asks for the action before the change and runs it
    // after. Subclass setters use this for their animatable properties.
    template <class T>
    void changeProperty(std::string_view key, T& field, const T& value) {
        if (field == value) return;
        auto change = beginChange(key);
        field = value;
        endChange(key, std::move(change));
    }

  private:
    friend class PropertyAnimation;
    using AnimationRecord = detail::AnimationRecord;
    struct PendingChange {
        std::shared_ptr<Animation> action;
        std::optional<AnimationValue> presentationValue;
    };

    PendingChange beginChange(std::string_view key);
    void endChange(std::string_view key, PendingChange change);
    void storeValueForKeyPath(std::string_view keyPath, const AnimationValue& value);
    void removeRecord(const std::shared_ptr<AnimationRecord>& record);
    void attachSublayer(std::shared_ptr<Layer> layer, size_t index);

    struct Properties {
        Rect bounds;
        Point position;
        double zPosition = 0;
        Point anchorPoint{0.5, 0.5};
        Transform3D transform;
        Transform3D sublayerTransform;
        double opacity = 1;
        bool hidden = false;
        std::optional<Color> backgroundColor;
        double cornerRadius = 0;
        double borderWidth = 0;
        Color borderColor = Color::blackColor();
        bool masksToBounds = false;
        bool allowsGroupOpacity = true;
        Color shadowColor = Color::blackColor();
        double shadowOpacity = 0;
        Size shadowOffset{0, -3};
        double shadowRadius = 3;
        std::optional<Path> shadowPath;
        std::shared_ptr<Image> contents;
        ContentsGravity contentsGravity = ContentsGravity::Resize;
        std::string name;
    };

    Properties m_props;
    LayerDelegate* m_delegate = nullptr;
    Layer* m_superlayer = nullptr;
    std::vector<std::shared_ptr<Layer>> m_sublayers;
    std::shared_ptr<Layer> m_mask;
    std::vector<std::shared_ptr<AnimationRecord>> m_animations;
    Actions m_actions;
    std::weak_ptr<Layer> m_model;
    bool m_needsDisplay = false;
    // The run-loop turn the layer was made in: changes in that turn do not animate implicitly.
    uint64_t m_createdInTurn;
    // The bounds size and scale the drawn contents were made for.
    std::optional<std::pair<Size, double>> m_drawnFor;
};

}  // namespace ov::ui
