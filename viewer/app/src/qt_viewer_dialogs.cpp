#include <QAbstractPrintDialog>
#include <QFileDialog>
#include <QFontDialog>
#include <QInputDialog>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>

#include "viewer/app/viewer_dialogs.h"

namespace mvf::viewer {

QStringList QtViewerDialogs::OpenFileNames(QWidget* parent, const QString& filters) {
    return QFileDialog::getOpenFileNames(parent, {}, {}, filters);
}

std::optional<QString> QtViewerDialogs::SaveFileName(QWidget* parent, const QString& title,
                                                     const QString& filters,
                                                     const std::optional<QString>& initial) {
    const QString name =
        QFileDialog::getSaveFileName(parent, title, initial.value_or(lastSaveName_), filters);
    if (name.isEmpty()) return std::nullopt;
    lastSaveName_ = name;
    return name;
}

std::optional<QString> QtViewerDialogs::InputText(QWidget* parent, const QString& caption,
                                                  const QString& prompt, const QString& initial) {
    bool ok = false;
    const QString text =
        QInputDialog::getText(parent, caption, prompt, QLineEdit::Normal, initial, &ok);
    if (!ok) return std::nullopt;
    return text;
}

std::optional<QFont> QtViewerDialogs::ChooseFont(QWidget* parent, const QFont& initial) {
    bool ok = false;
    const QFont font = QFontDialog::getFont(&ok, initial, parent, {}, QFontDialog::MonospacedFonts);
    if (!ok) return std::nullopt;
    return font;
}

std::optional<PrintChoice> QtViewerDialogs::ChoosePrint(QWidget* parent, QPrinter& printer,
                                                        bool selectionAllowed) {
    QPrintDialog dialog(&printer, parent);
    QAbstractPrintDialog::PrintDialogOptions options = dialog.options();
    options.setFlag(QAbstractPrintDialog::PrintPageRange, false);
    options.setFlag(QAbstractPrintDialog::PrintCurrentPage, false);
    options.setFlag(QAbstractPrintDialog::PrintSelection, selectionAllowed);
    dialog.setOptions(options);
    printer.setPrintRange(QPrinter::AllPages);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return PrintChoice{selectionAllowed && printer.printRange() == QPrinter::Selection};
}

void QtViewerDialogs::PrinterSetup(QWidget* parent, QPrinter& printer) {
    QPageSetupDialog dialog(&printer, parent);
    dialog.exec();
}

void QtViewerDialogs::ShowAbout(QDialog& about) {
    about.exec();
}

} // namespace mvf::viewer
