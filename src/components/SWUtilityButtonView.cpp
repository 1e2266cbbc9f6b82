#include "orvane/components/SWUtilityButtonView.h"

#include "orvane/components/SWUtilityButtonTapGestureRecognizer.h"

namespace ov {

using ui::LayoutAttribute;
using ui::LayoutConstraint;

SWUtilityButtonView::SWUtilityButtonView(SWTableViewCell* parentCell,
                                         UtilityButtonSelector utilityButtonSelector)
    : ui::View(ui::Rect{}),
      m_parentCell(parentCell),
      m_utilityButtonSelector(std::move(utilityButtonSelector)) {
    setTranslatesAutoresizingMaskIntoConstraints(false);
    m_widthConstraint = LayoutConstraint::constraintWithItem(this, LayoutAttribute::width,
                                                             ui::LayoutRelation::equal, nullptr,
                                                             LayoutAttribute::notAnAttribute, 1, 0);
    m_widthConstraint->setPriority(ui::UILayoutPriorityDefaultHigh);
    addConstraint(m_widthConstraint);
}

SWUtilityButtonView::~SWUtilityButtonView() {
    // The buttons may outlive this row; their taps must not reach a cell that is gone.
    removeButtons();
}

void SWUtilityButtonView::setUtilityButtons(const SWUtilityButtons& utilityButtons) {
    setUtilityButtons(utilityButtons, kDefaultButtonWidth);
}

void SWUtilityButtonView::removeButtons() {
    for (size_t i = 0; i < m_utilityButtons.size() && i < m_taps.size(); ++i) {
        if (m_utilityButtons[i]) ui::removeGestureRecognizer(*m_utilityButtons[i], *m_taps[i]);
    }
    m_taps.clear();
    for (const auto& button : m_utilityButtons) {
        if (button && button->superview() == this) button->removeFromSuperview();
    }
}

void SWUtilityButtonView::setUtilityButtons(const SWUtilityButtons& utilityButtons,
                                            double buttonWidth) {
    removeButtons();
    m_utilityButtons = utilityButtons;
    ui::View* precedingView = nullptr;
    unsigned long index = 0;
    for (const auto& button : m_utilityButtons) {
        if (!button) continue;
        addSubview(button);
        button->setTranslatesAutoresizingMaskIntoConstraints(false);
        LayoutConstraint::Views views{{"button", button.get()}};
        if (precedingView) views["precedingView"] = precedingView;
        LayoutConstraint::activateConstraints(LayoutConstraint::constraintsWithVisualFormat(
            precedingView ? "H:[precedingView][button(==precedingView)]" : "H:|[button]", 0, {},
            views));
        LayoutConstraint::activateConstraints(
            LayoutConstraint::constraintsWithVisualFormat("V:|[button]|", 0, {}, views));

        auto tap = std::make_shared<SWUtilityButtonTapGestureRecognizer>();
        tap->setButtonIndex(index++);
        tap->addTarget(this, [this](ui::GestureRecognizer& recognizer) {
            if (m_parentCell) {
                m_utilityButtonSelector(
                    *m_parentCell, static_cast<SWUtilityButtonTapGestureRecognizer&>(recognizer));
            }
        });
        ui::addGestureRecognizer(*button, tap);
        m_taps.push_back(std::move(tap));
        precedingView = button.get();
    }
    if (precedingView) {
        LayoutConstraint::activateConstraints(LayoutConstraint::constraintsWithVisualFormat(
            "H:[precedingView]|", 0, {}, {{"precedingView", precedingView}}));
    }
    m_widthConstraint->setConstant(buttonWidth * static_cast<double>(index));
    setNeedsLayout();
}

void SWUtilityButtonView::pushBackgroundColors() {
    std::vector<std::optional<ui::Color>> colors;
    for (const auto& button : m_utilityButtons)
        colors.push_back(button ? button->backgroundColor() : std::nullopt);
    m_buttonBackgroundColors = std::move(colors);
}

void SWUtilityButtonView::popBackgroundColors() {
    if (!m_buttonBackgroundColors) return;
    const auto& colors = *m_buttonBackgroundColors;
    for (size_t i = 0; i < m_utilityButtons.size() && i < colors.size(); ++i) {
        if (m_utilityButtons[i]) m_utilityButtons[i]->setBackgroundColor(colors[i]);
    }
    m_buttonBackgroundColors.reset();
}

}  // namespace ov
