#pragma once
// A layer that shows its player's current picture (the platform's AVPlayerLayer), so that a
// render of the layer tree shows the movie where the layer is.
//
//   auto layer = ov::ui::AVPlayerLayer::playerLayerWithPlayer(player);
//   layer->setFrame(view->bounds());
//   view->layer().addSublayer(layer);
//
// The picture follows the player on the main run loop. Main thread only.

#include <memory>

#include "orvane/platform/media/AVPlayer.h"
#include "orvane/platform/threads/Subscription.h"
#include "orvane/platform/ui/layers/Layer.h"

namespace ov::ui {

// How the picture fills the layer.
enum class AVLayerVideoGravity { ResizeAspect, ResizeAspectFill, Resize };

class AVPlayerLayer : public Layer {
  public:
    AVPlayerLayer();

    static std::shared_ptr<AVPlayerLayer> playerLayerWithPlayer(std::shared_ptr<AVPlayer> player);

    const std::shared_ptr<AVPlayer>& player() const { return m_player; }
    void setPlayer(std::shared_ptr<AVPlayer> player);

    // ResizeAspect by default: the whole picture, letterboxed.
    AVLayerVideoGravity videoGravity() const { return m_gravity; }
    void setVideoGravity(AVLayerVideoGravity gravity);
    // Where the picture is in the bounds; zero before the first picture.
    Rect videoRect() const;
    bool isReadyForDisplay() const { return contents() != nullptr; }

  private:
    void showCurrentFrame();

    std::shared_ptr<AVPlayer> m_player;
    Subscription m_frames;
    AVLayerVideoGravity m_gravity = AVLayerVideoGravity::ResizeAspect;
};

}  // namespace ov::ui
