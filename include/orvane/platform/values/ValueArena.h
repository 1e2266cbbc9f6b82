#pragma once
// Storage for the strings and containers of one document built in a single pass, such as a
// parsed JSON reply: blocks are cut from a few large chunks, and the whole document goes at
// once, when nothing refers to any of it any more.
//
// A block made in an arena is never changed (a holder about to change it copies it out first,
// as for any shared block), and it refers only to blocks of the same arena. Those inner
// references are not counted: the arena counts only the holders outside its blocks, so
// releasing a document walks none of it. A copy of any part keeps the whole document alive.
//
//   ov::ValueArena& arena = ov::ValueArena::make();   // built by this thread
//   ov::Array items(arena, first, count);             // the elements move in
//   arena.finish();                                   // `items` keeps it alive
//
// Until finish(), only the maker's thread may make blocks in the arena; what it makes is
// counted without atomic operations, as nothing else can see the arena yet.

#include <atomic>
#include <cstddef>
#include <cstdint>

namespace ov {

class ValueArena {
  public:
    // A new arena, being built by the calling thread, which holds it until finish().
    static ValueArena& make();
    ValueArena(const ValueArena&) = delete;
    ValueArena& operator=(const ValueArena&) = delete;

    // The arena that made `block` (which allocate() returned).
    static ValueArena& holding(const void* block) {
        return **(static_cast<ValueArena* const*>(block) - 1);
    }

    // A holder copied or let go, on any thread.
    void retain() { m_references.fetch_add(1, std::memory_order_relaxed); }
    void release() { releaseMany(1); }

    // For the builder: a block just made, now held once.
    void retainNew() { ++m_builderReferences; }
    // For the builder: `references` counted holders moved into a block of this arena, where
    // holders are not counted.
    void adopt(size_t references) { m_builderReferences -= references; }
    // The builder lets go; the chunks are freed now if nothing holds any block.
    void finish() { releaseMany(kBuilding - m_builderReferences); }

    // Room for `bytes`, aligned to kAlignment; for the builder only.
    void* allocate(size_t bytes) {
        const size_t needed = kHeaderSize + roundUp(bytes);
        char* start = m_next;
        if (static_cast<size_t>(m_end - start) >= needed) {
            m_next = start + needed;
        } else {
            start = startInNewChunk(needed);
        }
        *reinterpret_cast<ValueArena**>(start) = this;
        return start + kHeaderSize;
    }
    // Gives back the end of the block allocated last, which now needs only `bytes`, or the
    // whole block for 0. Any other block stays as it is.
    void shrinkNewest(void* block, size_t allocatedBytes, size_t bytes) {
        char* const start = static_cast<char*>(block);
        if (start + roundUp(allocatedBytes) != m_next) return;
        m_next = bytes ? start + roundUp(bytes) : start - kHeaderSize;
    }

    static constexpr size_t kAlignment = alignof(void*);

  private:
    // Each block is preceded by a pointer to its arena, so a holder finds it from the block.
    static constexpr size_t kHeaderSize = sizeof(ValueArena*);
    // While building, the count carries this much for the builder's own hold, so releases on
    // the shared count never reach zero before finish(). The builder's counting (which may
    // dip below zero) joins it there, in modular arithmetic.
    static constexpr size_t kBuilding = size_t{1} << 62;
    static constexpr size_t roundUp(size_t bytes) {
        return (bytes + kAlignment - 1) / kAlignment * kAlignment;
    }

    ValueArena() = default;
    ~ValueArena();
    void releaseMany(size_t count) {
        if (m_references.fetch_sub(count, std::memory_order_acq_rel) == count) delete this;
    }
    // Room for `needed` bytes in a chunk of their own or a fresh chunk to cut from.
    char* startInNewChunk(size_t needed);

    std::atomic<size_t> m_references{kBuilding};
    size_t m_builderReferences = 0;
    char* m_next = nullptr;
    char* m_end = nullptr;
    void* m_chunks = nullptr;  // the newest chunk; each starts with a pointer to the one before
    size_t m_chunkSize = 0;
};

}  // namespace ov
