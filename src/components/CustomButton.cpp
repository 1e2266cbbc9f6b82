#include "orvane/components/CustomButton.h"

#include "TwoLineText.h"
#include "orvane/components/UIView+OVUIViewAnimations.h"

namespace ov {

namespace anim = UIView_OVUIViewAnimations;

CustomButton::CustomButton(const ui::Rect& frame, ui::UIButtonType type) : ui::Button(frame, type) {
    awakeFromNib();
}

CustomButton::~CustomButton() {
    // Both timers call into this button: none may fire once it is gone.
    stopShakeButton();
    if (m_delayTimer) m_delayTimer->invalidate();
}

void CustomButton::awakeFromNib() {
    titleLabel().setNumberOfLines(0);
    setup();
    setTitle(titleLabel().text());
}

void CustomButton::setup() {
    m_size_title = 17;
    m_size_subtitle = 12;
    m_title_font = ui::Font::systemFontOfSize(17, ui::UIFontWeightHeavy);
    m_subtitle_font = ui::Font::systemFontOfSize(12);
    m_shakeDistance = 2.0;
    m_titleColor = titleLabel().textColor();
    m_subtitleColor = titleLabel().textColor();
}

void CustomButton::setTitle(const std::optional<String>& title) {
    m_title = two_line::upperCased(title);
    reload_button();
}

void CustomButton::setAttributedTitle(const std::optional<ui::AttributedString>& title) {
    setTitle(title ? std::optional<String>(title->string()) : std::optional<String>());
}

void CustomButton::setSubtitle(const std::optional<String>& subtitle) {
    m_subtitle = two_line::upperCased(subtitle);
    reload_button();
}

void CustomButton::setAttributedSubtitle(const std::optional<ui::AttributedString>& subtitle) {
    setSubtitle(subtitle ? std::optional<String>(subtitle->string()) : std::optional<String>());
}

void CustomButton::setSize_title(int size) {
    m_size_title = size;
    m_title_font = ui::Font::systemFontOfSize(size, ui::UIFontWeightBlack);
    reload_button();
}

void CustomButton::setSize_subtitle(int size) {
    m_size_subtitle = size;
    m_subtitle_font = ui::Font::systemFontOfSize(size, ui::UIFontWeightLight);
    reload_button();
}

void CustomButton::setTitle_font(const ui::Font& font) {
    m_title_font = font;
    reload_button();
}

void CustomButton::setSubtitle_font(const ui::Font& font) {
    m_subtitle_font = font;
    reload_button();
}

void CustomButton::setTitleColor(const std::optional<ui::Color>& color) {
    m_titleColor = color;
    reload_button();
}

void CustomButton::setSubtitleColor(const std::optional<ui::Color>& color) {
    m_subtitleColor = color;
    reload_button();
}

void CustomButton::setTextAlignment(ui::NSTextAlignment alignment) {
    m_textAlignment = alignment;
    reload_button();
}

ui::AttributedString CustomButton::attString() const {
    const auto title = two_line::presentText(m_title);
    const auto subtitle = two_line::presentText(m_subtitle);
    String plain = title.value_or(String());
    if (title && subtitle) plain += two_line::kSeparator;
    plain += subtitle.value_or(String());

    ui::MutableAttributedString text(plain);
    if (title) two_line::styleText(text, *title, m_title_font, m_titleColor);
    if (subtitle) two_line::styleText(text, *subtitle, m_subtitle_font, m_subtitleColor);
    return text;
}

void CustomButton::reload_button() {
    ui::View::performWithoutAnimation([this] {
        titleLabel().setTextAlignment(m_textAlignment);
        setAttributedTitle(attString(), ui::UIControlStateNormal);
        layoutIfNeeded();
    });
}

void CustomButton::setShakeDistance(double interval) {
    m_shakeDistance = interval;
    if (m_tmr_shake && m_tmr_shake->isValid()) startShakeButton();
}

void CustomButton::startShakeButton() {
    stopShakeButton();
    m_tmr_shake = Timer::scheduledTimer(m_shakeDistance, true, [this](Timer&) { shakeButton(); });
    m_tmr_shake->fire();
}

void CustomButton::startShakeButtonAfterDelay(float delay) {
    if (m_delayTimer) m_delayTimer->invalidate();
    m_delayTimer = Timer::scheduledTimer(delay, false, [this](Timer&) { startShakeButton(); });
}

void CustomButton::stopShakeButton() {
    if (m_tmr_shake) m_tmr_shake->invalidate();
}

void CustomButton::shakeButton() {
    anim::shakeValue(*this, 6);
}

void CustomButton::shadow(bool on) {
    anim::shadow(*this, on);
    if (on && backgroundColor()) layer().setShadowColor(*backgroundColor());
}

}  // namespace ov
