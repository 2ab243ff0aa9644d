// Fuzz target: the library's file search. A file of any bytes is searched with each of
// the three kinds, and every answer, the count and the end are held to the file read
// plainly: carriage return and line feed pairs as line feeds, lines in pieces of at most
// 1023 bytes (line feed included) searched with their line feed, the prefixes, the cut to
// 1023 characters, the reported count (unless the searches ran out of work, see
// work_budget.h).
//
// Input: one settings byte (bits 0-1 the kind: regular expression, Soundex, approximate;
// bit 2 shows the name, bit 3 the block, bit 4 the line number; bit 5 counts only; bit 6
// reports the lines without a match; bit 7 matches case), one byte k for the approximate
// kind, the pattern up to a zero byte, then the bytes of the file.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "fuzz_support.h"
#include "mvfindgrep.h"
#include "work_budget.h"

namespace {

using mvf::fuzz::Fail;

constexpr std::size_t kPiece = 1023;
constexpr std::size_t kLongestAnswer = 1023;

const mvf::fuzz::ScratchFolder& Scratch() {
    static const mvf::fuzz::ScratchFolder folder;
    return folder;
}

struct Piece {
    std::string bytes;  // as read, the line feed included
    long endOffset = 0; // bytes of the file taken up to the piece's end
};

// The file's pieces as the text-mode reading gives them.
std::vector<Piece> PlainPieces(std::string_view file) {
    std::vector<Piece> pieces;
    Piece piece;
    long offset = 0;
    for (std::size_t i = 0; i < file.size(); ++i) {
        char c = file[i];
        ++offset;
        if (c == '\r' && i + 1 < file.size() && file[i + 1] == '\n') {
            c = '\n';
            ++i;
            ++offset;
        }
        piece.bytes += c;
        if (c == '\n' || piece.bytes.size() == kPiece) {
            piece.endOffset = offset;
            pieces.push_back(std::move(piece));
            piece = {};
        }
    }
    if (!piece.bytes.empty()) {
        piece.endOffset = offset;
        pieces.push_back(std::move(piece));
    }
    return pieces;
}

// A search of one kind on a record of the test's own, for the plain reading.
class OwnSearch {
public:
    OwnSearch(int kind, const char* pattern, int k, int caseSensitive) : kind_(kind) {
        if (kind_ == 0) CompileRGrep(pattern, caseSensitive, &regex_);
        if (kind_ == 1) CompileSGrep(pattern, 0, &soundex_);
        if (kind_ == 2) {
            AGrepInit(&approx_);
            CompileAGrep(pattern, k, caseSensitive, &approx_);
        }
    }
    ~OwnSearch() {
        if (kind_ == 2) AGrepEmpty(&approx_);
    }
    OwnSearch(const OwnSearch&) = delete;
    OwnSearch& operator=(const OwnSearch&) = delete;

    int Search(const char* line) {
        if (kind_ == 0) return RGrep(line, &regex_);
        if (kind_ == 1) return SGrep(line, &soundex_);
        return AGrep(line, &approx_);
    }

private:
    int kind_;
    RegexRecord regex_{};
    SoundexRecord soundex_{};
    ApproxRecord approx_{};
};

int StaticCompile(int kind, const char* pattern, int k, int caseSensitive) {
    if (kind == 0) return SCompileRGrep(pattern, caseSensitive);
    if (kind == 1) return SCompileSGrep(pattern, 0);
    return SCompileAGrep(pattern, k, caseSensitive);
}

const char* Next(int kind) {
    if (kind == 0) return SFileRGrep();
    if (kind == 1) return SFileSGrep();
    return SFileAGrep();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 2) return 0;
    const int settings = data[0];
    const int kind = settings & 3;
    if (kind == 3) return 0;
    const int k = data[1] % 8;
    const bool showName = settings & 4, showBlock = settings & 8, showLine = settings & 16;
    const bool countOnly = settings & 32;
    const int skipResult = settings & 64 ? 1 : 0;
    const int caseSensitive = settings & 128 ? 1 : 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::size_t zero = rest.find('\0');
    if (zero == std::string_view::npos) return 0;
    const std::string pattern(rest.substr(0, zero));
    const std::string_view file = rest.substr(zero + 1);
    const std::string path = Scratch().Path("lines.txt");
    mvf::fuzz::WriteFile(path, file);
    HGrepOptions(0);

    // The answers the file must give, from the plain reading.
    std::vector<std::string> want;
    long wantCount = 0;
    bool givenUp = false; // a search ran out of work: only the library's safety is checked
    {
        const mvf::fuzz::WorkBudget budget(mvf::fuzz::kSearchQueries);
        OwnSearch own(kind, pattern.c_str(), k, caseSensitive);
        long line = 0;
        for (const Piece& piece : PlainPieces(file)) {
            ++line;
            if (own.Search(piece.bytes.c_str()) == skipResult) continue;
            ++wantCount;
            if (countOnly) continue;
            std::string answer;
            if (showName) answer += path + ":";
            char number[32];
            if (showBlock) {
                std::snprintf(number, sizeof number, "%ld:", (piece.endOffset - 1) / 512);
                answer += number;
            }
            if (showLine) {
                std::snprintf(number, sizeof number, "%ld:", line);
                answer += number;
            }
            answer +=
                piece.bytes.substr(0, piece.bytes.find('\0')); // the answer ends at a zero byte
            want.push_back(answer.substr(0, kLongestAnswer));
        }
        givenUp = budget.Spent();
    }

    SFileSetFlags(showName, showBlock, showLine, countOnly, skipResult);
    StaticCompile(kind, pattern.c_str(), k, caseSensitive);
    const mvf::fuzz::WorkBudget budget(mvf::fuzz::kSearchQueries);
    if (!SFileOpen(path.c_str())) Fail("the file did not open");
    if (givenUp) {
        while (Next(kind) != nullptr) {
        }
        SFileClose();
        return 0;
    }
    std::size_t n = 0;
    for (const char* answer; (answer = Next(kind)) != nullptr; ++n) {
        if (n >= want.size()) Fail("more answers than plainly");
        if (want[n] != answer) Fail("answer " + std::to_string(n) + " differs");
    }
    if (n != want.size()) Fail("fewer answers than plainly");
    if (Next(kind) != nullptr) Fail("an answer after the end");
    if (SFileClose() != wantCount) Fail("another count");
    if (Next(kind) != nullptr) Fail("an answer after the close");
    return 0;
}
