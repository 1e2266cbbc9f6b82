#pragma once
// A table row that swipes sideways to show utility buttons on its left or right. The row's
// content rides on a horizontal scroll view (SWCellScrollView), so the swipe, its glide and
// the snap to a side use the scroll view's physics; the cell decides where it snaps when the
// finger lifts.
//
//   auto cell = std::make_shared<ov::SWTableViewCell>(ov::ui::UITableViewCellStyleDefault, "Row");
//   ov::SWUtilityButtons right;
//   ov::NSMutableArray_SWUtilityButtons::sw_addUtilityButtonWithColor(right, red, "Delete");
//   cell->setRightUtilityButtons(right);                // 90 points per button
//   cell->setDelegate(controller);                      // held weakly
//   cell->showRightUtilityButtonsAnimated(true);
//
// Offsets of the scroll view per state: centre at the left buttons' width, left at 0, right
// at both widths together. The row's taps select it through the table's delegate, as the
// table itself would. Hold cells in std::shared_ptr. Main thread only.
//
// Names: the delegate's operations share their first keyword, so each carries the keyword
// that tells it apart (swipeableTableViewCell:scrollingToState: is
// swipeableTableViewCell_scrollingToState).

#include <memory>
#include <optional>

#include "orvane/components/SWCellScrollView.h"
#include "orvane/components/SWUtilityButtonView.h"
#include "orvane/platform/ui/containers/TableView.h"
#include "orvane/platform/ui/containers/TableViewCell.h"
#include "orvane/platform/ui/input/GestureRecognizer.h"
#include "orvane/platform/ui/input/TapGestureRecognizer.h"
#include "orvane/platform/ui/layout/LayoutConstraint.h"

