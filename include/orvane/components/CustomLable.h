#pragma once
// A label of two lines: an upper-case title over a subtitle, each with its own font and
// colour, shown as one styled text. Either line may be a styled text of the host's instead.
//
//   auto price = std::make_shared<ov::CustomLable>(ov::ui::Rect{0, 0, 200, 44});
//   price->setTitle(ov::String("Pay now"));          // shown as PAY NOW, heavy 17 points
//   price->setSubtitle(ov::String("Secure checkout")); // on the next line, 14 points
//   price->setColor(ov::ui::Color::whiteColor());
//
// Every setter but the two font setters rebuilds the text at once, without animation. Main
// thread only.

#include <optional>

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/views/Label.h"

namespace ov {

class CustomLable : public ui::Label {
  public:
    // Runs awakeFromNib, as a label loaded from an interface file would.
    explicit CustomLable(const ui::Rect& frame = {});

    // Unlimited lines, then setup.
    void awakeFromNib();
    // The defaults: 17 and 14 points, black, a heavy title font and a regular subtitle font.
    void setup();

    // Stored upper-cased; none when absent or empty.
    std::optional<String> title() const;
    void setTitle(const std::optional<String>& title);
    std::optional<String> subtitle() const;
    void setSubtitle(const std::optional<String>& subtitle);

    // Used instead of the plain line while its text is not empty.
    const std::optional<ui::AttributedString>& attriburedTitle() const { return m_attriburedTitle; }
    void setAttriburedTitle(const std::optional<ui::AttributedString>& title);
    const std::optional<ui::AttributedString>& attriburedSubitle() const {
        return m_attriburedSubitle;
    }
    void setAttriburedSubitle(const std::optional<ui::AttributedString>& subtitle);
    bool isTitleAttributed() const { return m_isTitleAttributed; }
    bool isSubtitleAttributed() const { return m_isSubtitleAttributed; }

    // Points. Setting a size also makes the line's font the system font of that size (heavy
    // for the title, regular for the subtitle).
    int size_title() const { return m_size_title; }
    void setSize_title(int size);
    int size_subtitle() const { return m_size_subtitle; }
    void setSize_subtitle(int size);

    // An absent colour leaves the line in the label's own colour.
    const std::optional<ui::Color>& title_color() const { return m_title_color; }
    void setTitle_color(const std::optional<ui::Color>& color);
    const std::optional<ui::Color>& subtitle_color() const { return m_subtitle_color; }
    void setSubtitle_color(const std::optional<ui::Color>& color);
    // Both colours.
    void setColor(const std::optional<ui::Color>& color);

    // Stored only; they show at the next rebuild.
    const ui::Font& title_font() const { return m_title_font; }
    void setTitle_font(const ui::Font& font) { m_title_font = font; }
    const ui::Font& subtitle_font() const { return m_subtitle_font; }
    void setSubtitle_font(const ui::Font& font) { m_subtitle_font = font; }

    ui::NSTextAlignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(ui::NSTextAlignment alignment);

    // The text shown: the title, a line break when both lines are there, the subtitle.
    ui::AttributedString attString() const;

  private:
    void reload();

    std::optional<String> m_title;
    std::optional<String> m_subtitle;
    std::optional<ui::AttributedString> m_attriburedTitle;
    std::optional<ui::AttributedString> m_attriburedSubitle;
    bool m_isTitleAttributed = false;
    bool m_isSubtitleAttributed = false;
    int m_size_title = 0;
    int m_size_subtitle = 0;
    std::optional<ui::Color> m_title_color;
    std::optional<ui::Color> m_subtitle_color;
    ui::Font m_title_font = ui::Font::systemFontOfSize(17, ui::UIFontWeightHeavy);
    ui::Font m_subtitle_font = ui::Font::systemFontOfSize(14);
    ui::NSTextAlignment m_textAlignment = ui::NSTextAlignmentLeft;
};

}  // namespace ov
