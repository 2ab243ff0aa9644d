// Bit vectors of variable length (BitList), the approximate search's registers.
//
// Every operation works on whole 32-bit words, the spare high bits of the last word
// included. Binary operations expect their operands to hold at least as many words as
// the vector they write; the approximate search only combines vectors of one size.
// The word loops are small and live here, inline; memory is handled in bitlist.cpp. (The
// search itself advances its counters in one fused pass over the words, in agrep.cpp.)
#pragma once

#include <cstddef>
#include <cstdint>

#include "mvfindgrep.h"

namespace mvf::engine::bits {

constexpr int kWordBits = 32;

// Memory. Each returns 1, or 0 when no memory was available (the vector then holds none).
int Allocate(BitList& v, int bitCount); // releases v first; the words start cleared
int AllocateCleared(BitList& v, int bitCount);
int AllocateFilled(BitList& v, int bitCount);
int AllocateCopy(BitList& v, const BitList& src, int bitCount);

// 1 when v holds no memory afterwards. Freeing a block cannot fail here, so the one
// failure left is a vector that claims memory it does not hold (marked allocated without
// its block, as a record copied or zeroed by hand can be): it is left as it is and the
// answer is 0, rather than freeing a block that is not its own.
int Release(BitList& v);

// Marks v as holding no memory without releasing anything, for records whose fields
// are not to be trusted yet.
void Forget(BitList& v);

// Where blocks come from; tests replace it to make memory run out on demand.
using BlockAllocator = void* (*)(std::size_t count, std::size_t size);
BlockAllocator SetBlockAllocator(BlockAllocator allocator);

inline void Clear(BitList& v) {
    for (int i = 0; i < v.wordCount; ++i) v.words[i] = 0;
}

inline void Fill(BitList& v) {
    for (int i = 0; i < v.wordCount; ++i) v.words[i] = ~uint32_t{0};
}

inline void Copy(BitList& v, const BitList& src) {
    if (&v == &src) return;
    for (int i = 0; i < v.wordCount; ++i) v.words[i] = src.words[i];
}

// Towards higher bits by n positions, zeros coming in.
inline void ShiftLeft(BitList& v, int n) {
    if (n <= 0) return;
    if (n >= kWordBits * v.wordCount) return Clear(v);
    const int words = n / kWordBits;
    const int bits = n % kWordBits;
    uint32_t* w = v.words;
    for (int i = v.wordCount - 1; i >= 0; --i) {
        const int from = i - words;
        uint32_t value = 0;
        if (from >= 0) value = w[from] << bits;
        if (bits && from >= 1) value |= w[from - 1] >> (kWordBits - bits);
        w[i] = value;
    }
}

// Towards lower bits by n positions, zeros coming in.
inline void ShiftRight(BitList& v, int n) {
    if (n <= 0) return;
    if (n >= kWordBits * v.wordCount) return Clear(v);
    const int words = n / kWordBits;
    const int bits = n % kWordBits;
    uint32_t* w = v.words;
    const int count = v.wordCount;
    for (int i = 0; i < count; ++i) {
        const int from = i + words;
        uint32_t value = 0;
        if (from < count) value = w[from] >> bits;
        if (bits && from + 1 < count) value |= w[from + 1] << (kWordBits - bits);
        w[i] = value;
    }
}

inline void Or(BitList& v, const BitList& a) {
    for (int i = 0; i < v.wordCount; ++i) v.words[i] |= a.words[i];
}

inline void Or(BitList& v, const BitList& a, const BitList& b) {
    for (int i = 0; i < v.wordCount; ++i) v.words[i] = a.words[i] | b.words[i];
}

inline void And(BitList& v, const BitList& a) {
    for (int i = 0; i < v.wordCount; ++i) v.words[i] &= a.words[i];
}

inline void And(BitList& v, const BitList& a, const BitList& b) {
    for (int i = 0; i < v.wordCount; ++i) v.words[i] = a.words[i] & b.words[i];
}

inline void AndNot(BitList& v, const BitList& a) {
    for (int i = 0; i < v.wordCount; ++i) v.words[i] &= ~a.words[i];
}

// v += a as one unsigned number, word 0 lowest; the carry out of the top word is dropped.
inline void Add(BitList& v, const BitList& a) {
    uint64_t carry = 0;
    for (int i = 0; i < v.wordCount; ++i) {
        const uint64_t sum = uint64_t{v.words[i]} + a.words[i] + carry;
        v.words[i] = static_cast<uint32_t>(sum);
        carry = sum >> kWordBits;
    }
}

// Unsigned comparison from the top word down: 1 when a > b, -1 when a < b, 0 when equal.
// Vectors of different lengths compare as numbers (missing words are zero).
inline int Compare(const BitList& a, const BitList& b) {
    const int top = a.wordCount > b.wordCount ? a.wordCount : b.wordCount;
    for (int i = top - 1; i >= 0; --i) {
        const uint32_t x = i < a.wordCount ? a.words[i] : 0;
        const uint32_t y = i < b.wordCount ? b.words[i] : 0;
        if (x != y) return x > y ? 1 : -1;
    }
    return 0;
}

inline void SetBit(BitList& v, int n) {
    v.words[n / kWordBits] |= uint32_t{1} << (n % kWordBits);
}

} // namespace mvf::engine::bits
