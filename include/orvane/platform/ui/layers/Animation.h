#pragma once
// Animations of layer properties (the platform's CABasicAnimation, CAKeyframeAnimation,
// CASpringAnimation, CATransition and CAAnimationGroup). An animation never changes the
// layer's model values: it describes how the presentation value moves over time, computed from
// Clock::current() whenever the presentation is read, so "half the duration gives half the
// value".
//
//   auto fade = ov::ui::BasicAnimation::animationWithKeyPath("opacity");
//   fade->setFromValue(1.0);
//   fade->setToValue(0.0);
//   fade->setDuration(1.0);
//   fade->setAutoreverses(true);
//   fade->setRepeatCount(ov::ui::MediaTiming::kRepeatForever);
//   layer->addAnimation(*fade, "animateOpacity");   // the layer keeps a copy
//   // 0.25 s later: layer->presentationLayer()->opacity() == 0.75
//
//   auto shake = ov::ui::KeyframeAnimation::animationWithKeyPath("transform.translation.x");
//   shake->setValues({-20.0, 20.0, -20.0, 20.0, -10.0, 10.0, -5.0, 5.0, 0.0});
//   shake->setDuration(0.6);
//
// A layer copies an animation when it is added; changing the original afterwards changes
// nothing. Start and stop are told, in that order, to the delegate (held weakly) and then to
// the completion, from the main run loop: the stop comes at the end time with finished = true,
// or on a later turn after a removal with finished = false.

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "orvane/platform/ui/layers/AnimationValue.h"
#include "orvane/platform/ui/layers/MediaTiming.h"

namespace ov::ui {

class Animation;
class Layer;

class AnimationDelegate {
  public:
    virtual ~AnimationDelegate() = default;
    virtual void animationDidStart(Animation& animation) { (void)animation; }
    virtual void animationDidStop(Animation& animation, bool finished) {
        (void)animation;
        (void)finished;
    }
};

class Animation : public MediaTiming {
  public:
    using Completion = std::function<void(bool finished)>;

    virtual ~Animation() = default;
    virtual std::shared_ptr<Animation> copy() const = 0;

    // Eases the whole of each simple pass; none means linear.
    const std::optional<MediaTimingFunction>& timingFunction() const { return m_timingFunction; }
    void setTimingFunction(std::optional<MediaTimingFunction> function) {
        m_timingFunction = function;
    }
    // Whether the layer drops the animation once it has ended (true by default). Keep it with
    // FillMode::Forwards to hold the end value.
    bool isRemovedOnCompletion() const { return m_removedOnCompletion; }
    void setRemovedOnCompletion(bool removed) { m_removedOnCompletion = removed; }
    const std::weak_ptr<AnimationDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<AnimationDelegate> delegate) {
        m_delegate = std::move(delegate);
    }
    // Called once when the animation stops, after the delegate.
    const Completion& completion() const { return m_completion; }
    void setCompletion(Completion completion) { m_completion = std::move(completion); }

    // Writes the animation's effect at `parentTime` (see MediaTiming::beginTime) into a
    // presentation copy of the layer.
    virtual void applyTo(Layer& presentation, double parentTime) const = 0;

  protected:
    // The eased fraction of the simple pass at `simpleTime` seconds into it.
    double easedFraction(double simpleTime) const;

  private:
    std::optional<MediaTimingFunction> m_timingFunction;
    bool m_removedOnCompletion = true;
    std::weak_ptr<AnimationDelegate> m_delegate;
    Completion m_completion;
};

// An animation of one property, named by a key path such as "opacity", "position.x" or
// "transform.rotation.z" (see Layer::valueForKeyPath).
class PropertyAnimation : public Animation {
  public:
    const std::string& keyPath() const { return m_keyPath; }
    void setKeyPath(std::string keyPath) { m_keyPath = std::move(keyPath); }
    // Adds the animated value to the value underneath instead of replacing it.
    bool isAdditive() const { return m_additive; }
    void setAdditive(bool additive) { m_additive = additive; }

    void applyTo(Layer& presentation, double parentTime) const override;

  protected:
    // The animated value at `simpleTime` over `underlying` (the value before this animation);
    // nullopt for none.
    virtual std::optional<AnimationValue> valueAt(double simpleTime,
                                                  const AnimationValue& underlying) const = 0;

  private:
    std::string m_keyPath;
    bool m_additive = false;
};

// From one value to another. Missing ends come from the value underneath, as on the platform:
// from and to; from and from + by; to - by and to; from and underlying; underlying and to;
// underlying and underlying + by.
class BasicAnimation : public PropertyAnimation {
  public:
    static std::shared_ptr<BasicAnimation> animationWithKeyPath(std::string keyPath);
    std::shared_ptr<Animation> copy() const override;

    const std::optional<AnimationValue>& fromValue() const { return m_fromValue; }
    void setFromValue(std::optional<AnimationValue> value) { m_fromValue = std::move(value); }
    const std::optional<AnimationValue>& toValue() const { return m_toValue; }
    void setToValue(std::optional<AnimationValue> value) { m_toValue = std::move(value); }
    const std::optional<AnimationValue>& byValue() const { return m_byValue; }
    void setByValue(std::optional<AnimationValue> value) { m_byValue = std::move(value); }

