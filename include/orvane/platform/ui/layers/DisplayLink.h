#pragma once
// A timer in step with the screen's refresh (the platform's CADisplayLink): calls its block
// once per frame, 60 times a second by Clock::current(), on the run loop it is added to.
//
//   auto link = ov::ui::DisplayLink::displayLinkWithTarget([this](ov::ui::DisplayLink& l) {
//       step(l.timestamp());
//   });
//   link->addToRunLoop(ov::RunLoop::main());
//   link->setPaused(true);    // no frames until un-paused
//   link->invalidate();       // for good; the block is released
//
// Frames fall on whole multiples of the frame duration, so a link started or resumed between
// frames first fires on the next frame boundary. Main thread only.

#include <functional>
#include <memory>

namespace ov {
class RunLoop;
class Timer;
}  // namespace ov

namespace ov::ui {

class DisplayLink : public std::enable_shared_from_this<DisplayLink> {
    struct PrivateTag {};

  public:
    using Block = std::function<void(DisplayLink&)>;

    DisplayLink(PrivateTag, Block block);
    ~DisplayLink();
    DisplayLink(const DisplayLink&) = delete;
    DisplayLink& operator=(const DisplayLink&) = delete;

    static std::shared_ptr<DisplayLink> displayLinkWithTarget(Block block);

    // Starts the frames on `loop` (unless paused). The loop holds the link until it is
    // invalidated; adding it a second time does nothing.
    void addToRunLoop(RunLoop& loop);
    bool isPaused() const { return m_paused; }
    void setPaused(bool paused);
    // Stops for good and lets go of the block.
    void invalidate();
    bool isValid() const { return static_cast<bool>(m_block); }

    // 60 by default; 0 means the screen's rate (60).
    int preferredFramesPerSecond() const { return m_framesPerSecond; }
    void setPreferredFramesPerSecond(int framesPerSecond);
    // Seconds between frames.
    double duration() const;
    // Clock time of the frame being delivered (of the last one outside the block).
    double timestamp() const { return m_timestamp; }
    // When the next frame is due.
    double targetTimestamp() const { return m_timestamp + duration(); }

  private:
    void schedule();
    void unschedule();

    Block m_block;
    RunLoop* m_loop = nullptr;
    std::shared_ptr<Timer> m_timer;
    bool m_paused = false;
    int m_framesPerSecond = 60;
    double m_timestamp = 0;
};

}  // namespace ov::ui
