#include "support/ReferenceImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "orvane/platform/ui/layers/Renderer.h"

namespace ov::test {
namespace {

constexpr int kChannelTolerance = 8;
constexpr double kOutlierShare = 0.01;

std::string referencePath(const std::string& name) {
    return std::string(ORVANE_TEST_REFERENCES_DIR) + "/" + name + ".png";
}

bool updating() {
    const char* flag = std::getenv("ORVANE_UPDATE_REFERENCES");
    return flag && std::strcmp(flag, "1") == 0;
}

// The share of pixels whose channels differ by more than the tolerance; 1 when the sizes
// differ.
double differingShare(const Image& image, const Image& reference) {
    if (image.pixelWidth() != reference.pixelWidth() ||
        image.pixelHeight() != reference.pixelHeight()) {
        return 1.0;
    }
    long differing = 0;
    for (int y = 0; y < image.pixelHeight(); ++y) {
        for (int x = 0; x < image.pixelWidth(); ++x) {
            const auto a = image.rgbaAt(x, y);
            const auto b = reference.rgbaAt(x, y);
            for (size_t channel = 0; channel < 4; ++channel) {
                if (std::abs(a[channel] - b[channel]) > kChannelTolerance) {
                    ++differing;
                    break;
                }
            }
        }
    }
    return static_cast<double>(differing) / (image.pixelWidth() * image.pixelHeight());
}

}  // namespace

::testing::AssertionResult matchesImage(const Image& image, const Image& expected) {
    const double share = differingShare(image, expected);
    if (share <= kOutlierShare) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << share * 100 << " % of pixels differ";
}

::testing::AssertionResult matchesReference(const Image& image, const std::string& name) {
    const std::string path = referencePath(name);
    const auto reference = Image::imageWithContentsOfFile(String(path));
    const double share = reference ? differingShare(image, *reference) : 1.0;
    if (share <= kOutlierShare) return ::testing::AssertionSuccess();
    if (updating() && ui::writePNG(image, path)) {
        return ::testing::AssertionSuccess() << "wrote " << path;
    }
    const std::string actual = ::testing::TempDir() + name + ".actual.png";
    ui::writePNG(image, actual);
    return ::testing::AssertionFailure()
           << (reference ? "differs from " : "no reference at ") << path << " (" << share * 100
           << " % of pixels differ); the picture drawn is at " << actual;
}

}  // namespace ov::test
