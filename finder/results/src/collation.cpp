#include "collation.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <memory>

namespace mvf::results::detail {
namespace {

// Texts are read in list order but lie anywhere in memory: asking for one a few places
// ahead hides most of the wait for each.
void FetchAhead(std::span<const std::string_view> texts, std::size_t i) {
    constexpr std::size_t kAhead = 16;
    if (i + kAhead < texts.size()) __builtin_prefetch(texts[i + kAhead].data());
}

// For each text, the index of the first text equal to it, found through an open-addressing
// table of indexes.
std::vector<std::uint32_t> FirstEqual(std::span<const std::string_view> texts) {
    constexpr std::uint32_t kEmpty = 0xFFFFFFFF;
    std::size_t capacity = 16;
    while (capacity < texts.size() * 2) capacity *= 2;
    std::vector<std::uint32_t> slots(capacity, kEmpty);
    std::vector<std::uint32_t> first(texts.size());
    for (std::uint32_t i = 0; i < texts.size(); ++i) {
        FetchAhead(texts, i);
        std::size_t slot = std::hash<std::string_view>{}(texts[i]) & (capacity - 1);
        while (slots[slot] != kEmpty && texts[slots[slot]] != texts[i])
            slot = (slot + 1) & (capacity - 1);
        if (slots[slot] == kEmpty) slots[slot] = i;
        first[i] = slots[slot];
    }
    return first;
}

// strxfrm of many texts, kept in large blocks that never move: a growing single buffer
// would hold its old and new copies at once, the peak of a whole sort.
class TransformedTexts {
public:
    // `text` is followed by a NUL. The result stays valid as long as this object.
    const char* Add(std::string_view text) {
        std::size_t room = text.size() * 4 + 16;
        for (;;) {
            if (free_ < room) NewBlock(room);
            char* at = blocks_.back().get() + (blockSize_ - free_);
            const std::size_t needed = std::strxfrm(at, text.data(), free_);
            if (needed < free_) {
                free_ -= needed + 1;
                return at;
            }
            room = needed + 1;
            free_ = 0; // the rest of this block is too small for it
        }
    }

private:
    static constexpr std::size_t kBlock = 4 << 20;

    void NewBlock(std::size_t atLeast) {
        blockSize_ = std::max(kBlock, atLeast);
        blocks_.push_back(std::make_unique_for_overwrite<char[]>(blockSize_));
        free_ = blockSize_;
    }

    std::vector<std::unique_ptr<char[]>> blocks_;
    std::size_t blockSize_ = 0;
    std::size_t free_ = 0;
};

// A transformed text for sorting: its first eight bytes as one number decide most
// comparisons without reaching into the text, which lies anywhere in memory.
struct Key {
    Key(const char* transformed, std::uint32_t index) : bytes(transformed), text(index) {
        for (int i = 0; i < 8; ++i) {
            head <<= 8;
            if (*transformed != '\0') head |= static_cast<unsigned char>(*transformed++);
        }
    }
    // strcmp's order: the heads as big-endian numbers, then the rest. A head whose last
    // byte is zero holds the whole text, and equal heads of that kind are equal texts.
    friend bool operator<(const Key& a, const Key& b) {
        if (a.head != b.head) return a.head < b.head;
        return (a.head & 0xFF) != 0 && std::strcmp(a.bytes + 8, b.bytes + 8) < 0;
    }

    std::uint64_t head = 0;
    const char* bytes;
    std::uint32_t text;
};

} // namespace

CollationRanks::CollationRanks(std::span<const std::string_view> texts) : rankOf_(texts.size()) {
    const std::vector<std::uint32_t> first = FirstEqual(texts);

    // strcmp on the transformed texts orders them as strcoll orders the texts.
    std::vector<Key> keys;
    TransformedTexts transformed;
    for (std::uint32_t i = 0; i < texts.size(); ++i) {
        FetchAhead(texts, i);
        if (first[i] == i) keys.push_back(Key(transformed.Add(texts[i]), i));
    }
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) { return a < b; });

    for (std::size_t k = 0; k < keys.size(); ++k) {
        if (k == 0 || keys[k - 1] < keys[k]) firstOfRank_.push_back(texts[keys[k].text]);
        rankOf_[keys[k].text] = static_cast<std::uint32_t>(firstOfRank_.size() - 1);
    }
    for (std::size_t i = 0; i < texts.size(); ++i) rankOf_[i] = rankOf_[first[i]];
}

std::uint32_t CollationRanks::PlaceOf(std::string_view text) const {
    const auto at = std::lower_bound(firstOfRank_.begin(), firstOfRank_.end(), text,
                                     [](std::string_view ranked, std::string_view t) {
                                         return std::strcoll(ranked.data(), t.data()) < 0;
                                     });
    const auto place = static_cast<std::uint32_t>(at - firstOfRank_.begin());
    const bool equal = at != firstOfRank_.end() && std::strcoll(at->data(), text.data()) == 0;
    return 2 * place + (equal ? 1 : 0);
}

} // namespace mvf::results::detail
