// Search and replace over the editor's paragraphs.
#include <algorithm>

#include "text_search.h"
#include "viewer/editor/editor.h"

namespace mvf::editor {

void TOvcCustomEditor::SearchRange(uint8_t options, ParaPos& from, ParaPos& to) {
    const int32_t last = list_->ParaCount();
    const ParaPos textEnd{last, list_->ParaLength(last) + 1};
    if (options & kSearchSelection) {
        from = SelectionStart();
        to = SelectionEnd();
    } else if (options & kSearchWholeText) {
        from = {1, 1};
        to = textEnd;
    } else if (options & kSearchBackward) {
        from = {1, 1};
        to = caret_;
    } else {
        from = caret_;
        to = textEnd;
    }
}

// Paragraph by paragraph in the search direction; a match never spans a line break.
bool TOvcCustomEditor::FindMatch(const TextMatcher& matcher, bool backward, ParaPos from,
                                 ParaPos to, ParaPos& start) {
    if (to < from) return false;
    const int32_t first = from.para;
    const int32_t last = std::min(to.para, list_->ParaCount());
    for (int32_t i = 0; i <= last - first; ++i) {
        const int32_t p = backward ? last - i : first + i;
        const std::string_view text = list_->ParaText(p);
        const size_t begin = p == from.para ? static_cast<size_t>(from.pos - 1) : 0;
        const size_t end =
            p == to.para ? static_cast<size_t>(std::max(to.pos - 1, 0)) : text.size();
        if (begin > text.size()) continue;
        const size_t at =
            backward ? matcher.FindLast(text, begin, end) : matcher.FindFirst(text, begin, end);
        if (at != TextMatcher::npos) {
            start = {p, static_cast<int32_t>(at) + 1};
            return true;
        }
    }
    return false;
}

void TOvcCustomEditor::SelectMatch(ParaPos start, int32_t length, bool backward) {
    const ParaPos end{start.para, start.pos + length};
    if (backward) {
        SetSelection(end, start);
    } else {
        SetSelection(start, end);
    }
    ScrollIntoView();
    ShowStatus();
}

bool TOvcCustomEditor::Search(std::string_view pattern, uint8_t options) {
    const TextMatcher matcher(pattern, options & kSearchMatchCase, options & kSearchWholeWords,
                              IsDelimiter);
    if (matcher.Length() == 0) return false;
    ParaPos from, to, start;
    SearchRange(options, from, to);
    const bool backward = options & kSearchBackward;
    if (!FindMatch(matcher, backward, from, to, start)) return false;
    SelectMatch(start, static_cast<int32_t>(matcher.Length()), backward);
    return true;
}

// One replacement: the deletion and the insertion are one undo group.
int TOvcCustomEditor::ReplaceAt(ParaPos start, int32_t length, std::string_view replacement) {
    return list_->Transaction([&] {
        list_->DeleteChars(start, length);
        return list_->InsertChars(start, replacement);
    });
}

int TOvcCustomEditor::Replace(std::string_view pattern, std::string_view replacement,
                              uint8_t options) {
    const TextMatcher matcher(pattern, options & kSearchMatchCase, options & kSearchWholeWords,
                              IsDelimiter);
    const auto length = static_cast<int32_t>(matcher.Length());
    if (length == 0 || readOnly_) return -1;
    replacement = replacement.substr(0, kMaxPatternLength);
    const auto replacementLength = static_cast<int32_t>(replacement.size());
    const bool backward = options & kSearchBackward;
    const uint64_t before = list_->ChangeCount();
    int count = 0;

    const ParaPos selStart = SelectionStart();
    const ParaPos selEnd = SelectionEnd();
    if (selStart.para == selEnd.para && selEnd.pos - selStart.pos == length &&
        matcher.Equals(SelectedText())) {
        if (int code = ReplaceAt(selStart, length, replacement)) {
            ReportError(code);
            return code;
        }
        count = 1;
        SetCaret(backward ? selStart : ParaPos{selStart.para, selStart.pos + replacementLength});
    }

    ParaPos from, to, start;
    SearchRange(options, from, to);
    if (!(options & kSearchReplaceAll)) {
        const bool found = FindMatch(matcher, backward, from, to, start);
        if (found) SelectMatch(start, length, backward);
        Changed(before);
        return count == 1 ? 1 : found ? 0 : -1;
    }
    while (FindMatch(matcher, backward, from, to, start)) {
        if (int code = ReplaceAt(start, length, replacement)) {
            ReportError(code);
            Changed(before);
            return code;
        }
        ++count;
        if (backward) {
            to = start;
        } else {
            from = {start.para, start.pos + replacementLength};
            if (to.para == start.para) to.pos += replacementLength - length;
        }
    }
    if (count > 0) {
        SetCaret(caret_);
        ShowStatus();
    }
    Changed(before);
    return count > 0 ? count : -1;
}

} // namespace mvf::editor
