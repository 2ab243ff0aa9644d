// Generated edit sequences applied both to a paragraph list and to a plain vector of
// strings, compared after every step; then everything is undone and redone.
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <vector>

#include "editor_test_support.h"
#include "viewer/editor/editor_errors.h"
#include "viewer/editor/utf8.h"

namespace mvf::editor {
namespace {

using testing::Fill;
using testing::Paras;
using Text = std::vector<std::string>;

bool Blank(char c) {
    return c == ' ' || c == '\t';
}

// The wrapping rule, written out plainly: the display lines of one paragraph. Widths are
// cells: a tab reaches its stop, a wide character takes two, any other character one (a
// byte of no well-formed sequence is a character); a line holds at least one character.
std::vector<int32_t> ReferenceLineStarts(const std::string& s, int32_t width, int32_t tab) {
    std::vector<int32_t> starts{0};
    if (width <= 0) return starts;
    const auto n = static_cast<int32_t>(s.size());
    int32_t start = 0;
    for (;;) {
        int32_t col = 0, past = start;
        while (past < n) {
            const Utf8Char c = DecodeChar(s, past);
            const int32_t next = !c.valid         ? col + 1
                                 : c.code == '\t' ? (col / tab + 1) * tab
                                                  : col + CharCells(c.code);
            if (next > width) break;
            col = next;
            past += c.length;
        }
        past = std::max(past, start + DecodeChar(s, start).length);
        if (past >= n) break;
        int32_t next = past;
        for (int32_t j = past; j > start; --j) {
            if (Blank(s[j]) || (s[j] == '-' && j < past)) {
                next = j + 1;
                while (next < n && Blank(s[next])) ++next;
                break;
            }
        }
        if (next >= n) break;
        starts.push_back(next);
        start = next;
    }
    return starts;
}

struct Config {
    bool wrap;
    int32_t width;
    int32_t tabSize;
    int32_t lengthLimit;
    int32_t undoSize;
};

class Sequence {
public:
    Sequence(uint32_t seed, const Config& cfg) : rng_(seed), cfg_(cfg), list_(cfg.undoSize) {
        list_.SetWrapping(cfg.wrap, cfg.width, cfg.tabSize);
        list_.SetParaLengthLimit(cfg.lengthLimit);
        model_ = {"alpha beta", "", "\tgamma-delta epsilon", std::string("z\0y\x1a\xc3\xa9", 6)};
        Fill(list_, model_);
        model_.push_back(""); // the empty paragraph after the last line end
    }

    void Run(int steps) {
        snapshots_.push_back(model_);
        for (int i = 0; i < steps && !::testing::Test::HasFailure(); ++i) {
            Step();
            Compare("after step " + std::to_string(i) + " (" + last_ + ")");
            snapshots_.push_back(model_);
        }
    }

    // Undo group by group: every state reached is an earlier state of the run, in order.
    void UndoAll(bool expectStart) {
        size_t at = snapshots_.size() - 1;
        ParaPos caret;
        while (list_.UndoGroup(caret)) {
            at = Earlier(at);
            ASSERT_NE(at, npos) << "undo reached a state the run never had";
            EXPECT_LE(caret.para, list_.ParaCount());
        }
        if (expectStart) {
            EXPECT_EQ(snapshots_[at], snapshots_[0]);
            EXPECT_FALSE(list_.Modified());
        }
        undoneTo_ = at;
    }

    void RedoAll() {
        size_t at = undoneTo_;
        ParaPos caret;
        while (list_.RedoGroup(caret)) {
            at = Later(at);
            ASSERT_NE(at, npos) << "redo reached a state the run never had";
        }
        EXPECT_EQ(snapshots_[at], snapshots_.back());
    }

private:
    static constexpr size_t npos = static_cast<size_t>(-1);

    size_t Earlier(size_t from) {
        const Text now = Paras(list_);
        for (size_t i = from; i-- > 0;) {
            if (snapshots_[i] == now) return CheckCounts(i);
        }
        return npos;
    }
    size_t Later(size_t from) {
        const Text now = Paras(list_);
        for (size_t i = from + 1; i < snapshots_.size(); ++i) {
            if (snapshots_[i] == now) return CheckCounts(i);
        }
        return npos;
    }
    size_t CheckCounts(size_t i) {
        model_ = snapshots_[i];
        Compare("replay");
        return i;
    }

