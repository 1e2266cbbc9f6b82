#include "orvane/platform/ui/views/View.h"

#include <algorithm>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/views/Window.h"
#include "platform/ui/layers/Homography.h"

namespace ov::ui {

namespace {

// Views marked for layout, laid out together on the next main run-loop turn.
struct PendingLayout {
    std::vector<std::weak_ptr<View>> views;
    bool scheduled = false;
};

PendingLayout& pendingLayout() {
    // Never destroyed: the main queue may still run a layout pass while the process exits.
    static auto* pending = new PendingLayout;
    return *pending;
}

// One axis of autoresizing: the flexible parts share the change in proportion to their size.
void resizeAxis(double& origin, double& length, double oldTotal, double newTotal, bool flexMin,
                bool flexLength, bool flexMax) {
    const double delta = newTotal - oldTotal;
    const int flexible = int(flexMin) + int(flexLength) + int(flexMax);
    if (delta == 0 || flexible == 0) return;
    const double before = origin, after = oldTotal - origin - length;
    const double total = (flexMin ? before : 0) + (flexLength ? length : 0) + (flexMax ? after : 0);
    auto share = [&](bool flexes, double part) {
        if (!flexes) return 0.0;
        return total != 0 ? delta * part / total : delta / flexible;
    };
    const double originShift = share(flexMin, before);
    const double lengthChange = share(flexLength, length);
    origin += originShift;
    length += lengthChange;
}

}  // namespace

ContentsGravity contentsGravityForContentMode(UIViewContentMode mode) {
    switch (mode) {
        case UIViewContentModeScaleAspectFit:
            return ContentsGravity::ResizeAspect;
        case UIViewContentModeScaleAspectFill:
            return ContentsGravity::ResizeAspectFill;
        case UIViewContentModeCenter:
            return ContentsGravity::Center;
        case UIViewContentModeTop:
            return ContentsGravity::Top;
        case UIViewContentModeBottom:
            return ContentsGravity::Bottom;
        case UIViewContentModeLeft:
            return ContentsGravity::Left;
        case UIViewContentModeRight:
            return ContentsGravity::Right;
        case UIViewContentModeTopLeft:
            return ContentsGravity::TopLeft;
        case UIViewContentModeTopRight:
            return ContentsGravity::TopRight;
        case UIViewContentModeBottomLeft:
            return ContentsGravity::BottomLeft;
        case UIViewContentModeBottomRight:
            return ContentsGravity::BottomRight;
        case UIViewContentModeScaleToFill:
        case UIViewContentModeRedraw:
            break;
    }
    return ContentsGravity::Resize;
}

View::View(const Rect& frame) : View(frame, Layer::layer()) {}

View::View(const Rect& frame, std::shared_ptr<Layer> layer)
    : m_layer(layer ? std::move(layer) : Layer::layer()) {
    m_layer->setDelegate(this);
    m_layer->setNeedsDisplay();
    m_layer->setFrame(frame);
}

View::~View() {
    m_layer->setDelegate(nullptr);
    for (const auto& subview : m_subviews)
        subview->m_superview = nullptr;
}

std::shared_ptr<void> View::associatedObject(const void* key) const {
    const auto found = m_associatedObjects.find(key);
    return found == m_associatedObjects.end() ? nullptr : found->second;
}

void View::setAssociatedObject(const void* key, std::shared_ptr<void> object) {
    // The old object is released after the table no longer lists it: its destructor may look.
    std::shared_ptr<void> old;
    if (object) {
        old = std::exchange(m_associatedObjects[key], std::move(object));
    } else if (const auto found = m_associatedObjects.find(key);
               found != m_associatedObjects.end()) {
        old = std::move(found->second);
        m_associatedObjects.erase(found);
    }
}

// Geometry.

void View::notifyFrameChange(const Rect& oldFrame) {
    didChangeValueForKey("frame", oldFrame, frame());
}

void View::setFrame(const Rect& frame) {
    const Rect oldFrame = this->frame();
    const Size oldSize = bounds().size;
    m_layer->setFrame(frame);
    if (bounds().size != oldSize) boundsSizeDidChange(oldSize);
    if (this->frame() != oldFrame) notifyFrameChange(oldFrame);
}

void View::setBounds(const Rect& bounds) {
    const Rect oldFrame = frame();
    const Size oldSize = this->bounds().size;
    m_layer->setBounds(bounds);
    if (bounds.size != oldSize) boundsSizeDidChange(oldSize);
    if (frame() != oldFrame) notifyFrameChange(oldFrame);
}

void View::setCenter(Point center) {
    const Rect oldFrame = frame();
    m_layer->setPosition(center);
    if (frame() != oldFrame) notifyFrameChange(oldFrame);
}

void View::setTransform(const AffineTransform& transform) {
    const Rect oldFrame = frame();
    m_layer->setAffineTransform(transform);
    if (frame() != oldFrame) notifyFrameChange(oldFrame);
}

void View::boundsSizeDidChange(Size oldSize) {
    if (m_autoresizesSubviews) {
        for (const auto& subview : m_subviews)
            subview->resizeWithOldSuperviewSize(oldSize);
    }
    setNeedsLayout();
}

void View::resizeWithOldSuperviewSize(Size oldSize) {
    const auto mask = m_autoresizingMask;
    if (!m_superview || mask == UIViewAutoresizingNone) return;
    const Size newSize = m_superview->bounds().size;
    Rect f = frame();
    resizeAxis(f.origin.x, f.size.width, oldSize.width, newSize.width,
               mask & UIViewAutoresizingFlexibleLeftMargin, mask & UIViewAutoresizingFlexibleWidth,
               mask & UIViewAutoresizingFlexibleRightMargin);
    resizeAxis(f.origin.y, f.size.height, oldSize.height, newSize.height,
               mask & UIViewAutoresizingFlexibleTopMargin, mask & UIViewAutoresizingFlexibleHeight,
               mask & UIViewAutoresizingFlexibleBottomMargin);
    setFrame(f);
}

// Look.

void View::setAlpha(double alpha) {
    const double old = this->alpha();
    if (old == alpha) return;
    m_layer->setOpacity(alpha);
    didChangeValueForKey("alpha", old, alpha);
}

void View::setHidden(bool hidden) {
    const bool old = isHidden();
    if (old == hidden) return;
    m_layer->setHidden(hidden);
    didChangeValueForKey("hidden", old, hidden);
}

void View::setBackgroundColor(const std::optional<Color>& color) {
    m_layer->setBackgroundColor(color);
}

void View::setContentMode(UIViewContentMode mode) {
    m_contentMode = mode;
    m_layer->setContentsGravity(contentsGravityForContentMode(mode));
}

Color View::tintColor() const {
    for (const View* view = this; view; view = view->m_superview) {
        if (view->m_tintColor) return *view->m_tintColor;
    }
    return Color::colorWithRed(0, 122.0 / 255, 1, 1);
}

void View::setTintColor(const std::optional<Color>& color) {
    if (m_tintColor == color) return;
    m_tintColor = color;
    tintDidChangeInSubtree();
}

void View::tintDidChangeInSubtree() {
    tintColorDidChange();
    for (const auto& subview : m_subviews) {
        if (!subview->m_tintColor) subview->tintDidChangeInSubtree();
    }
}

// The tree.

Window* View::window() const {
    const View* root = this;
    while (root->m_superview)
        root = root->m_superview;
    return dynamic_cast<Window*>(const_cast<View*>(root));
}

void View::windowWillChange(Window* newWindow) {
    willMoveToWindow(newWindow);
    for (const auto& subview : m_subviews)
        subview->windowWillChange(newWindow);
}

void View::windowDidChange() {
    didMoveToWindow();
    for (const auto& subview : std::vector(m_subviews))
        subview->windowDidChange();
}

bool View::isDescendantOfView(const View& view) const {
    for (const View* v = this; v; v = v->m_superview) {
        if (v == &view) return true;
    }
    return false;
}

void View::placeSublayer(View& view) {
    const auto at = std::find_if(m_subviews.begin(), m_subviews.end(),
                                 [&](const auto& s) { return s.get() == &view; });
    const auto next = at + 1;
    if (next != m_subviews.end())
        m_layer->insertSublayerBelow(view.m_layer, *(*next)->m_layer);
    else if (at != m_subviews.begin())
        m_layer->insertSublayerAbove(view.m_layer, *(*(at - 1))->m_layer);
    else
        m_layer->addSublayer(view.m_layer);
}

void View::attach(std::shared_ptr<View> view, size_t index) {
    if (!view || isDescendantOfView(*view)) return;
    Window* oldWindow = view->window();
    Window* newWindow = window();
    View* oldSuperview = view->m_superview;
    if (oldSuperview != this) view->willMoveToSuperview(this);
    if (oldWindow != newWindow) view->windowWillChange(newWindow);
    if (oldSuperview) {
        if (oldSuperview != this) oldSuperview->willRemoveSubview(*view);
        std::erase(oldSuperview->m_subviews, view);
    }
    index = std::min(index, m_subviews.size());
    m_subviews.insert(m_subviews.begin() + static_cast<std::ptrdiff_t>(index), view);
    view->m_superview = this;
    placeSublayer(*view);
    if (oldSuperview == this) return;
    didAddSubview(*view);
    view->didMoveToSuperview();
    if (oldWindow != newWindow) view->windowDidChange();
    if (!view->m_tintColor) view->tintDidChangeInSubtree();
    setNeedsLayout();
}

void View::insertSubview(std::shared_ptr<View> view, size_t index) {
    attach(std::move(view), index);
}

void View::insertSubviewAbove(std::shared_ptr<View> view, const View& sibling) {
    if (!view || sibling.m_superview != this || view.get() == &sibling) return;
    std::erase(m_subviews, view);
    const auto at = std::find_if(m_subviews.begin(), m_subviews.end(),
                                 [&](const auto& s) { return s.get() == &sibling; });
    const auto index = static_cast<size_t>(at - m_subviews.begin()) + 1;
    if (view->m_superview == this) {
        m_subviews.insert(m_subviews.begin() + static_cast<std::ptrdiff_t>(index), view);
        placeSublayer(*view);
        return;
    }
    attach(std::move(view), index);
}

void View::insertSubviewBelow(std::shared_ptr<View> view, const View& sibling) {
    if (!view || sibling.m_superview != this || view.get() == &sibling) return;
    std::erase(m_subviews, view);
    const auto at = std::find_if(m_subviews.begin(), m_subviews.end(),
                                 [&](const auto& s) { return s.get() == &sibling; });
    const auto index = static_cast<size_t>(at - m_subviews.begin());
    if (view->m_superview == this) {
        m_subviews.insert(m_subviews.begin() + static_cast<std::ptrdiff_t>(index), view);
        placeSublayer(*view);
        return;
    }
    attach(std::move(view), index);
}

void View::removeFromSuperview() {
    View* parent = m_superview;
    if (!parent) return;
    // Keeps this view alive until the function returns, even if the parent was its owner.
    const auto self = weak_from_this().lock();
    Window* oldWindow = window();
    parent->willRemoveSubview(*this);
    willMoveToSuperview(nullptr);
    if (oldWindow) windowWillChange(nullptr);
    m_layer->removeFromSuperlayer();
    std::erase_if(parent->m_subviews, [this](const auto& s) { return s.get() == this; });
    m_superview = nullptr;
    didMoveToSuperview();
    if (oldWindow) windowDidChange();
    if (!m_tintColor) tintDidChangeInSubtree();
    parent->setNeedsLayout();
}

void View::bringSubviewToFront(const View& view) {
    const auto at = std::find_if(m_subviews.begin(), m_subviews.end(),
                                 [&](const auto& s) { return s.get() == &view; });
    if (at == m_subviews.end()) return;
    std::rotate(at, at + 1, m_subviews.end());
    m_layer->addSublayer(view.m_layer);
}

void View::sendSubviewToBack(const View& view) {
    const auto at = std::find_if(m_subviews.begin(), m_subviews.end(),
                                 [&](const auto& s) { return s.get() == &view; });
    if (at == m_subviews.end()) return;
    std::rotate(m_subviews.begin(), at, at + 1);
    m_layer->insertSublayer(view.m_layer, 0);
}

void View::exchangeSubviewAtIndex(size_t index, size_t otherIndex) {
    if (index >= m_subviews.size() || otherIndex >= m_subviews.size() || index == otherIndex)
        return;
    std::swap(m_subviews[index], m_subviews[otherIndex]);
    placeSublayer(*m_subviews[index]);
    placeSublayer(*m_subviews[otherIndex]);
}

View* View::viewWithTag(int tag) {
    if (m_tag == tag) return this;
    for (const auto& subview : m_subviews) {
        if (View* found = subview->viewWithTag(tag)) return found;
    }
    return nullptr;
}

// Layout.

void View::setNeedsLayout() {
    m_needsLayout = true;
    if (m_layoutScheduled) return;
    auto self = weak_from_this();
    if (self.expired()) return;
    m_layoutScheduled = true;
    auto& pending = pendingLayout();
    pending.views.push_back(std::move(self));
    if (pending.scheduled) return;
    pending.scheduled = true;
    RunLoop::main().perform(&View::runPendingLayout);
}

void View::runPendingLayout() {
    auto views = std::exchange(pendingLayout().views, {});
    pendingLayout().scheduled = false;
    for (const auto& weak : views) {
        if (auto view = weak.lock()) {
            view->m_layoutScheduled = false;
            view->layoutIfNeeded();
        }
    }
}

void View::layoutIfNeeded() {
    // A marked ancestor may move this view, so the pass starts there.
    View* top = this;
    for (View* v = m_superview; v; v = v->m_superview) {
        if (v->m_needsLayout) top = v;
    }
    top->updateConstraintsIfNeeded();
    top->layoutSubtree();
}

void View::layoutSubtree() {
    if (m_needsLayout) {
        m_needsLayout = false;
        layoutSubviews();
    }
    for (const auto& subview : std::vector(m_subviews))
        subview->layoutSubtree();
}

void View::layoutSubviews() {
    View* root = this;
    while (root->m_superview)
        root = root->m_superview;
    root->solveConstraintLayout();
}

std::vector<LayoutItem*> View::layoutSubitems() const {
    std::vector<LayoutItem*> items;
    items.reserve(m_subviews.size());
    for (const auto& subview : m_subviews)
        items.push_back(subview.get());
    return items;
}

void View::updateConstraintsIfNeeded() {
    for (const auto& subview : std::vector(m_subviews))
        subview->updateConstraintsIfNeeded();
    if (!m_needsUpdateConstraints) return;
    m_needsUpdateConstraints = false;
    updateConstraints();
}

void View::updateConstraints() {}

Size View::sizeThatFits(Size) const {
    return bounds().size;
}

void View::sizeToFit() {
    setFrame({frame().origin, sizeThatFits(bounds().size)});
}

Size View::intrinsicContentSize() const {
    return {UIViewNoIntrinsicMetric, UIViewNoIntrinsicMetric};
}

void View::invalidateIntrinsicContentSize() {
    if (m_superview) m_superview->setNeedsLayout();
}

// Drawing.

void View::drawRect(GraphicsContext&, const Rect&) {}

void View::drawLayer(Layer&, GraphicsContext& context) {
    GraphicsStateSaver saved(context);
    context.clipToRect(bounds());
    drawRect(context, bounds());
}

// Hit testing and coordinates.

bool View::pointInside(Point point) const {
    return bounds().contains(point);
}

View* View::hitTest(Point point) {
    if (isHidden() || !m_userInteractionEnabled || alpha() < 0.01 ||
        m_interactionBlockingAnimations > 0 || !pointInside(point))
        return nullptr;
    for (auto it = m_subviews.rbegin(); it != m_subviews.rend(); ++it) {
        const auto inverse = layerToSuperlayer((*it)->layer(), m_layer.get()).inverted();
        if (!inverse) continue;
        if (View* hit = (*it)->hitTest(inverse->apply(point))) return hit;
    }
    return this;
}

Point View::convertPoint_toView(Point point, const View* view) const {
    return m_layer->convertPoint_toLayer(point, view ? view->m_layer.get() : nullptr);
}

Point View::convertPoint_fromView(Point point, const View* view) const {
    return m_layer->convertPoint_fromLayer(point, view ? view->m_layer.get() : nullptr);
}

Rect View::convertRect_toView(const Rect& rect, const View* view) const {
    return m_layer->convertRect_toLayer(rect, view ? view->m_layer.get() : nullptr);
}

Rect View::convertRect_fromView(const Rect& rect, const View* view) const {
    return m_layer->convertRect_fromLayer(rect, view ? view->m_layer.get() : nullptr);
}

std::shared_ptr<Image> renderToImage(View& view, double scale) {
    return renderLayer(view.layer(), scale);
}

}  // namespace ov::ui
