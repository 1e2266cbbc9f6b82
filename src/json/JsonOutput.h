#pragma once
// The growing text the JSON writer fills: each piece is written through a raw pointer after one
// capacity check, instead of a check per character.

#include <algorithm>
#include <string>
#include <string_view>

namespace ov {

template <class Char>
class JsonOutput {
  public:
    explicit JsonOutput(size_t capacity) { m_text.resize(capacity); }

    // Room for `count` more characters; hand the end of what was written to commit().
    Char* room(size_t count) {
        if (m_text.size() - m_used < count) [[unlikely]]
            grow(count);
        return m_text.data() + m_used;
    }
    void commit(const Char* end) { m_used = static_cast<size_t>(end - m_text.data()); }

    void push(char ascii) {
        *room(1) = static_cast<Char>(ascii);
        ++m_used;
    }
    void append(std::string_view ascii) {
        commit(std::copy(ascii.begin(), ascii.end(), room(ascii.size())));
    }
    // A literal's length is known here, so its copy is a few moves rather than a call.
    template <size_t N>
    void appendLiteral(const char (&ascii)[N]) {
        commit(std::copy(ascii, ascii + N - 1, room(N - 1)));
    }
    // Indents are short: filling fixed-size blocks, past the end into spare room, beats a call.
    void appendRepeated(size_t count, char ascii) {
        constexpr size_t kBlock = 16;
        Char* const out = room(count + kBlock);
        for (size_t filled = 0; filled < count; filled += kBlock)
            std::fill_n(out + filled, kBlock, static_cast<Char>(ascii));
        commit(out + count);
    }

    size_t size() const { return m_used; }
    std::basic_string<Char> take() {
        m_text.resize(m_used);
        return std::move(m_text);
    }

  private:
    // Out of line, so that room() stays small enough to inline everywhere.
    [[gnu::noinline]] void grow(size_t count) {
        m_text.resize(std::max(m_text.size() * 2, m_used + count));
    }

    std::basic_string<Char> m_text;  // sized to the capacity; only the first m_used count
    size_t m_used = 0;
};

}  // namespace ov
