#include "orvane/components/MKDropdownMenuContentViewController.h"

#include <algorithm>
#include <cmath>

#include "orvane/components/MKDropdownMenuTableViewCell.h"
#include "orvane/components/UIColor+MKDropdownMenu.h"
#include "orvane/platform/ui/input/TapGestureRecognizer.h"
#include "orvane/platform/ui/layers/ShapeLayer.h"
#include "orvane/platform/values/String.h"

namespace ov {

namespace {

constexpr double kShadowOpacity = 0.25;
constexpr double kShadowRadius = 6;

double hairline() {
    return 1.0 / Image::screenScale();
}

std::shared_ptr<ui::View> separatorLine(const ui::Color& color) {
    auto line = std::make_shared<ui::View>(ui::Rect{0, 0, 0, hairline()});
    line->setBackgroundColor(color);
    return line;
}

// The container draws its border with this layer, over the table, along the rounded outline.
class BorderLayer : public ui::ShapeLayer {};

}  // namespace

MKDropdownMenuContentViewController::MKDropdownMenuContentViewController()
    : m_rowSeparatorColor(UIColor_MKDropdownMenu::mk_defaultSeparatorColor()) {}

MKDropdownMenuContentViewController::~MKDropdownMenuContentViewController() = default;

void MKDropdownMenuContentViewController::loadView() {
    auto view = std::make_shared<ui::View>();
    view->setBackgroundColor(std::nullopt);
    m_dimmingView = std::make_shared<ui::View>();
    m_dimmingView->setBackgroundColor(ui::Color::blackColor());
    m_dimmingView->setAlpha(0);
    view->addSubview(m_dimmingView);

    m_containerView = std::make_shared<ui::View>();
    m_containerView->setBackgroundColor(std::nullopt);
    m_containerView->layer().setShadowColor(ui::Color::blackColor());
    m_containerView->layer().setShadowOffset({0, 2});
    m_containerView->layer().setShadowRadius(kShadowRadius);
    m_clipView = std::make_shared<ui::View>();
    m_clipView->setClipsToBounds(true);
    m_containerView->addSubview(m_clipView);
    m_containerView->layer().addSublayer(std::make_shared<BorderLayer>());
    view->addSubview(m_containerView);

    m_tableView = std::make_shared<ui::TableView>();
    m_tableView->registerClass<MKDropdownMenuTableViewCell>(kCellIdentifier);
    m_clipView->addSubview(m_tableView);

    std::weak_ptr<ViewController> weak = weak_from_this();
    auto tap = std::make_shared<ui::TapGestureRecognizer>([weak](ui::GestureRecognizer& r) {
        auto self = std::static_pointer_cast<MKDropdownMenuContentViewController>(weak.lock());
        if (self) self->tappedOutsideRows(r.locationInView(self->m_tableView.get()));
    });
    tap->setCancelsTouchesInView(false);
    ui::addGestureRecognizer(*view, tap);
    setView(std::move(view));

    const auto self =
        std::static_pointer_cast<MKDropdownMenuContentViewController>(weak_from_this().lock());
    m_tableView->setDataSource(self);
    m_tableView->setDelegate(self);
    updateSeparators();
    updateContainerLook();
}

void MKDropdownMenuContentViewController::viewWillAppear(bool) {
    updateData();
    m_tableView->setContentOffset({0, -m_tableView->contentInset().top});
}

void MKDropdownMenuContentViewController::viewWillDisappear(bool) {
    if (m_delegate) m_delegate->willDisappear();
}

// The model.

void MKDropdownMenuContentViewController::setRowHeight(double height) {
    m_rowHeight = height;
    if (m_tableView) m_tableView->setRowHeight(height);
}

void MKDropdownMenuContentViewController::setContentInset(const ui::EdgeInsets& inset) {
    m_contentInset = inset;
}

void MKDropdownMenuContentViewController::setContainerSpan(double x, double width) {
    m_containerX = x;
    m_containerWidth = std::max(width, 0.0);
}

void MKDropdownMenuContentViewController::updateData() {
    if (!m_tableView) return;
    m_rowsCount = m_delegate ? std::max(m_delegate->numberOfRows(), 0L) : 0;
    m_maxRows = m_delegate ? std::max(m_delegate->maximumNumberOfRows(), 0L) : 0;
    layoutContent();
    m_tableView->reloadData();
    m_tableView->layoutIfNeeded();
}

void MKDropdownMenuContentViewController::updateDataAtIndexes(const std::set<long>& rows) {
    if (!m_tableView) return;
    std::vector<ui::IndexPath> paths;
    for (long row : rows) {
        if (row >= 0 && row < m_rowsCount) paths.push_back(ui::IndexPath::indexPathForRow(row, 0));
    }
    m_tableView->reloadRowsAtIndexPaths(paths, ui::UITableViewRowAnimationNone);
}

double MKDropdownMenuContentViewController::spacerHeight() const {
    return m_spacerView ? m_spacerView->bounds().size.height + m_spacerViewOffset.y : 0;
}

double MKDropdownMenuContentViewController::availableHeight() const {
    const double viewHeight = isViewLoaded() ? viewIfLoaded()->bounds().size.height : 0;
    return std::max(viewHeight - m_contentInset.top - m_contentInset.bottom - spacerHeight(), 0.0);
}

double MKDropdownMenuContentViewController::contentHeight() const {
    if (!m_tableView) return 0;
    double extras = 0;
    for (const auto& end : {m_tableView->tableHeaderView(), m_tableView->tableFooterView()}) {
        if (end) extras += end->bounds().size.height;
    }
    if (m_rowHeight <= 0) return extras;
    long fitting = static_cast<long>(std::floor(availableHeight() / m_rowHeight));
    if (m_maxRows >= 1) fitting = std::min(fitting, m_maxRows);
    const double maximum = static_cast<double>(fitting) * m_rowHeight;
    return std::min(static_cast<double>(m_rowsCount) * m_rowHeight, maximum) + extras;
}

std::shared_ptr<ui::View> MKDropdownMenuContentViewController::customViewForRow(long row) const {
    if (!m_tableView) return nullptr;
    const auto cell = m_tableView->cellForRowAtIndexPath(ui::IndexPath::indexPathForRow(row, 0));
    const auto* dropdownCell = dynamic_cast<MKDropdownMenuTableViewCell*>(cell.get());
    return dropdownCell ? dropdownCell->customView() : nullptr;
}

// Rows.

std::shared_ptr<ui::TableViewCell>
MKDropdownMenuContentViewController::tableView_cellForRowAtIndexPath(
    ui::TableView& tableView, const ui::IndexPath& indexPath) {
    auto cell = std::static_pointer_cast<MKDropdownMenuTableViewCell>(
        tableView.dequeueReusableCellWithIdentifier(kCellIdentifier, indexPath));
    configure(*cell, indexPath.row);
    return cell;
}

void MKDropdownMenuContentViewController::configure(MKDropdownMenuTableViewCell& cell, long row) {
    cell.setSeparator(m_rowSeparatorColor, row + 1 < m_rowsCount);
    cell.setHighlightColor(m_highlightColor);
    if (!m_delegate) return;
    cell.setCustomView(m_delegate->customViewForRow(row, cell.customView()));
    cell.setAttributedTitle(m_delegate->attributedTitleForRow(row), m_rowTextAlignment);
    cell.setContentSpan(m_delegate->rowContentSpan());
    cell.setBackgroundColor(
        m_delegate->backgroundColorForRow(row).value_or(ui::Color::clearColor()));
    auto accessory = m_delegate->accessoryViewForRow(row);
    cell.setAccessoryView(accessory);
    cell.setAccessoryType(!accessory && m_delegate->isRowSelected(row)
                              ? ui::UITableViewCellAccessoryCheckmark
                              : ui::UITableViewCellAccessoryNone);
}

void MKDropdownMenuContentViewController::tableView_didSelectRowAtIndexPath(
    ui::TableView& tableView, const ui::IndexPath& indexPath) {
    tableView.deselectRowAtIndexPath(indexPath, true);
    if (m_delegate) m_delegate->didSelectRow(indexPath.row);
}

void MKDropdownMenuContentViewController::tappedOutsideRows(ui::Point pointInTable) {
    const bool onTable = m_tableView->pointInside(pointInTable);
    if (onTable && m_tableView->indexPathForRowAtPoint(pointInTable)) return;
    if (m_delegate) m_delegate->didSelectRow(static_cast<long>(NSNotFound));
}

// Layout and look.

void MKDropdownMenuContentViewController::layoutContent() {
    if (!isViewLoaded()) return;
    const ui::Rect bounds = viewIfLoaded()->bounds();
    m_dimmingView->setFrame(bounds);
    const double height = contentHeight();
    const double spacer = spacerHeight();
    const double top = m_showsContentAbove ? bounds.maxY() - m_contentInset.bottom - spacer - height
                                           : bounds.minY() + m_contentInset.top + spacer;
    if (m_spacerView) {
        const ui::Size size = m_spacerView->bounds().size;
        const double y = m_showsContentAbove
                             ? top + height + spacer - m_spacerViewOffset.y - size.height
                             : top - spacer + m_spacerViewOffset.y;
        m_spacerView->setFrame({{m_containerX + m_spacerViewOffset.x, y}, size});
    }
    // The transform may be mid-slide: place by bounds and centre.
    m_containerView->setBounds({0, 0, m_containerWidth, height});
    m_containerView->setCenter({m_containerX + m_containerWidth / 2, top + height / 2});
    m_clipView->setFrame(m_containerView->bounds());
    m_tableView->setFrame(m_clipView->bounds());
    updateContainerLook();
}

void MKDropdownMenuContentViewController::updateContainerLook() {
    if (!isViewLoaded()) return;
    const ui::Rect box = m_containerView->bounds();
    const ui::Size radii{m_cornerRadius, m_cornerRadius};
    const ui::Path outline = ui::Path::bezierPathWithRoundedRect(box, m_roundedCorners, radii);
    auto& container = m_containerView->layer();
    container.setShadowOpacity(m_dropsShadow ? kShadowOpacity : 0);
    container.setShadowPath(outline);
    auto mask = ui::ShapeLayer::layer();
    mask->setFrame(box);
    mask->setPath(outline);
    m_clipView->layer().setMask(mask);
    m_clipView->setBackgroundColor(m_dropdownBackgroundColor);
    m_tableView->setBackgroundColor(m_dropdownBackgroundColor);
    m_tableView->setBounces(m_bouncesScroll);
    for (const auto& layer : container.sublayers()) {
        if (auto* border = dynamic_cast<BorderLayer*>(layer.get())) {
            border->setFrame(box);
            border->setPath(outline);
            border->setFillColor(std::nullopt);
            border->setStrokeColor(m_rowSeparatorColor);
            border->setLineWidth(m_showsBorder ? 2 * hairline() : 0);
            border->setHidden(!m_showsBorder);
        }
    }
}

void MKDropdownMenuContentViewController::updateSeparators() {
    if (!m_tableView) return;
    m_tableView->setTableHeaderView(m_showsTopRowSeparator ? separatorLine(m_rowSeparatorColor)
                                                           : nullptr);
    m_tableView->setTableFooterView(m_showsBottomRowSeparator ? separatorLine(m_rowSeparatorColor)
                                                              : nullptr);
}

void MKDropdownMenuContentViewController::setRowSeparatorColor(const ui::Color& color) {
    m_rowSeparatorColor = color;
    updateSeparators();
    updateContainerLook();
    if (m_tableView) m_tableView->reloadData();
}

void MKDropdownMenuContentViewController::setDropsShadow(bool drops) {
    m_dropsShadow = drops;
    updateContainerLook();
}

void MKDropdownMenuContentViewController::setBouncesScroll(bool bounces) {
    m_bouncesScroll = bounces;
    updateContainerLook();
}

void MKDropdownMenuContentViewController::setShowsTopRowSeparator(bool shows) {
    m_showsTopRowSeparator = shows;
    updateSeparators();
    layoutContent();
}

void MKDropdownMenuContentViewController::setShowsBottomRowSeparator(bool shows) {
    m_showsBottomRowSeparator = shows;
    updateSeparators();
    layoutContent();
}

void MKDropdownMenuContentViewController::setShowsBorder(bool shows) {
    m_showsBorder = shows;
    updateContainerLook();
}

void MKDropdownMenuContentViewController::setShowsContentAbove(bool above) {
    m_showsContentAbove = above;
    layoutContent();
}

void MKDropdownMenuContentViewController::setBackgroundDimmingOpacity(double opacity) {
    m_backgroundDimmingOpacity = std::clamp(opacity, 0.0, 1.0);
}

void MKDropdownMenuContentViewController::setDropdownBackgroundColor(const ui::Color& color) {
    m_dropdownBackgroundColor = color;
    updateContainerLook();
}

void MKDropdownMenuContentViewController::setRowTextAlignment(ui::NSTextAlignment alignment) {
    m_rowTextAlignment = alignment;
    if (m_tableView) m_tableView->reloadData();
}

void MKDropdownMenuContentViewController::setCornerRadius(double radius) {
    m_cornerRadius = std::max(radius, 0.0);
    updateContainerLook();
}

void MKDropdownMenuContentViewController::setRoundedCorners(ui::UIRectCorner corners) {
    m_roundedCorners = corners;
    updateContainerLook();
}

void MKDropdownMenuContentViewController::setSpacerView(std::shared_ptr<ui::View> view) {
    if (m_spacerView) m_spacerView->removeFromSuperview();
    m_spacerView = std::move(view);
    if (m_spacerView && isViewLoaded())
        viewIfLoaded()->insertSubviewBelow(m_spacerView, *m_containerView);
    layoutContent();
}

void MKDropdownMenuContentViewController::setSpacerViewOffset(ui::Point offset) {
    m_spacerViewOffset = offset;
    layoutContent();
}

}  // namespace ov
