#pragma once
// The toolkit's dynamic value: what crosses almost every API. A Value is absent (nil), the null
// marker, a boolean, a number, an exact decimal, a string, bytes, a date, an array, a
// dictionary with string keys, or a shared handle to an Object.
//
// Values have value semantics: a copy is independent. Strings, bytes and containers share
// their storage until one copy is changed (copy-on-write), so copies are cheap. Dictionaries
// keep insertion order, so every enumeration is deterministic.
//
//   ov::Value reply = ov::Dictionary{{"name", "Ada"}, {"age", 36}};
//   if (const ov::String* name = reply.ifDictionary()->objectForKey("name").ifString()) ...
//   reply.mutableDictionary().setObject(ov::Value::null(), "email");

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <unordered_map>  // kept for includers that rely on it
#include <utility>
#include <variant>
#include <vector>

#include "orvane/platform/values/Data.h"
#include "orvane/platform/values/Date.h"
#include "orvane/platform/values/Decimal.h"
#include "orvane/platform/values/Number.h"
#include "orvane/platform/values/Object.h"
#include "orvane/platform/values/SharedVector.h"
#include "orvane/platform/values/String.h"

namespace ov {

class Error;
class Value;
struct ArenaHolds;

// An ordered list of values. Copies share their elements until one of them changes.
class Array {
  public:
    Array() = default;
    // Tearing down a deeply nested tree is iterative, so no depth can exhaust the stack.
    ~Array();
    Array(const Array&) = default;
    Array(Array&&) noexcept = default;
    Array& operator=(const Array&) = default;
    Array& operator=(Array&&) noexcept = default;
    Array(std::initializer_list<Value> items);
    explicit Array(std::vector<Value> items);
    // Takes `count` values from `first`; a move iterator moves them.
    template <class Iterator>
    Array(Iterator first, size_t count) : m_items(first, count) {}
    // Moves `count` values from `first` into a block of `arena`, which holds them from then on,
    // and leaves empty values in their place.
    Array(ValueArena& arena, Value* first, size_t count);

    size_t count() const { return m_items.size(); }
    bool isEmpty() const { return m_items.empty(); }
    // Out of range gives the absent value rather than undefined behaviour.
    const Value& objectAtIndex(size_t index) const;
    const Value& operator[](size_t index) const { return objectAtIndex(index); }
    Value& at(size_t index);  // throws std::out_of_range past the end

    void addObject(Value value);
    void insertObject(Value value, size_t index);  // clipped to count()
    void removeObjectAtIndex(size_t index);        // out of range does nothing
    void removeAllObjects() { m_items.clear(); }
    void reserve(size_t count) { m_items.reserve(count); }

    const Value* begin() const { return m_items.begin(); }
    const Value* end() const { return m_items.end(); }
    Value* begin() { return m_items.mutableBegin(); }
    Value* end() { return m_items.mutableEnd(); }

    // Platform layout: "(\n    1,\n    2\n)"; nested at `level`.
    String description(int level = 0) const;
    friend bool operator==(const Array& left, const Array& right);

  private:
    friend ArenaHolds;
    void tearDownItems();

    SharedVector<Value> m_items;
};

// String keys to values, in insertion order. Copies share their entries until one of them
// changes.
class Dictionary {
  public:
    using Entry = std::pair<String, Value>;

    Dictionary() = default;
    ~Dictionary();  // iterative, as for Array
    Dictionary(const Dictionary&) = default;
    Dictionary(Dictionary&&) noexcept = default;
    Dictionary& operator=(const Dictionary&) = default;
    Dictionary& operator=(Dictionary&&) noexcept = default;
    Dictionary(std::initializer_list<Entry> entries);
    // Builds in one pass, moving the entries out of the range. A repeated key keeps its first
    // position and its last value, as a run of setObject calls would.
    static Dictionary fromEntries(Entry* first, size_t count);
    static Dictionary fromEntries(std::vector<Entry> entries);
    // The same into blocks of `arena`, which holds the entries from then on.
    static Dictionary fromEntries(ValueArena& arena, Entry* first, size_t count);

    size_t count() const { return m_entries.size(); }
    bool isEmpty() const { return m_entries.empty(); }
    // The absent value when the key is missing.
    const Value& objectForKey(const String& key) const;
    bool containsKey(const String& key) const;

    // Replaces in place (keeping the key's position) or appends. Setting the absent value
    // removes the key, as the platform has no way to store nil.
    void setObject(Value value, const String& key);
    void removeObjectForKey(const String& key);
    void removeAllObjects();

    std::vector<String> allKeys() const;
    std::vector<Value> allValues() const;
    const Entry* begin() const { return m_entries.begin(); }
    const Entry* end() const { return m_entries.end(); }
    // Values may be changed in place; keys may not.
    Value& valueAt(size_t position);  // throws std::out_of_range past the end

    // Platform layout: "{\n    key = value;\n}"; nested at `level`.
    String description(int level = 0) const;
    // Same keys with equal values, in any order.
    friend bool operator==(const Dictionary& left, const Dictionary& right);

  private:
    friend ArenaHolds;
    void tearDownEntries();
    size_t find(const String& key) const;
    void rebuildIndex();

