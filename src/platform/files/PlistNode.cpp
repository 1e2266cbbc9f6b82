#include "platform/files/PlistNode.h"

#include <cmath>
#include <cstdlib>
#include <limits>

#include "platform/files/PlistScreen.h"

namespace ov::plist {
namespace {

constexpr const char* kUidKey = "CF$UID";
constexpr double kMicroseconds = 1e6;

Error error(long long code, const std::string& reason) {
    return Error(NSCocoaErrorDomain, code, {{NSDebugDescriptionErrorKey, String(reason)}});
}

Result<std::string> keyText(const String& text) {
    if (text.utf16().find(u'\0') != std::u16string::npos)
        return writeError("string holds U+0000, which a property list cannot");
    return text.toUtf8();
}

Result<Node> numberNode(const Number& number) {
    if (number.isFloatingPoint()) return Node(plist_new_real(number.doubleValue()));
    if (number.isUnsigned()) {
        const unsigned long long value = number.unsignedLongLongValue();
        if (value > static_cast<unsigned long long>(std::numeric_limits<long long>::max()))
            return writeError("integer above 2^63 - 1");
        return Node(plist_new_uint(value));
    }
    // libplist keeps integers as 64 bits and writes them back signed.
    return Node(plist_new_uint(static_cast<uint64_t>(number.longLongValue())));
}

Result<Node> arrayNode(const Array& array, size_t depth) {
    Node node(plist_new_array());
    for (const Value& item : array) {
        auto child = nodeFromValue(item, depth + 1);
        if (!child) return child.error();
        plist_array_append_item(node.get(), std::move(child).value().release());
    }
    return node;
}

Result<Node> dictionaryNode(const Dictionary& dictionary, size_t depth) {
    Node node(plist_new_dict());
    for (const auto& [key, item] : dictionary) {
        auto text = keyText(key);
        if (!text) return text.error();
        auto child = nodeFromValue(item, depth + 1);
        if (!child) return child.error();
        plist_dict_set_item(node.get(), text.value().c_str(), std::move(child).value().release());
    }
    return node;
}

Result<Value> arrayValue(plist_t node, size_t depth) {
    Array array;
    const uint32_t count = plist_array_get_size(node);
    array.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        auto item = valueFromNode(plist_array_get_item(node, i), depth + 1);
        if (!item) return item;
        array.addObject(std::move(item).value());
    }
    return Value(std::move(array));
}

Result<Value> dictionaryValue(plist_t node, size_t depth) {
    Dictionary dictionary;
    plist_dict_iter iterator = nullptr;
    plist_dict_new_iter(node, &iterator);
    for (;;) {
        char* key = nullptr;
        plist_t item = nullptr;
        plist_dict_next_item(node, iterator, &key, &item);
        if (!key || !item) {
            std::free(key);
            break;
        }
        const String name{std::string_view(key)};
        std::free(key);
        auto value = valueFromNode(item, depth + 1);
        if (!value) {
            std::free(iterator);
            return value;
        }
        dictionary.setObject(std::move(value).value(), name);
    }
    std::free(iterator);
    return Value(std::move(dictionary));
}

Value dataValue(plist_t node) {
    char* bytes = nullptr;
    uint64_t length = 0;
    plist_get_data_val(node, &bytes, &length);
    Data data(bytes, bytes ? length : 0);
    std::free(bytes);
    return data;
}

}  // namespace

Error readError(const std::string& reason) {
    return error(PropertyListSerialization::kReadCorruptError, reason);
}

Error writeError(const std::string& reason) {
    return error(PropertyListSerialization::kWriteInvalidError, reason);
}

Result<Node> parse(const Data& data) {
    if (data.isEmpty()) return readError("empty data");
    if (data.length() > std::numeric_limits<uint32_t>::max()) return readError("too large");
    if (auto refusal = screen(data, PropertyListSerialization::kMaxDepth))
        return readError(*refusal);
    plist_t root = nullptr;
    plist_from_memory(reinterpret_cast<const char*>(data.bytes()),
                      static_cast<uint32_t>(data.length()), &root);
    if (!root) return readError("not a property list");
    return Node(root);
}

