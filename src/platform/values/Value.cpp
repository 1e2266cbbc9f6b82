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

using Entry = Dictionary::Entry;

// Searches give a position or kNotFound: a plain number comes back in a register, which counts
// for the many small dictionaries searched linearly.
constexpr size_t kNotFound = SIZE_MAX;

// Index slots for `count` keys: at most half full, so probe runs stay short.
size_t indexSizeFor(size_t count) {
    return std::bit_ceil(count * 2);
}

SharedVector<uint32_t> zeroedIndex(size_t count) {
    return SharedVector<uint32_t>(indexSizeFor(count), uint32_t{0});
}

template <class Element>
std::span<Element> mutableSpan(SharedVector<Element>& elements) {
    return {elements.mutableBegin(), elements.size()};
}

bool holdsAbsentValue(std::span<const Entry> entries) {
    return std::ranges::any_of(entries, [](const Entry& entry) { return entry.second.isAbsent(); });
}

size_t findLinear(std::span<const Entry> entries, const String& key) {
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].first == key) return i;
    }
    return kNotFound;
}

// The index holds position + 1 for each key (0 marks a free slot).
size_t findInIndex(std::span<const Entry> entries, std::span<const uint32_t> index,
                   const String& key) {
    const size_t mask = index.size() - 1;
    for (size_t slot = hashKey(key) & mask;; slot = (slot + 1) & mask) {
        const uint32_t position = index[slot];
        if (position == 0) return kNotFound;
        if (entries[position - 1].first == key) return position - 1;
    }
}

void placeInIndex(std::span<uint32_t> index, const String& key, size_t position) {
    const size_t mask = index.size() - 1;
    size_t slot = hashKey(key) & mask;
    while (index[slot] != 0)
        slot = (slot + 1) & mask;
    index[slot] = static_cast<uint32_t>(position + 1);
}

// The key's position among the first entries if indexed; otherwise indexes it at `position`.
size_t findOrIndex(const Entry* entries, std::span<uint32_t> index, const String& key,
                   size_t position) {
    const size_t mask = index.size() - 1;
    for (size_t slot = hashKey(key) & mask;; slot = (slot + 1) & mask) {
        const uint32_t found = index[slot];
        if (found == 0) {
            index[slot] = static_cast<uint32_t>(position + 1);
            return kNotFound;
        }
        if (entries[found - 1].first == key) return found - 1;
    }
}

