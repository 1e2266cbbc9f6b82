#include "orvane/platform/files/KeyedUnarchiver.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <map>
#include <optional>
#include <set>

#include "orvane/platform/files/PropertyList.h"
#include "platform/files/KeyedArchiveLayout.h"
#include "platform/files/PlistNode.h"

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

// A reference is a UID in the binary form and {"CF$UID": n} in the XML form, which libplist
// reads back as a plain dictionary.
std::optional<uint64_t> uidOf(plist_t node) {
    if (!node) return std::nullopt;
    uint64_t uid = 0;
    if (plist_get_node_type(node) == PLIST_UID) {
        plist_get_uid_val(node, &uid);
        return uid;
    }
    if (plist_get_node_type(node) != PLIST_DICT || plist_dict_get_size(node) != 1)
        return std::nullopt;
    plist_t number = plist_dict_get_item(node, kUidKey);
    if (!number || plist_get_node_type(number) != PLIST_UINT) return std::nullopt;
    plist_get_uint_val(number, &uid);
    return uid;
}

plist_t itemOf(plist_t dictionary, const char* key) {
    if (!dictionary || plist_get_node_type(dictionary) != PLIST_DICT) return nullptr;
    return plist_dict_get_item(dictionary, key);
}

bool isString(plist_t node, const char* text) {
    return node && plist_get_node_type(node) == PLIST_STRING && plist::utf8(node) == text;
}

std::string escapedKey(const String& key) {
    return (key.hasPrefix("$") ? "$" + key : key).toUtf8();
}

Number numberOf(const Value& value) {
    if (const Number* number = value.ifNumber()) return *number;
    if (const auto flag = value.ifBool()) return Number(*flag ? 1 : 0);
    return Number(0);
}

}  // namespace

struct KeyedUnarchiver::State {
    plist::Node root;
    plist_t objects = nullptr;
    uint32_t objectCount = 0;
    plist_t current = nullptr;
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
    std::pair<Value, size_t> decodeEntry(uint64_t uid, plist_t node);
    std::pair<Value, size_t> decodeInstance(uint64_t uid, plist_t node);
    std::optional<std::vector<String>> classNames(plist_t node);
    std::optional<std::vector<uint64_t>> uids(plist_t array);
    size_t weightOf(uint64_t uid) const;
};

size_t KeyedUnarchiver::State::weightOf(uint64_t uid) const {
    const auto found = decoded.find(uid);
    return found == decoded.end() ? 1 : found->second.second;
}

std::optional<std::vector<uint64_t>> KeyedUnarchiver::State::uids(plist_t array) {
    if (!array || plist_get_node_type(array) != PLIST_ARRAY) return std::nullopt;
    std::vector<uint64_t> result;
    const uint32_t count = plist_array_get_size(array);
    for (uint32_t i = 0; i < count; ++i) {
        const auto uid = uidOf(plist_array_get_item(array, i));
        if (!uid) return std::nullopt;
        result.push_back(*uid);
    }
    return result;
}

std::optional<std::vector<String>> KeyedUnarchiver::State::classNames(plist_t node) {
    const auto classUid = uidOf(itemOf(node, kClassKey));
    if (!classUid || *classUid >= objectCount) return std::nullopt;
    plist_t entry = plist_array_get_item(objects, static_cast<uint32_t>(*classUid));
    plist_t name = itemOf(entry, kClassNameKey);
    if (!name || plist_get_node_type(name) != PLIST_STRING) return std::nullopt;
    std::vector<String> names{String(plist::utf8(name))};
    plist_t classes = itemOf(entry, kClassesKey);
    const uint32_t count =
        classes && plist_get_node_type(classes) == PLIST_ARRAY ? plist_array_get_size(classes) : 0;
    for (uint32_t i = 0; i < count; ++i) {
        plist_t item = plist_array_get_item(classes, i);
        if (plist_get_node_type(item) == PLIST_STRING) names.emplace_back(plist::utf8(item));
    }
    return names;
}

Value KeyedUnarchiver::State::decode(uint64_t uid) {
    if (error || uid == 0) return {};
    if (uid >= objectCount) return fail("reference out of range");
    if (const auto found = decoded.find(uid); found != decoded.end()) return found->second.first;
    if (inProgress.contains(uid)) return fail("cycle through values");
    if (depth >= PropertyListSerialization::kMaxDepth) return fail("nested too deeply");
    ++depth;
    inProgress.insert(uid);
    auto result = decodeEntry(uid, plist_array_get_item(objects, static_cast<uint32_t>(uid)));
    inProgress.erase(uid);
    --depth;
    if (error) return {};
    if (result.second > weightBudget) return fail("archive expands too far");
    // An archivable object has recorded itself before its contents were decoded.
    decoded.try_emplace(uid, result);
    return result.first;
}

