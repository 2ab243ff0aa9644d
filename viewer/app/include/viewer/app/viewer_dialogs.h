// Every modal question of the viewer other than a message box (those go through the
// notifier): the open and save dialogs, the one-line number boxes, the font, print and
// printer setup dialogs, and the About box. The program uses QtViewerDialogs; tests hand
// the main window a ScriptedViewerDialogs (scripted_viewer_dialogs.h).
#pragma once

#include <optional>

#include <QFont>
#include <QString>
#include <QStringList>

class QDialog;
class QPrinter;
class QWidget;

namespace mvf::viewer {

struct PrintChoice {
    bool selectionOnly = false; // "Selection" chosen rather than "All"
};

class ViewerDialogs {
public:
    virtual ~ViewerDialogs() = default;

    // The open dialog, several files allowed; the chosen names in order, none when cancelled.
    virtual QStringList OpenFileNames(QWidget* parent, const QString& filters) = 0;
    // The save dialog with `title`. It starts with `initial`, or without one with the name it
    // showed last; it asks before a file is replaced. None when cancelled.
    virtual std::optional<QString> SaveFileName(QWidget* parent, const QString& title,
                                                const QString& filters,
                                                const std::optional<QString>& initial) = 0;
    // A one-line input box; the text on OK, none on Cancel.
    virtual std::optional<QString> InputText(QWidget* parent, const QString& caption,
                                             const QString& prompt, const QString& initial) = 0;
    // The font dialog, fixed-pitch fonts only, starting at `initial`.
    virtual std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) = 0;
    // The print dialog for `printer`, without page ranges; "Selection" is offered only when
    // `selectionAllowed`. On OK the printer is set up as chosen.
    virtual std::optional<PrintChoice> ChoosePrint(QWidget* parent, QPrinter& printer,
                                                   bool selectionAllowed) = 0;
    // The printer setup dialog.
    virtual void PrinterSetup(QWidget* parent, QPrinter& printer) = 0;
    // Shows the About box modally.
    virtual void ShowAbout(QDialog& about) = 0;
};

// The real dialogs.
class QtViewerDialogs : public ViewerDialogs {
public:
    QStringList OpenFileNames(QWidget* parent, const QString& filters) override;
    std::optional<QString> SaveFileName(QWidget* parent, const QString& title,
                                        const QString& filters,
                                        const std::optional<QString>& initial) override;
    std::optional<QString> InputText(QWidget* parent, const QString& caption, const QString& prompt,
                                     const QString& initial) override;
    std::optional<QFont> ChooseFont(QWidget* parent, const QFont& initial) override;
    std::optional<PrintChoice> ChoosePrint(QWidget* parent, QPrinter& printer,
                                           bool selectionAllowed) override;
    void PrinterSetup(QWidget* parent, QPrinter& printer) override;
    void ShowAbout(QDialog& about) override;

private:
    QString lastSaveName_;
};

} // namespace mvf::viewer
