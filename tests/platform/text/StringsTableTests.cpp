#include <gtest/gtest.h>

#include "orvane/platform/text/StringsTable.h"

namespace ov {
namespace {

Dictionary parsed(std::string_view text) {
    auto table = StringsTable::parse(Data::fromString(text));
    EXPECT_TRUE(table.ok()) << (table.ok() ? "" : table.error().description().toUtf8());
    return table.ok() ? table.value() : Dictionary();
}

std::string failure(std::string_view text) {
    auto table = StringsTable::parse(Data::fromString(text));
    if (table.ok()) return "parsed";
    EXPECT_EQ(table.error().code(), 3840);
    return table.error().userInfo().objectForKey(NSDebugDescriptionErrorKey).description().toUtf8();
}

TEST(StringsTable, ReadsEntriesCommentsAndKeysAlone) {
    const Dictionary table = parsed(
        "/* Title of the first screen\n   spans lines */\n"
        "\"title\" = \"Weather\";  // trailing comment\n"
        "\"ok\";\n"
        "plain_key = bare.value-1;\n"
        "\"empty\" = \"\";\n");
    EXPECT_EQ(
        table,
        (Dictionary{
            {"title", "Weather"}, {"ok", "ok"}, {"plain_key", "bare.value-1"}, {"empty", ""}}));
    EXPECT_EQ(table.allKeys().front(), String("title"));
}

TEST(StringsTable, DecodesEveryEscape) {
    const Dictionary table = parsed(R"("a" = "line\nnext\ttab\r\"quoted\" back\\slash \'";)"
                                    R"("u" = "\U05D0\u00e9 \U1F";)"
                                    R"("o" = "\101\0end";)"
                                    R"("other" = "\q";)");
    EXPECT_EQ(table.objectForKey("a"), Value("line\nnext\ttab\r\"quoted\" back\\slash '"));
    EXPECT_EQ(table.objectForKey("u"), Value("\u05D0\u00E9 \u001F"));
    EXPECT_EQ(table.objectForKey("o").asString().utf16(), (std::u16string{u'A', 0, 'e', 'n', 'd'}));
    EXPECT_EQ(table.objectForKey("other"), Value("q"));
}

TEST(StringsTable, ReadsUtf8AndUtf16InEitherByteOrder) {
    const std::u16string text = u"\"שלום\" = \"Привет\";";
    std::string little = "\xFF\xFE";
    std::string big = "\xFE\xFF";
    std::string bigWithoutMark;
    for (char16_t unit : text) {
        little += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
        big += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
        bigWithoutMark += {static_cast<char>(unit >> 8), static_cast<char>(unit & 0xFF)};
    }
    const Dictionary expected{{"שלום", "Привет"}};
    EXPECT_EQ(parsed(little), expected);
    EXPECT_EQ(parsed(big), expected);
    EXPECT_EQ(parsed(bigWithoutMark), expected);
    EXPECT_EQ(parsed("\xEF\xBB\xBF\"שלום\" = \"Привет\";"), expected);
}

TEST(StringsTable, LastOfRepeatedKeysWinsAndBracesAreOptional) {
    EXPECT_EQ(parsed("\"k\" = \"1\"; \"k\" = \"2\";"), (Dictionary{{"k", "2"}}));
    EXPECT_EQ(parsed("{ \"k\" = \"v\"; }"), (Dictionary{{"k", "v"}}));
    EXPECT_TRUE(parsed("  /* nothing */ \n").isEmpty());
}

TEST(StringsTable, MalformedTextIsAFailureNamingTheLine) {
    EXPECT_EQ(failure("\"a\" = \"b\";\n\"c\" = \"d\"\n"), "Missing ';' at line 3");
    EXPECT_EQ(failure("\"a\" = \"unterminated;"), "Expected a value after '=' at line 1");
    EXPECT_EQ(failure("\"a\" = \"b\"; /* open"), "Unterminated comment at line 1");
    EXPECT_EQ(failure("\"a\" = ;"), "Expected a value after '=' at line 1");
    EXPECT_EQ(failure("= \"b\";"), "Expected a quoted or unquoted string at line 1");
    EXPECT_EQ(failure("{ \"a\" = \"b\";"), "Missing closing brace at line 1");
    EXPECT_EQ(failure("{ \"a\"; } \"b\";"), "Junk after the closing brace at line 1");
    EXPECT_EQ(failure("\"a\" = \"\xC3\";"), "The text is neither UTF-8 nor UTF-16");
    EXPECT_EQ(failure(std::string_view("\xFF\xFE\"\x00\x00", 5)),
              "The text is neither UTF-8 nor UTF-16");
    EXPECT_EQ(failure("\"a\" = \"b\\"), "Expected a value after '=' at line 1");
}

TEST(StringsTable, MissingFileIsAFailure) {
    auto table = StringsTable::parseFile("/nonexistent/Localizable.strings");
    ASSERT_FALSE(table.ok());
    EXPECT_EQ(table.error().code(), 260);
}

}  // namespace
}  // namespace ov
