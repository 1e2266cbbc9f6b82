#include <filesystem>

#include "orvane/platform/network/URL.h"
#include "orvane/platform/text/PercentEncoding.h"

namespace ov {

URL URL::fileURLWithPath(const String& path) {
    std::error_code ignored;
    const std::filesystem::path absolute = std::filesystem::absolute(path.toUtf8(), ignored);
    const String encoded =
        percentEncoded(String(absolute.string()), CharacterSet::urlPathAllowed());
    // Everything a path may hold outside the path characters is escaped, so this parses.
    if (auto url = withString("file://" + encoded.toUtf8())) return *url;
    return *withString("file:///");
}

}  // namespace ov
