// The search dialog and the session on a real display, wired as the main window wires
// them, for the acceptance road: each search the dialog starts runs through the session;
// when it ends, its hits (full paths, in list order) go to "search-<n>.txt" in the program
// folder, with its outcome in "search-<n>.outcome", and the dialog shows again. Closing
// the dialog ends the program.
#include <fstream>

#include <QApplication>
#include <QDir>

#include "finder/dialog/search_starter.h"
#include "finder/dialog/vantor_finder.h"
#include "finder/results/results_list.h"
#include "finder/session/search_session.h"
#include "mvfindgrep.h"
#include "platform/qt/engine_notices.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/qt_notifier.h"

using namespace mvf;

namespace {

class Starter : public dialog::SearchStarter {
public:
    Starter(results::ResultsList& list, session::SearchSession& session)
        : list_(list), session_(session) {}
    void StartSearch(search::SearchCriteria criteria) override {
        list_.Clear();
        session_.Start(std::move(criteria));
    }

private:
    results::ResultsList& list_;
    session::SearchSession& session_;
};

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    app.setQuitOnLastWindowClosed(false); // the dialog hides while a search runs
    LibMain(nullptr, 0, 0, nullptr);
    const std::string programFolder = QCoreApplication::applicationDirPath().toStdString();
    const std::string resultsFolder = programFolder + "/searchresults";
    QDir().mkpath(QString::fromStdString(resultsFolder));
    platform::QtNotifier notifier;
    const platform::EngineNoticeRoute route(notifier);
    platform::HelpViewer help({programFolder});
    settings::FinderSettings settings;
    results::ResultsList list;
    session::SearchSession session(list, {.notifier = notifier, .resultsFolder = resultsFolder});
    Starter starter(list, session);
    dialog::TVantorFinder dialog(
        {.settings = settings, .notifier = notifier, .help = &help, .starter = &starter});
    int searches = 0;
    QObject::connect(
        &session, &session::SearchSession::SearchEnded, [&](const session::SearchOutcome& outcome) {
            const std::string stem = programFolder + "/search-" + std::to_string(++searches);
            std::ofstream hits(stem + ".txt", std::ios::binary);
            for (const results::ResultEntry& row : list.entries())
                hits << results::FullPath(row) << '\n';
            hits.close();
            std::ofstream about(stem + ".outcome", std::ios::binary);
            about << "background " << outcome.Background << "\n"
                  << "hint " << outcome.TrayHint.toStdString() << "\n";
            about.close();
            dialog.show();
        });
    QObject::connect(&dialog, &QDialog::rejected, &app, &QApplication::quit);
    dialog.show();
    return app.exec();
}