namespace ov {

class SWLongPressGestureRecognizer;
class SWTableViewCell;
class SWUtilityButtonTapGestureRecognizer;

enum SWCellState : int { kCellStateCenter, kCellStateLeft, kCellStateRight };

// Every operation is optional: the void ones do nothing unless overridden, the others answer
// none for "not implemented".
class SWTableViewCellDelegate {
  public:
    virtual ~SWTableViewCellDelegate() = default;
    virtual void swipeableTableViewCell_didTriggerLeftUtilityButtonWithIndex(SWTableViewCell&,
                                                                             long index) {
        (void)index;
    }
    virtual void swipeableTableViewCell_didTriggerRightUtilityButtonWithIndex(SWTableViewCell&,
                                                                              long index) {
        (void)index;
    }
    virtual void swipeableTableViewCell_scrollingToState(SWTableViewCell&, SWCellState state) {
        (void)state;
    }
    virtual std::optional<bool> swipeableTableViewCellShouldHideUtilityButtonsOnSwipe(
        SWTableViewCell&) {
        return std::nullopt;
    }
    virtual std::optional<bool> swipeableTableViewCell_canSwipeToState(SWTableViewCell&,
                                                                       SWCellState state) {
        (void)state;
        return std::nullopt;
    }
    virtual void swipeableTableViewCellDidEndScrolling(SWTableViewCell&) {}
    virtual void swipeableTableViewCell_didScroll(SWTableViewCell&, ui::ScrollView& scrollView) {
        (void)scrollView;
    }
};

class SWTableViewCell : public ui::TableViewCell,
                        public ui::ScrollViewDelegate,
                        public ui::GestureRecognizerDelegate {
  public:
    static constexpr double kLongPressMinimumDuration = 0.16;
    static constexpr double kSectionIndexWidth = 15;

    // initWithStyle:reuseIdentifier:
    explicit SWTableViewCell(ui::UITableViewCellStyle style = ui::UITableViewCellStyleDefault,
                             std::optional<String> reuseIdentifier = std::nullopt);
    ~SWTableViewCell() override;

    const SWUtilityButtons& leftUtilityButtons() const { return m_leftUtilityButtons; }
    const SWUtilityButtons& rightUtilityButtons() const { return m_rightUtilityButtons; }
    // Nothing happens when the list equals the current one (sw_isEqualToButtons).
    void setLeftUtilityButtons(const SWUtilityButtons& buttons);
    void setRightUtilityButtons(const SWUtilityButtons& buttons);
    void setLeftUtilityButtons(const SWUtilityButtons& buttons, double WithButtonWidth);
    void setRightUtilityButtons(const SWUtilityButtons& buttons, double WithButtonWidth);

    std::shared_ptr<SWTableViewCellDelegate> delegate() const { return m_delegate.lock(); }
    void setDelegate(const std::shared_ptr<SWTableViewCellDelegate>& delegate) {
        m_delegate = delegate;
    }
    // The table found above the cell; null when none.
    ui::TableView* containingTableView() const;
    void setContainingTableView(ui::TableView* tableView);

    SWCellState cellState() const { return m_cellState; }
    bool isUtilityButtonsHidden() const { return m_cellState == kCellStateCenter; }
    void showLeftUtilityButtonsAnimated(bool animated);
    void showRightUtilityButtonsAnimated(bool animated);
    void hideUtilityButtonsAnimated(bool animated);

    // Extra width on the right (the section index's), 0 or kSectionIndexWidth.
    double additionalRightPadding() const { return m_additionalRightPadding; }
    double leftUtilityButtonsWidth() const;
    double rightUtilityButtonsWidth() const;
    double utilityButtonsPadding() const;
    ui::Point contentOffsetForCellState(SWCellState state) const;

    SWCellScrollView& cellScrollView() const { return *m_cellScrollView; }
    SWUtilityButtonView& leftUtilityButtonsView() const { return *m_leftUtilityButtonsView; }
    SWUtilityButtonView& rightUtilityButtonsView() const { return *m_rightUtilityButtonsView; }
    ui::View& leftUtilityClipView() const { return *m_leftUtilityClipView; }
    ui::View& rightUtilityClipView() const { return *m_rightUtilityClipView; }
    ui::LayoutConstraint& leftUtilityClipConstraint() const { return *m_leftUtilityClipConstraint; }
    ui::LayoutConstraint& rightUtilityClipConstraint() const {
        return *m_rightUtilityClipConstraint;
    }
    ui::TapGestureRecognizer& tapGestureRecognizer() const;
    SWLongPressGestureRecognizer& longPressGestureRecognizer() const;

    // TableViewCell.
    void setFrame(const ui::Rect& frame) override;
    void layoutSubviews() override;
    void prepareForReuse() override;
    void didTransitionToState(ui::UITableViewCellStateMask state) override;
    void setSelected(bool selected, bool animated = false) override;
    void didMoveToSuperview() override;

    // Button taps, sent by each side's button view.
    void leftUtilityButtonHandler(SWUtilityButtonTapGestureRecognizer& recognizer);
    void rightUtilityButtonHandler(SWUtilityButtonTapGestureRecognizer& recognizer);

    // ScrollViewDelegate, for the cell's own scroll view.
    void scrollViewDidScroll(ui::ScrollView& scrollView) override;
    void scrollViewWillBeginDragging(ui::ScrollView& scrollView) override;
    void scrollViewWillEndDragging(ui::ScrollView& scrollView, ui::Point velocity,
                                   ui::Point& targetContentOffset) override;
    void scrollViewDidEndDragging(ui::ScrollView& scrollView, bool willDecelerate) override;
    void scrollViewDidEndDecelerating(ui::ScrollView& scrollView) override;
    void scrollViewDidEndScrollingAnimation(ui::ScrollView& scrollView) override;

    // GestureRecognizerDelegate, for the tap and the long press.
    std::optional<bool> gestureRecognizerShouldRecognizeSimultaneouslyWith(
        ui::GestureRecognizer& recognizer, ui::GestureRecognizer& other) override;
    std::optional<bool> gestureRecognizerShouldReceiveTouch(ui::GestureRecognizer& recognizer,
                                                            const ui::Touch& touch) override;

  private:
    class Forwarder;

    void initializer();
    void moveContentIntoScrollView();
    void pinScrollView();
    void makeUtilityViews();
    void placeUtilityViews(const std::shared_ptr<ui::View>& clipView,
                           const std::shared_ptr<SWUtilityButtonView>& buttonView,
                           const std::shared_ptr<ui::LayoutConstraint>& clipConstraint,
                           ui::LayoutAttribute alignment);
    void setUtilityButtons(SWUtilityButtons& side, SWUtilityButtonView& view,
                           const SWUtilityButtons& buttons, double buttonWidth);
    void showState(SWCellState state, bool animated);
    void updateCellState();
    void moveAccessory(const ui::Rect& content);
    SWCellState releaseState(ui::Point velocity, double targetX) const;
    void hideOtherCells();
    void tablePanStateChanged();
    void scrollViewTapped();
    void scrollViewPressed();
    bool shouldHighlight();
    void selectCell();
    void deselectCell();

    SWUtilityButtons m_leftUtilityButtons;
    SWUtilityButtons m_rightUtilityButtons;
    std::weak_ptr<SWTableViewCellDelegate> m_delegate;
    std::weak_ptr<ui::View> m_containingTableView;
    std::weak_ptr<ui::GestureRecognizer> m_tableViewPanGestureRecognizer;
    ui::ObservationToken m_tablePanObservation;
    SWCellState m_cellState = kCellStateCenter;
    double m_additionalRightPadding = 0;
    std::shared_ptr<Forwarder> m_forwarder;
    std::shared_ptr<SWCellScrollView> m_cellScrollView;
    std::shared_ptr<ui::View> m_contentCellView;
    std::shared_ptr<SWUtilityButtonView> m_leftUtilityButtonsView;
    std::shared_ptr<SWUtilityButtonView> m_rightUtilityButtonsView;
    std::shared_ptr<ui::View> m_leftUtilityClipView;
    std::shared_ptr<ui::View> m_rightUtilityClipView;
    std::shared_ptr<ui::LayoutConstraint> m_leftUtilityClipConstraint;
    std::shared_ptr<ui::LayoutConstraint> m_rightUtilityClipConstraint;
    std::shared_ptr<SWLongPressGestureRecognizer> m_longPressGestureRecognizer;
    std::shared_ptr<ui::TapGestureRecognizer> m_tapGestureRecognizer;
    bool m_layoutUpdating = false;
    // An animated show or hide is moving the scroll view.
    bool m_scrollAnimating = false;
};

}  // namespace ov
