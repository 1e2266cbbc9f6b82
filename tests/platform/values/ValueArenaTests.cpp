#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "orvane/platform/values/Value.h"
#include "orvane/platform/values/ValueArena.h"

namespace ov {
namespace {

String arenaText(ValueArena& arena, std::string_view ascii, size_t room = 0) {
    return String::build(arena, std::max(room, ascii.size()), [&](char16_t* out) {
        return std::copy(ascii.begin(), ascii.end(), out) - out;
    });
}

Value arenaArray(ValueArena& arena, std::vector<Value> items) {
    return Array(arena, items.data(), items.size());
}

Value arenaDictionary(ValueArena& arena, std::vector<Dictionary::Entry> entries) {
    return Dictionary::fromEntries(arena, entries.data(), entries.size());
}

std::string keyNumber(int i) {
    return "a key long enough for a block " + std::to_string(i);
}

// {"people": [{"name": ..., "tags": [...]}, ...], "index": {20 keys}}, all in one arena.
Value document(ValueArena& arena, int people) {
    std::vector<Value> list;
    for (int i = 0; i < people; ++i) {
        Value tags = arenaArray(arena, {arenaText(arena, "a tag that needs a block"), i, "t"});
        list.push_back(arenaDictionary(
            arena, {{"name", arenaText(arena, "person number " + std::to_string(i))},
                    {arenaText(arena, "tags of this person"), std::move(tags)}}));
    }
    std::vector<Dictionary::Entry> index;
    for (int i = 0; i < 20; ++i)
        index.emplace_back(arenaText(arena, keyNumber(i)), i);
    return arenaDictionary(arena, {{"people", arenaArray(arena, std::move(list))},
                                   {"index", arenaDictionary(arena, std::move(index))}});
}

const Value& personAt(const Value& root, size_t i) {
    return root.asDictionary().objectForKey("people").asArray()[i];
}

// Under the address and leak sanitizers these also show that the arena is freed exactly once,
// after its last holder.
TEST(ValueArena, PartsOfADocumentOutliveTheRestOfIt) {
    ValueArena& arena = ValueArena::make();
    Value root = document(arena, 3);
    arena.finish();

    Value name = personAt(root, 1).asDictionary().objectForKey("name");
    Value tags = personAt(root, 2).asDictionary().objectForKey("tags of this person");
    Value index = root.asDictionary().objectForKey("index");
    root = Value();

    EXPECT_EQ(name, Value("person number 1"));
    EXPECT_EQ(tags, Value(Array{"a tag that needs a block", 2, "t"}));
    ASSERT_EQ(index.asDictionary().count(), 20u);
    for (int i = 0; i < 20; ++i)
        EXPECT_EQ(index.asDictionary().objectForKey(String(keyNumber(i))), Value(i));
    EXPECT_NE(name.asString().arena(), nullptr);
}

TEST(ValueArena, AnArenaNothingHoldsGoesAtFinish) {
    ValueArena& arena = ValueArena::make();
    { Value dropped = document(arena, 2); }
    arena.finish();  // the leak sanitizer sees what this failed to free
}

TEST(ValueArena, ChangingAPartCopiesItOut) {
    ValueArena& arena = ValueArena::make();
    const Value root = document(arena, 2);
    arena.finish();

    Value index = root.asDictionary().objectForKey("index");
    index.mutableDictionary().setObject("new", String(keyNumber(3)));
    index.mutableDictionary().setObject("added", "another key for the index");
    index.mutableDictionary().removeObjectForKey(String(keyNumber(4)));
    Value tags = personAt(root, 0).asDictionary().objectForKey("tags of this person");
    tags.mutableArray().at(0) = "changed";
    tags.mutableArray().addObject(4);
    Value name = personAt(root, 0).asDictionary().objectForKey("name");
    name.mutableString() += " and more";

    const Dictionary& original = root.asDictionary().objectForKey("index").asDictionary();
    EXPECT_EQ(original.objectForKey(String(keyNumber(3))), Value(3));
    EXPECT_EQ(original.objectForKey(String(keyNumber(4))), Value(4));
    EXPECT_FALSE(original.containsKey("another key for the index"));
    EXPECT_EQ(index.asDictionary().objectForKey(String(keyNumber(3))), Value("new"));
    EXPECT_EQ(index.asDictionary().objectForKey("another key for the index"), Value("added"));
    EXPECT_EQ(index.asDictionary().count(), 20u);
    EXPECT_EQ(tags, Value(Array{"changed", 0, "t", 4}));
    EXPECT_EQ(personAt(root, 0).asDictionary().objectForKey("tags of this person"),
              Value(Array{"a tag that needs a block", 0, "t"}));
    EXPECT_EQ(name, Value("person number 0 and more"));
    EXPECT_EQ(name.asString().arena(), nullptr);
    EXPECT_EQ(personAt(root, 0).asDictionary().objectForKey("name"), Value("person number 0"));
}

TEST(ValueArena, RepeatedKeysKeepTheirFirstPlaceAndLastValue) {
    ValueArena& arena = ValueArena::make();
    for (const int count : {5, 40}) {  // searched linearly, then through the index
        std::vector<Dictionary::Entry> entries;
        for (int i = 0; i < count; ++i)
            entries.emplace_back(arenaText(arena, keyNumber(i % (count / 2 + 1))), i);
        const Value merged = arenaDictionary(arena, std::move(entries));
        const Dictionary& dictionary = merged.asDictionary();
        ASSERT_EQ(dictionary.count(), static_cast<size_t>(count / 2 + 1)) << count;
        for (int key = 0; key <= count / 2; ++key) {
            const int last = key + count / 2 + 1 < count ? key + count / 2 + 1 : key;
            EXPECT_EQ(dictionary.objectForKey(String(keyNumber(key))), Value(last)) << count;
            EXPECT_EQ(dictionary.begin()[key].first, String(keyNumber(key))) << count;
        }
    }
    arena.finish();
}

TEST(ValueArena, TextsKeepOnlyTheRoomTheyUse) {
    ValueArena& arena = ValueArena::make();
    const String fitsInline = arenaText(arena, "short", 40);
    const String first = arenaText(arena, "twenty units of text", 200);
    const String second = arenaText(arena, "the next text in the arena");
    arena.finish();

    EXPECT_TRUE(fitsInline.isInline());
    EXPECT_EQ(fitsInline, String("short"));
    EXPECT_EQ(first, String("twenty units of text"));
    EXPECT_EQ(second, String("the next text in the arena"));
    // The second text starts where the first one's units end, not after all the room asked.
    const auto gap = second.utf16().data() - first.utf16().data();
    EXPECT_GT(gap, 20);
    EXPECT_LT(gap, 40);
}

// A block that does not fit while the open chunk still has room goes elsewhere, and the smaller
// blocks after it go on filling that room.
TEST(ValueArena, RoomLeftInAChunkIsNotAbandonedForOneLargeBlock) {
    ValueArena& arena = ValueArena::make();
    arena.allocate(3000);  // fills the small first chunk, so the next one has room to spare
    auto* first = static_cast<char*>(arena.allocate(64));
    auto* large = static_cast<char*>(arena.allocate(8 * 1024));
    auto* next = static_cast<char*>(arena.allocate(64));
    arena.finish();
    EXPECT_NE(large, first + 64);
    EXPECT_LE(next - first, 64 + 16);  // right after the first, give or take the block header
    EXPECT_GT(next - first, 0);
}

TEST(ValueArena, ValuesHoldingStorageElsewhereStayOutOfIt) {
    ValueArena& arena = ValueArena::make();
    const String onTheHeap("a text on the heap, not in the arena");
    std::vector<Value> items{onTheHeap, Data::fromString("bytes"),
                             arenaText(arena, "in the arena")};
    Value mixed = Array(arena, items.data(), items.size());
    std::vector<Dictionary::Entry> entries{{onTheHeap, 1}, {"k", arenaText(arena, "also in it")}};
    Value keyed = Dictionary::fromEntries(arena, entries.data(), entries.size());
    arena.finish();

    EXPECT_EQ(mixed.asArray()[0], Value(onTheHeap));
    EXPECT_EQ(mixed.asArray()[1].ifData()->length(), 5u);
    EXPECT_EQ(mixed.asArray()[2], Value("in the arena"));
    EXPECT_EQ(keyed.asDictionary().objectForKey(onTheHeap), Value(1));
    EXPECT_EQ(keyed.asDictionary().objectForKey("k"), Value("also in it"));
}

TEST(ValueArenaThreaded, PartsAreReadChangedAndDroppedOnManyThreads) {
    ValueArena& arena = ValueArena::make();
    auto root = std::make_unique<Value>(document(arena, 64));
    arena.finish();
    const Value people = root->asDictionary().objectForKey("people");
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([people, t] {
            for (size_t i = 0; i < 64; ++i) {
                Value person = people.asArray()[i];
                Value tags = person.asDictionary().objectForKey("tags of this person");
                tags.mutableArray().addObject(t);
                ASSERT_EQ(tags.asArray().count(), 4u);
                ASSERT_EQ(person.asDictionary().objectForKey("name"),
                          Value("person number " + std::to_string(i)));
            }
        });
    }
    root.reset();  // while the threads still read
    for (auto& thread : threads)
        thread.join();
    EXPECT_EQ(people.asArray().count(), 64u);
}

}  // namespace
}  // namespace ov
