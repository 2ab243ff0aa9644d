#include "differential.h"

#include <cstring>

namespace mvf::engine::testing {

namespace {

std::string Printable(const std::string& s) {
    std::string out;
    for (unsigned char c : s) {
        if (c == '\n') {
            out += "\\n";
        } else if (c == '\r') {
            out += "\\r";
        } else if (c < 0x20 || c >= 0x7f) {
            static const char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        } else {
            out += static_cast<char>(c);
        }
    }
    return out;
}

} // namespace

Outcome Compare(const Case& c, const char* pattern, const char* text) {
    Outcome out;
    RegexRecord rec{};
    const int previous = HGrepOptions(0); // no notices for patterns that do not compile
    if (CompileRGrep(pattern, c.caseSensitive, &rec) != 0) {
        HGrepOptions(previous);
        return out;
    }
    out.compiled = true;
    reference::WordTable words = reference::DefaultWordTable();
    for (unsigned char w : c.extraWordChars) words[w] = true;
    AddWordChar(c.extraWordChars.c_str());
    HGrepOptions(c.options);
    const reference::Answer want = reference::Search(rec, text, c.options, words);
    const int got = RGrep(text, &rec);
    InitWordCharTable();
    HGrepOptions(previous);

    const std::string where = "pattern '" + Printable(c.pattern) + "' case " +
                              std::to_string(c.caseSensitive) + " options " +
                              std::to_string(c.options) + " words +'" +
                              Printable(c.extraWordChars) + "' text '" + Printable(text) + "'";
    if (got != want.result) {
        out.difference = where + ": result " + std::to_string(got) + ", reference " +
                         std::to_string(want.result);
        return out;
    }
    if (got != 1) return out;
    // The run every match needs lies inside the match: the first place of it is before
    // the match's end (or the text's start, for a program without such a run).
    const char* candidate = RGrepCandidate(text, text + std::strlen(text), &rec);
    if (candidate != text && !(candidate < rec.matchEnd[0])) {
        out.difference = where + ": candidate at " + std::to_string(candidate - text) +
                         ", match ends at " + std::to_string(rec.matchEnd[0] - text);
        return out;
    }
    for (int n = 0; n < MVFG_BOUNDS; ++n) {
        if (rec.matchStart[n] != want.start[n] || rec.matchEnd[n] != want.end[n]) {
            auto at = [&](const char* p) {
                return p ? std::to_string(p - text) : std::string("null");
            };
            out.difference = where + ": entry " + std::to_string(n) + " " + at(rec.matchStart[n]) +
                             ".." + at(rec.matchEnd[n]) + ", reference " + at(want.start[n]) +
                             ".." + at(want.end[n]);
            return out;
        }
    }
    return out;
}

Outcome Compare(const Case& c) {
    return Compare(c, c.pattern.c_str(), c.text.c_str());
}

} // namespace mvf::engine::testing
