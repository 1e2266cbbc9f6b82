#include "orvane/platform/ui/layers/DisplayLink.h"

#include <cmath>

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/values/Clock.h"
#include "orvane/platform/values/Date.h"

namespace ov::ui {

DisplayLink::DisplayLink(PrivateTag, Block block) : m_block(std::move(block)) {}

DisplayLink::~DisplayLink() {
    unschedule();
}

std::shared_ptr<DisplayLink> DisplayLink::displayLinkWithTarget(Block block) {
    return std::make_shared<DisplayLink>(PrivateTag{}, std::move(block));
}

void DisplayLink::addToRunLoop(RunLoop& loop) {
    if (m_loop || !m_block) return;
    m_loop = &loop;
    schedule();
}

void DisplayLink::setPaused(bool paused) {
    if (m_paused == paused) return;
    m_paused = paused;
    if (paused)
        unschedule();
    else
        schedule();
}

void DisplayLink::invalidate() {
    unschedule();
    m_block = nullptr;
    m_loop = nullptr;
}

void DisplayLink::setPreferredFramesPerSecond(int framesPerSecond) {
    m_framesPerSecond = framesPerSecond > 0 ? framesPerSecond : 60;
    if (m_timer) {
        unschedule();
        schedule();
    }
}

double DisplayLink::duration() const {
    return 1.0 / m_framesPerSecond;
}

void DisplayLink::schedule() {
    if (!m_loop || m_paused || !m_block || m_timer) return;
    const double frame = duration();
    const double now = Clock::current().now();
    // The next frame boundary strictly after now.
    const double first = (std::floor(now / frame + 1e-9) + 1) * frame;
    // The timer holds the link (the loop holds the timer) until it is invalidated.
    m_timer = Timer::create(frame, true, [self = shared_from_this()](Timer&) {
        if (!self->m_block) return;
        const double step = self->duration();
        self->m_timestamp = std::floor(Clock::current().now() / step + 1e-9) * step;
        const Block block = self->m_block;
        block(*self);
    });
    m_timer->setFireDate(Date::dateWithTimeIntervalSinceReferenceDate(first));
    m_loop->addTimer(m_timer);
}

void DisplayLink::unschedule() {
    if (m_timer) m_timer->invalidate();
    m_timer.reset();
}

}  // namespace ov::ui
