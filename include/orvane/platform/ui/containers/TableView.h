#pragma once
// A vertical list of rows in sections (the platform's UITableView), a scroll view that asks
// its data source for the number of rows and a cell for each row as it comes into view. Rows
// that leave the visible area give their cells back to a reuse pool by identifier.
//
//   class Contacts : public ov::ui::TableViewDataSource, public ov::ui::TableViewDelegate {
//       long tableView_numberOfRowsInSection(ov::ui::TableView&, long) override { return n; }
//       std::shared_ptr<ov::ui::TableViewCell> tableView_cellForRowAtIndexPath(
//           ov::ui::TableView& table, const ov::ui::IndexPath& path) override {
//           auto cell = table.dequeueReusableCellWithIdentifier("Row", path);  // registered
//           cell->textLabel().setText(names[path.row]);
//           return cell;
//       }
//   };
//   table->registerClass<ov::ui::TableViewCell>("Row");
//   table->setDataSource(contacts);   // both held weakly
//   table->setDelegate(contacts);
//   table->reloadData();
//
// Cells are laid out synchronously whenever the offset, the size or the data changes, so
// visibleCells() is current right after. A tap on a row highlights it while the finger is
// down and selects it on lift (willSelect, didSelect; a drag cancels it). Row changes are
// applied at once, without animation. Main thread only.
//
// Names: the data source and delegate operations share the first keyword, so each carries
// the keyword that tells it apart (tableView:cellForRowAtIndexPath: is
// tableView_cellForRowAtIndexPath).

#include <compare>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/ui/containers/ScrollView.h"
#include "orvane/platform/ui/containers/TableViewCell.h"
#include "orvane/platform/values/String.h"

namespace ov::ui {

class TableView;

struct IndexPath {
    long section = 0;
    long row = 0;

    static IndexPath indexPathForRow(long row, long section) { return {section, row}; }
    friend auto operator<=>(const IndexPath&, const IndexPath&) = default;
};

enum UITableViewStyle : int { UITableViewStylePlain, UITableViewStyleGrouped };

enum UITableViewScrollPosition : int {
    UITableViewScrollPositionNone,
    UITableViewScrollPositionTop,
    UITableViewScrollPositionMiddle,
    UITableViewScrollPositionBottom,
};

// Accepted for the platform's sake: row changes are not animated.
enum UITableViewRowAnimation : int {
    UITableViewRowAnimationFade,
    UITableViewRowAnimationRight,
    UITableViewRowAnimationLeft,
    UITableViewRowAnimationTop,
    UITableViewRowAnimationBottom,
    UITableViewRowAnimationNone,
    UITableViewRowAnimationMiddle,
    UITableViewRowAnimationAutomatic = 100,
};

class TableViewDataSource {
  public:
    virtual ~TableViewDataSource() = default;
    virtual long tableView_numberOfRowsInSection(TableView& tableView, long section) = 0;
    virtual std::shared_ptr<TableViewCell> tableView_cellForRowAtIndexPath(
        TableView& tableView, const IndexPath& indexPath) = 0;
    // None: one section.
    virtual std::optional<long> numberOfSectionsInTableView(TableView&) { return std::nullopt; }
    // None: not implemented; an empty list: no titles.
    virtual std::optional<std::vector<String>> sectionIndexTitlesForTableView(TableView&) {
        return std::nullopt;
    }
};

// Every answer is optional; none means "not implemented".
class TableViewDelegate : public ScrollViewDelegate {
  public:
    // None: the table's rowHeight.
    virtual std::optional<double> tableView_heightForRowAtIndexPath(TableView&, const IndexPath&) {
        return std::nullopt;
    }
    virtual std::optional<bool> tableView_shouldHighlightRowAtIndexPath(TableView&,
                                                                        const IndexPath&) {
        return std::nullopt;
    }
    // The row to select instead; an inner none selects nothing.
    virtual std::optional<std::optional<IndexPath>> tableView_willSelectRowAtIndexPath(
        TableView&, const IndexPath&) {
        return std::nullopt;
    }
    virtual void tableView_didSelectRowAtIndexPath(TableView&, const IndexPath&) {}
    virtual std::optional<std::optional<IndexPath>> tableView_willDeselectRowAtIndexPath(
        TableView&, const IndexPath&) {
        return std::nullopt;
    }
    virtual void tableView_didDeselectRowAtIndexPath(TableView&, const IndexPath&) {}
    virtual void tableView_willDisplayCell(TableView&, TableViewCell&, const IndexPath&) {}
    virtual void tableView_didEndDisplayingCell(TableView&, TableViewCell&, const IndexPath&) {}
};

class TableView : public ScrollView {
  public:
    using CellFactory = std::function<std::shared_ptr<TableViewCell>(const String& identifier)>;

    static constexpr double kDefaultRowHeight = 44;

    explicit TableView(const Rect& frame = {}, UITableViewStyle style = UITableViewStylePlain);
    ~TableView() override;

    UITableViewStyle style() const { return m_style; }

    std::shared_ptr<TableViewDataSource> dataSource() const { return m_dataSource.lock(); }
    void setDataSource(const std::shared_ptr<TableViewDataSource>& dataSource);
    // Also the scroll view's delegate.
    std::shared_ptr<TableViewDelegate> delegate() const { return m_delegate.lock(); }
    void setDelegate(const std::shared_ptr<TableViewDelegate>& delegate);

