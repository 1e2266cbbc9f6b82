#pragma once
// One side's row of utility buttons in a swipeable cell: the buttons side by side at equal
// widths, each with a tap recogniser that reports its index to the cell.
//
//   view->setUtilityButtons(buttons, 90);   // three buttons: 270 points wide
//
// Laid out by constraints: a width rule (priority 750) of width × count, and the buttons
// chained from the left edge to the right one.

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "orvane/platform/ui/geometry/Color.h"
#include "orvane/platform/ui/layout/LayoutConstraint.h"
#include "orvane/platform/ui/views/Button.h"
#include "orvane/platform/ui/views/View.h"

namespace ov {

class SWTableViewCell;
class SWUtilityButtonTapGestureRecognizer;

using SWUtilityButtons = std::vector<std::shared_ptr<ui::Button>>;

class SWUtilityButtonView : public ui::View {
  public:
    static constexpr double kDefaultButtonWidth = 90;

    // The cell operation a button tap calls.
    using UtilityButtonSelector =
        std::function<void(SWTableViewCell&, SWUtilityButtonTapGestureRecognizer&)>;

    // `parentCell` is not owned; the cell clears it when it goes.
    SWUtilityButtonView(SWTableViewCell* parentCell, UtilityButtonSelector utilityButtonSelector);
    ~SWUtilityButtonView() override;

    const SWUtilityButtons& utilityButtons() const { return m_utilityButtons; }
    void setUtilityButtons(const SWUtilityButtons& utilityButtons);
    void setUtilityButtons(const SWUtilityButtons& utilityButtons, double buttonWidth);

    SWTableViewCell* parentCell() const { return m_parentCell; }
    void setParentCell(SWTableViewCell* cell) { m_parentCell = cell; }
    const std::shared_ptr<ui::LayoutConstraint>& widthConstraint() const {
        return m_widthConstraint;
    }

    // Selection repaints buttons' backgrounds; these save and give them back around it.
    void pushBackgroundColors();
    void popBackgroundColors();

  private:
    void removeButtons();

    SWUtilityButtons m_utilityButtons;
    SWTableViewCell* m_parentCell;
    UtilityButtonSelector m_utilityButtonSelector;
    std::shared_ptr<ui::LayoutConstraint> m_widthConstraint;
    std::vector<std::shared_ptr<SWUtilityButtonTapGestureRecognizer>> m_taps;
    std::optional<std::vector<std::optional<ui::Color>>> m_buttonBackgroundColors;
};

}  // namespace ov
