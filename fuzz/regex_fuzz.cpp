// Fuzz target: compiles a pattern and searches a text in exactly-sized buffers, and holds
// every answer to the reference backtracker.
//
// Input: one byte of settings (bit 0 case-sensitive, bits 1-2 line mode, bits 3-4 extra
// word characters), the pattern up to the first zero byte, then the text up to the next.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

#include "differential.h"
#include "program.h"

namespace {

// Plain backtracking costs up to (text length + 1) to the power of the repetitions, at
// each start position; past this the reference is not run (nor the library on programs
// it runs the same way).
constexpr double kMaxReferenceWork = 1e6;

double PlainWork(const RegexRecord& rec, std::size_t textLength) {
    double work = static_cast<double>(textLength + 1);
    for (const unsigned char* p = rec.program;
         *p != mvf::engine::program::END && p < rec.program + MVFG_PROGRAM_SIZE;
         p += mvf::engine::program::ElementSize(p)) {
        if (*p == mvf::engine::program::CLO || *p == mvf::engine::program::OPT) {
            work *= static_cast<double>(textLength + 1);
        }
    }
    return work;
}

bool HasBackReference(const RegexRecord& rec) {
    for (const unsigned char* p = rec.program;
         *p != mvf::engine::program::END && p < rec.program + MVFG_PROGRAM_SIZE;
         p += mvf::engine::program::ElementSize(p)) {
        if (*p == mvf::engine::program::REF) return true;
    }
    return false;
}

std::unique_ptr<char[]> Exact(const char* from, std::size_t length) {
    std::unique_ptr<char[]> copy(new char[length + 1]);
    std::memcpy(copy.get(), from, length);
    copy[length] = '\0';
    return copy;
}

[[noreturn]] void Fail(const std::string& what) {
    std::fprintf(stderr, "regex_fuzz: %s\n", what.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    static const char* const kWordChars[] = {"", "-", "\n\r", "\x80\xff"};
    mvf::engine::testing::Case c;
    c.caseSensitive = data[0] & 1;
    c.options = (data[0] >> 1) & 3;
    c.extraWordChars = kWordChars[(data[0] >> 3) & 3];
    const auto* rest = reinterpret_cast<const char*>(data + 1);
    const std::size_t restSize = size - 1;
    const std::size_t patternLength = strnlen(rest, restSize);
    c.pattern.assign(rest, patternLength);
    const char* textFrom = rest + patternLength + (patternLength < restSize ? 1 : 0);
    const std::size_t textLength =
        strnlen(textFrom, static_cast<std::size_t>(rest + restSize - textFrom));

    // The pattern and the text in buffers of exactly their size, so that any read past a
    // terminator is caught by the address sanitizer.
    const std::unique_ptr<char[]> pattern = Exact(rest, patternLength);
    const std::unique_ptr<char[]> text = Exact(textFrom, textLength);

    RegexRecord probe{};
    HGrepOptions(0);
    if (patternLength == 0 || CompileRGrep(pattern.get(), c.caseSensitive, &probe) != 0) {
        return 0;
    }
    if (PlainWork(probe, textLength) <= kMaxReferenceWork) {
        const mvf::engine::testing::Outcome out =
            mvf::engine::testing::Compare(c, pattern.get(), text.get());
        if (!out.difference.empty()) Fail(out.difference);
        return 0;
    }
    if (HasBackReference(probe)) return 0;
    // Too costly for the reference: the library alone, which must stay in bounds.
    AddWordChar(c.extraWordChars.c_str());
    HGrepOptions(c.options);
    const int result = RGrep(text.get(), &probe);
    InitWordCharTable();
    HGrepOptions(0);
    if (result != 0 && result != 1) Fail("result " + std::to_string(result));
    const char* end = text.get() + textLength;
    for (int n = 0; n < MVFG_BOUNDS; ++n) {
        for (const char* p : {probe.matchStart[n], probe.matchEnd[n]}) {
            if (result == 0 && p) Fail("a bound is set after a failed search");
            if (p && (p < text.get() || p > end)) Fail("a bound lies outside the text");
        }
    }
    return 0;
}
