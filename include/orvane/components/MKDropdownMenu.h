#pragma once
// A menu bar of components side by side, each a button; tapping one drops a table of its rows
// below the bar (or above it), tapping again or anywhere outside the rows closes it. Contents
// come from a data source and a delegate, in the manner of a picker.
//
//   class Filters : public ov::MKDropdownMenuDataSource, public ov::MKDropdownMenuDelegate {
//       std::optional<long> numberOfComponentsInDropdownMenu(ov::MKDropdownMenu&) override {
//           return 2;
//       }
//       std::optional<long> dropdownMenu_numberOfRowsInComponent(ov::MKDropdownMenu&,
//                                                                long component) override {...}
//       std::optional<ov::String> dropdownMenu_titleForRow(ov::MKDropdownMenu&, long row,
//                                                          long component) override {...}
//       void dropdownMenu_didSelectRow(ov::MKDropdownMenu& menu, long row,
//                                      long component) override {
//           menu.selectRow(row, component);        // the menu never selects by itself
//           menu.closeAllComponentsAnimated(true);
//       }
//   };
//   auto menu = std::make_shared<ov::MKDropdownMenu>(ov::ui::Rect{0, 64, 375, 44});
//   menu->setDataSource(filters);   // both held weakly; setting the data source reloads
//   menu->setDelegate(filters);
//   screen->addSubview(menu);
//
// Every operation that takes a component or a row checks it; a bad one is a programming error
// (the message goes to the system log, debug builds stop, release builds ignore the call).
// Selections live in the menu, one set of rows per component; a full reload clears them.
// Main thread only.
//
// Names: the data-source and delegate operations share their first keyword, so each carries
// the keywords that tell it apart (dropdownMenu:titleForRow:forComponent: is
// dropdownMenu_titleForRow). Every answer is optional: none (or a null view) means "not
// implemented", which the menu treats like an answer of nothing.

#include <cstdint>
#include <memory>
#include <optional>
#include <set>
#include <vector>

#include "orvane/components/MKDropdownMenuComponentButton.h"
#include "orvane/components/MKDropdownMenuContentViewController.h"
#include "orvane/components/MKDropdownMenuTransition.h"
#include "orvane/platform/ui/drawing/Path.h"
#include "orvane/platform/ui/views/View.h"

namespace ov {

class MKDropdownMenu;

class MKDropdownMenuDataSource {
  public:
    virtual ~MKDropdownMenuDataSource() = default;
    // Both are required: none fails the menu's assertion at the first reload.
    virtual std::optional<long> numberOfComponentsInDropdownMenu(MKDropdownMenu&) {
        return std::nullopt;
    }
    virtual std::optional<long> dropdownMenu_numberOfRowsInComponent(MKDropdownMenu&,
                                                                     long component) {
        (void)component;
        return std::nullopt;
    }
};

class MKDropdownMenuDelegate {
  public:
    virtual ~MKDropdownMenuDelegate() = default;

    // The open table's row height; 0 or less counts as unanswered (44).
    virtual std::optional<double> dropdownMenu_rowHeightForComponent(MKDropdownMenu&, long) {
        return std::nullopt;
    }
    // The component's width in the bar; unanswered components share what is left.
    virtual std::optional<double> dropdownMenu_widthForComponent(MKDropdownMenu&, long) {
        return std::nullopt;
    }
    // False lays the row contents out under the component's button; true (or none) across
    // the whole table.
    virtual std::optional<bool> dropdownMenu_shouldUseFullRowWidthForComponent(MKDropdownMenu&,
                                                                               long) {
        return std::nullopt;
    }
    // The most rows the table shows before it scrolls; negative counts as 0 (no limit).
    virtual std::optional<long> dropdownMenu_maximumNumberOfRowsInComponent(MKDropdownMenu&, long) {
        return std::nullopt;
    }

