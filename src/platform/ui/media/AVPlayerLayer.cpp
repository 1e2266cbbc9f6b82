#include "orvane/platform/ui/media/AVPlayerLayer.h"

namespace ov::ui {
namespace {

ContentsGravity gravityFor(AVLayerVideoGravity gravity) {
    switch (gravity) {
        case AVLayerVideoGravity::ResizeAspectFill:
            return ContentsGravity::ResizeAspectFill;
        case AVLayerVideoGravity::Resize:
            return ContentsGravity::Resize;
        case AVLayerVideoGravity::ResizeAspect:
            break;
    }
    return ContentsGravity::ResizeAspect;
}

}  // namespace

AVPlayerLayer::AVPlayerLayer() {
    setContentsGravity(gravityFor(m_gravity));
    // It follows its view's size at once, as a view's own layer would.
    setActions({{"bounds", nullptr}, {"position", nullptr}});
}

std::shared_ptr<AVPlayerLayer> AVPlayerLayer::playerLayerWithPlayer(
    std::shared_ptr<AVPlayer> player) {
    auto layer = std::make_shared<AVPlayerLayer>();
    layer->setPlayer(std::move(player));
    return layer;
}

void AVPlayerLayer::setPlayer(std::shared_ptr<AVPlayer> player) {
    if (player == m_player) return;
    m_frames.cancel();
    m_player = std::move(player);
    // The layer lives as long as the token it holds, so the block may use it.
    if (m_player) m_frames = m_player->addFrameObserver([this] { showCurrentFrame(); });
    showCurrentFrame();
}

void AVPlayerLayer::setVideoGravity(AVLayerVideoGravity gravity) {
    m_gravity = gravity;
    setContentsGravity(gravityFor(gravity));
}

Rect AVPlayerLayer::videoRect() const {
    if (!contents()) return {};
    return contentsRectForGravity(gravityFor(m_gravity), bounds(),
                                  {contents()->width(), contents()->height()});
}

void AVPlayerLayer::showCurrentFrame() {
    setContents(m_player ? m_player->currentFrame() : nullptr);
}

}  // namespace ov::ui
