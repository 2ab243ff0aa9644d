// The regular-expression matcher: backtracking interpretation of the compiled program.
#include <cstring>

#include "internal.h"
#include "program.h"
#include "wordchars.h"

namespace mvfg {

// Start of the text of the current search; process-wide, like the rest of the state.
const char* g_textStart = nullptr;

namespace {

using namespace program;

inline unsigned char OtherCase(unsigned char c) {
    if (c >= 'a' && c <= 'z') return static_cast<unsigned char>(c - 'a' + 'A');
    if (c >= 'A' && c <= 'Z') return static_cast<unsigned char>(c - 'A' + 'a');
    return c;
}

class Matcher {
public:
    Matcher(RegexRecord* record, const unsigned char* text)
        : rec_(record), start_(text), fold_(record->caseSensitive == 0) {
        const int options = OptionBits();
        lf_ = (options & HGREP_OPT_LF_ENDS_LINE) != 0;
        cr_ = (options & HGREP_OPT_CR_ENDS_LINE) != 0;
    }

    bool LineMode() const { return lf_ || cr_; }
    bool IsLineEnd(unsigned char c) const { return (lf_ && c == '\n') || (cr_ && c == '\r'); }

    // The position just past a match of `pc` tried at `p`, or nullptr.
    const unsigned char* Attempt(const unsigned char* pc, const unsigned char* p) {
        for (;;) {
            switch (pc[0]) {
            case END: return p;
            case CHR:
                if (!(*p == pc[1] || (fold_ && *p == OtherCase(pc[1])))) return nullptr;
                ++p;
                break;
            case ANY:
                if (!*p) return nullptr;
                ++p;
                break;
            case CCL:
                if (!SetHas(pc + 1, *p)) return nullptr;
                ++p;
                break;
            case NCL:
                if (!*p || SetHas(pc + 1, *p)) return nullptr;
                ++p;
                break;
            case BOL:
                if (!(p == start_ || (LineMode() && IsLineEnd(p[-1])))) return nullptr;
                break;
            case EOL:
                if (!(*p == 0 || (LineMode() && IsLineEnd(*p)))) return nullptr;
                break;
            case BOT: rec_->matchStart[pc[1]] = reinterpret_cast<const char*>(p); break;
            case EOT: rec_->matchEnd[pc[1]] = reinterpret_cast<const char*>(p); break;
            case BOW:
                if (!((p == start_ || !IsWordChar(p[-1])) && *p && IsWordChar(*p))) return nullptr;
                break;
            case EOW:
                if (!(p != start_ && IsWordChar(p[-1]) && !(*p && IsWordChar(*p)))) return nullptr;
                break;
            case REF: {
                const auto* from = reinterpret_cast<const unsigned char*>(rec_->matchStart[pc[1]]);
                const auto* to = reinterpret_cast<const unsigned char*>(rec_->matchEnd[pc[1]]);
                if (from && to && to > from) {
                    const std::size_t n = static_cast<std::size_t>(to - from);
                    if (std::strncmp(reinterpret_cast<const char*>(p),
                                     reinterpret_cast<const char*>(from), n) != 0)
                        return nullptr;
                    p += n;
                }
                break;
            }
            case CLO:
            case OPT: return Repeat(pc, p);
            default: return nullptr;
            }
            pc += ElementSize(pc);
        }
    }

private:
    // How far the atom reaches from p, taking it at most `limit` times.
    const unsigned char* Consume(const unsigned char* atom, const unsigned char* p,
                                 std::size_t limit) const {
        const unsigned char* q = p;
        switch (atom[0]) {
        case CHR: // exact: a repeated character is never folded
            while (limit && *q == atom[1]) ++q, --limit;
            break;
        case ANY:
            while (limit && *q) ++q, --limit;
            break;
        case CCL:
            while (limit && *q && SetHas(atom + 1, *q)) ++q, --limit;
            break;
        case NCL:
            while (limit && *q && !SetHas(atom + 1, *q)) ++q, --limit;
            break;
        }
        return q;
    }

    const unsigned char* Repeat(const unsigned char* pc, const unsigned char* p) {
        const unsigned char* rest = pc + ElementSize(pc);
        const unsigned char* q = Consume(pc + 1, p, pc[0] == OPT ? 1 : static_cast<std::size_t>(-1));
        for (;; --q) {
            if (const unsigned char* end = Attempt(rest, q)) return end;
            if (q == p) return nullptr;
        }
    }

    RegexRecord* rec_;
    const unsigned char* start_;
    bool fold_;
    bool lf_ = false;
    bool cr_ = false;
};

int Found(RegexRecord* record, const unsigned char* at, const unsigned char* end) {
    record->matchStart[0] = reinterpret_cast<const char*>(at);
    record->matchEnd[0] = reinterpret_cast<const char*>(end);
    return 1;
}

}  // namespace

}  // namespace mvfg

extern "C" int RGrep(const char* text, RegexRecord* record) {
    using namespace mvfg;
    using namespace mvfg::program;
    if (!record || record->state != 0) return -1;
    g_textStart = text;
    for (int n = 0; n < MVFG_BOUNDS; ++n) record->matchStart[n] = record->matchEnd[n] = nullptr;
    const unsigned char* pc = record->program;
    if (pc[0] == END) {
        record->state = HGREP_ERR_EMPTY_PROGRAM;
        return -1;
    }
    if (!text) return 0;
    const auto* s = reinterpret_cast<const unsigned char*>(text);
    Matcher m(record, s);
    const unsigned char* p = s;
    switch (pc[0]) {
    case CHR: {
        const unsigned char c = pc[1];
        const unsigned char other = record->caseSensitive ? c : OtherCase(c);
        while (*p && *p != c && *p != other) ++p;
        if (!*p) return 0;
        break;
    }
    case BOL:
        if (!m.LineMode()) {
            const unsigned char* end = m.Attempt(pc, p);
            return end ? Found(record, p, end) : 0;
        }
        for (;;) {
            if (const unsigned char* end = m.Attempt(pc, p)) return Found(record, p, end);
            while (*p && !m.IsLineEnd(*p)) ++p;
            while (*p && m.IsLineEnd(*p)) ++p;
            if (!*p) return 0;
        }
    default:
        if (!*p) {
            const unsigned char* end = m.Attempt(pc, p);
            return end ? Found(record, p, end) : 0;
        }
        break;
    }
    for (; *p; ++p) {
        if (const unsigned char* end = m.Attempt(pc, p)) return Found(record, p, end);
    }
    return 0;
}
