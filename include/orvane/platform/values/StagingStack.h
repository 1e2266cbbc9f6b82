#pragma once
// A stack where values wait for the container they will move into, as a reader builds a
// document. The container may take the top elements by copying their bytes (as an arena block
// does), leaving empty elements behind: those are dropped without a destructor call each.
// Growing moves elements by their bytes too, so the element type must hold no pointer into
// itself.

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <utility>

namespace ov {

template <class Element>
class StagingStack {
  public:
    StagingStack() = default;
    StagingStack(const StagingStack&) = delete;
    StagingStack& operator=(const StagingStack&) = delete;
    ~StagingStack() {
        truncate(0);
        ::operator delete(m_elements);
    }

    size_t size() const { return m_size; }
    Element* data() { return m_elements; }
    Element& back() { return m_elements[m_size - 1]; }

    template <class... Arguments>
    Element& emplace_back(Arguments&&... arguments) {
        if (m_size == m_capacity) grow();
        Element* made =
            std::construct_at(m_elements + m_size, std::forward<Arguments>(arguments)...);
        ++m_size;
        return *made;
    }
    // Destroys the elements from `size` on.
    void truncate(size_t size) {
        std::destroy(m_elements + size, m_elements + m_size);
        m_size = size;
    }
    // Drops the elements from `size` on, which were moved out and hold nothing, unseen.
    void forget(size_t size) { m_size = size; }

  private:
    void grow() {
        const size_t capacity = std::max<size_t>(64, m_capacity * 2);
        auto* grown = static_cast<Element*>(::operator new(capacity * sizeof(Element)));
        if (m_size > 0) {
            std::memcpy(static_cast<void*>(grown), static_cast<const void*>(m_elements),
                        m_size * sizeof(Element));
        }
        ::operator delete(m_elements);
        m_elements = grown;
        m_capacity = capacity;
    }

    Element* m_elements = nullptr;
    size_t m_size = 0;
    size_t m_capacity = 0;
};

}  // namespace ov
