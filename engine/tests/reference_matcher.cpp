#include "reference_matcher.h"

namespace mvf::engine::reference {

namespace {

enum : unsigned char {
    END = 0,
    CHR = 1,
    ANY = 2,
    CCL = 3,
    NCL = 4,
    BOL = 5,
    EOL = 6,
    BOT = 7,
    EOT = 8,
    BOW = 9,
    EOW = 10,
    REF = 11,
    CLO = 12,
    OPT = 14
};

int Width(const unsigned char* pc) {
    switch (pc[0]) {
    case CHR:
    case BOT:
    case EOT:
    case REF: return 2;
    case CCL:
    case NCL: return 33;
    case CLO:
    case OPT: return 1 + Width(pc + 1) + 1;
    default: return 1;
    }
}

bool InSet(const unsigned char* set, unsigned char c) {
    return (set[c / 8] >> (c % 8)) & 1;
}

unsigned char Upper(unsigned char c) {
    return (c >= 'a' && c <= 'z') ? c - 32 : c;
}
unsigned char Lower(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? c + 32 : c;
}

struct Search {
    const unsigned char* text;
    bool caseSensitive;
    bool lf, cr;
    const WordTable& words;
    Answer& answer;

    bool lineMode() const { return lf || cr; }
    bool lineEnd(unsigned char c) const { return (lf && c == '\n') || (cr && c == '\r'); }
    bool word(unsigned char c) const { return c != 0 && words[c]; }

    bool chrMatches(unsigned char c, unsigned char t) const {
        if (caseSensitive) return t == c;
        if (c >= 'a' && c <= 'z') return t == c || t == Upper(c);
        return t == c || t == Lower(c);
    }

    // One single-character atom at p (the element table, not the repetition rules).
    bool single(const unsigned char* atom, const unsigned char* p) const {
        switch (atom[0]) {
        case CHR: return chrMatches(atom[1], *p);
        case ANY: return *p != 0;
        case CCL: return InSet(atom + 1, *p);
        case NCL: return *p != 0 && !InSet(atom + 1, *p);
        }
        return false;
    }

    // How many characters a repeated atom takes from p (exact CHR), at most `most`.
    int run(const unsigned char* atom, const unsigned char* p, int most) const {
        int n = 0;
        while (n < most) {
            const unsigned char c = p[n];
            bool ok = false;
            switch (atom[0]) {
            case CHR: ok = c != 0 && c == atom[1]; break;
            case ANY: ok = c != 0; break;
            case CCL:
            case NCL: ok = c != 0 && single(atom, p + n); break;
            }
            if (!ok) break;
            ++n;
        }
        return n;
    }

    // The end of a match of the program from pc at p, or nullptr.
    const unsigned char* attempt(const unsigned char* pc, const unsigned char* p) {
        switch (pc[0]) {
        case END: return p;
        case CHR:
        case ANY:
        case CCL:
        case NCL: return single(pc, p) ? attempt(pc + Width(pc), p + 1) : nullptr;
        case BOL:
            if (p == text || (lineMode() && lineEnd(p[-1]))) return attempt(pc + 1, p);
            return nullptr;
        case EOL:
            if (*p == 0 || (lineMode() && lineEnd(*p))) return attempt(pc + 1, p);
            return nullptr;
        case BOT: answer.start[pc[1]] = reinterpret_cast<const char*>(p); return attempt(pc + 2, p);
        case EOT: answer.end[pc[1]] = reinterpret_cast<const char*>(p); return attempt(pc + 2, p);
        case BOW:
            if ((p == text || !word(p[-1])) && word(*p)) return attempt(pc + 1, p);
            return nullptr;
        case EOW:
            if (p != text && word(p[-1]) && !word(*p)) return attempt(pc + 1, p);
            return nullptr;
        case REF: {
            const auto* a = reinterpret_cast<const unsigned char*>(answer.start[pc[1]]);
            const auto* b = reinterpret_cast<const unsigned char*>(answer.end[pc[1]]);
            if (!a || !b || b <= a) return attempt(pc + 2, p);
            for (const unsigned char* g = a; g < b; ++g, ++p) {
                if (*p != *g) return nullptr;
            }
            return attempt(pc + 2, p);
        }
        case CLO:
        case OPT: {
            const int most = run(pc + 1, p, pc[0] == OPT ? 1 : 1 << 30);
            const unsigned char* rest = pc + Width(pc);
            for (int n = most; n >= 0; --n) {
                if (const unsigned char* e = attempt(rest, p + n)) return e;
            }
            return nullptr;
        }
        }
        return nullptr;
    }
};

} // namespace

WordTable DefaultWordTable() {
    WordTable t{};
    for (int c = 0; c < 256; ++c) {
        t[c] =
            (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
    }
    return t;
}

Answer Search(const RegexRecord& record, const char* text, int options, const WordTable& words) {
    Answer answer;
    answer.state = record.state;
    if (record.state != 0) {
        answer.result = -1;
        return answer;
    }
    if (record.program[0] == END) {
        answer.result = -1;
        answer.state = 20;
        return answer;
    }
    const auto* t = reinterpret_cast<const unsigned char*>(text);
    struct Search s {
        t, record.caseSensitive != 0, (options & 1) != 0, (options & 2) != 0, words, answer
    };
    auto tryAt = [&](const unsigned char* p) {
        if (const unsigned char* e = s.attempt(record.program, p)) {
            answer.result = 1;
            answer.start[0] = reinterpret_cast<const char*>(p);
            answer.end[0] = reinterpret_cast<const char*>(e);
            return true;
        }
        return false;
    };
    const unsigned char* p = t;
    const unsigned char first = record.program[0];
    if (first == CHR) {
        while (*p && !s.chrMatches(record.program[1], *p)) ++p;
        if (!*p) return answer;
    } else if (first == BOL && !s.lineMode()) {
        tryAt(p);
        return answer;
    } else if (first == BOL) {
        for (;;) {
            if (tryAt(p)) return answer;
            while (*p && !s.lineEnd(*p)) ++p;
            if (!*p) return answer;
            while (*p && s.lineEnd(*p)) ++p;
            if (!*p) return answer;
        }
    } else if (*p == 0) {
        tryAt(p);
        return answer;
    }
    for (; *p; ++p) {
        if (tryAt(p)) return answer;
    }
    return answer;
}

} // namespace mvf::engine::reference
