#include "platform/files/PlistScreen.h"

#include <algorithm>
#include <cstring>
#include <span>
#include <string_view>
#include <utility>
#include <vector>

namespace ov::plist {
namespace {

constexpr std::string_view kBinaryMagic = "bplist00";
constexpr size_t kTrailerSize = 32;
// A binary file without sharing expands to at most one node per object; shared references
// may legitimately multiply that (equal dictionaries are uniqued by writers), within reason.
constexpr size_t kMinExpansionBudget = size_t{1} << 20;
constexpr size_t kExpansionPerByte = 4;

uint64_t bigEndian(const uint8_t* bytes, size_t size) {
    uint64_t value = 0;
    for (size_t i = 0; i < size; ++i)
        value = (value << 8) | bytes[i];
    return value;
}

class BinaryScreen {
  public:
    BinaryScreen(const Data& data, size_t maxDepth) : m_bytes(data.span()), m_maxDepth(maxDepth) {}

    std::optional<std::string> run() {
        if (m_bytes.size() < kBinaryMagic.size() + kTrailerSize) return "truncated binary plist";
        const uint8_t* trailer = m_bytes.data() + m_bytes.size() - kTrailerSize;
        m_offsetSize = trailer[6];
        m_refSize = trailer[7];
        m_objectCount = bigEndian(trailer + 8, 8);
        const uint64_t top = bigEndian(trailer + 16, 8);
        m_tableOffset = bigEndian(trailer + 24, 8);
        const uint64_t end = m_bytes.size() - kTrailerSize;
        if (m_offsetSize < 1 || m_offsetSize > 8 || m_refSize < 1 || m_refSize > 8)
            return "bad binary plist trailer";
        if (m_objectCount == 0 || top >= m_objectCount || m_tableOffset >= end ||
            m_objectCount > (end - m_tableOffset) / m_offsetSize)
            return "bad binary plist offset table";
        return walk(top);
    }

  private:
    std::optional<std::string> walk(uint64_t top) {
        const size_t budget = std::max(kMinExpansionBudget, kExpansionPerByte * m_bytes.size());
        // Counted when queued, so the queue itself stays within the budget.
        size_t queued = 1;
        std::vector<std::pair<uint64_t, size_t>> pending{{top, 1}};
        while (!pending.empty()) {
            const auto [object, depth] = pending.back();
            pending.pop_back();
            if (depth > m_maxDepth) return "binary plist nested too deeply";
            auto children = childrenOf(object);
            if (!children) return "bad binary plist container";
            queued += children->size();
            if (queued > budget) return "binary plist expands too far";
            for (const uint64_t child : *children)
                pending.emplace_back(child, depth + 1);
        }
        return std::nullopt;
    }

    // References held by a container object; empty for leaves, none when malformed.
    std::optional<std::vector<uint64_t>> childrenOf(uint64_t object) const {
        const uint64_t offset =
            bigEndian(m_bytes.data() + m_tableOffset + object * m_offsetSize, m_offsetSize);
        if (offset < kBinaryMagic.size() || offset >= m_tableOffset) return std::nullopt;
        const uint8_t marker = m_bytes[offset];
        const int type = marker >> 4;
        if (type != 0xA && type != 0xC && type != 0xD) return std::vector<uint64_t>{};
        uint64_t position = offset + 1;
        uint64_t count = marker & 0x0F;
        if (count == 0x0F) {
            if (position >= m_tableOffset || (m_bytes[position] >> 4) != 0x1) return std::nullopt;
            const size_t size = size_t{1} << (m_bytes[position] & 0x0F);
            if (size > 8 || position + 1 + size > m_tableOffset) return std::nullopt;
            count = bigEndian(m_bytes.data() + position + 1, size);
            position += 1 + size;
        }
        const uint64_t references = type == 0xD ? 2 : 1;
        if (count > (m_tableOffset - position) / m_refSize / references) return std::nullopt;
        std::vector<uint64_t> children;
        children.reserve(count * references);
        for (uint64_t i = 0; i < count * references; ++i) {
            const uint64_t child = bigEndian(m_bytes.data() + position + i * m_refSize, m_refSize);
            if (child >= m_objectCount) return std::nullopt;
            children.push_back(child);
        }
        return children;
    }

    std::span<const uint8_t> m_bytes;
    size_t m_maxDepth;
    size_t m_offsetSize = 0;
    size_t m_refSize = 0;
    uint64_t m_objectCount = 0;
    uint64_t m_tableOffset = 0;
};

// Follows element nesting with a stack of names. Anything that is not plainly an element
// (comments, CDATA, declarations, processing instructions) is skipped; mismatched closing
// tags are refused, as they are malformed anyway.
class XmlScreen {
  public:
    XmlScreen(const Data& data, size_t maxDepth) : m_text(data.view()), m_maxDepth(maxDepth) {}

    std::optional<std::string> run() {
        size_t position = 0;
        while ((position = m_text.find('<', position)) != std::string_view::npos) {
            if (skipSpecial(position)) continue;
            const bool closing = at(position + 1) == '/';
            const size_t nameStart = position + (closing ? 2 : 1);
            size_t nameEnd = nameStart;
            while (nameEnd < m_text.size() && !std::strchr(" \t\r\n/>", m_text[nameEnd]))
                ++nameEnd;
            const size_t end = tagEnd(nameEnd);
            if (end == std::string_view::npos) return std::nullopt;  // libplist refuses it
            const std::string_view name = m_text.substr(nameStart, nameEnd - nameStart);
            if (closing) {
                if (m_open.empty() || m_open.back() != name) return "mismatched closing tag";
                m_open.pop_back();
            } else if (m_text[end - 1] != '/') {
                m_open.push_back(name);
                if (m_open.size() > m_maxDepth) return "plist nested too deeply";
            }
            position = end + 1;
        }
        return std::nullopt;
    }

  private:
    char at(size_t position) const { return position < m_text.size() ? m_text[position] : '\0'; }

    // Moves past a comment, CDATA section, declaration or processing instruction.
    bool skipSpecial(size_t& position) const {
        const std::string_view rest = m_text.substr(position);
        std::string_view terminator;
        if (rest.starts_with("<!--")) {
            terminator = "-->";
        } else if (rest.starts_with("<![CDATA[")) {
            terminator = "]]>";
        } else if (rest.starts_with("<?")) {
            terminator = "?>";
        } else if (rest.starts_with("<!")) {
            terminator = ">";
        } else {
            return false;
        }
        const size_t end = m_text.find(terminator, position + 2);
        position = end == std::string_view::npos ? m_text.size() : end + terminator.size();
        return true;
    }

    // The '>' that closes the tag, stepping over quoted attribute values.
    size_t tagEnd(size_t position) const {
        char quote = '\0';
        for (; position < m_text.size(); ++position) {
            const char character = m_text[position];
            if (quote) {
                if (character == quote) quote = '\0';
            } else if (character == '"' || character == '\'') {
                quote = character;
            } else if (character == '>') {
                return position;
            }
        }
        return std::string_view::npos;
    }

    std::string_view m_text;
    size_t m_maxDepth;
    std::vector<std::string_view> m_open;
};

}  // namespace

std::optional<std::string> screen(const Data& data, size_t maxDepth) {
    if (data.view().starts_with(kBinaryMagic)) return BinaryScreen(data, maxDepth).run();
    return XmlScreen(data, maxDepth).run();
}

}  // namespace ov::plist
