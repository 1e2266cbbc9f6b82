#include "orvane/platform/files/KeyedArchiver.h"

#include <map>
#include <optional>
#include <vector>

#include "platform/files/KeyedArchiveLayout.h"
#include "platform/files/PropertyListError.h"
#include "platform/files/PropertyListReference.h"

namespace ov {

using namespace archive;

struct KeyedArchiver::State {
    Array objects{kNullObject};
    // The entry of the archivable object being encoded; encode calls add to it.
    Dictionary* current = nullptr;
    size_t depth = 0;
    std::map<const Object*, uint64_t> objectUids;
    std::map<String, uint64_t> stringUids;
    std::map<String, uint64_t> classUids;
    std::optional<uint64_t> nullUid;
    std::optional<Error> error;

    void fail(const std::string& reason) {
        if (!error) error = plist::writeError(reason);
    }

    uint64_t append(Value value) {
        objects.addObject(std::move(value));
        return objects.count() - 1;
    }

    // An entry's place is taken (after its class's) before its contents are encoded and filled
    // in afterwards, so that a container's own index comes before its children's.
    uint64_t reserve() { return append(Value()); }
    void fill(uint64_t uid, Dictionary entry) { objects.at(uid) = std::move(entry); }

    Dictionary entryOfClass(const std::vector<String>& classes) {
        return Dictionary{{kClassKey, plist::reference(classReference(classes))}};
    }

    uint64_t classReference(const std::vector<String>& classes) {
        if (const auto found = classUids.find(classes.front()); found != classUids.end())
            return found->second;
        Array names;
        for (const String& name : classes)
            names.addObject(name);
        return classUids[classes.front()] =
                   append(Dictionary{{kClassesKey, names}, {kClassNameKey, classes.front()}});
    }

    uint64_t reference(const Value& value);
    uint64_t stringReference(const String& text);
    uint64_t arrayReference(const Array& array);
    uint64_t dictionaryReference(const Dictionary& dictionary);
    uint64_t objectReference(const std::shared_ptr<Object>& object, KeyedArchiver& archiver);

