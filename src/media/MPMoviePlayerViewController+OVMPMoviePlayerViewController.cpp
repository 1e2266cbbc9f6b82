#include "media/PlayerChoice.h"
#include "orvane/media/MPMoviePlayerViewController+OVMPMoviePlayerViewController.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::MPMoviePlayerViewController_OVMPMoviePlayerViewController {

namespace newer = AVPlayerViewController_AVPlayerViewController;

std::shared_ptr<ui::ViewController> playUrl(const std::optional<URL>& url,
                                            const std::shared_ptr<ui::ViewController>& from) {
    return playUrl(url, from, 0);
}

std::shared_ptr<ui::ViewController> playUrl(const String& url,
                                            const std::shared_ptr<ui::ViewController>& from) {
    return playUrl(newer::fixURL(url), from, 0);
}

std::shared_ptr<ui::ViewController> playUrl(const std::optional<URL>& url,
                                            const std::shared_ptr<ui::ViewController>& from, int) {
    detail::logPlayUrl(url);
    if (!detail::systemIsOlderThanTen()) return newer::playUrl(url, from);
    systemLog("playing by MP//MoviePlayerController...");
    auto screen = std::make_shared<ui::MPMoviePlayerViewController>(url);
    const auto& movie = screen->moviePlayer();
    movie->setContentURL(url);
    movie->setMovieSourceType(ui::MPMovieSourceTypeStreaming);
    movie->play();
    return screen;
}

Subscription addObservers(std::weak_ptr<MoviePlayerObserver> observer) {
    return newer::addObservers(std::move(observer));
}

}  // namespace ov::MPMoviePlayerViewController_OVMPMoviePlayerViewController
