#pragma once
// Whether a screen is on screen.
//
//   if (ov::UIViewController_UIViewController::isVisible(*inbox)) inbox->refresh();

#include "orvane/platform/ui/containers/ViewController.h"

namespace ov::UIViewController_UIViewController {

// The view is loaded and in a window. Asking never loads the view.
bool isVisible(const ui::ViewController& controller);

}  // namespace ov::UIViewController_UIViewController
