#include "orvane/platform/ui/application/Pasteboard.h"

namespace ov::ui {

Pasteboard& Pasteboard::generalPasteboard() {
    static Pasteboard general;
    return general;
}

}  // namespace ov::ui
