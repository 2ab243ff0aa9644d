// Shared helpers of the editor tests: a scripted view and clipboard, text snapshots.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "viewer/editor/editor.h"
#include "viewer/editor/para_list.h"

namespace mvf::editor::testing {

class FakeView : public EditorView {
public:
    int32_t lines = 10;
    int32_t columns = 40;
    int beeps = 0;
    int32_t VisibleLines() const override { return lines; }
    int32_t VisibleColumns() const override { return columns; }
    void Beep() override { ++beeps; }
};

class FakeClipboard : public EditorClipboard {
public:
    std::string text;
    bool has = false;
    bool refuse = false;
    bool HasText() const override { return has; }
    std::string Text() const override { return text; }
    bool SetText(std::string_view t) override {
        if (refuse) return false;
        text = t;
        has = true;
        return true;
    }
};

inline std::vector<std::string> Paras(TParaList& list) {
    std::vector<std::string> out;
    for (int32_t p = 1; p <= list.ParaCount(); ++p) out.emplace_back(list.ParaText(p));
    return out;
}

// Fills a list with lines (as a load would) and leaves it unmodified.
inline void Fill(TParaList& list, const std::vector<std::string>& lines) {
    list.Clear();
    for (const std::string& line : lines) EXPECT_EQ(list.AppendLine(line, false), 0);
    list.LoadFinished();
}

// An editor with a view and a clipboard, its errors collected instead of thrown.
struct EditorFixture : ::testing::Test {
    FakeView view;
    FakeClipboard clipboard;
    TOvcController controller;
    TOvcCustomEditor ed;
    std::vector<int> errors;
    EditorFixture() {
        ed.SetView(&view);
        ed.SetClipboard(&clipboard);
        ed.SetController(&controller);
        ed.OnError = [this](int code) { errors.push_back(code); };
    }
    TParaList& list() { return ed.Paragraphs(); }
    void Load(const std::vector<std::string>& lines) { Fill(ed.Paragraphs(), lines); }
    void Type(std::string_view text) {
        for (char c : text) ed.ProcessCommand(ccChar, c);
    }
    void Do(int command, int times = 1) {
        for (int i = 0; i < times; ++i) ed.ProcessCommand(command);
    }
};

} // namespace mvf::editor::testing
