#include "orvane/platform/Value.h"

#include <cassert>
#include <cstdio>
#include <ranges>

#include "orvane/platform/Error.h"

namespace ov {
namespace {

constexpr size_t kIndexedDictionarySize = 16;

std::u16string indent(int level) {
    return std::u16string(static_cast<size_t>(level) * 4, u' ');
}

// Strings inside container descriptions are bare only when they are plain words.
bool needsQuotes(const std::u16string& text) {
    if (text.empty()) return true;
    for (char16_t unit : text) {
        const bool plain = (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
                           (unit >= u'0' && unit <= u'9') || unit == u'_' || unit == u'$';
        if (!plain) return true;
    }
    return false;
}

std::u16string quoted(const std::u16string& text) {
    if (!needsQuotes(text)) return text;
    std::u16string out = u"\"";
    for (char16_t unit : text) {
        switch (unit) {
            case u'"':
                out += u"\\\"";
                break;
            case u'\\':
                out += u"\\\\";
                break;
            case u'\n':
                out += u"\\n";
                break;
            case u'\t':
                out += u"\\t";
                break;
            case u'\r':
                out += u"\\r";
                break;
            default:
                if (unit >= 0x20 && unit < 0x7F) {
                    out.push_back(unit);
                } else {
                    char escape[8];
                    std::snprintf(escape, sizeof escape, "\\U%04x", static_cast<unsigned>(unit));
                    out += String(escape).utf16();
                }
        }
    }
    out += u"\"";
    return out;
}

// Containers about to be destroyed on this thread. The outermost teardown drains it in a loop;
// nested teardowns only add to it, so the stack never grows with the depth of the tree.
thread_local std::vector<Value>* t_pendingTeardown = nullptr;

template <class Values>
void tearDown(Values&& values) {
    const bool outermost = t_pendingTeardown == nullptr;
    std::vector<Value> pending;
    if (outermost) t_pendingTeardown = &pending;
    for (auto&& value : values) {
        if (value.isArray() || value.isDictionary()) t_pendingTeardown->push_back(std::move(value));
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

Array::Array(std::initializer_list<Value> items) : m_items(items) {}
Array::~Array() {
    tearDown(m_items);
}
Array::Array(std::vector<Value> items) : m_items(std::move(items)) {}

const Value& Array::objectAtIndex(size_t index) const {
    return index < m_items.size() ? m_items[index] : Value::absent();
}

void Array::addObject(Value value) {
    m_items.push_back(std::move(value));
}

void Array::insertObject(Value value, size_t index) {
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(std::min(index, m_items.size())),
                   std::move(value));
}

void Array::removeObjectAtIndex(size_t index) {
    if (index < m_items.size()) m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(index));
}

String Array::description(int level) const {
    std::u16string out = indent(level) + u"(";
    for (size_t i = 0; i < m_items.size(); ++i) {
        out += i == 0 ? u"\n" : u",\n";
        out += indent(level + 1) + m_items[i].descriptionInContainer(level + 1).utf16();
    }
    out += u"\n" + indent(level) + u")";
    return String(std::move(out));
}

bool operator==(const Array& left, const Array& right) {
    return left.m_items == right.m_items;
}

// Dictionary

Dictionary::~Dictionary() {
    tearDown(m_entries | std::views::values);
}

Dictionary::Dictionary(std::initializer_list<Entry> entries) {
    for (const auto& [key, value] : entries)
        setObject(value, key);
}

std::optional<size_t> Dictionary::find(const String& key) const {
    if (!m_index.empty()) {
        const auto found = m_index.find(key);
        if (found == m_index.end()) return std::nullopt;
        return found->second;
    }
    for (size_t i = 0; i < m_entries.size(); ++i) {
        if (m_entries[i].first == key) return i;
    }
    return std::nullopt;
}

const Value& Dictionary::objectForKey(const String& key) const {
    const auto position = find(key);
    return position ? m_entries[*position].second : Value::absent();
}

void Dictionary::setObject(Value value, const String& key) {
    if (value.isAbsent()) {
        removeObjectForKey(key);
        return;
    }
    if (const auto position = find(key)) {
        m_entries[*position].second = std::move(value);
        return;
    }
    m_entries.emplace_back(key, std::move(value));
    if (!m_index.empty()) {
        m_index.emplace(key, m_entries.size() - 1);
    } else if (m_entries.size() > kIndexedDictionarySize) {
        rebuildIndex();
    }
}

void Dictionary::removeObjectForKey(const String& key) {
    const auto position = find(key);
    if (!position) return;
    m_entries.erase(m_entries.begin() + static_cast<std::ptrdiff_t>(*position));
    rebuildIndex();
}

void Dictionary::removeAllObjects() {
    m_entries.clear();
    m_index.clear();
}

void Dictionary::rebuildIndex() {
    m_index.clear();
    if (m_entries.size() <= kIndexedDictionarySize) return;
    m_index.reserve(m_entries.size());
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_index.emplace(m_entries[i].first, i);
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

String Dictionary::description(int level) const {
    std::u16string out = indent(level) + u"{\n";
    for (const auto& [key, value] : m_entries) {
        out += indent(level + 1) + quoted(key.utf16()) + u" = " +
               value.descriptionInContainer(level + 1).utf16() + u";\n";
    }
    out += indent(level) + u"}";
    return String(std::move(out));
}

bool operator==(const Dictionary& left, const Dictionary& right) {
    if (left.count() != right.count()) return false;
    for (const auto& [key, value] : left.m_entries) {
        const auto position = right.find(key);
        if (!position || !(right.m_entries[*position].second == value)) return false;
    }
    return true;
}

// Value

Value::Value(String value) : m_storage(share(std::move(value))) {}
Value::Value(Data value) : m_storage(share(std::move(value))) {}
Value::Value(Array value) : m_storage(share(std::move(value))) {}
Value::Value(Dictionary value) : m_storage(share(std::move(value))) {}
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

Value::Kind Value::kind() const {
    return static_cast<Kind>(m_storage.index());
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
    const auto* shared = std::get_if<std::shared_ptr<String>>(&m_storage);
    return shared ? shared->get() : nullptr;
}
const Data* Value::ifData() const {
    const auto* shared = std::get_if<std::shared_ptr<Data>>(&m_storage);
    return shared ? shared->get() : nullptr;
}
const Array* Value::ifArray() const {
    const auto* shared = std::get_if<std::shared_ptr<Array>>(&m_storage);
    return shared ? shared->get() : nullptr;
}
const Dictionary* Value::ifDictionary() const {
    const auto* shared = std::get_if<std::shared_ptr<Dictionary>>(&m_storage);
    return shared ? shared->get() : nullptr;
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
    return *std::get<std::shared_ptr<String>>(m_storage);
}
const Data& Value::asData() const {
    return *std::get<std::shared_ptr<Data>>(m_storage);
}
const Array& Value::asArray() const {
    return *std::get<std::shared_ptr<Array>>(m_storage);
}
const Dictionary& Value::asDictionary() const {
    return *std::get<std::shared_ptr<Dictionary>>(m_storage);
}

template <class T>
T& Value::detach(std::shared_ptr<T>& shared) {
    if (shared.use_count() > 1) shared = std::make_shared<T>(*shared);
    return *shared;
}

Array& Value::mutableArray() {
    return detach(std::get<std::shared_ptr<Array>>(m_storage));
}
Dictionary& Value::mutableDictionary() {
    return detach(std::get<std::shared_ptr<Dictionary>>(m_storage));
}
String& Value::mutableString() {
    return detach(std::get<std::shared_ptr<String>>(m_storage));
}

String Value::description() const {
    switch (kind()) {
        case Kind::Absent:
            return "(null)";
        case Kind::Null:
            return "<null>";
        case Kind::Boolean:
            return asBool() ? "1" : "0";
        case Kind::Number:
            return asNumber().description();
        case Kind::Decimal:
            return ifDecimal()->description();
        case Kind::String:
            return asString();
        case Kind::Data:
            return asData().description();
        case Kind::Date:
            return ifDate()->description();
        case Kind::Array:
            return asArray().description(0);
        case Kind::Dictionary:
            return asDictionary().description(0);
        case Kind::Object:
            return (*ifObject())->description();
    }
    return {};
}

String Value::descriptionInContainer(int level) const {
    switch (kind()) {
        case Kind::Array:
            return asArray().description(level);
        case Kind::Dictionary:
            return asDictionary().description(level);
        case Kind::Data:
        case Kind::Object:
            return description();
        default:
            return String(quoted(description().utf16()));
    }
}

bool operator==(const Value& left, const Value& right) {
    const auto* leftNumber = left.ifNumber();
    const auto* rightNumber = right.ifNumber();
    const auto* leftDecimal = left.ifDecimal();
    const auto* rightDecimal = right.ifDecimal();
    // An exact decimal and a number compare by value, as the platform's number classes do.
    if ((leftNumber && rightDecimal) || (leftDecimal && rightNumber)) {
        const double a = leftNumber ? leftNumber->doubleValue() : leftDecimal->doubleValue();
        const double b = rightNumber ? rightNumber->doubleValue() : rightDecimal->doubleValue();
        return a == b;
    }
    if (left.kind() != right.kind()) return false;
    switch (left.kind()) {
        case Value::Kind::String:
            return left.asString() == right.asString();
        case Value::Kind::Data:
            return left.asData() == right.asData();
        case Value::Kind::Array:
            return left.asArray() == right.asArray();
        case Value::Kind::Dictionary:
            return left.asDictionary() == right.asDictionary();
        case Value::Kind::Object:
            return (*left.ifObject())->isEqual(**right.ifObject());
        default:
            return left.m_storage == right.m_storage;
    }
}

}  // namespace ov
