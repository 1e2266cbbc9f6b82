#include "orvane/components/MKDropdownMenu.h"

#include <algorithm>
#include <cmath>

#include "ComponentAssert.h"
#include "orvane/components/UIColor+MKDropdownMenu.h"
#include "orvane/platform/ui/containers/ScrollView.h"
#include "orvane/platform/ui/drawing/GraphicsContext.h"
#include "orvane/platform/ui/views/Window.h"
#include "orvane/platform/values/Format.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {

namespace {

// A small grey chevron pointing down.
std::shared_ptr<Image> defaultDisclosureIndicator() {
    constexpr ui::Size size{10, 6};
    ui::UIGraphicsBeginImageContextWithOptions(size, false, 0);
    if (auto* context = ui::UIGraphicsGetCurrentContext()) {
        ui::Path chevron;
        chevron.moveToPoint({1, 1});
        chevron.addLineToPoint({5, 5});
        chevron.addLineToPoint({9, 1});
        context->setStrokeColor(ui::Color::colorWithWhite(0.45, 1));
        context->setLineWidth(1.5);
        context->setLineCap(ui::LineCap::Round);
        context->setLineJoin(ui::LineJoin::Round);
        context->strokePath(chevron);
    }
    auto image = ui::UIGraphicsGetImageFromCurrentImageContext();
    ui::UIGraphicsEndImageContext();
    return image;
}

// With adjustsContentOffset, a presenting scroll view is scrolled (within its content) so that
// the bar sits at the edge of its visible area and the table gets all the room there is.
void bringBarToEdge(ui::ScrollView& scroll, const ui::Rect& bar, bool above) {
    const ui::EdgeInsets inset = scroll.contentInset();
    const double height = scroll.bounds().height();
    const double lowest = -inset.top;
    const double highest = std::max(scroll.contentSize().height + inset.bottom - height, lowest);
    const double wanted = above ? bar.maxY() - height + inset.bottom : bar.minY() - inset.top;
    scroll.setContentOffset({scroll.contentOffset().x, std::clamp(wanted, lowest, highest)});
}

}  // namespace

MKDropdownMenu::MKDropdownMenu(const ui::Rect& frame)
    : ui::View(frame),
      m_componentSeparatorColor(UIColor_MKDropdownMenu::mk_defaultSeparatorColor()),
      m_disclosureIndicatorImage(defaultDisclosureIndicator()),
      m_disclosureIndicatorSelectionRotation(M_PI),
      m_content(std::make_shared<MKDropdownMenuContentViewController>()) {
    setup();
}

void MKDropdownMenu::setup() {
    setBackgroundColor(ui::Color::whiteColor());
    m_content->setDelegate(this);
    m_content->loadViewIfNeeded();
    m_transition = std::make_unique<MKDropdownMenuTransition>(*this, *m_content);
}

MKDropdownMenu::~MKDropdownMenu() {
    m_transition->detach();
    m_content->setDelegate(nullptr);
    for (const auto& button : m_buttons)
        button->removeTarget(nullptr, std::nullopt, ui::UIControlEventAllEvents);
}

void MKDropdownMenu::setDataSource(const std::shared_ptr<MKDropdownMenuDataSource>& dataSource) {
    m_dataSource = dataSource;
    reloadAllComponents();
}

void MKDropdownMenu::setDelegate(const std::shared_ptr<MKDropdownMenuDelegate>& delegate) {
    m_delegate = delegate;
    updateAllButtons();
    setNeedsLayout();
}

// Checks.

bool MKDropdownMenu::checkComponent(long component) const {
    return components::check(component >= 0 && component < static_cast<long>(m_components.size()),
                             stringWithFormat("invalid component: %zd", component));
}

bool MKDropdownMenu::checkRow(long row, long component) const {
    return components::check(row >= 0 && row < m_components[static_cast<size_t>(component)],
                             stringWithFormat("invalid row: %zd", row));
}

long MKDropdownMenu::openComponentIndex() const {
    return m_selectedComponent == kNotFound ? -1 : static_cast<long>(m_selectedComponent);
}

// The model.

// A negative count is taken as no rows.
std::optional<long> MKDropdownMenu::askRowCount(MKDropdownMenuDataSource& source, long component) {
    const auto rows = source.dropdownMenu_numberOfRowsInComponent(*this, component);
    if (!components::check(rows.has_value(),
                           "required method `dropdownMenu:numberOfRowsInComponent:` in data "
                           "source not implemented")) {
        return std::nullopt;
    }
    return std::max(*rows, 0L);
}

