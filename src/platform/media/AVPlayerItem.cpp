#include "orvane/platform/media/AVPlayerItem.h"

namespace ov {

AVPlayerItem::AVPlayerItem(PrivateTag, std::shared_ptr<AVAsset> asset)
    : m_asset(std::move(asset)) {}

std::shared_ptr<AVPlayerItem> AVPlayerItem::playerItemWithAsset(std::shared_ptr<AVAsset> asset) {
    if (!asset) return nullptr;
    return std::make_shared<AVPlayerItem>(PrivateTag{}, std::move(asset));
}

std::shared_ptr<AVPlayerItem> AVPlayerItem::playerItemWithURL(const std::optional<URL>& url) {
    return playerItemWithAsset(AVURLAsset::assetWithURL(url));
}

void AVPlayerItem::setStatus(AVPlayerItemStatus status, std::shared_ptr<Error> error) {
    m_status = status;
    m_error = std::move(error);
}

}  // namespace ov
