#include "orvane/platform/ui/containers/TableView.h"

#include <algorithm>

#include "orvane/platform/values/SystemLog.h"

namespace ov::ui {

TableView::TableView(const Rect& frame, UITableViewStyle style)
    : ScrollView(frame), m_style(style) {
    setAlwaysBounceVertical(true);
    setBackgroundColor(Color::whiteColor());
}

TableView::~TableView() = default;

void TableView::setDataSource(const std::shared_ptr<TableViewDataSource>& dataSource) {
    m_dataSource = dataSource;
    m_loaded = false;
    setNeedsLayout();
}

void TableView::setDelegate(const std::shared_ptr<TableViewDelegate>& delegate) {
    m_delegate = delegate;
    ScrollView::setDelegate(delegate);
}

void TableView::setRowHeight(double height) {
    if (height == m_rowHeight) return;
    m_rowHeight = height;
    if (m_loaded) reloadData();
}

void TableView::setTableHeaderView(std::shared_ptr<View> view) {
    if (m_headerView) m_headerView->removeFromSuperview();
    m_headerView = std::move(view);
    if (m_headerView) addSubview(m_headerView);
    updateContentSize();
    tile();
}

void TableView::setTableFooterView(std::shared_ptr<View> view) {
    if (m_footerView) m_footerView->removeFromSuperview();
    m_footerView = std::move(view);
    if (m_footerView) addSubview(m_footerView);
    updateContentSize();
    tile();
}

// The model.

void TableView::loadCounts() {
    m_loaded = true;
    m_sections.clear();
    const auto source = dataSource();
    if (!source) return;
    const long sections = std::max(source->numberOfSectionsInTableView(*this).value_or(1), 0L);
    m_sections.resize(static_cast<size_t>(sections));
    for (long s = 0; s < sections; ++s) {
        const long rows = std::max(source->tableView_numberOfRowsInSection(*this, s), 0L);
        auto& heights = m_sections[static_cast<size_t>(s)];
        heights.resize(static_cast<size_t>(rows));
        for (long r = 0; r < rows; ++r)
            heights[static_cast<size_t>(r)] = heightForRow({s, r});
    }
}

double TableView::heightForRow(const IndexPath& path) const {
    const auto d = delegate();
    return std::max(d ? d->tableView_heightForRowAtIndexPath(const_cast<TableView&>(*this), path)
                            .value_or(m_rowHeight)
                      : m_rowHeight,
                    0.0);
}

long TableView::numberOfRowsInSection(long section) const {
    if (section < 0 || section >= numberOfSections()) return 0;
    return static_cast<long>(m_sections[static_cast<size_t>(section)].size());
}

bool TableView::isValid(const IndexPath& path) const {
    return path.row >= 0 && path.row < numberOfRowsInSection(path.section);
}

double TableView::rowsTop() const {
    return m_headerView ? m_headerView->frame().height() : 0;
}

double TableView::sectionHeight(long section) const {
    const auto& heights = m_sections[static_cast<size_t>(section)];
    double total = 0;
    for (double h : heights)
        total += h;
    return total;
}

Rect TableView::rectForRowAtIndexPath(const IndexPath& path) const {
    if (!isValid(path)) return Rect::null();
    double y = rowsTop();
    for (long s = 0; s < path.section; ++s)
        y += sectionHeight(s);
    const auto& heights = m_sections[static_cast<size_t>(path.section)];
    for (long r = 0; r < path.row; ++r)
        y += heights[static_cast<size_t>(r)];
    return {0, y, bounds().width(), heights[static_cast<size_t>(path.row)]};
}

void TableView::updateContentSize() {
    double height = rowsTop();
    for (long s = 0; s < numberOfSections(); ++s)
        height += sectionHeight(s);
    if (m_headerView) {
        m_headerView->setFrame({0, 0, bounds().width(), m_headerView->frame().height()});
    }
    if (m_footerView) {
        m_footerView->setFrame({0, height, bounds().width(), m_footerView->frame().height()});
        height += m_footerView->frame().height();
    }
    setContentSize({bounds().width(), height});
}

std::optional<IndexPath> TableView::indexPathForRowAtPoint(Point point) const {
    if (point.x < 0 || point.x >= bounds().width()) return std::nullopt;
    double y = rowsTop();
    for (long s = 0; s < numberOfSections(); ++s) {
        const auto& heights = m_sections[static_cast<size_t>(s)];
        for (size_t r = 0; r < heights.size(); ++r) {
            if (point.y >= y && point.y < y + heights[r]) return IndexPath{s, static_cast<long>(r)};
            y += heights[r];
        }
    }
    return std::nullopt;
}

// Cells.

void TableView::reloadData() {
    const auto visible = m_visible;
    for (const auto& [path, cell] : visible)
        enqueue(path, cell);
    m_selected.clear();
    m_pressed.reset();
    loadCounts();
    updateContentSize();
    tile();
}

void TableView::enqueue(const IndexPath& path, const std::shared_ptr<TableViewCell>& cell) {
    m_visible.erase(path);
    cell->removeFromSuperview();
    if (auto d = delegate()) d->tableView_didEndDisplayingCell(*this, *cell, path);
    if (cell->reuseIdentifier()) m_pool[*cell->reuseIdentifier()].push_back(cell);
}

void TableView::showCell(const IndexPath& path) {
    const auto source = dataSource();
    auto cell = source ? source->tableView_cellForRowAtIndexPath(*this, path) : nullptr;
    if (!cell) return;
    cell->setFrame(rectForRowAtIndexPath(path));
    cell->setSelected(std::find(m_selected.begin(), m_selected.end(), path) != m_selected.end());
    if (cell->isEditing() != m_editing) cell->setEditing(m_editing);
    if (auto d = delegate()) d->tableView_willDisplayCell(*this, *cell, path);
    // Rows stay under the header and footer views.
    insertSubview(cell, 0);
    cell->layoutIfNeeded();
    m_visible[path] = std::move(cell);
}

void TableView::tile() {
    if (!m_loaded || m_tiling) return;
    m_tiling = true;
    const Rect visibleArea = bounds();
    std::vector<IndexPath> wanted;
    double y = rowsTop();
    for (long s = 0; s < numberOfSections(); ++s) {
        const auto& heights = m_sections[static_cast<size_t>(s)];
        for (size_t r = 0; r < heights.size(); ++r) {
            const double bottom = y + heights[r];
            if (bottom > visibleArea.minY() && y < visibleArea.maxY() && heights[r] > 0) {
                wanted.push_back({s, static_cast<long>(r)});
            }
            y = bottom;
            if (y >= visibleArea.maxY()) break;
        }
    }
    // Give back first, so the rows coming in can reuse the cells going out.
    const auto shown = m_visible;
    for (const auto& [path, cell] : shown) {
        if (!std::binary_search(wanted.begin(), wanted.end(), path)) enqueue(path, cell);
    }
    for (const auto& path : wanted) {
        const auto found = m_visible.find(path);
        if (found == m_visible.end()) {
            showCell(path);
        } else {
            found->second->setFrame(rectForRowAtIndexPath(path));
        }
    }
    m_tiling = false;
}

void TableView::layoutSubviews() {
    ScrollView::layoutSubviews();
    if (!m_loaded) loadCounts();
    updateContentSize();
    tile();
}

std::shared_ptr<TableViewCell> TableView::dequeueReusableCellWithIdentifier(
    const String& identifier) {
    auto found = m_pool.find(identifier);
    if (found == m_pool.end() || found->second.empty()) return nullptr;
    auto cell = std::move(found->second.back());
    found->second.pop_back();
    cell->prepareForReuse();
    return cell;
}

std::shared_ptr<TableViewCell> TableView::dequeueReusableCellWithIdentifier(
    const String& identifier, const IndexPath&) {
    if (auto cell = dequeueReusableCellWithIdentifier(identifier)) return cell;
    const auto factory = m_factories.find(identifier);
    return factory == m_factories.end() ? nullptr : factory->second(identifier);
}

void TableView::registerClass(CellFactory factory, const String& identifier) {
    m_factories[identifier] = std::move(factory);
}

std::shared_ptr<TableViewCell> TableView::cellForRowAtIndexPath(const IndexPath& path) const {
    const auto found = m_visible.find(path);
    return found == m_visible.end() ? nullptr : found->second;
}

std::vector<std::shared_ptr<TableViewCell>> TableView::visibleCells() const {
    std::vector<std::shared_ptr<TableViewCell>> cells;
    for (const auto& [path, cell] : m_visible)
        cells.push_back(cell);
    return cells;
}

std::vector<IndexPath> TableView::indexPathsForVisibleRows() const {
    std::vector<IndexPath> paths;
    for (const auto& [path, cell] : m_visible)
        paths.push_back(path);
    return paths;
}

std::optional<IndexPath> TableView::indexPathForCell(const TableViewCell& cell) const {
    for (const auto& [path, shown] : m_visible) {
        if (shown.get() == &cell) return path;
    }
    return std::nullopt;
}

void TableView::scrollToRowAtIndexPath(const IndexPath& path, UITableViewScrollPosition position,
                                       bool animated) {
    const Rect row = rectForRowAtIndexPath(path);
    if (row.isNull()) return;
    const double visibleHeight = bounds().height() - contentInset().top - contentInset().bottom;
    double y = contentOffset().y;
    switch (position) {
        case UITableViewScrollPositionNone:
            scrollRectToVisible(row, animated);
            return;
        case UITableViewScrollPositionTop:
            y = row.minY() - contentInset().top;
            break;
        case UITableViewScrollPositionMiddle:
            y = row.midY() - contentInset().top - visibleHeight / 2;
            break;
        case UITableViewScrollPositionBottom:
            y = row.maxY() - contentInset().top - visibleHeight;
            break;
    }
    y = std::clamp(y, minimumContentOffset().y, maximumContentOffset().y);
    setContentOffset({contentOffset().x, y}, animated);
}

// Row changes.

void TableView::reloadRowsAtIndexPaths(const std::vector<IndexPath>& paths,
                                       UITableViewRowAnimation) {
    for (const auto& path : paths) {
        if (!isValid(path)) continue;
        m_sections[static_cast<size_t>(path.section)][static_cast<size_t>(path.row)] =
            heightForRow(path);
        if (auto cell = cellForRowAtIndexPath(path)) enqueue(path, cell);
    }
    updateContentSize();
    tile();
}

void TableView::insertRowsAtIndexPaths(const std::vector<IndexPath>& paths,
                                       UITableViewRowAnimation) {
    applyRowChanges({}, paths);
}

void TableView::deleteRowsAtIndexPaths(const std::vector<IndexPath>& paths,
                                       UITableViewRowAnimation) {
    applyRowChanges(paths, {});
}

void TableView::applyRowChanges(const std::vector<IndexPath>& removed,
                                const std::vector<IndexPath>& added) {
    const auto source = dataSource();
    if (!source) return;
    // The data source must already tell the new story.
    for (long s = 0; s < numberOfSections(); ++s) {
        long expected = numberOfRowsInSection(s);
        for (const auto& p : removed)
            expected -= p.section == s && isValid(p) ? 1 : 0;
        for (const auto& p : added)
            expected += p.section == s ? 1 : 0;
        const long actual = source->tableView_numberOfRowsInSection(*this, s);
        if (actual != expected) {
            systemLog("Invalid update: section %ld has %ld rows, expected %ld; reloading", s,
                      actual, expected);
            reloadData();
            return;
        }
    }
    // Removals from the bottom up, then insertions from the top down, shifting visible
    // cells and the selection along with their rows.
    auto remap = [this](const std::function<std::optional<IndexPath>(IndexPath)>& move) {
        std::map<IndexPath, std::shared_ptr<TableViewCell>> moved;
        const auto shown = m_visible;
        for (const auto& [path, cell] : shown) {
            if (auto to = move(path)) {
                moved[*to] = cell;
            } else {
                enqueue(path, cell);
            }
        }
        m_visible = std::move(moved);
        std::vector<IndexPath> selected;
        for (const auto& path : m_selected) {
            if (auto to = move(path)) selected.push_back(*to);
        }
        m_selected = std::move(selected);
    };
    auto gone = removed;
    std::sort(gone.rbegin(), gone.rend());
    for (const auto& p : gone) {
        if (!isValid(p)) continue;
        remap([&](IndexPath path) -> std::optional<IndexPath> {
            if (path.section != p.section || path.row < p.row) return path;
            if (path.row == p.row) return std::nullopt;
            return IndexPath{path.section, path.row - 1};
        });
        auto& heights = m_sections[static_cast<size_t>(p.section)];
        heights.erase(heights.begin() + p.row);
    }
    auto fresh = added;
    std::sort(fresh.begin(), fresh.end());
    for (const auto& p : fresh) {
        if (p.section < 0 || p.section >= numberOfSections() || p.row < 0 ||
            p.row > numberOfRowsInSection(p.section)) {
            continue;
        }
        remap([&](IndexPath path) -> std::optional<IndexPath> {
            if (path.section != p.section || path.row < p.row) return path;
            return IndexPath{path.section, path.row + 1};
        });
        auto& heights = m_sections[static_cast<size_t>(p.section)];
        heights.insert(heights.begin() + p.row, heightForRow(p));
    }
    updateContentSize();
    tile();
}

// Selection.

std::optional<IndexPath> TableView::indexPathForSelectedRow() const {
    if (m_selected.empty()) return std::nullopt;
    return *std::min_element(m_selected.begin(), m_selected.end());
}

void TableView::setCellSelected(const IndexPath& path, bool selected, bool animated) {
    const auto found = std::find(m_selected.begin(), m_selected.end(), path);
    if (selected && found == m_selected.end()) m_selected.push_back(path);
    if (!selected && found != m_selected.end()) m_selected.erase(found);
    if (auto cell = cellForRowAtIndexPath(path)) cell->setSelected(selected, animated);
}

void TableView::selectRowAtIndexPath(const std::optional<IndexPath>& path, bool animated,
                                     UITableViewScrollPosition position) {
    if (!m_allowsMultipleSelection || !path) {
        for (const auto& other : std::vector<IndexPath>(m_selected)) {
            if (!path || other != *path) setCellSelected(other, false, animated);
        }
    }
    if (!path || !isValid(*path)) return;
    setCellSelected(*path, true, animated);
    if (position != UITableViewScrollPositionNone)
        scrollToRowAtIndexPath(*path, position, animated);
}

void TableView::deselectRowAtIndexPath(const IndexPath& path, bool animated) {
    setCellSelected(path, false, animated);
}

void TableView::selectByUser(const IndexPath& path) {
    const auto d = delegate();
    std::optional<IndexPath> chosen = path;
    if (d) chosen = d->tableView_willSelectRowAtIndexPath(*this, path).value_or(path);
    if (!chosen || !isValid(*chosen)) return;
    if (!m_allowsMultipleSelection) {
        for (const auto& other : std::vector<IndexPath>(m_selected)) {
            if (other != *chosen) deselectByUser(other);
        }
    }
    setCellSelected(*chosen, true, false);
    if (d) d->tableView_didSelectRowAtIndexPath(*this, *chosen);
}

void TableView::deselectByUser(const IndexPath& path) {
    const auto d = delegate();
    std::optional<IndexPath> chosen = path;
    if (d) chosen = d->tableView_willDeselectRowAtIndexPath(*this, path).value_or(path);
    if (!chosen) return;
    setCellSelected(*chosen, false, false);
    if (d) d->tableView_didDeselectRowAtIndexPath(*this, *chosen);
}

std::optional<IndexPath> TableView::pressedPathFor(const TouchSet& touches) const {
    if (touches.empty()) return std::nullopt;
    return indexPathForRowAtPoint(touches.front()->locationInView(this));
}

void TableView::touchesBegan(const TouchSet& touches, const Event&) {
    m_pressed.reset();
    const auto path = pressedPathFor(touches);
    if (!path || !m_allowsSelection || m_editing || isDecelerating()) return;
    const auto d = delegate();
    if (d && !d->tableView_shouldHighlightRowAtIndexPath(*this, *path).value_or(true)) return;
    m_pressed = path;
    if (auto cell = cellForRowAtIndexPath(*path)) cell->setHighlighted(true);
}

void TableView::touchesEnded(const TouchSet& touches, const Event&) {
    const auto pressed = std::exchange(m_pressed, std::nullopt);
    if (!pressed) return;
    if (auto cell = cellForRowAtIndexPath(*pressed)) cell->setHighlighted(false);
    if (pressedPathFor(touches) != pressed) return;
    const bool selected =
        std::find(m_selected.begin(), m_selected.end(), *pressed) != m_selected.end();
    if (m_allowsMultipleSelection && selected) {
        deselectByUser(*pressed);
    } else {
        selectByUser(*pressed);
    }
}

void TableView::touchesCancelled(const TouchSet&, const Event&) {
    const auto pressed = std::exchange(m_pressed, std::nullopt);
    if (!pressed) return;
    if (auto cell = cellForRowAtIndexPath(*pressed)) cell->setHighlighted(false);
}

void TableView::setEditing(bool editing, bool animated) {
    if (editing == m_editing) return;
    m_editing = editing;
    for (const auto& [path, cell] : m_visible)
        cell->setEditing(editing, animated);
}

}  // namespace ov::ui
