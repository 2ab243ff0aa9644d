// The Soundex search: the pattern and the text are reduced to Soundex codes (a capital
// letter and up to three digits per word, words separated by one space), and the
// pattern's code is looked for in the code stream of the text.
#include <array>
#include <cstring>

#include "internal.h"

namespace mvf::engine {

namespace {

// The digit of each byte: 1-6 for the consonants that carry one, 0 for every other byte
// (vowels, H, W, Y, and everything that is not a letter).
constexpr std::array<unsigned char, 256> DigitTable() {
    std::array<unsigned char, 256> table{};
    const char* groups[] = {"BFPV", "CGJKQSXZ", "DT", "L", "MN", "R"};
    for (unsigned char digit = 1; digit <= 6; ++digit) {
        for (const char* c = groups[digit - 1]; *c; ++c) {
            table[static_cast<unsigned char>(*c)] = digit;
            table[static_cast<unsigned char>(*c - 'A' + 'a')] = digit;
        }
    }
    return table;
}
constexpr std::array<unsigned char, 256> kDigit = DigitTable();

constexpr bool IsLetter(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// The encoder and the state it carries from one character to the next.
class Encoder {
public:
    // The code character that `c` produces, or 0 when it produces none.
    char Feed(unsigned char c) {
        if (!IsLetter(c)) {
            if (prev_ == kBetween) return 0; // further separators are skipped
            prev_ = kBetween;
            digits_ = 0;
            return ' ';
        }
        const unsigned char digit = kDigit[c];
        if (prev_ == kBetween) {
            prev_ = digit;
            digits_ = 0;
            return static_cast<char>(c & ~0x20); // the word's letter, in upper case
        }
        // Once a word has its three digits nothing it holds is written any more; the
        // state stops changing, which lets the search recognise it.
        if (prev_ == kFull || digit == prev_) return 0;
        prev_ = digit;
        if (digit == 0) return 0; // a vowel only resets, so the same digit counts again
        if (++digits_ == 3) prev_ = kFull;
        return static_cast<char>('0' + digit);
    }

    // One of kStates values; equal ids produce equal codes from here on.
    int Id() const { return prev_ * 4 + digits_; }
    static constexpr int kStates = 9 * 4;

private:
    // prev_: 0 a letter without a digit, 1-6 a digit, or one of these.
    static constexpr unsigned char kBetween = 7; // between words
    static constexpr unsigned char kFull = 8;    // the word has written three digits
    unsigned char prev_ = kBetween;
    unsigned char digits_ = 0;
};

int Fail(SoundexRecord& r, int code, const char* message) {
    r.state = code;
    Report(NoticeKind::Soundex, message);
    return code;
}

// The search. Each start position feeds the text from there to the encoder, comparing
// the code characters it produces with the pattern's code; the encoder's state is
// carried from one start position to the next, as the code stream of the text has it.
//
// An attempt is decided by its position, the encoder state and how much of the code it
// has matched. So when an attempt begins at a position where an earlier attempt was in
// the same state and had matched nothing yet, it ends exactly as that one did. The search
// remembers, per state, the last stretch of positions an attempt crossed in that state
// before its first code character, and passes over such attempts at once: otherwise a long
// run of separators, or a long word, would be crossed again from every position in it.
int Search(SoundexRecord& r, const unsigned char* text) {
    struct Stretch {
        const unsigned char* from = nullptr;
        const unsigned char* to = nullptr; // the first code character is produced here
        Encoder after;                     // the state the attempt ended in
    };
    Stretch known[Encoder::kStates];
    const char* code = r.code;
    Encoder encoder;
    for (const unsigned char* start = text; *start; ++start) {
        const Stretch& seen = known[encoder.Id()];
        if (seen.from && seen.from <= start && start <= seen.to) {
            encoder = seen.after;
            continue;
        }
        Stretch stretch{start, nullptr, {}};
        int stretchState = encoder.Id();
        const char* want = code;
        const unsigned char* p = start;
        for (;;) {
            if (!*want) {
                r.matchStart[0] = reinterpret_cast<const char*>(start);
                r.matchEnd[0] = reinterpret_cast<const char*>(p);
                return 1;
            }
            if (!stretch.to && encoder.Id() != stretchState) {
                stretch.from = p;
                stretchState = encoder.Id();
            }
            if (!*p) {
                if (!stretch.to) stretch.to = p;
                break;
            }
            const char produced = encoder.Feed(*p);
            if (produced && !stretch.to) stretch.to = p;
            ++p;
            if (!produced) continue;
            if (produced != *want) break;
            ++want;
        }
        stretch.after = encoder;
        known[stretchState] = stretch;
    }
    return 0;
}

} // namespace

} // namespace mvf::engine

extern "C" {

int CompileSGrep(const char* pattern, int /*unused*/, SoundexRecord* record) {
    using namespace mvf::engine;
    if (!record) return HGREP_ERR_NO_PATTERN;
    SoundexRecord& r = *record;
    const std::size_t length = pattern ? std::strlen(pattern) : 0;
    if (length == 0) {
        r.code[0] = '\0';
        ForgetMatch(r);
        r.state = HGREP_ERR_NO_PATTERN;
        ReportWithCaption("SGrep", "No regular expression provided");
        return HGREP_ERR_NO_PATTERN;
    }
    if (length >= MVFG_PATTERN_SIZE) {
        r.code[0] = '\0';
        ForgetMatch(r);
        return Fail(r, HGREP_ERR_PATTERN_TOO_LONG, "pattern too long");
    }
    std::memcpy(r.pattern, pattern, length + 1);
    // Each character writes at most one code character, so the code fits its area.
    Encoder encoder;
    std::size_t n = 0;
    for (const char* p = pattern; *p; ++p)
        if (const char c = encoder.Feed(static_cast<unsigned char>(*p))) r.code[n++] = c;
    if (n > 0 && r.code[n - 1] == ' ') --n;
    r.code[n] = '\0';
    r.state = 0;
    return 0;
}

int SGrep(const char* text, SoundexRecord* record) {
    using namespace mvf::engine;
    if (!record) return -1;
    SoundexRecord& r = *record;
    if (r.state != 0) {
        Fail(r, -1, "previous error in CompileSGrep");
        return -1;
    }
    if (!text) {
        Fail(r, -1, "no string to search");
        return -1;
    }
    // Cleared before the empty-code answer too, so that no earlier match outlives it.
    for (int n = 0; n < MVFG_BOUNDS; ++n) r.matchStart[n] = r.matchEnd[n] = nullptr;
    if (!r.code[0]) {
        r.state = 0;
        Report(NoticeKind::Soundex, "no pattern");
        return 0;
    }
    return Search(r, reinterpret_cast<const unsigned char*>(text));
}

} // extern "C"