    int Below(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }
    int32_t Para() { return Below(static_cast<int>(model_.size())) + 1; }
    int32_t Len(int32_t p) { return static_cast<int32_t>(model_[p - 1].size()); }
    int32_t Pos(int32_t p, int beyond = 0) { return Below(Len(p) + 1 + beyond) + 1; }
    // Letters, blanks and hyphens (which decide the wrapping), and the bytes a loaded file
    // may hold that text handling in C strings would trip over: NUL, a lone carriage
    // return, Ctrl+Z, and bytes of 0x80 and above.
    static constexpr std::string_view kTyped{"ab -\t\0\r\x1a\x80\xc3\xa9\xff", 12};
    std::string Word(int maxLength, std::string_view alphabet = kTyped) {
        std::string s;
        const int n = Below(maxLength) + 1;
        const int k = static_cast<int>(alphabet.size());
        for (int i = 0; i < n; ++i) s += alphabet[Below(k)];
        return s;
    }
    bool TooLong(size_t length) const { return static_cast<int32_t>(length) > cfg_.lengthLimit; }

    // Applies one change to the model the way the list must; returns the expected code.
    int ModelInsert(int32_t p, int32_t q, const std::string& s) {
        std::string& t = model_[p - 1];
        const size_t at = std::min<size_t>(q - 1, t.size());
        const size_t fill = q - 1 > static_cast<int32_t>(t.size()) ? q - 1 - t.size() : 0;
        if (TooLong(t.size() + fill + s.size())) return kErrParagraphTooLong;
        t.append(fill, ' ');
        t.insert(at + fill, s);
        return 0;
    }
    int ModelSplit(int32_t p, int32_t q, bool trim, const std::string& indent) {
        if (q <= 1) {
            model_.insert(model_.begin() + (p - 1), "");
            return 0;
        }
        std::string& t = model_[p - 1];
        const size_t split = std::min<size_t>(q, t.size() + 1);
        size_t cut = split;
        if (trim) {
            while (cut > 1 && Blank(t[cut - 2])) --cut;
        }
        const std::string tail = t.substr(split - 1);
        if (TooLong(indent.size() + tail.size())) return kErrParagraphTooLong;
        t.erase(cut - 1);
        model_.insert(model_.begin() + p, indent + tail);
        return 0;
    }
    int ModelJoin(int32_t p, int32_t at) {
        std::string& t = model_[p - 1];
        if (at <= 1 && t.empty()) {
            model_.erase(model_.begin() + (p - 1));
            return 0;
        }
        const size_t joinAt = std::max<size_t>(at, t.size() + 1);
        if (TooLong(joinAt - 1 + model_[p].size())) return kErrCannotJoin;
        t.resize(joinAt - 1, ' ');
        t += model_[p];
        model_.erase(model_.begin() + p);
        return 0;
    }
    int ModelPaste(int32_t p, int32_t q, const std::string& s) {
        if (s.find('\n') == std::string::npos) return ModelInsert(p, q, s);
        // Limits first: the list checks the whole paste before it changes anything.
        const Text before = model_;
        size_t start = 0;
        for (;;) {
            const size_t lf = s.find('\n', start);
            if (lf == std::string::npos) {
                const int code = ModelInsert(p, q, s.substr(start));
                if (code) model_ = before;
                return code;
            }
            std::string piece = s.substr(start, lf - start + 1);
            while (!piece.empty() && (piece.back() == '\r' || piece.back() == '\n'))
                piece.pop_back();
            if (q == 1) {
                if (TooLong(piece.size())) {
                    model_ = before;
                    return kErrParagraphTooLong;
                }
                model_.insert(model_.begin() + (p - 1), piece);
            } else {
                if (int code = ModelInsert(p, q, piece)) {
                    model_ = before;
                    return code;
                }
                ModelSplit(p, q + static_cast<int32_t>(piece.size()), true, "");
            }
            ++p;
            q = 1;
            start = lf + 1;
        }
    }
    int ModelDeleteRange(ParaPos a, ParaPos c) {
        if (c < a) std::swap(a, c);
        if (a.para == c.para) {
            std::string& t = model_[a.para - 1];
            if (a.pos <= static_cast<int32_t>(t.size())) t.erase(a.pos - 1, c.pos - a.pos);
            return 0;
        }
        if (a.pos == 1 && c.pos == 1) {
            model_.erase(model_.begin() + (a.para - 1), model_.begin() + (c.para - 1));
            return 0;
        }
        const std::string& ta = model_[a.para - 1];
        const std::string& tc = model_[c.para - 1];
        const std::string joined = ta.substr(0, std::min<size_t>(a.pos - 1, ta.size())) +
                                   tc.substr(std::min<size_t>(c.pos - 1, tc.size()));
        if (TooLong(joined.size())) return kErrCannotJoin;
        model_[a.para - 1] = joined;
        model_.erase(model_.begin() + a.para, model_.begin() + c.para);
        return 0;
    }

