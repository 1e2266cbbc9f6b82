#include <gtest/gtest.h>

#include "json/JsonTraces.h"
#include "orvane/json/SBJsonBase.h"
#include "orvane/json/SBJsonParser.h"

namespace ov {
namespace {

using Change = SBJsonBase::ErrorTraceChange;

// What an observer saw: the phase and the trace's length at that moment (-1 when absent).
struct Recorder {
    std::vector<std::pair<Change, int>> events;
    SBJsonBase::ErrorTraceObserver observer() {
        return [this](const SBJsonBase& json, Change change) {
            const auto& trace = json.errorTrace();
            events.emplace_back(change, trace ? static_cast<int>(trace->size()) : -1);
        };
    }
};

TEST(SBJsonBase, TraceStartsAbsentAndChainsItsErrors) {
    SBJsonParser json;
    EXPECT_FALSE(json.errorTrace().has_value());
    EXPECT_EQ(json.maxDepth(), 512u);
    json.addErrorWithCode(3, "first");
    json.addErrorWithCode(9, "second");
    const ErrorTrace& trace = *json.errorTrace();
    ASSERT_EQ(trace.size(), 2u);
    EXPECT_EQ(trace[1].code(), 9);
    EXPECT_EQ(trace[1].userInfo().count(), 2u);
    EXPECT_TRUE(
        trace[1].userInfo().objectForKey(NSUnderlyingErrorKey).ifError()->isEqual(trace[0]));
    EXPECT_EQ(describeErrorTrace(json.errorTrace()),
              String("(\n    Error Domain=org.orvane.JSON.ErrorDomain Code=3 \"first\",\n"
                     "    Error Domain=org.orvane.JSON.ErrorDomain Code=9 \"second\"\n)"));
    json.clearErrorTrace();
    EXPECT_FALSE(json.errorTrace().has_value());
    EXPECT_EQ(describeErrorTrace(json.errorTrace()), String("(null)"));
}

TEST(SBJsonBase, LongTracesKeepBothEndsAndCountWhatTheyLeaveOut) {
    constexpr size_t kErrors = 20'000;
    SBJsonParser json;
    for (size_t i = 0; i < kErrors; ++i)
        json.addErrorWithCode(3, String(std::to_string(i)));
    const ErrorTrace& trace = *json.errorTrace();
    const size_t innermost = SBJsonBase::kKeptInnermostErrors;
    ASSERT_GT(trace.size(), innermost + 1);
    ASSERT_LE(trace.size(), SBJsonBase::kMaxTraceLength);
    const size_t outermost = trace.size() - innermost - 1;
    EXPECT_GE(outermost, SBJsonBase::kKeptOutermostErrors);
    const size_t leftOut = kErrors - innermost - outermost;
    EXPECT_EQ(trace[innermost].localizedDescription(),
              String("(" + std::to_string(leftOut) + " errors left out)"));
    for (size_t i = 0; i < trace.size(); ++i) {
        if (i == innermost) continue;
        const size_t original = i < innermost ? i : i - 1 + leftOut;
        ASSERT_EQ(trace[i].localizedDescription(), String(std::to_string(original)));
    }
    // The chain from the last error runs through every kept entry and the gap, newest first.
    size_t chained = 0;
    for (const Error* error = &trace.back(); error;
         error = error->userInfo().objectForKey(NSUnderlyingErrorKey).ifError()) {
        ASSERT_LT(chained, trace.size());
        ASSERT_EQ(error->localizedDescription(),
                  trace[trace.size() - 1 - chained].localizedDescription());
        ++chained;
    }
    EXPECT_EQ(chained, trace.size());
    json.clearErrorTrace();
    json.addErrorWithCode(3, "again");
    EXPECT_EQ(test::traceText(json), "3 again");
}

TEST(SBJsonBase, ObserversHearBeforeAndAfterEveryAdditionAndClear) {
    SBJsonParser parser;
    Recorder recorder;
    Subscription subscription = parser.observeErrorTrace(recorder.observer());
    EXPECT_TRUE(parser.objectWithString(String("[x]")).isAbsent());
    EXPECT_EQ(recorder.events, (std::vector<std::pair<Change, int>>{{Change::WillChange, -1},
                                                                    {Change::DidChange, -1},
                                                                    {Change::WillChange, -1},
                                                                    {Change::DidChange, 1},
                                                                    {Change::WillChange, 1},
                                                                    {Change::DidChange, 2}}));
    recorder.events.clear();
    subscription.cancel();
    parser.clearErrorTrace();
    EXPECT_TRUE(recorder.events.empty());
}

TEST(SBJsonBase, ObserversMayLeaveDuringANotificationAndOutliveTheObject) {
    Recorder stays;
    Subscription leaving;
    int leavingCalls = 0;
    auto parser = std::make_unique<SBJsonParser>();
    leaving = parser->observeErrorTrace([&](const SBJsonBase&, Change) {
        ++leavingCalls;
        leaving.cancel();
    });
    Subscription staying = parser->observeErrorTrace(stays.observer());
    parser->clearErrorTrace();
    parser->clearErrorTrace();
    EXPECT_EQ(leavingCalls, 1);
    EXPECT_EQ(stays.events.size(), 4u);
    parser.reset();
    staying.cancel();  // the parser is gone; unsubscribing must still be safe
    EXPECT_FALSE(staying.isActive());
}

}  // namespace
}  // namespace ov
