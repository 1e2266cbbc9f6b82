#include <gtest/gtest.h>

#include "orvane/platform/files/Image.h"
#include "support/CliRunner.h"
#include "support/TemporaryDirectory.h"

namespace ov {
namespace {

TEST(RenderProgress, WritesTheBarAtTheScaleAsked) {
    test::TemporaryDirectory directory;
    const std::string path = directory.file("bar.png").toUtf8();
    const auto result =
        test::runCli({"render", "progress", "0.4", "--type", "flat", "--behavior", "waiting",
                      "--text", "track", "--label", "Hi", "--scale", "1", "-o", path});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    const auto image = Image::imageWithContentsOfFile(String(path));
    ASSERT_TRUE(image);
    EXPECT_EQ(image->pixelWidth(), 280);
    EXPECT_EQ(image->pixelHeight(), 24);
}

TEST(RenderProgress, RefusesBadArguments) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"render", "progress"},
          {"render", "progress", "1.5", "-o", "x.png"},
          {"render", "progress", "0.5"},
          {"render", "progress", "0.5", "--type", "round", "-o", "x.png"},
          {"render", "progress", "0.5", "--text", "-o", "x.png"}}) {
        const auto result = test::runCli(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.back();
        EXPECT_NE(result.err.find("usage: orvane render"), std::string::npos);
    }
}

}  // namespace
}  // namespace ov
