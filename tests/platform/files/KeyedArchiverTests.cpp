#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "orvane/platform/files/KeyedArchiver.h"
#include "orvane/platform/files/KeyedUnarchiver.h"
#include "orvane/platform/values/Error.h"

namespace ov {
namespace {

// A node of an object graph: a name, a link to another node and every scalar coder call.
class Node final : public ArchivableObject {
  public:
    String className() const override { return "TestArchiveNode"; }
    std::vector<String> classHierarchy() const override {
        return {"TestArchiveNode", "TestArchiveBase", "NSObject"};
    }
    void encodeWithCoder(KeyedArchiver& coder) const override {
        coder.encodeObject(name, "name");
        coder.encodeObject(link, "link");
        coder.encodeObject(payload, "$payload");
        coder.encodeBool(flag, "flag");
        coder.encodeInteger(integer, "integer");
        coder.encodeInt32(int32, "int32");
        coder.encodeInt64(int64, "int64");
        coder.encodeFloat(single, "single");
        coder.encodeDouble(real, "real");
    }
    void initWithCoder(KeyedUnarchiver& coder) override {
        name = coder.decodeObjectForKey("name");
        link = coder.decodeObjectForKey("link").ifObjectOf<Node>();
        payload = coder.decodeObjectForKey("$payload");
        flag = coder.decodeBoolForKey("flag");
        integer = coder.decodeIntegerForKey("integer");
        int32 = coder.decodeInt32ForKey("int32");
        int64 = coder.decodeInt64ForKey("int64");
        single = coder.decodeFloatForKey("single");
        real = coder.decodeDoubleForKey("real");
        sawMissingKey = coder.containsValueForKey("missing");
    }

