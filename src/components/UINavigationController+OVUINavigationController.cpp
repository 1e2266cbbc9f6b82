#include "orvane/components/UINavigationController+OVUINavigationController.h"
#include "orvane/platform/ui/layers/Transaction.h"

namespace ov::UINavigationController_OVUINavigationController {

void pushViewController(ui::NavigationController& navigation,
                        std::shared_ptr<ui::ViewController> controller, bool animated,
                        std::function<void()> completion) {
    ui::Transaction::begin();
    ui::Transaction::setCompletionBlock(std::move(completion));
    navigation.pushViewController(std::move(controller), animated);
    ui::Transaction::commit();
}

}  // namespace ov::UINavigationController_OVUINavigationController
