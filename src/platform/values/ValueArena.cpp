#include "orvane/platform/values/ValueArena.h"

#include <algorithm>
#include <new>

namespace ov {
namespace {

// Chunks start small, so a short reply costs little, and grow to a size at which a chunk's
// unused tail is small beside the document.
constexpr size_t kFirstChunkSize = 1024;
constexpr size_t kLargestChunkSize = 64 * 1024;
// An open chunk with at least this much room left stays open for the smaller blocks to come.
constexpr size_t kRoomWorthKeeping = 1024;

// Chunks are listed only to be freed, newest first.
struct Chunk {
    void* previous;
    char* start() { return reinterpret_cast<char*>(this + 1); }
};

}  // namespace

ValueArena& ValueArena::make() {
    return *new ValueArena;
}

ValueArena::~ValueArena() {
    while (m_chunks) {
        auto* chunk = static_cast<Chunk*>(m_chunks);
        m_chunks = chunk->previous;
        ::operator delete(chunk);
    }
}

char* ValueArena::startInNewChunk(size_t needed) {
    const auto link = [this](size_t size) {
        auto* chunk = static_cast<Chunk*>(::operator new(sizeof(Chunk) + size));
        chunk->previous = m_chunks;
        m_chunks = chunk;
        return chunk->start();
    };
    // A block larger than half a chunk, or than the room a fair part of a chunk still has,
    // gets a chunk of its own; the open one stays open.
    if (needed > kLargestChunkSize / 2 ||
        static_cast<size_t>(m_end - m_next) >= kRoomWorthKeeping) {
        return link(needed);
    }
    m_chunkSize = std::clamp(m_chunkSize * 2, kFirstChunkSize, kLargestChunkSize);
    const size_t size = std::max(m_chunkSize, needed);
    char* const start = link(size);
    m_next = start + needed;
    m_end = start + size;
    return start;
}

}  // namespace ov
