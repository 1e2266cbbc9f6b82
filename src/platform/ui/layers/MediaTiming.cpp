#include "orvane/platform/ui/layers/MediaTiming.h"

#include <algorithm>
#include <cmath>

namespace ov::ui {

namespace {

double bezier(double t, double p1, double p2) {
    const double u = 1 - t;
    return 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t;
}

double bezierSlope(double t, double p1, double p2) {
    const double u = 1 - t;
    return 3 * u * u * p1 + 6 * u * t * (p2 - p1) + 3 * t * t * (1 - p2);
}

}  // namespace

MediaTimingFunction MediaTimingFunction::functionWithName(Name name) {
    switch (name) {
        case Name::Linear:
            return {};
        case Name::EaseIn:
            return functionWithControlPoints(0.42, 0, 1, 1);
        case Name::EaseOut:
            return functionWithControlPoints(0, 0, 0.58, 1);
        case Name::EaseInEaseOut:
            return functionWithControlPoints(0.42, 0, 0.58, 1);
        case Name::Default:
            return functionWithControlPoints(0.25, 0.1, 0.25, 1);
    }
    return {};
}

MediaTimingFunction MediaTimingFunction::functionWithControlPoints(double x1, double y1, double x2,
                                                                   double y2) {
    MediaTimingFunction function;
    function.m_points = {std::clamp(x1, 0.0, 1.0), y1, std::clamp(x2, 0.0, 1.0), y2};
    return function;
}

double MediaTimingFunction::evaluate(double x) const {
    x = std::clamp(std::isnan(x) ? 0.0 : x, 0.0, 1.0);
    const auto [x1, y1, x2, y2] = m_points;
    if (x1 == y1 && x2 == y2) return x;
    // Newton's method on x(t) = x, falling back to bisection where the slope is flat.
    double t = x;
    for (int i = 0; i < 8; ++i) {
        const double error = bezier(t, x1, x2) - x;
        if (std::abs(error) < 1e-9) return bezier(t, y1, y2);
        const double slope = bezierSlope(t, x1, x2);
        if (std::abs(slope) < 1e-6) break;
        t -= error / slope;
    }
    double low = 0, high = 1;
    t = x;
    for (int i = 0; i < 60; ++i) {
        const double value = bezier(t, x1, x2);
        if (std::abs(value - x) < 1e-9) break;
        (value < x ? low : high) = t;
        t = (low + high) / 2;
    }
    return bezier(t, y1, y2);
}

double MediaTiming::activeDuration() const {
    const double pass = effectiveDuration() * (m_autoreverses ? 2 : 1);
    if (m_repeatDuration > 0) return m_repeatDuration;
    return pass * (m_repeatCount > 0 ? m_repeatCount : 1);
}

double MediaTiming::endTime() const {
    if (m_speed <= 0) return std::numeric_limits<double>::infinity();
    return m_beginTime + (activeDuration() - m_timeOffset) / m_speed;
}

std::optional<double> MediaTiming::simpleTime(double parentTime) const {
    const double duration = effectiveDuration();
    const double pass = duration * (m_autoreverses ? 2 : 1);
    const double active = activeDuration();
    double local = (parentTime - m_beginTime) * m_speed + m_timeOffset;
    double inPass;
    if (local < 0) {
        if (m_fillMode != FillMode::Backwards && m_fillMode != FillMode::Both) return std::nullopt;
        inPass = 0;
    } else if (local >= active) {
        if (m_fillMode != FillMode::Forwards && m_fillMode != FillMode::Both) return std::nullopt;
        // The end of the last pass: a whole number of passes ends at the pass's far end.
        const double rest = std::fmod(active, pass);
        inPass = rest == 0 ? pass : rest;
    } else {
        inPass = std::fmod(local, pass);
    }
    if (inPass > duration) inPass = pass - inPass;
    return inPass;
}

}  // namespace ov::ui
