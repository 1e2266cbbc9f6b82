#include <gtest/gtest.h>

#include "orvane/platform/files/Image.h"
#include "support/CliRunner.h"
#include "support/TemporaryDirectory.h"
#include "support/TestVideos.h"

namespace ov {
namespace {

using test::runCli;

class MediaCommand : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { ASSERT_TRUE(test::testVideos().made); }
    const test::TestVideos& videos = test::testVideos();
};

TEST_F(MediaCommand, InfoPrintsTheRoundedUpLengthAndItsText) {
    const auto result = runCli({"media", "info", videos.long_});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "seconds 62\nformatted 1m 2s\n");
}

TEST_F(MediaCommand, StillWritesThePictureAtOneSecond) {
    test::TemporaryDirectory folder;
    const std::string out = folder.path().toUtf8() + "/still.png";
    const auto result = runCli({"media", "still", videos.colour, "-o", out});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "32x24\n");
    const auto still = Image::imageWithContentsOfFile(out);
    ASSERT_TRUE(still);
    EXPECT_GT(still->rgbaAt(16, 12)[2], 200);
}

TEST_F(MediaCommand, PlayPrintsTheEventsOfALoopingPlayback) {
    const auto result =
        runCli({"media", "play", videos.shortClip, "--loop", "--mute", "--for", "1.5"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_TRUE(result.out.starts_with("started\nfinished\ntime-jumped 0\nstarted\n"))
        << result.out;
}

TEST_F(MediaCommand, PlayWithoutATimeStopsAtTheEnd) {
    const auto result = runCli({"media", "play", videos.shortClip});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "started\nfinished\n");
}

TEST_F(MediaCommand, FilesThatCannotBePlayedFailClearly) {
    for (const auto& action : {"info", "play"}) {
        const auto missing = runCli({"media", action, videos.colour + ".missing"});
        EXPECT_EQ(missing.exitCode, 1);
        EXPECT_EQ(missing.err, "orvane media: no such file: " + videos.colour + ".missing\n");
        const auto text = runCli({"media", action, videos.notMedia});
        EXPECT_EQ(text.exitCode, 1);
        EXPECT_EQ(text.err,
                  "orvane media: not a media file this system can read: " + videos.notMedia + "\n");
        EXPECT_EQ(text.out, "");
    }
    EXPECT_EQ(runCli({"media", "still", videos.notMedia, "-o", "/tmp/x.png"}).exitCode, 1);
}

TEST_F(MediaCommand, BadArgumentsAreUsageErrors) {
    for (const auto& arguments :
         std::vector<std::vector<std::string>>{{"media"},
                                               {"media", "info"},
                                               {"media", "show", videos.colour},
                                               {"media", "still", videos.colour},
                                               {"media", "play", videos.colour, "--for"},
                                               {"media", "play", videos.colour, "--for", "soon"},
                                               {"media", "info", videos.colour, "--loop"}}) {
        EXPECT_EQ(runCli(arguments).exitCode, 2) << arguments.back();
    }
}

}  // namespace
}  // namespace ov
