#pragma once
// Pictures of an asset at given times (the platform's AVAssetImageGenerator), each decoded by a
// short-lived pipeline of its own: the call blocks until the picture is there or a bounded
// wait runs out, so it may run on any thread.
//
//   auto generator = ov::AVAssetImageGenerator::assetImageGeneratorWithAsset(asset);
//   ov::Error error("", 0);
//   auto still = generator->copyCGImageAtTime(ov::CMTimeMake(1, 1), nullptr, &error);

#include <memory>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/media/AVAsset.h"
#include "orvane/platform/media/CMTime.h"
#include "orvane/platform/values/Error.h"

namespace ov {

class AVAssetImageGenerator {
    struct PrivateTag {};

  public:
    AVAssetImageGenerator(PrivateTag, std::shared_ptr<AVAsset> asset);

    // Nullptr without an asset.
    static std::shared_ptr<AVAssetImageGenerator> assetImageGeneratorWithAsset(
        std::shared_ptr<AVAsset> asset);

    // The picture showing at `requestedTime` (the frame that covers it), in pixels at scale 1;
    // nullptr with `error` set when the asset has no picture there. `actualTime` gets the
    // requested time when given.
    std::shared_ptr<Image> copyCGImageAtTime(CMTime requestedTime, CMTime* actualTime,
                                             Error* error) const;

    // How long one picture may take before the call gives up, in seconds (10 by default).
    double timeout() const { return m_timeout; }
    void setTimeout(double seconds) { m_timeout = seconds; }

  private:
    std::shared_ptr<AVAsset> m_asset;
    double m_timeout = 10;
};

}  // namespace ov
