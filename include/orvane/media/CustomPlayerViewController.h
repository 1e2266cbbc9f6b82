#pragma once
// An embeddable player screen around the platform's player screen: looping, muting, automatic
// start, and one player at a time in the process. When playback passes one third of a second
// the screen posts "PlaybackStartedNotification" with its item; every other such screen
// pauses.
//
//   auto screen = ov::CustomPlayerViewController::customPlayerViewControllerWithUrl(url);
//   screen->setLoop(true);
//   screen->setDelegate(self);            // held weakly
//   screen->setParentView(host);          // loads the screen and fills `host`
//   screen->play();
//
// Delegate calls and notifications arrive on the main run loop. The screen leaves the
// notification centre and releases its player (and with it the player's threads) when it is
// destroyed. Main thread only.

#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/media/AVPlayer.h"
#include "orvane/platform/network/URL.h"
#include "orvane/platform/threads/Notification.h"
#include "orvane/platform/threads/Subscription.h"
#include "orvane/platform/ui/containers/ViewController.h"
#include "orvane/platform/ui/media/AVPlayerViewController.h"

namespace ov {

inline constexpr const char* PlaybackStartedNotification = "PlaybackStartedNotification";

class CustomPlayerViewController;

// Every operation is optional: the defaults do nothing.
class CustomPlayerViewControllerDelegate {
  public:
    virtual ~CustomPlayerViewControllerDelegate() = default;
    virtual void CustomPlayerDidStartPlay(CustomPlayerViewController& player) { (void)player; }
    virtual void CustomPlayerDidFinishPlaying(CustomPlayerViewController& player) { (void)player; }
    virtual void CustomPlayerDidTimeChange(CustomPlayerViewController& player, double second) {
        (void)player;
        (void)second;
    }
};

class CustomPlayerViewController : public ui::ViewController {
  public:
    CustomPlayerViewController();
    ~CustomPlayerViewController() override;

    static std::shared_ptr<CustomPlayerViewController> customPlayerViewControllerWithUrl(
        const std::optional<URL>& url);
    // Asset, item and player for the address; a player without an item for none.
    static std::shared_ptr<AVPlayer> playerWithUrl(const std::optional<URL>& url);

    const std::shared_ptr<ui::AVPlayerViewController>& controller() const { return m_controller; }
    const std::shared_ptr<AVPlayerItem>& item() const { return m_item; }

    // Stored only.
    double till() const { return m_till; }
    void setTill(double till) { m_till = till; }
    bool played() const { return m_played; }
    const std::weak_ptr<CustomPlayerViewControllerDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<CustomPlayerViewControllerDelegate> delegate) {
        m_delegate = std::move(delegate);
    }
    bool AutoPlay() const { return m_autoPlay; }
    void setAutoPlay(bool autoPlay) { m_autoPlay = autoPlay; }
    bool loop() const { return m_loop; }
    void setLoop(bool loop) { m_loop = loop; }
    bool mute() const { return m_mute; }
    // The player's volume: 0 when muted, 1 otherwise.
    void setMute(bool mute);
    bool showsPlaybackControls() const { return m_showsPlaybackControls; }
    void setShowsPlaybackControls(bool shows);
    const std::shared_ptr<ui::View>& parentView() const { return m_parentView; }
    // Places the screen (loading it first) into the view, filling it.
    void setParentView(std::shared_ptr<ui::View> parentView);
    const std::optional<String>& str_url() const { return m_str_url; }
    void setStr_url(const String& text);
    const std::optional<URL>& url() const { return m_url; }
    void setUrl(const std::optional<URL>& url);
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    // The controller's player; nullptr before the screen is loaded.
    std::shared_ptr<AVPlayer> player() const;
    double currentSeconds() const;
    bool isPlaying() const;
    void play();
    void pause();
    virtual void seekToTime(CMTime time);
    // At time scale 60000.
    void seekToSecond(double second);
    // Has no effect.
    void setPlayFrom(double from, double till);

    void viewDidLoad() override;
    void initilize();
    void initilize_ui();
    void reinitobserver();

    // What the screen does with the notifications it observes.
    void itemDidFinishPlaying(const Notification& notification);
    void playerTimeChanged(const Notification& notification);
    void PlaybackStartedNotification(const Notification& notification);
    void playIfNeeded();

  private:
    bool isOwnItem(const Value& object) const;
    void observeItem();
    std::weak_ptr<CustomPlayerViewController> weakSelf();

    std::shared_ptr<ui::AVPlayerViewController> m_controller;
    std::shared_ptr<AVPlayerItem> m_item;
    double m_till = 0;
    bool m_played = false;
    std::weak_ptr<CustomPlayerViewControllerDelegate> m_delegate;
    bool m_autoPlay = false;
    bool m_loop = false;
    bool m_mute = false;
    bool m_showsPlaybackControls = false;
    std::shared_ptr<ui::View> m_parentView;
    std::optional<String> m_str_url;
    std::optional<URL> m_url;
    int m_tag = 0;
    std::vector<Subscription> m_itemObservers;
    std::vector<Subscription> m_screenObservers;
    Subscription m_startObserver;
};

}  // namespace ov
