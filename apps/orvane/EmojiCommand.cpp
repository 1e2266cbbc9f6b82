// `orvane emoji TEXT`: what the emoji test finds in a text.
//
//   orvane emoji "😀a"
//   contains true
//   pure false
//   count 1
//   ranges 0,2
//
// Ranges are code-unit locations and lengths (UTF-16), space-separated.
#include <cstdio>
#include <string>

#include "Command.h"
#include "orvane/extensions/NSString+EMOEmoji.h"

namespace orvane::cli {
namespace {

namespace emoji = ov::NSString_EMOEmoji;

constexpr std::string_view kName = "emoji";

const char* yesNo(bool value) {
    return value ? "true" : "false";
}

int runEmoji(Arguments arguments) {
    if (arguments.size() != 1) return usage(kName);
    const ov::String text(arguments[0]);
    std::string ranges = "ranges";
    for (const ov::Range& range : emoji::emo_emojiRanges(text))
        ranges += " " + std::to_string(range.location) + "," + std::to_string(range.length);
    std::printf("contains %s\npure %s\ncount %lld\n%s\n", yesNo(emoji::emo_containsEmoji(text)),
                yesNo(emoji::emo_isPureEmojiString(text)),
                static_cast<long long>(emoji::emo_emojiCount(text)), ranges.c_str());
    return 0;
}

const Command kEmoji{kName, "emoji TEXT", runEmoji};

}  // namespace
}  // namespace orvane::cli
