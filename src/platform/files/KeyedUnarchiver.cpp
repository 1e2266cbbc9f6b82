#include "orvane/platform/files/KeyedUnarchiver.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <set>

#include "orvane/platform/files/PropertyList.h"
#include "platform/files/KeyedArchiveLayout.h"
#include "platform/files/PropertyListReference.h"

namespace ov {

using namespace archive;

namespace {

// Restored values share repeated parts, but whoever walks them sees every copy; the number of
// nodes they expand to is bounded like the property-list reader's.
constexpr size_t kMinWeightBudget = size_t{1} << 20;
constexpr size_t kWeightPerByte = 4;

Error corrupt(const std::string& reason) {
    return Error(NSCocoaErrorDomain, KeyedUnarchiver::kReadCorruptError,
                 {{NSDebugDescriptionErrorKey, String(reason)}});
}

const Value& itemOf(const Value& dictionary, const String& key) {
    const Dictionary* entries = dictionary.ifDictionary();
    return entries ? entries->objectForKey(key) : Value::absent();
}

String escapedKey(const String& key) {
    return key.hasPrefix("$") ? "$" + key : key;
}

Number numberOf(const Value& value) {
    if (const Number* number = value.ifNumber()) return *number;
    if (const auto flag = value.ifBool()) return Number(*flag ? 1 : 0);
    return Number(0);
}

}  // namespace

struct KeyedUnarchiver::State {
    Array objects;
    const Value* current = nullptr;
    size_t depth = 0;
    size_t weightBudget = 0;
    std::map<uint64_t, std::pair<Value, size_t>> decoded;  // the value and its weight
    std::set<uint64_t> inProgress;
    std::optional<Error> error;
    KeyedUnarchiver* owner = nullptr;

    Value fail(const std::string& reason) {
        if (!error) error = corrupt(reason);
        return {};
    }

