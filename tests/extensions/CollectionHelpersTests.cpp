#include <gtest/gtest.h>

#include <set>

#include "orvane/extensions/NSArray+NSArray.h"
#include "orvane/extensions/NSDictionary+NSDictionary.h"
#include "orvane/extensions/NSMutableArray+NSMutableArray.h"
#include "orvane/platform/values/SystemLog.h"

namespace ov {
namespace {

namespace Arrays = NSArray_NSArray;
namespace MutableArrays = NSMutableArray_NSMutableArray;
namespace Dictionaries = NSDictionary_NSDictionary;

Dictionary person(const char* name, int age) {
    return Dictionary{{"name", name}, {"age", age}};
}

TEST(CollectionHelpersTest, SortsByElementOrKeyAndLogsKeyedSorts) {
    const Array people{person("Dana", 40), person("Ann", 25), person("Bob", 31)};
    SystemLogCapture capture;
    const Array byAge = Arrays::sortArray(people, String("age"), false);
    EXPECT_EQ(byAge, (Array{person("Dana", 40), person("Bob", 31), person("Ann", 25)}));
    EXPECT_EQ(capture.entries().size(), 6u);  // the input, then the result
    EXPECT_EQ(capture.entries()[3], byAge[0].description().toUtf8());
    EXPECT_EQ(Arrays::sortArray(people, String("name")),
              (Array{person("Ann", 25), person("Bob", 31), person("Dana", 40)}));

    capture.clear();
    EXPECT_EQ(Arrays::sortArray_ascending(Array{3, 1.5, 2}, false), (Array{3, 2, 1.5}));
    EXPECT_TRUE(capture.entries().empty());
    EXPECT_EQ(Arrays::sortArray(Array{"b", "B", "a"}), (Array{"B", "a", "b"}));
    // Mixed kinds sort by kind instead of failing.
    EXPECT_EQ(Arrays::sortArray(Array{"x", 2, Value::null(), 1}),
              (Array{Value::null(), 1, 2, "x"}));
    EXPECT_TRUE(Arrays::sortKey("age", true).isAbsent());
}

TEST(CollectionHelpersTest, FiltersByKeyIgnoringCase) {
    const Array people{person("Dana", 40), person("Bob", 31), Dictionary{{"name", 7}},
                       person("ANNA", 25)};
    SystemLogCapture capture;
    EXPECT_EQ(Arrays::filterArray(people, "AN", "name"),
              (Array{person("Dana", 40), person("ANNA", 25)}));
    ASSERT_EQ(capture.entries().size(), 8u);
    EXPECT_EQ(capture.entries()[0], "sTemp Dana");
    EXPECT_EQ(capture.entries()[1], "substring AN");
}

TEST(CollectionHelpersTest, FiltersByCaseFoldingNotByLowercasingEachSide) {
    SystemLogCapture quiet;
    // Lowercased alone, the search text ends in a final sigma that the word's middle sigma
    // never equals.
    const Array words{person("ΚΟΣΜΟΣ", 1), person("Straße", 2), person("Strand", 3)};
    EXPECT_EQ(Arrays::filterArray(words, "ΚΟΣ", "name"), (Array{person("ΚΟΣΜΟΣ", 1)}));
    EXPECT_EQ(Arrays::filterArray(words, "κοσμος", "name"), (Array{person("ΚΟΣΜΟΣ", 1)}));
    EXPECT_EQ(Arrays::filterArray(words, "STRASSE", "name"), (Array{person("Straße", 2)}));
}

TEST(CollectionHelpersTest, RemovesRepeatsAndMembership) {
    EXPECT_EQ(Arrays::removeDuplicateStrings(Array{"b", "a", "b", 1, 1.0}), (Array{"b", "a", 1}));
    const Array list{"a", 2};
    EXPECT_TRUE(MutableArrays::objectExist(list, 2.0));
    EXPECT_FALSE(MutableArrays::objectExist(list, "2"));

    Array people{person("Ann", 1), person("Bob", 2), person("Ann", 3)};
    MutableArrays::removeObjectBy("Ann", "name", people);
    EXPECT_EQ(people, (Array{person("Bob", 2), person("Ann", 3)}));
    MutableArrays::removeObjectBy("ann", "name", people);
    EXPECT_EQ(people.count(), 2u);

    Array front{"a"};
    MutableArrays::addObjectsToBeginning(front, Array{"x", "y"});
    EXPECT_EQ(front, (Array{"x", "y", "a"}));
    MutableArrays::addObjectsToBeginning(front, front);
    EXPECT_EQ(front, (Array{"x", "y", "a", "x", "y", "a"}));
}

TEST(CollectionHelpersTest, NullMarkersBecomeBlanks) {
    const Dictionary reply{{"a", Value::null()},
                           {"b", Dictionary{{"c", Value::null()}, {"n", 1}}},
                           {"d", Array{Value::null(), Array{Value::null()}}}};
    EXPECT_EQ(Dictionaries::replaceNullsWithBlanks(reply),
              (Dictionary{
                  {"a", ""}, {"b", Dictionary{{"c", ""}, {"n", 1}}}, {"d", Array{"", Array{""}}}}));
    EXPECT_EQ(Arrays::arrayByReplacingNullsWithBlanks(Array{Value::null(), reply, 3}),
              (Array{"", Dictionaries::replaceNullsWithBlanks(reply), 3}));
    // Only the argument's top level; the receiver is not read.
    EXPECT_EQ(Dictionaries::stripNulls(Dictionary{{"z", Value::null()}}, reply),
              (Dictionary{{"a", ""},
                          {"b", Dictionary{{"c", Value::null()}, {"n", 1}}},
                          {"d", Array{Value::null(), Array{Value::null()}}}}));
    // Deeper than the call stack would allow.
    Value deep = Value::null();
    for (int level = 0; level < 200000; ++level)
        deep = Array{deep};
    Value cleaned = Arrays::arrayByReplacingNullsWithBlanks(deep.asArray());
    while (const Array* array = cleaned.ifArray())
        cleaned = Value((*array)[0]);
    EXPECT_EQ(cleaned, Value(""));

    EXPECT_EQ(Dictionaries::emptyValues(
                  Dictionary{{"a", ""}, {"b", Value::null()}, {"c", 0}, {"d", ""}, {"e", " "}}),
              2);
}

// Both shuffles keep every element, and over many runs put every element everywhere.
TEST(CollectionHelpersTest, ShufflesArePermutationsReachingEveryPosition) {
    const Array original{0, 1, 2, 3, 4};
    for (const bool inPlace : {false, true}) {
        std::set<std::pair<long long, size_t>> seen;  // element, position
        for (int run = 0; run < 400; ++run) {
            Array array = original;
            inPlace ? MutableArrays::shuffle(array) : (void)MutableArrays::shuffleArray(array);
            for (size_t position = 0; position < array.count(); ++position)
                seen.emplace(array[position].asNumber().longLongValue(), position);
            ASSERT_EQ(Arrays::sortArray_ascending(array, true), original);
        }
        EXPECT_EQ(seen.size(), 25u);
    }
    for (Array small : {Array{}, Array{"only"}}) {
        const Array before = small;
        MutableArrays::shuffle(small);
        EXPECT_EQ(MutableArrays::shuffleArray(small), before);
    }
}

}  // namespace
}  // namespace ov
