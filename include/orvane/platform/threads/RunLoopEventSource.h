#pragma once
// Lets another event queue share a thread with its run loop (a window system's events, say).
// The loop hands the source each pass, and sleeps through the source when it has one, so
// neither queue waits on the other and nobody busy-waits.
//
//   ov::RunLoop::main().setEventSource(std::make_shared<MyWindowEvents>());
//   ov::RunLoop::main().setEventSource(nullptr);   // back to the loop's own sleep

#include <cstddef>

namespace ov {

class RunLoopEventSource {
  public:
    virtual ~RunLoopEventSource() = default;

    // Handles the events that have arrived, without waiting; answers how many. Called on the
    // loop's thread once per pass.
    virtual size_t dispatchPending() = 0;
    // Blocks for at most `seconds` of real time, until an event arrives or wake() is called;
    // answers the real time waited. A wake() that comes while nobody waits is kept for the
    // next wait. Called on the loop's thread.
    virtual double waitFor(double seconds) = 0;
    // Thread-safe: ends the current or the next waitFor early.
    virtual void wake() = 0;
};

}  // namespace ov
