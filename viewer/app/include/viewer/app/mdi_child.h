// A document window (`TMDIChild`): the editor `Editor1` filling the window, or in split
// view `Editor1` above the bar `SplitBar` and `Editor2` below it, both showing one
// document. `ActiveEditor` is the one that last had the focus; the main window's commands
// and status bar use it.
#pragma once

#include <string>

#include <QWidget>

#include "viewer/editor_widget.h"

namespace mvf::viewer {

class SplitBar;
class TMainForm;

class TMDIChild : public QWidget {
    Q_OBJECT

public:
    // A window for the document `name` with the main window's options. The main window
    // loads it (CreateChild).
    TMDIChild(TMainForm& mainForm, const std::string& name);
    ~TMDIChild() override;

    // The caption: the name as it was passed (bytes; shown decoded as UTF-8).
    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);

    EditorWidget& Editor1() { return *editor1_; }
    EditorWidget* Editor2() { return editor2_; }
    EditorWidget& ActiveEditor() { return *activeEditor_; }
    bool IsSplit() const { return editor2_ != nullptr; }
    // Split on: Editor1 takes the upper half, the bar and Editor2 the rest. Split off:
    // Editor2 and the bar go, Editor1 fills the window and is the active editor again.
    void SetSplit(bool on);
    SplitBar* SplitBarWidget() const { return splitBar_; }
    // Editor1's height in split view.
    int UpperHeight() const { return upperHeight_; }

    // Gives Editor1 and, in split view, Editor2 the main window's options.
    void ApplyOptions();

    // The save question, when the document is modified. True when the window may close.
    bool CloseQuery();
    // Closes without the question (the main window has asked already).
    void CloseAsked();

signals:
    // The active editor's caret, text, insert mode or modified flag may have changed, or
    // another editor became the active one (`EditorShowStatus`).
    void statusChanged();

protected:
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void SetUpEditor(EditorWidget& editor);
    void ApplyEditorOptions(EditorWidget& editor);
    void EditorEnter(EditorWidget& editor);
    void DropSplit(int pressY, int lineY);
    void LayOut();

    TMainForm& main_;
    std::string caption_;
    EditorWidget* editor1_;
    EditorWidget* editor2_ = nullptr;
    SplitBar* splitBar_ = nullptr;
    EditorWidget* activeEditor_;
    int upperHeight_ = 0;
    int oldClientHeight_ = 0;
    bool asked_ = false;
};

} // namespace mvf::viewer
