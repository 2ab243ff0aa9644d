// Memory of the bit vectors: zero-filled blocks from the C library.
#include "bitlist.h"

#include <cstdlib>

namespace mvf::engine::bits {

namespace {

BlockAllocator g_allocate = &std::calloc;

} // namespace

BlockAllocator SetBlockAllocator(BlockAllocator allocator) {
    BlockAllocator previous = g_allocate;
    g_allocate = allocator ? allocator : &std::calloc;
    return previous;
}

void Forget(BitList& v) {
    v.wordCount = 0;
    v.bitCount = 0;
    v.allocated = 0;
    v.handle = nullptr;
    v.words = nullptr;
}

int Release(BitList& v) {
    if (!v.allocated) return 1;
    if (!v.handle || v.words != v.handle) return 0;
    std::free(v.handle);
    Forget(v);
    return 1;
}

int Allocate(BitList& v, int bitCount) {
    if (!Release(v)) return 0;
    const int count = bitCount > 0 ? (bitCount + kWordBits - 1) / kWordBits : 0;
    // At least one word, so that a vector of no bits still has a block of its own.
    void* block = g_allocate(count > 0 ? static_cast<std::size_t>(count) : 1, sizeof(uint32_t));
    if (!block) return 0;
    v.wordCount = count;
    v.bitCount = bitCount > 0 ? bitCount : 0;
    v.allocated = 1;
    v.handle = block;
    v.words = static_cast<uint32_t*>(block);
    return 1;
}

// Blocks come zero-filled.
int AllocateCleared(BitList& v, int bitCount) {
    return Allocate(v, bitCount);
}

int AllocateFilled(BitList& v, int bitCount) {
    if (!Allocate(v, bitCount)) return 0;
    Fill(v);
    return 1;
}

int AllocateCopy(BitList& v, const BitList& src, int bitCount) {
    if (&v == &src) return 0; // allocating v first would release the source
    if (!Allocate(v, bitCount)) return 0;
    const int count = src.wordCount < v.wordCount ? src.wordCount : v.wordCount;
    for (int i = 0; i < count; ++i) v.words[i] = src.words[i];
    return 1;
}

} // namespace mvf::engine::bits
