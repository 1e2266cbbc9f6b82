#pragma once
// Internal: what the player screens show: the movie filling the view (black around it) and,
// when asked, a strip of playback controls along the bottom: a play/pause button and a bar of
// the time played.

#include <memory>

#include "orvane/platform/media/AVPlayer.h"
#include "orvane/platform/threads/Subscription.h"
#include "orvane/platform/ui/media/AVPlayerLayer.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/views/View.h"

namespace ov::ui::detail {

class PlaybackControlsView : public View {
  public:
    static constexpr double kHeight = 32;

    explicit PlaybackControlsView(const Rect& frame);
    void setPlayer(std::shared_ptr<AVPlayer> player);
    void drawRect(GraphicsContext& context, const Rect& rect) override;
    void layoutSubviews() override;

  private:
    void togglePlayback();

    std::weak_ptr<AVPlayer> m_player;
    Subscription m_frames;
    std::shared_ptr<Button> m_playButton;
};

class PlayerContentView : public View {
  public:
    explicit PlayerContentView(const Rect& frame);

    void setPlayer(std::shared_ptr<AVPlayer> player);
    void setShowsControls(bool shows) { m_controls->setHidden(!shows); }
    AVPlayerLayer& playerLayer() const { return *m_playerLayer; }
    void layoutSubviews() override;

  private:
    std::shared_ptr<AVPlayerLayer> m_playerLayer;
    std::shared_ptr<PlaybackControlsView> m_controls;
};

}  // namespace ov::ui::detail
