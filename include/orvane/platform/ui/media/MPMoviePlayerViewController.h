#pragma once
// The older player (the platform's MediaPlayer framework): MPMoviePlayerController plays one
// address and posts MPMoviePlayerPlaybackDidFinishNotification when the movie ends;
// MPMoviePlayerViewController is its full-screen screen, whose "Done" button posts
// MPMoviePlayerWillExitFullscreenNotification, then the finish notification (reason: the user
// exited), and dismisses the screen.
//
//   auto screen = std::make_shared<ov::ui::MPMoviePlayerViewController>(url);
//   screen->moviePlayer()->play();
//
// Both carry the MPMoviePlayerController as their object. Main thread only.

#include <memory>
#include <optional>

#include "orvane/platform/media/AVPlayer.h"
#include "orvane/platform/media/MediaNotifications.h"
#include "orvane/platform/network/URL.h"
#include "orvane/platform/threads/Subscription.h"
#include "orvane/platform/ui/containers/ViewController.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/values/Object.h"

namespace ov::ui {

namespace detail {
class PlayerContentView;
}

enum MPMovieSourceType : int {
    MPMovieSourceTypeUnknown = 0,
    MPMovieSourceTypeFile = 1,
    MPMovieSourceTypeStreaming = 2,
};

class MPMoviePlayerController : public Object,
                                public std::enable_shared_from_this<MPMoviePlayerController> {
  public:
    // initWithContentURL:.
    explicit MPMoviePlayerController(std::optional<URL> contentURL = std::nullopt);
    ~MPMoviePlayerController() override;

    const std::optional<URL>& contentURL() const { return m_contentURL; }
    // A new address starts over with a new player; the same one changes nothing.
    void setContentURL(const std::optional<URL>& url);
    // Recorded only: every address is played the same way.
    MPMovieSourceType movieSourceType() const { return m_sourceType; }
    void setMovieSourceType(MPMovieSourceType type) { m_sourceType = type; }

    void play();
    void pause();
    // Pauses and goes back to the start.
    void stop();

    const std::shared_ptr<AVPlayer>& player() const { return m_player; }
    // The movie with its controls, made on first use.
    const std::shared_ptr<View>& view();

    String className() const override { return "MPMoviePlayerController"; }

  private:
    void postFinish(MPMovieFinishReason reason);
    friend class MPMoviePlayerViewController;

    std::optional<URL> m_contentURL;
    MPMovieSourceType m_sourceType = MPMovieSourceTypeUnknown;
    std::shared_ptr<AVPlayer> m_player;
    std::shared_ptr<View> m_view;
    Subscription m_itemEnd;
};

class MPMoviePlayerViewController : public ViewController {
  public:
    // initWithContentURL:.
    explicit MPMoviePlayerViewController(std::optional<URL> contentURL = std::nullopt);

    const std::shared_ptr<MPMoviePlayerController>& moviePlayer() const { return m_moviePlayer; }

    void loadView() override;
    // What the "Done" button does.
    void done();

  private:
    std::shared_ptr<MPMoviePlayerController> m_moviePlayer;
    std::shared_ptr<Button> m_doneButton;
};

}  // namespace ov::ui
