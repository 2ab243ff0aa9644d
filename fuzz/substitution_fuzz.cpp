// Fuzz target: substitution for the three kinds. A pattern is compiled and a text searched
// (regular expressions with their groups, Soundex, approximate with its further matches);
// then templates are expanded and substituted into destinations of exactly their size,
// every answer held to the plain substitution.
//
// Input: one settings byte (bits 0-1 the kind: regular expression, Soundex, approximate;
// bit 2 case-sensitive; bits 3-4 line mode; bits 5-7 k for the approximate kind), the
// pattern up to a zero byte, the text up to the next, then templates, each one byte of
// size (signed; bit 7 of the size byte clear and the size odd: substitute into a copy of
// the text, whose bounds do not lie in it) followed by the template up to a zero byte.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "mvfindgrep.h"
#include "plain_substitution.h"
#include "work_budget.h"

namespace {

using mvf::fuzz::Exact;
using mvf::fuzz::Fail;

constexpr std::size_t kMaxTemplates = 16;

// One compiled and searched record of any kind, seen through its bounds.
class Searched {
public:
    Searched(int kind, int settings, const char* pattern, const char* text) : kind_(kind) {
        const int caseSensitive = (settings >> 2) & 1;
        switch (kind_) {
        case 0:
            HGrepOptions((settings >> 3) & 3);
            compiled_ = CompileRGrep(pattern, caseSensitive, &regex_) == 0;
            if (compiled_) {
                // A search given up answers "not found" with its bounds cleared, which
                // the substitutions below must then handle as any other failed search.
                const mvf::fuzz::WorkBudget budget(mvf::fuzz::kSearchQueries);
                found_ = RGrep(text, &regex_) == 1;
            }
            HGrepOptions(0);
            break;
        case 1:
            compiled_ = CompileSGrep(pattern, 0, &soundex_) == 0;
            found_ = compiled_ && SGrep(text, &soundex_) == 1;
            break;
        default:
            AGrepInit(&approx_);
            compiled_ = CompileAGrep(pattern, settings >> 5, caseSensitive, &approx_) == 0;
            found_ = compiled_ && AGrep(text, &approx_) > 0;
            break;
        }
    }
    ~Searched() {
        if (kind_ == 2) AGrepEmpty(&approx_);
    }
    Searched(const Searched&) = delete;
    Searched& operator=(const Searched&) = delete;

    const char* const* Start() const {
        return kind_ == 0   ? regex_.matchStart
               : kind_ == 1 ? soundex_.matchStart
                            : approx_.matchStart;
    }
    const char* const* End() const {
        return kind_ == 0 ? regex_.matchEnd : kind_ == 1 ? soundex_.matchEnd : approx_.matchEnd;
    }
    bool Found() const { return found_; }

    int Build(const char* t, char* d, int size) {
        switch (kind_) {
        case 0: return RGrepSubsBuild(t, d, size, &regex_);
        case 1: return SGrepSubsBuild(t, d, size, &soundex_);
        }
        return AGrepSubsBuild(t, d, size, &approx_);
    }
    int Substitute(const char* text, const char* t, char* d, int size) {
        switch (kind_) {
        case 0: return RGrepSubstitute(text, t, d, size, &regex_);
        case 1: return SGrepSubstitute(text, t, d, size, &soundex_);
        }
        return AGrepSubstitute(text, t, d, size, &approx_);
    }

private:
    int kind_;
    bool compiled_ = false;
    bool found_ = false;
    RegexRecord regex_{};
    SoundexRecord soundex_{};
    ApproxRecord approx_{};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    HGrepOptions(0);
    const int settings = data[0];
    const int kind = settings & 3;
    if (kind == 3) return 0;
    const std::vector<std::string_view> parts =
        mvf::fuzz::SplitAtZeros(reinterpret_cast<const char*>(data + 1), size - 1);
    if (parts.size() < 2) return 0;
    const std::unique_ptr<char[]> pattern = Exact(parts[0]);
    const std::unique_ptr<char[]> text = Exact(parts[1]);
    const std::unique_ptr<char[]> copy = Exact(parts[1]);
    auto searched = std::make_unique<Searched>(kind, settings, pattern.get(), text.get());
    // The bounds of a match lie in the text, in order.
    if (searched->Found()) {
        const char* end = text.get() + parts[1].size();
        for (int n = 0; n < MVFG_BOUNDS; ++n) {
            const char* from = searched->Start()[n];
            const char* to = searched->End()[n];
            if (!from || !to) continue;
            if (from < text.get() || to > end || (n == 0 && from > to))
                Fail("bound " + std::to_string(n) + " lies outside the text");
        }
    }
    for (std::size_t i = 2; i < parts.size() && i - 2 < kMaxTemplates; ++i) {
        if (parts[i].empty()) continue;
        const auto sizeByte = static_cast<unsigned char>(parts[i][0]);
        const int destinationSize = sizeByte < 128 ? sizeByte : sizeByte - 256;
        const bool whole = i % 2 == 0;
        const bool elsewhere = whole && !(sizeByte & 0x80) && (sizeByte & 1);
        const std::unique_ptr<char[]> tmpl = Exact(parts[i].substr(1));
        std::unique_ptr<char[]> destination(destinationSize > 0 ? new char[destinationSize]
                                                                : nullptr);
        const mvf::fuzz::PlainSubstitution plain(searched->Start(), searched->End());
        const char* target = elsewhere ? copy.get() : text.get();
        const mvf::fuzz::SubstAnswer want =
            whole ? plain.Substitute(target, tmpl.get(), destinationSize)
                  : plain.Build(tmpl.get(), destinationSize);
        const int code =
            whole ? searched->Substitute(target, tmpl.get(), destination.get(), destinationSize)
                  : searched->Build(tmpl.get(), destination.get(), destinationSize);
        if (code != want.code)
            Fail("answered " + std::to_string(code) + ", plainly " + std::to_string(want.code));
        std::string got;
        if (destinationSize > 0 &&
            (!mvf::fuzz::ReadDestination(destination.get(), destinationSize, got) ||
             got != want.text))
            Fail("the destination holds other text");
    }
    return 0;
}
