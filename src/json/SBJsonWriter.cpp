#include "orvane/json/SBJsonWriter.h"

#include <algorithm>

#include "orvane/platform/Format.h"

namespace ov {
namespace {

constexpr size_t kInitialCapacity = 128;

bool needsEscape(char16_t unit) {
    return unit < 0x20 || unit == u'"' || unit == u'\\';
}

void appendAscii(std::u16string& into, std::string_view text) {
    into.append(text.begin(), text.end());
}

// The value's class name on the platform, for the "not supported" message.
String typeName(const Value& value) {
    switch (value.kind()) {
        case Value::Kind::Data:
            return "NSData";
        case Value::Kind::Date:
            return "NSDate";
        case Value::Kind::Object:
            return (*value.ifObject())->className();
        default:
            return "nil";
    }
}

// The value an object stands for in JSON; absent when it is not an object or offers none.
Value proxyOf(const Value& value) {
    const auto* object = value.ifObject();
    return object ? (*object)->proxyForJson() : Value();
}

}  // namespace

struct SBJsonWriter::Frame {
    Value owner;                   // keeps a container that a proxy made alive
    const Array* array = nullptr;  // exactly one of the two is set
    const Dictionary* dictionary = nullptr;
    std::vector<const Dictionary::Entry*> sorted;  // the members in key order, when sorting
    size_t next = 0;
    size_t count() const { return array ? array->count() : dictionary->count(); }
};

SBJsonWriter::SBJsonWriter() = default;
SBJsonWriter::~SBJsonWriter() = default;

std::optional<String> SBJsonWriter::stringWithObject(const Value& value) {
    if (value.isDictionary() || value.isArray()) return stringWithFragment(value);
    if (const Value proxy = proxyOf(value); !proxy.isAbsent()) {
        if (auto text = stringWithObject(proxy)) return text;
    }
    clearErrorTrace();
    addErrorWithCode(4, "Not valid type for JSON");
    return std::nullopt;
}

std::optional<String> SBJsonWriter::stringWithFragment(const Value& value) {
    clearErrorTrace();
    m_depth = 0;
    std::u16string text;
    text.reserve(kInitialCapacity);
    if (!appendValue(value, text)) return std::nullopt;
    return String(std::move(text));
}

// Containers wait on m_frames instead of the call stack; a failure unwinds them innermost
// first, each adding the message its rule would add on the way out.
bool SBJsonWriter::appendValue(const Value& root, std::u16string& into) {
    m_frames.clear();
    const Value* value = &root;
    for (;;) {
        Value held;  // a proxy's value, owned while it is written
        while (value->isObject()) {
            Value proxy = proxyOf(*value);
            if (proxy.isAbsent()) break;
            held = std::move(proxy);
            value = &held;
        }
        if (value->isArray() || value->isDictionary()) {
            if (!enterContainer(*value, held, into)) return unwind();
        } else if (!appendScalar(*value, into)) {
            return unwind();
        }
        value = nullptr;
        while (!m_frames.empty() && !(value = nextMember(m_frames.back(), into))) {
            leaveContainer(m_frames.back(), into);
            m_frames.pop_back();
        }
        if (!value) return true;
    }
}

bool SBJsonWriter::appendScalar(const Value& value, std::u16string& into) {
    switch (value.kind()) {
        case Value::Kind::String:
            appendString(value.asString(), into);
            return true;
        case Value::Kind::Boolean:
            appendAscii(into, value.asBool() ? "true" : "false");
            return true;
        case Value::Kind::Number:
            into += value.asNumber().description().utf16();
            return true;
        case Value::Kind::Decimal:
            appendAscii(into, value.ifDecimal()->toString());
            return true;
        case Value::Kind::Null:
            appendAscii(into, "null");
            return true;
        default:
            addErrorWithCode(
                1, stringWithFormat("JSON serialisation not supported for %@", typeName(value)));
            return false;
    }
}

// `held` owns the container when a proxy made it (it may be `container` itself).
bool SBJsonWriter::enterContainer(const Value& container, Value& held, std::u16string& into) {
    ++m_depth;
    const uint64_t limit = maxDepth();
    if (limit != 0 && m_depth > limit) {
        addErrorWithCode(7, "Nested too deep");
        return false;
    }
    Frame frame;
    frame.array = container.ifArray();
    frame.dictionary = container.ifDictionary();
    frame.owner = std::move(held);  // moving the handle leaves the container where it is
    if (frame.dictionary && m_sortKeys) {
        frame.sorted.reserve(frame.dictionary->count());
        for (const auto& entry : *frame.dictionary)
            frame.sorted.push_back(&entry);
        std::sort(frame.sorted.begin(), frame.sorted.end(),
                  [](const auto* left, const auto* right) { return left->first < right->first; });
    }
    into.push_back(frame.array ? u'[' : u'{');
    m_frames.push_back(std::move(frame));
    return true;
}

// Writes what comes before the frame's next element (separator, indent, key) and gives the
// element; none when the frame is done.
const Value* SBJsonWriter::nextMember(Frame& frame, std::u16string& into) {
    if (frame.next == frame.count()) return nullptr;
    if (frame.next > 0) into.push_back(u',');
    if (m_humanReadable) indent(into);
    const size_t position = frame.next++;
    if (frame.array) return &frame.array->items()[position];
    const Dictionary::Entry& entry =
        frame.sorted.empty() ? *(frame.dictionary->begin() + static_cast<std::ptrdiff_t>(position))
                             : *frame.sorted[position];
    appendString(entry.first, into);
    appendAscii(into, m_humanReadable ? " : " : ":");
    return &entry.second;
}

void SBJsonWriter::leaveContainer(const Frame& frame, std::u16string& into) {
    --m_depth;
    if (m_humanReadable && frame.count() > 0) indent(into);
    into.push_back(frame.array ? u']' : u'}');
}

bool SBJsonWriter::unwind() {
    for (auto frame = m_frames.rbegin(); frame != m_frames.rend(); ++frame) {
        if (!frame->dictionary) continue;  // an array adds no message of its own
        const size_t position = frame->next - 1;
        const String& key =
            frame->sorted.empty()
                ? (frame->dictionary->begin() + static_cast<std::ptrdiff_t>(position))->first
                : frame->sorted[position]->first;
        addErrorWithCode(1, stringWithFormat("Unsupported value for key %@ in object", key));
    }
    m_frames.clear();
    return false;
}

void SBJsonWriter::appendString(const String& value, std::u16string& into) {
    const std::u16string& units = value.utf16();
    into.push_back(u'"');
    if (std::none_of(units.begin(), units.end(), needsEscape)) {
        into += units;
        into.push_back(u'"');
        return;
    }
    for (const char16_t unit : units) {
        switch (unit) {
            case u'\b':
                into += u"\\b";
                break;
            case u'\t':
                into += u"\\t";
                break;
            case u'\n':
                into += u"\\n";
                break;
            case u'\f':
                into += u"\\f";
                break;
            case u'\r':
                into += u"\\r";
                break;
            case u'"':
                into += u"\\\"";
                break;
            case u'\\':
                into += u"\\\\";
                break;
            default:
                if (unit < 0x20) {
                    into += stringWithFormat("\\u%04x", static_cast<unsigned>(unit)).utf16();
                } else {
                    into.push_back(unit);
                }
        }
    }
    into.push_back(u'"');
}

void SBJsonWriter::indent(std::u16string& into) const {
    into.push_back(u'\n');
    into.append(static_cast<size_t>(m_depth) * 2, u' ');
}

}  // namespace ov
