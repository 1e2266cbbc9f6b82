#pragma once
// Where push notifications would come from. A desktop has no push service of its own, so a
// host that has one (a relay, a test double) plugs it into the application object; without
// one, nothing is granted and registration fails.
//
//   class Relay : public ov::ui::PushProvider {
//       unsigned long authorizeTypes(unsigned long requested) override { return requested; }
//       ov::Result<ov::Data> registerDevice() override { return ov::Data::fromString("tok"); }
//   };

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Result.h"

namespace ov::ui {

class PushProvider {
  public:
    virtual ~PushProvider() = default;
    // The notification types the user allows, out of those asked for (a bit set).
    virtual unsigned long authorizeTypes(unsigned long requested) = 0;
    // The device token for this application, or why there is none.
    virtual Result<Data> registerDevice() = 0;
};

}  // namespace ov::ui
