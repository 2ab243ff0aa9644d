// A tiny tray program that the acceptance harness drives to prove itself: a tray icon with
// a right-click menu, and a window with a line edit and a button. Everything it does leaves
// a trace on disk that a road can check.
#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QSystemTrayIcon>
#include <QTextStream>
#include <QWidget>

#include <cstdio>

namespace {

// A bold, unmistakable icon so that screenshots show where it docked.
QIcon probeIcon() {
    QPixmap pixmap(64, 64);
    pixmap.fill(QColor(0, 120, 60));
    QPainter painter(&pixmap);
    painter.setPen(Qt::white);
    QFont font = painter.font();
    font.setBold(true);
    font.setPixelSize(44);
    painter.setFont(font);
    painter.drawText(pixmap.rect(), Qt::AlignCenter, QStringLiteral("P"));
    return QIcon(pixmap);
}

bool writeText(const QString& path, const QString& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        std::fprintf(stderr, "tray_probe: cannot write %s\n", qPrintable(path));
        return false;
    }
    QTextStream(&file) << text;
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    QApplication::setOrganizationName(QStringLiteral("Korvath"));
    QApplication::setApplicationName(QStringLiteral("Tray Probe"));
    const QString programFolder = QCoreApplication::applicationDirPath();

    if (!QSystemTrayIcon::isSystemTrayAvailable()) {
        std::fprintf(stderr, "tray_probe: no system tray\n");
        return 3;
    }

    // Fixed geometry, so a road can click the button at a known point.
    QWidget window;
    window.setWindowTitle(QStringLiteral("Probe Window"));
    window.setFixedSize(320, 90);
    auto* edit = new QLineEdit(&window);
    edit->setGeometry(10, 10, 300, 30);
    auto* button = new QPushButton(QStringLiteral("&Save text"), &window);
    button->setGeometry(10, 50, 300, 30);
    QObject::connect(button, &QPushButton::clicked, [&] {
        {
            QSettings settings;
            settings.setValue(QStringLiteral("LastText"), edit->text());
            settings.setValue(QStringLiteral("Window/Saves"),
                              settings.value(QStringLiteral("Window/Saves"), 0).toInt() + 1);
        } // written to disk here
        // The text file comes last: once a road sees it, the settings are on disk too.
        writeText(programFolder + QStringLiteral("/typed.txt"), edit->text());
    });

    QMenu menu;
    QObject::connect(menu.addAction(QStringLiteral("&Write file")), &QAction::triggered, [&] {
        writeText(programFolder + QStringLiteral("/written.txt"),
                  QStringLiteral("written from the tray menu\n"));
    });
    QObject::connect(menu.addAction(QStringLiteral("E&xit")), &QAction::triggered,
                     [] { QCoreApplication::exit(0); });

    QSystemTrayIcon tray(probeIcon());
    tray.setToolTip(QStringLiteral("Tray Probe"));
    tray.setContextMenu(&menu);
    QObject::connect(&tray, &QSystemTrayIcon::activated,
                     [&](QSystemTrayIcon::ActivationReason reason) {
                         if (reason != QSystemTrayIcon::Trigger) return;
                         window.show();
                         window.raise();
                         window.activateWindow();
                     });
    tray.show();
    return QApplication::exec();
}
