#pragma once
// Plays one item (the platform's AVPlayer): rate, time, seeking, volume, and observers of the
// playback time, over a GStreamer pipeline of its own.
//
//   auto player = ov::AVPlayer::playerWithURL(ov::URL::fileURLWithPath("/tmp/clip.webm"));
//   ov::Subscription started = player->addBoundaryTimeObserverForTimes(
//       {ov::CMTimeMake(1, 3)}, [] { /* on the main run loop, once playback passes 1/3 s */ });
//   player->play();
//   player->seekToTime(ov::CMTimeMakeWithSeconds(2.5, 60000));
//
// Everything the player reports (status, errors, the end of the item, landed seeks, time
// observers, new pictures) arrives on the main run loop, so hosts drive it with
// RunLoop::main(). Main thread only. The pipeline's threads end when the player is destroyed,
// and nothing it had queued reaches anyone after that.
//
// At the end of its item the player pauses (its rate falls to 0) and stays at the end; play
// after a seek goes on from there.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/media/AVPlayerItem.h"
#include "orvane/platform/media/CMTime.h"
#include "orvane/platform/threads/Subscription.h"

namespace ov {

class Timer;
namespace detail {
class Playbin;
struct PlaybinEvent;
}  // namespace detail

enum AVPlayerStatus : int {
    AVPlayerStatusUnknown,
    AVPlayerStatusReadyToPlay,
    AVPlayerStatusFailed,
};

enum AVPlayerTimeControlStatus : int {
    AVPlayerTimeControlStatusPaused,
    AVPlayerTimeControlStatusWaitingToPlayAtSpecifiedRate,
    AVPlayerTimeControlStatusPlaying,
};

class AVPlayer : public std::enable_shared_from_this<AVPlayer> {
    struct PrivateTag {};

  public:
    explicit AVPlayer(PrivateTag);
    ~AVPlayer();
    AVPlayer(const AVPlayer&) = delete;
    AVPlayer& operator=(const AVPlayer&) = delete;

    // A player without an item (none) plays nothing.
    static std::shared_ptr<AVPlayer> playerWithURL(const std::optional<URL>& url);
    static std::shared_ptr<AVPlayer> playerWithPlayerItem(std::shared_ptr<AVPlayerItem> item);

    const std::shared_ptr<AVPlayerItem>& currentItem() const { return m_item; }
    void replaceCurrentItemWithPlayerItem(std::shared_ptr<AVPlayerItem> item);

    AVPlayerStatus status() const { return m_status; }
    const std::shared_ptr<Error>& error() const { return m_error; }

    // play() is setRate(1), pause() setRate(0). Rates below 0 are taken as 0.
    void play() { setRate(1); }
    void pause() { setRate(0); }
    float rate() const { return m_rate; }
    void setRate(float rate);
    AVPlayerTimeControlStatus timeControlStatus() const;

    // Nanoseconds (time scale 10^9); zero without an item.
    CMTime currentTime() const;
    // Lands exactly on the time (clamped into the item); `completion` gets true when it landed,
    // false when a later seek or the player's end came first.
    void seekToTime(CMTime time, std::function<void(bool finished)> completion = {});

    // 0 to 1, and muting on top of it.
    float volume() const { return m_volume; }
    void setVolume(float volume);
    bool isMuted() const { return m_muted; }
    void setMuted(bool muted);

    // The block runs on the main run loop whenever playback passes one of the times going
    // forward (not when a seek jumps over it), while the token lives.
    Subscription addBoundaryTimeObserverForTimes(std::vector<CMTime> times,
                                                 std::function<void()> block);
    // The picture now showing (the first one once the item is ready); nullptr before that.
    const std::shared_ptr<Image>& currentFrame() const { return m_frame; }
    // Runs on the main run loop after each new picture, while the token lives.
    Subscription addFrameObserver(std::function<void()> block);

  private:
    struct BoundaryObserver;

    void makePipeline();
    void handleEvent(const detail::PlaybinEvent& event);
    void didLandAsync();
    void applyRate();
    void frameDidArrive(std::shared_ptr<Image> frame);
    void reachEnd();
    void fail(const String& reason);
    void startSeek(double seconds);
    void finishSeek(bool landed);
    void updateTicker();
    void tick();
    double positionSeconds() const;

    std::shared_ptr<AVPlayerItem> m_item;
    std::unique_ptr<detail::Playbin> m_playbin;
    AVPlayerStatus m_status = AVPlayerStatusUnknown;
    std::shared_ptr<Error> m_error;
    float m_rate = 0;
    float m_volume = 1;
    bool m_muted = false;
    bool m_prerolled = false;
    bool m_playing = false;
    bool m_atEnd = false;
    // A seek asked for before the pipeline could take it.
    bool m_seekWaiting = false;
    bool m_seeking = false;
    double m_seekTarget = 0;
    double m_appliedRate = 1;
    // Events of a pipeline the player has since replaced are dropped.
    unsigned m_generation = 0;
    std::function<void(bool)> m_seekCompletion;
    double m_lastTickSeconds = 0;
    std::shared_ptr<Timer> m_ticker;
    std::vector<std::shared_ptr<BoundaryObserver>> m_boundaryObservers;
    std::vector<std::shared_ptr<std::function<void()>>> m_frameObservers;
    std::shared_ptr<Image> m_frame;
};

}  // namespace ov