  protected:
    std::optional<AnimationValue> valueAt(double simpleTime,
                                          const AnimationValue& underlying) const override;
    // The fraction of the way from the start to the end value.
    virtual double fractionAt(double simpleTime) const { return easedFraction(simpleTime); }

  private:
    std::optional<AnimationValue> m_fromValue;
    std::optional<AnimationValue> m_toValue;
    std::optional<AnimationValue> m_byValue;
};

// A damped spring from the start value to the end value, driven by seconds (not the fraction
// of the duration): the duration only says how long the animation lasts, so set it to
// settlingDuration() to see the spring come to rest. The timing function is not used.
class SpringAnimation : public BasicAnimation {
  public:
    static std::shared_ptr<SpringAnimation> animationWithKeyPath(std::string keyPath);
    std::shared_ptr<Animation> copy() const override;

    double mass() const { return m_mass; }
    void setMass(double mass) { m_mass = mass; }
    double stiffness() const { return m_stiffness; }
    void setStiffness(double stiffness) { m_stiffness = stiffness; }
    double damping() const { return m_damping; }
    void setDamping(double damping) { m_damping = damping; }
    // In whole distances per second, towards the end value.
    double initialVelocity() const { return m_initialVelocity; }
    void setInitialVelocity(double velocity) { m_initialVelocity = velocity; }

    // Seconds until the spring stays within 0.1 % of the distance from its end value.
    double settlingDuration() const;
    // The spring's position at `seconds`: 0 at the start value, 1 at the end value.
    double springFraction(double seconds) const;

  protected:
    double fractionAt(double simpleTime) const override;

  private:
    double m_mass = 1;
    double m_stiffness = 100;
    double m_damping = 10;
    double m_initialVelocity = 0;
};

// Through a list of values. Key times (fractions of the duration, one per value, rising from
// 0 to 1) default to even spacing; a timing function per segment (one fewer than the values)
// eases within it, after the animation's own timing function has eased the whole pass.
class KeyframeAnimation : public PropertyAnimation {
  public:
    // Linear blends between neighbours; discrete holds each value until the next key time.
    enum class CalculationMode { Linear, Discrete };

    static std::shared_ptr<KeyframeAnimation> animationWithKeyPath(std::string keyPath);
    std::shared_ptr<Animation> copy() const override;

    const std::vector<AnimationValue>& values() const { return m_values; }
    void setValues(std::vector<AnimationValue> values) { m_values = std::move(values); }
    // Ignored unless there is one per value.
    const std::vector<double>& keyTimes() const { return m_keyTimes; }
    void setKeyTimes(std::vector<double> keyTimes) { m_keyTimes = std::move(keyTimes); }
    const std::vector<MediaTimingFunction>& timingFunctions() const { return m_timingFunctions; }
    void setTimingFunctions(std::vector<MediaTimingFunction> functions) {
        m_timingFunctions = std::move(functions);
    }
    CalculationMode calculationMode() const { return m_calculationMode; }
    void setCalculationMode(CalculationMode mode) { m_calculationMode = mode; }

  protected:
    std::optional<AnimationValue> valueAt(double simpleTime,
                                          const AnimationValue& underlying) const override;

  private:
    std::vector<AnimationValue> m_values;
    std::vector<double> m_keyTimes;
    std::vector<MediaTimingFunction> m_timingFunctions;
    CalculationMode m_calculationMode = CalculationMode::Linear;
};

// Several animations sharing one timeline: each child's begin time counts from the group's
// start, and the group's timing (duration, repeat, fill) bounds them all.
class AnimationGroup : public Animation {
  public:
    static std::shared_ptr<AnimationGroup> animation();
    std::shared_ptr<Animation> copy() const override;

    const std::vector<std::shared_ptr<Animation>>& animations() const { return m_animations; }
    // The group keeps copies.
    void setAnimations(const std::vector<std::shared_ptr<Animation>>& animations);

    void applyTo(Layer& presentation, double parentTime) const override;

  private:
    std::vector<std::shared_ptr<Animation>> m_animations;
};

// A cross-fade from how the layer looked when the transition was added to how it looks now.
// Add it before changing the layer (View::transitionWithView does this); the renderer draws
// the picture taken at that moment fading out over the live layer.
class Transition : public Animation {
  public:
    static std::shared_ptr<Transition> animation();
    std::shared_ptr<Animation> copy() const override;

    // The fraction of the fade at which the transition starts and ends (0 and 1).
    double startProgress() const { return m_startProgress; }
    void setStartProgress(double progress) { m_startProgress = progress; }
    double endProgress() const { return m_endProgress; }
    void setEndProgress(double progress) { m_endProgress = progress; }

    // How far the new look has faded in at `parentTime`; nullopt when the transition shows
    // nothing then.
    std::optional<double> progressAt(double parentTime) const;
    // Transitions change no property.
    void applyTo(Layer&, double) const override {}

  private:
    double m_startProgress = 0;
    double m_endProgress = 1;
};

}  // namespace ov::ui