// Moves each repeated key's value onto its first occurrence and closes the gaps; gives how many
// entries remain. A non-empty `index` (zeroed, sized for all the entries) is filled meanwhile.
size_t mergeRepeatedKeys(std::span<Entry> entries, std::span<uint32_t> index) {
    size_t kept = 0;
    uint64_t seenBits = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        const String& key = entries[i].first;
        size_t first = kNotFound;
        if (!index.empty()) {
            first = findOrIndex(entries.data(), index, key, kept);
        } else if (const uint64_t bit = keyBit(key); (seenBits & bit) != 0) {
            first = findLinear(entries.first(kept), key);
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
    return kept;
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

// What values about to move into a block of an arena hold: references into that arena, which
// the block then holds uncounted, and whether any storage lies elsewhere, which the arena, freed
// without a walk, could not release.
struct ArenaHolds {
    explicit ArenaHolds(const ValueArena& arena) : m_arena(arena) {}

    void add(const Value& value) {
        switch (value.kind()) {
            case Value::Kind::String:
                add(*value.ifString());
                break;
            case Value::Kind::Array:
                add(value.ifArray()->m_items);
                break;
            case Value::Kind::Dictionary:
                add(value.ifDictionary()->m_entries);
                add(value.ifDictionary()->m_index);
                break;
            case Value::Kind::Data:
            case Value::Kind::Object:
                elsewhere = true;
                break;
            default:
                break;
        }
    }
    void add(const Entry& entry) {
        add(entry.first);
        add(entry.second);
    }

    size_t references = 0;
    bool elsewhere = false;

  private:
    void add(const String& text) {
        if (!text.isInline()) addStorage(text.arena());
    }
    template <class Element>
    void add(const SharedVector<Element>& elements) {
        if (!elements.empty()) addStorage(elements.arena());
    }
    void addStorage(const ValueArena* holder) {
        if (holder == &m_arena) {
            ++references;
        } else {
            elsewhere = true;
        }
    }

    const ValueArena& m_arena;
};

// Array

Array::Array(std::initializer_list<Value> items) : m_items(items.begin(), items.size()) {}
Array::Array(std::vector<Value> items)
    : m_items(std::make_move_iterator(items.begin()), items.size()) {}
Array::Array(ValueArena& arena, Value* first, size_t count) {
    ArenaHolds holds(arena);
    for (const Value& item : std::span(first, count))
        holds.add(item);
    if (holds.elsewhere) {
        m_items = SharedVector<Value>(std::make_move_iterator(first), count);
        return;
    }
    m_items = SharedVector<Value>(arena, first, count);
    arena.adopt(holds.references);
}

void Array::tearDownItems() {
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

void Dictionary::tearDownEntries() {
    tearDown(m_entries, [](Entry& entry) -> Value& { return entry.second; });
}

Dictionary::Dictionary(std::initializer_list<Entry> entries) {
    for (const auto& [key, value] : entries)
        setObject(value, key);
}

Dictionary Dictionary::fromEntries(Entry* first, size_t count) {
    Dictionary dictionary;
    if (holdsAbsentValue({first, count})) {  // rare: an absent value removes its key
        for (auto& [key, value] : std::span(first, count))
            dictionary.setObject(std::move(value), key);
        return dictionary;
    }
    dictionary.m_entries = SharedVector<Entry>(std::make_move_iterator(first), count);
    if (count > kIndexedDictionarySize) dictionary.m_index = zeroedIndex(count);
    const size_t kept = mergeRepeatedKeys({dictionary.m_entries.mutableBegin(), count},
                                          mutableSpan(dictionary.m_index));
    dictionary.m_entries.erase(kept, count);
    if (kept <= kIndexedDictionarySize) dictionary.m_index = {};
    return dictionary;
}

Dictionary Dictionary::fromEntries(ValueArena& arena, Entry* first, size_t count) {
    if (holdsAbsentValue({first, count})) return fromEntries(first, count);
    thread_local std::vector<uint32_t> t_index;
    const bool indexed = count > kIndexedDictionarySize;
    if (indexed) t_index.assign(indexSizeFor(count), 0);
    const size_t kept =
        mergeRepeatedKeys({first, count}, indexed ? std::span(t_index) : std::span<uint32_t>());
    ArenaHolds holds(arena);
    for (const Entry& entry : std::span(first, kept))
        holds.add(entry);
    if (holds.elsewhere) return fromEntries(first, kept);
    Dictionary dictionary;
    dictionary.m_entries = SharedVector<Entry>(arena, first, kept);
    if (kept > kIndexedDictionarySize) {
        dictionary.m_index = SharedVector<uint32_t>(arena, t_index.data(), t_index.size());
    }
    arena.adopt(holds.references);
    return dictionary;
}

size_t Dictionary::find(const String& key) const {
    const std::span entries(m_entries.begin(), m_entries.size());
    return m_index.empty() ? findLinear(entries, key)
                           : findInIndex(entries, {m_index.begin(), m_index.size()}, key);
}

bool Dictionary::containsKey(const String& key) const {
    return find(key) != kNotFound;
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
        placeInIndex(mutableSpan(m_index), key, m_entries.size() - 1);
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
    const std::span index = mutableSpan(m_index);
    for (size_t i = 0; i < m_entries.size(); ++i)
        placeInIndex(index, m_entries[i].first, i);
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
