#pragma once
// A button of two lines: an upper-case title over a subtitle, each with its own font and
// colour, shown as the button's styled title. It can shake itself at a regular interval to
// draw attention.
//
//   auto buy = std::make_shared<ov::CustomButton>(ov::ui::Rect{0, 0, 160, 56});
//   buy->setTitle(ov::String("Buy"));
//   buy->setSubtitle(ov::String("7 days free"));
//   buy->startShakeButton();        // now, then every shakeDistance (2) seconds
//   buy->setShakeDistance(0.5);     // from now on every half second
//
// The shake timers run on the current run loop and are invalidated when the button goes.
// Main thread only.

#include <memory>
#include <optional>

#include "orvane/platform/threads/Timer.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/views/Button.h"

namespace ov {

class CustomButton : public ui::Button {
  public:
    // Runs awakeFromNib, as a button loaded from an interface file would.
    explicit CustomButton(const ui::Rect& frame = {},
                          ui::UIButtonType type = ui::UIButtonTypeCustom);
    ~CustomButton() override;

    // Unlimited title lines, setup, then the title label's text as the title.
    void awakeFromNib();
    // The defaults: 17 and 12 points, a heavy title font and a regular subtitle font, both
    // colours the title label's, shakes 2 seconds apart.
    void setup();

    // The per-state forms of the platform button stay reachable.
    using ui::Button::setAttributedTitle;
    using ui::Button::setTitle;
    using ui::Button::setTitleColor;

    // Stored upper-cased; a styled text gives its plain string.
    const std::optional<String>& title() const { return m_title; }
    void setTitle(const std::optional<String>& title);
    void setAttributedTitle(const std::optional<ui::AttributedString>& title);
    const std::optional<String>& subtitle() const { return m_subtitle; }
    void setSubtitle(const std::optional<String>& subtitle);
    void setAttributedSubtitle(const std::optional<ui::AttributedString>& subtitle);

    // Points. Setting a size also makes the line's font the system font of that size (black
    // for the title, light for the subtitle).
    int size_title() const { return m_size_title; }
    void setSize_title(int size);
    int size_subtitle() const { return m_size_subtitle; }
    void setSize_subtitle(int size);
    const ui::Font& title_font() const { return m_title_font; }
    void setTitle_font(const ui::Font& font);
    const ui::Font& subtitle_font() const { return m_subtitle_font; }
    void setSubtitle_font(const ui::Font& font);

    const std::optional<ui::Color>& titleColor() const { return m_titleColor; }
    void setTitleColor(const std::optional<ui::Color>& color);
    const std::optional<ui::Color>& subtitleColor() const { return m_subtitleColor; }
    void setSubtitleColor(const std::optional<ui::Color>& color);
    ui::NSTextAlignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(ui::NSTextAlignment alignment);

    // The title, a line break when both lines are there, the subtitle; each line's font and
    // colour go to the first occurrence of its text, found without regard to case.
    ui::AttributedString attString() const;
    void reload_button();

    // Seconds between two shakes; a change while shaking restarts the timer with it.
    double shakeDistance() const { return m_shakeDistance; }
    void setShakeDistance(double interval);
    const std::shared_ptr<Timer>& tmr_shake() const { return m_tmr_shake; }
    // Stops any shake, shakes now and then every shakeDistance seconds.
    void startShakeButton();
    void startShakeButtonAfterDelay(float delay);
    void stopShakeButton();
    void stopShake() { stopShakeButton(); }
    // One shake of 6 points.
    void shakeButton();

    // The view shadow; turned on, it takes the button's background colour.
    void shadow(bool on);

  private:
    std::optional<String> m_title;
    std::optional<String> m_subtitle;
    int m_size_title = 17;
    int m_size_subtitle = 12;
    ui::Font m_title_font = ui::Font::systemFontOfSize(17, ui::UIFontWeightHeavy);
    ui::Font m_subtitle_font = ui::Font::systemFontOfSize(12);
    std::optional<ui::Color> m_titleColor;
    std::optional<ui::Color> m_subtitleColor;
    ui::NSTextAlignment m_textAlignment = ui::NSTextAlignmentLeft;
    double m_shakeDistance = 2.0;
    std::shared_ptr<Timer> m_tmr_shake;
    std::shared_ptr<Timer> m_delayTimer;
};

}  // namespace ov
