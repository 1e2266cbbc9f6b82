#include <gtest/gtest.h>

#include "orvane/platform/files/Image.h"
#include "support/CliRunner.h"
#include "support/ImageServer.h"
#include "support/TemporaryDirectory.h"

namespace ov {
namespace {

using test::runCli;

TEST(ImageCommand, PrintsOneLinePerAddressInOrderAndFailsWhenAnyFails) {
    test::ImageServer server;
    server.release("late");
    const std::string slow = server.url("/held/late").absoluteString().toUtf8();
    const std::string retina = server.url("/png/icon@2x.png").absoluteString().toUtf8();
    const std::string text = server.url("/text").absoluteString().toUtf8();
    const auto result = runCli({"image", "fetch", slow, retina, text, "not a url"});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "ok " + slow + " 4x2 @1\nok " + retina + " 4x2 @2\nfailed " + text +
                              ": Invalid image data\nfailed not a url: bad URL\n");
}

TEST(ImageCommand, WritesEachImageAsPngWithOutputFolder) {
    test::ImageServer server;
    test::TemporaryDirectory folder;
    const std::string rotated = server.url("/jpeg/rotated.jpg").absoluteString().toUtf8();
    const auto result = runCli({"image", "fetch", rotated, "-o", folder.path().toUtf8() + "/out"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out, "ok " + rotated + " 8x16 @1\n");
    const auto written = Image::imageWithContentsOfFile(folder.path() + "/out/1-rotated.png");
    ASSERT_TRUE(written);
    EXPECT_EQ(written->pixelHeight(), 16);
}

TEST(ImageCommand, ArgumentsWithoutAddressesAreAUsageError) {
    EXPECT_EQ(runCli({"image", "fetch"}).exitCode, 2);
    EXPECT_EQ(runCli({"image", "get", "http://127.0.0.1/a.png"}).exitCode, 2);
    EXPECT_EQ(runCli({"image", "fetch", "http://127.0.0.1/a.png", "-o"}).exitCode, 2);
}

}  // namespace
}  // namespace ov
