#pragma once
// One row of a table (the platform's UITableViewCell): a content view holding the text
// label, detail label and image view laid out by style, an accessory at the right end, and
// background views swapped in while the row is selected or highlighted.
//
//   auto cell = std::dynamic_pointer_cast<ov::ui::TableViewCell>(
//       table.dequeueReusableCellWithIdentifier("Contact"));
//   if (!cell) cell = std::make_shared<ov::ui::TableViewCell>(ov::ui::UITableViewCellStyleSubtitle,
//   "Contact"); cell->textLabel().setText(name); cell->detailTextLabel()->setText(phone);
//   cell->setAccessoryType(ov::ui::UITableViewCellAccessoryDisclosureIndicator);
//
// Put custom subviews into contentView(). Subclasses override setSelected, setHighlighted,
// setEditing, prepareForReuse and the state transition hooks. Main thread only.

#include <memory>
#include <optional>

#include "orvane/platform/ui/views/View.h"
#include "orvane/platform/values/String.h"

namespace ov::ui {

class ImageView;
class Label;

enum UITableViewCellStyle : int {
    UITableViewCellStyleDefault,
    UITableViewCellStyleValue1,
    UITableViewCellStyleValue2,
    UITableViewCellStyleSubtitle,
};

enum UITableViewCellAccessoryType : int {
    UITableViewCellAccessoryNone,
    UITableViewCellAccessoryDisclosureIndicator,
    UITableViewCellAccessoryDetailDisclosureButton,
    UITableViewCellAccessoryCheckmark,
    UITableViewCellAccessoryDetailButton,
};

enum UITableViewCellSelectionStyle : int {
    UITableViewCellSelectionStyleNone,
    UITableViewCellSelectionStyleBlue,
    UITableViewCellSelectionStyleGray,
    UITableViewCellSelectionStyleDefault,
};

// A bit set.
using UITableViewCellStateMask = unsigned long;
inline constexpr UITableViewCellStateMask UITableViewCellStateDefaultMask = 0;
inline constexpr UITableViewCellStateMask UITableViewCellStateShowingEditControlMask = 1 << 0;
inline constexpr UITableViewCellStateMask UITableViewCellStateShowingDeleteConfirmationMask = 1
                                                                                              << 1;

// The cell's content view has a class of its own so that cell code can tell it apart.
class TableViewCellContentView : public View {
  public:
    using View::View;
};

class TableViewCell : public View {
  public:
    static constexpr double kAccessoryMargin = 15;
    static constexpr double kAccessorySize = 20;
    static constexpr double kSideMargin = 15;

    explicit TableViewCell(UITableViewCellStyle style = UITableViewCellStyleDefault,
                           std::optional<String> reuseIdentifier = std::nullopt);
    ~TableViewCell() override;

    UITableViewCellStyle style() const { return m_style; }
    const std::optional<String>& reuseIdentifier() const { return m_reuseIdentifier; }

    View& contentView() const { return *m_contentView; }
    Label& textLabel();
    // None for the default style, which has no detail.
    Label* detailTextLabel();
    ImageView& imageView();

    UITableViewCellAccessoryType accessoryType() const { return m_accessoryType; }
    void setAccessoryType(UITableViewCellAccessoryType type);
    // A custom accessory replaces the one the type draws.
    const std::shared_ptr<View>& accessoryView() const { return m_accessoryView; }
    void setAccessoryView(std::shared_ptr<View> view);

    UITableViewCellSelectionStyle selectionStyle() const { return m_selectionStyle; }
    void setSelectionStyle(UITableViewCellSelectionStyle style) { m_selectionStyle = style; }
    const std::shared_ptr<View>& backgroundView() const { return m_backgroundView; }
    void setBackgroundView(std::shared_ptr<View> view);
    // Made on first use: light grey.
    std::shared_ptr<View> selectedBackgroundView();
    void setSelectedBackgroundView(std::shared_ptr<View> view);

    bool isSelected() const { return m_selected; }
    virtual void setSelected(bool selected, bool animated = false);
    bool isHighlighted() const { return m_highlighted; }
    virtual void setHighlighted(bool highlighted, bool animated = false);
    bool isEditing() const { return m_editing; }
    virtual void setEditing(bool editing, bool animated = false);

    // Before the table hands the cell out again: selection, highlight and editing are off.
    virtual void prepareForReuse();
    virtual void willTransitionToState(UITableViewCellStateMask state) { (void)state; }
    virtual void didTransitionToState(UITableViewCellStateMask state) { (void)state; }

    void layoutSubviews() override;

  private:
    class Accessory;

    void showSelection();
    void placeLabels(const Rect& content);
    std::shared_ptr<View> shownAccessory() const;

    UITableViewCellStyle m_style;
    std::optional<String> m_reuseIdentifier;
    std::shared_ptr<TableViewCellContentView> m_contentView;
    std::shared_ptr<Label> m_textLabel;
    std::shared_ptr<Label> m_detailTextLabel;
    std::shared_ptr<ImageView> m_imageView;
    UITableViewCellAccessoryType m_accessoryType = UITableViewCellAccessoryNone;
    std::shared_ptr<View> m_accessoryView;
    std::shared_ptr<Accessory> m_standardAccessory;
    UITableViewCellSelectionStyle m_selectionStyle = UITableViewCellSelectionStyleDefault;
    std::shared_ptr<View> m_backgroundView;
    std::shared_ptr<View> m_selectedBackgroundView;
    bool m_selected = false;
    bool m_highlighted = false;
    bool m_editing = false;
};

}  // namespace ov::ui
