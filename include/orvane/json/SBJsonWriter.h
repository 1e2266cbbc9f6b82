#pragma once
// The toolkit's own JSON writer: a tree of Values in, JSON text out, or none and the reasons in
// the error trace.
//
// Dictionaries, arrays, strings, booleans, numbers (exact decimals in their canonical form)
// and the null marker are written; an Object whose proxyForJson() gives a value is written as
// that value. Dates, bytes and other objects fail with code 1. Compact output has no
// whitespace; human-readable output puts each element on its own line, indented two spaces a
// level, with " : " between key and value.
//
//   ov::SBJsonWriter writer;
//   writer.setSortKeys(true);
//   std::optional<ov::String> text = writer.stringWithObject(ov::Dictionary{{"b", 1}, {"a", 2}});
//   // {"a":2,"b":1}
//
// The writer keeps its own stack of open containers instead of recursing, so any depth is safe
// with maxDepth 0 (no limit).

#include <optional>
#include <string>
#include <vector>

#include "orvane/json/SBJsonBase.h"

namespace ov {

template <class Char>
class JsonOutput;

class SBJsonWriter : public SBJsonBase {
  public:
    SBJsonWriter();
    ~SBJsonWriter() override;

    // A dictionary or an array (or an object whose proxy gives one); code 4 otherwise.
    std::optional<String> stringWithObject(const Value& value);
    // Any writable value.
    std::optional<String> stringWithFragment(const Value& value);
    // The same texts in UTF-8, with no UTF-16 text in between.
    std::optional<std::string> utf8WithObject(const Value& value);
    std::optional<std::string> utf8WithFragment(const Value& value);

    bool humanReadable() const { return m_humanReadable; }
    void setHumanReadable(bool humanReadable) { m_humanReadable = humanReadable; }
    // Members in ascending key order (UTF-16 code unit by code unit), else in stored order.
    bool sortKeys() const { return m_sortKeys; }
    void setSortKeys(bool sortKeys) { m_sortKeys = sortKeys; }

  private:
    struct Frame;

    // Char is char16_t for String results, char for UTF-8 ones.
    template <class Char>
    std::optional<std::basic_string<Char>> writeObject(const Value& value);
    template <class Char>
    std::optional<std::basic_string<Char>> writeFragment(const Value& value);
    template <class Char>
    bool appendValue(const Value& value, JsonOutput<Char>& into);
    template <class Char>
    bool appendScalar(const Value& value, Value::Kind kind, JsonOutput<Char>& into);
    template <class Char>
    bool enterContainer(const Value& container, Value& held, JsonOutput<Char>& into);
    template <class Char>
    const Value* nextMember(Frame& frame, JsonOutput<Char>& into);
    template <class Char>
    void leaveContainer(const Frame& frame, JsonOutput<Char>& into);
    static void sortMembers(Frame& frame);
    static void prefetchChildren(const Frame& frame);
    bool unwind();
    template <class Char>
    void indent(JsonOutput<Char>& into) const;

    bool m_humanReadable = false;
    bool m_sortKeys = false;
    std::vector<Frame> m_frames;
    size_t m_lastLength = 0;  // the last text's length, to size the next one's buffer up front
};

}  // namespace ov
