#pragma once
// The platform's player screen under the toolkit's own name; `playa` does nothing.

#include "orvane/platform/ui/media/AVPlayerViewController.h"

namespace ov {

class OVPlayerViewController : public ui::AVPlayerViewController {
  public:
    void playa() {}
};

}  // namespace ov
