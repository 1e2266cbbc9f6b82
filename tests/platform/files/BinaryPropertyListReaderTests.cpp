#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "orvane/platform/files/PropertyList.h"
#include "support/BinaryPlist.h"

namespace ov {
namespace {

Value readOk(const Data& data) {
    auto value = PropertyListSerialization::propertyListWithData(data);
    EXPECT_TRUE(value.ok()) << (value.ok() ? "" : value.error().description().toUtf8());
    return value.ok() ? value.value() : Value();
}

TEST(BinaryPropertyListReaderTest, ReadsTheObjectFormsOtherWritersUse) {
    const Data file = test::binaryPlist(
        {
            {0xA7, 1, 2, 3, 4, 5, 6, 7},
            {0x22, 0x3F, 0xC0, 0x00, 0x00},                         // 1.5 as a float
            {0x14, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF,  // -2^63 in 128 bits
             0x80, 0, 0, 0, 0, 0, 0, 0},
            {0x14, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF},
            {0x12, 0xFF, 0xFF, 0xFF, 0xFF},  // four bytes are unsigned
            {0x81, 0x01, 0x00},              // a UID
            {0x52, 'a', 0xE9},               // a byte past ASCII reads as Latin-1
            {0x5F, 0x10, 0x0F, 'f', 'i', 'f', 't', 'e', 'e', 'n', ' ', 'l', 'e', 't', 't', 'e', 'r',
             's', '!'},
        },
        0, 2);
    const Value expected = Array{
        1.5,
        std::numeric_limits<long long>::min(),
        18446744073709551615ULL,
        4294967295LL,
        Dictionary{{"CF$UID", 256}},
        String(std::u16string(u"a\u00e9")),
        "fifteen letters",
    };
    EXPECT_EQ(readOk(file), expected);
}

TEST(BinaryPropertyListReaderTest, DamagedFilesFailWithTheReadError) {
    const std::vector<uint8_t> infinity{0x33, 0x7F, 0xF0, 0, 0, 0, 0, 0, 0};
    const std::vector<Data> damaged{
        test::binaryPlist({{0x14, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0}}),  // 2^64
        test::binaryPlist({{0x15, 0}}),                          // 32-byte integer
        test::binaryPlist({{0x21, 0, 0}}),                       // 2-byte real
        test::binaryPlist({infinity}),                           // a date that is no moment
        test::binaryPlist({{0xD1, 1, 1}, {0x10, 5}}),            // a key that is no string
        test::binaryPlist({{0x00}}),                             // the null object
        test::binaryPlist({{0x88, 1, 2, 3, 4, 5, 6, 7, 8, 9}}),  // a UID past 64 bits
        test::binaryPlist({{0x13, 1, 2}}),             // an integer running into the table
        test::binaryPlist({{0x5F, 0x10, 0xFF, 'a'}}),  // a counted string past the end
        test::binaryPlist({{0x5F, 0x23, 0, 0, 0, 0, 0, 0, 0, 0}}),  // a count that is real
        test::binaryPlist({{0x08}}, 1),                             // the top object out of range
        test::binaryPlist({}),                                      // no objects at all
        Data::fromString("bplist00" + std::string(32, '\0')),
    };
    for (const Data& data : damaged) {
        const auto value = PropertyListSerialization::propertyListWithData(data);
        ASSERT_FALSE(value.ok()) << data.description().toUtf8();
        EXPECT_EQ(value.error().code(), PropertyListSerialization::kReadCorruptError);
    }
    // Offsets outside the objects: into the header and into the offset table itself.
    for (const uint8_t offset : {0, 9}) {
        std::vector<uint8_t> bytes = test::binaryPlist({{0x08}}).vector();
        bytes[9] = offset;
        EXPECT_FALSE(PropertyListSerialization::propertyListWithData(Data(bytes)).ok());
    }
}

TEST(BinaryPropertyListReaderTest, SharedObjectsCountAtTheirFullSizeEachTimeTheyAreReferredTo) {
    // Twenty references to one string of 100,000 letters: two million letters once expanded.
    std::vector<uint8_t> text{0x5F, 0x12, 0x00, 0x01, 0x86, 0xA0};
    text.insert(text.end(), 100000, 'x');
    std::vector<uint8_t> list{0xAF, 0x10, 20};
    list.insert(list.end(), 20, 1);
    EXPECT_FALSE(
        PropertyListSerialization::propertyListWithData(test::binaryPlist({list, text}, 0, 4))
            .ok());
    list[2] = 2;
    list.resize(5);
    EXPECT_EQ(readOk(test::binaryPlist({list, text}, 0, 4)).asArray().count(), 2u);
}

}  // namespace
}  // namespace ov
