#pragma once
// One-call older players: on systems older than version 10 the older player screen plays the
// address (it is not presented; the caller shows it); from 10 on the newer screen is presented
// instead (AVPlayerViewController+AVPlayerViewController.h).
//
//   namespace players = ov::MPMoviePlayerViewController_OVMPMoviePlayerViewController;
//   auto screen = players::playUrl(url, home);
//
// Main thread only.

#include <memory>
#include <optional>

#include "orvane/media/AVPlayerViewController+AVPlayerViewController.h"
#include "orvane/platform/ui/media/MPMoviePlayerViewController.h"

namespace ov::MPMoviePlayerViewController_OVMPMoviePlayerViewController {

// playUrl with source type 0.
std::shared_ptr<ui::ViewController> playUrl(const std::optional<URL>& url,
                                            const std::shared_ptr<ui::ViewController>& from);
std::shared_ptr<ui::ViewController> playUrl(const String& url,
                                            const std::shared_ptr<ui::ViewController>& from);
// The older screen always streams, whatever `sourceType` says.
std::shared_ptr<ui::ViewController> playUrl(const std::optional<URL>& url,
                                            const std::shared_ptr<ui::ViewController>& from,
                                            int sourceType);

// As AVPlayerViewController_AVPlayerViewController::addObservers.
Subscription addObservers(std::weak_ptr<MoviePlayerObserver> observer);

}  // namespace ov::MPMoviePlayerViewController_OVMPMoviePlayerViewController
