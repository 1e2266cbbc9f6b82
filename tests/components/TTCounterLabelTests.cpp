#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "orvane/components/TTCounterLabel.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/values/SystemLog.h"
#include "support/ManualClockScope.h"

namespace ov {
namespace {

using ui::Font;

std::string shown(const TTCounterLabel& label) {
    return label.attributedText()->string().toUtf8();
}

struct EndCounter : TTCounterLabelDelegate {
    bool countdownDidEndForSource(TTCounterLabel&) override {
        ++ends;
        return true;
    }
    int ends = 0;
};

TEST(TTCounterLabel, FormatsHoursMinutesSecondsAndHundredths) {
    TTCounterLabel label;
    EXPECT_EQ(shown(label), "00s.00");
    struct Case {
        uint64_t value;
        long mode;
        const char* text;
    };
    for (const Case& c : {Case{0, 0, "00s.00"}, Case{1234, 0, "01s.23"}, Case{1239, 0, "01s.23"},
                          Case{61005, 0, "01m 01s.00"}, Case{3723456, 0, "01h 02m 03s.45"},
                          Case{360000000, 0, "100h 00m 00s.00"}, Case{59999, 1, "59s"},
                          Case{60000, 1, "01m 00s"}, Case{3723456, 7, "01h 02m 03s"}}) {
        label.setDisplayMode(c.mode);
        EXPECT_EQ(label.timeFormattedStringForValue(c.value).toUtf8(), c.text) << c.value;
    }
}

TEST(TTCounterLabel, LeadingNumberIsBoldOtherNumbersRegularTheRestBase) {
    TTCounterLabel label;
    const Font base = Font::systemFontOfSize(25);
    const auto fontAt = [&](size_t index) {
        return Font::fromValue(
            label.attributedText()->attributeAtIndex(ui::kCTFontAttributeName, index));
    };
    label.setValue(3723456);  // 01h 02m 03s.45
    EXPECT_EQ(fontAt(0), label.boldFont());
    EXPECT_EQ(fontAt(2), base);
    EXPECT_EQ(fontAt(4), label.regularFont());
    EXPECT_EQ(fontAt(8), label.regularFont());
    EXPECT_EQ(fontAt(12), base);
    EXPECT_EQ(TTCounterLabel::fontRunsForValue(3723456),
              (std::vector<TTCounterFontRun>{
                  {false, {4, 2}}, {false, {8, 2}}, {false, {4, 2}}, {true, {0, 2}}}));

    label.setValue(360000000);  // 100h 00m 00s.00: every field moves by the extra digit
    EXPECT_EQ(fontAt(2), label.boldFont());
    EXPECT_EQ(fontAt(3), base);
    EXPECT_EQ(fontAt(4), base);
    EXPECT_EQ(fontAt(5), label.regularFont());
    EXPECT_EQ(fontAt(9), label.regularFont());
    EXPECT_EQ(fontAt(13), base);

    label.setValue(61005);  // 01m 01s.00
    EXPECT_EQ(fontAt(0), label.boldFont());
    EXPECT_EQ(fontAt(4), label.regularFont());
    EXPECT_EQ(fontAt(7), base);

    // New fonts show after updateApperance, which also lifts the line-height limit.
    label.setRegularFont(Font::systemFontOfSize(40));
    EXPECT_EQ(fontAt(4), Font::systemFontOfSize(55));
    label.updateApperance();
    EXPECT_EQ(fontAt(4), Font::systemFontOfSize(40));
    EXPECT_EQ(label.maximumLineHeight(), 40);
}

TEST(TTCounterLabel, RefusesTheAllOnesValue) {
    TTCounterLabel label;
    SystemLogCapture log;
    label.setValue(1234);
    label.setValue(UINT64_MAX);
    EXPECT_EQ(label.value(), 1234u);
    EXPECT_TRUE(log.entries().empty());

    label.setStartValue(UINT64_MAX);
    EXPECT_EQ(log.entries(),
              (std::vector<std::string>{
                  "Invalid value: startValue of 18446744073709551615 is invalid, either "
                  "negative or too large",
                  "Setting startValue to the max value of ULONG_LONG_MAX - 1"}));
    EXPECT_EQ(label.startValue(), TTCounterLabel::kLargestValue);
    EXPECT_EQ(label.resetValue(), TTCounterLabel::kLargestValue);
    EXPECT_EQ(shown(label), "5124095576030h 25m 51s.61");
}

TEST(TTCounterLabel, PausesResumesAndResets) {
    test::ManualClockScope time(50);
    auto label = std::make_shared<TTCounterLabel>();
    label->setStartValue(1000);
    label->start();
    label->start();  // already running: nothing changes
    EXPECT_TRUE(label->isRunning());
    RunLoop::main().runFor(2.5);
    label->stop();
    const uint64_t paused = label->value();
    EXPECT_NEAR(static_cast<double>(paused), 3500, 21);
    EXPECT_EQ(label->startValue(), paused);
    EXPECT_FALSE(label->isRunning());
    RunLoop::main().runFor(1);
    EXPECT_EQ(label->value(), paused);  // stopped means no ticks

    label->start();
    RunLoop::main().runFor(1);
    EXPECT_NEAR(static_cast<double>(label->value()), paused + 1000.0, 21);
    EXPECT_EQ(shown(*label), label->timeFormattedStringForValue(label->value()).toUtf8());
    label->reset();
    EXPECT_FALSE(label->running());
    EXPECT_EQ(label->value(), 1000u);
    EXPECT_EQ(shown(*label), "01s.00");
}

TEST(TTCounterLabel, CountdownEndsOnceAfterAbout950Milliseconds) {
    test::ManualClockScope time(10);
    auto label = std::make_shared<TTCounterLabel>();
    auto delegate = std::make_shared<EndCounter>();
    label->setCountdownDelegate(delegate);
    label->setCountDirection(kCountDirectionDown);
    label->setStartValue(1000);
    label->start();
    ASSERT_TRUE(RunLoop::main().runUntil([&] { return !label->running(); }, 2));
    EXPECT_NEAR(time.now() - 10, 0.95, 0.021);
    EXPECT_EQ(shown(*label), "00s.00");
    EXPECT_FALSE(label->clockTimer());
    RunLoop::main().runFor(1);
    EXPECT_EQ(delegate->ends, 1);

    // Without hundredths the end shows whole seconds.
    label->setDisplayMode(kDisplayModeSeconds);
    label->setStartValue(200);
    label->start();
    RunLoop::main().runFor(0.5);
    EXPECT_EQ(shown(*label), "00s");
    EXPECT_EQ(delegate->ends, 2);
}

TEST(TTCounterLabel, ALateTickEndsTheCountdown) {
    test::ManualClockScope time(10);
    auto label = std::make_shared<TTCounterLabel>();
    auto delegate = std::make_shared<EndCounter>();
    label->setCountdownDelegate(delegate);
    label->setCountDirection(kCountDirectionDown);
    label->setStartValue(300);
    label->start();
    time.clock().advance(5);  // the main thread was held up past the whole countdown
    RunLoop::main().runFor(0.05);
    EXPECT_FALSE(label->running());
    EXPECT_EQ(shown(*label), "00s.00");
    EXPECT_EQ(delegate->ends, 1);
}

TEST(TTCounterLabel, ValuesComeFromTheStartTimeNotFromCountingTicks) {
    test::ManualClockScope time(10);
    auto label = std::make_shared<TTCounterLabel>();
    label->start();
    time.clock().advance(1.5);
    label->clockDidTick(*label->clockTimer());
    EXPECT_EQ(label->value(), 1500u);
}

TEST(TTCounterLabel, ItsTimerEndsWithTheLabel) {
    test::ManualClockScope time(10);
    auto label = std::make_shared<TTCounterLabel>();
    label->start();
    const std::shared_ptr<Timer> timer = label->clockTimer();
    ASSERT_TRUE(timer && timer->isValid());
    label.reset();
    EXPECT_FALSE(timer->isValid());
    RunLoop::main().runFor(0.1);
}

}  // namespace
}  // namespace ov
