// The regular-expression compiler and the word-character table.
#include <array>
#include <cstring>

#include "internal.h"
#include "program.h"
#include "rgrep_analysis.h"
#include "wordchars.h"

namespace mvf::engine {

namespace {

// "0"-"9", "A"-"Z", "a"-"z" and "_", as a 32-byte set.
constexpr unsigned char kDefaultWordSet[program::kSetBytes] = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0xff, 0x03, 0xfe, 0xff, 0xff, 0x87, 0xfe, 0xff, 0xff, 0x07,
    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};

constexpr std::array<unsigned char, 256> DefaultWordTable() {
    std::array<unsigned char, 256> table{};
    for (int c = 0; c < 256; ++c) table[c] = (kDefaultWordSet[c >> 3] >> (c & 7)) & 1;
    return table;
}

} // namespace

// Holds the default from the start of the process, before any constructor runs.
constinit std::array<unsigned char, 256> g_wordChar = DefaultWordTable();

} // namespace mvf::engine

extern "C" {

void InitWordCharTable(void) {
    mvf::engine::g_wordChar = mvf::engine::DefaultWordTable();
}

void AddWordChar(const char* chars) {
    if (!chars) return;
    for (; *chars; ++chars) mvf::engine::g_wordChar[static_cast<unsigned char>(*chars)] = 1;
}

void RemoveWordChar(const char* chars) {
    if (!chars) return;
    for (; *chars; ++chars) mvf::engine::g_wordChar[static_cast<unsigned char>(*chars)] = 0;
}

} // extern "C"

namespace mvf::engine {

namespace {

using namespace program;

const char* CompileMessage(int code) {
    switch (code) {
    case HGREP_ERR_NO_PATTERN: return "No regular expression provided";
    case HGREP_ERR_MISSING_BRACKET: return "Missing ]";
    case HGREP_ERR_LEADING_CLOSURE: return "Empty closure in beginning of pattern";
    case HGREP_ERR_ILLEGAL_CLOSURE: return "Illegal closure after special character";
    case HGREP_ERR_TOO_MANY_TAGS: return "Too many \\(\\) pairs";
    case HGREP_ERR_EMPTY_TAG: return "Null pattern inside \\(\\)";
    case HGREP_ERR_UNMATCHED_CLOSE: return "Unmatched \\)";
    case HGREP_ERR_EMPTY_WORD: return "Null pattern inside \\<\\>";
    case HGREP_ERR_CYCLIC_REF: return "Cyclical reference in tag \\number";
    case HGREP_ERR_UNDEFINED_REF: return "Undetermined reference";
    case HGREP_ERR_UNMATCHED_OPEN: return "Unmatched \\(";
    case HGREP_ERR_PATTERN_TOO_LONG: return "pattern too long";
    case HGREP_ERR_PROGRAM_TOO_LONG: return "program too long";
    }
    return "";
}

class Compiler {
public:
    Compiler(const unsigned char* pattern, std::size_t length, unsigned char* program)
        : pat_(pattern), len_(length), prog_(program) {}

    // 0, or the code of the first fault.
    int Run() {
        prog_[0] = END; // no previous element yet
        while (i_ < len_) {
            int code = Element();
            if (code) return code;
        }
        if (depth_ > 0) return HGREP_ERR_UNMATCHED_OPEN;
        prog_[w_] = END; // Reserve() always leaves this byte free
        return 0;
    }

private:
    // Makes sure `n` more bytes fit, keeping one byte for the closing END.
    bool Reserve(std::size_t n) const { return w_ + n < MVFG_PROGRAM_SIZE; }

    int Emit1(unsigned char op) {
        if (!Reserve(1)) return HGREP_ERR_PROGRAM_TOO_LONG;
        prevStart_ = w_;
        prog_[w_++] = op;
        return 0;
    }

    int Emit2(unsigned char op, unsigned char operand) {
        if (!Reserve(2)) return HGREP_ERR_PROGRAM_TOO_LONG;
        prevStart_ = w_;
        prog_[w_++] = op;
        prog_[w_++] = operand;
        return 0;
    }

    unsigned char PreviousOp() const { return prog_[prevStart_]; }

    int Element() {
        const std::size_t at = i_;
        const unsigned char c = pat_[i_++];
        switch (c) {
        case '.': return Emit1(ANY);
        case '^': return at == 0 ? Emit1(BOL) : Emit2(CHR, c);
        case '$': return at == len_ - 1 ? Emit1(EOL) : Emit2(CHR, c);
        case '[': return Class();
        case '*':
        case '+':
        case '-': return Repetition(at, c);
        case '\\': return Escape();
        default: return Emit2(CHR, c);
        }
    }

