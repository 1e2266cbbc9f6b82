#pragma once
// A control with a title and an image (the platform's UIButton): per-state titles, styled
// titles, title colours, images and background images, each falling back to the normal
// state's; content, title and image insets; a title label and an image view it lays out.
//
//   auto save = ov::ui::Button::buttonWithType(ov::ui::UIButtonTypeSystem);
//   save->setTitle("Save", ov::ui::UIControlStateNormal);
//   save->setTitleColor(ov::ui::Color::grayColor(), ov::ui::UIControlStateDisabled);
//   save->setContentEdgeInsets({4, 10, 4, 10});
//   save->sizeToFit();
//   save->addAction([](ov::ui::Control&) { store(); }, ov::ui::UIControlEventTouchUpInside);
//
// A system button draws its title in the tint colour, faded while highlighted and grey while
// disabled, unless a colour is set; a custom button's title is white unless set. The image
// sits before the title and the two are placed together by the content alignment; title and
// image insets move each within that arrangement. Main thread only.

#include <map>
#include <memory>
#include <optional>

#include "orvane/platform/files/Image.h"
#include "orvane/platform/ui/views/Control.h"
#include "orvane/platform/ui/views/ImageView.h"
#include "orvane/platform/ui/views/Label.h"

namespace ov::ui {

enum UIButtonType : int {
    UIButtonTypeCustom = 0,
    UIButtonTypeSystem = 1,
    UIButtonTypeDetailDisclosure = 2,
    UIButtonTypeInfoLight = 3,
    UIButtonTypeInfoDark = 4,
    UIButtonTypeContactAdd = 5,
};

class Button : public Control {
  public:
    explicit Button(const Rect& frame = {}, UIButtonType type = UIButtonTypeCustom);
    static std::shared_ptr<Button> buttonWithType(UIButtonType type);

    UIButtonType buttonType() const { return m_type; }

    // Per-state values. Setting none for a state removes its own value, so it falls back to
    // the normal state's again.
    void setTitle(const std::optional<String>& title, UIControlState state);
    std::optional<String> titleForState(UIControlState state) const;
    void setAttributedTitle(const std::optional<AttributedString>& title, UIControlState state);
    std::optional<AttributedString> attributedTitleForState(UIControlState state) const;
    void setTitleColor(const std::optional<Color>& color, UIControlState state);
    // The colour set for the state or the normal state; none when neither has one.
    std::optional<Color> titleColorForState(UIControlState state) const;
    void setTitleShadowColor(const std::optional<Color>& color, UIControlState state);
    std::optional<Color> titleShadowColorForState(UIControlState state) const;
    void setImage(std::shared_ptr<Image> image, UIControlState state);
    std::shared_ptr<Image> imageForState(UIControlState state) const;
    void setBackgroundImage(std::shared_ptr<Image> image, UIControlState state);
    std::shared_ptr<Image> backgroundImageForState(UIControlState state) const;

    // The values for the current state.
    std::optional<String> currentTitle() const { return titleForState(state()); }
    std::optional<AttributedString> currentAttributedTitle() const {
        return attributedTitleForState(state());
    }
    // Includes the button type's default colour.
    Color currentTitleColor() const;
    std::shared_ptr<Image> currentImage() const { return imageForState(state()); }
    std::shared_ptr<Image> currentBackgroundImage() const {
        return backgroundImageForState(state());
    }

    // The subviews that show the title and the image. Style the label's font, line count and
    // alignment here; its text and colour follow the state.
    Label& titleLabel() const { return *m_titleLabel; }
    ImageView& imageView() const { return *m_imageView; }
    // The title label's font (the platform's older `font` property).
    Font font() const { return m_titleLabel->font(); }
    void setFont(const Font& font) { m_titleLabel->setFont(font); }

    EdgeInsets contentEdgeInsets() const { return m_contentEdgeInsets; }
    void setContentEdgeInsets(const EdgeInsets& insets);
    EdgeInsets titleEdgeInsets() const { return m_titleEdgeInsets; }
    void setTitleEdgeInsets(const EdgeInsets& insets);
    EdgeInsets imageEdgeInsets() const { return m_imageEdgeInsets; }
    void setImageEdgeInsets(const EdgeInsets& insets);

    // Geometry hooks, in the button's coordinates.
    virtual Rect backgroundRectForBounds(const Rect& bounds) const { return bounds; }
    virtual Rect contentRectForBounds(const Rect& bounds) const;
    virtual Rect titleRectForContentRect(const Rect& contentRect) const;
    virtual Rect imageRectForContentRect(const Rect& contentRect) const;

    // Image and title side by side plus the content insets.
    Size sizeThatFits(Size size) const override;
    Size intrinsicContentSize() const override;
    void layoutSubviews() override;
    void drawRect(GraphicsContext& context, const Rect& rect) override;
    void tintColorDidChange() override { updateContent(); }

  protected:
    void stateDidChange() override;

  private:
    template <class T>
    using PerState = std::map<UIControlState, T>;
    template <class T>
    static std::optional<T> lookUp(const PerState<T>& values, UIControlState state);
    template <class T>
    void store(PerState<T>& values, const std::optional<T>& value, UIControlState state);

    bool isSystem() const { return m_type != UIButtonTypeCustom; }
    Size titleSize() const;
    Size imageSize() const;
    // Where the image and the title go together inside the content rectangle.
    void placeContent(const Rect& contentRect, Rect* imageRect, Rect* titleRect) const;
    // Moves the current state's title, colours and image into the subviews.
    void updateContent();

    UIButtonType m_type;
    std::shared_ptr<Label> m_titleLabel;
    std::shared_ptr<ImageView> m_imageView;
    PerState<String> m_titles;
    PerState<AttributedString> m_attributedTitles;
    PerState<Color> m_titleColors;
    PerState<Color> m_titleShadowColors;
    PerState<std::shared_ptr<Image>> m_images;
    PerState<std::shared_ptr<Image>> m_backgroundImages;
    EdgeInsets m_contentEdgeInsets;
    EdgeInsets m_titleEdgeInsets;
    EdgeInsets m_imageEdgeInsets;
};

}  // namespace ov::ui
