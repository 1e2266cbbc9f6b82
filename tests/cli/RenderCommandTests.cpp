#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <sstream>

#include "orvane/platform/files/Image.h"
#include "support/CliRunner.h"
#include "support/ReferenceImage.h"
#include "support/TemporaryDirectory.h"

namespace ov {
namespace {

std::shared_ptr<Image> load(const std::string& path) {
    return Image::imageWithContentsOfFile(String(path));
}

TEST(RenderCommand, WritesABadgeAtTwiceItsSize) {
    test::TemporaryDirectory directory;
    const std::string one = directory.file("one.png").toUtf8();
    const std::string big = directory.file("big.png").toUtf8();
    EXPECT_EQ(test::runCli({"render", "badge", "7", "-o", one}).exitCode, 0);
    EXPECT_EQ(test::runCli({"render", "badge", "42", "--scale", "2", "--style", "old", "-o", big})
                  .exitCode,
              0);
    ASSERT_TRUE(load(one));
    EXPECT_EQ(load(one)->pixelWidth(), 50);
    EXPECT_EQ(load(big)->pixelHeight(), 100);
}

TEST(RenderCommand, RefusesBadArgumentsAndUnwritablePlaces) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"render"},
          {"render", "badge", "7"},
          {"render", "badge", "7", "--scale", "0", "-o", "x.png"},
          {"render", "badge", "7", "--style", "new", "-o", "x.png"},
          {"render", "badge", "7", "-o"},
          {"render", "poster"}}) {
        const auto result = test::runCli(arguments);
        EXPECT_EQ(result.exitCode, 2) << arguments.back();
        EXPECT_NE(result.err.find("usage: orvane render"), std::string::npos);
    }
    const auto nowhere = test::runCli({"render", "badge", "7", "-o", "/proc/none/x.png"});
    EXPECT_EQ(nowhere.exitCode, 1);
    EXPECT_EQ(nowhere.err, "orvane render: write /proc/none/x.png: No such file or directory\n");
}

TEST(RenderCommand, SaysWhenThePictureIsTooLarge) {
    test::TemporaryDirectory directory;
    const std::string path = directory.file("hud.png").toUtf8();
    const auto result = test::runCli({"render", "hud", "--scale", "64", "-o", path});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.err,
              "orvane render: the picture would be 12800 x 12800 pixels, more than 8192 a side\n");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST(RenderCommand, WritesToAStreamInPlace) {
    const auto result = test::runCli({"render", "badge", "7", "-o", "/dev/stdout"});
    EXPECT_EQ(result.exitCode, 0) << result.err;
    EXPECT_EQ(result.out.substr(0, 4), "\x89PNG");
    EXPECT_EQ(test::runCli({"render", "badge", "7", "-o", "/dev/full"}).exitCode, 1);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
}

// Every page the gallery writes is checked against its reference, and every reference page is
// written, so a page added on either side alone fails here.
TEST(RenderCommand, WritesTheGallery) {
    test::TemporaryDirectory directory;
    const std::string folder = directory.file("gallery").toUtf8();
    const auto result = test::runCli({"render", "gallery", folder});
    EXPECT_EQ(result.exitCode, 0);
    std::set<std::string> written;
    std::istringstream lines(result.out);
    for (std::string path; std::getline(lines, path);) {
        const std::string page = std::filesystem::path(path).stem();
        written.insert(page);
        const auto image = load(path);
        ASSERT_TRUE(image) << path;
        EXPECT_TRUE(test::matchesReference(*image, "gallery-" + page));
    }
    for (const auto& entry : std::filesystem::directory_iterator(ORVANE_TEST_REFERENCES_DIR)) {
        const std::string name = entry.path().stem();
        if (name.rfind("gallery-", 0) == 0) {
            EXPECT_TRUE(written.count(name.substr(8))) << name;
        }
    }
}

TEST(RenderCommand, WritesAHudInTheModeAsked) {
    test::TemporaryDirectory directory;
    const std::string path = directory.file("hud.png").toUtf8();
    EXPECT_EQ(test::runCli({"render", "hud", "--mode", "annular", "--progress", "0.6", "--title",
                            "Uploading", "--scale", "1", "-o", path})
                  .exitCode,
              0);
    ASSERT_TRUE(load(path));
    EXPECT_EQ(load(path)->pixelWidth(), 200);
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"render", "hud", "--mode", "spinner", "-o", "x.png"},
          {"render", "hud", "--progress", "1.5", "-o", "x.png"},
          {"render", "hud", "--title", "no output"}}) {
        EXPECT_EQ(test::runCli(arguments).exitCode, 2) << arguments[2];
    }
}

}  // namespace
}  // namespace ov
