#include <utility>

#include "media/PlayerChoice.h"
#include "orvane/media/AVPlayerViewController+AVPlayerViewController.h"
#include "orvane/media/MPMoviePlayerViewController+OVMPMoviePlayerViewController.h"
#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/media/AVPlayer.h"
#include "orvane/platform/media/MediaNotifications.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::AVPlayerViewController_AVPlayerViewController {
namespace {

Subscription forward(const char* name, std::weak_ptr<MoviePlayerObserver> observer,
                     void (MoviePlayerObserver::*operation)(const Notification&)) {
    return NotificationCenter::defaultCenter().addObserver(
        String(name), [observer = std::move(observer), operation](const Notification& note) {
            if (auto held = observer.lock()) ((*held).*operation)(note);
        });
}

}  // namespace

std::shared_ptr<ui::ViewController> playUrl(const std::optional<URL>& url,
                                            const std::shared_ptr<ui::ViewController>& from) {
    const auto address = fixURL(url);
    detail::logPlayUrl(address);
    if (detail::systemIsOlderThanTen())
        return MPMoviePlayerViewController_OVMPMoviePlayerViewController::playUrl(address, from);
    systemLog("playing by AV//PlayerViewController...");
    auto player = AVPlayer::playerWithURL(address);
    auto screen = std::make_shared<ui::AVPlayerViewController>();
    if (from) from->presentViewController(screen, true);
    screen->setPlayer(player);
    player->play();
    return screen;
}

std::shared_ptr<ui::ViewController> playUrl(const String& url,
                                            const std::shared_ptr<ui::ViewController>& from) {
    return playUrl(fixURL(url), from);
}

std::optional<URL> fixURL(const std::optional<URL>& url) {
    return url;
}
std::optional<URL> fixURL(const String& url) {
    return URL::withString(url);
}

std::shared_ptr<ui::AVPlayerViewController> playerWithResource(const String& name,
                                                               const String& type) {
    const auto path = Bundle::mainBundle()->pathForResource(name, type);
    auto screen = std::make_shared<ui::AVPlayerViewController>();
    screen->setPlayer(
        AVPlayer::playerWithURL(path ? std::optional(URL::fileURLWithPath(*path)) : std::nullopt));
    return screen;
}

Subscription addObservers(std::weak_ptr<MoviePlayerObserver> observer) {
    auto tokens = std::make_shared<std::pair<Subscription, Subscription>>(
        forward(MPMoviePlayerPlaybackDidFinishNotification, observer,
                &MoviePlayerObserver::moviePlayBackDidFinish),
        forward(MPMoviePlayerWillExitFullscreenNotification, observer,
                &MoviePlayerObserver::doneButtonClick));
    return Subscription([tokens] {
        tokens->first.cancel();
        tokens->second.cancel();
    });
}

}  // namespace ov::AVPlayerViewController_AVPlayerViewController
