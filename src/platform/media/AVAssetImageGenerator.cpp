#include "orvane/platform/media/AVAssetImageGenerator.h"

#include "platform/media/Playbin.h"

namespace ov {

AVAssetImageGenerator::AVAssetImageGenerator(PrivateTag, std::shared_ptr<AVAsset> asset)
    : m_asset(std::move(asset)) {}

std::shared_ptr<AVAssetImageGenerator> AVAssetImageGenerator::assetImageGeneratorWithAsset(
    std::shared_ptr<AVAsset> asset) {
    if (!asset) return nullptr;
    return std::make_shared<AVAssetImageGenerator>(PrivateTag{}, std::move(asset));
}

std::shared_ptr<Image> AVAssetImageGenerator::copyCGImageAtTime(CMTime requestedTime,
                                                                CMTime* actualTime,
                                                                Error* error) const {
    String reason;
    std::shared_ptr<Image> image;
    if (!requestedTime.isValid() || requestedTime.value < 0) {
        reason = "the time is not a time in the media";
    } else {
        detail::Playbin playbin(m_asset->uri(), detail::Playbin::Sound::None, {});
        image = playbin.stillAt(requestedTime, m_timeout, reason);
    }
    if (image && actualTime) *actualTime = requestedTime;
    if (!image && error) {
        Dictionary info;
        info.setObject(String("Cannot Open"), NSLocalizedDescriptionKey);
        info.setObject(reason, NSLocalizedFailureReasonErrorKey);
        *error = Error("AVFoundationErrorDomain", -11829, std::move(info));
    }
    return image;
}

}  // namespace ov
