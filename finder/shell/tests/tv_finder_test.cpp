// The main window offscreen: the last results at its first showing, the toolbar's two
// sizes, roll-up and the place kept across a restart, the options menu, hints, help, the
// no-tray stand-in, and closing with and without a search running.
#include <filesystem>

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QDesktopServices>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMouseEvent>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QTextBrowser>
#include <QToolButton>
#include <QUrl>

#include <gtest/gtest.h>

#include "assets/icons.h"
#include "caption_bar.h"
#include "finder/dialog/pm_filebar.h"
#include "finder/search/search_control.h"
#include "finder/view/results_view.h"
#include "finder/view/vf_list.h"
#include "finder_toolbar.h"
#include "shell_test_support.h"
#include "status_bars.h"
#include "testsupport/qt_print.h"
#include "testsupport/scoped_environment.h"

namespace mvf::shell {
namespace {

using platform::BoxAnswer;
using testing::WindowWorld;
using testing::WriteResults;

const platform::IntSetting kLastX{"VFLastX", 0};
const platform::IntSetting kLastY{"VFLastY", 0};
const platform::IntSetting kLastCX{"VFLastCX", 360};
const platform::IntSetting kLastCY{"VFLastCY", 276};
const platform::BoolSetting kRolledUp{"VFRolledUp", false};
const platform::TextSetting kMode{"Toolbars/VFTBMode", "S"};
const platform::TextSetting kOpen{"VFOpen", ""};
const platform::BoolSetting kSplash{"Splash", true};

// What an icon draws at `size` (at most the size of its picture), in one pixel format.
QImage Picture(const QIcon& icon, int size = 22) {
    return icon.pixmap(size, size).toImage().convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

TEST(TVFinderTest, TheLastResultsAreLoadedAtTheFirstShowingOnly) {
    WindowWorld world;
    WriteResults(world.resultsFolder, results::kLastResultsName,
                 {"gamma.txt", "Alpha.txt", "beta.txt"});
    world.Open();
    TVFinder& window = *world.window;
    EXPECT_FALSE(window.isVisible()) << "created hidden";
    EXPECT_TRUE(world.life->List().empty()) << "nothing is read before the window shows";

    world.Show();
    ASSERT_EQ(3u, world.life->List().size());
    EXPECT_EQ("Files With Hits: 3", window.VFinderstatus()->PanelText(1));
    EXPECT_EQ("Sort: Name - (A-Z)", window.VFinderstatus()->PanelText(2));
    const std::vector<std::size_t> selected = window.VFList()->SelectedRows();
    ASSERT_EQ(1u, selected.size()) << "the first entry is selected";
    EXPECT_EQ(0u, selected[0]);
    EXPECT_EQ(QString::fromStdString(std::string(world.life->List()[0].name())),
              window.VFinderstatus()->PanelText(0));
    EXPECT_TRUE(window.Progress()->Text().startsWith("Filemask:  *.txt"))
        << window.Progress()->Text().toStdString();

    // Done, then shown again: the list is not read a second time.
    WriteResults(world.resultsFolder, results::kLastResultsName, {"one.txt"});
    window.ExitBtnClick();
    EXPECT_FALSE(window.isVisible());
    world.Show();
    EXPECT_EQ(3u, world.life->List().size());
    EXPECT_TRUE(world.notifier.Boxes().empty()) << world.notifier.Describe();
}

TEST(TVFinderTest, TBSwitchesTheToolbarToMediumAndBackWithItsGlyphs) {
    WindowWorld world;
    world.Open();
    TVFinder& window = *world.window;
    world.Show();
    FinderToolbar& toolbar = *window.Toolbar();
    const auto expectSize = [&](QSize button, int thickness, const char* prefix) {
        for (const ToolbarButton& b : kToolbarButtons) {
            QToolButton* tool = toolbar.Button(b.command);
            EXPECT_EQ(button, tool->size()) << b.name;
            const QImage glyph =
                world.resources
                    .Picture(QString(prefix) +
                             QString::fromLatin1(b.glyphBase.data(),
                                                 static_cast<qsizetype>(b.glyphBase.size())))
                    .convertToFormat(QImage::Format_ARGB32_Premultiplied);
            EXPECT_EQ(glyph, Picture(toolbar.Action(b.command)->icon(), button.width()))
                << b.name << " shows the " << prefix << " glyph";
        }
        EXPECT_EQ(thickness, toolbar.sizeHint().height());
        EXPECT_EQ(kButtonSpacing, toolbar.layout()->spacing());
    };
    expectSize(QSize(24, 22), 24, "S_");
    window.Caption()->TBSizeBtn()->click();
    expectSize(QSize(38, 38), 38, "M_");
    EXPECT_EQ("M", world.life->Settings().VFTBMode);
    window.Caption()->TBSizeBtn()->click();
    expectSize(QSize(24, 22), 24, "S_");
    EXPECT_EQ("S", world.life->Settings().VFTBMode);

    // The mode is kept across a restart.
    window.TBSizeBtnClick();
    world.Restart();
    EXPECT_EQ("M", world.Stored().Read(kMode));
    world.Show();
    EXPECT_EQ(QSize(38, 38), world.window->Toolbar()->Button(ToolbarCommand::SaveListBtn)->size());
}

TEST(TVFinderTest, RollingUpKeepsTheCaptionAndARestartRestoresItAndTheFullSize) {
    WindowWorld world;
    world.Preset([](platform::SettingsStore& s) {
        s.Write(kLastX, 40);
        s.Write(kLastY, 50);
        s.Write(kLastCX, 640);
        s.Write(kLastCY, 450);
    });
    world.Open();
    world.Show();
    EXPECT_EQ(QRect(40, 50, 600, 400), world.window->geometry());

    const int captionHeight = world.window->Caption()->height() + 4; // and the frame
    EXPECT_EQ(20, world.window->Caption()->height());
    world.window->Caption()->RollupBtn()->click();
    EXPECT_TRUE(world.window->RolledUp());
    EXPECT_EQ(QRect(40, 50, 600, captionHeight), world.window->geometry());
    EXPECT_FALSE(world.window->VFList()->isVisibleTo(world.window.get()));
    EXPECT_FALSE(world.window->Toolbar()->isVisibleTo(world.window.get()));
    EXPECT_FALSE(world.window->VFinderstatus()->isVisibleTo(world.window.get()));

    world.Restart();
    {
        const platform::SettingsStore stored = world.Stored();
        EXPECT_TRUE(stored.Read(kRolledUp));
        EXPECT_EQ(640, stored.Read(kLastCX)) << "the full size is kept, not the caption's";
        EXPECT_EQ(450, stored.Read(kLastCY));
    }
    world.Show();
    EXPECT_TRUE(world.window->RolledUp());
    EXPECT_EQ(QRect(40, 50, 600, captionHeight), world.window->geometry());

    world.window->RollupBtnClick();
    EXPECT_FALSE(world.window->RolledUp());
    EXPECT_EQ(QRect(40, 50, 600, 400), world.window->geometry());
    EXPECT_TRUE(world.window->VFList()->isVisibleTo(world.window.get()));

    world.Restart();
    EXPECT_FALSE(world.Stored().Read(kRolledUp));
}

TEST(TVFinderTest, AFirstRunWindowStandsAtTheOriginWithColumnsOf100) {
    WindowWorld world;
    world.Open();
    world.Show();
    EXPECT_EQ(QRect(0, 0, 360, 276), world.window->geometry());
    EXPECT_EQ((std::array<int, 5>{100, 100, 100, 100, 100}),
              world.window->Results()->ColumnWidths());
    world.window->VFList()->setColumnWidth(1, 230);
    world.Restart();
    world.Show();
    EXPECT_EQ(230, world.window->VFList()->columnWidth(1));
}

TEST(TVFinderTest, TheStatusPanelsFollowTheBarsWidthAndHintsTakePanelZero) {
    WindowWorld world;
    WriteResults(world.resultsFolder, results::kLastResultsName, {"a.txt", "b.txt"});
    world.Open();
    TVFinder& window = *world.window;
    world.Show();
    window.resize(601, 300);
    QApplication::processEvents();
    FinderStatusBar& status = *window.VFinderstatus();
    const PanelWidths widths = StatusPanelWidths(status.width());
    EXPECT_EQ(widths.first, status.Panel(0)->width());
    EXPECT_EQ(widths.second, status.Panel(1)->width());
    EXPECT_EQ(widths.first, status.Panel(1)->x());

    QStatusTipEvent hint(QStringLiteral("Open selected files"));
    QApplication::sendEvent(&window, &hint);
    EXPECT_EQ("Open selected files", status.PanelText(0));
    EXPECT_EQ("Files With Hits: 2", status.PanelText(1));
    QStatusTipEvent gone{QString()};
    QApplication::sendEvent(&window, &gone);
    EXPECT_EQ("a.txt", status.PanelText(0)) << "the selection is back";

    // The tooltip is a hint's short part, the status text its long part.
    const QAction* save = window.Toolbar()->Action(ToolbarCommand::SaveListBtn);
    EXPECT_EQ("Save", save->toolTip());
    EXPECT_EQ("Save results list to *.SER file", save->statusTip());
}

TEST(TVFinderTest, TheStopButtonSaysResumeWhilePausedAndKeepsItsGlyph) {
    WindowWorld world;
    world.Open();
    TVFinder& window = *world.window;
    QAction* stopGo = window.Toolbar()->Action(ToolbarCommand::StopGoBtn);
    const QImage glyph = Picture(stopGo->icon(), 24);

    search::SearchControl control(world.flags);
    struct Thread final : SearchThread {
        explicit Thread(search::SearchControl& c) : control(c) {}
        bool Paused() const override { return control.Paused(); }
        void Pause() override { control.Pause(); }
        void Resume() override { control.Resume(); }
        void Stop() override { control.Stop(); }
        void Cancel() override { control.Cancel(); }
        search::SearchControl& control;
    } thread(control);
    world.flags.SearchRunning = true;
    window.Commands().SearchStarted(thread);
    window.UpdateTB();
    EXPECT_TRUE(stopGo->isEnabled());
    EXPECT_FALSE(window.Toolbar()->Action(ToolbarCommand::Newsearchbtn)->isEnabled());
    EXPECT_FALSE(window.Toolbar()->Action(ToolbarCommand::OpenListBtn)->isEnabled());

    window.Commands().Pause1Click();
    EXPECT_EQ("Resume", stopGo->toolTip());
    EXPECT_EQ("Resume current search", stopGo->statusTip());
    EXPECT_EQ(glyph, Picture(stopGo->icon(), 24));
    EXPECT_EQ("Paused....", window.Progress()->Text());
    EXPECT_EQ(Picture(assets::trayDisabledIcon()), Picture(window.Tray().CurrentIcon()));
    EXPECT_EQ("Paused ... left-click once to resume search", window.Tray().Icon()->toolTip());

    stopGo->trigger(); // reads "Resume": resumes without a question
    EXPECT_FALSE(control.Paused());
    EXPECT_EQ("Stop", stopGo->toolTip());
    EXPECT_TRUE(world.notifier.Boxes().empty());
    window.Commands().SearchEnded();
}

TEST(TVFinderTest, TheTrayShowsEachLookWithItsMenuAndAnimatesWhileASearchRuns) {
    WindowWorld world;
    world.Open();
    FinderTray& tray = world.window->Tray();
    EXPECT_EQ(Picture(assets::trayIcon()), Picture(tray.CurrentIcon()));
    EXPECT_EQ(tray.InActivePop(), tray.Icon()->contextMenu());
    EXPECT_EQ("Vantor Finder", tray.Icon()->toolTip());
    QStringList items;
    for (const QAction* item : tray.InActivePop()->actions()) items << item->text();
    EXPECT_EQ((QStringList{"&New search", "&Last search results", "&Help", "&Exit and Unload"}),
              items);
    items.clear();
    for (const QAction* item : tray.ActivePop()->actions()) items << item->text();
    EXPECT_EQ((QStringList{"&Pause search", "&Stop search", "&Resume search"}), items);

    tray.Apply({TrayIconState::tsAnimated, TrayMenu::ActivePop, "Searching: /x"});
    EXPECT_EQ(tray.ActivePop(), tray.Icon()->contextMenu());
    EXPECT_EQ(Picture(assets::trayFrame(0)), Picture(tray.CurrentIcon()));
    ASSERT_TRUE(testing::WaitFor([&] { return tray.Frame() >= 2; }, std::chrono::seconds(5)));
    EXPECT_EQ(Picture(assets::trayFrame(tray.Frame())), Picture(tray.CurrentIcon()));

    tray.Apply({TrayIconState::tsDisabled, TrayMenu::None, "3 hits found! Click to process...."});
    EXPECT_EQ(nullptr, tray.Icon()->contextMenu());
    const int frame = tray.Frame();
    testing::Spin(std::chrono::milliseconds(250));
    EXPECT_EQ(frame, tray.Frame()) << "the animation stopped";
    EXPECT_EQ(Picture(assets::trayDisabledIcon()), Picture(tray.CurrentIcon()));

    // The stop button's right click shows the search menu, also while the button is
    // disabled (no search runs): Pause and Resume off.
    tray.Apply({});
    world.Show();
    FinderToolbar& toolbar = *world.window->Toolbar();
    QToolButton* stopGo = toolbar.Button(ToolbarCommand::StopGoBtn);
    ASSERT_FALSE(stopGo->isEnabled());
    const QPoint at = stopGo->geometry().center();
    QContextMenuEvent press(QContextMenuEvent::Mouse, at, toolbar.mapToGlobal(at));
    QApplication::sendEvent(&toolbar, &press);
    EXPECT_TRUE(tray.ActivePop()->isVisible());
    EXPECT_FALSE(tray.Pause1()->isEnabled());
    EXPECT_FALSE(tray.Resume1()->isEnabled());
    EXPECT_TRUE(tray.Stop1()->isEnabled());
    tray.ActivePop()->hide();

    // Elsewhere on the toolbar: the menu of the edges it docks at.
    const QPoint beside = toolbar.Button(ToolbarCommand::OpenBtn)->geometry().center();
    QContextMenuEvent other(QContextMenuEvent::Mouse, beside, toolbar.mapToGlobal(beside));
    QApplication::sendEvent(&toolbar, &other);
    EXPECT_FALSE(tray.ActivePop()->isVisible());
    dialog::PMFilebar& filebar = world.dialog->FilebarMenu();
    ASSERT_TRUE(filebar.isVisible());
    filebar.Bottom()->trigger();
    EXPECT_EQ(Qt::BottomToolBarArea, world.window->toolBarArea(&toolbar));
}

TEST(TVFinderTest, TheTitleDragsTheWindowAndTheCaptionMaximisesAndRestoresIt) {
    WindowWorld world;
    world.Preset([](platform::SettingsStore& s) {
        s.Write(kLastX, 100);
        s.Write(kLastY, 100);
        s.Write(kLastCX, 500);
        s.Write(kLastCY, 400);
    });
    world.Open();
    TVFinder& window = *world.window;
    world.Show();
    TitleGlyph* title = window.Caption()->Title();
    const QPoint grip(30, 8);
    const QPoint start = title->mapToGlobal(grip);
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(grip), QPointF(start), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(title, &press);
    const QPoint end = start + QPoint(40, 25);
    QMouseEvent move(QEvent::MouseMove, QPointF(title->mapFromGlobal(end)), QPointF(end),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(title, &move);
    QMouseEvent release(QEvent::MouseButtonRelease, QPointF(title->mapFromGlobal(end)),
                        QPointF(end), Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(title, &release);
    EXPECT_EQ(QPoint(140, 125), window.pos());

    window.Caption()->MaximiseButton()->click();
    EXPECT_TRUE(window.isMaximized());
    EXPECT_EQ(CaptionGlyph::Restore, window.Caption()->MaximiseButton()->Glyph());
    window.Caption()->MaximiseButton()->click();
    EXPECT_FALSE(window.isMaximized());
    EXPECT_EQ(CaptionGlyph::Maximise, window.Caption()->MaximiseButton()->Glyph());
}

// Receives the addresses the web items open.
class UrlRecorder : public QObject {
    Q_OBJECT
public slots:
    void Open(const QUrl& url) { urls << url; }

public:
    QList<QUrl> urls;
};

TEST(TVFinderTest, TheOptionsMenuShowsAndChangesItsChecksAndOpensTheWebPages) {
    WindowWorld world;
    world.Preset([](platform::SettingsStore& s) { s.Write(kSplash, false); });
    world.Open();
    TVFinder& window = *world.window;
    world.Show();
    QMenu& menu = *window.MainPop();
    const auto item = [&](const char* name) { return menu.findChild<QAction*>(name); };
    emit menu.aboutToShow();
    EXPECT_TRUE(item("NoSplash1")->isChecked());
    EXPECT_FALSE(item("DisMulti")->isChecked());
    EXPECT_FALSE(item("UseMorvel")->isChecked());
    EXPECT_EQ(nullptr, item("Exitprogram1")) << "the tray carries exit";

    item("NoSplash1")->trigger();
    EXPECT_TRUE(world.life->Settings().Splash);
    item("DisMulti")->trigger();
    EXPECT_TRUE(world.life->Settings().NoMulti);
    EXPECT_EQ(QAbstractItemView::SingleSelection, window.VFList()->selectionMode());
    item("DisMulti")->trigger();
    EXPECT_EQ(QAbstractItemView::ExtendedSelection, window.VFList()->selectionMode());

    // No viewer beside the program here: the option is refused and stays off.
    world.notifier.Expect(BoxAnswer::Ok);
    item("UseMorvel")->trigger();
    EXPECT_FALSE(item("UseMorvel")->isChecked());
    EXPECT_FALSE(world.life->Settings().UseViewer);
    ASSERT_EQ(1u, world.notifier.Boxes().size());
    EXPECT_EQ("Vantor Finder Error", world.notifier.Boxes()[0].box.caption);

    UrlRecorder recorder;
    QDesktopServices::setUrlHandler("https", &recorder, "Open");
    menu.findChild<QAction*>("HomePage")->trigger();
    menu.findChild<QAction*>("Download")->trigger();
    QDesktopServices::unsetUrlHandler("https");
    EXPECT_EQ((QList<QUrl>{QUrl(QString::fromStdString(HomePageAddress())),
                           QUrl(QString::fromStdString(DownloadPageAddress()))}),
              recorder.urls);

    world.Restart();
    const platform::SettingsStore stored = world.Stored();
    EXPECT_TRUE(stored.Read(kSplash));
}

TEST(TVFinderTest, StartWithTheSessionFollowsTheAutostartEntry) {
    mvf::testing::TempFolder config;
    mvf::testing::ScopedEnvironment environment;
    environment.Set("XDG_CONFIG_HOME", config.Root());
    const std::string entry = config.Path("autostart/mvfinder.desktop");
    WindowWorld world;
    world.Open();
    QMenu& menu = *world.window->MainPop();
    QAction* item = menu.findChild<QAction*>("StartWithSession");
    ASSERT_NE(nullptr, item);
    EXPECT_EQ("Start with the &session", item->text());
    emit menu.aboutToShow();
    EXPECT_FALSE(item->isChecked()) << "off until ticked";

    item->trigger();
    EXPECT_TRUE(item->isChecked());
    EXPECT_NE(std::string::npos, mvf::testing::ReadAll(entry).find("\nExec=/opt/mvf/MVFinder\n"));
    // Switched off in the desktop's own settings: the menu shows it off.
    std::filesystem::remove(entry);
    emit menu.aboutToShow();
    EXPECT_FALSE(item->isChecked());
    item->trigger();
    item->trigger();
    EXPECT_FALSE(item->isChecked());
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_TRUE(world.notifier.Boxes().empty()) << world.notifier.Describe();
}

TEST(TVFinderTest, HelpOpensTheResultsWindowsTopicOnF1AndContext1000OnTheButtons) {
    WindowWorld world;
    world.Open();
    world.Show();
    world.window->HelpTopicKey();
    QTextBrowser* browser = world.help.Browser(platform::HelpPane::Main);
    ASSERT_NE(nullptr, browser);
    EXPECT_EQ("IDX_search_results_window", browser->source().fragment());
    world.window->Toolbar()->Action(ToolbarCommand::HelpBtn)->trigger();
    EXPECT_EQ("context-1000", browser->source().fragment());
}

TEST(TVFinderTest, WithoutATrayTheWindowStandsInForItDoneMinimisesAndTheMenuCarriesExit) {
    WindowWorld world;
    world.Open(/*trayAvailable=*/false);
    TVFinder& window = *world.window;
    QMenu& menu = *window.MainPop();
    for (const char* name : {"NewSrch", "ShowLast", "Exitprogram1"})
        EXPECT_NE(nullptr, menu.findChild<QAction*>(name)) << name;
    world.Show();
    window.ExitBtnClick();
    EXPECT_TRUE(window.isMinimized());
    EXPECT_TRUE(window.isVisible()) << "minimised, not hidden into nothing";

    bool closed = false;
    QObject::connect(&window, &TVFinder::closed, [&] { closed = true; });
    menu.findChild<QAction*>("Exitprogram1")->trigger();
    EXPECT_TRUE(closed);
}

TEST(TVFinderTest, AWindowNeverShownKeepsItsStoredPlaceThroughDoneAndExit) {
    WindowWorld world;
    world.Preset([](platform::SettingsStore& s) {
        s.Write(kLastX, 40);
        s.Write(kLastY, 50);
        s.Write(kLastCX, 640);
        s.Write(kLastCY, 450);
    });
    world.Open();
    world.window->ExitBtnClick(); // as a background search does first
    world.Restart();
    EXPECT_EQ(640, world.Stored().Read(kLastCX));
    world.Show();
    EXPECT_EQ(QRect(40, 50, 600, 400), world.window->geometry());
}

TEST(TVFinderTest, DoneHidesToTheTrayAndRecordsThePlace) {
    WindowWorld world;
    world.Open();
    TVFinder& window = *world.window;
    world.Show();
    window.setGeometry(70, 80, 500, 300);
    window.Toolbar()->Action(ToolbarCommand::ExitBtn)->trigger();
    EXPECT_FALSE(window.isVisible());
    const settings::FinderSettings& settings = world.life->Settings();
    EXPECT_EQ((WindowRect{70, 80, 570, 380}), StoredRect(settings));
    EXPECT_TRUE(settings.VFVisible);
}

TEST(TVFinderTest, ClosingDuringASearchAsksAndStaysOpenWithNothingWritten) {
    WindowWorld world;
    WriteResults(world.resultsFolder, results::kLastResultsName, {"kept.txt"});
    world.Open();
    world.Show();
    world.flags.SearchRunning = true;
    world.notifier.Expect(BoxAnswer::No);
    EXPECT_FALSE(world.Close());
    ASSERT_EQ(1u, world.notifier.Boxes().size());
    EXPECT_EQ("Vantor File Finder is doing a search!\rDo you want to cancel this search?",
              world.notifier.Boxes()[0].box.text);
    EXPECT_EQ("Yes", world.Stored().Read(kOpen)) << "the exit did not happen";
    EXPECT_EQ(1u, world.life->List().size());

    world.flags.SearchRunning = false;
    world.window->VFList()->setColumnWidth(0, 0); // a width of 0 is saved as 100
    EXPECT_TRUE(world.Close());
    const platform::SettingsStore stored = world.Stored();
    EXPECT_EQ("No", stored.Read(kOpen));
    EXPECT_EQ(100, stored.Read(platform::IntSetting{"VFCol0", 9999}));
    EXPECT_TRUE(world.life->List().empty());
    results::ResultsList saved;
    ASSERT_EQ(results::FileStatus::Done,
              results::LoadList(saved, results::kLastResultsName, world.resultsFolder).status);
    ASSERT_EQ(1u, saved.size());
    EXPECT_EQ("kept.txt", saved[0].name());
}

TEST(TVFinderTest, AResultsFileTheUserLoadedIsNotSavedOverTheLastResults) {
    WindowWorld world;
    WriteResults(world.resultsFolder, results::kLastResultsName, {"last.txt"});
    world.Open();
    world.Show();
    world.folder.Folder("elsewhere");
    WriteResults({}, world.folder.Path("elsewhere/mine.ser"), {"one.txt", "two.txt"});
    world.fileDialogs.Answer(world.folder.Path("elsewhere/mine.ser"));
    world.window->Toolbar()->Action(ToolbarCommand::OpenListBtn)->trigger();
    ASSERT_TRUE(testing::WaitFor([&] { return world.life->List().size() == 2; }));
    EXPECT_EQ("one.txt", world.window->VFinderstatus()->PanelText(0)) << "its first row selected";
    EXPECT_TRUE(world.Close());
    results::ResultsList saved;
    results::LoadList(saved, results::kLastResultsName, world.resultsFolder);
    ASSERT_EQ(1u, saved.size());
    EXPECT_EQ("last.txt", saved[0].name());
}

TEST(TVFinderTest, ClearAsksFirstAndEmptiesTheListAndItsSummary) {
    WindowWorld world;
    WriteResults(world.resultsFolder, results::kLastResultsName, {"a.txt", "b.txt"});
    world.Open();
    TVFinder& window = *world.window;
    world.Show();
    world.notifier.Expect(BoxAnswer::No);
    window.Toolbar()->Action(ToolbarCommand::ClearBtn)->trigger();
    EXPECT_EQ(2u, world.life->List().size());
    world.notifier.Expect(BoxAnswer::Yes);
    window.Toolbar()->Action(ToolbarCommand::ClearBtn)->trigger();
    EXPECT_TRUE(world.life->List().empty());
    EXPECT_EQ("", window.Progress()->Text());
    EXPECT_EQ("Files With Hits: 0", window.VFinderstatus()->PanelText(1));
    for (const ToolbarCommand off :
         {ToolbarCommand::OpenBtn, ToolbarCommand::DeleteBtn, ToolbarCommand::ClearBtn,
          ToolbarCommand::SaveListBtn, ToolbarCommand::StopGoBtn})
        EXPECT_FALSE(window.Toolbar()->Action(off)->isEnabled());
    EXPECT_TRUE(window.Toolbar()->Action(ToolbarCommand::Newsearchbtn)->isEnabled());
    ASSERT_EQ(2u, world.notifier.Boxes().size());
    EXPECT_EQ("Are you sure you want to clear the search results list?",
              world.notifier.Boxes()[0].box.text);
}

} // namespace
} // namespace mvf::shell

#include "tv_finder_test.moc"
