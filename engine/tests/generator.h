// Random patterns from the whole regular-expression dialect and random texts over small
// alphabets, for differential tests and the fuzzer's seeds.
#pragma once

#include <random>
#include <string>

namespace mvf::engine::testing {

class Generator {
public:
    explicit Generator(uint64_t seed) : rng_(seed) {}

    // A pattern of a few pieces: atoms with or without repetition, groups (closed, and
    // sometimes back-referenced from inside), word anchors, and the two line anchors
    // (at either end, or in the middle where they are literals).
    std::string Pattern() {
        std::string p;
        if (Chance(4)) p += '^';
        const int pieces = Below(7) + 1;
        int open[9], depth = 0, opened = 0, closed = 0;
        for (int i = 0; i < pieces; ++i) {
            const int kind = Below(14);
            if (kind == 0 && opened < 9) {
                p += "\\(";
                open[depth++] = ++opened;
            } else if (kind == 1 && depth > 0) {
                p += "\\)";
                --depth;
                ++closed;
            } else if (kind == 2 && opened > 0 && (opened > 1 || depth == 0 || open[0] != 1)) {
                p += "\\" + std::to_string(BackReference(open, depth, opened));
            } else if (kind == 3) {
                p += Chance(2) ? "\\<" : "\\>";
            } else if (kind == 4 && Chance(3)) {
                p += Chance(2) ? "^" : "$"; // literals in the middle of a pattern
            } else {
                p += Atom();
                if (Chance(3)) p += Repetition();
            }
        }
        while (depth-- > 0) p += "\\)";
        if (Chance(4)) p += '$';
        return p;
    }

    // A text over a small alphabet with both line ends; now and then a long one, so that
    // closures have long runs to back off over.
    std::string Text(int maxLength = 12) {
        static const char kAlphabet[] = "abAB \n\r-_.";
        std::string t;
        const int n = Chance(8) ? Below(4 * maxLength + 1) : Below(maxLength + 1);
        for (int i = 0; i < n; ++i) t += kAlphabet[Below(sizeof kAlphabet - 1)];
        return t;
    }

    int Below(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }
    bool Chance(int oneIn) { return Below(oneIn) == 0; }

private:
    // A group already opened, but not the innermost open one (which cannot be referenced);
    // half the time an enclosing group still open, whose end comes from earlier tries.
    int BackReference(const int* open, int depth, int opened) {
        if (depth > 1 && Chance(2)) return open[Below(depth - 1)];
        for (;;) {
            const int n = Below(opened) + 1;
            if (depth == 0 || open[depth - 1] != n) return n;
        }
    }

    std::string Repetition() {
        static const char* kOperators[] = {"*", "+", "-", "**", "*+", "-*"};
        return kOperators[Below(Chance(5) ? 6 : 3)];
    }

    std::string Atom() {
        switch (Below(18)) {
        case 0: return ".";
        case 1: return "[ab]";
        case 2: return "[^a]";
        case 3: return "[a-b\\n]";
        case 4: return "\\n";
        case 5: return "\\.";
        case 6: return "A";
        case 7: return "b";
        case 8: return "-"; // literal only where it follows nothing repeatable
        case 9: return "[^\\r\\n]";
        case 10: return "[]a-]";
        case 11: return "[A-Z_]";
        case 12: return "\\r";
        case 13: return " ";
        case 14: return "B";
        case 15: return "_";
        default: return "a";
        }
    }

    std::mt19937_64 rng_;
};

} // namespace mvf::engine::testing
