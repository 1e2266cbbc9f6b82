#include "orvane/platform/ui/layers/Animation.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/ui/layers/Layer.h"

namespace ov::ui {

double Animation::easedFraction(double simpleTime) const {
    const double fraction = simpleTime / effectiveDuration();
    return m_timingFunction ? m_timingFunction->evaluate(fraction) : fraction;
}

void PropertyAnimation::applyTo(Layer& presentation, double parentTime) const {
    const auto time = simpleTime(parentTime);
    if (!time) return;
    const auto underlying = presentation.valueForKeyPath(m_keyPath);
    if (!underlying) return;
    auto value = valueAt(*time, *underlying);
    if (!value) return;
    if (m_additive) value = add(*underlying, *value);
    presentation.storeValueForKeyPath(m_keyPath, *value);
}

std::shared_ptr<BasicAnimation> BasicAnimation::animationWithKeyPath(std::string keyPath) {
    auto animation = std::make_shared<BasicAnimation>();
    animation->setKeyPath(std::move(keyPath));
    return animation;
}

std::shared_ptr<Animation> BasicAnimation::copy() const {
    return std::make_shared<BasicAnimation>(*this);
}

std::optional<AnimationValue> BasicAnimation::valueAt(double simpleTime,
                                                      const AnimationValue& underlying) const {
    AnimationValue from = underlying, to = underlying;
    if (m_fromValue && m_toValue) {
        from = *m_fromValue;
        to = *m_toValue;
    } else if (m_fromValue && m_byValue) {
        from = *m_fromValue;
        to = add(from, *m_byValue);
    } else if (m_toValue && m_byValue) {
        to = *m_toValue;
        from = subtract(to, *m_byValue);
    } else if (m_fromValue) {
        from = *m_fromValue;
    } else if (m_toValue) {
        to = *m_toValue;
    } else if (m_byValue) {
        to = add(underlying, *m_byValue);
    }
    return interpolate(from, to, fractionAt(simpleTime));
}

std::shared_ptr<SpringAnimation> SpringAnimation::animationWithKeyPath(std::string keyPath) {
    auto animation = std::make_shared<SpringAnimation>();
    animation->setKeyPath(std::move(keyPath));
    return animation;
}

std::shared_ptr<Animation> SpringAnimation::copy() const {
    return std::make_shared<SpringAnimation>(*this);
}

double SpringAnimation::springFraction(double t) const {
    if (m_mass <= 0 || m_stiffness <= 0) return 1;
    const double w0 = std::sqrt(m_stiffness / m_mass);
    const double zeta = m_damping / (2 * std::sqrt(m_stiffness * m_mass));
    const double v0 = m_initialVelocity;
    double displacement;
    if (zeta < 1) {
        const double wd = w0 * std::sqrt(1 - zeta * zeta);
        const double b = (zeta * w0 - v0) / wd;
        displacement = std::exp(-zeta * w0 * t) * (std::cos(wd * t) + b * std::sin(wd * t));
    } else if (zeta == 1) {
        displacement = (1 + (w0 - v0) * t) * std::exp(-w0 * t);
    } else {
        const double root = std::sqrt(zeta * zeta - 1);
        const double r1 = -w0 * (zeta - root), r2 = -w0 * (zeta + root);
        const double c2 = (-v0 - r1) / (r2 - r1);
        displacement = (1 - c2) * std::exp(r1 * t) + c2 * std::exp(r2 * t);
    }
    return 1 - displacement;
}

double SpringAnimation::settlingDuration() const {
    constexpr double kStep = 1.0 / 240, kLimit = 120;
    double lastOutside = 0;
    for (double t = 0; t < kLimit; t += kStep) {
        if (std::abs(1 - springFraction(t)) > 0.001) lastOutside = t;
    }
    return lastOutside + kStep;
}

double SpringAnimation::fractionAt(double simpleTime) const {
    // The pass's far end is the resting place.
    if (simpleTime >= effectiveDuration()) return 1;
    return springFraction(simpleTime);
}

std::shared_ptr<KeyframeAnimation> KeyframeAnimation::animationWithKeyPath(std::string keyPath) {
    auto animation = std::make_shared<KeyframeAnimation>();
    animation->setKeyPath(std::move(keyPath));
    return animation;
}

std::shared_ptr<Animation> KeyframeAnimation::copy() const {
    return std::make_shared<KeyframeAnimation>(*this);
}

std::optional<AnimationValue> KeyframeAnimation::valueAt(double simpleTime,
                                                         const AnimationValue&) const {
    const size_t count = m_values.size();
    if (count == 0) return std::nullopt;
    if (count == 1) return m_values.front();
    const double fraction = easedFraction(simpleTime);
    const bool given = m_keyTimes.size() == count;
    auto keyTime = [&](size_t i) {
        return given ? m_keyTimes[i] : static_cast<double>(i) / static_cast<double>(count - 1);
    };
    if (fraction >= keyTime(count - 1)) return m_values.back();
    if (fraction <= keyTime(0)) return m_values.front();
    size_t segment = 0;
    while (segment + 2 < count && fraction >= keyTime(segment + 1))
        ++segment;
    if (m_calculationMode == CalculationMode::Discrete) return m_values[segment];
    const double span = keyTime(segment + 1) - keyTime(segment);
    double local = span > 0 ? (fraction - keyTime(segment)) / span : 1;
    if (m_timingFunctions.size() == count - 1) local = m_timingFunctions[segment].evaluate(local);
    return interpolate(m_values[segment], m_values[segment + 1], local);
}

std::shared_ptr<AnimationGroup> AnimationGroup::animation() {
    return std::make_shared<AnimationGroup>();
}

std::shared_ptr<Animation> AnimationGroup::copy() const {
    auto group = std::make_shared<AnimationGroup>(*this);
    group->setAnimations(m_animations);
    return group;
}

void AnimationGroup::setAnimations(const std::vector<std::shared_ptr<Animation>>& animations) {
    m_animations.clear();
    for (const auto& animation : animations) {
        if (animation) m_animations.push_back(animation->copy());
    }
}

void AnimationGroup::applyTo(Layer& presentation, double parentTime) const {
    const auto time = simpleTime(parentTime);
    if (!time) return;
    for (const auto& animation : m_animations)
        animation->applyTo(presentation, *time);
}

std::shared_ptr<Transition> Transition::animation() {
    return std::make_shared<Transition>();
}

std::shared_ptr<Animation> Transition::copy() const {
    return std::make_shared<Transition>(*this);
}

std::optional<double> Transition::progressAt(double parentTime) const {
    const auto time = simpleTime(parentTime);
    if (!time) return std::nullopt;
    return m_startProgress + (m_endProgress - m_startProgress) * easedFraction(*time);
}

}  // namespace ov::ui
