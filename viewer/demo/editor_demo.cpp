// Opens one file in one editor widget, with a status line, to look at the widget on a real
// display:  editor_demo [--wrap COLUMN] [--tab SIZE] [--wordstar] [--font POINTS] FILE
// The bookmark glyphs come from the resource file beside the programs (build/bin), or are
// drawn here when it is missing.
#include <cstdio>
#include <exception>

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>

#include "platform/core/program_folder.h"
#include "platform/qt/resources.h"
#include "viewer/editor/editor_errors.h"
#include "viewer/editor_widget.h"

namespace {

using mvf::viewer::EditorWidget;

QPixmap DrawnMarkers() {
    constexpr int kSize = 12;
    QPixmap markers(kSize * 10, kSize);
    markers.fill(Qt::transparent);
    QPainter painter(&markers);
    QFont font = painter.font();
    font.setPixelSize(10);
    font.setBold(true);
    painter.setFont(font);
    for (int n = 0; n < 10; ++n) {
        const QRect cell(n * kSize, 0, kSize, kSize);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor::fromHsv(n * 36, 200, 200));
        painter.drawEllipse(cell.adjusted(0, 0, -1, -1));
        painter.setPen(Qt::white);
        painter.drawText(cell, Qt::AlignCenter, QString::number(n));
    }
    return markers;
}

QPixmap DemoMarkers() {
    const std::string folder = mvf::platform::ProgramFolder();
    const QImage markers =
        mvf::platform::ResourceLibrary({folder + "/../bin", folder}).Picture("MARKERS");
    if (!markers.isNull()) return QPixmap::fromImage(markers);
    return DrawnMarkers();
}

QString StatusText(EditorWidget& editor) {
    const mvf::viewer::EditorStatus s = editor.Status();
    return QStringLiteral("%1:%2   %3   Total: %4   Top: %5   Bytes: %6   %7")
        .arg(s.line)
        .arg(s.column)
        .arg(s.modified ? QStringLiteral("Modified") : QString())
        .arg(s.lineCount)
        .arg(s.topLine)
        .arg(s.byteCount)
        .arg(s.insertMode ? QStringLiteral("Insert") : QStringLiteral("Overwrite"));
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    int wrap = 0;
    int tab = 8;
    int points = 0;
    bool wordStar = false;
    QString file;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == "--wrap" && i + 1 < args.size()) {
            wrap = args[++i].toInt();
        } else if (args[i] == "--tab" && i + 1 < args.size()) {
            tab = args[++i].toInt();
        } else if (args[i] == "--font" && i + 1 < args.size()) {
            points = args[++i].toInt();
        } else if (args[i] == "--wordstar") {
            wordStar = true;
        } else {
            file = args[i];
        }
    }

    QMainWindow window;
    auto* editor = new EditorWidget(&window);
    window.setCentralWidget(editor);
    auto* status = new QLabel(&window);
    window.statusBar()->addWidget(status, 1);
    editor->SetMarkers(DemoMarkers());
    editor->SetHideSelection(false);
    if (points > 0) {
        QFont font = editor->font();
        font.setPointSize(points);
        editor->setFont(font);
    }
    mvf::viewer::EditorWidget::connect(editor, &EditorWidget::statusChanged,
                                       [&] { status->setText(StatusText(*editor)); });
    mvf::viewer::EditorWidget::connect(editor, &EditorWidget::errorReported, [](int code) {
        std::fprintf(stderr, "editor: %s\n",
                     std::string(mvf::editor::EditorErrorText(code)).c_str());
    });
    mvf::editor::TOvcTextFileEditor& model = editor->Editor();
    editor->Controller().LoadTables(mvf::editor::TOvcController::ViewerTables());
    editor->Controller().EntryCommands.Table("WordStar")->SetActive(wordStar);
    model.SetWantTab(true);
    model.SetTabSize(tab);
    if (wrap > 0) {
        model.SetWrapColumn(wrap);
        model.SetWordWrap(true);
    }
    if (!file.isEmpty()) {
        try {
            model.LoadFromFile(file.toStdString());
        } catch (const std::exception& e) {
            std::fprintf(stderr, "editor_demo: %s: %s\n", qPrintable(file), e.what());
        }
    }
    window.setWindowTitle(file.isEmpty() ? QStringLiteral("editor_demo") : file);
    window.resize(800, 500);
    window.show();
    editor->setFocus();
    status->setText(StatusText(*editor));
    return QApplication::exec();
}