    SharedVector<Entry> m_entries;
    // Open-addressing hash of key to position + 1 (0 marks a free slot), a power of two in
    // size and at most half full. Kept only for larger dictionaries; small ones search
    // linearly. Always complete, so lookups stay read-only and safe to share across threads.
    SharedVector<uint32_t> m_index;
};

class Value {
  public:
    enum class Kind {
        Absent,
        Null,
        Boolean,
        Number,
        Decimal,
        String,
        Data,
        Date,
        Array,
        Dictionary,
        Object
    };

    Value() = default;  // absent
    static Value null();

    Value(bool value) : m_storage(value) {}                   // NOLINT(google-explicit-constructor)
    Value(Number value) : m_storage(value) {}                 // NOLINT
    Value(int value) : m_storage(Number(value)) {}            // NOLINT
    Value(long value) : m_storage(Number(value)) {}           // NOLINT
    Value(long long value) : m_storage(Number(value)) {}      // NOLINT
    Value(unsigned int value) : m_storage(Number(value)) {}   // NOLINT
    Value(unsigned long value) : m_storage(Number(value)) {}  // NOLINT
    Value(unsigned long long value) : m_storage(Number(value)) {}  // NOLINT
    Value(float value) : m_storage(Number(value)) {}               // NOLINT
    Value(double value) : m_storage(Number(value)) {}              // NOLINT
    Value(Decimal value) : m_storage(value) {}                     // NOLINT
    Value(Date value) : m_storage(value) {}                        // NOLINT
    Value(String value) : m_storage(std::move(value)) {}           // NOLINT
    Value(const char* utf8) : Value(String(utf8)) {}               // NOLINT
    Value(Data value);                                             // NOLINT
    Value(Array value) : m_storage(std::move(value)) {}            // NOLINT
    Value(Dictionary value) : m_storage(std::move(value)) {}       // NOLINT
    Value(std::shared_ptr<Object> object);  // NOLINT: a null pointer gives the absent value
    Value(const Error& error);              // NOLINT
    // Any other pointer would silently become a boolean.
    template <class T>
    Value(T*) = delete;

    Kind kind() const { return static_cast<Kind>(m_storage.index()); }
    bool isAbsent() const { return kind() == Kind::Absent; }
    bool isNull() const { return kind() == Kind::Null; }
    bool isAbsentOrNull() const { return isAbsent() || isNull(); }
    bool isBoolean() const { return kind() == Kind::Boolean; }
    bool isNumber() const { return kind() == Kind::Number; }
    bool isDecimal() const { return kind() == Kind::Decimal; }
    bool isString() const { return kind() == Kind::String; }
    bool isData() const { return kind() == Kind::Data; }
    bool isDate() const { return kind() == Kind::Date; }
    bool isArray() const { return kind() == Kind::Array; }
    bool isDictionary() const { return kind() == Kind::Dictionary; }
    bool isObject() const { return kind() == Kind::Object; }

    // `if...` accessors answer none (or nullptr) for another kind; `as...` accessors assert.
    std::optional<bool> ifBool() const;
    const Number* ifNumber() const;
    const Decimal* ifDecimal() const;
    const String* ifString() const;
    const Data* ifData() const;
    const Date* ifDate() const;
    const Array* ifArray() const;
    const Dictionary* ifDictionary() const;
    const std::shared_ptr<Object>* ifObject() const;
    template <class T>
    std::shared_ptr<T> ifObjectOf() const {
        const auto* object = ifObject();
        return object ? std::dynamic_pointer_cast<T>(*object) : nullptr;
    }
    const Error* ifError() const;

    bool asBool() const;
    const Number& asNumber() const;
    const String& asString() const;
    const Data& asData() const;
    const Array& asArray() const;
    const Dictionary& asDictionary() const;

    // Access for changing a container or string held by this value; shared storage is copied
    // when it is changed.
    Array& mutableArray();
    Dictionary& mutableDictionary();
    String& mutableString();

    // The platform's text for "%@": strings as they are, containers in the platform layout,
    // the null marker as "<null>", the absent value as "(null)".
    String description() const;
    // The text a string or container element shows inside a container's description.
    String descriptionInContainer(int level) const;

    // The platform's isEqual: numbers by value, containers by contents, objects by isEqual.
    friend bool operator==(const Value& left, const Value& right);

    // The shared absent value, for accessors that return a reference.
    static const Value& absent();

  private:
    struct NullMarker {
        friend bool operator==(NullMarker, NullMarker) { return true; }
    };
    // Alternatives follow Kind.
    std::variant<std::monostate, NullMarker, bool, Number, Decimal, String, std::shared_ptr<Data>,
                 Date, Array, Dictionary, std::shared_ptr<Object>>
        m_storage;
};
static_assert(sizeof(Value) == 32, "containers hold many values: keep them to half a line");

// Empty containers are common (every moved-from one) and an arena is released whole: neither
// has elements to walk.
inline Array::~Array() {
    if (!m_items.empty() && !m_items.arena()) tearDownItems();
}

inline Dictionary::~Dictionary() {
    if (!m_entries.empty() && !m_entries.arena()) tearDownEntries();
}

inline Dictionary Dictionary::fromEntries(std::vector<Entry> entries) {
    return fromEntries(entries.data(), entries.size());
}

}  // namespace ov
