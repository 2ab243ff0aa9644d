// The approximate search: every window of the text as long as the pattern that differs
// from it in at most k positions (substitutions only).
//
// k = 0 is a plain substring search. Otherwise one counter per pattern position is packed
// into a bit vector, field i (B bits) for position i, the top field most significant; one
// shift and one add per text character advance them all. When more than half of the
// positions may differ, agreements are counted instead (the complement mode).
#include <array>
#include <cctype>
#include <climits>
#include <cstring>

#include "bitlist.h"
#include "internal.h"

namespace mvf::engine {

namespace {

constexpr int kComplement = 0;
constexpr int kNormal = 1;
constexpr int kExact = 2;
constexpr int kNotCompiled = -1;

int Fail(ApproxRecord& r, int code, const char* message) {
    r.state = code;
    Report(NoticeKind::Approximate, message);
    return code;
}

// A compile that fails leaves the record unusable: no search (-1) and no substitution
// (nothing found) until a compile succeeds, whatever it had changed before failing.
int CompileFailed(ApproxRecord& r, int code, const char* message) {
    r.mode = kNotCompiled;
    ForgetMatch(r);
    return Fail(r, code, message);
}

int NoMemory(ApproxRecord& r) {
    return CompileFailed(r, HGREP_ERR_NO_MEMORY, "not enough memory");
}

// The work vectors, in the order they are released.
std::array<BitList*, 6> WorkVectors(ApproxRecord& r) {
    return {&r.validMask, &r.highBits, &r.threshold, &r.counters, &r.overflow, &r.scratch};
}

// B: one bit above the smallest count of bits that holds k.
int FieldBits(int k) {
    int n = 0;
    while ((1 << n) < k + 1) ++n;
    return 1 + n;
}

unsigned char Upper(unsigned char c) {
    return static_cast<unsigned char>(std::toupper(c));
}
unsigned char Lower(unsigned char c) {
    return static_cast<unsigned char>(std::tolower(c));
}

// Marks, for each character of `s`, its position in that character's table entry: as
// agreeing (normal mode clears the difference bit) or as an agreement (complement mode
// sets it).
void Enter(ApproxRecord& r, int mode, BitList& marker, const unsigned char* s,
           unsigned char (*map)(unsigned char)) {
    bits::Clear(marker);
    bits::SetBit(marker, 0);
    for (; *s; ++s) {
        BitList& entry = r.charTable[map(*s)];
        if (mode == kNormal) {
            bits::AndNot(entry, marker);
        } else {
            bits::Or(entry, marker);
        }
        bits::ShiftLeft(marker, r.fieldBits);
    }
}

unsigned char Same(unsigned char c) {
    return c;
}

// Builds the vectors and the character table for a counting mode; 0 or code 2.
int BuildTables(ApproxRecord& r, int mode, int m, int limit) {
    const int b = r.fieldBits;
    const int total = r.totalBits;
    if (!bits::AllocateCleared(r.counters, total) || !bits::AllocateCleared(r.overflow, total) ||
        !bits::AllocateCleared(r.scratch, total) || !bits::AllocateCleared(r.threshold, total))
        return NoMemory(r);
    r.threshold.words[0] = static_cast<uint32_t>(limit);
    bits::ShiftLeft(r.threshold, (m - 1) * b);

    if (!bits::AllocateCleared(r.highBits, total)) return NoMemory(r);
    for (int i = 0; i < m; ++i) {
        bits::ShiftLeft(r.highBits, b);
        bits::SetBit(r.highBits, b - 1);
    }

    if (mode == kNormal) {
        // The limit becomes k + 1, and every character differs from every position
        // until the pattern says otherwise.
        bits::Clear(r.scratch);
        bits::SetBit(r.scratch, (m - 1) * b);
        bits::Add(r.threshold, r.scratch);
        bits::Copy(r.scratch, r.highBits);
        bits::ShiftRight(r.scratch, b - 1);
        for (BitList& entry : r.charTable)
            if (!bits::AllocateCopy(entry, r.scratch, total)) return NoMemory(r);
    } else {
        for (BitList& entry : r.charTable)
            if (!bits::AllocateCleared(entry, total)) return NoMemory(r);
    }

    BitList marker{};
    if (!bits::AllocateCleared(marker, total)) return NoMemory(r);
    const auto* pattern = reinterpret_cast<const unsigned char*>(r.pattern);
    if (r.caseSensitive) {
        Enter(r, mode, marker, pattern, &Same);
    } else {
        Enter(r, mode, marker, pattern, &Lower);
        Enter(r, mode, marker, pattern, &Upper);
    }
    bits::Release(marker);

    if (!bits::AllocateFilled(r.validMask, total)) return NoMemory(r);
    if (total % bits::kWordBits)
        r.validMask.words[r.validMask.wordCount - 1] =
            (uint32_t{1} << (total % bits::kWordBits)) - 1;
    return 0;
}

// The counting modes need every work vector at the compiled size; a record that never
// went through a compile (or was emptied since) has none.
bool CountingReady(ApproxRecord& r) {
    if (r.fieldBits <= 0 || r.fieldBits >= bits::kWordBits || r.totalBits <= 0) return false;
    for (BitList* v : WorkVectors(r))
        if (!v->allocated || v->bitCount != r.totalBits) return false;
    return true;
}

// Keeps the first ten matches and counts them all.
class Matches {
public:
    explicit Matches(ApproxRecord& r) : r_(r) {}
    void Add(const char* start, const char* end) {
        if (count_ < MVFG_BOUNDS) {
            r_.matchStart[count_] = start;
            r_.matchEnd[count_] = end;
        }
        if (count_ < INT_MAX) ++count_;
    }
    int Count() const { return count_; }

private:
    ApproxRecord& r_;
    int count_ = 0;
};

int SearchExact(ApproxRecord& r, const char* text) {
    Matches found(r);
    const std::size_t m = std::strlen(r.pattern);
    if (r.caseSensitive) {
        for (const char* p = std::strstr(text, r.pattern); p; p = std::strstr(p + 1, r.pattern))
            found.Add(p, p + m);
        return found.Count();
    }
    // The same as searching an upper-cased copy of the text, without the copy.
    const auto* want = reinterpret_cast<const unsigned char*>(r.exactPattern);
    for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p; ++p) {
        if (Upper(*p) != want[0]) continue;
        std::size_t j = 1;
        while (want[j] && Upper(p[j]) == want[j]) ++j; // the text's end never equals
        if (!want[j]) {
            const char* at = reinterpret_cast<const char*>(p);
            found.Add(at, at + m);
        }
    }
    return found.Count();
}

// One text character, in a single pass over the words from low to high: the counters
// shift up a field and take the character's entry (carries run on into the next word);
// what lands outside the pattern is dropped; each field's top bit moves to the overflow
// flags, which shift along with the counters. The same as the vector operations
//   counters <<= B; counters += entry; counters &= valid;
//   overflow <<= B; overflow |= counters & high; overflow &= valid; counters &= ~high;
// done one after the other, without passing over the words ten times.
inline void Advance(ApproxRecord& r, const BitList& entry) {
    const int b = r.fieldBits; // 1 to 9: a shift never moves a bit past the next word
    uint32_t* counters = r.counters.words;
    uint32_t* overflow = r.overflow.words;
    const uint32_t* add = entry.words;
    const uint32_t* valid = r.validMask.words;
    const uint32_t* high = r.highBits.words;
    uint32_t countersIn = 0;
    uint32_t overflowIn = 0;
    uint64_t carry = 0;
    for (int i = 0; i < r.counters.wordCount; ++i) {
        const uint32_t c = counters[i];
        const uint32_t o = overflow[i];
        const uint64_t sum = uint64_t{(c << b) | countersIn} + add[i] + carry;
        countersIn = c >> (bits::kWordBits - b);
        carry = sum >> bits::kWordBits;
        const uint32_t counted = static_cast<uint32_t>(sum) & valid[i];
        overflow[i] = (((o << b) | overflowIn) | (counted & high[i])) & valid[i];
        overflowIn = o >> (bits::kWordBits - b);
        counters[i] = counted & ~high[i];
    }
}

// Compares counters OR overflow (the count of each field, or its overflow flag) with the
// threshold, from the top word down.
inline int CompareWithThreshold(const ApproxRecord& r) {
    for (int i = r.counters.wordCount - 1; i >= 0; --i) {
        const uint32_t x = r.counters.words[i] | r.overflow.words[i];
        const uint32_t y = r.threshold.words[i];
        if (x != y) return x > y ? 1 : -1;
    }
    return 0;
}

int SearchCounting(ApproxRecord& r, const char* text) {
    using namespace bits;
    const int m = r.totalBits / r.fieldBits;
    const bool normal = r.mode == kNormal;
    if (normal) {
        // Every field starts overflowed: no window ends before the m-th character.
        Copy(r.counters, r.validMask);
        AndNot(r.counters, r.highBits);
        Copy(r.overflow, r.highBits);
    } else {
        Clear(r.counters);
        Clear(r.overflow);
    }
    Matches found(r);
    for (const char* p = text; *p; ++p) {
        Advance(r, r.charTable[static_cast<unsigned char>(*p)]);
        // Normal mode: the top field's differences are at most k and never overflowed.
        // Complement mode: its agreements reach m - k, counted or overflowed.
        const int order = CompareWithThreshold(r);
        if (normal ? order < 0 : order >= 0) {
            const char* end = p + 1;
            found.Add(end - text >= m ? end - m : text, end);
        }
    }
    return found.Count();
}

} // namespace

} // namespace mvf::engine

