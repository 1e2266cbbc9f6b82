#include "media/PlayerChoice.h"

#include "orvane/platform/ui/application/Device.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov::detail {
namespace {

bool isDigit(char16_t unit) {
    return unit >= u'0' && unit <= u'9';
}

}  // namespace

int compareNumerically(const String& left, const String& right) {
    const std::u16string_view a = left.utf16();
    const std::u16string_view b = right.utf16();
    size_t i = 0;
    size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (isDigit(a[i]) && isDigit(b[j])) {
            while (i < a.size() && a[i] == u'0')
                ++i;
            while (j < b.size() && b[j] == u'0')
                ++j;
            const size_t startA = i;
            const size_t startB = j;
            while (i < a.size() && isDigit(a[i]))
                ++i;
            while (j < b.size() && isDigit(b[j]))
                ++j;
            const auto runA = a.substr(startA, i - startA);
            const auto runB = b.substr(startB, j - startB);
            // Without leading zeros, the longer run is the larger number.
            if (runA.size() != runB.size()) return runA.size() < runB.size() ? -1 : 1;
            if (const int order = runA.compare(runB)) return order < 0 ? -1 : 1;
            continue;
        }
        if (a[i] != b[j]) return a[i] < b[j] ? -1 : 1;
        ++i;
        ++j;
    }
    if (i < a.size()) return 1;
    if (j < b.size()) return -1;
    return 0;
}

bool systemIsOlderThanTen() {
    return compareNumerically(ui::Device::currentDevice().systemVersion(), "10") < 0;
}

void logPlayUrl(const std::optional<URL>& url) {
    systemLog("play url: %@", url ? Value(url->absoluteString()) : Value());
}

}  // namespace ov::detail
