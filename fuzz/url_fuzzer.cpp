// URL parsing must never crash on any text, and percent encoding must round-trip: decoding an
// encoded text gives the text back, and an encoded query always makes a valid URL.
#include <cstdint>
#include <string_view>

#include "FuzzCheck.h"
#include "orvane/platform/network/URL.h"
#include "orvane/platform/text/CharacterSet.h"
#include "orvane/platform/text/PercentEncoding.h"

using ov::fuzz::check;

namespace {

void checkParts(const ov::URL& url) {
    check(!url.absoluteString().isEmpty());
    if (url.port()) check(*url.port() >= 0 && *url.port() <= 65535);
    (void)url.path();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const ov::String text(std::string_view(reinterpret_cast<const char*>(data), size));
    if (const auto url = ov::URL::withString(text)) checkParts(*url);

    for (const ov::CharacterSet& allowed :
         {ov::CharacterSet::urlQueryAllowed(), ov::CharacterSet::urlPathAllowed(),
          ov::CharacterSet::urlHostAllowed()}) {
        const ov::String encoded = ov::percentEncoded(text, allowed);
        check(ov::percentDecoded(encoded) == text);
    }
    const ov::String query = ov::percentEncoded(text, ov::CharacterSet::urlQueryAllowed());
    check(ov::URL::withString("http://h/?" + query).has_value());
    (void)ov::percentDecoded(text);
    return 0;
}