    Value decode(uint64_t uid);
    std::pair<Value, size_t> decodeEntry(uint64_t uid, const Value& node);
    std::pair<Value, size_t> decodeInstance(uint64_t uid, const Value& node);
    std::optional<std::vector<String>> classNames(const Value& node);
    std::optional<std::vector<uint64_t>> uids(const Value& array);
    size_t weightOf(uint64_t uid) const;
};

size_t KeyedUnarchiver::State::weightOf(uint64_t uid) const {
    const auto found = decoded.find(uid);
    return found == decoded.end() ? 1 : found->second.second;
}

std::optional<std::vector<uint64_t>> KeyedUnarchiver::State::uids(const Value& array) {
    const Array* items = array.ifArray();
    if (!items) return std::nullopt;
    std::vector<uint64_t> result;
    for (const Value& item : *items) {
        const auto uid = plist::referencedIndex(item);
        if (!uid) return std::nullopt;
        result.push_back(*uid);
    }
    return result;
}

std::optional<std::vector<String>> KeyedUnarchiver::State::classNames(const Value& node) {
    const auto classUid = plist::referencedIndex(itemOf(node, kClassKey));
    if (!classUid || *classUid >= objects.count()) return std::nullopt;
    const Value& entry = objects[*classUid];
    const String* name = itemOf(entry, kClassNameKey).ifString();
    if (!name) return std::nullopt;
    std::vector<String> names{*name};
    if (const Array* classes = itemOf(entry, kClassesKey).ifArray()) {
        for (const Value& item : *classes) {
            if (const String* text = item.ifString()) names.push_back(*text);
        }
    }
    return names;
}

Value KeyedUnarchiver::State::decode(uint64_t uid) {
    if (error || uid == 0) return {};
    if (uid >= objects.count()) return fail("reference out of range");
    if (const auto found = decoded.find(uid); found != decoded.end()) return found->second.first;
    if (inProgress.contains(uid)) return fail("cycle through values");
    if (depth >= PropertyListSerialization::kMaxDepth) return fail("nested too deeply");
    ++depth;
    inProgress.insert(uid);
    auto result = decodeEntry(uid, objects[uid]);
    inProgress.erase(uid);
    --depth;
    if (error) return {};
    if (result.second > weightBudget) return fail("archive expands too far");
    // An archivable object has recorded itself before its contents were decoded.
    decoded.try_emplace(uid, result);
    return result.first;
}

std::pair<Value, size_t> KeyedUnarchiver::State::decodeEntry(uint64_t uid, const Value& node) {
    switch (node.kind()) {
        case Value::Kind::String:
        case Value::Kind::Boolean:
        case Value::Kind::Number:
        case Value::Kind::Data:
            return {node, 1};
        case Value::Kind::Dictionary:
            break;
        default:
            return {fail("unexpected object kind"), 0};
    }
    const auto names = classNames(node);
    if (!names) return {fail("object without a class"), 0};
    const String& name = names->front();
    if (name == kArrayClass || name == kMutableArrayClass) {
        const auto items = uids(itemOf(node, kObjectsField));
        if (!items) return {fail("array without NS.objects"), 0};
        Array array;
        size_t weight = 1;
        for (const uint64_t item : *items) {
            array.addObject(decode(item));
            weight += weightOf(item);
        }
        return {Value(std::move(array)), weight};
    }
    if (name == kDictionaryClass || name == kMutableDictionaryClass) {
        const auto keys = uids(itemOf(node, kKeysField));
        const auto items = uids(itemOf(node, kObjectsField));
        if (!keys || !items || keys->size() != items->size())
            return {fail("dictionary without matching NS.keys and NS.objects"), 0};
        Dictionary dictionary;
        size_t weight = 1;
        for (size_t i = 0; i < keys->size(); ++i) {
            const Value key = decode((*keys)[i]);
            if (!key.isString()) return {fail("dictionary key is not a string"), 0};
            dictionary.setObject(decode((*items)[i]), key.asString());
            weight += 1 + weightOf((*items)[i]);
        }
        return {Value(std::move(dictionary)), weight};
    }
    if (name == kDateClass) {
        const Number* seconds = itemOf(node, kTimeField).ifNumber();
        if (!seconds) return {fail("date without NS.time"), 0};
        const double interval = seconds->doubleValue();
        // A NaN is no moment, and would not even equal itself once restored.
        if (std::isnan(interval)) return {fail("date whose NS.time is not a number"), 0};
        return {Date::dateWithTimeIntervalSinceReferenceDate(interval), 1};
    }
    if (name == kNullClass) return {Value::null(), 1};
    if (name == kDecimalClass || name == kStringClass || name == kMutableStringClass) {
        const auto text = plist::referencedIndex(itemOf(node, kStringField));
        const Value string = text ? decode(*text) : Value();
        if (!string.isString()) return {fail("string field missing"), 0};
        if (name != kDecimalClass) return {string, 1};
        const auto decimal = Decimal::fromString(string.asString().toUtf8());
        if (!decimal) return {fail("bad decimal"), 0};
        return {Value(*decimal), 1};
    }
    if (name == kDataClass || name == kMutableDataClass) {
        const Value& bytes = itemOf(node, kDataField);
        if (!bytes.isData()) return {fail("data field missing"), 0};
        return {bytes, 1};
    }
    return decodeInstance(uid, node);
}

std::pair<Value, size_t> KeyedUnarchiver::State::decodeInstance(uint64_t uid, const Value& node) {
    const std::vector<String> names = classNames(node).value_or(std::vector<String>{});
    std::shared_ptr<ArchivableObject> instance;
    for (const String& name : names) {
        if ((instance = ArchivableObject::instanceOfClass(name))) break;
    }
    if (!instance) return {fail("cannot decode object of class " + names.front().toUtf8()), 0};
    const Value value{std::shared_ptr<Object>(instance)};
    // Recorded first, so that references back to it from inside come back to this instance.
    decoded.emplace(uid, std::make_pair(value, size_t{1}));
    inProgress.erase(uid);
    const Value* outer = current;
    current = &node;
    instance->initWithCoder(*owner);
    current = outer;
    return {value, 1};
}

KeyedUnarchiver::KeyedUnarchiver(std::unique_ptr<State> state) : m_state(std::move(state)) {
    m_state->owner = this;
}

KeyedUnarchiver::~KeyedUnarchiver() = default;

Result<Value> KeyedUnarchiver::unarchiveObjectWithData(const Data& data) {
    const auto parsed = PropertyListSerialization::propertyListWithData(data);
    if (!parsed) {
        const Value reason = parsed.error().userInfo().objectForKey(NSDebugDescriptionErrorKey);
        return corrupt(reason.description().toUtf8());
    }
    const Value& top = parsed.value();
    if (itemOf(top, kArchiverKey) != Value(archive::kArchiverName))
        return corrupt("not a keyed archive");
    const Array* objects = itemOf(top, kObjectsKey).ifArray();
    if (!objects) return corrupt("archive without $objects");
    const auto rootUid = plist::referencedIndex(itemOf(itemOf(top, kTopKey), kRootKey));
    if (!rootUid) return corrupt("archive without a root");
    auto state = std::make_unique<State>();
    state->objects = *objects;
    state->weightBudget = std::max(kMinWeightBudget, kWeightPerByte * data.length());
    KeyedUnarchiver unarchiver(std::move(state));
    Value root = unarchiver.m_state->decode(*rootUid);
    if (unarchiver.m_state->error) return *unarchiver.m_state->error;
    return root;
}

bool KeyedUnarchiver::containsValueForKey(const String& key) const {
    return m_state->current && !itemOf(*m_state->current, escapedKey(key)).isAbsent();
}

Value KeyedUnarchiver::decodeObjectForKey(const String& key) {
    if (!m_state->current) return {};
    const Value& node = itemOf(*m_state->current, escapedKey(key));
    if (const auto uid = plist::referencedIndex(node)) return m_state->decode(*uid);
    return node;
}

bool KeyedUnarchiver::decodeBoolForKey(const String& key) {
    return numberOf(decodeObjectForKey(key)).boolValue();
}

long long KeyedUnarchiver::decodeIntegerForKey(const String& key) {
    return numberOf(decodeObjectForKey(key)).longLongValue();
}

int32_t KeyedUnarchiver::decodeInt32ForKey(const String& key) {
    return numberOf(decodeObjectForKey(key)).intValue();
}

int64_t KeyedUnarchiver::decodeInt64ForKey(const String& key) {
    return numberOf(decodeObjectForKey(key)).longLongValue();
}

float KeyedUnarchiver::decodeFloatForKey(const String& key) {
    const double value = numberOf(decodeObjectForKey(key)).doubleValue();
    // Out of float's range is undefined for a cast; the platform gives infinity.
    if (std::isfinite(value) && std::fabs(value) > std::numeric_limits<float>::max())
        return value > 0 ? std::numeric_limits<float>::infinity()
                         : -std::numeric_limits<float>::infinity();
    return static_cast<float>(value);
}

double KeyedUnarchiver::decodeDoubleForKey(const String& key) {
    return numberOf(decodeObjectForKey(key)).doubleValue();
}

}  // namespace ov