    // The button's title, and its title while the component is open.
    virtual std::optional<String> dropdownMenu_titleForComponent(MKDropdownMenu&, long) {
        return std::nullopt;
    }
    virtual std::optional<ui::AttributedString> dropdownMenu_attributedTitleForComponent(
        MKDropdownMenu&, long) {
        return std::nullopt;
    }
    virtual std::optional<String> dropdownMenu_titleForSelectedComponent(MKDropdownMenu&, long) {
        return std::nullopt;
    }
    virtual std::optional<ui::AttributedString> dropdownMenu_attributedTitleForSelectedComponent(
        MKDropdownMenu&, long) {
        return std::nullopt;
    }
    // Shown instead of a title.
    virtual std::shared_ptr<ui::View> dropdownMenu_viewForComponent(MKDropdownMenu&, long) {
        return nullptr;
    }
    virtual std::optional<bool> dropdownMenu_enableComponent(MKDropdownMenu&, long) {
        return std::nullopt;
    }

    // A row's title: the styled one, else the plain one made into styled text.
    virtual std::optional<ui::AttributedString> dropdownMenu_attributedTitleForRow(MKDropdownMenu&,
                                                                                   long row,
                                                                                   long component) {
        (void)row, (void)component;
        return std::nullopt;
    }
    virtual std::optional<String> dropdownMenu_titleForRow(MKDropdownMenu&, long row,
                                                           long component) {
        (void)row, (void)component;
        return std::nullopt;
    }
    // A custom view for the row (instead of its title), given the view it showed before for
    // reuse, or null.
    virtual std::shared_ptr<ui::View> dropdownMenu_viewForRow(
        MKDropdownMenu&, long row, long component, std::shared_ptr<ui::View> reusingView) {
        (void)row, (void)component, (void)reusingView;
        return nullptr;
    }
    // Shown at the row's end; without one a selected row shows a check mark.
    virtual std::shared_ptr<ui::View> dropdownMenu_accessoryViewForRow(MKDropdownMenu&, long row,
                                                                       long component) {
        (void)row, (void)component;
        return nullptr;
    }
    virtual std::optional<ui::Color> dropdownMenu_backgroundColorForRow(MKDropdownMenu&, long row,
                                                                        long component) {
        (void)row, (void)component;
        return std::nullopt;
    }
    virtual std::optional<ui::Color> dropdownMenu_backgroundColorForHighlightedRowsInComponent(
        MKDropdownMenu&, long) {
        return std::nullopt;
    }

    // A user tapped a row; the menu neither selects it nor closes.
    virtual void dropdownMenu_didSelectRow(MKDropdownMenu&, long row, long component) {
        (void)row, (void)component;
    }
    virtual void dropdownMenu_didOpenComponent(MKDropdownMenu&, long component) { (void)component; }
    virtual void dropdownMenu_didCloseComponent(MKDropdownMenu&, long component) {
        (void)component;
    }
};

class MKDropdownMenu : public ui::View, private MKDropdownMenuContentViewControllerDelegate {
  public:
    using IndexSet = std::set<long>;
    // selectedComponent() when no component is open (the platform's NSNotFound).
    static constexpr int64_t kNotFound = INT64_MAX;
    static constexpr double kDefaultRowHeight = 44;

    explicit MKDropdownMenu(const ui::Rect& frame = {});
    ~MKDropdownMenu() override;

    // Setting the data source rebuilds the components (and clears every selection).
    std::shared_ptr<MKDropdownMenuDataSource> dataSource() const { return m_dataSource.lock(); }
    void setDataSource(const std::shared_ptr<MKDropdownMenuDataSource>& dataSource);
    std::shared_ptr<MKDropdownMenuDelegate> delegate() const { return m_delegate.lock(); }
    void setDelegate(const std::shared_ptr<MKDropdownMenuDelegate>& delegate);

