// The menu's bar: filling in the component buttons, laying them out with their separators,
// and the look settings the menu passes on to the buttons and the table.

#include <algorithm>

#include "orvane/components/MKDropdownMenu.h"
#include "orvane/platform/files/Image.h"

namespace ov {

namespace {

std::optional<ui::AttributedString> styled(const std::optional<String>& plain) {
    if (!plain) return std::nullopt;
    return ui::AttributedString(*plain);
}

}  // namespace

void MKDropdownMenu::updateButton(MKDropdownMenuComponentButton& button, long component) {
    const auto d = delegate();
    button.setEnabled(d ? d->dropdownMenu_enableComponent(*this, component).value_or(true) : true);
    auto& label = button.titleLabel();
    label.setLineBreakMode(m_componentLineBreakMode);
    const bool wraps = m_componentLineBreakMode == ui::NSLineBreakByWordWrapping ||
                       m_componentLineBreakMode == ui::NSLineBreakByCharWrapping;
    label.setNumberOfLines(wraps ? 0 : 1);
    label.setTextAlignment(m_componentTextAlignment);
    button.setDisclosureIndicatorImage(m_disclosureIndicatorImage);
    button.setDisclosureIndicatorSelectionRotation(m_disclosureIndicatorSelectionRotation);
    button.setDisclosureIndicatorFlipped(dropdownShowsContentAbove());
    button.setSelectedBackgroundColor(m_selectedComponentBackgroundColor);
    button.setSelected(component == openComponentIndex());

    auto custom = d ? d->dropdownMenu_viewForComponent(*this, component) : nullptr;
    button.setCustomView(custom);
    if (custom || !d) {
        button.setAttributedTitle(std::nullopt, std::nullopt);
        return;
    }
    auto title = d->dropdownMenu_attributedTitleForComponent(*this, component);
    if (!title) title = styled(d->dropdownMenu_titleForComponent(*this, component));
    std::optional<ui::AttributedString> selectedTitle;
    if (title) {
        selectedTitle = d->dropdownMenu_attributedTitleForSelectedComponent(*this, component);
        if (!selectedTitle)
            selectedTitle = styled(d->dropdownMenu_titleForSelectedComponent(*this, component));
    }
    button.setAttributedTitle(title, selectedTitle);
}

void MKDropdownMenu::updateAllButtons() {
    for (size_t i = 0; i < m_buttons.size(); ++i)
        updateButton(*m_buttons[i], static_cast<long>(i));
}

// Components with a width from the delegate take it; the others share what is left evenly.
std::vector<double> MKDropdownMenu::componentWidths() {
    const auto d = delegate();
    const size_t n = m_buttons.size();
    std::vector<double> widths(n, 0);
    double taken = 0;
    size_t sharing = 0;
    for (size_t i = 0; i < n; ++i) {
        const auto answer =
            d ? d->dropdownMenu_widthForComponent(*this, static_cast<long>(i)) : std::nullopt;
        if (answer && *answer > 0) {
            widths[i] = *answer;
            taken += *answer;
        } else {
            ++sharing;
        }
    }
    const double share =
        sharing ? std::max(bounds().width() - taken, 0.0) / static_cast<double>(sharing) : 0;
    for (double& width : widths) {
        if (width == 0) width = share;
    }
    return widths;
}

void MKDropdownMenu::layoutSubviews() {
    ui::View::layoutSubviews();
    const ui::Rect box = bounds();
    const double line = 1.0 / Image::screenScale();
    const std::vector<double> widths = componentWidths();
    double x = box.minX();
    for (size_t i = 0; i < m_buttons.size(); ++i) {
        m_buttons[i]->setFrame({x, box.minY(), widths[i], box.height()});
        x += widths[i];
        if (i < m_separators.size()) {
            const double inset = box.height() * 0.2;
            m_separators[i]->setFrame(
                {x - line / 2, box.minY() + inset, line, box.height() - 2 * inset});
        }
    }
}

// Bar look.

void MKDropdownMenu::setComponentSeparatorColor(const ui::Color& color) {
    m_componentSeparatorColor = color;
    for (const auto& separator : m_separators)
        separator->setBackgroundColor(color);
}

void MKDropdownMenu::setSelectedComponentBackgroundColor(const std::optional<ui::Color>& color) {
    m_selectedComponentBackgroundColor = color;
    updateAllButtons();
}

void MKDropdownMenu::setDisclosureIndicatorImage(std::shared_ptr<Image> image) {
    m_disclosureIndicatorImage = std::move(image);
    updateAllButtons();
}

void MKDropdownMenu::setDisclosureIndicatorSelectionRotation(double radians) {
    m_disclosureIndicatorSelectionRotation = radians;
    updateAllButtons();
}

void MKDropdownMenu::setComponentLineBreakMode(ui::NSLineBreakMode mode) {
    m_componentLineBreakMode = mode;
    updateAllButtons();
}

void MKDropdownMenu::setComponentTextAlignment(ui::NSTextAlignment alignment) {
    m_componentTextAlignment = alignment;
    updateAllButtons();
}

// Table look, kept by the content controller.

const std::shared_ptr<ui::View>& MKDropdownMenu::spacerView() const {
    return m_content->spacerView();
}
void MKDropdownMenu::setSpacerView(std::shared_ptr<ui::View> view) {
    m_content->setSpacerView(std::move(view));
}
ui::Point MKDropdownMenu::spacerViewOffset() const {
    return m_content->spacerViewOffset();
}
void MKDropdownMenu::setSpacerViewOffset(ui::Point offset) {
    m_content->setSpacerViewOffset(offset);
}
const ui::Color& MKDropdownMenu::rowSeparatorColor() const {
    return m_content->rowSeparatorColor();
}
void MKDropdownMenu::setRowSeparatorColor(const ui::Color& color) {
    m_content->setRowSeparatorColor(color);
}
bool MKDropdownMenu::dropdownDropsShadow() const {
    return m_content->dropsShadow();
}
void MKDropdownMenu::setDropdownDropsShadow(bool drops) {
    m_content->setDropsShadow(drops);
}
bool MKDropdownMenu::dropdownBouncesScroll() const {
    return m_content->bouncesScroll();
}
void MKDropdownMenu::setDropdownBouncesScroll(bool bounces) {
    m_content->setBouncesScroll(bounces);
}
bool MKDropdownMenu::dropdownShowsTopRowSeparator() const {
    return m_content->showsTopRowSeparator();
}
void MKDropdownMenu::setDropdownShowsTopRowSeparator(bool shows) {
    m_content->setShowsTopRowSeparator(shows);
}
bool MKDropdownMenu::dropdownShowsBottomRowSeparator() const {
    return m_content->showsBottomRowSeparator();
}
void MKDropdownMenu::setDropdownShowsBottomRowSeparator(bool shows) {
    m_content->setShowsBottomRowSeparator(shows);
}
bool MKDropdownMenu::dropdownShowsBorder() const {
    return m_content->showsBorder();
}
void MKDropdownMenu::setDropdownShowsBorder(bool shows) {
    m_content->setShowsBorder(shows);
}
bool MKDropdownMenu::dropdownShowsContentAbove() const {
    return m_content->showsContentAbove();
}
void MKDropdownMenu::setDropdownShowsContentAbove(bool above) {
    m_content->setShowsContentAbove(above);
    updateAllButtons();
}
double MKDropdownMenu::backgroundDimmingOpacity() const {
    return m_content->backgroundDimmingOpacity();
}
void MKDropdownMenu::setBackgroundDimmingOpacity(double opacity) {
    m_content->setBackgroundDimmingOpacity(opacity);
}
const ui::Color& MKDropdownMenu::dropdownBackgroundColor() const {
    return m_content->dropdownBackgroundColor();
}
void MKDropdownMenu::setDropdownBackgroundColor(const ui::Color& color) {
    m_content->setDropdownBackgroundColor(color);
}
ui::NSTextAlignment MKDropdownMenu::rowTextAlignment() const {
    return m_content->rowTextAlignment();
}
void MKDropdownMenu::setRowTextAlignment(ui::NSTextAlignment alignment) {
    m_content->setRowTextAlignment(alignment);
}
double MKDropdownMenu::dropdownCornerRadius() const {
    return m_content->cornerRadius();
}
void MKDropdownMenu::setDropdownCornerRadius(double radius) {
    m_content->setCornerRadius(radius);
}
ui::UIRectCorner MKDropdownMenu::dropdownRoundedCorners() const {
    return m_content->roundedCorners();
}
void MKDropdownMenu::setDropdownRoundedCorners(ui::UIRectCorner corners) {
    m_content->setRoundedCorners(corners);
}

}  // namespace ov
