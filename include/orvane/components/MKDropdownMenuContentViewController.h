#pragma once
// The dropdown menu's table of rows: a dimmed backdrop filling its view and, along the edge
// next to the bar, a container with shadow, border and rounded corners holding an optional
// spacer view and the table. The menu is its delegate and answers for the open component.
//
// Its view is placed by the menu's transition over the space below (or above) the bar. A tap
// on a row reports the row; a tap anywhere else in the view reports NSNotFound. Main thread
// only.

#include <memory>
#include <optional>
#include <set>

#include "orvane/platform/ui/containers/TableView.h"
#include "orvane/platform/ui/containers/ViewController.h"
#include "orvane/platform/ui/drawing/Path.h"
#include "orvane/platform/ui/text/AttributedString.h"
#include "orvane/platform/ui/text/ParagraphStyle.h"

namespace ov {

class MKDropdownMenuTableViewCell;

// Answers about the open component's rows (the menu).
class MKDropdownMenuContentViewControllerDelegate {
  public:
    virtual ~MKDropdownMenuContentViewControllerDelegate() = default;
    virtual long numberOfRows() = 0;
    // 0: no limit.
    virtual long maximumNumberOfRows() = 0;
    virtual std::optional<ui::AttributedString> attributedTitleForRow(long row) = 0;
    virtual std::shared_ptr<ui::View> customViewForRow(long row,
                                                       std::shared_ptr<ui::View> reusing) = 0;
    virtual std::shared_ptr<ui::View> accessoryViewForRow(long row) = 0;
    virtual std::optional<ui::Color> backgroundColorForRow(long row) = 0;
    virtual bool isRowSelected(long row) = 0;
    // Where the row contents go across the table (table coordinates); none: the whole width.
    virtual std::optional<ui::Rect> rowContentSpan() = 0;
    // A row was tapped, or NSNotFound for a tap outside the rows.
    virtual void didSelectRow(long row) = 0;
    virtual void willDisappear() = 0;
};

class MKDropdownMenuContentViewController : public ui::ViewController,
                                            public ui::TableViewDataSource,
                                            public ui::TableViewDelegate {
  public:
    static constexpr const char* kCellIdentifier = "MKDropdownMenuTableViewCell";

    MKDropdownMenuContentViewController();
    ~MKDropdownMenuContentViewController() override;

    // Not owned: the menu owns this controller and clears the pointer when it goes.
    void setDelegate(MKDropdownMenuContentViewControllerDelegate* delegate) {
        m_delegate = delegate;
    }

    // Set by the menu before each showing.
    double rowHeight() const { return m_rowHeight; }
    void setRowHeight(double height);
    // Space the dropdown leaves free at the edges of this controller's view.
    ui::EdgeInsets contentInset() const { return m_contentInset; }
    void setContentInset(const ui::EdgeInsets& inset);
    void setHighlightColor(const std::optional<ui::Color>& color) { m_highlightColor = color; }
    // The container's left edge and width in this controller's view.
    void setContainerSpan(double x, double width);

    // Asks the delegate again: row count, maximum rows, the container's height and the rows.
    void updateData();
    void updateDataAtIndexes(const std::set<long>& rows);
    long rowsCount() const { return m_rowsCount; }
    long maxRows() const { return m_maxRows; }
    // The table's height: whole rows up to maxRows and up to what the view has room for,
    // plus the header and footer (the top and bottom separators).
    double contentHeight() const;
    // The custom view of a visible row, else null.
    std::shared_ptr<ui::View> customViewForRow(long row) const;

    // Look.
    const ui::Color& rowSeparatorColor() const { return m_rowSeparatorColor; }
    void setRowSeparatorColor(const ui::Color& color);
    bool dropsShadow() const { return m_dropsShadow; }
    void setDropsShadow(bool drops);
    bool bouncesScroll() const { return m_bouncesScroll; }
    void setBouncesScroll(bool bounces);
    bool showsTopRowSeparator() const { return m_showsTopRowSeparator; }
    void setShowsTopRowSeparator(bool shows);
    bool showsBottomRowSeparator() const { return m_showsBottomRowSeparator; }
    void setShowsBottomRowSeparator(bool shows);
    bool showsBorder() const { return m_showsBorder; }
    void setShowsBorder(bool shows);
    bool showsContentAbove() const { return m_showsContentAbove; }
    void setShowsContentAbove(bool above);
    double backgroundDimmingOpacity() const { return m_backgroundDimmingOpacity; }
    void setBackgroundDimmingOpacity(double opacity);
    const ui::Color& dropdownBackgroundColor() const { return m_dropdownBackgroundColor; }
    void setDropdownBackgroundColor(const ui::Color& color);
    ui::NSTextAlignment rowTextAlignment() const { return m_rowTextAlignment; }
    void setRowTextAlignment(ui::NSTextAlignment alignment);
    double cornerRadius() const { return m_cornerRadius; }
    void setCornerRadius(double radius);
    ui::UIRectCorner roundedCorners() const { return m_roundedCorners; }
    void setRoundedCorners(ui::UIRectCorner corners);
    const std::shared_ptr<ui::View>& spacerView() const { return m_spacerView; }
    void setSpacerView(std::shared_ptr<ui::View> view);
    ui::Point spacerViewOffset() const { return m_spacerViewOffset; }
    void setSpacerViewOffset(ui::Point offset);

    // The parts the transition moves.
    ui::TableView& tableView() const { return *m_tableView; }
    ui::View& containerView() const { return *m_containerView; }
    ui::View& dimmingView() const { return *m_dimmingView; }

    // Places the container, spacer and table in the view as it now is.
    void layoutContent();

    // ViewController.
    void loadView() override;
    void viewWillAppear(bool animated) override;
    void viewWillDisappear(bool animated) override;

    // TableViewDataSource.
    long tableView_numberOfRowsInSection(ui::TableView&, long) override { return m_rowsCount; }
    std::shared_ptr<ui::TableViewCell> tableView_cellForRowAtIndexPath(
        ui::TableView& tableView, const ui::IndexPath& indexPath) override;
    // TableViewDelegate.
    void tableView_didSelectRowAtIndexPath(ui::TableView& tableView,
                                           const ui::IndexPath& indexPath) override;

  private:
    void configure(MKDropdownMenuTableViewCell& cell, long row);
    void updateSeparators();
    void updateContainerLook();
    void tappedOutsideRows(ui::Point pointInTable);
    double availableHeight() const;
    double spacerHeight() const;

    MKDropdownMenuContentViewControllerDelegate* m_delegate = nullptr;
    std::shared_ptr<ui::View> m_dimmingView;
    std::shared_ptr<ui::View> m_containerView;
    std::shared_ptr<ui::View> m_clipView;
    std::shared_ptr<ui::TableView> m_tableView;
    std::shared_ptr<ui::View> m_spacerView;
    long m_rowsCount = 0;
    long m_maxRows = 0;
    double m_rowHeight = 44;
    ui::EdgeInsets m_contentInset;
    std::optional<ui::Color> m_highlightColor;
    double m_containerX = 0;
    double m_containerWidth = 0;
    ui::Color m_rowSeparatorColor;
    bool m_dropsShadow = true;
    bool m_bouncesScroll = true;
    bool m_showsTopRowSeparator = true;
    bool m_showsBottomRowSeparator = true;
    bool m_showsBorder = false;
    bool m_showsContentAbove = false;
    double m_backgroundDimmingOpacity = 0.2;
    ui::Color m_dropdownBackgroundColor = ui::Color::whiteColor();
    ui::NSTextAlignment m_rowTextAlignment = ui::NSTextAlignmentCenter;
    double m_cornerRadius = 2;
    ui::UIRectCorner m_roundedCorners = ui::UIRectCornerAllCorners;
    ui::Point m_spacerViewOffset;
};

}  // namespace ov
