#include <gtest/gtest.h>

#include "orvane/extensions/NSString+EMOEmoji.h"

namespace ov {
namespace {

namespace Emoji = NSString_EMOEmoji;

String units(std::u16string text) {
    return String(std::move(text));
}

struct Scan {
    bool contains;
    bool pure;
    std::vector<Range> ranges;
};

void expectScan(const String& text, const Scan& expected) {
    SCOPED_TRACE(text.toUtf8());
    EXPECT_EQ(Emoji::emo_containsEmoji(text), expected.contains);
    EXPECT_EQ(Emoji::emo_isPureEmojiString(text), expected.pure);
    EXPECT_EQ(Emoji::emo_emojiCount(text), static_cast<int64_t>(expected.ranges.size()));
    EXPECT_EQ(Emoji::emo_emojiRanges(text), expected.ranges);
}

TEST(NSStringEMOEmojiTest, TheRangeTestOnSingleCharacters) {
    // Passing and failing neighbours of each range's ends, and the listed singles.
    const std::pair<std::u16string, bool> cases[] = {
        {u"\U0001D000", true},   {u"\U0001F9C0", true}, {u"\U0001CFFF", false},
        {u"\U0001F9C1", false},  {u"\u2100", true},     {u"\u27FF", true},
        {u"\u20FF", false},      {u"\u2800", false},    {u"\u2B05", true},
        {u"\u2B08", false},      {u"\u2935", true},     {u"\u2936", false},
        {u"\u3297", true},       {u"\u3296", false},    {u"\u00A9", true},
        {u"\u2B50", true},       {u"\u2B51", false},    {u"A", false},
        {u"\xD83D", false},  // a lone high surrogate
        {u"a\uFE0F", true},  // only the second unit decides
        {u"\u00A9\u0301", false}};
    for (const auto& [text, passes] : cases) {
        EXPECT_EQ(Emoji::isEmojiSequence(text), passes) << String(text).toUtf8();
        EXPECT_EQ(Emoji::emo_isPureEmojiString(units(text)), passes) << String(text).toUtf8();
    }
}

// Unicode's own sequences: each is one user-perceived character and passes on its first two
// code units.
TEST(NSStringEMOEmojiTest, UnicodeSequencesCountAsOneCharacterEach) {
    const std::u16string sequences[] = {
        u"1\uFE0F\u20E3",         // keycap one
        u"#\u20E3",               // keycap without the selector
        u"\U0001F1EE\U0001F1F1",  // flag of Israel
        u"\U0001F44D\U0001F3FD",  // thumbs up, medium skin tone
        u"\U0001F468\u200D\U0001F469\u200D\U0001F467\u200D\U0001F466",  // family
        u"\U0001F3F3\uFE0F\u200D\U0001F308",                            // rainbow flag
        u"\u2764\uFE0F",      // red heart with emoji presentation
        u"\u261D\U0001F3FB",  // a BMP base with a skin tone: second unit 0xD83C
    };
    for (const std::u16string& sequence : sequences) {
        const auto length = static_cast<uint64_t>(sequence.size());
        expectScan(units(sequence), {true, true, {{0, length}}});
        expectScan(units(u"ab" + sequence + u"c"), {true, false, {{2, length}}});
    }
    const std::u16string twoFlags = u"\U0001F1EE\U0001F1F1\U0001F1EB\U0001F1F7";
    expectScan(units(twoFlags), {true, true, {{0, 4}, {4, 4}}});
}

TEST(NSStringEMOEmojiTest, WholeTexts) {
    expectScan(String(), {false, false, {}});
    expectScan("😀a", {true, false, {{0, 2}}});
    expectScan("a😀b©→", {true, false, {{1, 2}, {4, 1}, {5, 1}}});
    expectScan("😀😀", {true, true, {{0, 2}, {2, 2}}});
    // A combining mark joins its base and hides what the base alone would pass as.
    expectScan(units(u"x\u00A9\u0301"), {false, false, {}});
}

}  // namespace
}  // namespace ov
