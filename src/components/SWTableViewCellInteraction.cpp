#include <algorithm>

#include "orvane/components/SWLongPressGestureRecognizer.h"
#include "orvane/components/SWTableViewCell.h"
#include "orvane/components/SWUtilityButtonTapGestureRecognizer.h"
#include "orvane/platform/ui/input/PanGestureRecognizer.h"
#include "orvane/platform/ui/views/Control.h"

namespace ov {

namespace {

// Releases at least this fast (points per millisecond) go by direction, not by position.
constexpr double kFlickVelocity = 0.5;

}  // namespace

// Buttons tapped.

void SWTableViewCell::leftUtilityButtonHandler(SWUtilityButtonTapGestureRecognizer& recognizer) {
    if (auto d = delegate()) {
        d->swipeableTableViewCell_didTriggerLeftUtilityButtonWithIndex(
            *this, static_cast<long>(recognizer.buttonIndex()));
    }
}

void SWTableViewCell::rightUtilityButtonHandler(SWUtilityButtonTapGestureRecognizer& recognizer) {
    if (auto d = delegate()) {
        d->swipeableTableViewCell_didTriggerRightUtilityButtonWithIndex(
            *this, static_cast<long>(recognizer.buttonIndex()));
    }
}

// The swipe.

void SWTableViewCell::scrollViewDidScroll(ui::ScrollView& scrollView) {
    const auto d = delegate();
    const double leftWidth = leftUtilityButtonsWidth();
    auto holdAt = [&](double x) { scrollView.setContentOffset({x, 0}); };
    if (scrollView.contentOffset().x > leftWidth) {
        if (m_rightUtilityButtons.empty() || rightUtilityButtonsWidth() <= 0) {
            holdAt(leftWidth);
            m_tapGestureRecognizer->setEnabled(true);
        } else if (d &&
                   d->swipeableTableViewCell_canSwipeToState(*this, kCellStateRight) == false) {
            holdAt(leftWidth);
        }
    } else {
        if (m_leftUtilityButtons.empty() || leftWidth <= 0) {
            holdAt(0);
            m_tapGestureRecognizer->setEnabled(true);
        } else if (d && d->swipeableTableViewCell_canSwipeToState(*this, kCellStateLeft) == false) {
            holdAt(leftWidth);
        }
    }
    updateCellState();
    if (d) d->swipeableTableViewCell_didScroll(*this, scrollView);
}

void SWTableViewCell::scrollViewWillBeginDragging(ui::ScrollView&) {
    // A finger on the row takes over from an animated show or hide.
    m_scrollAnimating = false;
}

SWCellState SWTableViewCell::releaseState(ui::Point velocity, double targetX) const {
    if (velocity.x >= kFlickVelocity) {
        const bool noRight = m_rightUtilityButtons.empty() || rightUtilityButtonsWidth() == 0;
        return m_cellState == kCellStateLeft || noRight ? kCellStateCenter : kCellStateRight;
    }
    if (velocity.x <= -kFlickVelocity) {
        const bool noLeft = m_leftUtilityButtons.empty() || leftUtilityButtonsWidth() == 0;
        return m_cellState == kCellStateRight || noLeft ? kCellStateCenter : kCellStateLeft;
    }
    if (targetX > contentOffsetForCellState(kCellStateRight).x - rightUtilityButtonsWidth() / 2) {
        return kCellStateRight;
    }
    if (targetX < contentOffsetForCellState(kCellStateLeft).x + leftUtilityButtonsWidth() / 2) {
        return kCellStateLeft;
    }
    return kCellStateCenter;
}

void SWTableViewCell::scrollViewWillEndDragging(ui::ScrollView&, ui::Point velocity,
                                                ui::Point& targetContentOffset) {
    m_cellState = releaseState(velocity, targetContentOffset.x);
    const auto d = delegate();
    if (d) d->swipeableTableViewCell_scrollingToState(*this, m_cellState);
    if (m_cellState != kCellStateCenter && d &&
        d->swipeableTableViewCellShouldHideUtilityButtonsOnSwipe(*this)) {
        hideOtherCells();
    }
    targetContentOffset = contentOffsetForCellState(m_cellState);
}

void SWTableViewCell::hideOtherCells() {
    const auto d = delegate();
    ui::TableView* table = containingTableView();
    if (!d || !table) return;
    for (const auto& visible : table->visibleCells()) {
        auto* cell = dynamic_cast<SWTableViewCell*>(visible.get());
        if (cell && cell != this &&
            d->swipeableTableViewCellShouldHideUtilityButtonsOnSwipe(*cell).value_or(false)) {
            cell->hideUtilityButtonsAnimated(true);
        }
    }
}

void SWTableViewCell::scrollViewDidEndDragging(ui::ScrollView&, bool willDecelerate) {
    if (!willDecelerate) m_tapGestureRecognizer->setEnabled(true);
}

void SWTableViewCell::scrollViewDidEndDecelerating(ui::ScrollView&) {
    updateCellState();
    if (auto d = delegate()) d->swipeableTableViewCellDidEndScrolling(*this);
}

void SWTableViewCell::scrollViewDidEndScrollingAnimation(ui::ScrollView&) {
    m_scrollAnimating = false;
    updateCellState();
    if (auto d = delegate()) d->swipeableTableViewCellDidEndScrolling(*this);
}

// The table.

ui::TableView* SWTableViewCell::containingTableView() const {
    return static_cast<ui::TableView*>(m_containingTableView.lock().get());
}

void SWTableViewCell::didMoveToSuperview() {
    ui::TableViewCell::didMoveToSuperview();
    setContainingTableView(nullptr);
    for (ui::View* view = superview(); view; view = view->superview()) {
        if (auto* table = dynamic_cast<ui::TableView*>(view)) {
            setContainingTableView(table);
            return;
        }
    }
}

void SWTableViewCell::setContainingTableView(ui::TableView* tableView) {
    m_tablePanObservation.cancel();
    m_containingTableView.reset();
    m_tableViewPanGestureRecognizer.reset();
    if (!tableView) return;
    m_containingTableView = tableView->weak_from_this();
    ui::GestureRecognizer& pan = tableView->panGestureRecognizer();
    m_tableViewPanGestureRecognizer = pan.weak_from_this();
    if (auto source = tableView->dataSource()) {
        if (const auto titles = source->sectionIndexTitlesForTableView(*tableView)) {
            m_additionalRightPadding = titles->empty() ? 0 : kSectionIndexWidth;
            setNeedsLayout();  // the content size and the right offset depend on it
        }
    }
    tableView->setDirectionalLockEnabled(true);
    const auto required = m_tapGestureRecognizer->requiredToFail();
    if (std::find_if(required.begin(), required.end(),
                     [&](const auto& r) { return r.get() == &pan; }) == required.end()) {
        m_tapGestureRecognizer->requireGestureRecognizerToFail(pan);
    }
    m_tablePanObservation =
        pan.addObserver("state", 0, [this](const ui::ObservedChange&) { tablePanStateChanged(); });
}

void SWTableViewCell::tablePanStateChanged() {
    const auto pan = m_tableViewPanGestureRecognizer.lock();
    ui::TableView* table = containingTableView();
    if (!pan || !table || pan->state() != ui::UIGestureRecognizerStateBegan) return;
    if (frame().contains(pan->locationInView(table)) || m_cellState == kCellStateCenter) {
        return;
    }
    const auto d = delegate();
    if (d && d->swipeableTableViewCellShouldHideUtilityButtonsOnSwipe(*this).value_or(false)) {
        hideUtilityButtonsAnimated(true);
    }
}

// Taps and presses.

void SWTableViewCell::scrollViewTapped() {
    if (m_cellState != kCellStateCenter) {
        hideUtilityButtonsAnimated(true);
        return;
    }
    if (isSelected()) {
        deselectCell();
    } else if (shouldHighlight()) {
        selectCell();
    }
}

void SWTableViewCell::scrollViewPressed() {
    switch (m_longPressGestureRecognizer->state()) {
        case ui::UIGestureRecognizerStateBegan:
            if (!isHighlighted() && shouldHighlight()) setHighlighted(true, false);
            break;
        case ui::UIGestureRecognizerStateEnded:
            setHighlighted(false, false);
            scrollViewTapped();
            break;
        case ui::UIGestureRecognizerStateCancelled:
            setHighlighted(false, false);
            break;
        default:
            break;
    }
}

bool SWTableViewCell::shouldHighlight() {
    ui::TableView* table = containingTableView();
    const auto path = table ? table->indexPathForCell(*this) : std::nullopt;
    const auto d = table ? table->delegate() : nullptr;
    if (!path || !d) return true;
    return d->tableView_shouldHighlightRowAtIndexPath(*table, *path).value_or(true);
}

void SWTableViewCell::selectCell() {
    if (m_cellState != kCellStateCenter) return;
    ui::TableView* table = containingTableView();
    const auto path = table ? table->indexPathForCell(*this) : std::nullopt;
    if (!path) return;
    const auto d = table->delegate();
    const auto chosen = d ? d->tableView_willSelectRowAtIndexPath(*table, *path).value_or(path)
                          : std::optional<ui::IndexPath>(path);
    if (!chosen) return;
    table->selectRowAtIndexPath(chosen, false, ui::UITableViewScrollPositionNone);
    if (d) d->tableView_didSelectRowAtIndexPath(*table, *chosen);
}

void SWTableViewCell::deselectCell() {
    if (m_cellState != kCellStateCenter) return;
    ui::TableView* table = containingTableView();
    const auto path = table ? table->indexPathForCell(*this) : std::nullopt;
    if (!path) return;
    const auto d = table->delegate();
    const auto chosen = d ? d->tableView_willDeselectRowAtIndexPath(*table, *path).value_or(path)
                          : std::optional<ui::IndexPath>(path);
    if (!chosen) return;
    table->deselectRowAtIndexPath(*chosen, false);
    if (d) d->tableView_didDeselectRowAtIndexPath(*table, *chosen);
}

// Gestures.

std::optional<bool> SWTableViewCell::gestureRecognizerShouldRecognizeSimultaneouslyWith(
    ui::GestureRecognizer& recognizer, ui::GestureRecognizer& other) {
    const auto pan = m_tableViewPanGestureRecognizer.lock();
    ui::GestureRecognizer* press = m_longPressGestureRecognizer.get();
    return pan && ((&recognizer == pan.get() && &other == press) ||
                   (&recognizer == press && &other == pan.get()));
}

std::optional<bool> SWTableViewCell::gestureRecognizerShouldReceiveTouch(ui::GestureRecognizer&,
                                                                         const ui::Touch& touch) {
    return !dynamic_cast<ui::Control*>(touch.view());
}

}  // namespace ov