    Value name;
    std::shared_ptr<Node> link;
    Value payload;
    bool flag = false;
    long long integer = 0;
    int32_t int32 = 0;
    int64_t int64 = 0;
    float single = 0;
    double real = 0;
    bool sawMissingKey = true;
};

// Only the base name is registered, so restoring has to fall back along "$classes".
const bool kRegistered =
    ArchivableObject::registerClass("TestArchiveBase", [] { return std::make_shared<Node>(); });

class Opaque final : public Object {
    String className() const override { return "Opaque"; }
};

Value of(const std::shared_ptr<Object>& object) {
    return Value(object);
}

Value roundTrip(const Value& root, PropertyListFormat format = PropertyListFormat::Binary) {
    const auto data = KeyedArchiver::archivedDataWithRootObject(root, format);
    EXPECT_TRUE(data.ok());
    if (!data.ok()) return {};
    auto back = KeyedUnarchiver::unarchiveObjectWithData(data.value());
    EXPECT_TRUE(back.ok()) << (back.ok() ? "" : back.error().description().toUtf8());
    return back.ok() ? back.value() : Value();
}

TEST(KeyedArchiverTest, WritesThePlatformLayout) {
    ASSERT_TRUE(kRegistered);
    const auto data = KeyedArchiver::archivedDataWithRootObject(Array{"a", "a"});
    const Value plist = PropertyListSerialization::propertyListWithData(data.value()).value();
    const Dictionary& top = plist.asDictionary();
    EXPECT_EQ(top.objectForKey("$archiver"), Value("NSKeyedArchiver"));
    EXPECT_EQ(top.objectForKey("$version"), Value(100000));
    const Array& objects = top.objectForKey("$objects").asArray();
    EXPECT_EQ(objects[0], Value("$null"));
    const long long root = top.objectForKey("$top")
                               .asDictionary()
                               .objectForKey("root")
                               .asDictionary()
                               .objectForKey("CF$UID")
                               .asNumber()
                               .longLongValue();
    const Dictionary& array = objects[static_cast<size_t>(root)].asDictionary();
    const Array& items = array.objectForKey("NS.objects").asArray();
    EXPECT_EQ(items[0], items[1]);  // equal strings stored once
    const long long classUid = array.objectForKey("$class")
                                   .asDictionary()
                                   .objectForKey("CF$UID")
                                   .asNumber()
                                   .longLongValue();
    EXPECT_EQ(
        objects[static_cast<size_t>(classUid)],
        Value(Dictionary{{"$classes", Array{"NSArray", "NSObject"}}, {"$classname", "NSArray"}}));
}

TEST(KeyedArchiverTest, RestoresEveryValueKindFromBinaryAndXml) {
    const Value tree = Dictionary{
        {"text", "héllo"},
        {"$null", "a string that looks like the marker"},
        {"number", 12},
        {"real", 2.5},
        {"yes", true},
        {"nothing", Value::null()},
        {"bytes", Data::fromString("\x01\x02")},
        {"when", Date::dateWithTimeIntervalSinceReferenceDate(123.456)},
        {"decimal", Decimal::fromString("3.14159265358979323846264338327950288").value()},
        {"nested", Array{Array{1}, Dictionary{{"k", "v"}}}},
    };
    for (const auto format : {PropertyListFormat::Binary, PropertyListFormat::Xml})
        EXPECT_EQ(roundTrip(tree, format), tree);
    EXPECT_TRUE(roundTrip(Value()).isAbsent());
}

TEST(KeyedArchiverTest, RestoresTheSameObjectGraphWithSharingAndCycles) {
    auto first = std::make_shared<Node>();
    auto second = std::make_shared<Node>();
    first->name = "first";
    first->link = second;
    second->name = "second";
    second->link = first;  // a cycle
    second->payload = Dictionary{{"list", Array{1, 2}}};
    second->flag = true;
    second->integer = -5000000000LL;
    second->int32 = -7;
    second->int64 = std::numeric_limits<int64_t>::max();
    second->single = 1.5f;
    second->real = 2.75;

    const Value back = roundTrip(Array{of(first), of(second), of(first)});
    second->link.reset();
    const Array& items = back.asArray();
    auto a = items[0].ifObjectOf<Node>();
    auto b = items[1].ifObjectOf<Node>();
    ASSERT_TRUE(a && b);
    EXPECT_EQ(items[2].ifObjectOf<Node>(), a);
    EXPECT_EQ(a->link, b);
    EXPECT_EQ(b->link, a);
    EXPECT_EQ(b->name, Value("second"));
    EXPECT_EQ(b->payload, second->payload);
    EXPECT_TRUE(b->flag);
    EXPECT_EQ(b->integer, -5000000000LL);
    EXPECT_EQ(b->int32, -7);
    EXPECT_EQ(b->int64, std::numeric_limits<int64_t>::max());
    EXPECT_EQ(b->single, 1.5f);
    EXPECT_EQ(b->real, 2.75);
    EXPECT_FALSE(b->sawMissingKey);
    EXPECT_TRUE(a->payload.isAbsent());
    b->link.reset();
}

TEST(KeyedArchiverTest, RefusesWhatItCannotArchive) {
    const auto opaque =
        KeyedArchiver::archivedDataWithRootObject(Array{of(std::make_shared<Opaque>())});
    ASSERT_FALSE(opaque.ok());
    EXPECT_NE(opaque.error().description().toUtf8().find("Opaque"), std::string::npos);
    Value deep = Array{};
    for (int i = 0; i < 600; ++i)
        deep = Array{deep};
    EXPECT_FALSE(KeyedArchiver::archivedDataWithRootObject(deep).ok());
}

Data xmlArchive(const std::string& objects, const std::string& root = "1") {
    return Data::fromString(
        "<plist version=\"1.0\"><dict><key>$archiver</key><string>NSKeyedArchiver</string>"
        "<key>$version</key><integer>100000</integer><key>$top</key><dict><key>root</key><dict>"
        "<key>CF$UID</key><integer>" +
        root +
        "</integer></dict></dict><key>$objects</key><array>"
        "<string>$null</string>" +
        objects + "</array></dict></plist>");
}

std::string uid(int value) {
    return "<dict><key>CF$UID</key><integer>" + std::to_string(value) + "</integer></dict>";
}

TEST(KeyedUnarchiverTest, MalformedArchivesAreFailures) {
    const std::string arrayClass = "<dict><key>$classname</key><string>NSArray</string></dict>";
    const std::string selfArray = "<dict><key>$class</key>" + uid(2) +
                                  "<key>NS.objects</key><array>" + uid(1) + "</array></dict>" +
                                  arrayClass;
    const std::string unknownClass =
        "<dict><key>$class</key>" + uid(2) +
        "</dict><dict><key>$classname</key><string>Nobody</string>"
        "<key>$classes</key><array><string>Nobody</string></array></dict>";
    const std::vector<Data> broken{
        Data::fromString("not a plist"),
        PropertyListSerialization::dataWithPropertyList(Dictionary{{"a", 1}}).value(),
        xmlArchive("<string>x</string>", "9"),
        xmlArchive(selfArray),
        xmlArchive(unknownClass),
        xmlArchive("<dict><key>NS.objects</key><array/></dict>"),
        xmlArchive("<array/>"),
        xmlArchive("<dict><key>$class</key>" + uid(2) + "<key>NS.objects</key><array>" + uid(7) +
                   "</array></dict>" + arrayClass),
    };
    for (const Data& data : broken) {
        const auto value = KeyedUnarchiver::unarchiveObjectWithData(data);
        ASSERT_FALSE(value.ok()) << data.view();
        EXPECT_EQ(value.error().code(), KeyedUnarchiver::kReadCorruptError);
    }
    EXPECT_EQ(KeyedUnarchiver::unarchiveObjectWithData(xmlArchive("<string>x</string>")).value(),
              Value("x"));
}

TEST(KeyedUnarchiverTest, ScalarsReadLenientlyAndMissingKeysReadAsZero) {
    auto node = std::make_shared<Node>();
    node->real = 1e300;  // above float's range
    node->integer = std::numeric_limits<long long>::max();
    const Value back = roundTrip(of(node));
    auto restored = back.ifObjectOf<Node>();
    ASSERT_TRUE(restored);
    EXPECT_EQ(restored->integer, std::numeric_limits<long long>::max());

    // Read the same archive through decoders of other widths.
    class Reader final : public ArchivableObject {
      public:
        String className() const override { return "Reader"; }
        void encodeWithCoder(KeyedArchiver&) const override {}
        void initWithCoder(KeyedUnarchiver& coder) override {
            asInt32 = coder.decodeInt32ForKey("integer");
            asFloat = coder.decodeFloatForKey("real");
            asBool = coder.decodeBoolForKey("real");
            missing = coder.decodeIntegerForKey("missing") + coder.decodeDoubleForKey("missing");
            missingObject = coder.decodeObjectForKey("missing");
        }
        int32_t asInt32 = 0;
        float asFloat = 0;
        bool asBool = false;
        double missing = -1;
        Value missingObject = "set";
    };
    ArchivableObject::registerClass("TestArchiveBase", [] { return std::make_shared<Reader>(); });
    const auto data = KeyedArchiver::archivedDataWithRootObject(of(node));
    const auto reader =
        KeyedUnarchiver::unarchiveObjectWithData(data.value()).value().ifObjectOf<Reader>();
    ArchivableObject::registerClass("TestArchiveBase", [] { return std::make_shared<Node>(); });
    ASSERT_TRUE(reader);
    EXPECT_EQ(reader->asInt32, std::numeric_limits<int32_t>::max());
    EXPECT_EQ(reader->asFloat, std::numeric_limits<float>::infinity());
    EXPECT_TRUE(reader->asBool);
    EXPECT_EQ(reader->missing, 0);
    EXPECT_TRUE(reader->missingObject.isAbsent());
}

}  // namespace
}  // namespace ov