// Every count is asked before anything changes, so a failed check leaves the model whole.
void MKDropdownMenu::setupComponents() {
    const auto source = dataSource();
    if (!source) return;
    const auto count = source->numberOfComponentsInDropdownMenu(*this);
    if (!components::check(count.has_value(),
                           "required method `numberOfComponentsInDropdownMenu:` "
                           "in data source not implemented")) {
        return;
    }
    std::vector<long> rows;
    for (long component = 0; component < *count; ++component) {
        const auto answer = askRowCount(*source, component);
        if (!answer) return;
        rows.push_back(*answer);
    }
    const size_t n = rows.size();
    m_components = std::move(rows);
    m_selectedRows.assign(n, {});
    while (m_buttons.size() < n) {
        auto button = std::make_shared<MKDropdownMenuComponentButton>();
        button->addAction(
            [this](ui::Control& sender) {
                selectedComponent(static_cast<MKDropdownMenuComponentButton*>(&sender));
            },
            ui::UIControlEventTouchUpInside);
        m_buttons.push_back(button);
        addSubview(button);
    }
    while (n > 0 && m_separators.size() < n - 1) {
        auto separator = std::make_shared<ui::View>();
        separator->setBackgroundColor(m_componentSeparatorColor);
        m_separators.push_back(separator);
        addSubview(separator);
    }
    for (; m_buttons.size() > n; m_buttons.pop_back())
        m_buttons.back()->removeFromSuperview();
    for (; m_separators.size() + 1 > std::max<size_t>(n, 1); m_separators.pop_back())
        m_separators.back()->removeFromSuperview();
}

void MKDropdownMenu::reloadAllComponents() {
    setupComponents();
    // The open component may be gone.
    if (openComponentIndex() >= static_cast<long>(m_components.size()))
        closeAllComponentsAnimated(false);
    updateAllButtons();
    setNeedsLayout();
    if (m_selectedComponent != kNotFound) m_content->updateData();
}

void MKDropdownMenu::reloadComponent(long component) {
    if (!checkComponent(component)) return;
    const auto source = dataSource();
    if (!source) return;
    const auto rows = askRowCount(*source, component);
    if (!rows) return;
    m_components[static_cast<size_t>(component)] = *rows;
    updateButton(*m_buttons[static_cast<size_t>(component)], component);
    if (component == openComponentIndex()) m_content->updateData();
}

long MKDropdownMenu::numberOfRowsInComponent(long component) const {
    if (!checkComponent(component)) return 0;
    return m_components[static_cast<size_t>(component)];
}

void MKDropdownMenu::selectRow(long row, long component) {
    if (!checkComponent(component) || !checkRow(row, component)) return;
    auto& selected = m_selectedRows[static_cast<size_t>(component)];
    IndexSet changed;
    if (!m_allowsMultipleRowsSelection) changed = std::exchange(selected, {});
    selected.insert(row);
    changed.insert(row);
    if (component == openComponentIndex()) m_content->updateDataAtIndexes(changed);
}

void MKDropdownMenu::deselectRow(long row, long component) {
    if (!checkComponent(component) || !checkRow(row, component)) return;
    m_selectedRows[static_cast<size_t>(component)].erase(row);
    if (component == openComponentIndex()) m_content->updateDataAtIndexes({row});
}

MKDropdownMenu::IndexSet MKDropdownMenu::selectedRowsInComponent(long component) const {
    if (!checkComponent(component)) return {};
    return m_selectedRows[static_cast<size_t>(component)];
}

std::shared_ptr<ui::View> MKDropdownMenu::viewForRow(long row, long component) const {
    if (!checkComponent(component) || component != openComponentIndex()) return nullptr;
    return m_content->customViewForRow(row);
}

// Opening and closing.

void MKDropdownMenu::openComponent(long component, bool animated) {
    if (!checkComponent(component) || component == openComponentIndex()) return;
    if (m_selectedComponent == kNotFound) {
        presentComponent(component, animated);
        return;
    }
    m_transition->dismissDropdownAnimated(
        animated, [this, component, animated] { presentComponent(component, animated); });
    // The content's willDisappear has closed it already; this only covers a dismissal that
    // did not reach the content.
    didClose();
}

void MKDropdownMenu::closeAllComponentsAnimated(bool animated) {
    m_transition->dismissDropdownAnimated(animated, [this] { didClose(); });
}

void MKDropdownMenu::selectedComponent(MKDropdownMenuComponentButton* sender) {
    if (m_transition->isAnimating()) return;
    if (!sender) {
        closeAllComponentsAnimated(true);
        return;
    }
    const auto found =
        std::find_if(m_buttons.begin(), m_buttons.end(),
                     [sender](const auto& button) { return button.get() == sender; });
    if (found == m_buttons.end()) return;
    const long index = static_cast<long>(found - m_buttons.begin());
    if (index != openComponentIndex()) {
        openComponent(index, true);
    } else {
        closeAllComponentsAnimated(true);
    }
}

ui::View* MKDropdownMenu::presentationHost() const {
    if (const auto view = presentingView()) return view.get();
    return window();
}