    // The model.
    void reloadAllComponents();
    void reloadComponent(long component);
    long numberOfRowsInComponent(long component) const;
    void selectRow(long row, long component);
    void deselectRow(long row, long component);
    IndexSet selectedRowsInComponent(long component) const;
    // The custom view shown for a visible row of the open component, else null.
    std::shared_ptr<ui::View> viewForRow(long row, long component) const;

    // Opening and closing.
    int64_t selectedComponent() const { return m_selectedComponent; }
    void openComponent(long component, bool animated);
    void closeAllComponentsAnimated(bool animated);
    // The buttons' tap action; null closes all. Dropped while the table moves.
    void selectedComponent(MKDropdownMenuComponentButton* sender);

    // Settings read when the table is shown.
    bool adjustsContentOffset() const { return m_adjustsContentOffset; }
    void setAdjustsContentOffset(bool adjusts) { m_adjustsContentOffset = adjusts; }
    bool adjustsContentInset() const { return m_adjustsContentInset; }
    void setAdjustsContentInset(bool adjusts) { m_adjustsContentInset = adjusts; }
    bool useFullScreenWidth() const { return m_useFullScreenWidth; }
    void setUseFullScreenWidth(bool use) { m_useFullScreenWidth = use; }
    double fullScreenInsetLeft() const { return m_fullScreenInsetLeft; }
    void setFullScreenInsetLeft(double inset) { m_fullScreenInsetLeft = inset; }
    double fullScreenInsetRight() const { return m_fullScreenInsetRight; }
    void setFullScreenInsetRight(double inset) { m_fullScreenInsetRight = inset; }
    bool allowsMultipleRowsSelection() const { return m_allowsMultipleRowsSelection; }
    void setAllowsMultipleRowsSelection(bool allows) { m_allowsMultipleRowsSelection = allows; }
    // Where the table shows; null: the menu's window. Held weakly.
    std::shared_ptr<ui::View> presentingView() const { return m_presentingView.lock(); }
    void setPresentingView(const std::shared_ptr<ui::View>& view) { m_presentingView = view; }
    // Between the bar and the table, spacerViewOffset() away from the bar.
    const std::shared_ptr<ui::View>& spacerView() const;
    void setSpacerView(std::shared_ptr<ui::View> view);
    ui::Point spacerViewOffset() const;
    void setSpacerViewOffset(ui::Point offset);

    // The bar's look.
    const ui::Color& componentSeparatorColor() const { return m_componentSeparatorColor; }
    void setComponentSeparatorColor(const ui::Color& color);
    const std::optional<ui::Color>& selectedComponentBackgroundColor() const {
        return m_selectedComponentBackgroundColor;
    }
    void setSelectedComponentBackgroundColor(const std::optional<ui::Color>& color);
    const std::shared_ptr<Image>& disclosureIndicatorImage() const {
        return m_disclosureIndicatorImage;
    }
    void setDisclosureIndicatorImage(std::shared_ptr<Image> image);
    double disclosureIndicatorSelectionRotation() const {
        return m_disclosureIndicatorSelectionRotation;
    }
    void setDisclosureIndicatorSelectionRotation(double radians);
    ui::NSLineBreakMode componentLineBreakMode() const { return m_componentLineBreakMode; }
    void setComponentLineBreakMode(ui::NSLineBreakMode mode);
    ui::NSTextAlignment componentTextAlignment() const { return m_componentTextAlignment; }
    void setComponentTextAlignment(ui::NSTextAlignment alignment);