    KeyedArchiver* archiver = nullptr;
};

namespace {

String escapedKey(const String& key) {
    return key.hasPrefix("$") ? "$" + key : key;
}

}  // namespace

uint64_t KeyedArchiver::State::stringReference(const String& text) {
    if (const auto found = stringUids.find(text); found != stringUids.end()) return found->second;
    return stringUids[text] = append(text);
}

uint64_t KeyedArchiver::State::arrayReference(const Array& array) {
    Dictionary entry = entryOfClass({kArrayClass, kObjectClass});
    const uint64_t uid = reserve();
    Array items;
    for (const Value& item : array)
        items.addObject(plist::reference(reference(item)));
    entry.setObject(std::move(items), kObjectsField);
    fill(uid, std::move(entry));
    return uid;
}

uint64_t KeyedArchiver::State::dictionaryReference(const Dictionary& dictionary) {
    Dictionary entry = entryOfClass({kDictionaryClass, kObjectClass});
    const uint64_t uid = reserve();
    Array keys;
    Array items;
    for (const auto& [key, item] : dictionary) {
        keys.addObject(plist::reference(stringReference(key)));
        items.addObject(plist::reference(reference(item)));
    }
    entry.setObject(std::move(keys), kKeysField);
    entry.setObject(std::move(items), kObjectsField);
    fill(uid, std::move(entry));
    return uid;
}

uint64_t KeyedArchiver::State::objectReference(const std::shared_ptr<Object>& object,
                                               KeyedArchiver& owner) {
    if (const auto found = objectUids.find(object.get()); found != objectUids.end())
        return found->second;
    const auto* archivable = dynamic_cast<const ArchivableObject*>(object.get());
    if (!archivable) {
        fail("Invalid type in keyed archive (" + object->className().toUtf8() + ")");
        return 0;
    }
    Dictionary entry = entryOfClass(archivable->classHierarchy());
    const uint64_t uid = reserve();
    // Known before its contents are encoded, so a cycle back to it ends here.
    objectUids[object.get()] = uid;
    Dictionary* outer = current;
    current = &entry;
    archivable->encodeWithCoder(owner);
    current = outer;
    fill(uid, std::move(entry));
    return uid;
}

uint64_t KeyedArchiver::State::reference(const Value& value) {
    if (error) return 0;
    if (depth >= PropertyListSerialization::kMaxDepth) {
        fail("nested too deeply");
        return 0;
    }
    ++depth;
    uint64_t uid = 0;
    switch (value.kind()) {
        case Value::Kind::Absent:
            break;
        case Value::Kind::Null:
            if (!nullUid) nullUid = append(entryOfClass({kNullClass, kObjectClass}));
            uid = *nullUid;
            break;
        case Value::Kind::Boolean:
        case Value::Kind::Number:
        case Value::Kind::Data:
            uid = append(value);
            break;
        case Value::Kind::String:
            uid = stringReference(value.asString());
            break;
        case Value::Kind::Decimal: {
            Dictionary entry = entryOfClass({kDecimalClass, kNumberClass, kObjectClass});
            uid = reserve();
            entry.setObject(plist::reference(stringReference(value.ifDecimal()->description())),
                            kStringField);
            fill(uid, std::move(entry));
            break;
        }
        case Value::Kind::Date: {
            Dictionary entry = entryOfClass({kDateClass, kObjectClass});
            entry.setObject(value.ifDate()->timeIntervalSinceReferenceDate(), kTimeField);
            uid = append(std::move(entry));
            break;
        }
        case Value::Kind::Array:
            uid = arrayReference(value.asArray());
            break;
        case Value::Kind::Dictionary:
            uid = dictionaryReference(value.asDictionary());
            break;
        case Value::Kind::Object:
            uid = objectReference(*value.ifObject(), *archiver);
            break;
    }
    --depth;
    return uid;
}

KeyedArchiver::KeyedArchiver() : m_state(std::make_unique<State>()) {
    m_state->archiver = this;
}

KeyedArchiver::~KeyedArchiver() = default;

Result<Data> KeyedArchiver::archivedDataWithRootObject(const Value& rootObject,
                                                       PropertyListFormat format) {
    KeyedArchiver archiver;
    State& state = *archiver.m_state;
    const uint64_t root = state.reference(rootObject);
    if (state.error) return *state.error;
    const Dictionary top{{kVersionKey, kArchiveVersion},
                         {kArchiverKey, archive::kArchiverName},
                         {kTopKey, Dictionary{{kRootKey, plist::reference(root)}}},
                         {kObjectsKey, std::move(state.objects)}};
    return PropertyListSerialization::dataWithPropertyList(top, format);
}

void KeyedArchiver::encodeObject(const Value& object, const String& key) {
    if (!m_state->current) return;
    const uint64_t uid = m_state->reference(object);
    m_state->current->setObject(plist::reference(uid), escapedKey(key));
}

void KeyedArchiver::encodeObject(const std::shared_ptr<ArchivableObject>& object,
                                 const String& key) {
    encodeObject(Value(std::shared_ptr<Object>(object)), key);
}

void KeyedArchiver::encodeBool(bool value, const String& key) {
    encodeScalar(value, key);
}

void KeyedArchiver::encodeInteger(long long value, const String& key) {
    encodeScalar(value, key);
}

void KeyedArchiver::encodeInt32(int32_t value, const String& key) {
    encodeInteger(value, key);
}

void KeyedArchiver::encodeInt64(int64_t value, const String& key) {
    encodeInteger(value, key);
}

void KeyedArchiver::encodeFloat(float value, const String& key) {
    encodeDouble(value, key);
}

void KeyedArchiver::encodeDouble(double value, const String& key) {
    encodeScalar(value, key);
}

void KeyedArchiver::encodeScalar(Value value, const String& key) {
    if (m_state->current) m_state->current->setObject(std::move(value), escapedKey(key));
}

}  // namespace ov
