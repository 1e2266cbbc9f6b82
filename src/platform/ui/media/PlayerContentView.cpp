#include "platform/ui/media/PlayerContentView.h"

#include <algorithm>
#include <cmath>

#include "orvane/platform/ui/drawing/GraphicsContext.h"

namespace ov::ui::detail {
namespace {

constexpr double kMargin = 8;
constexpr double kButtonSide = PlaybackControlsView::kHeight;
constexpr double kTrackHeight = 4;

double playedFraction(const AVPlayer& player) {
    if (!player.currentItem()) return 0;
    const double length = CMTimeGetSeconds(player.currentItem()->duration());
    const double now = CMTimeGetSeconds(player.currentTime());
    if (!(length > 0) || !std::isfinite(now)) return 0;
    return std::clamp(now / length, 0.0, 1.0);
}

void drawPlayGlyph(GraphicsContext& context, const Rect& box) {
    context.beginPath();
    context.moveToPoint({box.origin.x + 11, box.origin.y + 9});
    context.addLineToPoint({box.origin.x + 23, box.origin.y + 16});
    context.addLineToPoint({box.origin.x + 11, box.origin.y + 23});
    context.closePath();
    context.fillPath();
}

void drawPauseGlyph(GraphicsContext& context, const Rect& box) {
    context.fillRect({box.origin.x + 11, box.origin.y + 9, 4, 14});
    context.fillRect({box.origin.x + 18, box.origin.y + 9, 4, 14});
}

}  // namespace

PlaybackControlsView::PlaybackControlsView(const Rect& frame) : View(frame) {
    setOpaque(false);
    setBackgroundColor(Color::colorWithWhite(0, 0.5));
    m_playButton = Button::buttonWithType(UIButtonTypeCustom);
    m_playButton->setAccessibilityLabel(String("Play/Pause"));
    // The button is owned by this view, so the handler never outlives it.
    m_playButton->addTarget(
        nullptr, "togglePlayback", [this](Control&) { togglePlayback(); },
        UIControlEventTouchUpInside);
    addSubview(m_playButton);
}

void PlaybackControlsView::setPlayer(std::shared_ptr<AVPlayer> player) {
    m_frames.cancel();
    m_player = player;
    if (player) m_frames = player->addFrameObserver([this] { setNeedsDisplay(); });
    setNeedsDisplay();
}

void PlaybackControlsView::layoutSubviews() {
    View::layoutSubviews();
    m_playButton->setFrame({0, 0, kButtonSide, bounds().size.height});
}

void PlaybackControlsView::togglePlayback() {
    auto player = m_player.lock();
    if (!player) return;
    if (player->rate() == 0)
        player->play();
    else
        player->pause();
    setNeedsDisplay();
}

void PlaybackControlsView::drawRect(GraphicsContext& context, const Rect&) {
    const Rect box{0, 0, kButtonSide, kButtonSide};
    const auto player = m_player.lock();
    context.setFillColor(Color::whiteColor());
    if (player && player->rate() != 0)
        drawPauseGlyph(context, box);
    else
        drawPlayGlyph(context, box);
    const double trackWidth = std::max(0.0, bounds().size.width - kButtonSide - kMargin);
    const Rect track{kButtonSide, (kButtonSide - kTrackHeight) / 2, trackWidth, kTrackHeight};
    context.setFillColor(Color::colorWithWhite(1, 0.35));
    context.fillRect(track);
    context.setFillColor(Color::whiteColor());
    context.fillRect({track.origin.x, track.origin.y,
                      track.size.width * (player ? playedFraction(*player) : 0),
                      track.size.height});
}

PlayerContentView::PlayerContentView(const Rect& frame)
    : View(frame), m_playerLayer(std::make_shared<AVPlayerLayer>()) {
    setBackgroundColor(Color::blackColor());
    layer().addSublayer(m_playerLayer);
    m_controls = std::make_shared<PlaybackControlsView>(Rect{});
    addSubview(m_controls);
}

void PlayerContentView::setPlayer(std::shared_ptr<AVPlayer> player) {
    m_playerLayer->setPlayer(player);
    m_controls->setPlayer(std::move(player));
}

void PlayerContentView::layoutSubviews() {
    View::layoutSubviews();
    const Rect area = bounds();
    m_playerLayer->setFrame(area);
    m_controls->setFrame({0, area.size.height - PlaybackControlsView::kHeight, area.size.width,
                          PlaybackControlsView::kHeight});
}

}  // namespace ov::ui::detail