    // The table's look (kept by the content controller).
    const ui::Color& rowSeparatorColor() const;
    void setRowSeparatorColor(const ui::Color& color);
    bool dropdownDropsShadow() const;
    void setDropdownDropsShadow(bool drops);
    bool dropdownBouncesScroll() const;
    void setDropdownBouncesScroll(bool bounces);
    bool dropdownShowsTopRowSeparator() const;
    void setDropdownShowsTopRowSeparator(bool shows);
    bool dropdownShowsBottomRowSeparator() const;
    void setDropdownShowsBottomRowSeparator(bool shows);
    bool dropdownShowsBorder() const;
    void setDropdownShowsBorder(bool shows);
    // Also turns the buttons' arrows over.
    bool dropdownShowsContentAbove() const;
    void setDropdownShowsContentAbove(bool above);
    double backgroundDimmingOpacity() const;
    void setBackgroundDimmingOpacity(double opacity);
    const ui::Color& dropdownBackgroundColor() const;
    void setDropdownBackgroundColor(const ui::Color& color);
    ui::NSTextAlignment rowTextAlignment() const;
    void setRowTextAlignment(ui::NSTextAlignment alignment);
    double dropdownCornerRadius() const;
    void setDropdownCornerRadius(double radius);
    ui::UIRectCorner dropdownRoundedCorners() const;
    void setDropdownRoundedCorners(ui::UIRectCorner corners);

    // The parts, for hosts that style them and for tests.
    MKDropdownMenuTransition& transition() const { return *m_transition; }
    MKDropdownMenuContentViewController& contentViewController() const { return *m_content; }
    const std::vector<std::shared_ptr<MKDropdownMenuComponentButton>>& buttons() const {
        return m_buttons;
    }
    const std::vector<std::shared_ptr<ui::View>>& separators() const { return m_separators; }

    void layoutSubviews() override;

  private:
    // MKDropdownMenuContentViewControllerDelegate.
    long numberOfRows() override;
    long maximumNumberOfRows() override;
    std::optional<ui::AttributedString> attributedTitleForRow(long row) override;
    std::shared_ptr<ui::View> customViewForRow(long row,
                                               std::shared_ptr<ui::View> reusing) override;
    std::shared_ptr<ui::View> accessoryViewForRow(long row) override;
    std::optional<ui::Color> backgroundColorForRow(long row) override;
    bool isRowSelected(long row) override;
    std::optional<ui::Rect> rowContentSpan() override;
    void didSelectRow(long row) override;
    void willDisappear() override;

    void setup();
    bool checkComponent(long component) const;
    bool checkRow(long row, long component) const;
    std::optional<long> askRowCount(MKDropdownMenuDataSource& source, long component);
    void setupComponents();
    void updateButton(MKDropdownMenuComponentButton& button, long component);
    void updateAllButtons();
    void presentComponent(long component, bool animated);
    void didClose();
    ui::View* presentationHost() const;
    std::vector<double> componentWidths();
    long openComponentIndex() const;

    bool m_adjustsContentOffset = false;
    bool m_adjustsContentInset = true;
    bool m_useFullScreenWidth = false;
    bool m_allowsMultipleRowsSelection = false;
    std::weak_ptr<MKDropdownMenuDataSource> m_dataSource;
    std::weak_ptr<MKDropdownMenuDelegate> m_delegate;
    std::weak_ptr<ui::View> m_presentingView;
    ui::Color m_componentSeparatorColor;
    std::optional<ui::Color> m_selectedComponentBackgroundColor;
    std::shared_ptr<Image> m_disclosureIndicatorImage;
    double m_disclosureIndicatorSelectionRotation;
    ui::NSLineBreakMode m_componentLineBreakMode = ui::NSLineBreakByTruncatingMiddle;
    ui::NSTextAlignment m_componentTextAlignment = ui::NSTextAlignmentCenter;
    double m_fullScreenInsetLeft = 0;
    double m_fullScreenInsetRight = 0;
    int64_t m_selectedComponent = kNotFound;
    std::unique_ptr<MKDropdownMenuTransition> m_transition;
    std::shared_ptr<MKDropdownMenuContentViewController> m_content;
    std::vector<std::shared_ptr<MKDropdownMenuComponentButton>> m_buttons;
    std::vector<std::shared_ptr<ui::View>> m_separators;
    std::vector<long> m_components;
    std::vector<IndexSet> m_selectedRows;
};

}  // namespace ov