    int Class() {
        unsigned char set[kSetBytes] = {};
        unsigned char op = CCL;
        if (i_ < len_ && pat_[i_] == '^') {
            op = NCL;
            ++i_;
        }
        if (i_ < len_ && pat_[i_] == '-') SetAdd(set, pat_[i_++]);
        if (i_ < len_ && pat_[i_] == ']') SetAdd(set, pat_[i_++]);
        for (;;) {
            if (i_ >= len_) return HGREP_ERR_MISSING_BRACKET;
            const unsigned char c = pat_[i_];
            if (c == ']') break;
            if (c == '-' && i_ + 1 < len_ && pat_[i_ + 1] != ']') {
                // A range starts after the raw byte before the '-', already a member.
                const int low = i_ > 0 ? pat_[i_ - 1] : 0;
                const int high = pat_[i_ + 1];
                for (int m = low + 1; m <= high; ++m) SetAdd(set, static_cast<unsigned char>(m));
                i_ += 2;
            } else if (c == '\\') {
                if (i_ + 1 >= len_) return HGREP_ERR_MISSING_BRACKET;
                SetAdd(set, EscapedControl(pat_[i_ + 1]));
                i_ += 2;
            } else {
                SetAdd(set, c);
                ++i_;
            }
        }
        ++i_; // the ']'
        if (!Reserve(1 + kSetBytes)) return HGREP_ERR_PROGRAM_TOO_LONG;
        prevStart_ = w_;
        prog_[w_++] = op;
        std::memcpy(prog_ + w_, set, kSetBytes);
        w_ += kSetBytes;
        return 0;
    }

    int Repetition(std::size_t at, unsigned char c) {
        if (at == 0) return HGREP_ERR_LEADING_CLOSURE;
        switch (PreviousOp()) {
        case CLO:
        case OPT: return 0; // a repeated operator is ignored
        case CHR:
        case ANY:
        case CCL:
        case NCL: break;
        default: return HGREP_ERR_ILLEGAL_CLOSURE;
        }
        std::size_t atom = prevStart_;
        const std::size_t atomSize = w_ - atom;
        if (c == '+') {
            // a+ is a followed by a*: the copy becomes the repeated atom.
            if (!Reserve(atomSize)) return HGREP_ERR_PROGRAM_TOO_LONG;
            std::memcpy(prog_ + w_, prog_ + atom, atomSize);
            atom = w_;
            w_ += atomSize;
        }
        if (!Reserve(2)) return HGREP_ERR_PROGRAM_TOO_LONG;
        std::memmove(prog_ + atom + 1, prog_ + atom, atomSize);
        prog_[atom] = c == '-' ? OPT : CLO;
        prog_[atom + 1 + atomSize] = END;
        w_ = atom + 1 + atomSize + 1;
        prevStart_ = atom;
        return 0;
    }

    int Escape() {
        if (i_ >= len_) return Emit2(CHR, '\\'); // a trailing backslash is itself
        const unsigned char c = pat_[i_++];
        switch (c) {
        case '(':
            if (nextTag_ == 10) return HGREP_ERR_TOO_MANY_TAGS;
            tags_[depth_++] = static_cast<unsigned char>(nextTag_);
            return Emit2(BOT, static_cast<unsigned char>(nextTag_++));
        case ')':
            if (PreviousOp() == BOT) return HGREP_ERR_EMPTY_TAG;
            if (depth_ == 0) return HGREP_ERR_UNMATCHED_CLOSE;
            return Emit2(EOT, tags_[--depth_]);
        case '<': return Emit1(BOW);
        case '>':
            if (PreviousOp() == BOW) return HGREP_ERR_EMPTY_WORD;
            return Emit1(EOW);
        default:
            if (c >= '1' && c <= '9') {
                const int n = c - '0';
                if (depth_ > 0 && tags_[depth_ - 1] == n) return HGREP_ERR_CYCLIC_REF;
                if (n >= nextTag_) return HGREP_ERR_UNDEFINED_REF;
                return Emit2(REF, static_cast<unsigned char>(n));
            }
            return Emit2(CHR, EscapedControl(c));
        }
    }

    const unsigned char* pat_;
    std::size_t len_;
    unsigned char* prog_;
    std::size_t i_ = 0;         // next pattern character
    std::size_t w_ = 0;         // write position in the program
    std::size_t prevStart_ = 0; // start of the previous element
    int nextTag_ = 1;
    unsigned char tags_[9] = {}; // open tag numbers, innermost last
    int depth_ = 0;
};

} // namespace

} // namespace mvf::engine

extern "C" int CompileRGrep(const char* pattern, int caseSensitive, RegexRecord* record) {
    using namespace mvf::engine;
    if (!record) return HGREP_ERR_NO_PATTERN;
    int code = 0;
    std::memset(record->analysis, 0, sizeof record->analysis);
    const std::size_t length = pattern ? std::strlen(pattern) : 0;
    if (length == 0) {
        code = HGREP_ERR_NO_PATTERN;
    } else if (length >= MVFG_PATTERN_SIZE) {
        code = HGREP_ERR_PATTERN_TOO_LONG;
    } else {
        std::memmove(record->pattern, pattern, length + 1); // the caller may pass record->pattern
        record->caseSensitive = caseSensitive;
        code = Compiler(reinterpret_cast<const unsigned char*>(pattern), length, record->program)
                   .Run();
    }
    if (code) {
        record->program[0] = program::END;
        ForgetMatch(*record);
        record->state = code;
        Report(NoticeKind::RegularExpression, CompileMessage(code));
        return code;
    }
    record->state = 0;
    analysis::Analyse(record);
    return 0;
}