std::pair<Value, size_t> KeyedUnarchiver::State::decodeEntry(uint64_t uid, plist_t node) {
    switch (plist_get_node_type(node)) {
        case PLIST_STRING:
        case PLIST_BOOLEAN:
        case PLIST_UINT:
        case PLIST_REAL:
        case PLIST_DATA: {
            auto value = plist::valueFromNode(node);
            return {value ? std::move(value).value() : Value(), 1};
        }
        case PLIST_DICT:
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
        plist_t time = itemOf(node, kTimeField);
        auto seconds = time ? plist::valueFromNode(time) : Result<Value>(Value());
        if (!seconds || !seconds.value().isNumber()) return {fail("date without NS.time"), 0};
        const double interval = seconds.value().asNumber().doubleValue();
        // A NaN is no moment, and would not even equal itself once restored.
        if (std::isnan(interval)) return {fail("date whose NS.time is not a number"), 0};
        return {Date::dateWithTimeIntervalSinceReferenceDate(interval), 1};
    }
    if (name == kNullClass) return {Value::null(), 1};
    if (name == kDecimalClass || name == kStringClass || name == kMutableStringClass) {
        const auto text = uidOf(itemOf(node, kStringField));
        const Value string = text ? decode(*text) : Value();
        if (!string.isString()) return {fail("string field missing"), 0};
        if (name != kDecimalClass) return {string, 1};
        const auto decimal = Decimal::fromString(string.asString().toUtf8());
        if (!decimal) return {fail("bad decimal"), 0};
        return {Value(*decimal), 1};
    }
    if (name == kDataClass || name == kMutableDataClass) {
        plist_t bytes = itemOf(node, kDataField);
        if (!bytes || plist_get_node_type(bytes) != PLIST_DATA)
            return {fail("data field missing"), 0};
        return {plist::valueFromNode(bytes).value(), 1};
    }
    return decodeInstance(uid, node);
}

std::pair<Value, size_t> KeyedUnarchiver::State::decodeInstance(uint64_t uid, plist_t node) {
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
    plist_t outer = current;
    current = node;
    instance->initWithCoder(*owner);
    current = outer;
    return {value, 1};
}

KeyedUnarchiver::KeyedUnarchiver(std::unique_ptr<State> state) : m_state(std::move(state)) {
    m_state->owner = this;
}

KeyedUnarchiver::~KeyedUnarchiver() = default;

Result<Value> KeyedUnarchiver::unarchiveObjectWithData(const Data& data) {
    auto parsed = plist::parse(data);
    if (!parsed) {
        const Value reason = parsed.error().userInfo().objectForKey(NSDebugDescriptionErrorKey);
        return corrupt(reason.description().toUtf8());
    }
    auto state = std::make_unique<State>();
    state->root = std::move(parsed).value();
    plist_t top = state->root.get();
    if (!isString(itemOf(top, kArchiverKey), archive::kArchiverName))
        return corrupt("not a keyed archive");
    state->objects = itemOf(top, kObjectsKey);
    if (!state->objects || plist_get_node_type(state->objects) != PLIST_ARRAY)
        return corrupt("archive without $objects");
    state->objectCount = plist_array_get_size(state->objects);
    const auto rootUid = uidOf(itemOf(itemOf(top, kTopKey), kRootKey));
    if (!rootUid) return corrupt("archive without a root");
    state->weightBudget = std::max(kMinWeightBudget, kWeightPerByte * data.length());
    KeyedUnarchiver unarchiver(std::move(state));
    Value root = unarchiver.m_state->decode(*rootUid);
    if (unarchiver.m_state->error) return *unarchiver.m_state->error;
    return root;
}

bool KeyedUnarchiver::containsValueForKey(const String& key) const {
    return itemOf(m_state->current, escapedKey(key).c_str()) != nullptr;
}

Value KeyedUnarchiver::decodeObjectForKey(const String& key) {
    plist_t node = itemOf(m_state->current, escapedKey(key).c_str());
    if (!node) return {};
    if (const auto uid = uidOf(node)) return m_state->decode(*uid);
    auto inline_ = plist::valueFromNode(node);
    return inline_ ? std::move(inline_).value() : Value();
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
