#include <gtest/gtest.h>

#include <string>

#include "orvane/platform/files/Image.h"
#include "support/CliRunner.h"
#include "support/ReferenceImage.h"
#include "support/TemporaryDirectory.h"

namespace ov {
namespace {

TEST(StyledTextGallery, ShowsStyledLabelsAndCounters) {
    test::TemporaryDirectory directory;
    const std::string folder = directory.file("gallery").toUtf8();
    ASSERT_EQ(test::runCli({"render", "gallery", folder}).exitCode, 0);
    for (const char* picture : {"styled-labels", "counters"}) {
        const auto image = Image::imageWithContentsOfFile(String(folder + "/" + picture + ".png"));
        ASSERT_TRUE(image) << picture;
        EXPECT_TRUE(test::matchesReference(*image, std::string("gallery-") + picture));
    }
}

}  // namespace
}  // namespace ov
