#include "orvane/platform/ui/layers/Layer.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/layers/Renderer.h"
#include "orvane/platform/ui/layers/Transaction.h"
#include "orvane/platform/values/Clock.h"
#include "platform/ui/layers/CompletionGroup.h"
#include "platform/ui/layers/Homography.h"
#include "platform/ui/layers/StoreValue.h"

namespace ov::ui {

struct detail::AnimationRecord {
    std::string key;
    std::shared_ptr<Animation> animation;
    Layer* layer = nullptr;
    std::vector<std::shared_ptr<CompletionGroup>> groups;
    std::shared_ptr<Timer> startTimer;
    std::shared_ptr<Timer> endTimer;
    std::shared_ptr<Image> snapshot;
    bool started = false;
    bool stopped = false;
};

namespace {

double now() {
    return Clock::current().now();
}

// Run-loop turns, counted so that a layer made in this turn does not animate implicitly yet:
// there is nothing on screen to animate from.
struct Turns {
    uint64_t number = 0;
    bool advanceScheduled = false;
};

uint64_t currentTurn() {
    thread_local Turns turns;
    if (!turns.advanceScheduled) {
        turns.advanceScheduled = true;
        RunLoop::current().perform([&] {
            ++turns.number;
            turns.advanceScheduled = false;
        });
    }
    return turns.number;
}

using Record = std::shared_ptr<detail::AnimationRecord>;

}  // namespace

namespace {

void reportStart(const std::shared_ptr<detail::AnimationRecord>& record) {
    if (record->started || record->stopped) return;
    record->started = true;
    if (auto delegate = record->animation->delegate().lock())
        delegate->animationDidStart(*record->animation);
}

void reportStop(const std::shared_ptr<detail::AnimationRecord>& record, bool finished) {
    if (record->stopped) return;
    record->stopped = true;
    if (record->startTimer) record->startTimer->invalidate();
    if (record->endTimer) record->endTimer->invalidate();
    if (auto delegate = record->animation->delegate().lock())
        delegate->animationDidStop(*record->animation, finished);
    if (const auto& completion = record->animation->completion()) completion(finished);
    for (const auto& group : std::exchange(record->groups, {}))
        group->release(finished);
}

// Takes the record off its layer and tells of the stop on a later turn.
void detach(const std::shared_ptr<detail::AnimationRecord>& record) {
    record->layer = nullptr;
    if (record->startTimer) record->startTimer->invalidate();
    if (record->endTimer) record->endTimer->invalidate();
    if (record->stopped) return;
    RunLoop::main().perform([record] { reportStop(record, false); });
}

std::shared_ptr<Timer> scheduleAt(double when, std::function<void()> block) {
    auto timer = Timer::create(std::max(when - now(), Timer::kMinimumInterval), false,
                               [block = std::move(block)](Timer&) { block(); });
    RunLoop::main().addTimer(timer);
    return timer;
}

std::pair<std::string_view, std::string_view> splitKeyPath(std::string_view path) {
    const auto dot = path.find('.');
    if (dot == std::string_view::npos) return {path, {}};
    return {path.substr(0, dot), path.substr(dot + 1)};
}

}  // namespace

Layer::Layer() : m_createdInTurn(currentTurn()) {}

Layer::Layer(const Layer& other)
    : std::enable_shared_from_this<Layer>(),
      m_props(other.m_props),
      m_createdInTurn(other.m_createdInTurn) {}

Layer::~Layer() {
    for (const auto& sublayer : m_sublayers)
        sublayer->m_superlayer = nullptr;
    for (const auto& record : m_animations)
        detach(record);
}

std::shared_ptr<Layer> Layer::layer() {
    return std::make_shared<Layer>();
}

std::shared_ptr<Layer> Layer::copyProperties() const {
    return std::shared_ptr<Layer>(new Layer(*this));
}

// Geometry.

void Layer::setBounds(const Rect& bounds) {
    changeProperty("bounds", m_props.bounds, bounds);
}
void Layer::setPosition(Point position) {
    changeProperty("position", m_props.position, position);
}
void Layer::setZPosition(double z) {
    changeProperty("zPosition", m_props.zPosition, z);
}
void Layer::setAnchorPoint(Point anchor) {
    changeProperty("anchorPoint", m_props.anchorPoint, anchor);
}
void Layer::setTransform(const Transform3D& transform) {
    changeProperty("transform", m_props.transform, transform);
}
void Layer::setAffineTransform(const AffineTransform& transform) {
    setTransform(Transform3D::makeAffine(transform));
}
void Layer::setSublayerTransform(const Transform3D& transform) {
    changeProperty("sublayerTransform", m_props.sublayerTransform, transform);
}

Rect Layer::frame() const {
    const Homography map = layerToSuperlayer(*this, nullptr);
    const Rect b = m_props.bounds.standardized();
    if (map.isAffine()) return map.affine().apply(b);
    const Point corners[] = {map.apply({b.minX(), b.minY()}), map.apply({b.maxX(), b.minY()}),
                             map.apply({b.minX(), b.maxY()}), map.apply({b.maxX(), b.maxY()})};
    Rect box = Rect::null();
    for (const Point& corner : corners)
        box = box.unionWith(Rect{corner, {}});
    return box;
}

void Layer::setFrame(const Rect& frame) {
    const Rect f = frame.standardized();
    setPosition({f.minX() + m_props.anchorPoint.x * f.width(),
                 f.minY() + m_props.anchorPoint.y * f.height()});
    setBounds({m_props.bounds.origin, f.size});
}

// Look.

void Layer::setOpacity(double opacity) {
    changeProperty("opacity", m_props.opacity, opacity);
}
void Layer::setBackgroundColor(const std::optional<Color>& color) {
    changeProperty("backgroundColor", m_props.backgroundColor, color);
}
void Layer::setCornerRadius(double radius) {
    changeProperty("cornerRadius", m_props.cornerRadius, radius);
}
void Layer::setBorderWidth(double width) {
    changeProperty("borderWidth", m_props.borderWidth, width);
}
void Layer::setBorderColor(const Color& color) {
    changeProperty("borderColor", m_props.borderColor, color);
}
void Layer::setShadowColor(const Color& color) {
    changeProperty("shadowColor", m_props.shadowColor, color);
}
void Layer::setShadowOpacity(double opacity) {
    changeProperty("shadowOpacity", m_props.shadowOpacity, opacity);
}
void Layer::setShadowOffset(Size offset) {
    changeProperty("shadowOffset", m_props.shadowOffset, offset);
}
void Layer::setShadowRadius(double radius) {
    changeProperty("shadowRadius", m_props.shadowRadius, radius);
}

// Drawing.

void Layer::display(double scale) {
    m_needsDisplay = false;
    m_drawnFor = std::pair{m_props.bounds.size, scale};
    if (m_delegate && m_delegate->displayLayer(*this)) return;
    auto context = GraphicsContext::bitmap(m_props.bounds.standardized().size, scale);
    if (!context) {
        m_props.contents.reset();
        return;
    }
    context->translateCTM(-m_props.bounds.origin.x, -m_props.bounds.origin.y);
    UIGraphicsPushContext(*context);
    drawInContext(*context);
    UIGraphicsPopContext();
    m_props.contents = context->takeImage();
}

void Layer::displayIfNeeded(double scale) {
    const bool stale =
        m_drawnFor && (m_drawnFor->first != m_props.bounds.size || m_drawnFor->second != scale);
    if (m_needsDisplay || stale) display(scale);
}

void Layer::drawInContext(GraphicsContext& context) {
    if (m_delegate) m_delegate->drawLayer(*this, context);
}

// The tree.

void Layer::attachSublayer(std::shared_ptr<Layer> layer, size_t index) {
    if (!layer || layer.get() == this || isDescendantOf(*layer)) return;
    layer->removeFromSuperlayer();
    index = std::min(index, m_sublayers.size());
    layer->m_superlayer = this;
    m_sublayers.insert(m_sublayers.begin() + static_cast<std::ptrdiff_t>(index), std::move(layer));
}

void Layer::addSublayer(std::shared_ptr<Layer> layer) {
    attachSublayer(std::move(layer), m_sublayers.size());
}

void Layer::insertSublayer(std::shared_ptr<Layer> layer, size_t index) {
    attachSublayer(std::move(layer), index);
}

void Layer::insertSublayerAbove(std::shared_ptr<Layer> layer, const Layer& sibling) {
    if (!layer || sibling.m_superlayer != this || layer.get() == &sibling) return;
    layer->removeFromSuperlayer();
    const auto at = std::find_if(m_sublayers.begin(), m_sublayers.end(),
                                 [&](const auto& s) { return s.get() == &sibling; });
    attachSublayer(std::move(layer), static_cast<size_t>(at - m_sublayers.begin()) + 1);
}

void Layer::insertSublayerBelow(std::shared_ptr<Layer> layer, const Layer& sibling) {
    if (!layer || sibling.m_superlayer != this || layer.get() == &sibling) return;
    layer->removeFromSuperlayer();
    const auto at = std::find_if(m_sublayers.begin(), m_sublayers.end(),
                                 [&](const auto& s) { return s.get() == &sibling; });
    attachSublayer(std::move(layer), static_cast<size_t>(at - m_sublayers.begin()));
}

void Layer::replaceSublayer(const Layer& old, std::shared_ptr<Layer> replacement) {
    if (old.m_superlayer != this || !replacement || replacement.get() == &old) return;
    insertSublayerAbove(std::move(replacement), old);
    const_cast<Layer&>(old).removeFromSuperlayer();
}

void Layer::removeFromSuperlayer() {
    Layer* parent = std::exchange(m_superlayer, nullptr);
    if (!parent) return;
    auto& siblings = parent->m_sublayers;
    const auto at = std::find_if(siblings.begin(), siblings.end(),
                                 [this](const auto& s) { return s.get() == this; });
    if (at == siblings.end()) return;
    // Keeps this layer alive until the function returns, even if the parent was its owner.
    const std::shared_ptr<Layer> self = std::move(*at);
    siblings.erase(at);
}

bool Layer::isDescendantOf(const Layer& ancestor) const {
    for (const Layer* layer = this; layer; layer = layer->m_superlayer) {
        if (layer == &ancestor) return true;
    }
    return false;
}

// Coordinates.

namespace {

Homography toRoot(const Layer& layer) {
    Homography map;
    for (const Layer* l = &layer; l->superlayer(); l = l->superlayer())
        map = map.then(layerToSuperlayer(*l, l->superlayer()));
    return map;
}

Point mapBetween(Point point, const Layer& from, const Layer* to) {
    const Point inRoot = toRoot(from).apply(point);
    if (!to) return inRoot;
    const auto back = toRoot(*to).inverted();
    return back ? back->apply(inRoot) : inRoot;
}

Rect mapRectBetween(const Rect& rect, const Layer& from, const Layer* to) {
    if (rect.isNull()) return rect;
    const Rect r = rect.standardized();
    Rect box = Rect::null();
    for (const Point corner : {Point{r.minX(), r.minY()}, Point{r.maxX(), r.minY()},
                               Point{r.minX(), r.maxY()}, Point{r.maxX(), r.maxY()}})
        box = box.unionWith(Rect{mapBetween(corner, from, to), {}});
    return box;
}

}  // namespace

Point Layer::convertPoint_toLayer(Point point, const Layer* layer) const {
    return mapBetween(point, *this, layer);
}

Point Layer::convertPoint_fromLayer(Point point, const Layer* layer) const {
    if (!layer) {
        const auto back = toRoot(*this).inverted();
        return back ? back->apply(point) : point;
    }
    return mapBetween(point, *layer, this);
}

Rect Layer::convertRect_toLayer(const Rect& rect, const Layer* layer) const {
    return mapRectBetween(rect, *this, layer);
}

Rect Layer::convertRect_fromLayer(const Rect& rect, const Layer* layer) const {
    if (!layer) {
        const auto back = toRoot(*this).inverted();
        if (!back || rect.isNull()) return rect;
        const Rect r = rect.standardized();
        Rect box = Rect::null();
        for (const Point corner : {Point{r.minX(), r.minY()}, Point{r.maxX(), r.minY()},
                                   Point{r.minX(), r.maxY()}, Point{r.maxX(), r.maxY()}})
            box = box.unionWith(Rect{back->apply(corner), {}});
        return box;
    }
    return mapRectBetween(rect, *layer, this);
}

bool Layer::containsPoint(Point point) const {
    return m_props.bounds.contains(point);
}

// Animations.

void Layer::addAnimation(const Animation& animation, const std::string& key) {
    if (!key.empty()) removeAnimationForKey(key);
    auto record = std::make_shared<detail::AnimationRecord>();
    record->key = key;
    record->animation = animation.copy();
    record->layer = this;
    Animation& added = *record->animation;
    if (added.beginTime() == 0) added.setBeginTime(now());
    record->groups = Transaction::openCompletionGroups();
    for (const auto& group : record->groups)
        group->retain();
    if (dynamic_cast<const Transition*>(&added)) record->snapshot = renderLayer(*this);
    m_animations.push_back(record);

    std::weak_ptr<detail::AnimationRecord> weak = record;
    auto start = [weak] {
        if (auto r = weak.lock()) reportStart(r);
    };
    if (added.beginTime() <= now())
        RunLoop::main().perform(start);
    else
        record->startTimer = scheduleAt(added.beginTime(), start);
    const double end = added.endTime();
    if (std::isfinite(end)) {
        record->endTimer = scheduleAt(end, [weak] {
            auto r = weak.lock();
            if (!r) return;
            if (r->layer && r->animation->isRemovedOnCompletion()) r->layer->removeRecord(r);
            reportStart(r);
            reportStop(r, true);
        });
    }
}

void Layer::removeRecord(const Record& record) {
    std::erase(m_animations, record);
    record->layer = nullptr;
}

std::shared_ptr<const Animation> Layer::animationForKey(const std::string& key) const {
    for (const auto& record : m_animations) {
        if (!key.empty() && record->key == key) return record->animation;
    }
    return nullptr;
}

void Layer::removeAnimationForKey(const std::string& key) {
    const auto at = std::find_if(m_animations.begin(), m_animations.end(),
                                 [&](const auto& r) { return !key.empty() && r->key == key; });
    if (at == m_animations.end()) return;
    const Record record = *at;
    m_animations.erase(at);
    detach(record);
}

void Layer::removeAllAnimations() {
    for (const auto& record : std::exchange(m_animations, {}))
        detach(record);
}

std::vector<std::string> Layer::animationKeys() const {
    std::vector<std::string> keys;
    for (const auto& record : m_animations) {
        if (!record->key.empty()) keys.push_back(record->key);
    }
    return keys;
}

std::shared_ptr<Layer> Layer::presentationLayer() const {
    auto copy = copyProperties();
    copy->m_model = std::const_pointer_cast<Layer>(weak_from_this().lock());
    const double time = now();
    for (const auto& record : m_animations)
        record->animation->applyTo(*copy, time);
    return copy;
}

std::optional<Layer::TransitionState> Layer::activeTransition() const {
    std::optional<TransitionState> state;
    for (const auto& record : m_animations) {
        const auto* transition = dynamic_cast<const Transition*>(record->animation.get());
        if (!transition || !record->snapshot) continue;
        if (const auto progress = transition->progressAt(now()))
            state = TransitionState{record->snapshot, *progress};
    }
    return state;
}

// Key paths and actions.

std::optional<AnimationValue> Layer::valueForKey(std::string_view key) const {
    const auto& p = m_props;
    if (key == "bounds") return p.bounds;
    if (key == "position") return p.position;
    if (key == "zPosition") return p.zPosition;
    if (key == "anchorPoint") return p.anchorPoint;
    if (key == "transform") return p.transform;
    if (key == "sublayerTransform") return p.sublayerTransform;
    if (key == "opacity") return p.opacity;
    if (key == "backgroundColor") return p.backgroundColor.value_or(Color::clearColor());
    if (key == "cornerRadius") return p.cornerRadius;
    if (key == "borderWidth") return p.borderWidth;
    if (key == "borderColor") return p.borderColor;
    if (key == "shadowColor") return p.shadowColor;
    if (key == "shadowOpacity") return p.shadowOpacity;
    if (key == "shadowOffset") return p.shadowOffset;
    if (key == "shadowRadius") return p.shadowRadius;
    return std::nullopt;
}

bool Layer::storeValueForKey(std::string_view key, const AnimationValue& value) {
    auto& p = m_props;
    if (key == "bounds") return storeAs(value, p.bounds);
    if (key == "position") return storeAs(value, p.position);
    if (key == "zPosition") return storeAs(value, p.zPosition);
    if (key == "anchorPoint") return storeAs(value, p.anchorPoint);
    if (key == "transform") return storeAs(value, p.transform);
    if (key == "sublayerTransform") return storeAs(value, p.sublayerTransform);
    if (key == "opacity") return storeAs(value, p.opacity);
    if (key == "backgroundColor") return storeAs(value, p.backgroundColor);
    if (key == "cornerRadius") return storeAs(value, p.cornerRadius);
    if (key == "borderWidth") return storeAs(value, p.borderWidth);
    if (key == "borderColor") return storeAs(value, p.borderColor);
    if (key == "shadowColor") return storeAs(value, p.shadowColor);
    if (key == "shadowOpacity") return storeAs(value, p.shadowOpacity);
    if (key == "shadowOffset") return storeAs(value, p.shadowOffset);
    if (key == "shadowRadius") return storeAs(value, p.shadowRadius);
    return false;
}

std::optional<AnimationValue> Layer::valueForKeyPath(std::string_view keyPath) const {
    const auto [key, rest] = splitKeyPath(keyPath);
    const auto whole = valueForKey(key);
    if (!whole) return std::nullopt;
    return componentOf(*whole, rest);
}

void Layer::storeValueForKeyPath(std::string_view keyPath, const AnimationValue& value) {
    const auto [key, rest] = splitKeyPath(keyPath);
    const auto whole = valueForKey(key);
    if (!whole) return;
    if (const auto changed = withComponent(*whole, rest, value)) storeValueForKey(key, *changed);
}

bool Layer::setValueForKeyPath(std::string_view keyPath, const AnimationValue& value) {
    const auto [key, rest] = splitKeyPath(keyPath);
    const auto whole = valueForKey(key);
    if (!whole) return false;
    const auto changed = withComponent(*whole, rest, value);
    if (!changed) return false;
    if (*changed == *whole) return true;
    auto change = beginChange(key);
    storeValueForKey(key, *changed);
    endChange(key, std::move(change));
    return true;
}

std::shared_ptr<Animation> Layer::actionForKey(std::string_view key) {
    if (Transaction::disableActions()) return nullptr;
    if (m_delegate) {
        if (auto action = m_delegate->actionForLayer(*this, key)) return *action;
    }
    if (const auto found = m_actions.find(key); found != m_actions.end()) return found->second;
    return defaultActionForKey(key);
}

std::shared_ptr<Animation> Layer::defaultActionForKey(std::string_view key) const {
    if (!valueForKey(key) || m_createdInTurn == currentTurn()) return nullptr;
    auto animation = BasicAnimation::animationWithKeyPath(std::string(key));
    animation->setDuration(Transaction::animationDuration());
    animation->setTimingFunction(Transaction::animationTimingFunction().value_or(
        MediaTimingFunction::functionWithName(MediaTimingFunction::Name::Default)));
    return animation;
}

Layer::PendingChange Layer::beginChange(std::string_view key) {
    PendingChange change;
    change.action = actionForKey(key);
    if (change.action) {
        change.presentationValue =
            m_animations.empty() ? valueForKey(key) : presentationLayer()->valueForKey(key);
    }
    return change;
}

void Layer::endChange(std::string_view key, PendingChange change) {
    if (!change.action) return;
    auto action = change.action->copy();
    if (auto* property = dynamic_cast<PropertyAnimation*>(action.get())) {
        if (property->keyPath().empty()) property->setKeyPath(std::string(key));
    }
    if (auto* basic = dynamic_cast<BasicAnimation*>(action.get())) {
        if (!basic->fromValue() && !basic->byValue()) basic->setFromValue(change.presentationValue);
    }
    addAnimation(*action, std::string(key));
}

}  // namespace ov::ui
