#include <algorithm>

#include "orvane/extensions/NSString+EMOEmoji.h"
#include "orvane/platform/text/TextSegmentation.h"

namespace ov::NSString_EMOEmoji {
namespace {

bool isHighSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isSingleUnitEmoji(char16_t unit) {
    const auto within = [unit](char16_t low, char16_t high) { return unit >= low && unit <= high; };
    if (within(0x2100, 0x27FF) || within(0x2B05, 0x2B07) || within(0x2934, 0x2935) ||
        within(0x3297, 0x3299))
        return true;
    constexpr char16_t kSingles[] = {0x00A9, 0x00AE, 0x303D, 0x3030,
                                     0x2B55, 0x2B1C, 0x2B1B, 0x2B50};
    return std::ranges::find(kSingles, unit) != std::end(kSingles);
}

std::u16string_view sequenceAt(const String& text, const Range& range) {
    return std::u16string_view(text.utf16()).substr(range.location, range.length);
}

}  // namespace

bool isEmojiSequence(std::u16string_view sequence) {
    if (sequence.empty()) return false;
    const char16_t first = sequence[0];
    if (isHighSurrogate(first)) {
        if (sequence.size() < 2) return false;
        // The second unit is taken as it is, paired or not.
        const long codePoint =
            (long(first) - 0xD800) * 1024 + (long(sequence[1]) - 0xDC00) + 0x10000;
        return codePoint >= 0x1D000 && codePoint <= 0x1F9C0;
    }
    if (sequence.size() >= 2) {
        const char16_t second = sequence[1];
        return second == 0x20E3 || second == 0xFE0F || second == 0xD83C;
    }
    return isSingleUnitEmoji(first);
}

bool emo_containsEmoji(const String& text) {
    return std::ranges::any_of(composedCharacterRanges(text), [&text](const Range& range) {
        return isEmojiSequence(sequenceAt(text, range));
    });
}

bool emo_isPureEmojiString(const String& text) {
    if (text.isEmpty()) return false;
    return std::ranges::all_of(composedCharacterRanges(text), [&text](const Range& range) {
        return isEmojiSequence(sequenceAt(text, range));
    });
}

int64_t emo_emojiCount(const String& text) {
    return static_cast<int64_t>(emo_emojiRanges(text).size());
}

std::vector<Range> emo_emojiRanges(const String& text) {
    std::vector<Range> ranges;
    for (const Range& range : composedCharacterRanges(text)) {
        if (isEmojiSequence(sequenceAt(text, range))) ranges.push_back(range);
    }
    return ranges;
}

}  // namespace ov::NSString_EMOEmoji