    bool RunValid() {
        return run_.para >= 1 && run_.para <= static_cast<int32_t>(model_.size()) &&
               run_.pos <= Len(run_.para) + 1;
    }

    void Step() {
        int32_t p = Para();
        int expected = 0, got = 0;
        switch (Below(10)) {
        case 0:
        case 1: {
            // Half the time typing goes on where it stopped, so that runs merge.
            const bool run = Below(2) && RunValid();
            const int32_t at = run ? run_.para : p;
            const int32_t q = run ? run_.pos : Pos(p, 3);
            const std::string s = run ? Word(1) : Word(6);
            last_ = "insert " + std::to_string(at) + ":" + std::to_string(q);
            expected = ModelInsert(at, q, s);
            got = list_.InsertChars({at, q}, s);
            run_ = {at, q + static_cast<int32_t>(s.size())};
            break;
        }
        case 2: {
            // Runs of forward deletes and of backspaces merge too.
            const bool run = Below(2) && RunValid() && run_.pos > 1;
            const int32_t at = run ? run_.para : p;
            const int32_t q = run ? run_.pos - Below(2) : Pos(p);
            const int32_t n = run ? 1 : Below(5) + 1;
            last_ = "delete";
            std::string& t = model_[at - 1];
            if (q <= static_cast<int32_t>(t.size())) t.erase(q - 1, n);
            got = list_.DeleteChars({at, q}, n);
            run_ = {at, q};
            break;
        }
        case 3: {
            const int32_t q = Pos(p, 2);
            const bool trim = Below(2);
            const int32_t width = Below(3) == 0 ? Below(11) : 0;
            const int32_t tab = Below(2) ? 4 : 0;
            const std::string indent =
                width == 0 ? ""
                : tab == 0 ? std::string(width, ' ')
                           : std::string(width / tab, '\t') + std::string(width % tab, ' ');
            last_ = "split";
            expected = ModelSplit(p, q, trim, indent);
            got = list_.SplitPara({p, q}, trim, width, tab);
            break;
        }
        case 4: {
            if (p == static_cast<int32_t>(model_.size())) return Step();
            const int32_t at = Len(p) + 1 + Below(3);
            last_ = "join";
            expected = ModelJoin(p, at);
            got = list_.JoinPara(p, at);
            break;
        }
        case 5: {
            const int32_t q = Pos(p, 2);
            const std::string s = Word(12, std::string_view("ab \r\n\n\n\0\x1a\x80", 10));
            last_ = "paste";
            expected = ModelPaste(p, q, s);
            got = list_.InsertText({p, q}, s);
            break;
        }
        case 6: {
            if (Len(p) == 0) return Step();
            const bool run = Below(2) && RunValid() && run_.pos <= Len(run_.para);
            const int32_t q = run ? run_.pos : Below(Len(p)) + 1;
            const std::string s = run ? Word(1) : Word(3);
            if (run) p = run_.para;
            run_ = {p, q + static_cast<int32_t>(s.size())};
            last_ = "overtype";
            std::string& t = model_[p - 1];
            if (TooLong(std::max(t.size(), q - 1 + s.size()))) {
                expected = kErrParagraphTooLong;
            } else {
                t.replace(q - 1, std::min<size_t>(s.size(), t.size() - q + 1), s);
            }
            got = list_.ReplaceChars({p, q}, s);
            break;
        }
        case 7: {
            const int32_t c = std::min<int32_t>(p + Below(3), static_cast<int32_t>(model_.size()));
            const ParaPos from{p, Pos(p)}, to{c, Pos(c)};
            last_ = "range";
            expected = ModelDeleteRange(from, to);
            got = list_.DeleteRange(from, to);
            break;
        }
        case 8: {
            last_ = "delete paragraph";
            if (model_.size() == 1) {
                model_[0].clear();
            } else {
                model_.erase(model_.begin() + (p - 1));
            }
            got = list_.DeletePara(p);
            break;
        }
        default: {
            const int32_t before = Below(static_cast<int>(model_.size()) + 1) + 1;
            const std::string s = Word(8);
            last_ = "insert paragraph";
            model_.insert(model_.begin() + (before - 1), s);
            got = list_.InsertPara(before, s);
            break;
        }
        }
        EXPECT_EQ(got, expected) << last_;
    }

