#pragma once
// A vector whose copies share one reference-counted block until one of them changes: a copy is
// a counter increment, and a shared block is copied only when a holder is about to change it.
// The count and the elements live in the same block, so a vector of any size is one
// allocation, and an empty one is none. Const access never writes, so copies may be read from
// several threads at once.
//
// A vector may also live in a ValueArena, where it is never changed in place.
//
// The element type may be incomplete where the vector is declared; it must be complete where
// the vector is built, changed or destroyed.

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <iterator>
#include <memory>
#include <new>
#include <stdexcept>
#include <utility>

#include "orvane/platform/values/ValueArena.h"

namespace ov {

template <class Element>
class SharedVector {
  public:
    SharedVector() = default;
    // Takes `count` elements from `first`; a move iterator moves them.
    template <std::input_iterator Iterator>
    SharedVector(Iterator first, size_t count) {
        build(count, [&](Element* out) { std::uninitialized_copy_n(first, count, out); });
    }
    // Moves `count` elements from `first` into a block of `arena` by copying their bytes, and
    // leaves default-made elements in their place: the element type must hold no pointer into
    // itself. Elements that refer to the arena's blocks are then held inside it: the caller
    // tells the arena (ValueArena::adopt).
    SharedVector(ValueArena& arena, Element* first, size_t count) {
        if (count == 0) return;
        static_assert(alignof(Element) <= ValueArena::kAlignment);
        void* memory = arena.allocate(headerSize() + count * sizeof(Element));
        auto* block = new (memory) Block;
        block->references.store(0, std::memory_order_relaxed);
        block->size = block->capacity = static_cast<uint32_t>(count);
        std::memcpy(static_cast<void*>(static_cast<char*>(memory) + headerSize()),
                    static_cast<const void*>(first), count * sizeof(Element));
        for (Element* moved = first; moved != first + count; ++moved)
            std::construct_at(moved);
        m_block = block;
        arena.retainNew();
    }
    SharedVector(size_t count, const Element& value) {
        build(count, [&](Element* out) { std::uninitialized_fill_n(out, count, value); });
    }
    SharedVector(const SharedVector& other) : m_block(other.m_block) {
        if (isInArena()) {
            ValueArena::holding(m_block).retain();
        } else if (m_block) {
            m_block->references.fetch_add(1, std::memory_order_relaxed);
        }
    }
    SharedVector(SharedVector&& other) noexcept : m_block(std::exchange(other.m_block, nullptr)) {}
    SharedVector& operator=(const SharedVector& other) {
        SharedVector copy(other);
        std::swap(m_block, copy.m_block);
        return *this;
    }
    SharedVector& operator=(SharedVector&& other) noexcept {
        SharedVector taken(std::move(other));
        std::swap(m_block, taken.m_block);
        return *this;
    }
    ~SharedVector() { release(); }

    size_t size() const { return m_block ? m_block->size : 0; }
    bool empty() const { return size() == 0; }
    const Element* begin() const { return m_block ? elements() : nullptr; }
    const Element* end() const { return begin() + size(); }
    const Element& operator[](size_t index) const { return begin()[index]; }
    // The arena that holds the elements, if one does.
    const ValueArena* arena() const {
        return isInArena() ? &ValueArena::holding(m_block) : nullptr;
    }
    // True when no other vector shares the block, so changing it copies nothing.
    bool isSoleHolder() const {
        return !m_block || m_block->references.load(std::memory_order_acquire) == 1;
    }

    // Access for changing the elements in place: copies a shared block first.
    Element* mutableBegin() {
        if (!isSoleHolder()) *this = SharedVector(begin(), size());
        return m_block ? elements() : nullptr;
    }
    Element* mutableEnd() { return mutableBegin() + size(); }
    Element& mutableAt(size_t index) {
        if (index >= size()) throw std::out_of_range("SharedVector::mutableAt");
        return mutableBegin()[index];
    }

