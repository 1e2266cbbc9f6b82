#pragma once
// One asset as a player plays it (the platform's AVPlayerItem). It travels as the object of the
// item notifications (MediaNotifications.h), so observers compare it by identity.
//
//   auto item = ov::AVPlayerItem::playerItemWithAsset(ov::AVURLAsset::assetWithURL(url));
//   auto player = ov::AVPlayer::playerWithPlayerItem(item);

#include <memory>
#include <optional>

#include "orvane/platform/media/AVAsset.h"
#include "orvane/platform/values/Error.h"
#include "orvane/platform/values/Object.h"
#include "orvane/platform/values/String.h"

namespace ov {

enum AVPlayerItemStatus : int {
    AVPlayerItemStatusUnknown,
    AVPlayerItemStatusReadyToPlay,
    AVPlayerItemStatusFailed,
};

class AVPlayerItem final : public Object {
    struct PrivateTag {};

  public:
    AVPlayerItem(PrivateTag, std::shared_ptr<AVAsset> asset);

    // Nullptr without an asset.
    static std::shared_ptr<AVPlayerItem> playerItemWithAsset(std::shared_ptr<AVAsset> asset);
    static std::shared_ptr<AVPlayerItem> playerItemWithURL(const std::optional<URL>& url);

    const std::shared_ptr<AVAsset>& asset() const { return m_asset; }
    // The asset's length.
    CMTime duration() const { return m_asset->duration(); }

    // Set by the player that plays it, on the main thread.
    AVPlayerItemStatus status() const { return m_status; }
    const std::shared_ptr<Error>& error() const { return m_error; }
    void setStatus(AVPlayerItemStatus status, std::shared_ptr<Error> error = nullptr);

    String className() const override { return "AVPlayerItem"; }

  private:
    std::shared_ptr<AVAsset> m_asset;
    AVPlayerItemStatus m_status = AVPlayerItemStatusUnknown;
    std::shared_ptr<Error> m_error;
};

}  // namespace ov
