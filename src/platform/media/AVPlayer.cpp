#include "orvane/platform/media/AVPlayer.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/media/MediaNotifications.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/threads/RunLoop.h"
#include "orvane/platform/threads/Timer.h"
#include "platform/media/Playbin.h"

namespace ov {
namespace {

// How often a playing player looks for boundary times it has passed.
constexpr double kTickInterval = 0.02;
constexpr int32_t kNanosecondScale = 1000000000;

std::shared_ptr<Error> playbackError(const String& reason) {
    Dictionary info;
    info.setObject(String("The operation could not be completed"), NSLocalizedDescriptionKey);
    info.setObject(reason, NSLocalizedFailureReasonErrorKey);
    return std::make_shared<Error>("AVFoundationErrorDomain", -11800, std::move(info));
}

template <class Entry>
bool contains(const std::vector<std::shared_ptr<Entry>>& entries, const Entry* entry) {
    return std::any_of(entries.begin(), entries.end(),
                       [entry](const auto& held) { return held.get() == entry; });
}

template <class Entry>
Subscription removal(std::weak_ptr<AVPlayer> weak, std::vector<std::shared_ptr<Entry>>& entries,
                     const std::shared_ptr<Entry>& entry, std::function<void(AVPlayer&)> after) {
    return Subscription([weak = std::move(weak), &entries, entry, after = std::move(after)] {
        auto player = weak.lock();
        if (!player) return;
        std::erase(entries, entry);
        after(*player);
    });
}

}  // namespace

struct AVPlayer::BoundaryObserver {
    std::vector<double> seconds;
    std::function<void()> block;
};

AVPlayer::AVPlayer(PrivateTag) {}

AVPlayer::~AVPlayer() {
    if (m_ticker) m_ticker->invalidate();
}

std::shared_ptr<AVPlayer> AVPlayer::playerWithURL(const std::optional<URL>& url) {
    return playerWithPlayerItem(AVPlayerItem::playerItemWithURL(url));
}

std::shared_ptr<AVPlayer> AVPlayer::playerWithPlayerItem(std::shared_ptr<AVPlayerItem> item) {
    auto player = std::make_shared<AVPlayer>(PrivateTag{});
    player->replaceCurrentItemWithPlayerItem(std::move(item));
    return player;
}

void AVPlayer::replaceCurrentItemWithPlayerItem(std::shared_ptr<AVPlayerItem> item) {
    m_playbin.reset();
    ++m_generation;
    if (m_seeking || m_seekWaiting) finishSeek(false);
    m_item = std::move(item);
    m_status = AVPlayerStatusUnknown;
    m_error = nullptr;
    m_prerolled = m_playing = m_atEnd = false;
    m_appliedRate = 1;
    m_frame = nullptr;
    if (m_item) makePipeline();
    updateTicker();
}

void AVPlayer::makePipeline() {
    std::weak_ptr<AVPlayer> weak = weak_from_this();
    const unsigned generation = m_generation;
    detail::Playbin::Listener listener;
    listener.frame = [weak, generation](std::shared_ptr<Image> frame) {
        RunLoop::main().perform([weak, generation, frame = std::move(frame)]() mutable {
            auto player = weak.lock();
            if (player && player->m_generation == generation)
                player->frameDidArrive(std::move(frame));
        });
    };
    listener.event = [weak, generation](const detail::PlaybinEvent& event) {
        RunLoop::main().perform([weak, generation, event] {
            auto player = weak.lock();
            if (player && player->m_generation == generation) player->handleEvent(event);
        });
    };
    m_playbin = std::make_unique<detail::Playbin>(
        m_item->asset()->uri(), detail::Playbin::Sound::Output, std::move(listener));
    if (!m_playbin->isValid()) {
        RunLoop::main().perform([weak, generation] {
            auto player = weak.lock();
            if (player && player->m_generation == generation)
                player->fail("the media framework lacks a part");
        });
        return;
    }
    m_playbin->setVolume(m_volume, m_muted);
    // Paused first: the first picture, the length and any error arrive before playing.
    m_playbin->setPlaying(false);
}

void AVPlayer::handleEvent(const detail::PlaybinEvent& event) {
    using Kind = detail::PlaybinEvent::Kind;
    switch (event.kind) {
        case Kind::AsyncDone:
            didLandAsync();
            break;
        case Kind::Playing:
            m_playing = m_rate > 0 && !m_atEnd;
            updateTicker();
            break;
        case Kind::EndOfStream:
            reachEnd();
            break;
        case Kind::Error:
            fail(event.reason);
            break;
    }
}

void AVPlayer::didLandAsync() {
    if (m_status == AVPlayerStatusFailed) return;
    if (!m_prerolled) {
        m_prerolled = true;
        m_status = AVPlayerStatusReadyToPlay;
        m_item->setStatus(AVPlayerItemStatusReadyToPlay);
        if (m_seekWaiting) {
            m_seekWaiting = false;
            startSeek(m_seekTarget);
        }
        applyRate();
        return;
    }
    if (m_seeking) finishSeek(true);
}

void AVPlayer::setRate(float rate) {
    m_rate = std::isnan(rate) ? 0.0f : std::max(rate, 0.0f);
    applyRate();
}

void AVPlayer::applyRate() {
    if (!m_playbin || !m_prerolled || m_status == AVPlayerStatusFailed) return updateTicker();
    if (m_atEnd) m_rate = 0;  // the end holds until a seek moves away from it
    if (m_rate == 0) {
        m_playing = false;
        m_playbin->setPlaying(false);
        return updateTicker();
    }
    if (m_rate != m_appliedRate && !m_seeking) {
        m_appliedRate = m_rate;
        m_playbin->seek(positionSeconds(), m_appliedRate);
    }
    m_playbin->setPlaying(true);
    updateTicker();
}

AVPlayerTimeControlStatus AVPlayer::timeControlStatus() const {
    if (m_rate == 0) return AVPlayerTimeControlStatusPaused;
    return m_playing && !m_seeking ? AVPlayerTimeControlStatusPlaying
                                   : AVPlayerTimeControlStatusWaitingToPlayAtSpecifiedRate;
}

double AVPlayer::positionSeconds() const {
    if (!m_playbin) return 0;
    if (m_seeking || m_seekWaiting) return m_seekTarget;
    const double length = m_item ? CMTimeGetSeconds(m_item->duration()) : NAN;
    if (m_atEnd && std::isfinite(length)) return length;
    return m_playbin->position().value_or(m_lastTickSeconds);
}

CMTime AVPlayer::currentTime() const {
    return CMTimeMakeWithSeconds(positionSeconds(), kNanosecondScale);
}

void AVPlayer::seekToTime(CMTime time, std::function<void(bool)> completion) {
    if (m_seeking || m_seekWaiting) finishSeek(false);
    if (!m_playbin || !time.isValid() || m_status == AVPlayerStatusFailed) {
        if (completion) completion(false);
        return;
    }
    m_seekCompletion = std::move(completion);
    double seconds = std::max(CMTimeGetSeconds(time), 0.0);
    const double length = CMTimeGetSeconds(m_item->duration());
    if (std::isfinite(length)) seconds = std::min(seconds, length);
    m_seekTarget = m_lastTickSeconds = seconds;
    m_atEnd = false;
    if (!m_prerolled) {
        m_seekWaiting = true;
        return;
    }
    startSeek(seconds);
    if (m_rate > 0) applyRate();
}

void AVPlayer::startSeek(double seconds) {
    m_seeking = true;
    m_playing = false;
    if (!m_playbin->seek(seconds, m_rate > 0 ? m_rate : m_appliedRate)) finishSeek(false);
}

void AVPlayer::finishSeek(bool landed) {
    m_seeking = m_seekWaiting = false;
    // A landed seek plays on at once when the player was asked to play.
    m_playing = landed && m_rate > 0;
    updateTicker();
    auto completion = std::exchange(m_seekCompletion, {});
    if (landed && m_item)
        NotificationCenter::defaultCenter().postNotification(AVPlayerItemTimeJumpedNotification,
                                                             Value(m_item));
    if (completion) completion(landed);
}

void AVPlayer::reachEnd() {
    if (m_atEnd) return;
    tick();
    m_atEnd = true;
    m_rate = 0;
    m_playing = false;
    m_playbin->setPlaying(false);
    updateTicker();
    NotificationCenter::defaultCenter().postNotification(AVPlayerItemDidPlayToEndTimeNotification,
                                                         Value(m_item));
}

void AVPlayer::fail(const String& reason) {
    if (m_status == AVPlayerStatusFailed) return;
    m_status = AVPlayerStatusFailed;
    m_error = playbackError(reason);
    m_playing = false;
    if (m_item) m_item->setStatus(AVPlayerItemStatusFailed, m_error);
    if (m_seeking || m_seekWaiting) finishSeek(false);
    updateTicker();
    Dictionary info;
    info.setObject(Value(m_error), AVPlayerItemFailedToPlayToEndTimeErrorKey);
    NotificationCenter::defaultCenter().postNotification(
        AVPlayerItemFailedToPlayToEndTimeNotification, Value(m_item), info);
}

void AVPlayer::setVolume(float volume) {
    m_volume = std::clamp(std::isnan(volume) ? 0.0f : volume, 0.0f, 1.0f);
    if (m_playbin) m_playbin->setVolume(m_volume, m_muted);
}

void AVPlayer::setMuted(bool muted) {
    m_muted = muted;
    if (m_playbin) m_playbin->setVolume(m_volume, m_muted);
}

Subscription AVPlayer::addBoundaryTimeObserverForTimes(std::vector<CMTime> times,
                                                       std::function<void()> block) {
    auto observer = std::make_shared<BoundaryObserver>();
    for (const CMTime& time : times)
        if (time.isValid()) observer->seconds.push_back(CMTimeGetSeconds(time));
    observer->block = std::move(block);
    m_boundaryObservers.push_back(observer);
    updateTicker();
    return removal<BoundaryObserver>(weak_from_this(), m_boundaryObservers, observer,
                                     [](AVPlayer& player) { player.updateTicker(); });
}

Subscription AVPlayer::addFrameObserver(std::function<void()> block) {
    auto observer = std::make_shared<std::function<void()>>(std::move(block));
    m_frameObservers.push_back(observer);
    return removal<std::function<void()>>(weak_from_this(), m_frameObservers, observer,
                                          [](AVPlayer&) {});
}

void AVPlayer::frameDidArrive(std::shared_ptr<Image> frame) {
    m_frame = std::move(frame);
    const auto observers = m_frameObservers;
    for (const auto& observer : observers)
        if (contains(m_frameObservers, observer.get())) (*observer)();
}

void AVPlayer::updateTicker() {
    const bool wanted = m_playing && m_rate > 0 && !m_boundaryObservers.empty();
    if (wanted == static_cast<bool>(m_ticker)) return;
    if (!wanted) {
        std::exchange(m_ticker, nullptr)->invalidate();
        return;
    }
    m_lastTickSeconds = positionSeconds();
    m_ticker = Timer::scheduledTimer(kTickInterval, true, [weak = weak_from_this()](Timer&) {
        if (auto player = weak.lock()) player->tick();
    });
}

void AVPlayer::tick() {
    const double now = positionSeconds();
    const double last = std::exchange(m_lastTickSeconds, now);
    if (now <= last) return;
    const auto observers = m_boundaryObservers;
    for (const auto& observer : observers) {
        if (!contains(m_boundaryObservers, observer.get())) continue;
        const bool passed = std::any_of(observer->seconds.begin(), observer->seconds.end(),
                                        [&](double time) { return last < time && time <= now; });
        if (passed) observer->block();
    }
}

}  // namespace ov
