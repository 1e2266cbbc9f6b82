#pragma once
// A bare view that plays a movie shipped in the main bundle over the application's launch
// picture, with a title and a subtitle along the bottom; it ends when the movie ends or when
// it is touched anywhere.
//
//   auto intro = ov::OVVideoPlayerView::playURLForResource("intro", "webm", *window);
//   intro->setTitleText("Welcome", "Swipe to begin");
//   intro->setDelegate(self);   // held weakly
//   intro->play();
//
// Ending pauses the player and tells the delegate; the view stays where it is. Main thread
// only.

#include <memory>
#include <optional>

#include "orvane/platform/media/AVPlayer.h"
#include "orvane/platform/threads/Subscription.h"
#include "orvane/platform/ui/media/AVPlayerLayer.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/views/ImageView.h"
#include "orvane/platform/ui/views/Label.h"
#include "orvane/platform/ui/views/View.h"

namespace ov {

class OVVideoPlayerView;

class OVVideoPlayerViewDelegate {
  public:
    virtual ~OVVideoPlayerViewDelegate() = default;
    virtual void didOVVideoPlayerViewFinishPlayback(OVVideoPlayerView& view) { (void)view; }
};

class OVVideoPlayerView : public ui::View {
  public:
    // initWithFrame:URLForResource:withExtension:.
    OVVideoPlayerView(const ui::Rect& frame, const String& resource, const String& extension);
    ~OVVideoPlayerView() override;

    // A view filling `host` from its origin, added to it; playback waits for play().
    static std::shared_ptr<OVVideoPlayerView> playURLForResource(const String& resource,
                                                                 const String& extension,
                                                                 ui::View& above);
    // Makes no view.
    static std::shared_ptr<OVVideoPlayerView> initWithMoviePath(const String& path);

    void play();
    void pause();
    void setTitleText(const std::optional<String>& text);
    void setSubTitleText(const std::optional<String>& text);
    void setTitleText(const std::optional<String>& title, const std::optional<String>& subtext);
    void setLabelsColor(const ui::Color& color);
    void setLabelsColorWhite();
    // The first sublayer's bounds through the affine part of its sublayer transform.
    ui::Rect getVideoContentFrame() const;
    // Stops observing, pauses and tells the delegate.
    void moviePlayBackDidFinish();

    const std::shared_ptr<AVPlayer>& player() const { return m_player; }
    const std::weak_ptr<OVVideoPlayerViewDelegate>& delegate() const { return m_delegate; }
    void setDelegate(std::weak_ptr<OVVideoPlayerViewDelegate> delegate) {
        m_delegate = std::move(delegate);
    }
    const std::shared_ptr<ui::AVPlayerLayer>& playerLayer() const { return m_playerLayer; }
    // Stored only.
    double volume() const { return m_volume; }
    void setVolume(double volume) { m_volume = volume; }
    bool isPortrait() const { return m_isPortrait; }
    void setIsPortrait(bool portrait) { m_isPortrait = portrait; }
    const std::shared_ptr<ui::ImageView>& imageView() const { return m_imageView; }
    const std::shared_ptr<ui::Label>& lbl_title() const { return m_lbl_title; }
    const std::shared_ptr<ui::Label>& lbl_subtitle() const { return m_lbl_subtitle; }
    const std::shared_ptr<ui::Button>& touchButton() const { return m_touchButton; }

    // Leaving the superview stops observing (the platform's removeFromSuperview override).
    void willMoveToSuperview(ui::View* newSuperview) override;

  private:
    std::shared_ptr<AVPlayer> m_player;
    std::weak_ptr<OVVideoPlayerViewDelegate> m_delegate;
    std::shared_ptr<ui::AVPlayerLayer> m_playerLayer;
    double m_volume = 0;
    bool m_isPortrait = false;
    std::shared_ptr<ui::ImageView> m_imageView;
    std::shared_ptr<ui::Label> m_lbl_title;
    std::shared_ptr<ui::Label> m_lbl_subtitle;
    std::shared_ptr<ui::Button> m_touchButton;
    Subscription m_endObserver;
};

}  // namespace ov
