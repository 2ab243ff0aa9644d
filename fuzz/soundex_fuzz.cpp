// Fuzz target: the Soundex compile and search, on the caller's record and on the library's
// own, held to the plain transcription of the engine tests.
//
// Input: one settings byte (bit 0: through the static-record wrappers), the pattern up to
// the first zero byte, then texts separated by zero bytes, each searched in turn with the
// one compiled record.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "mvfindgrep.h"
#include "plain_soundex.h"

namespace {

using mvf::engine::testing::PlainSoundex;
using mvf::fuzz::Exact;
using mvf::fuzz::Fail;

constexpr std::size_t kMaxTexts = 8;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    const bool wrappers = data[0] & 1;
    const std::vector<std::string_view> parts =
        mvf::fuzz::SplitAtZeros(reinterpret_cast<const char*>(data + 1), size - 1);
    HGrepOptions(0);

    const std::string patternText(parts[0]);
    const std::unique_ptr<char[]> pattern = Exact(patternText);
    auto own = std::make_unique<SoundexRecord>();
    const int code =
        wrappers ? SCompileSGrep(pattern.get(), 0) : CompileSGrep(pattern.get(), 0, own.get());
    const int want = patternText.empty()                       ? HGREP_ERR_NO_PATTERN
                     : patternText.size() >= MVFG_PATTERN_SIZE ? HGREP_ERR_PATTERN_TOO_LONG
                                                               : HGREP_OK;
    if (code != want) Fail("compile answered " + std::to_string(code));
    const std::string expectedCode = PlainSoundex::Encode(patternText);
    if (!wrappers && code == 0 && expectedCode != own->code)
        Fail("code '" + std::string(own->code) + "', plainly '" + expectedCode + "'");

    for (std::size_t i = 1; i < parts.size() && i <= kMaxTexts; ++i) {
        const std::string textCopy(parts[i]);
        const std::unique_ptr<char[]> text = Exact(textCopy);
        const int found = wrappers ? SSGrep(text.get()) : SGrep(text.get(), own.get());
        if (code != 0) {
            if (found != -1)
                Fail("a record that failed to compile answered " + std::to_string(found));
            continue;
        }
        const auto plain =
            expectedCode.empty() ? std::nullopt : PlainSoundex::Search(expectedCode, textCopy);
        if (found != (plain ? 1 : 0)) Fail("search answered " + std::to_string(found));
        if (wrappers) continue;
        if (found == 1 && (own->matchStart[0] - text.get() != plain->first ||
                           own->matchEnd[0] - text.get() != plain->second))
            Fail("bounds differ from the plain search");
        for (int n = found == 1 ? 1 : 0; n < MVFG_BOUNDS; ++n)
            if (own->matchStart[n] || own->matchEnd[n]) Fail("an unused bound is set");
    }
    return 0;
}
