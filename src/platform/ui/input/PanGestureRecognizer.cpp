#include "orvane/platform/ui/input/PanGestureRecognizer.h"

#include <cmath>

#include "orvane/platform/ui/views/View.h"

namespace ov::ui {

Point PanGestureRecognizer::vectorInView(Point rootVector, const View* view) const {
    View* root = nullptr;
    if (!touches().empty()) root = touches().front()->root();
    if (!view || !root || view == root) return rootVector;
    const Point zero = view->convertPoint_fromView({0, 0}, root);
    const Point end = view->convertPoint_fromView(rootVector, root);
    return {end.x - zero.x, end.y - zero.y};
}

Point PanGestureRecognizer::translationInView(const View* view) const {
    const Point now = locationInView(nullptr);
    return vectorInView({now.x - m_origin.x, now.y - m_origin.y}, view);
}

void PanGestureRecognizer::setTranslation(Point translation, const View* view) {
    // Through the view's space and back, so a scaled view's translation reads as given.
    const Point unit = vectorInView({1, 1}, view);
    const Point inRoot{unit.x != 0 ? translation.x / unit.x : translation.x,
                       unit.y != 0 ? translation.y / unit.y : translation.y};
    const Point now = locationInView(nullptr);
    m_origin = {now.x - inRoot.x, now.y - inRoot.y};
}

Point PanGestureRecognizer::velocityInView(const View* view) const {
    if (m_samples.size() < 2) return {};
    const Sample& last = m_samples.back();
    const Sample* first = &m_samples.front();
    for (const Sample& sample : m_samples) {
        if (last.time - sample.time <= kVelocityWindow) {
            first = &sample;
            break;
        }
    }
    if (first == &last) first = &m_samples[m_samples.size() - 2];
    const double dt = last.time - first->time;
    if (dt <= 0) return {};
    return vectorInView(
        {(last.location.x - first->location.x) / dt, (last.location.y - first->location.y) / dt},
        view);
}

void PanGestureRecognizer::record(double time) {
    m_samples.push_back({locationInView(nullptr), time});
    while (m_samples.size() > 2 && time - m_samples[1].time > kVelocityWindow) {
        m_samples.pop_front();
    }
}

void PanGestureRecognizer::followCentroid() {
    // A finger added or lifted moves the centroid; the translation must not jump with it.
    if (m_samples.empty()) return;
    const Point before = m_samples.back().location;
    const Point now = locationInView(nullptr);
    m_origin.x += now.x - before.x;
    m_origin.y += now.y - before.y;
    for (Sample& sample : m_samples) {
        sample.location.x += now.x - before.x;
        sample.location.y += now.y - before.y;
    }
}

void PanGestureRecognizer::touchesBegan(const TouchSet&, const Event& event) {
    if (numberOfTouches() > m_maximumTouches) {
        if (state() == UIGestureRecognizerStatePossible) setState(UIGestureRecognizerStateFailed);
        return;
    }
    if (!m_tracking) {
        m_tracking = true;
        m_origin = locationInView(nullptr);
        m_samples.clear();
    } else {
        followCentroid();
    }
    record(event.timestamp());
}

void PanGestureRecognizer::touchesMoved(const TouchSet&, const Event& event) {
    record(event.timestamp());
    if (state() != UIGestureRecognizerStatePossible) {
        setState(UIGestureRecognizerStateChanged);
        return;
    }
    if (numberOfTouches() < m_minimumTouches) return;
    const Point t = translationInView(nullptr);
    if (std::hypot(t.x, t.y) >= kHysteresis) setState(UIGestureRecognizerStateBegan);
}

void PanGestureRecognizer::touchesEnded(const TouchSet&, const Event& event) {
    if (numberOfTouches() > 0) {
        followCentroid();
        record(event.timestamp());
        return;
    }
    record(event.timestamp());
    setState(state() == UIGestureRecognizerStatePossible ? UIGestureRecognizerStateFailed
                                                         : UIGestureRecognizerStateEnded);
}

void PanGestureRecognizer::reset() {
    m_tracking = false;
    m_samples.clear();
    m_origin = {};
}

}  // namespace ov::ui
