// Fuzz target: the approximate search, as a sequence of calls on one record (compile,
// search, substitute, empty), each answer held to the windows counted plainly and to the
// plain substitution. A failed compile, or an emptied record, must refuse every search.
//
// Input: operations one after the other, each an operation byte followed by its text up
// to the next zero byte:
//   0 compile: one byte k (signed), one byte of case (bit 0), then the pattern
//   1 search the text          2 SubsBuild: one byte of size, then the template
//   3 Substitute the last searched text: one byte of size, then the template
//   4 AGrepEmpty
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "mvfindgrep.h"
#include "plain_substitution.h"

namespace {

using mvf::fuzz::Exact;
using mvf::fuzz::Fail;

constexpr int kMaxOperations = 24;

struct Compiled {
    std::string pattern;
    int k = 0;
    bool caseSensitive = true;
};

bool Agrees(unsigned char text, unsigned char pattern, bool caseSensitive) {
    if (caseSensitive) return text == pattern;
    return std::toupper(text) == std::toupper(pattern);
}

// Every match, as (start, end) offsets: with k <= 0 the occurrences of the pattern; with
// at most half of the positions allowed to differ, the windows of m characters with at
// most k differences; with more, the windows with at least m - k agreements, a window
// cut short by the start of the text counting its missing characters as differences.
std::vector<std::pair<long, long>> PlainMatches(const Compiled& c, const std::string& text) {
    std::vector<std::pair<long, long>> found;
    const long m = static_cast<long>(c.pattern.size());
    const long n = static_cast<long>(text.size());
    const auto p = [&](long j) { return static_cast<unsigned char>(c.pattern[j]); };
    const auto t = [&](long i) { return static_cast<unsigned char>(text[i]); };
    if (c.k <= 0) {
        for (long s = 0; s + m <= n; ++s) {
            long j = 0;
            while (j < m && Agrees(t(s + j), p(j), c.caseSensitive)) ++j;
            if (j == m) found.emplace_back(s, s + m);
        }
        return found;
    }
    const bool complement = 2L * c.k > m;
    for (long end = 1; end <= n; ++end) {
        long agreements = 0;
        for (long j = 0; j < m; ++j) {
            const long i = end - m + j;
            if (i >= 0 && Agrees(t(i), p(j), c.caseSensitive)) ++agreements;
        }
        const bool match = complement ? agreements >= m - c.k : end >= m && m - agreements <= c.k;
        if (match) found.emplace_back(end >= m ? end - m : 0, end);
    }
    return found;
}

class Run {
public:
    Run() : record_(std::make_unique<ApproxRecord>()) { AGrepInit(record_.get()); }
    ~Run() { AGrepEmpty(record_.get()); }
    Run(const Run&) = delete;
    Run& operator=(const Run&) = delete;

    void Compile(int k, bool caseSensitive, std::string_view pattern) {
        const std::unique_ptr<char[]> copy = Exact(pattern);
        const int code = CompileAGrep(copy.get(), k, caseSensitive, record_.get());
        if (code != 0 && code != HGREP_ERR_TOO_LONG && code != HGREP_ERR_NO_PATTERN)
            Fail("compile answered " + std::to_string(code));
        if ((code == HGREP_ERR_NO_PATTERN) != pattern.empty()) Fail("an empty pattern compiled");
        if (code == 0 && pattern.size() >= MVFG_PATTERN_SIZE) Fail("a long pattern compiled");
        compiledOk_ = code == 0;
        state_ = code;
        if (compiledOk_) compiled_ = {std::string(pattern), k, caseSensitive};
    }

    void Search(std::string_view text) {
        // Every text searched stays alive: the bounds may still point into an earlier one.
        texts_.push_back(Exact(text));
        text_ = texts_.back().get();
        textCopy_ = std::string(text);
        const int found = AGrep(text_, record_.get());
        // A record refuses to search after a failed compile, once emptied, and while the
        // last failed substitution's code is in its state.
        if (!compiledOk_ || state_ != 0) {
            if (found != -1)
                Fail("a record that is not compiled answered " + std::to_string(found));
            return;
        }
        const auto plain = PlainMatches(compiled_, textCopy_);
        if (found != static_cast<int>(plain.size()))
            Fail("found " + std::to_string(found) + ", plainly " + std::to_string(plain.size()));
        for (int j = 0; j < MVFG_BOUNDS; ++j) {
            const bool want = j < found;
            if (!want) {
                if (record_->matchStart[j] || record_->matchEnd[j]) Fail("an unused bound is set");
                continue;
            }
            if (record_->matchStart[j] - text_ != plain[j].first ||
                record_->matchEnd[j] - text_ != plain[j].second)
                Fail("the bounds of match " + std::to_string(j) + " differ");
        }
    }

    void Substitution(bool whole, int size, std::string_view tmpl) {
        const std::unique_ptr<char[]> t = Exact(tmpl);
        // A destination of exactly `size` bytes, or none at all.
        std::unique_ptr<char[]> destination(size > 0 ? new char[size] : nullptr);
        const mvf::fuzz::PlainSubstitution plain(record_->matchStart, record_->matchEnd);
        const mvf::fuzz::SubstAnswer want =
            whole ? plain.Substitute(text_, t.get(), size) : plain.Build(t.get(), size);
        const int code =
            whole ? AGrepSubstitute(text_, t.get(), destination.get(), size, record_.get())
                  : AGrepSubsBuild(t.get(), destination.get(), size, record_.get());
        if (code != want.code)
            Fail("substitution answered " + std::to_string(code) + ", plainly " +
                 std::to_string(want.code));
        state_ = code;
        if (record_->state != state_) Fail("the state is not the substitution's code");
        std::string got;
        if (size > 0 &&
            (!mvf::fuzz::ReadDestination(destination.get(), size, got) || got != want.text))
            Fail("the destination holds other text");
    }

    void Empty() {
        if (AGrepEmpty(record_.get()) != 1) Fail("emptying failed");
        compiledOk_ = false;
    }

private:
    std::unique_ptr<ApproxRecord> record_;
    bool compiledOk_ = false;
    int state_ = 1; // as AGrepInit leaves it
    Compiled compiled_;
    std::vector<std::unique_ptr<char[]>> texts_;
    const char* text_ = "";
    std::string textCopy_;
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    HGrepOptions(0);
    Run run;
    const std::string_view all(reinterpret_cast<const char*>(data), size);
    std::size_t at = 0;
    for (int n = 0; n < kMaxOperations && at < all.size(); ++n) {
        const auto op = static_cast<unsigned char>(all[at++]);
        const auto byte = [&]() -> unsigned char {
            return at < all.size() ? static_cast<unsigned char>(all[at++]) : 0;
        };
        std::size_t kind = op % 5;
        unsigned char first = 0, second = 0;
        if (kind == 0) {
            first = byte();
            second = byte();
        } else if (kind == 2 || kind == 3) {
            first = byte();
        }
        const std::size_t zero = all.find('\0', at);
        const std::string_view text =
            all.substr(at, zero == std::string_view::npos ? std::string_view::npos : zero - at);
        at = zero == std::string_view::npos ? all.size() : zero + 1;
        switch (kind) {
        case 0: run.Compile(static_cast<signed char>(first) % 40, second & 1, text); break;
        case 1: run.Search(text); break;
        case 2: run.Substitution(false, static_cast<signed char>(first), text); break;
        case 3: run.Substitution(true, static_cast<signed char>(first), text); break;
        default: run.Empty(); break;
        }
    }
    return 0;
}
