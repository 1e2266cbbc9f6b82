#include <gtest/gtest.h>

#include <limits>

#include "orvane/extensions/EncodeDecode.h"

namespace ov {
namespace {

// A model of every property kind the coder meets, archived through its property table alone.
class Record : public ArchivableObject, public Introspectable {
  public:
    String className() const override { return "TestRecord"; }
    const ObjectClass& objectClass() const override {
        static const ObjectClass kClass(
            "TestRecord",
            {
                ObjectClass::property("name", "T@\"NSString\",C,N,V_name", &Record::name),
                ObjectClass::property("tags", "T@\"NSDictionary\",&,N,V_tags", &Record::tags),
                ObjectClass::property("count", "Ti,N,V_count", &Record::count),
                ObjectClass::property("ratio", "Tf,N,V_ratio", &Record::ratio),
                ObjectClass::property("big", "Tq,N,V_big", &Record::big),
                ObjectClass::property("flag", "Tc,N,V_flag", &Record::flag),
                ObjectClass::property("score", "Td,N,V_score", &Record::score),
                ObjectClass::property("wide", "Tl,N,V_wide", &Record::wide),
                ObjectClass::property("done", "TB,N,V_done", &Record::done),
                ObjectClass::property("title", "T@\"NSString\",R,N,V_title", &Record::title),
                ObjectClass::property("note", "T@\"NSString\",&,N", &Record::note),
            });
        return kClass;
    }
    void encodeWithCoder(KeyedArchiver& coder) const override {
        EncodeDecode::encode(*this, coder);
    }
    void initWithCoder(KeyedUnarchiver& coder) override { EncodeDecode::init(*this, coder); }

