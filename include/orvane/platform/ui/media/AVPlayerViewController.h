#pragma once
// The player screen (the platform's AVPlayerViewController): the movie of its player over
// black, letterboxed, with simple drawn playback controls (play/pause and the time played)
// along the bottom unless they are turned off.
//
//   auto screen = std::make_shared<ov::ui::AVPlayerViewController>();
//   host->presentViewController(screen, true);
//   screen->setPlayer(ov::AVPlayer::playerWithURL(url));
//   screen->player()->play();
//
// Main thread only.

#include <memory>

#include "orvane/platform/media/AVPlayer.h"
#include "orvane/platform/ui/containers/ViewController.h"
#include "orvane/platform/ui/media/AVPlayerLayer.h"

namespace ov::ui {

namespace detail {
class PlayerContentView;
}

class AVPlayerViewController : public ViewController {
  public:
    AVPlayerViewController();
    ~AVPlayerViewController() override;

    const std::shared_ptr<AVPlayer>& player() const { return m_player; }
    void setPlayer(std::shared_ptr<AVPlayer> player);
    // True at creation.
    bool showsPlaybackControls() const { return m_showsPlaybackControls; }
    void setShowsPlaybackControls(bool shows);
    // The layer that shows the movie; nullptr until the view is loaded (or when a subclass
    // gave it another view).
    AVPlayerLayer* playerLayer() const;

    void loadView() override;

  private:
    detail::PlayerContentView* content() const;

    std::shared_ptr<AVPlayer> m_player;
    bool m_showsPlaybackControls = true;
};

}  // namespace ov::ui
