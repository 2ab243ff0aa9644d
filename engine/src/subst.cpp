// Substitution from the bounds of the last search, for the three kinds of record:
// expanding a replacement template (SubsBuild) and replacing the first match in the
// searched text (Substitute).
//
// Template: "&" and "\0" insert the whole match, "\1"-"\9" entries 1-9 (tagged groups,
// further approximate matches, nothing for Soundex), "\b" "\f" "\n" "\r" "\t" control
// characters, "\" before any other character that character, and a single "\" at the very
// end of the template a backslash. `size` counts the terminating zero and is never
// exceeded.
#include <cstdint>
#include <cstring>

#include "internal.h"

namespace mvf::engine {

namespace {

// What substitution needs of a record: its state and bounds, and how it reports.
struct MatchView {
    int32_t& state;
    const char* const* start;
    const char* const* end;
    NoticeKind kind;
    const char* emptyTemplateMessage;
};

template <class Record>
MatchView View(Record* r, NoticeKind kind, const char* emptyTemplateMessage) {
    return {r->state, r->matchStart, r->matchEnd, kind, emptyTemplateMessage};
}

const char* Message(int code) {
    switch (code) {
    case HGREP_ERR_BAD_STATE: return "bad state in automaton";
    case HGREP_ERR_NO_SPACE: return "not enough space in destination string";
    case HGREP_ERR_NO_PREVIOUS: return "no previous search";
    }
    return "";
}

int Fail(const MatchView& v, int code) {
    v.state = code;
    Report(v.kind, code == HGREP_ERR_NO_PATTERN ? v.emptyTemplateMessage : Message(code));
    return code;
}

// The destination: characters are put while there is room for them and the terminator.
class Output {
public:
    Output(char* destination, int size)
        : dest_(destination), room_(destination && size > 0 ? size - 1 : -1) {}

    bool Put(char c) {
        if (length_ >= room_) return false;
        dest_[length_++] = c;
        return true;
    }
    int Length() const { return length_; }
    // Ends the text at `length` characters; false when not even the terminator fits.
    bool EndAt(int length) {
        if (room_ < 0) return false;
        length_ = length;
        dest_[length_] = '\0';
        return true;
    }

private:
    char* dest_;
    int room_; // characters that fit before the terminator; -1: not even the terminator
    int length_ = 0;
};

// Appends the text of one entry; an entry without both bounds inserts nothing.
int PutEntry(Output& out, const MatchView& v, int n) {
    const char* from = v.start[n];
    const char* to = v.end[n];
    if (!from || !to) return 0;
    for (const char* p = from; p != to; ++p) {
        if (!*p) return HGREP_ERR_BAD_STATE; // the text ends before the entry does
        if (!out.Put(*p)) return HGREP_ERR_NO_SPACE;
    }
    return 0;
}

// Appends the expanded template; 0, or the code of the first fault.
int Expand(const char* t, Output& out, const MatchView& v) {
    for (; *t; ++t) {
        char literal = *t;
        if (*t == '&') {
            if (const int code = PutEntry(out, v, 0)) return code;
            continue;
        }
        if (*t == '\\' && t[1]) {
            ++t;
            if (*t >= '0' && *t <= '9') {
                if (const int code = PutEntry(out, v, *t - '0')) return code;
                continue;
            }
            literal = static_cast<char>(EscapedControl(static_cast<unsigned char>(*t)));
        }
        if (!out.Put(literal)) return HGREP_ERR_NO_SPACE;
    }
    return 0;
}

int SubsBuild(const char* replacement, char* destination, int size, const MatchView& v) {
    Output out(destination, size);
    out.EndAt(0);
    if (!replacement || !*replacement) return Fail(v, HGREP_ERR_NO_PATTERN);
    if (!v.start[0]) return Fail(v, HGREP_ERR_NO_PREVIOUS);
    int code = Expand(replacement, out, v);
    if (!code && !out.EndAt(out.Length())) code = HGREP_ERR_NO_SPACE;
    if (code) {
        out.EndAt(0); // a failed expansion leaves no partial text behind
        return Fail(v, code);
    }
    v.state = 0;
    return 0;
}

// Whether the bounds of the match lie in this text, in order. The bounds may point into
// another text altogether (the record was searched on something else), so the pointers
// are compared as addresses.
bool MatchLiesIn(const char* text, std::size_t length, const MatchView& v) {
    const auto first = reinterpret_cast<std::uintptr_t>(text);
    const auto start = reinterpret_cast<std::uintptr_t>(v.start[0]);
    const auto end = reinterpret_cast<std::uintptr_t>(v.end[0]);
    return first <= start && start <= end && end <= first + length;
}

int Substitute(const char* text, const char* replacement, char* destination, int size,
               const MatchView& v) {
    Output out(destination, size);
    out.EndAt(0);
    v.state = 0;
    if (!replacement || !*replacement) return Fail(v, HGREP_ERR_NO_PATTERN);
    if (!v.start[0]) return Fail(v, HGREP_ERR_NO_PREVIOUS);
    if (!v.end[0] || !text) return Fail(v, HGREP_ERR_BAD_STATE);
    const std::size_t length = std::strlen(text);
    if (!MatchLiesIn(text, length, v)) return Fail(v, HGREP_ERR_BAD_STATE);

    for (const char* p = text; p != v.start[0]; ++p) {
        if (!out.Put(*p)) {
            out.EndAt(0);
            return Fail(v, HGREP_ERR_NO_SPACE);
        }
    }
    const int before = out.Length();
    int code = Expand(replacement, out, v);
    for (const char* p = v.end[0]; !code && *p; ++p)
        if (!out.Put(*p)) code = HGREP_ERR_NO_SPACE;
    if (code) {
        out.EndAt(before);
        return Fail(v, code);
    }
    // Even an empty result needs room for its terminator.
    if (!out.EndAt(out.Length())) return Fail(v, HGREP_ERR_NO_SPACE);
    return 0;
}

constexpr const char* kNoPatternProvided = "no pattern provided";
constexpr const char* kNoPattern = "no pattern";

} // namespace

} // namespace mvf::engine

// A call without a record has no search behind it: "no previous search", unreported.
#define MVFG_SUBSTITUTION_CALLS(Record, Prefix, kind, emptyMessage)                                \
    int Prefix##SubsBuild(const char* replacement, char* destination, int size, Record* record) {  \
        if (!record) return HGREP_ERR_NO_PREVIOUS;                                                 \
        return mvf::engine::SubsBuild(replacement, destination, size,                              \
                                      mvf::engine::View(record, kind, emptyMessage));              \
    }                                                                                              \
    int Prefix##Substitute(const char* text, const char* replacement, char* destination, int size, \
                           Record* record) {                                                       \
        if (!record) return HGREP_ERR_NO_PREVIOUS;                                                 \
        return mvf::engine::Substitute(text, replacement, destination, size,                       \
                                       mvf::engine::View(record, kind, emptyMessage));             \
    }

extern "C" {

MVFG_SUBSTITUTION_CALLS(RegexRecord, RGrep, mvf::engine::NoticeKind::RegularExpression,
                        mvf::engine::kNoPatternProvided)
MVFG_SUBSTITUTION_CALLS(SoundexRecord, SGrep, mvf::engine::NoticeKind::Soundex,
                        mvf::engine::kNoPatternProvided)
MVFG_SUBSTITUTION_CALLS(ApproxRecord, AGrep, mvf::engine::NoticeKind::Approximate,
                        mvf::engine::kNoPattern)

} // extern "C"
