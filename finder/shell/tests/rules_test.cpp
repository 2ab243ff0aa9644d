// The plain rules of the shell: the toolbar's sizes, hints and glyphs (against the real
// resource file), the window's place and roll-up, the status panels, the options menu
// (the autostart entry behind "Start with the session" among them) and the start-up plan.
#include <sys/stat.h>

#include <filesystem>

#include <gtest/gtest.h>

#include "finder/shell/command_line.h"
#include "finder/shell/options_rules.h"
#include "finder/shell/startup_rules.h"
#include "finder/shell/toolbar_rules.h"
#include "finder/shell/window_place.h"
#include "platform/core/desktop_entry.h"
#include "platform/core/installation.h"
#include "platform/qt/resources.h"
#include "platform/qt/scripted_notifier.h"
#include "testsupport/qt_print.h"
#include "testsupport/temp_folder.h"

namespace mvf::shell {
namespace {

using mvf::testing::TempFolder;

TEST(ToolbarRules, TheTwoSizesAndTBSwitchingBetweenThem) {
    const ToolbarMetrics small = MetricsOf("S");
    EXPECT_EQ(24, small.controlHeight);
    EXPECT_EQ(24, small.buttonWidth);
    EXPECT_EQ(22, small.buttonHeight);
    EXPECT_EQ("S_", small.glyphPrefix);
    const ToolbarMetrics medium = MetricsOf("M");
    EXPECT_EQ(38, medium.controlHeight);
    EXPECT_EQ(38, medium.buttonWidth);
    EXPECT_EQ(38, medium.buttonHeight);
    EXPECT_EQ("M_", medium.glyphPrefix);
    // A stored mode that is neither reads as small.
    EXPECT_EQ("S_", MetricsOf("garbage").glyphPrefix);

    EXPECT_EQ("M", ToggledMode("S"));
    EXPECT_EQ("S", ToggledMode(ToggledMode("S")));
    EXPECT_EQ("M", ToggledMode("garbage"));
}

TEST(ToolbarRules, HintsSplitIntoTooltipAndStatusText) {
    EXPECT_EQ((HintParts{"Save", "Save results list to *.SER file"}),
              SplitHint("Save|Save results list to *.SER file"));
    EXPECT_EQ((HintParts{"New search", "New search"}), SplitHint("New search"));
    EXPECT_EQ((HintParts{"", "only long"}), SplitHint("|only long"));
}

TEST(ToolbarRules, AButtonTakesTheGlyphOfItsHintAndKeepsItsOwnForAHintOfNoButton) {
    EXPECT_EQ("S_STOP", GlyphFor("Stop|Stop current search", "S"));
    EXPECT_EQ("M_STOP", GlyphFor("Stop|Stop current search", "M"));
    EXPECT_EQ("M_BACKGROUNDFIND", GlyphFor("New search", "M"));
    EXPECT_EQ(std::nullopt, GlyphFor("Resume|Resume current search", "S"));
}

TEST(ToolbarRules, EveryButtonsGlyphIsInTheResourceFileAtItsSize) {
    const platform::ResourceLibrary resources({MVF_BIN_DIR});
    ASSERT_FALSE(resources.FindFile().empty()) << "no mvfinder.rcc in " << MVF_BIN_DIR;
    for (const std::string_view mode : {kSmallMode, kMediumMode}) {
        const ToolbarMetrics metrics = MetricsOf(mode);
        for (const ToolbarButton& button : kToolbarButtons) {
            const std::optional<std::string> glyph = GlyphFor(button.hint, mode);
            ASSERT_TRUE(glyph) << button.name;
            const QImage picture = resources.Picture(QString::fromStdString(*glyph));
            EXPECT_EQ(QSize(metrics.buttonWidth, metrics.buttonHeight), picture.size()) << *glyph;
        }
    }
}

TEST(WindowPlace, TheRectangleIsKeptOnlyOnceThePlacedWindowIsNeitherMinimisedNorRolledUp) {
    settings::FinderSettings settings;
    RecordWindow(settings, {.rect = {10, 20, 510, 420},
                            .minimised = false,
                            .rolledUp = false,
                            .visible = true,
                            .columnWidths = {90, 180, 70, 140, 141}});
    EXPECT_EQ((WindowRect{10, 20, 510, 420}), StoredRect(settings));
    EXPECT_TRUE(settings.VFVisible);
    EXPECT_FALSE(settings.VFRolledUp);
    EXPECT_EQ((std::array<int, 5>{90, 180, 70, 140, 141}), settings.VFCol);

    RecordWindow(settings, {.rect = {10, 20, 510, 46}, .rolledUp = true, .visible = false});
    EXPECT_EQ((WindowRect{10, 20, 510, 420}), StoredRect(settings)) << "rolled up";
    EXPECT_TRUE(settings.VFRolledUp);
    EXPECT_FALSE(settings.VFVisible);

    RecordWindow(settings, {.rect = {0, 760, 160, 790}, .minimised = true});
    EXPECT_EQ((WindowRect{10, 20, 510, 420}), StoredRect(settings)) << "minimised";
    EXPECT_FALSE(settings.VFRolledUp);

    // Never shown in this run: its size is no place the user gave it.
    RecordWindow(settings, {.rect = {0, 0, 472, 296}, .placed = false});
    EXPECT_EQ((WindowRect{10, 20, 510, 420}), StoredRect(settings)) << "not placed";
}

TEST(WindowPlace, RollingUpKeepsTheFullRectangleAndLeavesTheCaptionAlone) {
    settings::FinderSettings settings;
    RecordBeforeRollUp(settings, {30, 40, 630, 440}, /*minimised=*/false);
    EXPECT_EQ((WindowRect{30, 40, 630, 440}), StoredRect(settings));
    RecordBeforeRollUp(settings, {0, 0, 100, 20}, /*minimised=*/true);
    EXPECT_EQ((WindowRect{30, 40, 630, 440}), StoredRect(settings));

    const WindowRect rolled = RolledUpRect(StoredRect(settings), 24);
    EXPECT_EQ((WindowRect{30, 40, 630, 64}), rolled);
    EXPECT_EQ(600, rolled.Width());
    EXPECT_EQ(24, rolled.Height());
}

TEST(WindowPlace, AFirstRunStandsAtTheOriginAt360By276) {
    const settings::FinderSettings first;
    const WindowRect rect = StoredRect(first);
    EXPECT_EQ((WindowRect{0, 0, 360, 276}), rect);
}

TEST(WindowPlace, StatusPanelsTakeHalfAndAQuarterOfTheBar) {
    EXPECT_EQ((PanelWidths{236, 118, 118}), kInitialPanelWidths);
    EXPECT_EQ((PanelWidths{236, 118, 118}), StatusPanelWidths(472));
    EXPECT_EQ((PanelWidths{301, 150, 150}), StatusPanelWidths(601)); // rounded
    EXPECT_EQ((PanelWidths{0, 0, 0}), StatusPanelWidths(0));
    EXPECT_EQ((PanelWidths{0, 0, 0}), StatusPanelWidths(-5));
}

TEST(OptionsRules, TheMenuShowsTheSettingsAsChecks) {
    settings::FinderSettings settings;
    EXPECT_EQ((MainPopChecks{.NoSplash1 = false, .DisMulti = false, .UseMorvel = false}),
              MainPopPopup(settings));
    settings.Splash = false;
    settings.NoMulti = true;
    settings.UseViewer = true;
    EXPECT_EQ((MainPopChecks{.NoSplash1 = true, .DisMulti = true, .UseMorvel = true}),
              MainPopPopup(settings));

    DisMultiClick(settings, false);
    EXPECT_FALSE(settings.NoMulti);
    NoSplash1Click(settings, false);
    EXPECT_TRUE(settings.Splash);
    NoSplash1Click(settings, true);
    EXPECT_FALSE(settings.Splash);
}

TEST(OptionsRules, TheViewerOptionNeedsAViewerThatCanBeStarted) {
    TempFolder folder;
    const std::string viewer = folder.Path("vantorviewer");
    settings::FinderSettings settings;
    platform::ScriptedNotifier notifier;
    notifier.Expect(platform::BoxAnswer::Ok);
    EXPECT_FALSE(UseMorvelClick(settings, true, viewer, notifier));
    EXPECT_FALSE(settings.UseViewer);
    ASSERT_EQ(1u, notifier.Boxes().size());
    const platform::MessageBox box = notifier.Boxes()[0].box;
    EXPECT_EQ("Vantor Finder Error", box.caption);
    EXPECT_EQ("Could not locate vantorviewer in the Vantor Finder directory!\n\rOption will be "
              "disabled",
              box.text);
    EXPECT_EQ(platform::BoxIcon::Warning, box.icon);

    // A file that cannot be run is no viewer either.
    folder.File("vantorviewer", "#!/bin/sh\n");
    notifier.Expect(platform::BoxAnswer::Ok);
    EXPECT_FALSE(UseMorvelClick(settings, true, viewer, notifier));
    EXPECT_EQ(2u, notifier.Boxes().size());

    ASSERT_EQ(0, ::chmod(viewer.c_str(), 0755));
    EXPECT_TRUE(UseMorvelClick(settings, true, viewer, notifier));
    EXPECT_TRUE(settings.UseViewer);
    EXPECT_FALSE(UseMorvelClick(settings, false, viewer, notifier));
    EXPECT_FALSE(settings.UseViewer);
    EXPECT_EQ(2u, notifier.Boxes().size()) << "switching on with a viewer, or off, asks nothing";
    EXPECT_TRUE(notifier.AllAsExpected()) << notifier.Describe();
}

TEST(OptionsRules, StartWithTheSessionWritesAndRemovesTheAutostartEntry) {
    TempFolder folder;
    platform::XdgFolders folders;
    folders.configHome = folder.Path("config");
    const std::string entry = folder.Path("config/autostart/mvfinder.desktop");
    platform::ScriptedNotifier notifier;
    EXPECT_FALSE(StartsWithSession(folders)) << "off until ticked";

    EXPECT_TRUE(StartWithSessionClick(true, "/home/ann/my finder/MVFinder", folders, notifier));
    EXPECT_TRUE(StartsWithSession(folders));
    const std::string text = mvf::testing::ReadAll(entry);
    const std::size_t exec = text.find("\nExec=") + 6;
    EXPECT_EQ("/home/ann/my finder/MVFinder",
              platform::ExecProgram(text.substr(exec, text.find('\n', exec) - exec)));
    EXPECT_NE(std::string::npos, text.find("\nName=Morvel Vantor Finder\n"));
    EXPECT_NE(std::string::npos, text.find("\nIcon=mvfinder\n"));

    EXPECT_FALSE(StartWithSessionClick(false, "/home/ann/my finder/MVFinder", folders, notifier));
    EXPECT_FALSE(StartsWithSession(folders));
    EXPECT_FALSE(std::filesystem::exists(entry));
    EXPECT_TRUE(notifier.Boxes().empty()) << notifier.Describe();

    // The folder cannot be made: told, and the mark stays off.
    folder.File("blocked", "a file where the configuration folder should be");
    folders.configHome = folder.Path("blocked");
    notifier.Expect(platform::BoxAnswer::Ok);
    EXPECT_FALSE(StartWithSessionClick(true, "/usr/bin/MVFinder", folders, notifier));
    ASSERT_EQ(1u, notifier.Boxes().size());
    const platform::MessageBox box = notifier.Boxes()[0].box;
    EXPECT_EQ("Vantor Finder Error", box.caption);
    EXPECT_TRUE(box.text.startsWith("Morvel Vantor Finder could not be set to start with the "
                                    "session.\n\rcannot make the folder " +
                                    QString::fromStdString(folders.configHome) + "/autostart: "))
        << box.text.toStdString();
    EXPECT_TRUE(notifier.AllAsExpected()) << notifier.Describe();
}

TEST(OptionsRules, WithoutATrayTheWindowStandsInAndKeepsEveryCommandReachable) {
    const TrayPresence tray{true};
    EXPECT_FALSE(tray.ShowWindowAtStart());
    EXPECT_TRUE(tray.DoneHidesToTray());
    EXPECT_FALSE(tray.OptionsCarryTrayCommands());
    const TrayPresence none{false};
    EXPECT_TRUE(none.ShowWindowAtStart());
    EXPECT_FALSE(none.DoneHidesToTray());
    EXPECT_TRUE(none.OptionsCarryTrayCommands());
}

TEST(CommandLine, HelpVersionAndFilesAreAnsweredAnythingElseIsTheToolkits) {
    const auto read = [](std::vector<const char*> args) {
        args.insert(args.begin(), "MVFinder");
        return ReadCommandLine(static_cast<int>(args.size()), args.data());
    };
    EXPECT_EQ(CommandLineRequest::Run, read({}));
    EXPECT_EQ(CommandLineRequest::Run, read({"-style", "fusion"}));
    EXPECT_EQ(CommandLineRequest::Help, read({"--help"}));
    EXPECT_EQ(CommandLineRequest::Version, read({"-style", "fusion", "--version"}));
    EXPECT_EQ(CommandLineRequest::Files, read({"--files"}));
    EXPECT_EQ(0u, FinderHelpText().find("Usage: MVFinder [--help | --version | --files]\n"));
    EXPECT_EQ("MVFinder " MVF_TEST_PROJECT_VERSION "\n", FinderVersionText());
}

TEST(CommandLine, FilesSaysWhereEachFileWasFoundOrThatItWasNot) {
    TempFolder folder;
    const std::string program = folder.Folder("portable");
    folder.File("portable/mfinder.html", "<html></html>");
    bool allFound = true;
    const std::string searched = platform::DataFoldersOf(program)[0];
    EXPECT_EQ("program folder: " + program + "\n" + "pictures and sound: (not found in " +
                  searched + ", " + platform::DataFoldersOf(program)[1] + ", " +
                  platform::DataFoldersOf(program)[2] + ")\n" + "help: " + program +
                  "/mfinder.html\n" + "working folder: " + program + "\n",
              FinderFilesText(program, allFound));
    EXPECT_FALSE(allFound);
    std::filesystem::copy_file(MVF_BIN_DIR "/mvfinder.rcc", program + "/mvfinder.rcc");
    EXPECT_NE(std::string::npos, FinderFilesText(program, allFound)
                                     .find("\npictures and sound: " + program + "/mvfinder.rcc\n"));
    EXPECT_TRUE(allFound);
}

TEST(StartupRules, TheSplashAndTheNoticeFollowTheirTwoSettings) {
    EXPECT_EQ((StartupPlan{.splash = true, .notice = true}), PlanStartup(true, false));
    EXPECT_EQ((StartupPlan{.splash = false, .notice = true}), PlanStartup(false, false));
    EXPECT_EQ((StartupPlan{.splash = true, .notice = false}), PlanStartup(true, true));
    EXPECT_EQ((StartupPlan{.splash = false, .notice = false}), PlanStartup(false, true));
}

} // namespace
} // namespace mvf::shell