void MKDropdownMenu::presentComponent(long component, bool animated) {
    // A reload during the dismissal before may have taken the component away.
    if (component >= static_cast<long>(m_components.size())) return;
    ui::View* host = presentationHost();
    if (!host) {
        SystemLog::write("MKDropdownMenu: no presenting view or window to show the dropdown in");
        return;
    }
    const bool above = dropdownShowsContentAbove();
    ui::EdgeInsets inset;
    if (auto* scroll = dynamic_cast<ui::ScrollView*>(host)) {
        if (m_adjustsContentOffset)
            bringBarToEdge(*scroll, convertRect_toView(bounds(), scroll), above);
        if (m_adjustsContentInset) {
            inset.top = above ? scroll->contentInset().top : 0;
            inset.bottom = above ? 0 : scroll->contentInset().bottom;
        }
    }
    m_selectedComponent = component;
    const auto d = delegate();
    const double height =
        d ? d->dropdownMenu_rowHeightForComponent(*this, component).value_or(0) : 0;
    m_content->setContentInset(inset);
    m_content->setRowHeight(height > 0 ? height : kDefaultRowHeight);
    m_content->setHighlightColor(
        d ? d->dropdownMenu_backgroundColorForHighlightedRowsInComponent(*this, component)
          : std::nullopt);
    m_transition->presentDropdownInView(*host, animated, {});
    m_buttons[static_cast<size_t>(component)]->setSelected(true, animated);
    if (d) d->dropdownMenu_didOpenComponent(*this, component);
}

void MKDropdownMenu::didClose() {
    const int64_t closed = std::exchange(m_selectedComponent, kNotFound);
    if (closed != kNotFound) {
        if (const auto d = delegate())
            d->dropdownMenu_didCloseComponent(*this, static_cast<long>(closed));
    }
    for (const auto& button : m_buttons)
        button->setSelected(false);
}

// What the table asks.

long MKDropdownMenu::numberOfRows() {
    const long open = openComponentIndex();
    return open < 0 ? 0 : m_components[static_cast<size_t>(open)];
}

long MKDropdownMenu::maximumNumberOfRows() {
    const auto d = delegate();
    const long open = openComponentIndex();
    if (!d || open < 0) return 0;
    return std::max(d->dropdownMenu_maximumNumberOfRowsInComponent(*this, open).value_or(0), 0L);
}

std::optional<ui::AttributedString> MKDropdownMenu::attributedTitleForRow(long row) {
    const auto d = delegate();
    const long open = openComponentIndex();
    if (!d || open < 0) return std::nullopt;
    if (auto styled = d->dropdownMenu_attributedTitleForRow(*this, row, open)) return styled;
    if (auto plain = d->dropdownMenu_titleForRow(*this, row, open))
        return ui::AttributedString(*plain);
    return std::nullopt;
}

std::shared_ptr<ui::View> MKDropdownMenu::customViewForRow(long row,
                                                           std::shared_ptr<ui::View> reusing) {
    const auto d = delegate();
    const long open = openComponentIndex();
    if (!d || open < 0) return nullptr;
    return d->dropdownMenu_viewForRow(*this, row, open, std::move(reusing));
}

std::shared_ptr<ui::View> MKDropdownMenu::accessoryViewForRow(long row) {
    const auto d = delegate();
    const long open = openComponentIndex();
    return d && open >= 0 ? d->dropdownMenu_accessoryViewForRow(*this, row, open) : nullptr;
}

std::optional<ui::Color> MKDropdownMenu::backgroundColorForRow(long row) {
    const auto d = delegate();
    const long open = openComponentIndex();
    if (!d || open < 0) return std::nullopt;
    return d->dropdownMenu_backgroundColorForRow(*this, row, open);
}

bool MKDropdownMenu::isRowSelected(long row) {
    const long open = openComponentIndex();
    return open >= 0 && m_selectedRows[static_cast<size_t>(open)].contains(row);
}

std::optional<ui::Rect> MKDropdownMenu::rowContentSpan() {
    const auto d = delegate();
    const long open = openComponentIndex();
    if (!d || open < 0 ||
        d->dropdownMenu_shouldUseFullRowWidthForComponent(*this, open).value_or(true)) {
        return std::nullopt;
    }
    const auto& button = *m_buttons[static_cast<size_t>(open)];
    return button.convertRect_toView(button.bounds(), &m_content->tableView());
}

void MKDropdownMenu::didSelectRow(long row) {
    if (row == static_cast<long>(NSNotFound)) {
        selectedComponent(nullptr);
        return;
    }
    const long open = openComponentIndex();
    if (const auto d = delegate(); d && open >= 0) d->dropdownMenu_didSelectRow(*this, row, open);
}

void MKDropdownMenu::willDisappear() {
    didClose();
}

}  // namespace ov