extern "C" {

int AGrepInit(ApproxRecord* record) {
    using namespace mvf::engine;
    if (!record) return 1;
    record->state = 1; // searching before a compile answers -1
    for (int n = 0; n < MVFG_BOUNDS; ++n) record->matchStart[n] = record->matchEnd[n] = nullptr;
    // A fresh record's fields are not to be trusted: nothing in it is released.
    for (BitList& entry : record->charTable) {
        bits::Forget(entry);
        bits::AllocateCleared(entry, 1);
    }
    for (BitList* v : WorkVectors(*record)) bits::Forget(*v);
    record->fieldBits = -1;
    record->totalBits = -1;
    record->mode = kNotCompiled;
    record->caseSensitive = 1;
    return 1;
}

int CompileAGrep(const char* pattern, int k, int caseSensitive, ApproxRecord* record) {
    using namespace mvf::engine;
    if (!record) return HGREP_ERR_NO_PATTERN;
    ApproxRecord& r = *record;
    const std::size_t length = pattern ? std::strlen(pattern) : 0;
    if (length >= MVFG_PATTERN_SIZE)
        return CompileFailed(r, HGREP_ERR_TOO_LONG, "pattern too long");
    if (length == 0) return CompileFailed(r, HGREP_ERR_NO_PATTERN, "no pattern");
    const int m = static_cast<int>(length);
    std::memcpy(r.pattern, pattern, length + 1);
    r.caseSensitive = caseSensitive;

    // No window has fewer than no differences: a negative k searches exactly.
    if (k <= 0) {
        r.mode = kExact;
        for (int i = 0; i <= m; ++i)
            r.exactPattern[i] = static_cast<char>(
                caseSensitive ? r.pattern[i] : Upper(static_cast<unsigned char>(r.pattern[i])));
        r.state = 0;
        return 0;
    }

    // Count agreements when more than half may differ. k beyond m allows every window:
    // at least no agreements are needed.
    int limit = k;
    int mode = kNormal;
    if (2LL * k > m) {
        mode = kComplement;
        limit = k < m ? m - k : 0;
    }
    const int b = FieldBits(limit);
    if (b * m >= 512) return CompileFailed(r, HGREP_ERR_TOO_LONG, "pattern too long");

    // Until the tables are whole the record is not compiled, whatever its state says
    // later (a substitution call sets the state to 0).
    r.mode = kNotCompiled;
    r.fieldBits = b;
    r.totalBits = b * m;
    if (const int code = BuildTables(r, mode, m, limit)) return code;
    r.mode = mode;
    r.state = 0;
    return 0;
}

int AGrep(const char* text, ApproxRecord* record) {
    using namespace mvf::engine;
    if (!record || record->state != 0) return -1;
    ApproxRecord& r = *record;
    const bool counting = r.mode == kNormal || r.mode == kComplement;
    if (!(r.mode == kExact || (counting && CountingReady(r)))) return -1;
    for (int n = 0; n < MVFG_BOUNDS; ++n) r.matchStart[n] = r.matchEnd[n] = nullptr;
    if (!text) return 0;
    return counting ? SearchCounting(r, text) : SearchExact(r, text);
}

int AGrepEmpty(ApproxRecord* record) {
    using namespace mvf::engine;
    if (!record) return 1;
    // Searching must not reach a released vector: the record answers -1 until compiled.
    record->mode = kNotCompiled;
    for (BitList& entry : record->charTable)
        if (!bits::Release(entry)) return 0;
    // The work vectors go too, whatever the mode: an exact compile after a counting one
    // leaves them allocated, and nothing else would ever release them.
    for (BitList* v : WorkVectors(*record))
        if (!bits::Release(*v)) return 0;
    return 1;
}

} // extern "C"
