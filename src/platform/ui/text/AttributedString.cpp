#include "orvane/platform/ui/text/AttributedString.h"

#include <algorithm>

namespace ov::ui {

AttributedString::AttributedString(const String& string, const Dictionary& attributes)
    : m_string(string) {
    if (!string.isEmpty()) m_runs.push_back({string.length(), attributes});
}

Range AttributedString::clipped(Range range) const {
    const uint64_t length = m_string.length();
    if (range.location >= length) return {length, 0};
    return {range.location, std::min(range.length, length - range.location)};
}

Dictionary AttributedString::attributesAtIndex(size_t index, Range* effectiveRange) const {
    size_t start = 0;
    for (const Run& run : m_runs) {
        if (index < start + run.length) {
            if (effectiveRange) *effectiveRange = {start, run.length};
            return run.attributes;
        }
        start += run.length;
    }
    if (effectiveRange) *effectiveRange = {NSNotFound, 0};
    return {};
}

Value AttributedString::attributeAtIndex(const String& name, size_t index,
                                         Range* effectiveRange) const {
    Value found;
    bool located = false;
    enumerateAttribute(name, {0, m_string.length()},
                       [&](const Value& value, Range range, bool& stop) {
                           if (index < range.location + range.length) {
                               found = value;
                               if (effectiveRange) *effectiveRange = range;
                               located = stop = true;
                           }
                       });
    if (!located && effectiveRange) *effectiveRange = {NSNotFound, 0};
    return found;
}

void AttributedString::enumerateAttributesInRange(Range range,
                                                  const AttributesCallback& callback) const {
    range = clipped(range);
    const size_t end = range.location + range.length;
    size_t start = 0;
    bool stop = false;
    for (const Run& run : m_runs) {
        const size_t runEnd = start + run.length;
        const size_t from = std::max<size_t>(start, range.location);
        const size_t to = std::min(runEnd, end);
        if (from < to) {
            callback(run.attributes, {from, to - from}, stop);
            if (stop) return;
        }
        start = runEnd;
    }
}

void AttributedString::enumerateAttribute(const String& name, Range range,
                                          const AttributeCallback& callback) const {
    // Neighbouring runs that differ in other attributes share a run of this one.
    Value current;
    Range pending{NSNotFound, 0};
    bool stop = false;
    enumerateAttributesInRange(range, [&](const Dictionary& attributes, Range run, bool& stopRuns) {
        const Value& value = attributes.objectForKey(name);
        if (pending.location != NSNotFound && value == current) {
            pending.length += run.length;
            return;
        }
        if (pending.location != NSNotFound) callback(current, pending, stop);
        stopRuns = stop;
        current = value;
        pending = run;
    });
    if (!stop && pending.location != NSNotFound) callback(current, pending, stop);
}

AttributedString AttributedString::attributedSubstringFromRange(Range range) const {
    AttributedString result;
    range = clipped(range);
    result.m_string = m_string.substring(range.location, range.length);
    enumerateAttributesInRange(range, [&result](const Dictionary& attributes, Range run, bool&) {
        result.m_runs.push_back({run.length, attributes});
    });
    return result;
}

bool operator==(const AttributedString& left, const AttributedString& right) {
    if (left.m_string != right.m_string || left.m_runs.size() != right.m_runs.size()) return false;
    for (size_t i = 0; i < left.m_runs.size(); ++i) {
        if (left.m_runs[i].length != right.m_runs[i].length ||
            !(left.m_runs[i].attributes == right.m_runs[i].attributes)) {
            return false;
        }
    }
    return true;
}

size_t AttributedString::splitAt(size_t index) {
    size_t start = 0;
    for (size_t i = 0; i < m_runs.size(); ++i) {
        if (index == start) return i;
        if (index < start + m_runs[i].length) {
            Run tail{start + m_runs[i].length - index, m_runs[i].attributes};
            m_runs[i].length = index - start;
            m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(i) + 1, std::move(tail));
            return i + 1;
        }
        start += m_runs[i].length;
    }
    return m_runs.size();
}

void AttributedString::mergeRuns() {
    std::vector<Run> merged;
    for (Run& run : m_runs) {
        if (run.length == 0) continue;
        if (!merged.empty() && merged.back().attributes == run.attributes) {
            merged.back().length += run.length;
        } else {
            merged.push_back(std::move(run));
        }
    }
    m_runs = std::move(merged);
}

void MutableAttributedString::changeAttributes(Range range,
                                               const std::function<void(Dictionary&)>& change) {
    range = clipped(range);
    if (range.length == 0) return;
    const size_t first = splitAt(range.location);
    const size_t last = splitAt(range.location + range.length);
    for (size_t i = first; i < last; ++i)
        change(m_runs[i].attributes);
    mergeRuns();
}

void MutableAttributedString::setAttributes(const Dictionary& attributes, Range range) {
    changeAttributes(range, [&attributes](Dictionary& run) { run = attributes; });
}

void MutableAttributedString::addAttribute(const String& name, const Value& value, Range range) {
    changeAttributes(range, [&](Dictionary& run) { run.setObject(value, name); });
}

void MutableAttributedString::addAttributes(const Dictionary& attributes, Range range) {
    changeAttributes(range, [&attributes](Dictionary& run) {
        for (const auto& [name, value] : attributes)
            run.setObject(value, name);
    });
}

void MutableAttributedString::removeAttribute(const String& name, Range range) {
    changeAttributes(range, [&name](Dictionary& run) { run.removeObjectForKey(name); });
}

void MutableAttributedString::replaceCharactersInRange(Range range, const String& string) {
    range = clipped(range);
    Dictionary inherited;
    if (range.length > 0 || range.location == 0) {
        inherited = attributesAtIndex(range.location);
    } else {
        inherited = attributesAtIndex(range.location - 1);
    }
    replaceCharactersInRange(range, AttributedString(string, inherited));
}

void MutableAttributedString::replaceCharactersInRange(Range range,
                                                       const AttributedString& string) {
    range = clipped(range);
    const size_t first = splitAt(range.location);
    const size_t last = splitAt(range.location + range.length);
    m_runs.erase(m_runs.begin() + static_cast<std::ptrdiff_t>(first),
                 m_runs.begin() + static_cast<std::ptrdiff_t>(last));
    m_runs.insert(m_runs.begin() + static_cast<std::ptrdiff_t>(first), string.m_runs.begin(),
                  string.m_runs.end());
    m_string = m_string.substringToIndex(range.location) + string.string() +
               m_string.substringFromIndex(range.location + range.length);
    mergeRuns();
}

void MutableAttributedString::insertAttributedString(const AttributedString& string, size_t index) {
    if (index > length()) return;
    replaceCharactersInRange(Range{index, 0}, string);
}

void MutableAttributedString::appendAttributedString(const AttributedString& string) {
    replaceCharactersInRange(Range{length(), 0}, string);
}

void MutableAttributedString::setAttributedString(const AttributedString& string) {
    AttributedString::operator=(string);
}

}  // namespace ov::ui
