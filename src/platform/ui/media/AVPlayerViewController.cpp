#include "orvane/platform/ui/media/AVPlayerViewController.h"

#include "platform/ui/media/PlayerContentView.h"

namespace ov::ui {

AVPlayerViewController::AVPlayerViewController() = default;
AVPlayerViewController::~AVPlayerViewController() = default;

void AVPlayerViewController::loadView() {
    ViewController::loadView();
    auto content = std::make_shared<detail::PlayerContentView>(viewIfLoaded()->frame());
    content->setPlayer(m_player);
    content->setShowsControls(m_showsPlaybackControls);
    setView(std::move(content));
}

detail::PlayerContentView* AVPlayerViewController::content() const {
    return dynamic_cast<detail::PlayerContentView*>(viewIfLoaded());
}

void AVPlayerViewController::setPlayer(std::shared_ptr<AVPlayer> player) {
    m_player = std::move(player);
    if (auto* view = content()) view->setPlayer(m_player);
}

void AVPlayerViewController::setShowsPlaybackControls(bool shows) {
    m_showsPlaybackControls = shows;
    if (auto* view = content()) view->setShowsControls(shows);
}

AVPlayerLayer* AVPlayerViewController::playerLayer() const {
    auto* view = content();
    return view ? &view->playerLayer() : nullptr;
}

}  // namespace ov::ui
