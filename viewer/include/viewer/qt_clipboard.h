// The editor's clipboard over the desktop's (QClipboard).
//
// The text goes out as UTF-8 text for every program, and beside it as the exact bytes in a
// format of this program's own, so a copy and a paste between editors keeps bytes that are
// not valid UTF-8. A paste takes those bytes when they are there, else the text as UTF-8.
#pragma once

#include <string>
#include <string_view>

#include <QClipboard>

#include "viewer/editor/editor.h"

namespace mvf::viewer {

inline constexpr const char* kEditorBytesFormat = "application/x-vantorviewer-bytes";

class QtEditorClipboard : public editor::EditorClipboard {
public:
    explicit QtEditorClipboard(QClipboard::Mode mode = QClipboard::Clipboard) : mode_(mode) {}

    bool HasText() const override;
    std::string Text() const override;
    bool SetText(std::string_view text) override;

private:
    QClipboard::Mode mode_;
};

} // namespace mvf::viewer
