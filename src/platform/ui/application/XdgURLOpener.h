#pragma once
// The desktop's way to open addresses: `xdg-open <address>` (not waited for) and
// `xdg-mime query default x-scheme-handler/<scheme>` (a handler is named on its output).
// Both run without a shell, so an address is never interpreted as a command.

#include "orvane/platform/ui/application/URLOpener.h"

namespace ov::ui {

class XdgURLOpener final : public URLOpener {
  public:
    bool openURL(const URL& url) override;
    bool canOpenURL(const URL& url) override;
};

}  // namespace ov::ui
