#include "orvane/platform/values/Value.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cstring>
#include <span>

#include "orvane/platform/values/Error.h"

namespace ov {
namespace {

constexpr size_t kIndexedDictionarySize = 16;

// Keys are mostly short identifiers: mixing eight bytes at a time is plenty for the index.
size_t hashKey(const String& key) {
    const std::u16string_view units = key.utf16();
    const auto* bytes = reinterpret_cast<const unsigned char*>(units.data());
    const size_t size = units.size() * sizeof(char16_t);
    uint64_t hash = size * 0x9E3779B97F4A7C15ULL;
    const auto mix = [&hash](uint64_t word) {
        hash = (hash ^ word) * 0xBF58476D1CE4E5B9ULL;
        hash ^= hash >> 31;
    };
    uint64_t word = 0;
    if (size < sizeof word) {
        std::memcpy(&word, bytes, size);
        mix(word);
        return hash;
    }
    for (size_t at = 0; at + sizeof word < size; at += sizeof word) {
        std::memcpy(&word, bytes + at, sizeof word);
        mix(word);
    }
    std::memcpy(&word, bytes + size - sizeof word, sizeof word);  // the tail, overlapping
    mix(word);
    return hash;
}

// One bit of 64 chosen by a key's length and end units: keys of one object mostly differ
// there, so a key whose bit is not yet set needs no search for an earlier equal key.
uint64_t keyBit(const String& key) {
    const std::u16string_view units = key.utf16();
    if (units.empty()) return 1;
    return uint64_t{1} << ((units.size() * 13 + units.front() * 5 + units.back()) & 63);
}

// An empty index for `count` keys: at most half full, so probe runs stay short.
SharedVector<uint32_t> zeroedIndex(size_t count) {
    return SharedVector<uint32_t>(std::bit_ceil(count * 2), uint32_t{0});
}

// Tearing down recurses while the tree is shallow, which is the common case and the fastest.
// Deeper, containers about to be destroyed wait on a list that the first deep teardown drains
// in a loop; teardowns below it only add to the list, so the stack never grows with the depth.
constexpr unsigned kRecursiveTeardownDepth = 64;
thread_local unsigned t_teardownDepth = 0;
thread_local std::vector<Value>* t_pendingTeardown = nullptr;

// Releases a dying container's elements; `valueOf` gives the value an element holds.
template <class Element, class ValueOf>
void tearDown(SharedVector<Element>& elements, ValueOf valueOf) {
    if (t_teardownDepth < kRecursiveTeardownDepth) {
        ++t_teardownDepth;
        elements = {};
        --t_teardownDepth;
        return;
    }
    if (!elements.isSoleHolder()) return;  // another holder keeps the elements alive
    const bool outermost = t_pendingTeardown == nullptr;
    std::vector<Value> pending;
    if (outermost) t_pendingTeardown = &pending;
    for (Element& element : std::span(elements.mutableBegin(), elements.size())) {
        Value& value = valueOf(element);
        // Objects too: an error's underlying chain can be as long as a container is deep.
        if (value.isArray() || value.isDictionary() || value.isObject()) {
            t_pendingTeardown->push_back(std::move(value));
        }
    }
    if (!outermost) return;
    while (!pending.empty()) {
        Value last = std::move(pending.back());
        pending.pop_back();
    }  // each `last` destroyed here may add its own children to `pending`
    t_pendingTeardown = nullptr;
}

template <class T>
std::shared_ptr<T> share(T value) {
    return std::make_shared<T>(std::move(value));
}

}  // namespace

// Array

Array::Array(std::initializer_list<Value> items) : m_items(items.begin(), items.size()) {}
Array::Array(std::vector<Value> items)
    : m_items(std::make_move_iterator(items.begin()), items.size()) {}
Array::~Array() {
    tearDown(m_items, [](Value& item) -> Value& { return item; });
}

const Value& Array::objectAtIndex(size_t index) const {
    return index < m_items.size() ? m_items[index] : Value::absent();
}

Value& Array::at(size_t index) {
    return m_items.mutableAt(index);
}

void Array::addObject(Value value) {
    m_items.push_back(std::move(value));
}

void Array::insertObject(Value value, size_t index) {
    m_items.insert(std::min(index, m_items.size()), std::move(value));
}

void Array::removeObjectAtIndex(size_t index) {
    m_items.erase(index, std::min(index + 1, m_items.size()));
}

// Dictionary

Dictionary::~Dictionary() {
    tearDown(m_entries, [](Entry& entry) -> Value& { return entry.second; });
}

Dictionary::Dictionary(std::initializer_list<Entry> entries) {
    for (const auto& [key, value] : entries)
        setObject(value, key);
}

Dictionary Dictionary::fromEntries(Entry* first, size_t count) {
    Dictionary dictionary;
    const std::span entries(first, count);
    const auto absent = [](const Entry& entry) { return entry.second.isAbsent(); };
    if (std::ranges::any_of(entries, absent)) {  // rare: an absent value removes its key
        for (auto& [key, value] : entries)
            dictionary.setObject(std::move(value), key);
        return dictionary;
    }
    dictionary.m_entries = SharedVector<Entry>(std::make_move_iterator(first), count);
    dictionary.mergeRepeatedKeys();
    return dictionary;
}

// Moves each repeated key's value onto its first occurrence and closes the gaps.
void Dictionary::mergeRepeatedKeys() {
    const size_t count = m_entries.size();
    if (count > kIndexedDictionarySize) m_index = zeroedIndex(count);
    Entry* const entries = m_entries.mutableBegin();
    size_t kept = 0;
    uint64_t seenBits = 0;
    for (size_t i = 0; i < count; ++i) {
        const String& key = entries[i].first;
        size_t first = kNotFound;
        if (!m_index.empty()) {
            first = findOrIndex(key, kept);
        } else if (const uint64_t bit = keyBit(key); (seenBits & bit) != 0) {
            first = findLinear(key, kept);
        } else {
            seenBits |= bit;
        }
        if (first != kNotFound) {
            entries[first].second = std::move(entries[i].second);
            continue;
        }
        if (kept != i) entries[kept] = std::move(entries[i]);
        ++kept;
    }
    m_entries.erase(kept, count);
    if (kept <= kIndexedDictionarySize) m_index = {};
}

size_t Dictionary::find(const String& key) const {
    return m_index.empty() ? findLinear(key, m_entries.size()) : findInIndex(key);
}

size_t Dictionary::findLinear(const String& key, size_t count) const {
    for (size_t i = 0; i < count; ++i) {
        if (m_entries[i].first == key) return i;
    }
    return kNotFound;
}

size_t Dictionary::findInIndex(const String& key) const {
    const size_t mask = m_index.size() - 1;
    for (size_t slot = hashKey(key) & mask;; slot = (slot + 1) & mask) {
        const uint32_t position = m_index[slot];
        if (position == 0) return kNotFound;
        if (m_entries[position - 1].first == key) return position - 1;
    }
}

// The key's position if indexed; otherwise indexes it at `position`.
size_t Dictionary::findOrIndex(const String& key, size_t position) {
    const size_t mask = m_index.size() - 1;
    for (size_t slot = hashKey(key) & mask;; slot = (slot + 1) & mask) {
        const uint32_t found = m_index[slot];
        if (found == 0) {
            m_index.mutableBegin()[slot] = static_cast<uint32_t>(position + 1);
            return kNotFound;
        }
        if (m_entries[found - 1].first == key) return found - 1;
    }
}

void Dictionary::placeInIndex(size_t position) {
    const size_t mask = m_index.size() - 1;
    size_t slot = hashKey(m_entries[position].first) & mask;
    while (m_index[slot] != 0)
        slot = (slot + 1) & mask;
    m_index.mutableBegin()[slot] = static_cast<uint32_t>(position + 1);
}

const Value& Dictionary::objectForKey(const String& key) const {
    const size_t position = find(key);
    return position != kNotFound ? m_entries[position].second : Value::absent();
}

void Dictionary::setObject(Value value, const String& key) {
    if (value.isAbsent()) {
        removeObjectForKey(key);
        return;
    }
    if (const size_t position = find(key); position != kNotFound) {
        m_entries.mutableAt(position).second = std::move(value);
        return;
    }
    m_entries.push_back(Entry(key, std::move(value)));
    if (m_entries.size() * 2 > m_index.size()) {
        rebuildIndex();
    } else {
        placeInIndex(m_entries.size() - 1);
    }
}

void Dictionary::removeObjectForKey(const String& key) {
    const size_t position = find(key);
    if (position == kNotFound) return;
    m_entries.erase(position, position + 1);
    rebuildIndex();
}

void Dictionary::removeAllObjects() {
    m_entries.clear();
    m_index = {};
}

void Dictionary::rebuildIndex() {
    m_index = {};
    if (m_entries.size() <= kIndexedDictionarySize) return;
    m_index = zeroedIndex(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i)
        placeInIndex(i);
}

Value& Dictionary::valueAt(size_t position) {
    return m_entries.mutableAt(position).second;
}

std::vector<String> Dictionary::allKeys() const {
    std::vector<String> keys;
    keys.reserve(m_entries.size());
    for (const auto& entry : m_entries)
        keys.push_back(entry.first);
    return keys;
}

std::vector<Value> Dictionary::allValues() const {
    std::vector<Value> values;
    values.reserve(m_entries.size());
    for (const auto& entry : m_entries)
        values.push_back(entry.second);
    return values;
}

// Value

Value::Value(Data value) : m_storage(share(std::move(value))) {}
Value::Value(std::shared_ptr<Object> object) {
    if (object) m_storage = std::move(object);
}
Value::Value(const Error& error) : m_storage(std::shared_ptr<Object>(share(error))) {}

Value Value::null() {
    Value value;
    value.m_storage = NullMarker{};
    return value;
}

const Value& Value::absent() {
    static const Value kAbsent;
    return kAbsent;
}

std::optional<bool> Value::ifBool() const {
    if (const auto* value = std::get_if<bool>(&m_storage)) return *value;
    return std::nullopt;
}
const Number* Value::ifNumber() const {
    return std::get_if<Number>(&m_storage);
}
const Decimal* Value::ifDecimal() const {
    return std::get_if<Decimal>(&m_storage);
}
const Date* Value::ifDate() const {
    return std::get_if<Date>(&m_storage);
}

const String* Value::ifString() const {
    return std::get_if<String>(&m_storage);
}
const Data* Value::ifData() const {
    const auto* shared = std::get_if<std::shared_ptr<Data>>(&m_storage);
    return shared ? shared->get() : nullptr;
}
const Array* Value::ifArray() const {
    return std::get_if<Array>(&m_storage);
}
const Dictionary* Value::ifDictionary() const {
    return std::get_if<Dictionary>(&m_storage);
}
const std::shared_ptr<Object>* Value::ifObject() const {
    return std::get_if<std::shared_ptr<Object>>(&m_storage);
}
const Error* Value::ifError() const {
    const auto* object = ifObject();
    return object ? dynamic_cast<const Error*>(object->get()) : nullptr;
}

bool Value::asBool() const {
    assert(isBoolean());
    return std::get<bool>(m_storage);
}
const Number& Value::asNumber() const {
    return std::get<Number>(m_storage);
}
const String& Value::asString() const {
    return std::get<String>(m_storage);
}
const Data& Value::asData() const {
    return *std::get<std::shared_ptr<Data>>(m_storage);
}
const Array& Value::asArray() const {
    return std::get<Array>(m_storage);
}
const Dictionary& Value::asDictionary() const {
    return std::get<Dictionary>(m_storage);
}

Array& Value::mutableArray() {
    return std::get<Array>(m_storage);
}
Dictionary& Value::mutableDictionary() {
    return std::get<Dictionary>(m_storage);
}
String& Value::mutableString() {
    return std::get<String>(m_storage);
}

}  // namespace ov