Result<Data> serialize(plist_t node, PropertyListFormat format) {
    char* bytes = nullptr;
    uint32_t length = 0;
    if (format == PropertyListFormat::Xml) {
        plist_to_xml(node, &bytes, &length);
    } else {
        plist_to_bin(node, &bytes, &length);
    }
    if (!bytes) return writeError("libplist could not write the value");
    Data data(bytes, length);
    format == PropertyListFormat::Xml ? plist_to_xml_free(bytes) : plist_to_bin_free(bytes);
    return data;
}

Result<Node> nodeFromValue(const Value& value, size_t depth) {
    if (depth >= PropertyListSerialization::kMaxDepth) return writeError("nested too deeply");
    switch (value.kind()) {
        case Value::Kind::Boolean:
            return Node(plist_new_bool(value.asBool() ? 1 : 0));
        case Value::Kind::Number:
            return numberNode(value.asNumber());
        case Value::Kind::Decimal:
            return Node(plist_new_real(value.ifDecimal()->doubleValue()));
        case Value::Kind::String:
            return stringNode(value.asString());
        case Value::Kind::Data:
            return Node(plist_new_data(reinterpret_cast<const char*>(value.asData().bytes()),
                                       value.asData().length()));
        case Value::Kind::Date:
            return dateNode(*value.ifDate());
        case Value::Kind::Array:
            return arrayNode(value.asArray(), depth);
        case Value::Kind::Dictionary:
            return dictionaryNode(value.asDictionary(), depth);
        case Value::Kind::Absent:
            return writeError("the absent value has no property-list form");
        case Value::Kind::Null:
            return writeError("the null marker has no property-list form");
        case Value::Kind::Object:
            return writeError("Invalid type in property list write (" +
                              (*value.ifObject())->className().toUtf8() + ")");
    }
    return writeError("unknown value");
}

Result<Value> valueFromNode(plist_t node, size_t depth) {
    if (depth >= PropertyListSerialization::kMaxDepth) return readError("nested too deeply");
    switch (plist_get_node_type(node)) {
        case PLIST_BOOLEAN: {
            uint8_t flag = 0;
            plist_get_bool_val(node, &flag);
            return Value(flag != 0);
        }
        case PLIST_UINT:
            return Value(integerOf(node));
        case PLIST_REAL: {
            double real = 0;
            plist_get_real_val(node, &real);
            return Value(real);
        }
        case PLIST_STRING:
        case PLIST_KEY:
            return Value(String(utf8(node)));
        case PLIST_DATA:
            return dataValue(node);
        case PLIST_DATE:
            return Value(dateOf(node));
        case PLIST_ARRAY:
            return arrayValue(node, depth);
        case PLIST_DICT:
            return dictionaryValue(node, depth);
        case PLIST_UID: {
            uint64_t uid = 0;
            plist_get_uid_val(node, &uid);
            return Value(Dictionary{{kUidKey, static_cast<long long>(uid)}});
        }
        default:
            return readError("unknown property-list node");
    }
}

// By pointer and length: plist_get_string_val asserts (aborts) on a string holding U+0000.
std::string utf8(plist_t node) {
    uint64_t length = 0;
    const char* text = plist_get_string_ptr(node, &length);
    return text ? std::string(text, length) : std::string();
}

Result<Node> stringNode(const String& text) {
    auto utf8Text = keyText(text);
    if (!utf8Text) return utf8Text.error();
    return Node(plist_new_string(utf8Text.value().c_str()));
}

Result<Node> dateNode(const Date& date) {
    const double seconds = date.timeIntervalSinceReferenceDate();
    double whole = std::floor(seconds);
    double micro = std::round((seconds - whole) * kMicroseconds);
    if (micro >= kMicroseconds) whole += 1, micro = 0;
    if (!(whole >= std::numeric_limits<int32_t>::min() &&
          whole <= std::numeric_limits<int32_t>::max()))
        return writeError("date out of the range a property list holds");
    return Node(plist_new_date(static_cast<int32_t>(whole), static_cast<int32_t>(micro)));
}

Date dateOf(plist_t node) {
    int32_t seconds = 0;
    int32_t micro = 0;
    plist_get_date_val(node, &seconds, &micro);
    return Date::dateWithTimeIntervalSinceReferenceDate(seconds + micro / kMicroseconds);
}

long long integerOf(plist_t node) {
    uint64_t value = 0;
    plist_get_uint_val(node, &value);
    return static_cast<long long>(value);
}

}  // namespace ov::plist
