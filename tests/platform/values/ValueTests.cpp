#include <gtest/gtest.h>

#include "orvane/platform/values/Error.h"
#include "orvane/platform/values/Value.h"

namespace ov {
namespace {

TEST(Value, AbsentAndNullAreDifferentKinds) {
    EXPECT_TRUE(Value().isAbsent());
    EXPECT_TRUE(Value::null().isNull());
    EXPECT_FALSE(Value() == Value::null());
    EXPECT_TRUE(Value(std::shared_ptr<Object>()).isAbsent());
    EXPECT_EQ(Value().description(), String("(null)"));
    EXPECT_EQ(Value::null().description(), String("<null>"));
}

TEST(Value, KeepsKindsApart) {
    EXPECT_TRUE(Value(true).isBoolean());
    EXPECT_TRUE(Value(1).isNumber());
    EXPECT_FALSE(Value(true) == Value(1));
    EXPECT_TRUE(Value(1) == Value(1.0));
    EXPECT_EQ(Value(1).ifString(), nullptr);
    EXPECT_FALSE(Value("1").ifBool().has_value());
    EXPECT_EQ(Value(2.5).ifNumber()->type(), Number::Type::Double);
}

TEST(Value, CopiesAreIndependent) {
    Value original = Dictionary{{"list", Array{1, 2}}, {"name", "a"}};
    Value copy = original;
    copy.mutableDictionary().setObject("b", "name");
    Value nested = copy.asDictionary().objectForKey("list");
    nested.mutableArray().addObject(3);
    EXPECT_EQ(original.asDictionary().objectForKey("name"), Value("a"));
    EXPECT_EQ(copy.asDictionary().objectForKey("name"), Value("b"));
    EXPECT_EQ(original.asDictionary().objectForKey("list").asArray().count(), 2u);
    EXPECT_EQ(nested.asArray().count(), 3u);
}

TEST(Value, EmptyContainersShareNothingVisible) {
    Value first = Array{};
    Value second = Array{};
    first.mutableArray().addObject(1);
    Value dictionary = Dictionary{};
    dictionary.mutableDictionary().setObject("x", "key");
    EXPECT_EQ(first.asArray().count(), 1u);
    EXPECT_TRUE(second.asArray().isEmpty());
    EXPECT_TRUE(Value(Dictionary{}).asDictionary().isEmpty());
    EXPECT_EQ(dictionary.asDictionary().count(), 1u);
}

TEST(Value, DeeplyNestedTreesAreDestroyedWithoutRecursion) {
    Value tree = Array{};
    for (int depth = 0; depth < 200'000; ++depth) {
        tree =
            depth % 2 ? Value(Array{std::move(tree)}) : Value(Dictionary{{"k", std::move(tree)}});
    }
    Value sharedMiddle = tree;  // a subtree still held elsewhere must survive the teardown
    for (int depth = 0; depth < 100'000; ++depth) {
        sharedMiddle = depth % 2 ? sharedMiddle.asDictionary().objectForKey("k")
                                 : sharedMiddle.asArray().objectAtIndex(0);
    }
    tree = Value();  // a recursive teardown would overflow the stack here
    EXPECT_TRUE(tree.isAbsent());
    EXPECT_TRUE(sharedMiddle.isArray());
    sharedMiddle = Value();
}

// `depth` containers inside one another, arrays and dictionaries in turn, around `leaf`.
Value nested(int depth, Value leaf) {
    Value tree = std::move(leaf);
    for (int level = 0; level < depth; ++level)
        tree =
            level % 2 ? Value(Array{std::move(tree)}) : Value(Dictionary{{"k", std::move(tree)}});
    return tree;
}

// `depth` errors, each the underlying error of the next, the first being `root`.
Error chainedErrors(int depth, Error root = Error("Chain", 0)) {
    Error error = std::move(root);
    for (int level = 1; level < depth; ++level) {
        error =
            Error("Chain", level,
                  Dictionary{{NSLocalizedDescriptionKey, "step"}, {NSUnderlyingErrorKey, error}});
    }
    return error;
}

TEST(Value, DeeplyNestedTreesCompareWithoutRecursion) {
    constexpr int kDepth = 100'000;
    const Value tree = nested(kDepth, 1);
    EXPECT_EQ(tree, nested(kDepth, 1.0));
    EXPECT_NE(tree, nested(kDepth, 2));

    constexpr int kChain = 30'000;
    EXPECT_TRUE(chainedErrors(kChain).isEqual(chainedErrors(kChain)));
    EXPECT_FALSE(chainedErrors(kChain).isEqual(chainedErrors(kChain, Error("Chain", 1))));
}

// Linear: every level past the first few adds the same amount of text, however deep.
TEST(ValueDescription, DeepTreesAndErrorChainsGrowLinearly) {
    constexpr int kStep = 10'000;
    std::vector<size_t> lengths;
    for (int depth : {kStep, 2 * kStep, 3 * kStep})
        lengths.push_back(nested(depth, "leaf").description().length());
    EXPECT_EQ(lengths[2] - lengths[1], lengths[1] - lengths[0]);
    EXPECT_LT(lengths[2], size_t{3 * kStep} * 400);

    lengths.clear();
    for (int depth : {kStep, 2 * kStep, 3 * kStep})
        lengths.push_back(chainedErrors(depth).description().length());
    EXPECT_EQ(lengths[2] - lengths[1], lengths[1] - lengths[0]);
    EXPECT_LT(lengths[2], size_t{3 * kStep} * 100);
}

TEST(Value, ChangingACopiedContainerInPlaceLeavesTheOriginal) {
    Dictionary large;
    for (int i = 0; i < 40; ++i)  // large enough to be indexed
        large.setObject(Array{i}, String("key " + std::to_string(i)));
    const Dictionary original = large;
    Dictionary copy = large;
    copy.valueAt(0).mutableArray().at(0) = "changed";
    copy.setObject(99, "key 1");
    copy.removeObjectForKey("key 2");
    copy.setObject(100, "new key");
    for (Value& value : copy.valueAt(2).mutableArray())  // "key 3", now that "key 2" is gone
        value = 3.5;
    EXPECT_EQ(original.objectForKey("key 0"), Value(Array{0}));
    EXPECT_EQ(original.objectForKey("key 1"), Value(Array{1}));
    EXPECT_EQ(original.objectForKey("key 3"), Value(Array{3}));
    EXPECT_TRUE(original.containsKey("key 2"));
    EXPECT_FALSE(original.containsKey("new key"));
    EXPECT_EQ(copy.objectForKey("key 0"), Value(Array{"changed"}));
    EXPECT_EQ(copy.objectForKey("key 3"), Value(Array{3.5}));
    EXPECT_EQ(copy.objectForKey("new key"), Value(100));
    EXPECT_EQ(original, large);
    EXPECT_THROW(copy.valueAt(40), std::out_of_range);
}

TEST(Dictionary, KeepsInsertionOrderAcrossReplaceAndRemove) {
    Dictionary dictionary{{"b", 1}, {"a", 2}, {"c", 3}};
    dictionary.setObject(20, "a");
    dictionary.removeObjectForKey("b");
    dictionary.setObject(4, "b");
    EXPECT_EQ(dictionary.allKeys(), (std::vector<String>{"a", "c", "b"}));
    EXPECT_EQ(dictionary.objectForKey("a"), Value(20));
    dictionary.setObject(Value(), "a");  // storing nothing removes the key
    EXPECT_FALSE(dictionary.containsKey("a"));
    EXPECT_TRUE(dictionary.objectForKey("missing").isAbsent());
}

TEST(Dictionary, LargeDictionariesFindEveryKeyAfterRemovals) {
    Dictionary dictionary;
    for (int i = 0; i < 100; ++i)
        dictionary.setObject(i, String(std::to_string(i)));
    for (int i = 0; i < 100; i += 3)
        dictionary.removeObjectForKey(String(std::to_string(i)));
    for (int i = 0; i < 100; ++i) {
        const Value& found = dictionary.objectForKey(String(std::to_string(i)));
        EXPECT_EQ(found, i % 3 == 0 ? Value() : Value(i)) << i;
    }
    EXPECT_EQ(dictionary.allKeys().front(), String("1"));
}

TEST(Value, ShortAndLongStringsCopyOnWriteAlike) {
    for (const char* text : {"short", "a string past the inline size"}) {
        const Value original = text;
        Value copy = original;
        copy.mutableString() += " and more";
        EXPECT_EQ(original, Value(text));
        EXPECT_EQ(copy.asString(), String(text) + " and more");
        EXPECT_TRUE(copy.isString());
        EXPECT_EQ(copy.description(), copy.asString());
    }
}

std::vector<Dictionary::Entry> numberedEntries(int count, int distinctKeys) {
    std::vector<Dictionary::Entry> entries;
    for (int i = 0; i < count; ++i)
        entries.emplace_back(String(std::to_string(i % distinctKeys)), i);
    return entries;
}

TEST(Dictionary, FromEntriesKeepsFirstPositionAndLastValue) {
    // Searched linearly, through the index, and an index that shrinks back to linear search.
    for (const auto& [count, distinct] : {std::pair{8, 4}, {60, 20}, {60, 10}}) {
        Dictionary dictionary = Dictionary::fromEntries(numberedEntries(count, distinct));
        EXPECT_EQ(dictionary.count(), static_cast<size_t>(distinct)) << count << "/" << distinct;
        EXPECT_EQ(dictionary.allKeys().back(), String(std::to_string(distinct - 1)));
        EXPECT_EQ(dictionary.objectForKey("0"), Value(count - distinct));
        for (int i = 0; i < 30; ++i)
            dictionary.setObject(i, String("new" + std::to_string(i)));
        EXPECT_EQ(dictionary.objectForKey("new29"), Value(29));
        EXPECT_EQ(dictionary.objectForKey("1"), Value(count - distinct + 1));
    }
    // Keys alike in length and first and last units, so that only comparing them tells them
    // apart; one of them repeated.
    std::vector<Dictionary::Entry> alike;
    for (const char* key : {"k1z", "k2z", "k3z", "k2z", "k4z"})
        alike.emplace_back(key, static_cast<int>(alike.size()));
    const Dictionary merged = Dictionary::fromEntries(std::move(alike));
    EXPECT_EQ(merged.allKeys(), (std::vector<String>{"k1z", "k2z", "k3z", "k4z"}));
    EXPECT_EQ(merged.objectForKey("k2z"), Value(3));
    auto entries = numberedEntries(3, 3);
    entries.emplace_back("0", Value());  // nothing stored removes the key
    EXPECT_EQ(Dictionary::fromEntries(std::move(entries)).allKeys(),
              (std::vector<String>{"1", "2"}));
}

TEST(Dictionary, EqualityIgnoresOrder) {
    EXPECT_EQ((Dictionary{{"a", 1}, {"b", 2}}), (Dictionary{{"b", 2}, {"a", 1}}));
    EXPECT_NE((Dictionary{{"a", 1}}), (Dictionary{{"a", 2}}));
}

TEST(Array, OutOfRangeAccessIsHarmless) {
    Array array{1};
    EXPECT_TRUE(array[5].isAbsent());
    array.removeObjectAtIndex(9);
    array.insertObject(2, 99);
    EXPECT_EQ(array, (Array{1, 2}));
}

TEST(ValueDescription, FollowsThePlatformLayout) {
    const Value reply = Dictionary{{"id", 7},
                                   {"name", "Ada Lovelace"},
                                   {"empty", ""},
                                   {"none", Value::null()},
                                   {"tags", Array{"a", Dictionary{{"k", -1}}}},
                                   {"inner", Dictionary{{"x", 0.5}}}};
    EXPECT_EQ(reply.description().toUtf8(),
              "{\n"
              "    id = 7;\n"
              "    name = \"Ada Lovelace\";\n"
              "    empty = \"\";\n"
              "    none = \"<null>\";\n"
              "    tags =     (\n"
              "        a,\n"
              "                {\n"
              "            k = \"-1\";\n"
              "        }\n"
              "    );\n"
              "    inner =     {\n"
              "        x = \"0.5\";\n"
              "    };\n"
              "}");
    EXPECT_EQ(Value(Array{}).description().toUtf8(), "(\n)");
    EXPECT_EQ(Value(Array{"q\"uote", "שלום"}).description().toUtf8(),
              "(\n    \"q\\\"uote\",\n    \"\\U05e9\\U05dc\\U05d5\\U05dd\"\n)");
}

TEST(ValueDescription, ScalarsAndBytes) {
    EXPECT_EQ(Value("plain text").description(), String("plain text"));
    EXPECT_EQ(Value(true).description(), String("1"));
    EXPECT_EQ(Value(Date::dateWithTimeIntervalSinceReferenceDate(0)).description(),
              String("2001-01-01 00:00:00 +0000"));
    EXPECT_EQ(Value(Data::fromString("abc")).description(),
              String("{length = 3, bytes = 0x616263}"));
    EXPECT_EQ(Value(Data(std::vector<uint8_t>(40, 0xAB))).description(),
              String("{length = 40, bytes = 0xabababab abababab abababab abababab ... "
                     "abababab abababab }"));
}

TEST(Date, ConvertsBetweenEpochs) {
    const Date date = Date::dateWithTimeIntervalSince1970(978307200.0 + 86400.0 * 365);
    EXPECT_DOUBLE_EQ(date.timeIntervalSinceReferenceDate(), 86400.0 * 365);
    EXPECT_EQ(date.description(), String("2002-01-01 00:00:00 +0000"));
    EXPECT_EQ(Date::dateWithTimeIntervalSinceReferenceDate(1e300).description(),
              String("(invalid date)"));
}

TEST(Error, DescriptionsFollowThePlatform) {
    const Error error(NSURLErrorDomain, -1004,
                      Dictionary{{NSLocalizedDescriptionKey, "Could not connect to the server."},
                                 {NSURLErrorFailingURLStringErrorKey, "http://127.0.0.1:9/x"}});
    EXPECT_EQ(error.description().toUtf8(),
              "Error Domain=NSURLErrorDomain Code=-1004 \"Could not connect to the server.\" "
              "UserInfo={NSLocalizedDescription=Could not connect to the server., "
              "NSErrorFailingURLStringKey=http://127.0.0.1:9/x}");
    EXPECT_EQ(error.localizedDescription(), String("Could not connect to the server."));
    EXPECT_TRUE(error.localizedFailureReason().isAbsent());

    const Error bare("Custom", 3);
    EXPECT_EQ(bare.description().toUtf8(), "Error Domain=Custom Code=3 \"(null)\"");
    EXPECT_EQ(bare.localizedDescription().toUtf8(),
              "The operation couldn\u2019t be completed. (Custom error 3.)");
    EXPECT_EQ(Value(bare), Value(Error("Custom", 3)));
    // Containers in the user information are described on their own; errors in containers too.
    const Error listing("Custom", 4, Dictionary{{"list", Array{"a b", bare}}});
    EXPECT_EQ(listing.description().toUtf8(),
              "Error Domain=Custom Code=4 \"(null)\" UserInfo={list=(\n    \"a b\",\n"
              "    Error Domain=Custom Code=3 \"(null)\"\n)}");
    EXPECT_NE(Value(bare).ifError(), nullptr);
}

}  // namespace
}  // namespace ov
