#pragma once
// A counter badge: a rounded pill with a number or short text that sizes itself to the text.
//
//   auto badge = ov::CustomBadge::customBadgeWithString("42", ov::BadgeStyle::oldStyle());
//   badge->setFrame({280, 4, badge->frame().size.width, badge->frame().size.height});
//   cell->addSubview(badge);
//   badge->autoBadgeSizeWithString("100");   // wider, redrawn

#include <memory>
#include <optional>

#include "orvane/components/BadgeStyle.h"
#include "orvane/platform/ui/text/Font.h"
#include "orvane/platform/ui/views/View.h"
#include "orvane/platform/values/String.h"

namespace ov {

class CustomBadge : public ui::View {
  public:
    static std::shared_ptr<CustomBadge> customBadgeWithString(const String& text);
    static std::shared_ptr<CustomBadge> customBadgeWithString(const String& text, double scale);
    static std::shared_ptr<CustomBadge> customBadgeWithString(const String& text,
                                                              std::shared_ptr<BadgeStyle> style);
    static std::shared_ptr<CustomBadge> customBadgeWithString(const String& text, double scale,
                                                              std::shared_ptr<BadgeStyle> style);

    // Sized to the text at once; the class operations give the usual shared badge.
    CustomBadge(const String& text, double scale, std::shared_ptr<BadgeStyle> style);

    // Takes the text and the size it needs (a circle below two characters), then redraws.
    void autoBadgeSizeWithString(const String& text);
    // The style's face at that size.
    ui::Font fontForBadgeWithSize(double size) const;

    void drawRect(ui::GraphicsContext& context, const ui::Rect& rect) override;
    void drawRoundedRectWithContext(ui::GraphicsContext& context, const ui::Rect& rect) const;
    void drawShineWithContext(ui::GraphicsContext& context, const ui::Rect& rect) const;
    void drawFrameWithContext(ui::GraphicsContext& context, const ui::Rect& rect) const;

    // Accessors store without redrawing.
    const String& badgeText() const { return m_badgeText; }
    void setBadgeText(const String& text) { m_badgeText = text; }
    double badgeCornerRoundness() const { return m_badgeCornerRoundness; }
    void setBadgeCornerRoundness(double roundness) { m_badgeCornerRoundness = roundness; }
    double badgeScaleFactor() const { return m_badgeScaleFactor; }
    void setBadgeScaleFactor(double scale) { m_badgeScaleFactor = scale; }
    const std::shared_ptr<BadgeStyle>& badgeStyle() const { return m_badgeStyle; }
    void setBadgeStyle(std::shared_ptr<BadgeStyle> style) { m_badgeStyle = std::move(style); }
    const std::optional<ui::Font>& badgeFont() const { return m_badgeFont; }
    void setBadgeFont(const std::optional<ui::Font>& font) { m_badgeFont = font; }

  private:
    // The pill's outline within the drawing rectangle.
    void addOutline(ui::GraphicsContext& context, const ui::Rect& rect) const;

    String m_badgeText;
    double m_badgeCornerRoundness = 0.4;
    double m_badgeScaleFactor = 1.0;
    std::shared_ptr<BadgeStyle> m_badgeStyle;
    std::optional<ui::Font> m_badgeFont;
};

}  // namespace ov
