// Regular-expression search line by line, as the finder does it (one SRGrep per line),
// against the reference backtracker, PCRE2 with its JIT and RE2 on the same lines.
//
// The text is the corpus built by make_corpus.sh (path in MVFG_BENCH_CORPUS, or the
// default cache folder). Lines end at a line feed, a carriage return or the pair.
#include <benchmark/benchmark.h>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>
#include <re2/re2.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "mvfindgrep.h"
#include "reference_matcher.h"

namespace {

struct Lines {
    std::string buffer; // the corpus with every line end replaced by zero bytes
    std::vector<const char*> start;
    std::vector<std::size_t> length;
    std::size_t bytes = 0; // the corpus size, line ends included
};

std::string CorpusPath() {
    if (const char* env = std::getenv("MVFG_BENCH_CORPUS")) return env;
    const char* cache = std::getenv("XDG_CACHE_HOME");
    const std::string base = cache ? cache : std::string(std::getenv("HOME")) + "/.cache";
    return base + "/mvfindgrep-bench/corpus.txt";
}

const Lines& Corpus() {
    static const Lines lines = [] {
        Lines l;
        std::ifstream in(CorpusPath(), std::ios::binary);
        l.buffer.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
        l.bytes = l.buffer.size();
        std::size_t from = 0;
        for (std::size_t i = 0; i <= l.buffer.size(); ++i) {
            if (i < l.buffer.size() && l.buffer[i] != '\n' && l.buffer[i] != '\r') continue;
            l.start.push_back(l.buffer.data() + from);
            l.length.push_back(i - from);
            if (i + 1 < l.buffer.size() && l.buffer[i] == '\r' && l.buffer[i + 1] == '\n') {
                l.buffer[i++] = '\0';
            }
            if (i < l.buffer.size()) l.buffer[i] = '\0';
            from = i + 1;
        }
        return l;
    }();
    return lines;
}

// One benchmark pattern in each engine's syntax; empty where an engine has no form.
struct Pattern {
    const char* name;
    const char* ours; // the library's dialect
    int caseSensitive;
    const char* pcre; // PCRE2 and RE2 syntax
    bool re2;         // RE2 can run it (no back-references)
};

const Pattern kPatterns[] = {
    {"rare_literal", "posix_memalign", 1, "posix_memalign", true},
    {"common_literal", "int", 1, "int", true},
    {"caseless_literal", "license", 0, "(?i)license", true},
    {"class_closure", "[a-z]+_t", 1, "[a-z]+_t", true},
    {"leading_closure", ".*foo", 1, ".*foo", true},
    {"two_closures", "a.*b.*c", 1, "a.*b.*c", true},
    {"line_start", "^#include", 1, "^#include", true},
    {"line_end", ";$", 1, ";$", true},
    {"word_anchors", "\\<int\\>", 1, "\\bint\\b", true},
    {"back_reference", "\\([a-z][a-z]*\\) \\1\\>", 1, "([a-z][a-z]*) \\1\\b", false},
};

void Report(benchmark::State& state, std::size_t matched) {
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(Corpus().bytes));
    state.counters["lines_matched"] = static_cast<double>(matched);
}

void Library(benchmark::State& state, const Pattern& p) {
    const Lines& lines = Corpus();
    HGrepOptions(0);
    if (SCompileRGrep(p.ours, p.caseSensitive) != 0) {
        state.SkipWithError("does not compile");
        return;
    }
    std::size_t matched = 0;
    for (auto _ : state) {
        matched = 0;
        for (const char* line : lines.start) matched += SRGrep(line) == 1;
    }
    Report(state, matched);
}

void Reference(benchmark::State& state, const Pattern& p) {
    const Lines& lines = Corpus();
    auto rec = std::make_unique<RegexRecord>();
    HGrepOptions(0);
    CompileRGrep(p.ours, p.caseSensitive, rec.get());
    const auto words = mvf::engine::reference::DefaultWordTable();
    std::size_t matched = 0;
    for (auto _ : state) {
        matched = 0;
        for (const char* line : lines.start) {
            matched += mvf::engine::reference::Search(*rec, line, 0, words).result == 1;
        }
    }
    Report(state, matched);
}

