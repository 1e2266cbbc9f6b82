#pragma once
// What the notification centre hands its observers: a name, the object that posted it (or the
// absent value) and a dictionary of details.

#include "orvane/platform/values/Value.h"

namespace ov {

struct Notification {
    String name;
    Value object;
    Dictionary userInfo;
};

}  // namespace ov
