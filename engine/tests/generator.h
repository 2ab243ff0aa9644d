// Random patterns from the whole regular-expression dialect and random texts over small
// alphabets, for differential tests and the fuzzer's seeds.
#pragma once

#include <random>
#include <string>

namespace mvfg::testing {

class Generator {
public:
    explicit Generator(uint64_t seed) : rng_(seed) {}

    std::string Pattern() {
        std::string p;
        if (Chance(4)) p += '^';
        const int pieces = Below(6) + 1;
        int open = 0, closed = 0;
        for (int i = 0; i < pieces; ++i) {
            const int kind = Below(12);
            if (kind == 0 && open + closed < 9) {
                p += "\\(";
                ++open;
            } else if (kind == 1 && open > 0) {
                p += "\\)";
                --open;
                ++closed;
            } else if (kind == 2 && closed > 0) {
                p += "\\" + std::to_string(Below(closed) + 1);
            } else if (kind == 3) {
                p += Chance(2) ? "\\<" : "\\>";
            } else {
                p += Atom();
                if (Chance(3)) p += "*+-"[Below(3)];
            }
        }
        while (open-- > 0) p += "\\)";
        if (Chance(4)) p += '$';
        return p;
    }

    std::string Text(int maxLength = 12) {
        static const char kAlphabet[] = "abAB \n\r-_.";
        std::string t;
        const int n = Below(maxLength + 1);
        for (int i = 0; i < n; ++i) t += kAlphabet[Below(sizeof kAlphabet - 1)];
        return t;
    }

    int Below(int n) { return static_cast<int>(rng_() % static_cast<uint64_t>(n)); }
    bool Chance(int oneIn) { return Below(oneIn) == 0; }

private:
    std::string Atom() {
        switch (Below(10)) {
        case 0: return ".";
        case 1: return "[ab]";
        case 2: return "[^a]";
        case 3: return "[a-b\\n]";
        case 4: return "\\n";
        case 5: return "\\.";
        case 6: return "A";
        case 7: return "b";
        case 8: return "-"; // literal only where it follows nothing repeatable
        default: return "a";
        }
    }

    std::mt19937_64 rng_;
};

}  // namespace mvfg::testing
