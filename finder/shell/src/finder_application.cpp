#include "finder/shell/finder_application.h"

#include <filesystem>

#include <QSystemTrayIcon>

#include "about_box.h"
#include "finder/dialog/vantor_finder.h"
#include "finder/shell/tv_finder.h"
#include "notice_dialog.h"
#include "platform/core/installation.h"
#include "splash_form.h"

namespace mvf::shell {

FinderApplication::FinderApplication(platform::SettingsStore& store, platform::Notifier& notifier,
                                     ModalRunner& modal, FinderStartup startup,
                                     search::SearchFlags& flags)
    : store_(store), notifier_(notifier), modal_(modal), startup_(std::move(startup)),
      flags_(flags), resources_(platform::DataFoldersOf(startup_.programFolder)),
      help_(platform::DataFoldersOf(startup_.programFolder)),
      life_(store, notifier, startup_.programFile,
            platform::FinderWorkFilesOf(startup_.programFolder).resultsFolder) {}

FinderApplication::~FinderApplication() {
    main_.reset();
}

void FinderApplication::Start() {
    // The working folder; one that cannot be made is no reason not to start: saving there
    // will say what failed.
    std::error_code ignored;
    std::filesystem::create_directories(life_.ResultsFolder(), ignored);

    settings::ReadStartupSettings(store_, life_.Settings());
    const StartupPlan plan = PlanStartup(life_.Settings().Splash, life_.Settings().FindMsg);

    std::unique_ptr<SplashForm> splash;
    const auto splashShown = std::chrono::steady_clock::now();
    const auto deadline = splashShown + startup_.splashMinimum;
    if (plan.splash) {
        splash = std::make_unique<SplashForm>(resources_.Picture(QStringLiteral("SPLASH")));
        splash->ShowNow();
        report_.splashShown = true;
    }

    const bool trayAvailable =
        startup_.trayAvailable.value_or(QSystemTrayIcon::isSystemTrayAvailable());
    main_ = std::make_unique<TVFinder>(FinderWindowParts{
        .life = life_,
        .flags = flags_,
        .resources = resources_,
        .help = help_,
        .modal = modal_,
        .programFolder = startup_.programFolder,
        .trayAvailable = trayAvailable,
        .sound = startup_.sound,
    });
    report_.splashUpWhileMainWindowMade = splash && splash->isVisible();
    connect(main_.get(), &TVFinder::closed, this, &FinderApplication::finished);
    main_->Tray().Show();

    if (splash) {
        WaitWithoutInput(deadline);
        splash->close();
        splash.reset();
        report_.splashTime = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - splashShown);
    }

    if (plan.notice) {
        notice_ = std::make_unique<FinderMsgDlg>(life_.Settings().FindMsg);
        report_.noticeShown = true;
        modal_.Run(*notice_);
        notice_.reset();
    }

    search_ = std::make_unique<dialog::TVantorFinder>(dialog::TVantorFinder::Services{
        .settings = life_.Settings(),
        .notifier = notifier_,
        .help = &help_,
        .starter = main_.get(),
        .flags = &flags_,
    });
    about_ = std::make_unique<MdiAbout>();
    main_->SetSearchDialog(search_.get());
    main_->SetAboutBox(about_.get());

    // Without a tray to stand for it, the window itself is shown, once every part is made.
    if (!trayAvailable) main_->ShowLastClick();
}

} // namespace mvf::shell
