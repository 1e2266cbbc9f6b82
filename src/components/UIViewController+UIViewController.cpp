#include "orvane/components/UIViewController+UIViewController.h"

namespace ov::UIViewController_UIViewController {

bool isVisible(const ui::ViewController& controller) {
    const ui::View* view = controller.viewIfLoaded();
    return view && view->window();
}

}  // namespace ov::UIViewController_UIViewController
