// Several threads searching at once, each with records of its own, answer exactly what
// one thread answers alone; a record copied byte for byte searches as its original.
#include <cstring>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "engine_test_support.h"

namespace mvf::engine {
namespace {

// Every answer of one pattern over the texts: the result and the bounds as offsets.
std::vector<long> Answers(const RegexRecord& compiled, const std::vector<std::string>& texts) {
    auto record = std::make_unique<RegexRecord>();
    std::memcpy(record.get(), &compiled, sizeof(RegexRecord));
    std::vector<long> answers;
    for (const std::string& text : texts) {
        answers.push_back(RGrep(text.c_str(), record.get()));
        for (int n = 0; n < MVFG_BOUNDS; ++n) {
            answers.push_back(record->matchStart[n] ? record->matchStart[n] - text.c_str() : -1);
            answers.push_back(record->matchEnd[n] ? record->matchEnd[n] - text.c_str() : -1);
        }
    }
    return answers;
}

std::vector<std::string> Texts() {
    std::vector<std::string> texts;
    const std::string words[] = {"pthread_mutex_t",
                                 "abcabcabcz",
                                 "return x;",
                                 "int *char",
                                 "aaaaaaaaaaaaaaaaaaaaaaaaaaaab",
                                 "x",
                                 ""};
    for (int i = 0; i < 400; ++i) {
        std::string text;
        for (int j = 0; j <= i % 9; ++j) text += words[(i * 7 + j * 3) % 7] + " ";
        texts.push_back(text);
    }
    return texts;
}

using ThreadsTest = testing::EngineTest;

TEST_F(ThreadsTest, ThreadsWithRecordsOfTheirOwnAnswerAsOneThreadAlone) {
    // Literal prefilters, classes, closures, and back-references that use the memo.
    const char* patterns[] = {"pthread_mutex", "[a-z][a-z0-9_]*_mutex_t",
                              "int.*char",     "\\(abc\\).*\\1z",
                              "\\(a*\\)a*b",   "^return",
                              "x;$",           "\\<int\\>"};
    const std::vector<std::string> texts = Texts();
    std::vector<std::unique_ptr<RegexRecord>> compiled;
    std::vector<std::vector<long>> alone;
    for (const char* pattern : patterns) {
        compiled.push_back(std::make_unique<RegexRecord>());
        ASSERT_EQ(0, CompileRGrep(pattern, 0, compiled.back().get())) << pattern;
        alone.push_back(Answers(*compiled.back(), texts));
    }
    const std::size_t count = std::size(patterns);
    std::vector<std::vector<std::vector<long>>> together(4);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < together.size(); ++t) {
        threads.emplace_back([&, t] {
            // Each thread compiles its own records too, while the others search.
            for (int round = 0; round < 20; ++round) {
                const std::size_t p = (t + static_cast<std::size_t>(round)) % count;
                RegexRecord own;
                CompileRGrep(patterns[p], 0, &own);
                together[t].push_back(Answers(own, texts));
            }
        });
    }
    for (std::thread& thread : threads) thread.join();
    for (std::size_t t = 0; t < together.size(); ++t)
        for (std::size_t round = 0; round < together[t].size(); ++round)
            EXPECT_EQ(alone[(t + round) % count], together[t][round])
                << "thread " << t << " pattern " << patterns[(t + round) % count];
}

} // namespace
} // namespace mvf::engine
