#include "orvane/components/SWTableViewCell.h"

#include <algorithm>
#include <cmath>

#include "orvane/components/NSArray+SWUtilityButtons.h"
#include "orvane/components/SWLongPressGestureRecognizer.h"
#include "orvane/components/SWUtilityButtonTapGestureRecognizer.h"

namespace ov {

using ui::LayoutAttribute;
using ui::LayoutConstraint;

namespace {

std::shared_ptr<LayoutConstraint> equalEdges(ui::View& view, ui::View& other,
                                             LayoutAttribute attribute) {
    return LayoutConstraint::constraintWithItem(&view, attribute, ui::LayoutRelation::equal, &other,
                                                attribute, 1, 0);
}

}  // namespace

// The scroll view and the recognisers hold their delegates weakly and the cell cannot hand
// out a shared pointer to itself while it is being made, so a small owned object stands in.
class SWTableViewCell::Forwarder final : public ui::ScrollViewDelegate,
                                         public ui::GestureRecognizerDelegate {
  public:
    explicit Forwarder(SWTableViewCell& cell) : m_cell(cell) {}

    void scrollViewDidScroll(ui::ScrollView& s) override { m_cell.scrollViewDidScroll(s); }
    void scrollViewWillBeginDragging(ui::ScrollView& s) override {
        m_cell.scrollViewWillBeginDragging(s);
    }
    void scrollViewWillEndDragging(ui::ScrollView& s, ui::Point velocity,
                                   ui::Point& target) override {
        m_cell.scrollViewWillEndDragging(s, velocity, target);
    }
    void scrollViewDidEndDragging(ui::ScrollView& s, bool willDecelerate) override {
        m_cell.scrollViewDidEndDragging(s, willDecelerate);
    }
    void scrollViewDidEndDecelerating(ui::ScrollView& s) override {
        m_cell.scrollViewDidEndDecelerating(s);
    }
    void scrollViewDidEndScrollingAnimation(ui::ScrollView& s) override {
        m_cell.scrollViewDidEndScrollingAnimation(s);
    }
    std::optional<bool> gestureRecognizerShouldRecognizeSimultaneouslyWith(
        ui::GestureRecognizer& recognizer, ui::GestureRecognizer& other) override {
        return m_cell.gestureRecognizerShouldRecognizeSimultaneouslyWith(recognizer, other);
    }
    std::optional<bool> gestureRecognizerShouldReceiveTouch(ui::GestureRecognizer& recognizer,
                                                            const ui::Touch& touch) override {
        return m_cell.gestureRecognizerShouldReceiveTouch(recognizer, touch);
    }

  private:
    SWTableViewCell& m_cell;
};

SWTableViewCell::SWTableViewCell(ui::UITableViewCellStyle style,
                                 std::optional<String> reuseIdentifier)
    : ui::TableViewCell(style, std::move(reuseIdentifier)) {
    initializer();
}

SWTableViewCell::~SWTableViewCell() {
    m_cellScrollView->setDelegate(nullptr);
    m_tablePanObservation.cancel();
    m_tapGestureRecognizer->removeTarget(this);
    m_longPressGestureRecognizer->removeTarget(this);
    m_leftUtilityButtonsView->setParentCell(nullptr);
    m_rightUtilityButtonsView->setParentCell(nullptr);
}

// Set-up.

void SWTableViewCell::initializer() {
    m_layoutUpdating = false;
    m_forwarder = std::make_shared<Forwarder>(*this);
    m_cellScrollView = std::make_shared<SWCellScrollView>();
    m_cellScrollView->setTranslatesAutoresizingMaskIntoConstraints(false);
    m_cellScrollView->setDelegate(m_forwarder);
    m_cellScrollView->setShowsHorizontalScrollIndicator(false);
    m_cellScrollView->setScrollsToTop(false);
    m_cellScrollView->setScrollEnabled(true);
    m_contentCellView = std::make_shared<ui::View>();
    m_cellScrollView->addSubview(m_contentCellView);

    moveContentIntoScrollView();
    pinScrollView();

    m_tapGestureRecognizer = std::make_shared<ui::TapGestureRecognizer>();
    m_tapGestureRecognizer->addTarget(this, [this](ui::GestureRecognizer&) { scrollViewTapped(); });
    m_tapGestureRecognizer->setCancelsTouchesInView(false);
    m_tapGestureRecognizer->setDelegate(m_forwarder);
    ui::addGestureRecognizer(*m_cellScrollView, m_tapGestureRecognizer);

    m_longPressGestureRecognizer = std::make_shared<SWLongPressGestureRecognizer>();
    m_longPressGestureRecognizer->addTarget(
        this, [this](ui::GestureRecognizer&) { scrollViewPressed(); });
    m_longPressGestureRecognizer->setCancelsTouchesInView(false);
    m_longPressGestureRecognizer->setMinimumPressDuration(kLongPressMinimumDuration);
    m_longPressGestureRecognizer->setDelegate(m_forwarder);
    ui::addGestureRecognizer(*m_cellScrollView, m_longPressGestureRecognizer);

    makeUtilityViews();
}

void SWTableViewCell::moveContentIntoScrollView() {
    // When the first subview is not the content view it is a wrapper holding the content.
    ui::View* first = subviews().empty() ? nullptr : subviews().front().get();
    const auto moving = first && !dynamic_cast<ui::TableViewCellContentView*>(first)
                            ? first->subviews()
                            : subviews();
    insertSubview(m_cellScrollView, 0);
    for (const auto& view : moving)
        m_contentCellView->addSubview(view);
}

void SWTableViewCell::pinScrollView() {
    LayoutConstraint::List pins;
    for (LayoutAttribute edge : {LayoutAttribute::top, LayoutAttribute::bottom,
                                 LayoutAttribute::left, LayoutAttribute::right}) {
        pins.push_back(equalEdges(*m_cellScrollView, *this, edge));
    }
    LayoutConstraint::activateConstraints(pins);
}

void SWTableViewCell::makeUtilityViews() {
    m_leftUtilityClipView = std::make_shared<ui::View>();
    m_leftUtilityClipConstraint = LayoutConstraint::constraintWithItem(
        m_leftUtilityClipView.get(), LayoutAttribute::right, ui::LayoutRelation::equal, this,
        LayoutAttribute::left, 1, 0);
    m_leftUtilityButtonsView = std::make_shared<SWUtilityButtonView>(
        this, [](SWTableViewCell& cell, SWUtilityButtonTapGestureRecognizer& tap) {
            cell.leftUtilityButtonHandler(tap);
        });

    m_rightUtilityClipView = std::make_shared<ui::View>(bounds());
    m_rightUtilityClipConstraint = LayoutConstraint::constraintWithItem(
        m_rightUtilityClipView.get(), LayoutAttribute::left, ui::LayoutRelation::equal, this,
        LayoutAttribute::right, 1, 0);
    m_rightUtilityButtonsView = std::make_shared<SWUtilityButtonView>(
        this, [](SWTableViewCell& cell, SWUtilityButtonTapGestureRecognizer& tap) {
            cell.rightUtilityButtonHandler(tap);
        });

    placeUtilityViews(m_rightUtilityClipView, m_rightUtilityButtonsView,
                      m_rightUtilityClipConstraint, LayoutAttribute::right);
    placeUtilityViews(m_leftUtilityClipView, m_leftUtilityButtonsView, m_leftUtilityClipConstraint,
                      LayoutAttribute::left);
}

void SWTableViewCell::placeUtilityViews(const std::shared_ptr<ui::View>& clipView,
                                        const std::shared_ptr<SWUtilityButtonView>& buttonView,
                                        const std::shared_ptr<LayoutConstraint>& clipConstraint,
                                        LayoutAttribute alignment) {
    clipConstraint->setPriority(ui::UILayoutPriorityDefaultHigh);
    clipView->setTranslatesAutoresizingMaskIntoConstraints(false);
    clipView->setClipsToBounds(true);
    addSubview(clipView);
    LayoutConstraint::activateConstraints({equalEdges(*clipView, *this, LayoutAttribute::top),
                                           equalEdges(*clipView, *this, LayoutAttribute::bottom),
                                           equalEdges(*clipView, *this, alignment),
                                           clipConstraint});

    clipView->addSubview(buttonView);
    LayoutConstraint::activateConstraints(
        {equalEdges(*buttonView, *clipView, LayoutAttribute::top),
         equalEdges(*buttonView, *clipView, LayoutAttribute::bottom),
         equalEdges(*buttonView, *clipView, alignment),
         LayoutConstraint::constraintWithItem(buttonView.get(), LayoutAttribute::width,
                                              ui::LayoutRelation::lessThanOrEqual, &contentView(),
                                              LayoutAttribute::width, 1, 0)});
}

// Buttons.

void SWTableViewCell::setUtilityButtons(SWUtilityButtons& side, SWUtilityButtonView& view,
                                        const SWUtilityButtons& buttons, double buttonWidth) {
    side = buttons;
    view.setUtilityButtons(buttons, buttonWidth);
    view.layoutIfNeeded();
    setNeedsLayout();
    layoutIfNeeded();
}

void SWTableViewCell::setLeftUtilityButtons(const SWUtilityButtons& buttons) {
    if (NSArray_SWUtilityButtons::sw_isEqualToButtons(m_leftUtilityButtons, buttons)) return;
    setUtilityButtons(m_leftUtilityButtons, *m_leftUtilityButtonsView, buttons,
                      SWUtilityButtonView::kDefaultButtonWidth);
}

void SWTableViewCell::setRightUtilityButtons(const SWUtilityButtons& buttons) {
    if (NSArray_SWUtilityButtons::sw_isEqualToButtons(m_rightUtilityButtons, buttons)) return;
    setUtilityButtons(m_rightUtilityButtons, *m_rightUtilityButtonsView, buttons,
                      SWUtilityButtonView::kDefaultButtonWidth);
}

void SWTableViewCell::setLeftUtilityButtons(const SWUtilityButtons& buttons,
                                            double WithButtonWidth) {
    setUtilityButtons(m_leftUtilityButtons, *m_leftUtilityButtonsView, buttons, WithButtonWidth);
}

void SWTableViewCell::setRightUtilityButtons(const SWUtilityButtons& buttons,
                                             double WithButtonWidth) {
    setUtilityButtons(m_rightUtilityButtons, *m_rightUtilityButtonsView, buttons, WithButtonWidth);
}

ui::TapGestureRecognizer& SWTableViewCell::tapGestureRecognizer() const {
    return *m_tapGestureRecognizer;
}

SWLongPressGestureRecognizer& SWTableViewCell::longPressGestureRecognizer() const {
    return *m_longPressGestureRecognizer;
}

// Geometry.

double SWTableViewCell::leftUtilityButtonsWidth() const {
    return std::round(m_leftUtilityButtonsView->frame().width());
}

double SWTableViewCell::rightUtilityButtonsWidth() const {
    return std::round(m_rightUtilityButtonsView->frame().width() + m_additionalRightPadding);
}

double SWTableViewCell::utilityButtonsPadding() const {
    return leftUtilityButtonsWidth() + rightUtilityButtonsWidth();
}

ui::Point SWTableViewCell::contentOffsetForCellState(SWCellState state) const {
    switch (state) {
        case kCellStateLeft:
            return {0, 0};
        case kCellStateRight:
            return {utilityButtonsPadding(), 0};
        case kCellStateCenter:
            break;
    }
    return {leftUtilityButtonsWidth(), 0};
}

// Showing and hiding.

void SWTableViewCell::showState(SWCellState state, bool animated) {
    if (m_cellState == state) return;
    m_scrollAnimating = animated;
    m_cellScrollView->setContentOffset(contentOffsetForCellState(state), animated);
    if (auto d = delegate()) d->swipeableTableViewCell_scrollingToState(*this, state);
}

void SWTableViewCell::showLeftUtilityButtonsAnimated(bool animated) {
    showState(kCellStateLeft, animated);
}

void SWTableViewCell::showRightUtilityButtonsAnimated(bool animated) {
    showState(kCellStateRight, animated);
}

void SWTableViewCell::hideUtilityButtonsAnimated(bool animated) {
    showState(kCellStateCenter, animated);
}

// Layout and state.

void SWTableViewCell::setFrame(const ui::Rect& frame) {
    m_layoutUpdating = true;
    const bool widthChanged = this->frame().width() != frame.width();
    ui::TableViewCell::setFrame(frame);
    if (widthChanged) layoutIfNeeded();
    m_layoutUpdating = false;
}

void SWTableViewCell::layoutSubviews() {
    ui::TableViewCell::layoutSubviews();
    ui::Rect content = contentView().frame();
    content.origin.x = leftUtilityButtonsWidth();
    m_contentCellView->setFrame(content);
    m_cellScrollView->setContentSize(
        {bounds().width() + utilityButtonsPadding(), bounds().height()});
    // An animated show or hide is under way; snapping now would undo its frames.
    if (!m_cellScrollView->isTracking() && !m_cellScrollView->isDecelerating() &&
        !m_scrollAnimating) {
        m_cellScrollView->setContentOffset(contentOffsetForCellState(m_cellState));
    }
    updateCellState();
}

void SWTableViewCell::updateCellState() {
    if (m_layoutUpdating) return;
    const ui::Point offset = m_cellScrollView->contentOffset();
    for (SWCellState state : {kCellStateCenter, kCellStateLeft, kCellStateRight}) {
        if (offset == contentOffsetForCellState(state)) {
            m_cellState = state;
            break;
        }
    }

    // Each clip view opens as far as the content has moved away from its side.
    ui::Rect content = contentView().convertRect_toView(contentView().bounds(), this);
    content.size.width = bounds().width();
    m_leftUtilityClipConstraint->setConstant(std::max(content.minX() - bounds().minX(), 0.0));
    m_rightUtilityClipConstraint->setConstant(std::min(content.maxX() - bounds().maxX(), 0.0));

    if (isEditing()) {
        m_leftUtilityClipConstraint->setConstant(0);
        m_cellScrollView->setContentOffset({leftUtilityButtonsWidth(), 0});
        m_cellState = kCellStateCenter;
    }
    m_leftUtilityClipView->setHidden(m_leftUtilityClipConstraint->constant() == 0);
    m_rightUtilityClipView->setHidden(m_rightUtilityClipConstraint->constant() == 0);

    if ((accessoryType() != ui::UITableViewCellAccessoryNone || accessoryView()) && !isEditing()) {
        moveAccessory(content);
    }

    if (m_cellScrollView->isDragging() || m_cellScrollView->isDecelerating()) {
        m_tapGestureRecognizer->setEnabled(false);
        m_longPressGestureRecognizer->setEnabled(false);
    } else {
        m_tapGestureRecognizer->setEnabled(true);
        m_longPressGestureRecognizer->setEnabled(m_cellState == kCellStateCenter);
    }
    m_cellScrollView->setScrollEnabled(!isEditing());
}

void SWTableViewCell::moveAccessory(const ui::Rect& content) {
    // The accessory stays on the cell itself, so it follows the content by hand.
    ui::View* accessory = subviews().back().get();
    if (accessory == m_cellScrollView.get() || accessory == m_leftUtilityClipView.get() ||
        accessory == m_rightUtilityClipView.get()) {
        return;
    }
    ui::Rect frame = accessory->frame();
    frame.origin.x = bounds().width() - frame.width() - kAccessoryMargin + content.minX();
    accessory->setFrame(frame);
}

void SWTableViewCell::prepareForReuse() {
    ui::TableViewCell::prepareForReuse();
    hideUtilityButtonsAnimated(false);
}

void SWTableViewCell::didTransitionToState(ui::UITableViewCellStateMask state) {
    ui::TableViewCell::didTransitionToState(state);
    if (state == ui::UITableViewCellStateDefaultMask) {
        setNeedsLayout();
        layoutIfNeeded();
    }
}

void SWTableViewCell::setSelected(bool selected, bool animated) {
    m_leftUtilityButtonsView->pushBackgroundColors();
    m_rightUtilityButtonsView->pushBackgroundColors();
    ui::TableViewCell::setSelected(selected, animated);
    m_leftUtilityButtonsView->popBackgroundColors();
    m_rightUtilityButtonsView->popBackgroundColors();
}

}  // namespace ov
