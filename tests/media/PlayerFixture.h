#pragma once
// What the video tests share: sound discarded, the test videos, bounded waits on the main run
// loop, and a delegate that records what it is told.

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "orvane/media/CustomPlayerViewController.h"
#include "orvane/platform/media/AudioOutput.h"
#include "orvane/platform/threads/RunLoop.h"
#include "support/TestVideos.h"

namespace ov::test {

class PlayerFixture : public ::testing::Test {
  protected:
    // Playback runs in real time; the bound leaves room for a slow, busy machine.
    static constexpr double kPatience = 10;

    static void SetUpTestSuite() {
        setAudioOutput(AudioOutput::Discard);
        ASSERT_TRUE(testVideos().made);
    }
    static bool waitFor(const std::function<bool()>& done) {
        return RunLoop::main().runUntil(done, kPatience);
    }
    static std::optional<URL> urlOf(const std::string& path) { return URL::fileURLWithPath(path); }

    const TestVideos& videos = testVideos();
};

class RecordingPlayerDelegate : public CustomPlayerViewControllerDelegate {
  public:
    void CustomPlayerDidStartPlay(CustomPlayerViewController&) override { ++started; }
    void CustomPlayerDidFinishPlaying(CustomPlayerViewController&) override { ++finished; }
    void CustomPlayerDidTimeChange(CustomPlayerViewController&, double second) override {
        jumps.push_back(second);
    }

    int started = 0;
    int finished = 0;
    std::vector<double> jumps;
};

}  // namespace ov::test
