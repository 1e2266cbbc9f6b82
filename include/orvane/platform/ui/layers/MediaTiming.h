#pragma once
// Timing of animations (the platform's CAMediaTiming and CAMediaTimingFunction): when an
// animation starts, how long one pass lasts, how often it repeats, whether it runs back, and
// what it shows before it starts and after it ends.
//
//   ov::ui::MediaTiming timing;
//   timing.setBeginTime(10);      // absolute Clock seconds (0 on an animation: "when added")
//   timing.setDuration(2);
//   timing.setAutoreverses(true);
//   timing.setRepeatCount(ov::ui::MediaTiming::kRepeatForever);
//   timing.simpleTime(11.0);      // 1.0 s into the forward pass
//   timing.simpleTime(13.5);      // 0.5: running back
//   timing.simpleTime(9.0);       // nullopt: not started, and no backwards fill
//
//   auto ease = ov::ui::MediaTimingFunction::functionWithName(
//       ov::ui::MediaTimingFunction::Name::EaseInEaseOut);
//   ease.evaluate(0.5);           // 0.5; near the ends it moves slowly
//
// Times are Clock::current() seconds, so a ManualClock drives every animation in tests.

#include <array>
#include <limits>
#include <optional>

namespace ov::ui {

// What an animation shows outside its active time: nothing (removed), its end state after it
// (forwards), its start state before it (backwards), or both.
enum class FillMode { Removed, Forwards, Backwards, Both };

// A cubic Bézier easing curve from (0, 0) to (1, 1).
class MediaTimingFunction {
  public:
    enum class Name { Linear, EaseIn, EaseOut, EaseInEaseOut, Default };

    // Linear.
    MediaTimingFunction() = default;
    static MediaTimingFunction functionWithName(Name name);
    // The two inner control points; x values are clamped to [0, 1] so the curve is a function
    // of time.
    static MediaTimingFunction functionWithControlPoints(double x1, double y1, double x2,
                                                         double y2);

    // The eased fraction for a fraction of time in [0, 1] (values outside are clamped).
    double evaluate(double x) const;
    // x1, y1, x2, y2.
    const std::array<double, 4>& controlPoints() const { return m_points; }

    friend bool operator==(const MediaTimingFunction&, const MediaTimingFunction&) = default;

  private:
    std::array<double, 4> m_points{0, 0, 1, 1};
};

class MediaTiming {
  public:
    static constexpr double kRepeatForever = std::numeric_limits<double>::infinity();
    // The duration used when none (0) is set.
    static constexpr double kDefaultDuration = 0.25;

    // In the parent's time: absolute Clock seconds for an animation added to a layer (0 there
    // means the moment it is added), seconds from the group's start inside a group.
    double beginTime() const { return m_beginTime; }
    void setBeginTime(double seconds) { m_beginTime = seconds; }
    // One simple pass; 0 means kDefaultDuration.
    double duration() const { return m_duration; }
    void setDuration(double seconds) { m_duration = seconds; }
    // Local time runs `speed` times as fast as the parent's.
    double speed() const { return m_speed; }
    void setSpeed(double speed) { m_speed = speed; }
    // Added to the local time (starts part-way through).
    double timeOffset() const { return m_timeOffset; }
    void setTimeOffset(double seconds) { m_timeOffset = seconds; }
    // Passes (fractions allowed; kRepeatForever); 0 means one. An autoreversing pass runs
    // forward and back.
    double repeatCount() const { return m_repeatCount; }
    void setRepeatCount(double count) { m_repeatCount = count; }
    // When above 0, the active time instead of a count of passes.
    double repeatDuration() const { return m_repeatDuration; }
    void setRepeatDuration(double seconds) { m_repeatDuration = seconds; }
    bool autoreverses() const { return m_autoreverses; }
    void setAutoreverses(bool autoreverses) { m_autoreverses = autoreverses; }
    FillMode fillMode() const { return m_fillMode; }
    void setFillMode(FillMode mode) { m_fillMode = mode; }

    double effectiveDuration() const { return m_duration > 0 ? m_duration : kDefaultDuration; }
    // Local seconds from the start to the end of all passes (infinite when repeating forever).
    double activeDuration() const;
    // The parent time at which the active time ends; infinite when it never does.
    double endTime() const;
    // Seconds into the current simple pass (0 ... effectiveDuration(), already turned round
    // while running back) at parent time `parentTime`; nullopt when the timing shows nothing
    // then (before the start or after the end without a fill).
    std::optional<double> simpleTime(double parentTime) const;

  private:
    double m_beginTime = 0;
    double m_duration = 0;
    double m_speed = 1;
    double m_timeOffset = 0;
    double m_repeatCount = 0;
    double m_repeatDuration = 0;
    bool m_autoreverses = false;
    FillMode m_fillMode = FillMode::Removed;
};

}  // namespace ov::ui
