#include <algorithm>
#include <cmath>
#include <limits>

#include "orvane/media/AVAsset+AVAsset.h"
#include "orvane/platform/media/AVAssetImageGenerator.h"

namespace ov::AVAsset_AVAsset {

std::shared_ptr<Image> imageFileUrl(const std::optional<URL>& url) {
    auto generator =
        AVAssetImageGenerator::assetImageGeneratorWithAsset(AVURLAsset::assetWithURL(url));
    if (!generator) return nullptr;
    Error error("", 0);
    return generator->copyCGImageAtTime(CMTimeMake(1, 1), nullptr, &error);
}

int32_t secondsFileUrl(const std::optional<URL>& url) {
    const auto asset = AVURLAsset::assetWithURL(url);
    if (!asset) return 0;
    const CMTime length = asset->duration();
    // A length the platform cannot give has time scale 0: no division by it.
    if (length.timescale == 0) return 0;
    const double seconds = std::ceil(static_cast<double>(length.value) / length.timescale);
    constexpr double kLargest = std::numeric_limits<int32_t>::max();
    return static_cast<int32_t>(std::clamp(seconds, -kLargest, kLargest));
}

NSString_NSString::Text formattedTimeFileUrl(const std::optional<URL>& url) {
    return NSString_NSString::formattedStringFromSeconds(secondsFileUrl(url));
}

}  // namespace ov::AVAsset_AVAsset
