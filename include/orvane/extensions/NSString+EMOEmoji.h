#pragma once
// Finds emoji in text, one user-perceived character (grapheme cluster) at a time. The test is
// a fixed set of ranges over a character's first two code units, not Unicode's emoji
// property: it also takes arrows, letter-like and mathematical symbols, and misses pictographs
// outside its ranges.
//
//   namespace Emoji = ov::NSString_EMOEmoji;
//   Emoji::emo_containsEmoji(ov::String("hi 😀"));   // true
//   Emoji::emo_emojiRanges(ov::String("😀a"));       // {{0, 2}}
//
// A character passes when
//   - it opens with a high surrogate, has a second unit, and decodes to U+1D000...U+1F9C0;
//   - else it has two or more units and its second is U+20E3, U+FE0F or 0xD83C;
//   - else it is one unit in U+2100...U+27FF, U+2B05...U+2B07, U+2934...U+2935,
//     U+3297...U+3299, or one of © ® 〽 〰 ⭕ ⬜ ⬛ ⭐.
// Locations and lengths count UTF-16 code units. Pure functions; thread-safe.

#include <cstdint>
#include <vector>

#include "orvane/platform/values/String.h"

namespace ov::NSString_EMOEmoji {

bool emo_containsEmoji(const String& text);
// False for the empty text.
bool emo_isPureEmojiString(const String& text);
int64_t emo_emojiCount(const String& text);
std::vector<Range> emo_emojiRanges(const String& text);

// The test for one user-perceived character.
bool isEmojiSequence(std::u16string_view sequence);

}  // namespace ov::NSString_EMOEmoji
