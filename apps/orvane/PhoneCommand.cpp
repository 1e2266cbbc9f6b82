// `orvane phone clean|mobile|full ...`: phone-number clean-up of the "972" numbering plan. The
// trace lines of the operations go to standard error with the system log.
#include <cstdio>
#include <string_view>

#include "Command.h"
#include "orvane/extensions/NSString+NSString.h"

namespace orvane::cli {
namespace {

namespace strings = ov::NSString_NSString;

constexpr std::string_view kName = "phone";

int runPhone(Arguments arguments) {
    if (arguments.empty()) return usage(kName);
    const std::string_view operation = arguments[0];
    if (operation == "clean" && arguments.size() == 2) {
        printLine(strings::removePhoneNumberString(ov::String(arguments[1])));
    } else if (operation == "mobile" && arguments.size() == 2) {
        const ov::String number(arguments[1]);
        printLine(strings::getMobilePhoneNumber(number));
        printLine(strings::isMobileNumber(number, number) ? "true" : "false");
    } else if (operation == "full" && arguments.size() == 3) {
        printLine(strings::fullPhoneNumber(ov::String(arguments[1]), ov::String(arguments[2])));
    } else {
        return usage(kName);
    }
    return 0;
}

const Command kPhone{kName, "phone clean NUMBER | mobile NUMBER | full NUMBER CODE", runPhone};

}  // namespace
}  // namespace orvane::cli
