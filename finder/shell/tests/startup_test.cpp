// Start-up from the lock on, offscreen, for each combination of the two settings read
// before any window: the splash (up while the main window is made, at least its minimum
// time), the notice (its texts, and its check box writing FindMsg at exit), the About box,
// the results folder, and the main window hidden behind the tray or shown without one.
#include <filesystem>

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QWidget>

#include <gtest/gtest.h>

#include "finder/shell/finder_application.h"
#include "shell_test_support.h"
#include "testsupport/qt_print.h"

namespace mvf::shell {
namespace {

using namespace std::chrono_literals;

const platform::BoolSetting kSplash{"Splash", true};
const platform::BoolSetting kFindMsg{"FindMsg", false};

struct Combination {
    bool Splash;
    bool FindMsg;
};

class StartupTest : public ::testing::TestWithParam<Combination> {
protected:
    // Starts the finder in a scratch program folder with the given settings; the notice,
    // if it comes, is answered by `notice`.
    void Start(std::function<int(QDialog&)> notice, std::optional<bool> tray = true) {
        {
            platform::SettingsStore preset(ini);
            preset.Write(kSplash, GetParam().Splash);
            preset.Write(kFindMsg, GetParam().FindMsg);
            ASSERT_TRUE(preset.Flush());
        }
        store = std::make_unique<platform::SettingsStore>(ini);
        modal.answer = std::move(notice);
        FinderStartup startup;
        startup.programFolder = programFolder;
        startup.programFile = programFolder + "/MVFinder";
        startup.splashMinimum = 300ms;
        startup.trayAvailable = tray;
        startup.sound = {.device = "null"};
        finder = std::make_unique<FinderApplication>(*store, notifier, modal, startup, flags);
        QObject::connect(finder.get(), &FinderApplication::finished, [this] { finished = true; });
        finder->Start();
    }

    mvf::testing::TempFolder folder;
    std::string programFolder = folder.Folder("program");
    std::string ini = folder.Path("config/finder.conf");
    std::unique_ptr<platform::SettingsStore> store;
    platform::ScriptedNotifier notifier;
    testing::ScriptedModal modal;
    search::SearchFlags flags;
    std::unique_ptr<FinderApplication> finder;
    bool finished = false;
};

TEST_P(StartupTest, TheSplashAndTheNoticeAppearAsTheSettingsSay) {
    const Combination c = GetParam();
    QString noticeText;
    QString checkText;
    Start([&](QDialog& dialog) {
        EXPECT_EQ("Notice!", dialog.windowTitle());
        noticeText = dialog.findChild<QLabel*>("NoticeText")->text();
        QCheckBox* check = dialog.findChild<QCheckBox*>();
        checkText = check->text();
        EXPECT_FALSE(check->isChecked());
        check->setChecked(true);
        return QDialog::Accepted;
    });
    const StartupReport& report = finder->Report();

    EXPECT_EQ(c.Splash, report.splashShown);
    if (c.Splash) {
        EXPECT_TRUE(report.splashUpWhileMainWindowMade);
        EXPECT_GE(report.splashTime, 300ms);
    }
    EXPECT_EQ(!c.FindMsg, report.noticeShown);
    EXPECT_EQ(c.FindMsg ? std::vector<std::string>{} : std::vector<std::string>{"TFinderMsgDlg"},
              modal.shown);
    if (!c.FindMsg) {
        EXPECT_EQ("When Morvel Vantor Finder runs it attaches itself to the System \n"
                  "Tray as an icon.  All program functions are accessed through \n"
                  "right clicking this icon and selecting from the popup menu that \n"
                  "is displayed.",
                  noticeText);
        EXPECT_EQ("Do not show this dialog again", checkText);
    }
    for (QWidget* top : QApplication::topLevelWidgets())
        EXPECT_FALSE(top->isVisible()) << top->objectName().toStdString() << " is showing";
    EXPECT_TRUE(std::filesystem::is_directory(programFolder + "/searchresults"));
    EXPECT_EQ("About Morvel Vantor Finder 2.1", finder->AboutBox()->windowTitle());
    EXPECT_TRUE(notifier.Boxes().empty()) << notifier.Describe();

    // The ticked box stops the notice from the next start on; the splash stays as it was.
    finder->MainWindow().Exitprogram1Click();
    EXPECT_TRUE(finished);
    const platform::SettingsStore stored(ini);
    EXPECT_TRUE(stored.Read(kFindMsg));
    EXPECT_EQ(c.Splash, stored.Read(kSplash));
}

// The starts that show the notice.
class NoticeTest : public StartupTest {};

TEST_P(NoticeTest, UntickingTheBoxAgainKeepsTheNoticeComing) {
    Start([](QDialog& dialog) {
        QCheckBox* check = dialog.findChild<QCheckBox*>();
        check->setChecked(true);
        check->setChecked(false);
        return QDialog::Accepted;
    });
    finder->MainWindow().Exitprogram1Click();
    EXPECT_FALSE(platform::SettingsStore(ini).Read(kFindMsg));
}

TEST_P(StartupTest, WithoutATrayTheMainWindowIsShownAtStart) {
    Start([](QDialog&) { return QDialog::Accepted; }, /*tray=*/false);
    EXPECT_TRUE(finder->MainWindow().isVisible());
    EXPECT_FALSE(finder->MainWindow().TrayAvailable());
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutSplash, NoticeTest,
                         ::testing::Values(Combination{true, false}, Combination{false, false}),
                         [](const ::testing::TestParamInfo<Combination>& info) {
                             return std::string(info.param.Splash ? "Splash" : "NoSplash");
                         });

INSTANTIATE_TEST_SUITE_P(SplashAndFindMsg, StartupTest,
                         ::testing::Values(Combination{true, false}, Combination{false, false},
                                           Combination{true, true}, Combination{false, true}),
                         [](const ::testing::TestParamInfo<Combination>& info) {
                             return std::string(info.param.Splash ? "Splash" : "NoSplash") +
                                    (info.param.FindMsg ? "NoNotice" : "Notice");
                         });

} // namespace
} // namespace mvf::shell