    String name;
    Dictionary tags;
    int count = 0;
    float ratio = 0;
    long long big = 0;
    char flag = 0;
    double score = 0;
    long wide = 0;
    bool done = false;
    String title;
    std::optional<String> note;
};

// Declares one property of its own; the base's are not its to archive.
class SpecialRecord final : public Record {
  public:
    String className() const override { return "TestSpecialRecord"; }
    const ObjectClass& objectClass() const override {
        static const ObjectClass kClass(
            "TestSpecialRecord",
            {ObjectClass::property("extra", "Ti,N,V_extra", &SpecialRecord::extra)});
        return kClass;
    }
    int extra = 0;
};

const bool kRegistered =
    ArchivableObject::registerClass("TestRecord", [] { return std::make_shared<Record>(); }) &&
    ArchivableObject::registerClass("TestSpecialRecord",
                                    [] { return std::make_shared<SpecialRecord>(); });

template <class T>
std::shared_ptr<T> roundTrip(const std::shared_ptr<T>& object) {
    const auto data =
        KeyedArchiver::archivedDataWithRootObject(Value(std::shared_ptr<Object>(object)));
    EXPECT_TRUE(data.ok());
    return KeyedUnarchiver::unarchiveObjectWithData(data.value()).value().template ifObjectOf<T>();
}

Dictionary archivedKeys(const Value& object) {
    const auto data = KeyedArchiver::archivedDataWithRootObject(object);
    const Value plist = PropertyListSerialization::propertyListWithData(data.value()).value();
    const Dictionary& top = plist.asDictionary();
    const Value& root = top.objectForKey("$top").asDictionary().objectForKey("root");
    const auto uid = root.asDictionary().objectForKey("CF$UID").asNumber().longLongValue();
    Dictionary entry =
        top.objectForKey("$objects").asArray()[static_cast<size_t>(uid)].asDictionary();
    entry.removeObjectForKey("$class");
    return entry;
}

TEST(EncodeDecodeTest, DescriptorsKeepHandledPropertiesInDeclarationOrder) {
    ASSERT_TRUE(kRegistered);
    std::vector<std::pair<std::string, long long>> seen;
    for (const EncodeDecode& descriptor :
         EncodeDecode::propertyObjectsForClass(Record().objectClass()))
        seen.emplace_back(descriptor.propertyName().toUtf8(), descriptor.propertyType());
    EXPECT_EQ(seen, (std::vector<std::pair<std::string, long long>>{{"name", 1},
                                                                    {"tags", 1},
                                                                    {"count", 3},
                                                                    {"ratio", 4},
                                                                    {"flag", 2},
                                                                    {"score", 5},
                                                                    {"wide", 6},
                                                                    {"title", 1},
                                                                    {"note", 1}}));
    for (const char* skipped : {"Tq", "TQ", "TB", "Ts", "TI", "T{CGPoint=dd}", "T^v", "T", ""})
        EXPECT_EQ(EncodeDecode::kindOfAttributes(skipped), 0) << skipped;
    EXPECT_EQ(EncodeDecode::kindOfAttributes("T@?,C,N"), EncodeDecode::kObject);
    EXPECT_EQ(EncodeDecode::kindOfAttributes("Tcc"), 0);
    const EncodeDecode descriptor = EncodeDecode::initWithName("age", EncodeDecode::kInt);
    EXPECT_EQ(descriptor.propertyName(), "age");
    EXPECT_EQ(descriptor.propertyType(), 3);
}

TEST(EncodeDecodeTest, ArchivesEachKindAsItsTableSaysAndRestoresEqualFields) {
    auto record = std::make_shared<Record>();
    record->name = "Ada";
    record->tags = Dictionary{{"role", "analyst"}};
    record->count = 42;
    record->ratio = 0.25f;
    record->big = 1LL << 40;
    record->flag = 7;
    record->score = 2.75;
    record->wide = 0x1'0000'0005L;  // only the low 32 bits are archived
    record->done = true;
    record->title = "read-only";

    const Dictionary keys = archivedKeys(Value(std::shared_ptr<Object>(record)));
    EXPECT_FALSE(keys.containsKey("big"));
    EXPECT_FALSE(keys.containsKey("done"));
    EXPECT_EQ(keys.objectForKey("flag"), Value(true));
    EXPECT_EQ(keys.objectForKey("wide"), Value(5));
    EXPECT_EQ(keys.count(), 9u);

    const auto back = roundTrip(record);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, "Ada");
    EXPECT_EQ(back->tags, record->tags);
    EXPECT_EQ(back->count, 42);
    EXPECT_EQ(back->ratio, 0.25f);
    EXPECT_EQ(back->big, 0);   // skipped: keeps its initial value
    EXPECT_EQ(back->flag, 1);  // archived as a boolean
    EXPECT_EQ(back->score, 2.75);
    EXPECT_EQ(back->wide, 5);
    EXPECT_FALSE(back->done);
    EXPECT_EQ(back->title, "read-only");
    EXPECT_EQ(back->note, std::nullopt);
}

TEST(EncodeDecodeTest, ScalarsAreCutAsThePlatformDoes) {
    auto record = std::make_shared<Record>();
    record->wide = -1;
    record->flag = static_cast<char>(-3);
    record->note = "kept";
    const auto back = roundTrip(record);
    EXPECT_EQ(back->wide, -1);
    EXPECT_EQ(back->flag, 1);
    EXPECT_EQ(back->note, "kept");
}

TEST(EncodeDecodeTest, ASubclassArchivesOnlyWhatItDeclares) {
    auto special = std::make_shared<SpecialRecord>();
    special->name = "lost";
    special->extra = 9;
    EXPECT_EQ(archivedKeys(Value(std::shared_ptr<Object>(special))), (Dictionary{{"extra", 9}}));
    const auto back = roundTrip(special);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->extra, 9);
    EXPECT_EQ(back->name, "");
}

// Archived with an older declaration: missing keys restore zero values, stale keys are ignored.
class OldRecord final : public ArchivableObject, public Introspectable {
  public:
    String className() const override { return "TestRecord"; }
    const ObjectClass& objectClass() const override {
        static const ObjectClass kClass(
            "TestRecord", {ObjectClass::property("gone", "Ti,N,V_gone", &OldRecord::gone)});
        return kClass;
    }
    void encodeWithCoder(KeyedArchiver& coder) const override {
        EncodeDecode::encode(*this, coder);
    }
    void initWithCoder(KeyedUnarchiver& coder) override { EncodeDecode::init(*this, coder); }
    int gone = 5;
};

TEST(EncodeDecodeTest, MissingKeysRestoreZeroValues) {
    const auto data = KeyedArchiver::archivedDataWithRootObject(
        Value(std::shared_ptr<Object>(std::make_shared<OldRecord>())));
    const auto back =
        KeyedUnarchiver::unarchiveObjectWithData(data.value()).value().ifObjectOf<Record>();
    ASSERT_TRUE(back);
    EXPECT_EQ(back->name, "");
    EXPECT_EQ(back->count, 0);
    EXPECT_EQ(back->score, 0.0);
    EXPECT_EQ(back->note, std::nullopt);
}

}  // namespace
}  // namespace ov
