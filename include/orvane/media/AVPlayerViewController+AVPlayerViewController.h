#pragma once
// One-call full-screen players. playUrl presents the newer player screen on systems from
// version 10 on and hands older systems to the older player (MPMoviePlayerViewController+
// OVMPMoviePlayerViewController.h); an address may be given as text.
//
//   namespace players = ov::AVPlayerViewController_AVPlayerViewController;
//   auto screen = players::playUrl(ov::String("https://example.com/clip.webm"), home);
//   ov::Subscription token = players::addObservers(listener);   // listener held weakly
//
// Main thread only.

#include <memory>
#include <optional>

#include "orvane/platform/network/URL.h"
#include "orvane/platform/threads/Notification.h"
#include "orvane/platform/threads/Subscription.h"
#include "orvane/platform/ui/containers/ViewController.h"
#include "orvane/platform/ui/media/AVPlayerViewController.h"

namespace ov {

// Told about the older player's two notifications (see addObservers).
class MoviePlayerObserver {
  public:
    virtual ~MoviePlayerObserver() = default;
    virtual void moviePlayBackDidFinish(const Notification& notification) { (void)notification; }
    virtual void doneButtonClick(const Notification& notification) { (void)notification; }
};

}  // namespace ov

namespace ov::AVPlayerViewController_AVPlayerViewController {

// The screen that plays the address: the presented newer screen, or on systems older than 10
// the older screen (not presented).
std::shared_ptr<ui::ViewController> playUrl(const std::optional<URL>& url,
                                            const std::shared_ptr<ui::ViewController>& from);
std::shared_ptr<ui::ViewController> playUrl(const String& url,
                                            const std::shared_ptr<ui::ViewController>& from);

// An address stays as it is; text becomes the address it spells (none when it spells none).
std::optional<URL> fixURL(const std::optional<URL>& url);
std::optional<URL> fixURL(const String& url);

// A screen whose player plays the main bundle's resource; its player has no item when the
// bundle has no such file.
std::shared_ptr<ui::AVPlayerViewController> playerWithResource(const String& name,
                                                               const String& type);

// Registers the observer for MPMoviePlayerPlaybackDidFinishNotification
// (moviePlayBackDidFinish) and MPMoviePlayerWillExitFullscreenNotification (doneButtonClick)
// while the token lives.
Subscription addObservers(std::weak_ptr<MoviePlayerObserver> observer);

}  // namespace ov::AVPlayerViewController_AVPlayerViewController
