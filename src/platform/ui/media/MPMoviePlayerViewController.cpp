#include "orvane/platform/ui/media/MPMoviePlayerViewController.h"

#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/threads/RunLoop.h"
#include "platform/ui/media/PlayerContentView.h"

namespace ov::ui {
namespace {

constexpr double kDoneWidth = 64;
constexpr double kDoneHeight = 32;

}  // namespace

MPMoviePlayerController::MPMoviePlayerController(std::optional<URL> contentURL) {
    setContentURL(contentURL);
}

MPMoviePlayerController::~MPMoviePlayerController() = default;

void MPMoviePlayerController::setContentURL(const std::optional<URL>& url) {
    if (m_player && url == m_contentURL) return;
    m_contentURL = url;
    m_itemEnd.cancel();
    m_player = AVPlayer::playerWithURL(url);
    if (auto* content = dynamic_cast<detail::PlayerContentView*>(m_view.get()))
        content->setPlayer(m_player);
    const auto* item = m_player->currentItem().get();
    if (!item) return;
    // The token is a member, so the observer never outlives this controller.
    m_itemEnd = NotificationCenter::defaultCenter().addObserver(
        String(AVPlayerItemDidPlayToEndTimeNotification), [this, item](const Notification& note) {
            const auto ended = note.object.ifObjectOf<AVPlayerItem>();
            if (ended.get() == item) postFinish(MPMovieFinishReasonPlaybackEnded);
        });
}

void MPMoviePlayerController::play() {
    m_player->play();
}
void MPMoviePlayerController::pause() {
    m_player->pause();
}

void MPMoviePlayerController::stop() {
    m_player->pause();
    m_player->seekToTime(kCMTimeZero);
}

const std::shared_ptr<View>& MPMoviePlayerController::view() {
    if (!m_view) {
        auto content = std::make_shared<detail::PlayerContentView>(Rect{0, 0, 320, 480});
        content->setPlayer(m_player);
        m_view = std::move(content);
    }
    return m_view;
}

void MPMoviePlayerController::postFinish(MPMovieFinishReason reason) {
    Dictionary info;
    info.setObject(Number(static_cast<int>(reason)),
                   MPMoviePlayerPlaybackDidFinishReasonUserInfoKey);
    NotificationCenter::defaultCenter().postNotification(
        MPMoviePlayerPlaybackDidFinishNotification,
        Value(std::static_pointer_cast<Object>(weak_from_this().lock())), info);
}

MPMoviePlayerViewController::MPMoviePlayerViewController(std::optional<URL> contentURL)
    : m_moviePlayer(std::make_shared<MPMoviePlayerController>(std::move(contentURL))) {}

void MPMoviePlayerViewController::loadView() {
    ViewController::loadView();
    const Rect frame = viewIfLoaded()->frame();
    auto& movie = m_moviePlayer->view();
    movie->setFrame({0, 0, frame.size.width, frame.size.height});
    movie->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    auto root = std::make_shared<View>(frame);
    root->setBackgroundColor(Color::blackColor());
    root->addSubview(movie);
    m_doneButton = Button::buttonWithType(UIButtonTypeSystem);
    m_doneButton->setTitle(String("Done"), UIControlStateNormal);
    m_doneButton->setFrame({8, 8, kDoneWidth, kDoneHeight});
    // The button lives in this screen's view, which the screen owns.
    m_doneButton->addTarget(
        nullptr, "done", [this](Control&) { done(); }, UIControlEventTouchUpInside);
    root->addSubview(m_doneButton);
    setView(std::move(root));
}

void MPMoviePlayerViewController::done() {
    const auto moviePlayer = m_moviePlayer;
    NotificationCenter::defaultCenter().postNotification(
        MPMoviePlayerWillExitFullscreenNotification,
        Value(std::static_pointer_cast<Object>(moviePlayer)));
    moviePlayer->pause();
    moviePlayer->postFinish(MPMovieFinishReasonUserExited);
    // On a later turn: dismissing may free this screen, and with it the button now calling.
    RunLoop::main().perform([weak = weak_from_this()] {
        auto screen = weak.lock();
        if (screen && screen->presentingViewController())
            screen->dismissViewControllerAnimated(true);
    });
}

}  // namespace ov::ui
