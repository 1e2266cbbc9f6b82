#include "orvane/core/Orvane.h"

#include "orvane/core/UIKeyboardListener.h"

namespace ov {

const double OrvaneVersionNumber = 0.1;
const char OrvaneVersionString[] = "0.1.0";

void Orvane::shared() {
    (void)UIKeyboardListener::shared();
}

}  // namespace ov
