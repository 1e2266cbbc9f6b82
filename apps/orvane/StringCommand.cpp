// `orvane string md5|base64 TEXT`: digests and encodings of a text.
#include <cstdio>
#include <string_view>

#include "Command.h"
#include "orvane/extensions/NSData+NSDataExtentions.h"
#include "orvane/extensions/NSString+NSString.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "string";

int runString(Arguments arguments) {
    if (arguments.size() != 2) return usage(kName);
    const std::string_view operation = arguments[0];
    const ov::String text(arguments[1]);
    ov::String result;
    if (operation == "md5") {
        result = ov::NSString_NSString::md5(text).value_or(ov::String());
    } else if (operation == "base64") {
        result = ov::NSData_NSDataExtentions::base64String(ov::Data::fromString(arguments[1]));
    } else {
        return usage(kName);
    }
    std::printf("%s\n", result.toUtf8().c_str());
    return 0;
}

const Command kString{kName, "string md5|base64 TEXT", runString};

}  // namespace
}  // namespace orvane::cli
