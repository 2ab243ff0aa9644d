// The vector scans for line ends and printable runs against a byte-by-byte reading of their
// contract, over generated data of every density and every start and end offset.
#include "byte_scans.h"

#include <random>
#include <string>

#include <gtest/gtest.h>

namespace mvf::search {
namespace {

const char* SlowNextNonPrintable(const char* from, const char* end) {
    while (from < end && IsPrintable(*from)) ++from;
    return from;
}

const char* SlowNextPrintableRun(const char* from, const char* end, std::size_t length) {
    for (const char* p = from; p + length <= end; ++p) {
        std::size_t n = 0;
        while (n < length && IsPrintable(p[n])) ++n;
        if (n == length && (p == from || !IsPrintable(p[-1]))) return p;
    }
    const char* start = end;
    while (start > from && IsPrintable(start[-1])) --start;
    return start;
}

TEST(PrintableRuns, MatchByteByByteReadingOnGeneratedData) {
    std::mt19937 random(20240607);
    for (const int percentPrintable : {0, 20, 50, 80, 95, 100}) {
        std::string data(300, '\0');
        for (char& c : data)
            c = static_cast<int>(random() % 100) < percentPrintable
                    ? static_cast<char>(32 + random() % 95)
                    : static_cast<char>(random() % 2 ? random() % 32 : 127 + random() % 129);
        const char* base = data.data();
        for (std::size_t from = 0; from < data.size(); from += 7) {
            for (std::size_t to = from; to <= data.size(); to += 13) {
                EXPECT_EQ(SlowNextNonPrintable(base + from, base + to),
                          NextNonPrintable(base + from, base + to));
                // Valid starts: the data's start or just after a non-printable byte.
                if (from > 0 && IsPrintable(base[from - 1])) continue;
                for (const std::size_t length : {1u, 5u, 8u})
                    EXPECT_EQ(SlowNextPrintableRun(base + from, base + to, length) - base,
                              NextPrintableRun(base + from, base + to, length) - base)
                        << percentPrintable << "% from " << from << " to " << to << " run "
                        << length;
            }
        }
    }
}

TEST(LineEnds, FindEveryCarriageReturnAndLineFeedInOrder) {
    std::mt19937 random(7);
    for (const int percentEnds : {0, 2, 30, 100}) {
        std::string data(500, 'x');
        for (char& c : data)
            if (static_cast<int>(random() % 100) < percentEnds) c = random() % 2 ? '\n' : '\r';
        for (std::size_t from = 0; from < 70; from += 3) {
            for (std::size_t to = from; to <= data.size(); to += 37) {
                const char* begin = data.data() + from;
                const char* end = data.data() + to;
                LineEnds ends(begin, end);
                // Skipping ahead, as a carriage return followed by a line feed does.
                for (const char* p = begin; p < end;) {
                    const char* expected = p;
                    while (expected < end && *expected != '\n' && *expected != '\r') ++expected;
                    ASSERT_EQ(expected - data.data(), ends.Next(p) - data.data())
                        << percentEnds << "% from " << from << " to " << to;
                    p = expected + 1 + random() % 2;
                }
                EXPECT_EQ(end, ends.Next(end));
            }
        }
    }
}

TEST(PrintableRuns, BoundariesOfThePrintableRange) {
    const std::string edges = std::string("\x1F") + " ~" + "\x7F" + "\x80\xFF";
    EXPECT_EQ(0, NextNonPrintable(edges.data(), edges.data() + edges.size()) - edges.data());
    EXPECT_EQ(3, NextNonPrintable(edges.data() + 1, edges.data() + edges.size()) - edges.data());
    const std::string run = std::string(40, '\x01') + "abcde" + std::string(40, '\x01');
    EXPECT_EQ(40, NextPrintableRun(run.data(), run.data() + run.size(), 5) - run.data());
    EXPECT_EQ(85, NextPrintableRun(run.data(), run.data() + run.size(), 6) - run.data());
}

} // namespace
} // namespace mvf::search
