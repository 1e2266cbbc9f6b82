// `orvane card format NUMBER`: a card number in groups of four, as a payment form shows it.
//
//   orvane card format 1111222233334444    "1111 2222 3333 4444"
#include <cstdio>
#include <string_view>

#include "Command.h"
#include "orvane/extensions/OVCreditCard.h"

namespace orvane::cli {
namespace {

constexpr std::string_view kName = "card";

int runCard(Arguments arguments) {
    if (arguments.size() != 2 || std::string_view(arguments[0]) != "format") return usage(kName);
    const ov::String formatted =
        ov::OVCreditCard::creditCardNumberFormatedString(ov::String(arguments[1]));
    std::printf("%s\n", formatted.toUtf8().c_str());
    return 0;
}

const Command kCard{kName, "card format NUMBER", runCard};

}  // namespace
}  // namespace orvane::cli