void Pcre2Jit(benchmark::State& state, const Pattern& p) {
    const Lines& lines = Corpus();
    int error = 0;
    PCRE2_SIZE offset = 0;
    pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(p.pcre), PCRE2_ZERO_TERMINATED, 0,
                                     &error, &offset, nullptr);
    if (!code || pcre2_jit_compile(code, PCRE2_JIT_COMPLETE) != 0) {
        state.SkipWithError("PCRE2 JIT compile failed");
        if (code) pcre2_code_free(code);
        return;
    }
    pcre2_match_data* data = pcre2_match_data_create_from_pattern(code, nullptr);
    std::size_t matched = 0;
    for (auto _ : state) {
        matched = 0;
        for (std::size_t i = 0; i < lines.start.size(); ++i) {
            matched += pcre2_jit_match(code, reinterpret_cast<PCRE2_SPTR>(lines.start[i]),
                                       lines.length[i], 0, 0, data, nullptr) > 0;
        }
    }
    pcre2_match_data_free(data);
    pcre2_code_free(code);
    Report(state, matched);
}

void Re2(benchmark::State& state, const Pattern& p) {
    const Lines& lines = Corpus();
    RE2 re(p.pcre);
    if (!re.ok()) {
        state.SkipWithError("RE2 compile failed");
        return;
    }
    std::size_t matched = 0;
    for (auto _ : state) {
        matched = 0;
        for (std::size_t i = 0; i < lines.start.size(); ++i) {
            matched += RE2::PartialMatch(re2::StringPiece(lines.start[i], lines.length[i]), re);
        }
    }
    Report(state, matched);
}

// One long line without a match, for the closures' worst case (library only: the plain
// backtracker takes time cubic in the line length here).
void LongLine(benchmark::State& state, const char* pattern, std::string line) {
    HGrepOptions(0);
    SCompileRGrep(pattern, 1);
    for (auto _ : state) benchmark::DoNotOptimize(SRGrep(line.c_str()));
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                            static_cast<int64_t>(line.size()));
}

// One compile with its analysis, for hosts that compile a pattern once per line.
void Compile(benchmark::State& state, const Pattern& p) {
    HGrepOptions(0);
    for (auto _ : state) benchmark::DoNotOptimize(SCompileRGrep(p.ours, p.caseSensitive));
}

} // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (Corpus().bytes == 0) {
        std::fprintf(stderr, "regex_bench: no corpus at %s (run bench/engine/make_corpus.sh)\n",
                     CorpusPath().c_str());
        return 1;
    }
    for (const Pattern& p : kPatterns) {
        const std::string n = p.name;
        benchmark::RegisterBenchmark(("mvfindgrep/" + n).c_str(), Library, p)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("reference/" + n).c_str(), Reference, p)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark(("pcre2_jit/" + n).c_str(), Pcre2Jit, p)
            ->Unit(benchmark::kMillisecond);
        if (p.re2)
            benchmark::RegisterBenchmark(("re2/" + n).c_str(), Re2, p)
                ->Unit(benchmark::kMillisecond);
    }
    for (const Pattern& p : kPatterns) {
        benchmark::RegisterBenchmark((std::string("compile/") + p.name).c_str(), Compile, p);
    }
    std::string line(1 << 20, 'x');
    benchmark::RegisterBenchmark("long_line/no_literal_1MB", LongLine, ".*a.*b.*c", line)
        ->Unit(benchmark::kMillisecond);
    line.replace(0, 3, "abc"); // every literal there, and still no match
    benchmark::RegisterBenchmark("long_line/literals_then_fail_1MB", LongLine, ".*a.*b.*c$", line)
        ->Unit(benchmark::kMillisecond);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
