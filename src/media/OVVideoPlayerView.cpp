#include "orvane/media/OVVideoPlayerView.h"

#include "orvane/platform/files/Bundle.h"
#include "orvane/platform/media/MediaNotifications.h"
#include "orvane/platform/threads/NotificationCenter.h"
#include "orvane/platform/ui/text/Font.h"

namespace ov {
namespace {

std::shared_ptr<ui::Label> makeLabel(const ui::Rect& frame, const ui::Font& font) {
    auto label = std::make_shared<ui::Label>(frame);
    label->setFont(font);
    return label;
}

std::optional<URL> bundleResourceURL(const String& resource, const String& extension) {
    const auto path = Bundle::mainBundle()->pathForResource(resource, extension);
    if (!path) return std::nullopt;
    return URL::fileURLWithPath(*path);
}

}  // namespace

OVVideoPlayerView::OVVideoPlayerView(const ui::Rect& frame, const String& resource,
                                     const String& extension)
    : ui::View(frame) {
    const double width = frame.size.width;
    const double height = frame.size.height;
    m_imageView = std::make_shared<ui::ImageView>(frame);
    m_imageView->setImage(Image::imageNamed("Default.png"));
    m_imageView->setBackgroundColor(ui::Color::blackColor());
    addSubview(m_imageView);
    m_lbl_title = makeLabel({20, height - 50, width - 40, 20}, ui::Font::boldSystemFontOfSize(16));
    m_lbl_subtitle = makeLabel({20, height - 20, width - 40, 20}, ui::Font::systemFontOfSize(12));

    auto asset = AVURLAsset::URLAssetWithURL(bundleResourceURL(resource, extension));
    m_player = AVPlayer::playerWithPlayerItem(AVPlayerItem::playerItemWithAsset(std::move(asset)));
    // The end of any item ends this view. The token is a member: no call after destruction.
    m_endObserver = NotificationCenter::defaultCenter().addObserver(
        String(AVPlayerItemDidPlayToEndTimeNotification),
        [this](const Notification&) { moviePlayBackDidFinish(); });

    m_playerLayer = ui::AVPlayerLayer::playerLayerWithPlayer(m_player);
    m_playerLayer->setFrame(frame);
    layer().addSublayer(m_playerLayer);

    m_touchButton = ui::Button::buttonWithType(ui::UIButtonTypeCustom);
    m_touchButton->setFrame(frame);
    // The button is this view's subview, so the handler never outlives the view.
    m_touchButton->addTarget(
        nullptr, "moviePlayBackDidFinish", [this](ui::Control&) { moviePlayBackDidFinish(); },
        ui::UIControlEventTouchDown);
    addSubview(m_lbl_title);
    addSubview(m_lbl_subtitle);
    addSubview(m_touchButton);
}

OVVideoPlayerView::~OVVideoPlayerView() = default;

std::shared_ptr<OVVideoPlayerView> OVVideoPlayerView::playURLForResource(const String& resource,
                                                                         const String& extension,
                                                                         ui::View& above) {
    const ui::Size size = above.frame().size;
    auto view = std::make_shared<OVVideoPlayerView>(ui::Rect{0, 0, size.width, size.height},
                                                    resource, extension);
    above.addSubview(view);
    return view;
}

std::shared_ptr<OVVideoPlayerView> OVVideoPlayerView::initWithMoviePath(const String&) {
    return nullptr;
}

void OVVideoPlayerView::play() {
    m_player->play();
}
void OVVideoPlayerView::pause() {
    m_player->pause();
}

void OVVideoPlayerView::setTitleText(const std::optional<String>& text) {
    m_lbl_title->setText(text);
}

void OVVideoPlayerView::setSubTitleText(const std::optional<String>& text) {
    m_lbl_subtitle->setText(text);
}

void OVVideoPlayerView::setTitleText(const std::optional<String>& title,
                                     const std::optional<String>& subtext) {
    setTitleText(title);
    setSubTitleText(subtext);
}

void OVVideoPlayerView::setLabelsColor(const ui::Color& color) {
    m_lbl_title->setTextColor(color);
    m_lbl_subtitle->setTextColor(color);
}

void OVVideoPlayerView::setLabelsColorWhite() {
    setLabelsColor(ui::Color::whiteColor());
}

ui::Rect OVVideoPlayerView::getVideoContentFrame() const {
    const auto& sublayers = layer().sublayers();
    if (sublayers.empty()) return {};
    const ui::Layer& first = *sublayers.front();
    return first.sublayerTransform().affineTransform().apply(first.bounds());
}

void OVVideoPlayerView::moviePlayBackDidFinish() {
    // The delegate may let this view go; it lives until the call is over.
    const auto keepAlive = weak_from_this().lock();
    m_endObserver.cancel();
    m_player->pause();
    if (auto delegate = m_delegate.lock()) delegate->didOVVideoPlayerViewFinishPlayback(*this);
}

void OVVideoPlayerView::willMoveToSuperview(ui::View* newSuperview) {
    if (!newSuperview) m_endObserver.cancel();
    ui::View::willMoveToSuperview(newSuperview);
}

}  // namespace ov
