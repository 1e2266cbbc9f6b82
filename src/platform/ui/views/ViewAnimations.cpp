// The view animation blocks: a stack of open blocks whose settings the views' layers turn into
// animations when a property changes (View::actionForLayer).

#include <algorithm>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/ui/views/View.h"
#include "orvane/platform/values/Clock.h"
#include "platform/ui/layers/CompletionGroup.h"

namespace ov::ui {

namespace {

// What a begin/commit block reports to its delegate.
struct DelegateInfo {
    String animationID;
    void* context = nullptr;
    std::weak_ptr<ViewAnimationDelegate> delegate;
};

struct AnimationBlock {
    double duration = 0.2;
    double delay = 0;
    UIViewAnimationOptions options = 0;
    std::optional<double> dampingRatio;
    double springVelocity = 0;
    std::optional<double> repeatCount;
    std::optional<bool> autoreverses;
    std::optional<bool> fromCurrentState;
    std::optional<UIViewAnimationCurve> curve;
    bool enabled = true;
    std::shared_ptr<CompletionGroup> group;
    std::shared_ptr<DelegateInfo> delegateInfo;
    std::vector<std::weak_ptr<View>> changedViews;
};

std::vector<AnimationBlock>& blocks() {
    thread_local std::vector<AnimationBlock> stack;
    return stack;
}

bool& animationsEnabled() {
    thread_local bool enabled = true;
    return enabled;
}

MediaTimingFunction curveFunction(UIViewAnimationCurve curve) {
    using Name = MediaTimingFunction::Name;
    switch (curve) {
        case UIViewAnimationCurveEaseIn:
            return MediaTimingFunction::functionWithName(Name::EaseIn);
        case UIViewAnimationCurveEaseOut:
            return MediaTimingFunction::functionWithName(Name::EaseOut);
        case UIViewAnimationCurveLinear:
            return MediaTimingFunction::functionWithName(Name::Linear);
        case UIViewAnimationCurveEaseInOut:
            break;
    }
    return MediaTimingFunction::functionWithName(Name::EaseInEaseOut);
}

UIViewAnimationCurve curveOf(const AnimationBlock& block) {
    if (block.curve) return *block.curve;
    return static_cast<UIViewAnimationCurve>((block.options >> 16) & 3);
}

// A spring of the given damping ratio whose motion settles by `duration`: the natural
// frequency is scaled until the settling time (which depends on the velocity relative to that
// frequency) matches.
void configureSpring(SpringAnimation& spring, double duration, double ratio, double velocity) {
    ratio = std::max(ratio, 0.01);
    double frequency = 1;
    for (int i = 0; i < 4; ++i) {
        SpringAnimation unit;
        unit.setStiffness(1);
        unit.setDamping(2 * ratio);
        unit.setInitialVelocity(velocity / frequency);
        frequency = unit.settlingDuration() / duration;
    }
    spring.setMass(1);
    spring.setStiffness(frequency * frequency);
    spring.setDamping(2 * ratio * frequency);
    spring.setInitialVelocity(velocity);
}

void runBlock(AnimationBlock block, const View::Animations& animations) {
    blocks().push_back(std::move(block));
    if (animations) animations();
    if (blocks().back().options & UIViewAnimationOptionLayoutSubviews) {
        for (const auto& weak : std::vector(blocks().back().changedViews)) {
            if (auto view = weak.lock()) view->layoutIfNeeded();
        }
    }
    const auto group = std::move(blocks().back().group);
    blocks().pop_back();
    if (group) group->seal();
}

std::shared_ptr<CompletionGroup> groupFor(View::Completion completion) {
    if (!completion) return nullptr;
    return std::make_shared<CompletionGroup>(std::move(completion));
}

}  // namespace

std::optional<std::shared_ptr<Animation>> View::actionForLayer(Layer& layer, std::string_view key) {
    if (blocks().empty() || !blocks().back().enabled || !animationsEnabled())
        return std::shared_ptr<Animation>();
    return makeAnimationAction(layer, key);
}

std::shared_ptr<Animation> View::makeAnimationAction(Layer& layer, std::string_view key) {
    AnimationBlock& block = blocks().back();
    const auto current = layer.valueForKeyPath(key);
    if (!current || block.duration <= 0) return nullptr;

    std::shared_ptr<BasicAnimation> animation;
    if (block.dampingRatio) {
        auto spring = std::make_shared<SpringAnimation>();
        configureSpring(*spring, block.duration, *block.dampingRatio, block.springVelocity);
        animation = spring;
    } else {
        animation = std::make_shared<BasicAnimation>();
        animation->setTimingFunction(curveFunction(curveOf(block)));
    }
    animation->setKeyPath(std::string(key));
    animation->setDuration(block.duration);
    const bool fromCurrent =
        block.fromCurrentState.value_or(block.options & UIViewAnimationOptionBeginFromCurrentState);
    animation->setFromValue(fromCurrent ? layer.presentationLayer()->valueForKeyPath(key)
                                        : current);
    if (block.delay > 0) {
        animation->setBeginTime(Clock::current().now() + block.delay);
        animation->setFillMode(FillMode::Backwards);
    }
    if (block.repeatCount)
        animation->setRepeatCount(*block.repeatCount);
    else if (block.options & UIViewAnimationOptionRepeat)
        animation->setRepeatCount(MediaTiming::kRepeatForever);
    animation->setAutoreverses(
        block.autoreverses.value_or(block.options & UIViewAnimationOptionAutoreverse));

    auto self = weak_from_this();
    const bool blocksTouches =
        !(block.options & UIViewAnimationOptionAllowUserInteraction) && !self.expired();
    if (blocksTouches) ++m_interactionBlockingAnimations;
    if (block.group) block.group->retain();
    animation->setCompletion([group = block.group, self, blocksTouches](bool finished) {
        if (auto view = self.lock(); view && blocksTouches) --view->m_interactionBlockingAnimations;
        if (group) group->release(finished);
    });
    block.changedViews.push_back(self);
    return animation;
}

void View::animateWithDuration(double duration, double delay, UIViewAnimationOptions options,
                               Animations animations, Completion completion) {
    AnimationBlock block;
    block.duration = duration;
    block.delay = delay;
    block.options = options;
    block.group = groupFor(std::move(completion));
    runBlock(std::move(block), animations);
}

void View::animateWithDuration(double duration, Animations animations, Completion completion) {
    animateWithDuration(duration, 0, 0, std::move(animations), std::move(completion));
}

void View::animateWithDuration(double duration, double delay, double dampingRatio,
                               double initialSpringVelocity, UIViewAnimationOptions options,
                               Animations animations, Completion completion) {
    AnimationBlock block;
    block.duration = duration;
    block.delay = delay;
    block.options = options;
    block.dampingRatio = dampingRatio;
    block.springVelocity = initialSpringVelocity;
    block.group = groupFor(std::move(completion));
    runBlock(std::move(block), animations);
}

void View::transitionWithView(View& view, double duration, UIViewAnimationOptions options,
                              Animations animations, Completion completion) {
    if (((options >> 20) & 7) == 0) {
        animateWithDuration(duration, 0, options, std::move(animations), std::move(completion));
        return;
    }
    const auto group = groupFor(std::move(completion));
    auto fade = Transition::animation();
    fade->setDuration(duration);
    fade->setTimingFunction(curveFunction(static_cast<UIViewAnimationCurve>((options >> 16) & 3)));
    if (group) {
        group->retain();
        fade->setCompletion([group](bool finished) { group->release(finished); });
    }
    view.layer().addAnimation(*fade, "transition");
    performWithoutAnimation(animations);
    if (group) group->seal();
}

void View::performWithoutAnimation(const Animations& changes) {
    AnimationBlock block;
    block.enabled = false;
    runBlock(std::move(block), changes);
}

bool View::areAnimationsEnabled() {
    return animationsEnabled();
}
void View::setAnimationsEnabled(bool enabled) {
    animationsEnabled() = enabled;
}

void View::beginAnimations(const String& animationID, void* context) {
    AnimationBlock block;
    block.curve = UIViewAnimationCurveEaseInOut;
    block.delegateInfo = std::make_shared<DelegateInfo>(DelegateInfo{animationID, context, {}});
    block.group = std::make_shared<CompletionGroup>([info = block.delegateInfo](bool finished) {
        if (auto delegate = info->delegate.lock())
            delegate->animationDidStop(info->animationID, finished, info->context);
    });
    blocks().push_back(std::move(block));
}

void View::commitAnimations() {
    if (blocks().empty() || !blocks().back().delegateInfo) return;
    const auto info = blocks().back().delegateInfo;
    const auto group = std::move(blocks().back().group);
    blocks().pop_back();
    RunLoop::main().perform([info] {
        if (auto delegate = info->delegate.lock())
            delegate->animationWillStart(info->animationID, info->context);
    });
    group->seal();
}

void View::setAnimationDuration(double duration) {
    if (!blocks().empty()) blocks().back().duration = duration;
}
void View::setAnimationDelay(double delay) {
    if (!blocks().empty()) blocks().back().delay = delay;
}
void View::setAnimationCurve(UIViewAnimationCurve curve) {
    if (!blocks().empty()) blocks().back().curve = curve;
}
void View::setAnimationRepeatCount(double repeatCount) {
    if (!blocks().empty()) blocks().back().repeatCount = repeatCount;
}
void View::setAnimationRepeatAutoreverses(bool autoreverses) {
    if (!blocks().empty()) blocks().back().autoreverses = autoreverses;
}
void View::setAnimationBeginsFromCurrentState(bool fromCurrentState) {
    if (!blocks().empty()) blocks().back().fromCurrentState = fromCurrentState;
}
void View::setAnimationDelegate(std::weak_ptr<ViewAnimationDelegate> delegate) {
    if (!blocks().empty() && blocks().back().delegateInfo)
        blocks().back().delegateInfo->delegate = std::move(delegate);
}

}  // namespace ov::ui
