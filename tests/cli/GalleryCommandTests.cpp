#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/CliRunner.h"

namespace ov {
namespace {

// Headless, the live gallery cannot open, and says so instead of waiting for a window.
TEST(GalleryCommand, WithoutADisplayTheLiveGalleryFailsClearly) {
    const auto result = test::runCli({"gallery", "--live"}, {}, {"DISPLAY=", "WAYLAND_DISPLAY="});
    EXPECT_EQ(result.exitCode, 1);
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.err,
              "orvane gallery: no display to open a window on (DISPLAY and WAYLAND_DISPLAY are "
              "unset)\n");
}

TEST(GalleryCommand, RefusesOtherArguments) {
    for (const std::vector<std::string>& arguments :
         {std::vector<std::string>{"gallery"}, {"gallery", "--live", "x"}, {"gallery", "out"}}) {
        EXPECT_EQ(test::runCli(arguments).exitCode, 2);
    }
}

}  // namespace
}  // namespace ov
