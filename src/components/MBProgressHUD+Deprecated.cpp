// The older property-style surface, kept on top of the same HUD.
#include "MBAssert.h"
#include "orvane/components/MBProgressHUD.h"
#include "orvane/platform/ui/views/ActivityIndicatorView.h"

namespace ov {

namespace {

const ui::Color kDimColor = ui::Color::colorWithWhite(0, 0.2);

}  // namespace

std::vector<MBProgressHUD*> MBProgressHUD::allHUDsForView(const ui::View& view) {
    std::vector<MBProgressHUD*> huds;
    for (const auto& subview : view.subviews()) {
        if (auto* hud = dynamic_cast<MBProgressHUD*>(subview.get())) huds.push_back(hud);
    }
    return huds;
}

size_t MBProgressHUD::hideAllHUDsForView(ui::View& view, bool animated) {
    // Hiding may take a HUD out of the view (and end it), so hold them all first.
    std::vector<std::shared_ptr<MBProgressHUD>> huds;
    for (MBProgressHUD* hud : allHUDsForView(view))
        huds.push_back(std::static_pointer_cast<MBProgressHUD>(hud->shared_from_this()));
    for (const auto& hud : huds) {
        hud->setRemoveFromSuperViewOnHide(true);
        hud->hideAnimated(animated);
    }
    return huds.size();
}

std::shared_ptr<MBProgressHUD> MBProgressHUD::initWithWindow(const ui::View* window) {
    return initWithView(window);
}

void MBProgressHUD::showWhileExecuting(std::function<void(const Value&)> selector,
                                       const Value& object, bool animated) {
    showAnimated(animated, [selector = std::move(selector), object] {
        if (selector) selector(object);
    });
}

void MBProgressHUD::showAnimated(bool animated, Task whileExecutingBlock) {
    showAnimated(animated, std::move(whileExecutingBlock), DispatchQueue::global(), {});
}

void MBProgressHUD::showAnimated(bool animated, Task whileExecutingBlock,
                                 CompletionBlock completionBlock) {
    showAnimated(animated, std::move(whileExecutingBlock), DispatchQueue::global(),
                 std::move(completionBlock));
}

void MBProgressHUD::showAnimated(bool animated, Task whileExecutingBlock, DispatchQueue& onQueue) {
    showAnimated(animated, std::move(whileExecutingBlock), onQueue, {});
}

void MBProgressHUD::showAnimated(bool animated, Task whileExecutingBlock, DispatchQueue& onQueue,
                                 CompletionBlock completionBlock) {
    if (!mb::checkMainThread()) return;
    m_taskInProgress = true;
    m_completionBlock = std::move(completionBlock);
    // The task keeps the HUD alive until its clean-up has run, as the hide needs it.
    auto self = std::static_pointer_cast<MBProgressHUD>(shared_from_this());
    onQueue.async([self, task = std::move(whileExecutingBlock)] {
        if (task) task();
        DispatchQueue::main().async([self] { self->cleanUp(); });
    });
    showAnimated(animated);
}

void MBProgressHUD::cleanUp() {
    m_taskInProgress = false;
    hideAnimated(m_useAnimation);
}

std::optional<String> MBProgressHUD::labelText() const {
    return m_label->text();
}

void MBProgressHUD::setLabelText(const std::optional<String>& text) {
    if (mb::checkMainThread()) m_label->setText(text);
}

ui::Font MBProgressHUD::labelFont() const {
    return m_label->font();
}

void MBProgressHUD::setLabelFont(const ui::Font& font) {
    if (mb::checkMainThread()) m_label->setFont(font);
}

ui::Color MBProgressHUD::labelColor() const {
    return m_label->textColor();
}

void MBProgressHUD::setLabelColor(const ui::Color& color) {
    if (mb::checkMainThread()) m_label->setTextColor(color);
}

std::optional<String> MBProgressHUD::detailsLabelText() const {
    return m_detailsLabel->text();
}

void MBProgressHUD::setDetailsLabelText(const std::optional<String>& text) {
    if (mb::checkMainThread()) m_detailsLabel->setText(text);
}

ui::Font MBProgressHUD::detailsLabelFont() const {
    return m_detailsLabel->font();
}

void MBProgressHUD::setDetailsLabelFont(const ui::Font& font) {
    if (mb::checkMainThread()) m_detailsLabel->setFont(font);
}

ui::Color MBProgressHUD::detailsLabelColor() const {
    return m_detailsLabel->textColor();
}

void MBProgressHUD::setDetailsLabelColor(const ui::Color& color) {
    if (mb::checkMainThread()) m_detailsLabel->setTextColor(color);
}

void MBProgressHUD::setOpacity(double opacity) {
    if (mb::checkMainThread()) m_opacity = opacity;
}

ui::Color MBProgressHUD::color() const {
    return m_bezelView->color();
}

void MBProgressHUD::setColor(const ui::Color& color) {
    if (mb::checkMainThread()) m_bezelView->setColor(color);
}

void MBProgressHUD::setXOffset(double x) {
    if (mb::checkMainThread()) setOffset({x, m_offset.y});
}

void MBProgressHUD::setYOffset(double y) {
    if (mb::checkMainThread()) setOffset({m_offset.x, y});
}

double MBProgressHUD::cornerRadius() const {
    return m_bezelView->layer().cornerRadius();
}

void MBProgressHUD::setCornerRadius(double radius) {
    if (mb::checkMainThread()) m_bezelView->layer().setCornerRadius(radius);
}

bool MBProgressHUD::dimBackground() const {
    return m_backgroundView->style() == MBProgressHUDBackgroundStyleSolidColor &&
           m_backgroundView->color() == kDimColor;
}

void MBProgressHUD::setDimBackground(bool dim) {
    if (!mb::checkMainThread()) return;
    m_backgroundView->setStyle(MBProgressHUDBackgroundStyleSolidColor);
    m_backgroundView->setColor(dim ? kDimColor : ui::Color::clearColor());
}

ui::Size MBProgressHUD::size() const {
    return m_bezelView->frame().size;
}

void MBProgressHUD::setActivityIndicatorColor(const std::optional<ui::Color>& color) {
    if (!mb::checkMainThread() || color == m_activityIndicatorColor) return;
    m_activityIndicatorColor = color;
    if (auto* spinner = dynamic_cast<ui::ActivityIndicatorView*>(m_indicator.get()))
        spinner->setColor(color);
}

}  // namespace ov
