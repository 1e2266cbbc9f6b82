#pragma once
// One component of the dropdown menu's bar: its title (or a custom view) with a disclosure
// arrow after it. While selected (its component open) it shows its selected title, a tinted
// background and the arrow turned. The menu fills it in; hosts style it through the menu.

#include <memory>
#include <optional>

#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/views/Control.h"
#include "orvane/platform/ui/views/ImageView.h"
#include "orvane/platform/ui/views/Label.h"

namespace ov {

class MKDropdownMenuComponentButton : public ui::Control {
  public:
    static constexpr double kSideMargin = 8;
    static constexpr double kArrowGap = 6;
    // How long the arrow takes to turn.
    static constexpr double kArrowTurnDuration = 0.2;
    static constexpr double kDisabledAlpha = 0.4;

    explicit MKDropdownMenuComponentButton(const ui::Rect& frame = {});
    ~MKDropdownMenuComponentButton() override;

    // The selected title replaces the title while selected; none keeps the title.
    void setAttributedTitle(const std::optional<ui::AttributedString>& title,
                            const std::optional<ui::AttributedString>& selectedTitle);
    const std::optional<ui::AttributedString>& attributedTitle() const { return m_title; }
    const std::optional<ui::AttributedString>& selectedTitle() const { return m_selectedTitle; }
    // Shown instead of the title; null shows the title again.
    void setCustomView(std::shared_ptr<ui::View> view);
    const std::shared_ptr<ui::View>& customView() const { return m_customView; }

    ui::Label& titleLabel() const { return *m_titleLabel; }

    void setDisclosureIndicatorImage(std::shared_ptr<Image> image);
    std::shared_ptr<Image> disclosureIndicatorImage() const { return m_arrow->image(); }
    // The arrow's turn while selected, in radians.
    void setDisclosureIndicatorSelectionRotation(double radians);
    // Drawn upside down (the table opens above the bar).
    void setDisclosureIndicatorFlipped(bool flipped);
    ui::ImageView& disclosureIndicatorView() const { return *m_arrow; }

    // Selecting turns the arrow over kArrowTurnDuration, unless told not to animate.
    using ui::Control::setSelected;
    void setSelected(bool selected, bool animated);

    void setSelectedBackgroundColor(const std::optional<ui::Color>& color);
    const std::optional<ui::Color>& selectedBackgroundColor() const {
        return m_selectedBackgroundColor;
    }

    void layoutSubviews() override;

  protected:
    void stateDidChange() override;

  private:
    void showState(bool animated);
    ui::AffineTransform arrowTransform() const;

    std::shared_ptr<ui::View> m_selectedBackground;
    std::shared_ptr<ui::Label> m_titleLabel;
    std::shared_ptr<ui::ImageView> m_arrow;
    std::shared_ptr<ui::View> m_customView;
    std::optional<ui::AttributedString> m_title;
    std::optional<ui::AttributedString> m_selectedTitle;
    std::optional<ui::Color> m_selectedBackgroundColor;
    double m_rotation = 0;
    bool m_flipped = false;
    bool m_shownSelected = false;
    bool m_animatesSelection = true;
};

}  // namespace ov
