#pragma once
// A stopwatch or countdown label (TTCounterLabel): milliseconds shown as hours, minutes,
// seconds and hundredths ("01h 02m 03s.45"), the leading number large and bold, the other
// numbers large and regular, the units and hundredths in the label's smaller base font.
//
//   auto counter = std::make_shared<ov::TTCounterLabel>(ov::ui::Rect{0, 0, 300, 80});
//   counter->setCountDirection(kCountDirectionDown);
//   counter->setStartValue(60000);            // one minute
//   counter->setCountdownDelegate(screen);    // told once when it reaches zero
//   counter->start();                         // ticks every 0.02 s on the main run loop
//   counter->stop();                          // keeps the value; start() resumes from it
//   counter->reset();                         // back to the start value, stopped
//
// Values are worked out from the start time on every tick (never added up), so late ticks do
// not make the display drift. A countdown ends at the first drawing below 50 ms, or at the
// first tick after the whole remaining time has passed. The largest value is 2^64 - 2 ms; the
// all-ones value is refused. Main thread only.

#include <cstdint>
#include <memory>
#include <vector>

#include "orvane/components/TTTAttributedLabel.h"
#include "orvane/platform/threads/Timer.h"

namespace ov {

class TTCounterLabel;

inline constexpr long kCountDirectionUp = 0;
inline constexpr long kCountDirectionDown = 1;
inline constexpr long kDisplayModeFull = 0;
inline constexpr long kDisplayModeSeconds = 1;

class TTCounterLabelDelegate {
  public:
    virtual ~TTCounterLabelDelegate() = default;
    // Answers whether it is implemented (the default is not).
    virtual bool countdownDidEndForSource(TTCounterLabel& source) {
        (void)source;
        return false;
    }
};

// One font run of the counter's text: the bold or the regular large font over a range.
struct TTCounterFontRun {
    bool bold = false;
    Range range;
    friend bool operator==(const TTCounterFontRun&, const TTCounterFontRun&) = default;
};

class TTCounterLabel : public TTTAttributedLabel {
  public:
    static constexpr uint64_t kLargestValue = UINT64_MAX - 1;
    static constexpr double kTickInterval = 0.02;

    explicit TTCounterLabel(const ui::Rect& frame = {});
    ~TTCounterLabel() override;

    // Refused silently for the all-ones value; else shown.
    void setValue(uint64_t value);
    // Where counting starts and reset returns to; the all-ones value becomes the largest,
    // with two log lines.
    void setStartValue(uint64_t value);
    void start();
    // Keeps the value reached as the next start value.
    void stop();
    void reset();
    // Redraws with the present fonts (after changing boldFont, regularFont or font).
    void updateApperance();
    void updateDisplay();
    String timeFormattedStringForValue(uint64_t value) const;
    void clockDidTick(Timer& timer);

    // The runs laid over the text of `value`, in the order they are applied (a run whose
    // font cannot be made is skipped when drawing).
    static std::vector<TTCounterFontRun> fontRunsForValue(uint64_t value);

    // Accessors; none of them redraws.
    long countDirection() const { return m_countDirection; }
    void setCountDirection(long direction) { m_countDirection = direction; }
    long displayMode() const { return m_displayMode; }
    void setDisplayMode(long mode) { m_displayMode = mode; }
    std::shared_ptr<TTCounterLabelDelegate> countdownDelegate() const {
        return m_countdownDelegate.lock();
    }
    // Held weakly.
    void setCountdownDelegate(const std::shared_ptr<TTCounterLabelDelegate>& delegate) {
        m_countdownDelegate = delegate;
    }
    const ui::Font& boldFont() const { return m_boldFont; }
    void setBoldFont(const ui::Font& font) { m_boldFont = font; }
    const ui::Font& regularFont() const { return m_regularFont; }
    void setRegularFont(const ui::Font& font) { m_regularFont = font; }
    uint64_t currentValue() const { return m_currentValue; }
    void setCurrentValue(uint64_t value) { m_currentValue = value; }
    uint64_t startValue() const { return m_startValue; }
    bool isRunning() const { return m_isRunning; }
    void setIsRunning(bool running) { m_isRunning = running; }
    bool running() const { return m_running; }
    void setRunning(bool running) { m_running = running; }
    const String& valueString() const { return m_valueString; }
    void setValueString(const String& text) { m_valueString = text; }
    const std::shared_ptr<Timer>& clockTimer() const { return m_clockTimer; }
    void setClockTimer(std::shared_ptr<Timer> timer) { m_clockTimer = std::move(timer); }
    uint64_t value() const { return m_value; }
    uint64_t resetValue() const { return m_resetValue; }
    void setResetValue(uint64_t value) { m_resetValue = value; }
    double startTime() const { return m_startTime; }
    void setStartTime(double time) { m_startTime = time; }

  private:
    void applyFontRuns(ui::MutableAttributedString& text) const;
    void endCountdown();

    bool m_isRunning = false;
    bool m_running = false;
    std::weak_ptr<TTCounterLabelDelegate> m_countdownDelegate;
    long m_countDirection = kCountDirectionUp;
    long m_displayMode = kDisplayModeFull;
    uint64_t m_currentValue = 0;
    uint64_t m_startValue = 0;
    ui::Font m_boldFont;
    ui::Font m_regularFont;
    String m_valueString;
    std::shared_ptr<Timer> m_clockTimer;
    uint64_t m_value = 0;
    uint64_t m_resetValue = 0;
    double m_startTime = 0;
};

}  // namespace ov
