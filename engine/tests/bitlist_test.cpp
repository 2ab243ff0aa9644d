// The bit vectors against a bit-by-bit model: shifts across words, add with carry,
// comparison, the logical operations, and memory.
#include <gtest/gtest.h>

#include <cstdlib>
#include <random>
#include <vector>

#include "bitlist.h"

namespace mvf::engine {
namespace {

using Bits = std::vector<bool>; // every bit of every word, bit 0 first

// A vector that releases itself.
struct Vector {
    explicit Vector(int bitCount) { EXPECT_EQ(1, bits::AllocateCleared(v, bitCount)); }
    ~Vector() { bits::Release(v); }
    BitList v{};
};

Bits ToBits(const BitList& v) {
    Bits b(static_cast<std::size_t>(v.wordCount) * 32);
    for (std::size_t i = 0; i < b.size(); ++i) b[i] = (v.words[i / 32] >> (i % 32)) & 1u;
    return b;
}

void Randomize(BitList& v, std::mt19937& rng) {
    for (int i = 0; i < v.wordCount; ++i) v.words[i] = static_cast<uint32_t>(rng());
}

Bits ShiftedLeft(const Bits& b, std::size_t n) {
    Bits r(b.size());
    for (std::size_t i = n; i < b.size(); ++i) r[i] = b[i - n];
    return r;
}

Bits ShiftedRight(const Bits& b, std::size_t n) {
    Bits r(b.size());
    for (std::size_t i = 0; i + n < b.size(); ++i) r[i] = b[i + n];
    return r;
}

Bits Sum(const Bits& a, const Bits& b) {
    Bits r(a.size());
    bool carry = false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const int s = a[i] + b[i] + carry;
        r[i] = s & 1;
        carry = s > 1;
    }
    return r;
}

const int kSizes[] = {1, 31, 32, 33, 64, 95, 200, 511};

TEST(BitListTest, ShiftsMoveBitsAcrossWordsAndLetZerosIn) {
    std::mt19937 rng(7);
    for (const int size : kSizes) {
        Vector x(size);
        const int all = 32 * x.v.wordCount;
        for (const int n : {0, 1, 5, 31, 32, 33, 63, 64, 100, all - 1, all, all + 5}) {
            Randomize(x.v, rng);
            const Bits before = ToBits(x.v);
            bits::ShiftLeft(x.v, n);
            EXPECT_EQ(ShiftedLeft(before, n > all ? all : n), ToBits(x.v))
                << "left " << n << " of " << size;
            Randomize(x.v, rng);
            const Bits again = ToBits(x.v);
            bits::ShiftRight(x.v, n);
            EXPECT_EQ(ShiftedRight(again, n > all ? all : n), ToBits(x.v))
                << "right " << n << " of " << size;
        }
    }
}

TEST(BitListTest, AddCarriesThroughEveryWordAndDropsTheLast) {
    std::mt19937 rng(11);
    for (const int size : kSizes) {
        Vector x(size), y(size);
        for (int round = 0; round < 20; ++round) {
            Randomize(x.v, rng);
            Randomize(y.v, rng);
            if (round == 0) { // a carry through every word, out of the top one
                bits::Fill(x.v);
                bits::Clear(y.v);
                y.v.words[0] = 1;
            }
            const Bits want = Sum(ToBits(x.v), ToBits(y.v));
            bits::Add(x.v, y.v);
            EXPECT_EQ(want, ToBits(x.v)) << size << " bits, round " << round;
        }
    }
}

TEST(BitListTest, CompareFromTheTopWordDown) {
    Vector a(100), b(100), shorter(40);
    EXPECT_EQ(0, bits::Compare(a.v, b.v));
    a.v.words[0] = 5;
    b.v.words[3] = 1; // high beats low
    EXPECT_EQ(-1, bits::Compare(a.v, b.v));
    EXPECT_EQ(1, bits::Compare(b.v, a.v));
    a.v.words[3] = 1;
    EXPECT_EQ(1, bits::Compare(a.v, b.v));
    a.v.words[3] = 0x80000000u; // unsigned: the top bit is the largest
    b.v.words[3] = 0x7fffffffu;
    EXPECT_EQ(1, bits::Compare(a.v, b.v));
    // Lengths differ: compared as numbers.
    bits::Clear(a.v);
    a.v.words[1] = 9;
    shorter.v.words[1] = 9;
    EXPECT_EQ(0, bits::Compare(a.v, shorter.v));
    a.v.words[2] = 1;
    EXPECT_EQ(1, bits::Compare(a.v, shorter.v));
    EXPECT_EQ(-1, bits::Compare(shorter.v, a.v));
}

TEST(BitListTest, LogicalOperationsWorkOnWholeWords) {
    std::mt19937 rng(3);
    Vector v(70), a(70), b(70);
    Randomize(a.v, rng);
    Randomize(b.v, rng);
    auto each = [&](auto op) {
        std::vector<uint32_t> r;
        r.reserve(static_cast<std::size_t>(a.v.wordCount));
        for (int i = 0; i < a.v.wordCount; ++i) r.push_back(op(a.v.words[i], b.v.words[i]));
        return r;
    };
    auto words = [](const BitList& x) {
        return std::vector<uint32_t>(x.words, x.words + x.wordCount);
    };

    bits::Or(v.v, a.v, b.v);
    EXPECT_EQ(each([](uint32_t x, uint32_t y) { return x | y; }), words(v.v));
    bits::And(v.v, a.v, b.v);
    EXPECT_EQ(each([](uint32_t x, uint32_t y) { return x & y; }), words(v.v));
    bits::Copy(v.v, a.v);
    bits::AndNot(v.v, b.v);
    EXPECT_EQ(each([](uint32_t x, uint32_t y) { return x & ~y; }), words(v.v));
    bits::Copy(v.v, a.v);
    bits::Or(v.v, b.v);
    EXPECT_EQ(each([](uint32_t x, uint32_t y) { return x | y; }), words(v.v));
    bits::Copy(v.v, a.v);
    bits::And(v.v, b.v);
    EXPECT_EQ(each([](uint32_t x, uint32_t y) { return x & y; }), words(v.v));
    bits::Copy(v.v, v.v); // onto itself: nothing changes
    EXPECT_EQ(each([](uint32_t x, uint32_t y) { return x & y; }), words(v.v));
    bits::Fill(v.v); // the spare bits of the last word too
    EXPECT_EQ(0xffffffffu, v.v.words[2]);
    bits::Clear(v.v);
    EXPECT_EQ(std::vector<uint32_t>(3, 0), words(v.v));
}

TEST(BitListTest, AllocationSizesAndFillsTheBlock) {
    BitList v{};
    ASSERT_EQ(1, bits::AllocateFilled(v, 33));
    EXPECT_EQ(2, v.wordCount);
    EXPECT_EQ(33, v.bitCount);
    EXPECT_EQ(1, v.allocated);
    EXPECT_EQ(v.handle, static_cast<void*>(v.words));
    EXPECT_EQ(0xffffffffu, v.words[1]);

    BitList copy{};
    ASSERT_EQ(1, bits::AllocateCopy(copy, v, 64));
    EXPECT_EQ(0xffffffffu, copy.words[0]);
    EXPECT_EQ(0xffffffffu, copy.words[1]);

    // Allocating again releases the old block first (the sanitizer run sees a leak
    // otherwise) and starts cleared.
    ASSERT_EQ(1, bits::Allocate(v, 100));
    EXPECT_EQ(4, v.wordCount);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(0u, v.words[i]);
    EXPECT_EQ(1, bits::Release(v));
    EXPECT_EQ(1, bits::Release(copy));
}

TEST(BitListTest, ReleaseForgetsTheBlockAndRefusesOneItDoesNotHold) {
    BitList v{};
    EXPECT_EQ(1, bits::Release(v)); // nothing held
    ASSERT_EQ(1, bits::AllocateCleared(v, 10));
    EXPECT_EQ(1, bits::Release(v));
    EXPECT_EQ(0, v.allocated);
    EXPECT_EQ(0, v.wordCount);
    EXPECT_EQ(0, v.bitCount);
    EXPECT_EQ(nullptr, v.words);

    BitList claimed{}; // marked allocated without a block, as a record zeroed by hand
    claimed.allocated = 1;
    claimed.wordCount = 1;
    EXPECT_EQ(0, bits::Release(claimed));
    EXPECT_EQ(1, claimed.allocated);
    EXPECT_EQ(0, bits::Allocate(claimed, 8)); // cannot be replaced either
}

void* NoMemory(std::size_t, std::size_t) {
    return nullptr;
}

TEST(BitListTest, MissingMemoryLeavesTheVectorEmpty) {
    BitList v{};
    ASSERT_EQ(1, bits::AllocateCleared(v, 40));
    const bits::BlockAllocator previous = bits::SetBlockAllocator(&NoMemory);
    EXPECT_EQ(0, bits::AllocateCleared(v, 40)); // the old block is released first
    EXPECT_EQ(0, v.allocated);
    EXPECT_EQ(nullptr, v.words);
    EXPECT_EQ(0, bits::AllocateFilled(v, 8));
    bits::SetBlockAllocator(previous);
    EXPECT_EQ(1, bits::Release(v));
}

} // namespace
} // namespace mvf::engine
