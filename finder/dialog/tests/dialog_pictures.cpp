// Writes pictures of the search dialog's pages and of the special-character map into a
// folder, to look at: dialog_pictures FOLDER (QT_QPA_PLATFORM picks the display).
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QTabWidget>

#include "char_grid.h"
#include "finder/dialog/char_map.h"
#include "finder/dialog/vantor_finder.h"
#include "finder/dialog/vf_progress.h"
#include "platform/qt/scripted_notifier.h"

using namespace mvf;

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QString folder = argc > 1 ? argv[1] : QDir::currentPath();
    settings::FinderSettings settings;
    settings.VFindString = "needle|haystack";
    settings.VMaskString = "*.txt,*.cpp";
    settings.VDirString = QDir::homePath().toStdString();
    settings.Lists.FindTexts = {"needle|haystack", "older"};
    platform::ScriptedNotifier notifier;
    dialog::TVantorFinder dialog({.settings = settings, .notifier = notifier});
    dialog.show();
    auto* tabs = dialog.findChild<QTabWidget*>("OvcNotebook1");
    auto* inner = dialog.findChild<QTabWidget*>("OvcNotebook2");
    const char* names[] = {"find-what", "look-where", "how-to-search", "results-handling"};
    for (int page = 0; page < 4; ++page) {
        tabs->setCurrentIndex(page);
        app.processEvents();
        dialog.grab().save(folder + "/dialog-" + names[page] + ".png");
    }
    tabs->setCurrentIndex(0);
    inner->setCurrentIndex(1);
    app.processEvents();
    dialog.grab().save(folder + "/dialog-date-filters.png");

    dialog::TCharMap map("abc</sp>", {}, nullptr, nullptr);
    map.show();
    map.Grid()->SelectCell(3, 5);
    app.processEvents();
    map.grab().save(folder + "/char-map.png");

    dialog.Progress().Begin(100);
    dialog.Progress().SetPosition(40);
    app.processEvents();
    dialog.Progress().grab().save(folder + "/progress.png");
    return 0;
}
