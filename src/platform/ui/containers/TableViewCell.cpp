#include "orvane/platform/ui/containers/TableViewCell.h"

#include <algorithm>

#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/views/ImageView.h"
#include "orvane/platform/ui/views/Label.h"

namespace ov::ui {

// The accessory a type asks for, drawn with strokes in the tint colour (grey for the
// disclosure chevron).
class TableViewCell::Accessory final : public View {
  public:
    explicit Accessory(UITableViewCellAccessoryType type)
        : View({0, 0, kAccessorySize, kAccessorySize}), m_type(type) {
        setBackgroundColor(Color::clearColor());
        setOpaque(false);
    }

    UITableViewCellAccessoryType type() const { return m_type; }

    void drawRect(GraphicsContext& context, const Rect& rect) override {
        (void)rect;
        const Rect b = bounds();
        context.setLineWidth(2);
        context.setLineCap(LineCap::Round);
        context.beginPath();
        switch (m_type) {
            case UITableViewCellAccessoryDisclosureIndicator:
                context.setStrokeColor(Color::colorWithWhite(0.78, 1));
                context.moveToPoint({b.midX() - 3, b.minY() + 4});
                context.addLineToPoint({b.midX() + 3, b.midY()});
                context.addLineToPoint({b.midX() - 3, b.maxY() - 4});
                break;
            case UITableViewCellAccessoryCheckmark:
                context.setStrokeColor(tintColor());
                context.moveToPoint({b.minX() + 3, b.midY()});
                context.addLineToPoint({b.midX() - 1, b.maxY() - 5});
                context.addLineToPoint({b.maxX() - 3, b.minY() + 4});
                break;
            default:
                context.setStrokeColor(tintColor());
                context.setLineWidth(1.5);
                context.addEllipseInRect(b.insetBy(2, 2));
                context.moveToPoint({b.midX(), b.midY() - 1});
                context.addLineToPoint({b.midX(), b.maxY() - 6});
                break;
        }
        context.strokePath();
    }

