// The Soundex encoder and search written out plainly: every start position fed again from
// scratch, nothing remembered between attempts but the encoder state. The engine's tests
// and the Soundex fuzz target hold the library to it.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>

namespace mvf::engine::testing {

class PlainSoundex {
public:
    static std::string Encode(const std::string& pattern) {
        PlainSoundex e;
        std::string code;
        for (const char c : pattern)
            if (const char out = e.Feed(static_cast<unsigned char>(c))) code += out;
        if (!code.empty() && code.back() == ' ') code.pop_back();
        return code;
    }

    // The bounds of the first match, as offsets.
    static std::optional<std::pair<long, long>> Search(const std::string& code,
                                                       const std::string& text) {
        PlainSoundex e;
        const long n = static_cast<long>(text.size());
        for (long start = 0; start < n; ++start) {
            std::size_t matched = 0;
            for (long p = start;;) {
                if (matched == code.size()) return std::make_pair(start, p);
                if (p == n) break;
                const char out = e.Feed(static_cast<unsigned char>(text[p++]));
                if (!out) continue;
                if (out != code[matched]) break;
                ++matched;
            }
        }
        return std::nullopt;
    }

private:
    static char Digit(unsigned char c) {
        const std::string groups[] = {"BFPV", "CGJKQSXZ", "DT", "L", "MN", "R"};
        const unsigned char upper = (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c;
        for (int d = 0; d < 6; ++d)
            if (groups[d].find(static_cast<char>(upper)) != std::string::npos)
                return static_cast<char>('1' + d);
        return ' ';
    }

    char Feed(unsigned char c) {
        const bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        if (!letter) {
            if (prev_ == '*') return 0;
            prev_ = '*';
            return ' ';
        }
        const char d = Digit(c);
        if (prev_ == '*') {
            prev_ = d;
            digits_ = 0;
            return static_cast<char>((c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c);
        }
        if (d == prev_) return 0;
        prev_ = d;
        if (d != ' ' && digits_ < 3) {
            ++digits_;
            return d;
        }
        return 0;
    }

    char prev_ = '*';
    int digits_ = 0;
};

} // namespace mvf::engine::testing
