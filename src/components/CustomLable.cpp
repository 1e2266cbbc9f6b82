#include "orvane/components/CustomLable.h"

#include "TwoLineText.h"
#include "orvane/extensions/NSString+NSString.h"

namespace ov {

namespace {

// The styled text counts only when its plain string is there.
bool hasText(const std::optional<ui::AttributedString>& text) {
    return text && !NSString_NSString::isNilOrEmpty(Value(text->string()));
}

}  // namespace

CustomLable::CustomLable(const ui::Rect& frame) : ui::Label(frame) {
    awakeFromNib();
}

void CustomLable::awakeFromNib() {
    setNumberOfLines(0);
    setup();
}

void CustomLable::setup() {
    m_size_title = 17;
    m_size_subtitle = 14;
    m_title_color = ui::Color::blackColor();
    m_subtitle_color = ui::Color::blackColor();
    m_title_font = ui::Font::systemFontOfSize(17, ui::UIFontWeightHeavy);
    m_subtitle_font = ui::Font::systemFontOfSize(14);
}

std::optional<String> CustomLable::title() const {
    return two_line::presentText(m_title);
}

void CustomLable::setTitle(const std::optional<String>& title) {
    m_title = two_line::upperCased(title);
    m_isTitleAttributed = false;
    reload();
}

std::optional<String> CustomLable::subtitle() const {
    return two_line::presentText(m_subtitle);
}

void CustomLable::setSubtitle(const std::optional<String>& subtitle) {
    m_subtitle = two_line::upperCased(subtitle);
    m_isSubtitleAttributed = false;
    reload();
}

void CustomLable::setAttriburedTitle(const std::optional<ui::AttributedString>& title) {
    m_attriburedTitle = title;
    m_isTitleAttributed = hasText(title);
    reload();
}

void CustomLable::setAttriburedSubitle(const std::optional<ui::AttributedString>& subtitle) {
    m_attriburedSubitle = subtitle;
    m_isSubtitleAttributed = hasText(subtitle);
    reload();
}

void CustomLable::setSize_title(int size) {
    m_size_title = size;
    m_title_font = ui::Font::systemFontOfSize(size, ui::UIFontWeightHeavy);
    reload();
}

void CustomLable::setSize_subtitle(int size) {
    m_size_subtitle = size;
    m_subtitle_font = ui::Font::systemFontOfSize(size);
    reload();
}

void CustomLable::setTitle_color(const std::optional<ui::Color>& color) {
    m_title_color = color;
    reload();
}

void CustomLable::setSubtitle_color(const std::optional<ui::Color>& color) {
    m_subtitle_color = color;
    reload();
}

void CustomLable::setColor(const std::optional<ui::Color>& color) {
    m_title_color = color;
    m_subtitle_color = color;
    reload();
}

void CustomLable::setTextAlignment(ui::NSTextAlignment alignment) {
    m_textAlignment = alignment;
    reload();
}

ui::AttributedString CustomLable::attString() const {
    ui::MutableAttributedString text;
    bool wroteTitle = false;
    if (m_isTitleAttributed) {
        text.appendAttributedString(*m_attriburedTitle);
        wroteTitle = true;
    } else if (const auto plain = title()) {
        text.appendAttributedString(two_line::styledLine(*plain, m_title_font, m_title_color));
        wroteTitle = true;
    }
    const auto plainSubtitle = subtitle();
    if (m_isSubtitleAttributed || plainSubtitle) {
        if (wroteTitle) text.appendAttributedString(ui::AttributedString(two_line::kSeparator));
        text.appendAttributedString(
            m_isSubtitleAttributed
                ? *m_attriburedSubitle
                : two_line::styledLine(*plainSubtitle, m_subtitle_font, m_subtitle_color));
    }
    return text;
}

void CustomLable::reload() {
    ui::View::performWithoutAnimation([this] {
        setAttributedText(attString());
        ui::Label::setTextAlignment(m_textAlignment);
        layoutIfNeeded();
    });
}

}  // namespace ov
