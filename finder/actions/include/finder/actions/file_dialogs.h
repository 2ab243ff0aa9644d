// The file dialogs of the results file's Save and Load, as a small interface: the program
// shows Qt's dialogs (QtFileDialogs), the tests answer with ScriptedFileDialogs.
#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace mvf::actions {

struct FileDialogRequest {
    QString title;         // empty: the dialog's own
    QString filter;        // e.g. "Search Results Files(*.ser)"
    QString defaultSuffix; // added to a name typed without one
    std::string folder;    // the folder it opens in
    bool save = false;     // a save dialog (asks before overwriting), else an open dialog
                           // (the file must exist)
};

class FileDialogs {
public:
    virtual ~FileDialogs() = default;
    // The chosen file's full path (its exact bytes), or nothing when cancelled.
    virtual std::optional<std::string> Ask(const FileDialogRequest& request) = 0;
};

// Qt's file dialogs, modal over `window`. They never change the current folder.
class QtFileDialogs : public FileDialogs {
public:
    explicit QtFileDialogs(QWidget* window) : window_(window) {}
    std::optional<std::string> Ask(const FileDialogRequest& request) override;

private:
    QWidget* window_;
};

} // namespace mvf::actions
