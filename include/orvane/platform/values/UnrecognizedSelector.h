#pragma once
// The platform's answer to a message that its receiver takes nowhere (NSObject's
// doesNotRecognizeSelector:): a line in the system log, then an NSInvalidArgumentException,
// which is a C++ exception here. As on the platform it marks a programming error; a host may
// still catch it.
//
//   ov::doesNotRecognizeSelector("AIMultiDelegate", "tableView:didSelectRowAtIndexPath:", this);
//   // log: "-[AIMultiDelegate tableView:didSelectRowAtIndexPath:]: unrecognized selector sent
//   //       to instance 0x5581c2a0"

#include <stdexcept>

#include "orvane/platform/values/String.h"

namespace ov {

inline const String NSInvalidArgumentException = "NSInvalidArgumentException";

class UnrecognizedSelectorException : public std::invalid_argument {
  public:
    UnrecognizedSelectorException(const String& reason, String selector)
        : std::invalid_argument(reason.toUtf8()), m_selector(std::move(selector)) {}

    // The platform's exception name, NSInvalidArgumentException.
    const String& name() const { return NSInvalidArgumentException; }
    const String& selector() const { return m_selector; }

  private:
    String m_selector;
};

[[noreturn]] void doesNotRecognizeSelector(const String& className, const String& selector,
                                           const void* instance);

}  // namespace ov
