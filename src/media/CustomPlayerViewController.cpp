#include "orvane/media/CustomPlayerViewController.h"

#include "orvane/platform/media/MediaNotifications.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/ui/application/ApplicationNotifications.h"
#include "orvane/platform/ui/views/Window.h"

namespace ov {
namespace {

constexpr int32_t kSeekTimescale = 60000;

// Observers hold the screen weakly and keep it alive while they run, so a delegate that lets
// the screen go mid-call leaves nothing dangling.
template <class Handler>
Subscription observe(const char* name, std::weak_ptr<CustomPlayerViewController> weak,
                     Handler handler) {
    return NotificationCenter::defaultCenter().addObserver(
        String(name), [weak = std::move(weak), handler](const Notification& notification) {
            if (auto screen = weak.lock()) handler(*screen, notification);
        });
}

}  // namespace

CustomPlayerViewController::CustomPlayerViewController() = default;
CustomPlayerViewController::~CustomPlayerViewController() {
    // The screen's views may live on in the host's tree; the player (and its pipeline's
    // threads) must not.
    if (m_controller) m_controller->setPlayer(nullptr);
}

std::shared_ptr<CustomPlayerViewController>
CustomPlayerViewController::customPlayerViewControllerWithUrl(const std::optional<URL>& url) {
    auto screen = std::make_shared<CustomPlayerViewController>();
    screen->setUrl(url);
    return screen;
}

std::shared_ptr<AVPlayer> CustomPlayerViewController::playerWithUrl(const std::optional<URL>& url) {
    auto asset = AVURLAsset::assetWithURL(url);
    auto item = AVPlayerItem::playerItemWithAsset(std::move(asset));
    return AVPlayer::playerWithPlayerItem(std::move(item));
}

std::weak_ptr<CustomPlayerViewController> CustomPlayerViewController::weakSelf() {
    return std::static_pointer_cast<CustomPlayerViewController>(weak_from_this().lock());
}

void CustomPlayerViewController::setUrl(const std::optional<URL>& url) {
    m_url = url;
    // A player is made only for a controller that can hold it: one made earlier would only
    // start a pipeline to throw it away.
    if (!m_controller) return;
    m_controller->setPlayer(playerWithUrl(m_url));
    observeItem();
    reinitobserver();
}

void CustomPlayerViewController::setStr_url(const String& text) {
    m_str_url = text;
    setUrl(URL::withString(text));
}

void CustomPlayerViewController::setMute(bool mute) {
    m_mute = mute;
    if (auto current = player()) current->setVolume(mute ? 0 : 1);
}

void CustomPlayerViewController::setShowsPlaybackControls(bool shows) {
    m_showsPlaybackControls = shows;
    if (m_controller) m_controller->setShowsPlaybackControls(shows);
}

void CustomPlayerViewController::setParentView(std::shared_ptr<ui::View> parentView) {
    m_parentView = std::move(parentView);
    initilize_ui();
}

std::shared_ptr<AVPlayer> CustomPlayerViewController::player() const {
    return m_controller ? m_controller->player() : nullptr;
}

double CustomPlayerViewController::currentSeconds() const {
    const auto current = player();
    return current ? CMTimeGetSeconds(current->currentTime()) : 0;
}

bool CustomPlayerViewController::isPlaying() const {
    const auto current = player();
    if (!current) return false;
    if (current->rate() != 0 && !current->error()) return true;
    return current->timeControlStatus() != AVPlayerTimeControlStatusPaused;
}

void CustomPlayerViewController::play() {
    m_played = true;
    if (auto current = player()) current->play();
}

void CustomPlayerViewController::pause() {
    m_played = false;
    if (auto current = player()) current->pause();
}

void CustomPlayerViewController::seekToTime(CMTime time) {
    if (auto current = player()) current->seekToTime(time);
}

void CustomPlayerViewController::seekToSecond(double second) {
    seekToTime(CMTimeMakeWithSeconds(second, kSeekTimescale));
}

void CustomPlayerViewController::setPlayFrom(double, double) {}

void CustomPlayerViewController::viewDidLoad() {
    ui::ViewController::viewDidLoad();
    initilize();
    initilize_ui();
    if (m_autoPlay) play();
}

void CustomPlayerViewController::initilize() {
    m_controller = std::make_shared<ui::AVPlayerViewController>();
    m_controller->setPlayer(playerWithUrl(m_url));
    m_controller->setShowsPlaybackControls(m_showsPlaybackControls);
    observeItem();
    m_screenObservers.clear();
    m_screenObservers.push_back(
        observe(ov::PlaybackStartedNotification, weakSelf(),
                [](CustomPlayerViewController& screen, const Notification& notification) {
                    screen.PlaybackStartedNotification(notification);
                }));
    m_screenObservers.push_back(observe(
        ui::UIApplicationDidBecomeActiveNotification, weakSelf(),
        [](CustomPlayerViewController& screen, const Notification&) { screen.playIfNeeded(); }));
    // Every player the screen holds gets the start observer, the first one included.
    reinitobserver();
}

void CustomPlayerViewController::observeItem() {
    const auto current = player();
    m_item = current ? current->currentItem() : nullptr;
    m_itemObservers.clear();
    if (!m_item) return;
    m_itemObservers.push_back(observe(
        AVPlayerItemDidPlayToEndTimeNotification, weakSelf(),
        [item = m_item.get()](CustomPlayerViewController& screen, const Notification& note) {
            if (note.object.ifObjectOf<AVPlayerItem>().get() == item)
                screen.itemDidFinishPlaying(note);
        }));
    m_itemObservers.push_back(observe(
        AVPlayerItemTimeJumpedNotification, weakSelf(),
        [item = m_item.get()](CustomPlayerViewController& screen, const Notification& note) {
            if (note.object.ifObjectOf<AVPlayerItem>().get() == item)
                screen.playerTimeChanged(note);
        }));
}

void CustomPlayerViewController::initilize_ui() {
    const auto root = view();  // loads the screen first when needed
    if (!m_controller) return;
    const auto& movie = m_controller->view();
    movie->setFrame(root->frame());
    root->addSubview(movie);
    setMute(m_mute);
    if (m_parentView) m_parentView->addSubview(root);
    const ui::Size size = m_parentView ? m_parentView->frame().size : ui::Size{};
    movie->setFrame({0, 0, size.width, size.height});
    if (m_autoPlay) {
        if (auto current = player()) current->play();
    }
}

void CustomPlayerViewController::reinitobserver() {
    const auto current = player();
    m_startObserver = current ? current->addBoundaryTimeObserverForTimes(
                                    {CMTimeMake(1, 3)},
                                    [weak = weakSelf()] {
                                        auto screen = weak.lock();
                                        if (!screen) return;
                                        NotificationCenter::defaultCenter().postNotification(
                                            ov::PlaybackStartedNotification, Value(screen->m_item));
                                        if (auto delegate = screen->m_delegate.lock())
                                            delegate->CustomPlayerDidStartPlay(*screen);
                                    })
                              : Subscription{};
}

bool CustomPlayerViewController::isOwnItem(const Value& object) const {
    return m_item && object.ifObjectOf<AVPlayerItem>() == m_item;
}

void CustomPlayerViewController::PlaybackStartedNotification(const Notification& notification) {
    if (!isOwnItem(notification.object)) pause();
}

void CustomPlayerViewController::playerTimeChanged(const Notification& notification) {
    if (!isOwnItem(notification.object)) return pause();
    if (auto delegate = m_delegate.lock())
        delegate->CustomPlayerDidTimeChange(*this, currentSeconds());
}

void CustomPlayerViewController::itemDidFinishPlaying(const Notification& notification) {
    if (!isOwnItem(notification.object)) return;
    if (auto delegate = m_delegate.lock()) delegate->CustomPlayerDidFinishPlaying(*this);
    if (!m_loop) return;
    if (auto current = player()) {
        current->seekToTime(CMTimeMakeWithSeconds(0, kSeekTimescale));
        current->play();
    }
}

void CustomPlayerViewController::playIfNeeded() {
    if (isViewLoaded() && viewIfLoaded()->window() && m_played) play();
}

}  // namespace ov
