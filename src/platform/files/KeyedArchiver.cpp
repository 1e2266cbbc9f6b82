#include "orvane/platform/files/KeyedArchiver.h"

#include <map>
#include <optional>
#include <vector>

#include "platform/files/KeyedArchiveLayout.h"
#include "platform/files/PlistNode.h"

namespace ov {

using namespace archive;

struct KeyedArchiver::State {
    plist::Node objects{plist_new_array()};
    // The entry of the archivable object being encoded; encode calls add to it.
    plist_t current = nullptr;
    size_t depth = 0;
    std::map<const Object*, uint64_t> objectUids;
    std::map<String, uint64_t> stringUids;
    std::map<String, uint64_t> classUids;
    std::optional<uint64_t> nullUid;
    std::optional<Error> error;

    void fail(const std::string& reason) {
        if (!error) error = plist::writeError(reason);
    }

    uint64_t append(plist::Node node) {
        const uint64_t uid = plist_array_get_size(objects.get());
        plist_array_append_item(objects.get(), node.release());
        return uid;
    }

    // A dictionary entry appended now and filled in afterwards, so that a container's own
    // index comes before its children's, as the platform writes them.
    std::pair<uint64_t, plist_t> appendEntry(const std::vector<String>& classes) {
        const uint64_t classUid = classReference(classes);
        plist_t entry = plist_new_dict();
        plist_dict_set_item(entry, kClassKey, plist_new_uid(classUid));
        return {append(plist::Node(entry)), entry};
    }

    uint64_t classReference(const std::vector<String>& classes) {
        if (const auto found = classUids.find(classes.front()); found != classUids.end())
            return found->second;
        plist_t names = plist_new_array();
        for (const String& name : classes)
            plist_array_append_item(names, plist_new_string(name.toUtf8().c_str()));
        plist_t entry = plist_new_dict();
        plist_dict_set_item(entry, kClassesKey, names);
        plist_dict_set_item(entry, kClassNameKey,
                            plist_new_string(classes.front().toUtf8().c_str()));
        return classUids[classes.front()] = append(plist::Node(entry));
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
    auto node = plist::stringNode(text);
    if (!node) {
        error = error.value_or(node.error());
        return 0;
    }
    return stringUids[text] = append(std::move(node).value());
}

uint64_t KeyedArchiver::State::arrayReference(const Array& array) {
    const auto [uid, entry] = appendEntry({kArrayClass, kObjectClass});
    plist_t items = plist_new_array();
    plist_dict_set_item(entry, kObjectsField, items);
    for (const Value& item : array)
        plist_array_append_item(items, plist_new_uid(reference(item)));
    return uid;
}

uint64_t KeyedArchiver::State::dictionaryReference(const Dictionary& dictionary) {
    const auto [uid, entry] = appendEntry({kDictionaryClass, kObjectClass});
    plist_t keys = plist_new_array();
    plist_t items = plist_new_array();
    plist_dict_set_item(entry, kKeysField, keys);
    plist_dict_set_item(entry, kObjectsField, items);
    for (const auto& [key, item] : dictionary) {
        plist_array_append_item(keys, plist_new_uid(stringReference(key)));
        plist_array_append_item(items, plist_new_uid(reference(item)));
    }
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
    const auto [uid, entry] = appendEntry(archivable->classHierarchy());
    // Known before its contents are encoded, so a cycle back to it ends here.
    objectUids[object.get()] = uid;
    plist_t outer = current;
    current = entry;
    archivable->encodeWithCoder(owner);
    current = outer;
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
            if (!nullUid) nullUid = appendEntry({kNullClass, kObjectClass}).first;
            uid = *nullUid;
            break;
        case Value::Kind::Boolean:
            uid = append(plist::Node(plist_new_bool(value.asBool())));
            break;
        case Value::Kind::Number:
        case Value::Kind::Data: {
            auto node = plist::nodeFromValue(value);
            uid = node ? append(std::move(node).value()) : 0;
            if (!node) error = node.error();
            break;
        }
        case Value::Kind::String:
            uid = stringReference(value.asString());
            break;
        case Value::Kind::Decimal: {
            const auto [entryUid, entry] = appendEntry({kDecimalClass, kNumberClass, kObjectClass});
            plist_dict_set_item(entry, kStringField,
                                plist_new_uid(stringReference(value.ifDecimal()->description())));
            uid = entryUid;
            break;
        }
        case Value::Kind::Date: {
            const auto [entryUid, entry] = appendEntry({kDateClass, kObjectClass});
            const double seconds = value.ifDate()->timeIntervalSinceReferenceDate();
            plist_dict_set_item(entry, kTimeField, plist_new_real(seconds));
            uid = entryUid;
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
    m_state->append(plist::Node(plist_new_string(kNullObject)));
}

KeyedArchiver::~KeyedArchiver() = default;

Result<Data> KeyedArchiver::archivedDataWithRootObject(const Value& rootObject,
                                                       PropertyListFormat format) {
    KeyedArchiver archiver;
    State& state = *archiver.m_state;
    const uint64_t root = state.reference(rootObject);
    if (state.error) return *state.error;
    plist::Node top(plist_new_dict());
    plist_dict_set_item(top.get(), kVersionKey, plist_new_uint(kArchiveVersion));
    plist_dict_set_item(top.get(), kArchiverKey, plist_new_string(archive::kArchiverName));
    plist_t topEntry = plist_new_dict();
    plist_dict_set_item(topEntry, kRootKey, plist_new_uid(root));
    plist_dict_set_item(top.get(), kTopKey, topEntry);
    plist_dict_set_item(top.get(), kObjectsKey, state.objects.release());
    return plist::serialize(top.get(), format);
}

void KeyedArchiver::encodeObject(const Value& object, const String& key) {
    if (!m_state->current) return;
    const uint64_t uid = m_state->reference(object);
    plist_dict_set_item(m_state->current, escapedKey(key).toUtf8().c_str(), plist_new_uid(uid));
}

void KeyedArchiver::encodeObject(const std::shared_ptr<ArchivableObject>& object,
                                 const String& key) {
    encodeObject(Value(std::shared_ptr<Object>(object)), key);
}

void KeyedArchiver::encodeBool(bool value, const String& key) {
    if (!m_state->current) return;
    plist_dict_set_item(m_state->current, escapedKey(key).toUtf8().c_str(),
                        plist_new_bool(value ? 1 : 0));
}

void KeyedArchiver::encodeInteger(long long value, const String& key) {
    if (!m_state->current) return;
    plist_dict_set_item(m_state->current, escapedKey(key).toUtf8().c_str(),
                        plist_new_uint(static_cast<uint64_t>(value)));
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
    if (!m_state->current) return;
    plist_dict_set_item(m_state->current, escapedKey(key).toUtf8().c_str(), plist_new_real(value));
}

}  // namespace ov