    double rowHeight() const { return m_rowHeight; }
    void setRowHeight(double height);
    // Above the first row and below the last, at their own heights.
    const std::shared_ptr<View>& tableHeaderView() const { return m_headerView; }
    void setTableHeaderView(std::shared_ptr<View> view);
    const std::shared_ptr<View>& tableFooterView() const { return m_footerView; }
    void setTableFooterView(std::shared_ptr<View> view);

    // Asks the data source again; the selection is cleared.
    void reloadData();
    void reloadRowsAtIndexPaths(const std::vector<IndexPath>& paths,
                                UITableViewRowAnimation animation);
    // The data source must already answer the new counts; otherwise the table reloads all
    // and logs why.
    void insertRowsAtIndexPaths(const std::vector<IndexPath>& paths,
                                UITableViewRowAnimation animation);
    void deleteRowsAtIndexPaths(const std::vector<IndexPath>& paths,
                                UITableViewRowAnimation animation);
    // Changes are applied at once; these only bracket them.
    void beginUpdates() {}
    void endUpdates() { layoutIfNeeded(); }

    long numberOfSections() const { return static_cast<long>(m_sections.size()); }
    long numberOfRowsInSection(long section) const;
    // In content coordinates; the null rectangle for a row that does not exist.
    Rect rectForRowAtIndexPath(const IndexPath& path) const;
    std::optional<IndexPath> indexPathForRowAtPoint(Point point) const;
    std::optional<IndexPath> indexPathForCell(const TableViewCell& cell) const;
    // Visible rows only.
    std::shared_ptr<TableViewCell> cellForRowAtIndexPath(const IndexPath& path) const;
    std::vector<std::shared_ptr<TableViewCell>> visibleCells() const;
    std::vector<IndexPath> indexPathsForVisibleRows() const;
    void scrollToRowAtIndexPath(const IndexPath& path, UITableViewScrollPosition position,
                                bool animated);

    // Reuse: a cell given back with this identifier, prepared for reuse, or none.
    std::shared_ptr<TableViewCell> dequeueReusableCellWithIdentifier(const String& identifier);
    // The same, making a cell with the registered factory when the pool is empty.
    std::shared_ptr<TableViewCell> dequeueReusableCellWithIdentifier(const String& identifier,
                                                                     const IndexPath& path);
    void registerClass(CellFactory factory, const String& identifier);
    template <class Cell>
    void registerClass(const String& identifier) {
        registerClass(
            [](const String& id) {
                return std::make_shared<Cell>(UITableViewCellStyleDefault, id);
            },
            identifier);
    }

    // Selection. These do not tell the delegate.
    bool allowsSelection() const { return m_allowsSelection; }
    void setAllowsSelection(bool allows) { m_allowsSelection = allows; }
    bool allowsMultipleSelection() const { return m_allowsMultipleSelection; }
    void setAllowsMultipleSelection(bool allows) { m_allowsMultipleSelection = allows; }
    std::optional<IndexPath> indexPathForSelectedRow() const;
    std::vector<IndexPath> indexPathsForSelectedRows() const { return m_selected; }
    // None deselects all.
    void selectRowAtIndexPath(const std::optional<IndexPath>& path, bool animated,
                              UITableViewScrollPosition position);
    void deselectRowAtIndexPath(const IndexPath& path, bool animated);

    bool isEditing() const { return m_editing; }
    void setEditing(bool editing, bool animated = false);

    void layoutSubviews() override;

    // A tap on a row (see the header comment).
    void touchesBegan(const TouchSet& touches, const Event& event) override;
    void touchesEnded(const TouchSet& touches, const Event& event) override;
    void touchesCancelled(const TouchSet& touches, const Event& event) override;

  protected:
    void contentOffsetDidChange() override { tile(); }

  private:
    void loadCounts();
    double rowsTop() const;
    double sectionHeight(long section) const;
    double heightForRow(const IndexPath& path) const;
    void updateContentSize();
    void tile();
    void enqueue(const IndexPath& path, const std::shared_ptr<TableViewCell>& cell);
    void showCell(const IndexPath& path);
    bool isValid(const IndexPath& path) const;
    void selectByUser(const IndexPath& path);
    void deselectByUser(const IndexPath& path);
    void setCellSelected(const IndexPath& path, bool selected, bool animated);
    void applyRowChanges(const std::vector<IndexPath>& removed,
                         const std::vector<IndexPath>& added);
    std::optional<IndexPath> pressedPathFor(const TouchSet& touches) const;

    UITableViewStyle m_style;
    std::weak_ptr<TableViewDataSource> m_dataSource;
    std::weak_ptr<TableViewDelegate> m_delegate;
    double m_rowHeight = kDefaultRowHeight;
    std::shared_ptr<View> m_headerView;
    std::shared_ptr<View> m_footerView;
    // Row heights per section, as last asked.
    std::vector<std::vector<double>> m_sections;
    std::map<IndexPath, std::shared_ptr<TableViewCell>> m_visible;
    std::map<String, std::vector<std::shared_ptr<TableViewCell>>> m_pool;
    std::map<String, CellFactory> m_factories;
    std::vector<IndexPath> m_selected;
    std::optional<IndexPath> m_pressed;
    bool m_allowsSelection = true;
    bool m_allowsMultipleSelection = false;
    bool m_editing = false;
    bool m_loaded = false;
    bool m_tiling = false;
};

}  // namespace ov::ui
