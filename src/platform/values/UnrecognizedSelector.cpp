#include "orvane/platform/values/UnrecognizedSelector.h"

#include <cstdint>

#include "orvane/platform/values/SystemLog.h"

namespace ov {

void doesNotRecognizeSelector(const String& className, const String& selector,
                              const void* instance) {
    const String reason =
        stringWithFormat("-[%@ %@]: unrecognized selector sent to instance %p", className, selector,
                         reinterpret_cast<uintptr_t>(instance));
    SystemLog::write(reason);
    throw UnrecognizedSelectorException(reason, selector);
}

}  // namespace ov