    void reserve(size_t capacity) {
        if (capacity > this->capacity() || !isSoleHolder()) {
            reallocate(std::max(capacity, size()));
        }
    }
    void insert(size_t position, Element element) {
        const size_t count = size();
        if (count == capacity() || !isSoleHolder()) reallocate(std::max<size_t>(4, count * 2));
        Element* first = elements();
        std::construct_at(first + count, std::move(element));
        std::rotate(first + position, first + count, first + count + 1);
        ++m_block->size;
    }
    void push_back(Element element) { insert(size(), std::move(element)); }
    // Removes [first, last); the rest keep their order.
    void erase(size_t first, size_t last) {
        if (first >= last) return;
        Element* begin = mutableBegin();
        std::move(begin + last, begin + size(), begin + first);
        std::destroy(begin + size() - (last - first), begin + size());
        m_block->size -= static_cast<uint32_t>(last - first);
    }
    void clear() {
        if (isSoleHolder()) {
            erase(0, size());
        } else {
            release();
        }
    }

  private:
    struct Block {
        std::atomic<uint32_t> references{1};  // 0 in an arena, which counts its holders
        uint32_t size = 0;
        uint32_t capacity = 0;
    };
    // Where the elements start: after the header, at their own alignment.
    static constexpr size_t headerSize() {
        return (sizeof(Block) + alignof(Element) - 1) / alignof(Element) * alignof(Element);
    }
    static_assert(alignof(Block) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);

    bool isInArena() const {
        return m_block && m_block->references.load(std::memory_order_relaxed) == 0;
    }
    size_t capacity() const { return m_block ? m_block->capacity : 0; }
    Element* elements() const {
        return reinterpret_cast<Element*>(reinterpret_cast<char*>(m_block) + headerSize());
    }

    static Block* allocate(size_t capacity) {
        static_assert(alignof(Element) <= __STDCPP_DEFAULT_NEW_ALIGNMENT__);
        if (capacity > UINT32_MAX) throw std::length_error("SharedVector: too many elements");
        void* memory = ::operator new(headerSize() + capacity * sizeof(Element));
        Block* block = new (memory) Block;
        block->capacity = static_cast<uint32_t>(capacity);
        return block;
    }

    // Makes a block of `count` elements that `construct` makes in place.
    template <class Construct>
    void build(size_t count, Construct construct) {
        if (count == 0) return;
        SharedVector built;  // frees the block should `construct` throw
        built.m_block = allocate(count);
        construct(built.elements());
        built.m_block->size = static_cast<uint32_t>(count);
        std::swap(m_block, built.m_block);
    }

    // Moves (when not shared) or copies the elements into a new block with room for `capacity`.
    void reallocate(size_t capacity) {
        const size_t count = size();
        SharedVector fresh;
        fresh.m_block = allocate(capacity);
        if (count > 0 && isSoleHolder()) {
            std::uninitialized_move_n(elements(), count, fresh.elements());
        } else if (count > 0) {
            std::uninitialized_copy_n(elements(), count, fresh.elements());
        }
        fresh.m_block->size = static_cast<uint32_t>(count);
        std::swap(m_block, fresh.m_block);
    }

    // Leaves this vector empty.
    void release() {
        if (isInArena()) {
            ValueArena::holding(std::exchange(m_block, nullptr)).release();
            return;
        }
        Block* block = std::exchange(m_block, nullptr);
        if (!block) return;
        // A sole holder needs no atomic decrement: no other holder can be changing the count.
        if (block->references.load(std::memory_order_acquire) != 1 &&
            block->references.fetch_sub(1, std::memory_order_acq_rel) != 1) {
            return;
        }
        auto* first = reinterpret_cast<Element*>(reinterpret_cast<char*>(block) + headerSize());
        std::destroy_n(first, block->size);
        ::operator delete(block);
    }

    Block* m_block = nullptr;
};

}  // namespace ov