    void Compare(const std::string& where) {
        ASSERT_EQ(Paras(list_), model_) << where;
        int64_t bytes = -2;
        int32_t lines = 0;
        std::vector<std::pair<int32_t, std::string>> lineTexts;
        for (size_t i = 0; i < model_.size(); ++i) {
            const std::string& t = model_[i];
            bytes += static_cast<int64_t>(t.size()) + 2;
            const auto starts = ReferenceLineStarts(t, cfg_.wrap ? cfg_.width : 0, cfg_.tabSize);
            for (size_t k = 0; k < starts.size(); ++k) {
                const size_t end = k + 1 < starts.size() ? starts[k + 1] : t.size();
                lineTexts.emplace_back(static_cast<int32_t>(i) + 1,
                                       t.substr(starts[k], end - starts[k]));
            }
            lines += static_cast<int32_t>(starts.size());
        }
        ASSERT_EQ(list_.ParaCount(), static_cast<int32_t>(model_.size())) << where;
        ASSERT_EQ(list_.ByteCount(), bytes) << where;
        ASSERT_EQ(list_.LineCount(), lines) << where;
        // Random display lines, reached from wherever the cursor was left.
        for (int k = 0; k < 4; ++k) {
            const int32_t line = Below(lines) + 1;
            const LineRef ref = list_.FindLine(line);
            ASSERT_EQ(ref.para, lineTexts[line - 1].first) << where << " line " << line;
            ASSERT_EQ(ref.text, lineTexts[line - 1].second) << where << " line " << line;
            const ParaPos at = list_.LineToPara({line, 1});
            ASSERT_EQ(list_.ParaToLine(at).line, line) << where;
        }
    }

    std::mt19937 rng_;
    Config cfg_;
    TParaList list_;
    Text model_;
    std::vector<Text> snapshots_;
    size_t undoneTo_ = 0;
    std::string last_;
    ParaPos run_{0, 0};
};

TEST(EditSequence, MatchesAVectorOfStringsAndUndoesAndRedoesCompletely) {
    const Config configs[] = {
        {false, 80, 8, 32767, 65535},
        {true, 7, 4, 32767, 65535},
        {true, 12, 3, 24, 65535}, // a low length limit: failures must change nothing
    };
    for (const Config& cfg : configs) {
        for (uint32_t seed = 1; seed <= 12; ++seed) {
            SCOPED_TRACE("seed " + std::to_string(seed) + " wrap " + std::to_string(cfg.wrap) +
                         " limit " + std::to_string(cfg.lengthLimit));
            Sequence run(seed, cfg);
            run.Run(120);
            run.UndoAll(true);
            run.RedoAll();
            if (::testing::Test::HasFailure()) return;
        }
    }
}

TEST(EditSequence, ASmallHistoryForgetsOldGroupsButNeverReplaysAPartOfOne) {
    for (uint32_t seed = 100; seed < 130; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        Sequence run(seed, {seed % 2 == 0, 9, 4, 32767, 400});
        run.Run(150);
        run.UndoAll(false);
        run.RedoAll();
        if (::testing::Test::HasFailure()) return;
    }
}

} // namespace
} // namespace mvf::editor
