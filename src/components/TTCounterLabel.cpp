#include "orvane/components/TTCounterLabel.h"

#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/values/Clock.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {

namespace {

constexpr uint64_t kHour = 3600000;
constexpr uint64_t kMinute = 60000;
constexpr uint64_t kSecond = 1000;
// A countdown below this many milliseconds has ended.
constexpr uint64_t kCountdownEnd = 50;

// Decimal digits of the hours, 1 for none.
size_t hourDigits(uint64_t value) {
    size_t digits = 1;
    for (uint64_t hours = value / kHour; hours >= 10; hours /= 10)
        ++digits;
    return digits;
}

}  // namespace

TTCounterLabel::TTCounterLabel(const ui::Rect& frame)
    : TTTAttributedLabel(frame),
      m_boldFont(ui::Font::boldSystemFontOfSize(55)),
      m_regularFont(ui::Font::systemFontOfSize(55)) {
    m_valueString = String();
    setTextAlignment(ui::NSTextAlignmentCenter);
    setFont(ui::Font::systemFontOfSize(25));
    m_countDirection = kCountDirectionUp;
    m_value = 0;
    setStartValue(0);
}

TTCounterLabel::~TTCounterLabel() {
    // The run loop would otherwise keep firing a timer for a label that is gone.
    if (m_clockTimer) m_clockTimer->invalidate();
}

void TTCounterLabel::setValue(uint64_t value) {
    if (value == UINT64_MAX) return;
    m_value = value;
    m_currentValue = value;
    updateDisplay();
}

void TTCounterLabel::setStartValue(uint64_t value) {
    if (value == UINT64_MAX) {
        systemLog("Invalid value: startValue of %llu is invalid, either negative or too large",
                  value);
        systemLog("Setting startValue to the max value of ULONG_LONG_MAX - 1");
        value = kLargestValue;
    }
    m_startValue = value;
    m_resetValue = value;
    setValue(value);
}

void TTCounterLabel::start() {
    if (m_running) return;
    m_startTime = Clock::current().now();
    m_running = true;
    m_isRunning = m_running;
    std::weak_ptr<View> weakLabel = weak_from_this();
    m_clockTimer = Timer::create(kTickInterval, true, [weakLabel](Timer& timer) {
        if (const auto label = weakLabel.lock())
            static_cast<TTCounterLabel&>(*label).clockDidTick(timer);
    });
    // The stand-in's run loop has no modes: its timers fire while the interface is tracked,
    // as the common modes make them do.
    RunLoop::main().addTimer(m_clockTimer);
}

void TTCounterLabel::stop() {
    if (m_clockTimer) {
        m_clockTimer->invalidate();
        m_clockTimer.reset();
        m_startValue = m_value;
    }
    m_running = false;
    m_isRunning = m_running;
}

void TTCounterLabel::reset() {
    stop();
    setStartValue(m_resetValue);
    setValue(m_resetValue);
}

void TTCounterLabel::updateApperance() {
    setMaximumLineHeight(m_regularFont.pointSize());
    setValue(m_currentValue);
}

void TTCounterLabel::clockDidTick(Timer&) {
    const double seconds = (Clock::current().now() - m_startTime) * 1000;
    const uint64_t elapsed = seconds > 0 ? static_cast<uint64_t>(seconds) : 0;
    if (m_countDirection != kCountDirectionDown) return setValue(m_startValue + elapsed);
    // A tick that comes after the whole remaining time shows zero, which ends the countdown.
    setValue(m_startValue >= elapsed ? m_startValue - elapsed : 0);
}

void TTCounterLabel::updateDisplay() {
    if (m_countDirection == kCountDirectionDown && m_value < kCountdownEnd && m_isRunning) {
        endCountdown();
    } else {
        m_valueString = timeFormattedStringForValue(m_value);
    }
    // The callback runs before setText returns and is not kept, so it may use the label.
    setText(m_valueString, [this](ui::MutableAttributedString& text) {
        applyFontRuns(text);
        return ui::AttributedString(text);
    });
    setNeedsDisplay();
}

void TTCounterLabel::endCountdown() {
    stop();
    m_valueString = m_displayMode == kDisplayModeFull ? String("00s.00") : String("00s");
    if (const auto delegate = m_countdownDelegate.lock()) delegate->countdownDidEndForSource(*this);
}

String TTCounterLabel::timeFormattedStringForValue(uint64_t value) const {
    const uint64_t hours = value / kHour;
    const uint64_t minutes = (value % kHour) / kMinute;
    const uint64_t seconds = (value % kHour % kMinute) / kSecond;
    const uint64_t hundredths = (value % kSecond) / 10;
    const bool full = m_displayMode == kDisplayModeFull;
    if (hours > 0) {
        return full ? stringWithFormat("%02lluh %02llum %02llus.%02llu", hours, minutes, seconds,
                                       hundredths)
                    : stringWithFormat("%02lluh %02llum %02llus", hours, minutes, seconds);
    }
    if (minutes > 0) {
        return full ? stringWithFormat("%02llum %02llus.%02llu", minutes, seconds, hundredths)
                    : stringWithFormat("%02llum %02llus", minutes, seconds);
    }
    return full ? stringWithFormat("%02llus.%02llu", seconds, hundredths)
                : stringWithFormat("%02llus", seconds);
}

std::vector<TTCounterFontRun> TTCounterLabel::fontRunsForValue(uint64_t value) {
    const size_t digits = hourDigits(value);
    // With more than two hour digits, every later field moves right by the extra digits.
    const size_t minutes = digits > 2 ? digits + 2 : 4;
    const size_t seconds = digits > 2 ? digits + 6 : 8;
    std::vector<TTCounterFontRun> runs;
    if (value >= kHour) {
        runs.push_back({false, {minutes, 2}});
        runs.push_back({false, {seconds, 2}});
    }
    if (value >= kMinute) runs.push_back({false, {minutes, 2}});
    runs.push_back({true, {0, digits > 2 ? digits : 2}});
    return runs;
}

void TTCounterLabel::applyFontRuns(ui::MutableAttributedString& text) const {
    const auto bold = ui::Font::fontWithName(m_boldFont.fontName(), m_boldFont.pointSize());
    const auto regular =
        ui::Font::fontWithName(m_regularFont.fontName(), m_regularFont.pointSize());
    for (const TTCounterFontRun& run : fontRunsForValue(m_value)) {
        const auto& font = run.bold ? bold : regular;
        if (font) text.addAttribute(ui::kCTFontAttributeName, font->toValue(), run.range);
    }
}

}  // namespace ov