  private:
    UITableViewCellAccessoryType m_type;
};

TableViewCell::TableViewCell(UITableViewCellStyle style, std::optional<String> reuseIdentifier)
    : View({0, 0, 320, 44}),
      m_style(style),
      m_reuseIdentifier(std::move(reuseIdentifier)),
      m_contentView(std::make_shared<TableViewCellContentView>(Rect{0, 0, 320, 44})) {
    setBackgroundColor(Color::whiteColor());
    addSubview(m_contentView);
}

TableViewCell::~TableViewCell() = default;

Label& TableViewCell::textLabel() {
    if (!m_textLabel) {
        m_textLabel = std::make_shared<Label>();
        m_contentView->addSubview(m_textLabel);
        setNeedsLayout();
    }
    return *m_textLabel;
}

Label* TableViewCell::detailTextLabel() {
    if (m_style == UITableViewCellStyleDefault) return nullptr;
    if (!m_detailTextLabel) {
        m_detailTextLabel = std::make_shared<Label>();
        m_detailTextLabel->setFont(Font::systemFontOfSize(
            m_style == UITableViewCellStyleSubtitle ? 12 : Font::labelFontSize()));
        m_detailTextLabel->setTextColor(Color::grayColor());
        if (m_style == UITableViewCellStyleValue1) {
            m_detailTextLabel->setTextAlignment(NSTextAlignmentRight);
        }
        m_contentView->addSubview(m_detailTextLabel);
        setNeedsLayout();
    }
    return m_detailTextLabel.get();
}

ImageView& TableViewCell::imageView() {
    if (!m_imageView) {
        m_imageView = std::make_shared<ImageView>();
        m_contentView->addSubview(m_imageView);
        setNeedsLayout();
    }
    return *m_imageView;
}

std::shared_ptr<View> TableViewCell::shownAccessory() const {
    if (m_accessoryView) return m_accessoryView;
    return m_standardAccessory;
}

void TableViewCell::setAccessoryType(UITableViewCellAccessoryType type) {
    if (type == m_accessoryType) return;
    m_accessoryType = type;
    if (m_standardAccessory) m_standardAccessory->removeFromSuperview();
    m_standardAccessory.reset();
    if (type != UITableViewCellAccessoryNone) {
        m_standardAccessory = std::make_shared<Accessory>(type);
        if (!m_accessoryView) addSubview(m_standardAccessory);
    }
    setNeedsLayout();
}

void TableViewCell::setAccessoryView(std::shared_ptr<View> view) {
    if (view == m_accessoryView) return;
    if (m_accessoryView) m_accessoryView->removeFromSuperview();
    m_accessoryView = std::move(view);
    if (m_standardAccessory) m_standardAccessory->removeFromSuperview();
    if (auto shown = shownAccessory()) addSubview(shown);
    setNeedsLayout();
}

void TableViewCell::setBackgroundView(std::shared_ptr<View> view) {
    if (view == m_backgroundView) return;
    if (m_backgroundView) m_backgroundView->removeFromSuperview();
    m_backgroundView = std::move(view);
    if (m_backgroundView) insertSubview(m_backgroundView, 0);
    setNeedsLayout();
}

std::shared_ptr<View> TableViewCell::selectedBackgroundView() {
    if (!m_selectedBackgroundView) {
        m_selectedBackgroundView = std::make_shared<View>(bounds());
        m_selectedBackgroundView->setBackgroundColor(Color::colorWithWhite(0.85, 1));
    }
    return m_selectedBackgroundView;
}

void TableViewCell::setSelectedBackgroundView(std::shared_ptr<View> view) {
    if (view == m_selectedBackgroundView) return;
    if (m_selectedBackgroundView) m_selectedBackgroundView->removeFromSuperview();
    m_selectedBackgroundView = std::move(view);
    showSelection();
}

void TableViewCell::showSelection() {
    const bool shown =
        (m_selected || m_highlighted) && m_selectionStyle != UITableViewCellSelectionStyleNone;
    if (m_textLabel) m_textLabel->setHighlighted(shown);
    if (m_detailTextLabel) m_detailTextLabel->setHighlighted(shown);
    if (m_imageView) m_imageView->setHighlighted(shown);
    if (!shown) {
        if (m_selectedBackgroundView) m_selectedBackgroundView->removeFromSuperview();
        return;
    }
    auto background = selectedBackgroundView();
    background->setFrame(bounds());
    if (background->superview() == this) return;
    // A subclass may have moved the content view deeper; the background then goes to the back.
    if (m_contentView->superview() == this) {
        insertSubviewBelow(background, *m_contentView);
    } else {
        insertSubview(background, 0);
    }
}

void TableViewCell::setSelected(bool selected, bool) {
    if (selected == m_selected) return;
    m_selected = selected;
    showSelection();
}

void TableViewCell::setHighlighted(bool highlighted, bool) {
    if (highlighted == m_highlighted) return;
    m_highlighted = highlighted;
    showSelection();
}

void TableViewCell::setEditing(bool editing, bool) {
    if (editing == m_editing) return;
    const UITableViewCellStateMask state =
        editing ? UITableViewCellStateShowingEditControlMask : UITableViewCellStateDefaultMask;
    willTransitionToState(state);
    m_editing = editing;
    setNeedsLayout();
    didTransitionToState(state);
}

void TableViewCell::prepareForReuse() {
    setHighlighted(false);
    setSelected(false);
    setEditing(false);
}

void TableViewCell::layoutSubviews() {
    View::layoutSubviews();
    const Rect b = bounds();
    if (m_backgroundView) m_backgroundView->setFrame(b);
    if (m_selectedBackgroundView) m_selectedBackgroundView->setFrame(b);
    double contentWidth = b.width();
    if (auto accessory = shownAccessory(); accessory && !m_editing) {
        const Size size = accessory->bounds().size;
        accessory->setFrame({b.width() - kAccessoryMargin - size.width,
                             (b.height() - size.height) / 2, size.width, size.height});
        contentWidth = accessory->frame().minX() - kSideMargin / 2;
    }
    m_contentView->setFrame({0, 0, std::max(contentWidth, 0.0), b.height()});
    placeLabels(m_contentView->bounds());
}

void TableViewCell::placeLabels(const Rect& content) {
    double x = kSideMargin;
    if (m_imageView && m_imageView->image()) {
        const double side = std::max(content.height() - 8, 0.0);
        m_imageView->setFrame({kSideMargin, (content.height() - side) / 2, side, side});
        x = m_imageView->frame().maxX() + kSideMargin;
    }
    const double width = std::max(content.width() - x - kSideMargin, 0.0);
    const double h = content.height();
    switch (m_style) {
        case UITableViewCellStyleSubtitle:
            if (m_textLabel) m_textLabel->setFrame({x, 4, width, h * 0.55 - 4});
            if (m_detailTextLabel) m_detailTextLabel->setFrame({x, h * 0.55, width, h * 0.45 - 4});
            break;
        case UITableViewCellStyleValue1:
            if (m_textLabel) m_textLabel->setFrame({x, 0, width * 0.6, h});
            if (m_detailTextLabel)
                m_detailTextLabel->setFrame({x + width * 0.4, 0, width * 0.6, h});
            break;
        case UITableViewCellStyleValue2: {
            constexpr double kTitleColumn = 91;
            if (m_textLabel) m_textLabel->setFrame({x, 0, kTitleColumn, h});
            if (m_detailTextLabel) {
                m_detailTextLabel->setFrame(
                    {x + kTitleColumn + 6, 0, std::max(width - kTitleColumn - 6, 0.0), h});
            }
            break;
        }
        case UITableViewCellStyleDefault:
            if (m_textLabel) m_textLabel->setFrame({x, 0, width, h});
            break;
    }
}

}  // namespace ov::ui
