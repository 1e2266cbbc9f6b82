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

class SBJsonWriter : public SBJsonBase {
  public:
    SBJsonWriter();
    ~SBJsonWriter() override;

    // A dictionary or an array (or an object whose proxy gives one); code 4 otherwise.
    std::optional<String> stringWithObject(const Value& value);
    // Any writable value.
    std::optional<String> stringWithFragment(const Value& value);

    bool humanReadable() const { return m_humanReadable; }
    void setHumanReadable(bool humanReadable) { m_humanReadable = humanReadable; }
    // Members in ascending key order (UTF-16 code unit by code unit), else in stored order.
    bool sortKeys() const { return m_sortKeys; }
    void setSortKeys(bool sortKeys) { m_sortKeys = sortKeys; }

  private:
    struct Frame;

    bool appendValue(const Value& value, std::u16string& into);
    bool appendScalar(const Value& value, std::u16string& into);
    bool enterContainer(const Value& container, Value& held, std::u16string& into);
    const Value* nextMember(Frame& frame, std::u16string& into);
    void leaveContainer(const Frame& frame, std::u16string& into);
    bool unwind();
    void appendString(const String& value, std::u16string& into);
    void indent(std::u16string& into) const;

    bool m_humanReadable = false;
    bool m_sortKeys = false;
    std::vector<Frame> m_frames;
};

}  // namespace ov
