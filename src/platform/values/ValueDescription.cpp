// Descriptions in the platform's layout: "(\n    1,\n    2\n)" for arrays, "{\n    key = value;\n}"
// for dictionaries, "Error Domain=D Code=C \"message\" UserInfo={...}" for errors. Trees and
// chains of underlying errors can nest as deep as a parse allows, so the walk keeps its open
// containers on a list of its own, and the indentation stops growing past kMaxIndentLevel so
// that the text stays proportional to the tree.
#include "ValueDescription.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "orvane/platform/values/Error.h"
#include "orvane/platform/values/Value.h"

namespace ov {
namespace {

constexpr int kMaxIndentLevel = 32;

// Strings inside container descriptions are bare only when they are plain words.
bool needsQuotes(std::u16string_view text) {
    if (text.empty()) return true;
    for (char16_t unit : text) {
        const bool plain = (unit >= u'a' && unit <= u'z') || (unit >= u'A' && unit <= u'Z') ||
                           (unit >= u'0' && unit <= u'9') || unit == u'_' || unit == u'$';
        if (!plain) return true;
    }
    return false;
}

void appendQuoted(std::u16string& out, std::u16string_view text) {
    if (!needsQuotes(text)) {
        out += text;
        return;
    }
    out += u'"';
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
                    out.append(escape, escape + 6);
                }
        }
    }
    out += u'"';
}

// The text of a value that holds no other values.
String scalarText(const Value& value) {
    switch (value.kind()) {
        case Value::Kind::Absent:
            return "(null)";
        case Value::Kind::Null:
            return "<null>";
        case Value::Kind::Boolean:
            return value.asBool() ? "1" : "0";
        case Value::Kind::Number:
            return value.asNumber().description();
        case Value::Kind::Decimal:
            return value.ifDecimal()->description();
        case Value::Kind::String:
            return value.asString();
        case Value::Kind::Data:
            return value.asData().description();
        case Value::Kind::Date:
            return value.ifDate()->description();
        case Value::Kind::Object:
            return (*value.ifObject())->description();
        case Value::Kind::Array:
        case Value::Kind::Dictionary:
            break;
    }
    return {};
}

class Describer {
  public:
    // A value on its own (its description) or as an element at `level` of a container.
    enum class Placement { Alone, InContainer };

    String describe(const Value& value, Placement placement, int level) {
        write(value, placement, level);
        return finish();
    }
    String describe(const Array& array, int level) {
        openArray(array, level);
        return finish();
    }
    String describe(const Dictionary& dictionary, int level) {
        openDictionary(dictionary, level);
        return finish();
    }
    String describe(const Error& error) {
        openError(error);
        return finish();
    }

  private:
    enum class Kind { Array, Dictionary, Error };
    // A container or error whose parts are being written; `next` counts the parts written.
    struct Open {
        Kind kind;
        const void* node;
        int level;
        size_t next = 0;
    };

    void indent(int level) {
        m_out.append(static_cast<size_t>(std::min(level, kMaxIndentLevel)) * 4, u' ');
    }

    void write(const Value& value, Placement placement, int level) {
        if (placement == Placement::Alone) level = 0;
        if (const Array* array = value.ifArray()) return openArray(*array, level);
        if (const Dictionary* dictionary = value.ifDictionary()) {
            return openDictionary(*dictionary, level);
        }
        if (const Error* error = value.ifError()) return openError(*error);
        const String text = scalarText(value);
        const bool bare = placement == Placement::Alone || value.isData() || value.isObject();
        if (bare) {
            m_out += text.utf16();
        } else {
            appendQuoted(m_out, text.utf16());
        }
    }

    void openArray(const Array& array, int level) {
        indent(level);
        m_out += u'(';
        m_open.push_back({Kind::Array, &array, level});
    }

    void openDictionary(const Dictionary& dictionary, int level) {
        indent(level);
        m_out += u"{\n";
        m_open.push_back({Kind::Dictionary, &dictionary, level});
    }

    // The message follows at once; the user information once the message is written.
    void openError(const Error& error) {
        m_out += u"Error Domain=";
        m_out += error.domain().utf16();
        m_out += u" Code=";
        const std::string code = std::to_string(error.code());
        m_out.append(code.begin(), code.end());
        m_out += u" \"";
        m_open.push_back({Kind::Error, &error, 0});
        write(error.userInfo().objectForKey(NSLocalizedDescriptionKey), Placement::Alone, 0);
    }

    String finish() {
        while (!m_open.empty()) {
            Open& open = m_open.back();
            switch (open.kind) {
                case Kind::Array:
                    continueArray(open);
                    break;
                case Kind::Dictionary:
                    continueDictionary(open);
                    break;
                case Kind::Error:
                    continueError(open);
                    break;
            }
        }
        return String(std::move(m_out));
    }

    // Each step writes one part and may open another container, so `open` is not used after
    // the next write (the list may move).
    void continueArray(Open& open) {
        const auto& array = *static_cast<const Array*>(open.node);
        const int level = open.level;
        if (open.next == array.count()) {
            m_out += u'\n';
            indent(level);
            m_out += u')';
            m_open.pop_back();
            return;
        }
        m_out += open.next == 0 ? u"\n" : u",\n";
        indent(level + 1);
        write(array[open.next++], Placement::InContainer, level + 1);
    }

    void continueDictionary(Open& open) {
        const auto& dictionary = *static_cast<const Dictionary*>(open.node);
        const int level = open.level;
        if (open.next > 0) m_out += u";\n";
        if (open.next == dictionary.count()) {
            indent(level);
            m_out += u'}';
            m_open.pop_back();
            return;
        }
        const auto& [key, value] = dictionary.begin()[open.next++];
        indent(level + 1);
        appendQuoted(m_out, key.utf16());
        m_out += u" = ";
        write(value, Placement::InContainer, level + 1);
    }

    void continueError(Open& open) {
        const Dictionary& userInfo = static_cast<const Error*>(open.node)->userInfo();
        const size_t step = open.next++;
        if (step == 0) {
            m_out += u'"';
            if (!userInfo.isEmpty()) m_out += u" UserInfo={";
        }
        if (step == userInfo.count()) {
            if (!userInfo.isEmpty()) m_out += u'}';
            m_open.pop_back();
            return;
        }
        if (step > 0) m_out += u", ";
        const auto& [key, value] = userInfo.begin()[step];
        m_out += key.utf16();
        m_out += u'=';
        write(value, Placement::Alone, 0);
    }

    std::u16string m_out;
    std::vector<Open> m_open;
};

}  // namespace

String Array::description(int level) const {
    return Describer().describe(*this, level);
}

String Dictionary::description(int level) const {
    return Describer().describe(*this, level);
}

String Value::description() const {
    // Scalars skip the walk: a string comes back shared instead of copied.
    if (!isArray() && !isDictionary() && !ifError()) return scalarText(*this);
    return Describer().describe(*this, Describer::Placement::Alone, 0);
}

String Value::descriptionInContainer(int level) const {
    return Describer().describe(*this, Describer::Placement::InContainer, level);
}

String describeError(const Error& error) {
    return Describer().describe(error);
}

}  // namespace ov
