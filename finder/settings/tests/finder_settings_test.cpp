// The finder's settings over real INI files: defaults, the round trip, the lists, and the
// rules of what is written when.
#include <gtest/gtest.h>

#include "finder/settings/finder_settings.h"
#include "platform/qt/scripted_notifier.h"
#include "testsupport/qt_print.h"
#include "testsupport/temp_folder.h"

namespace mvf::settings {
namespace {

using mvf::testing::ReadAll;
using mvf::testing::TempFolder;
using platform::BoxAnswer;
using platform::ScriptedNotifier;
using platform::SettingsStore;

const std::string kProgram = "/opt/mvf/bin/MVFinder";

// One run of the finder against the settings file: start-up read, load, then `run`
// changes the values, then the save at exit.
template <typename Run>
void FinderRun(const std::string& path, bool dialogShown, Run run,
               ScriptedNotifier* notifier = nullptr) {
    ScriptedNotifier quiet;
    ScriptedNotifier& boxes = notifier ? *notifier : quiet;
    SettingsStore store(path);
    FinderSettings settings;
    ReadStartupSettings(store, settings);
    LoadFinderSettings(store, kProgram, settings, boxes);
    run(settings);
    SaveFinderSettings(store, settings, dialogShown, boxes);
    if (!notifier) {
        EXPECT_TRUE(quiet.Boxes().empty()) << quiet.Describe();
    }
}

FinderSettings Loaded(const std::string& path) {
    ScriptedNotifier notifier;
    SettingsStore store(path);
    FinderSettings settings;
    settings.Splash = !settings.Splash; // the load must leave Splash alone
    LoadFinderSettings(store, kProgram, settings, notifier);
    ReadStartupSettings(store, settings);
    EXPECT_TRUE(notifier.Boxes().empty()) << notifier.Describe();
    return settings;
}

// Every value changed from its default.
void ChangeEverything(FinderSettings& s) {
    s.VFCol = {10, 20, 30, 40, 50};
    s.VFLastX = 11;
    s.VFLastY = 12;
    s.VFLastCX = 811;
    s.VFLastCY = 612;
    s.VFVisible = true;
    s.VFRolledUp = true;
    s.VFindString = "foo|bar";
    s.VMaskString = "*.cpp, *.h";
    s.VDirString = "/home/user/src, /tmp";
    s.VFBoolAND = true;
    s.VFBoolOR = true;
    s.VFMatchCase = true;
    s.VFBGSearch = true;
    s.VFBark = false;
    s.VFSuppress = true;
    s.VFWarn = false;
    s.VFDontWarn = true;
    s.VFSkipBinaries = false;
    s.VFSearchSub = true;
    s.VFShowResults = true;
    s.VFOpenFirst = 7;
    s.VFBetLow = "100";
    s.VFBetHigh = "200";
    s.VFSmaller = "300";
    s.VFLarger = "400";
    s.VFDBetLow = "01/02/2003";
    s.VFDBetHigh = "04/05/2006";
    s.VFDSooner = "07/08/2009";
    s.VFDLater = "10/11/2012";
    s.VFDType = "Created";
    s.UseRecycle = true;
    s.AskMe = false;
    s.Killem = true;
    s.NoMulti = true;
    s.UseViewer = true;
    s.FindMsg = true;
    s.Splash = false;
    s.VFTBMode = "M";
    s.Lists.FindTexts = {"foo|bar", "a=b", "x"};
    s.Lists.Masks = {"*.cpp, *.h", "*.*"};
    s.Lists.Folders = {"/home/user/src, /tmp"};
}

// Compares every field, so a field left out of load or save shows up by name.
void ExpectSame(const FinderSettings& a, const FinderSettings& b) {
    EXPECT_EQ(a.VFCol, b.VFCol);
    EXPECT_EQ(a.VFLastX, b.VFLastX);
    EXPECT_EQ(a.VFLastY, b.VFLastY);
    EXPECT_EQ(a.VFLastCX, b.VFLastCX);
    EXPECT_EQ(a.VFLastCY, b.VFLastCY);
    EXPECT_EQ(a.VFVisible, b.VFVisible);
    EXPECT_EQ(a.VFRolledUp, b.VFRolledUp);
    EXPECT_EQ(a.VFindString, b.VFindString);
    EXPECT_EQ(a.VMaskString, b.VMaskString);
    EXPECT_EQ(a.VDirString, b.VDirString);
    EXPECT_EQ(a.VFBoolAND, b.VFBoolAND);
    EXPECT_EQ(a.VFBoolOR, b.VFBoolOR);
    EXPECT_EQ(a.VFMatchCase, b.VFMatchCase);
    EXPECT_EQ(a.VFBGSearch, b.VFBGSearch);
    EXPECT_EQ(a.VFBark, b.VFBark);
    EXPECT_EQ(a.VFSuppress, b.VFSuppress);
    EXPECT_EQ(a.VFWarn, b.VFWarn);
    EXPECT_EQ(a.VFDontWarn, b.VFDontWarn);
    EXPECT_EQ(a.VFSkipBinaries, b.VFSkipBinaries);
    EXPECT_EQ(a.VFSearchSub, b.VFSearchSub);
    EXPECT_EQ(a.VFShowResults, b.VFShowResults);
    EXPECT_EQ(a.VFOpenFirst, b.VFOpenFirst);
    EXPECT_EQ(a.VFBetLow, b.VFBetLow);
    EXPECT_EQ(a.VFBetHigh, b.VFBetHigh);
    EXPECT_EQ(a.VFSmaller, b.VFSmaller);
    EXPECT_EQ(a.VFLarger, b.VFLarger);
    EXPECT_EQ(a.VFDBetLow, b.VFDBetLow);
    EXPECT_EQ(a.VFDBetHigh, b.VFDBetHigh);
    EXPECT_EQ(a.VFDSooner, b.VFDSooner);
    EXPECT_EQ(a.VFDLater, b.VFDLater);
    EXPECT_EQ(a.VFDType, b.VFDType);
    EXPECT_EQ(a.UseRecycle, b.UseRecycle);
    EXPECT_EQ(a.AskMe, b.AskMe);
    EXPECT_EQ(a.Killem, b.Killem);
    EXPECT_EQ(a.NoMulti, b.NoMulti);
    EXPECT_EQ(a.UseViewer, b.UseViewer);
    EXPECT_EQ(a.FindMsg, b.FindMsg);
    EXPECT_EQ(a.Splash, b.Splash);
    EXPECT_EQ(a.VFTBMode, b.VFTBMode);
    EXPECT_EQ(a.Lists.FindTexts, b.Lists.FindTexts);
    EXPECT_EQ(a.Lists.Masks, b.Lists.Masks);
    EXPECT_EQ(a.Lists.Folders, b.Lists.Folders);
}

TEST(FinderSettingsTest, AFirstRunGetsEveryDefault) {
    TempFolder folder;
    const std::string path = folder.Path("settings.ini");
    SettingsStore store(path);
    FinderSettings settings;
    settings.FindMsg = true; // overwritten by the reads
    settings.Splash = false;
    ReadStartupSettings(store, settings);
    EXPECT_FALSE(settings.FindMsg); // the notice is shown
    EXPECT_TRUE(settings.Splash);   // the splash is shown

    ScriptedNotifier notifier;
    ChangeEverything(settings);
    LoadFinderSettings(store, kProgram, settings, notifier);
    EXPECT_TRUE(notifier.Boxes().empty());
    EXPECT_FALSE(settings.Splash); // left to the start-up read
    settings.Splash = true;

    // The table's defaults, spelled out.
    EXPECT_EQ((std::array<int, 5>{100, 100, 100, 100, 100}), settings.VFCol);
    EXPECT_EQ(0, settings.VFLastX);
    EXPECT_EQ(0, settings.VFLastY);
    EXPECT_EQ(360, settings.VFLastCX);
    EXPECT_EQ(276, settings.VFLastCY);
    EXPECT_FALSE(settings.VFVisible);
    EXPECT_FALSE(settings.VFRolledUp);
    EXPECT_EQ("", settings.VFindString);
    EXPECT_EQ("", settings.VMaskString);
    EXPECT_EQ("", settings.VDirString);
    EXPECT_FALSE(settings.VFBoolAND);
    EXPECT_FALSE(settings.VFBoolOR);
    EXPECT_FALSE(settings.VFMatchCase);
    EXPECT_FALSE(settings.VFBGSearch);
    EXPECT_TRUE(settings.VFBark);
    EXPECT_FALSE(settings.VFSuppress);
    EXPECT_TRUE(settings.VFWarn);
    EXPECT_FALSE(settings.VFDontWarn);
    EXPECT_TRUE(settings.VFSkipBinaries);
    EXPECT_FALSE(settings.VFSearchSub);
    EXPECT_FALSE(settings.VFShowResults);
    EXPECT_EQ(20, settings.VFOpenFirst);
    EXPECT_EQ("0", settings.VFBetLow);
    EXPECT_EQ("0", settings.VFBetHigh);
    EXPECT_EQ("0", settings.VFSmaller);
    EXPECT_EQ("0", settings.VFLarger);
    EXPECT_EQ("", settings.VFDBetLow);
    EXPECT_EQ("", settings.VFDBetHigh);
    EXPECT_EQ("", settings.VFDSooner);
    EXPECT_EQ("", settings.VFDLater);
    EXPECT_EQ("Modified", settings.VFDType);
    EXPECT_FALSE(settings.UseRecycle);
    EXPECT_TRUE(settings.AskMe);
    EXPECT_FALSE(settings.Killem);
    EXPECT_FALSE(settings.NoMulti);
    EXPECT_FALSE(settings.UseViewer);
    EXPECT_FALSE(settings.FindMsg);
    EXPECT_EQ("S", settings.VFTBMode);
    EXPECT_TRUE(settings.Lists.FindTexts.empty());
    EXPECT_TRUE(settings.Lists.Masks.empty());
    EXPECT_TRUE(settings.Lists.Folders.empty());
    ExpectSame(FinderSettings{}, settings);

    // The run is marked on disk at once.
    const std::string file = ReadAll(path);
    EXPECT_NE(std::string::npos, file.find("VFOpen=Yes\n")) << file;
    EXPECT_NE(std::string::npos, file.find("VFPath=" + kProgram + "\n")) << file;
    EXPECT_NE(std::string::npos, file.find("FILE_LOCATION=" + kProgram + "\n")) << file;
}

TEST(FinderSettingsTest, EveryValueComesBackFromTheNextRun) {
    TempFolder folder;
    const std::string path = folder.Path("settings.ini");
    FinderSettings expected;
    ChangeEverything(expected);
    FinderRun(path, true, [&](FinderSettings& s) { s = expected; });
    const std::string file = ReadAll(path);
    ExpectSame(expected, Loaded(path));

    EXPECT_NE(std::string::npos, file.find("VFOpen=No\n")) << file;
    EXPECT_NE(std::string::npos, file.find("VFBark=0\n")) << file; // booleans as numbers
    EXPECT_NE(std::string::npos, file.find("VFRolledUp=1\n")) << file;
    EXPECT_NE(std::string::npos, file.find("[Toolbars]\nVFTBMode=M\n")) << file;
    EXPECT_NE(std::string::npos, file.find("[VFindList]\n0=foo|bar\n1=\"a=b\"\n2=x\n")) << file;
    EXPECT_NE(std::string::npos, file.find("[VDirectoryList]\n0=\"/home/user/src, /tmp\"\n"))
        << file;
}

TEST(FinderSettingsTest, ColumnWidthsOf9999LoadAndOf0SaveAs100) {
    TempFolder folder;
    const std::string path =
        folder.File("settings.ini", "[General]\nVFCol0=9999\nVFCol1=0\nVFCol2=250\nVFCol3=-5\n");
    FinderRun(path, false, [](FinderSettings& s) {
        EXPECT_EQ((std::array<int, 5>{100, 0, 250, -5, 100}), s.VFCol);
        s.VFCol[2] = 0;
    });
    EXPECT_EQ((std::array<int, 5>{100, 100, 100, -5, 100}), Loaded(path).VFCol);
}

TEST(FinderSettingsTest, AListEntryWithEqualsSignsComesBackWhole) {
    TempFolder folder;
    const std::string path = folder.Path("settings.ini");
    const std::vector<std::string> texts = {"a=b", "=", "==x==", "key=value=more", "0=1"};
    FinderRun(path, true, [&](FinderSettings& s) {
        s.Lists.FindTexts = texts;
        s.Lists.Masks = texts;
        s.Lists.Folders = texts;
    });
    const FinderSettings loaded = Loaded(path);
    EXPECT_EQ(texts, loaded.Lists.FindTexts);
    EXPECT_EQ(texts, loaded.Lists.Masks);
    EXPECT_EQ(texts, loaded.Lists.Folders);
}

TEST(FinderSettingsTest, AShorterListLeavesNoStaleEntries) {
    TempFolder folder;
    const std::string path = folder.Path("settings.ini");
    std::vector<std::string> many;
    for (int i = 0; i < 51; ++i) many.push_back("mask " + std::to_string(i));
    FinderRun(path, true, [&](FinderSettings& s) { s.Lists.Masks = many; });
    EXPECT_EQ(many, Loaded(path).Lists.Masks); // 0..50 in numeric order, not text order

    FinderRun(path, true, [](FinderSettings& s) { s.Lists.Masks = {"kept 0", "kept 1"}; });
    EXPECT_EQ((std::vector<std::string>{"kept 0", "kept 1"}), Loaded(path).Lists.Masks);
    EXPECT_EQ(std::string::npos, ReadAll(path).find("mask 2")); // no value "2" and on
    FinderRun(path, true, [](FinderSettings& s) { s.Lists.Masks.clear(); });
    EXPECT_TRUE(Loaded(path).Lists.Masks.empty());
}

TEST(FinderSettingsTest, ARunWithoutTheSearchDialogKeepsTheStoredSearchAndLists) {
    TempFolder folder;
    const std::string path = folder.Path("settings.ini");
    FinderSettings stored;
    ChangeEverything(stored);
    FinderRun(path, true, [&](FinderSettings& s) { s = stored; });

    // A run that only looked at results: what the windows put in the dialog's values
    // is not written, while the window's own values are.
    FinderRun(path, false, [](FinderSettings& s) {
        s.VFindString = "changed";
        s.VFOpenFirst = 99;
        s.VFDType = "Modified";
        s.Lists.FindTexts = {"changed"};
        s.Lists.Folders.clear();
        s.VFLastX = 500;
        s.NoMulti = false;
        s.UseRecycle = false;
    });
    FinderSettings expected = stored;
    expected.VFLastX = 500;
    expected.NoMulti = false;
    expected.UseRecycle = false;
    ExpectSame(expected, Loaded(path));
}

TEST(FinderSettingsTest, ValuesOnlyCarriedAreWrittenBackUnchanged) {
    TempFolder folder;
    const std::string path = folder.File(
        "settings.ini", "[General]\nUseRecycle=1\nAskMe=0\nKillem=1\nSomethingElse=kept\n");
    FinderRun(path, false, [](FinderSettings&) {});
    const FinderSettings loaded = Loaded(path);
    EXPECT_TRUE(loaded.UseRecycle);
    EXPECT_FALSE(loaded.AskMe);
    EXPECT_TRUE(loaded.Killem);
    EXPECT_NE(std::string::npos, ReadAll(path).find("SomethingElse=kept"));
}

TEST(FinderSettingsTest, AGarbageFileGivesTheDefaultsAndIsKeptAside) {
    TempFolder folder;
    const char bytes[] = "\0\x01\x02 this is not a settings file \xff\xfe\n\n";
    const std::string garbage(bytes, sizeof bytes - 1);
    const std::string path = folder.File("settings.ini", garbage);
    ScriptedNotifier notifier;
    notifier.Expect(BoxAnswer::Ok);
    FinderSettings settings;
    FinderRun(
        path, true,
        [&](FinderSettings& s) {
            settings = s;
            s.VFindString = "new";
        },
        &notifier);
    settings.Splash = true;
    ExpectSame(FinderSettings{}, settings);

    const auto boxes = notifier.Boxes();
    ASSERT_EQ(1u, boxes.size()) << notifier.Describe();
    EXPECT_EQ("Vantor Finder Error", boxes[0].box.caption);
    EXPECT_TRUE(boxes[0].box.text.contains(QString::fromStdString(path + ".bad")))
        << boxes[0].box.text.toStdString();
    EXPECT_TRUE(notifier.AllAsExpected()) << notifier.Describe();

    EXPECT_EQ(garbage, ReadAll(path + ".bad"));
    EXPECT_EQ("new", Loaded(path).VFindString); // a fresh file, no garbage in it
}

TEST(FinderSettingsTest, ASaveThatFailsIsReported) {
    TempFolder folder;
    const std::string path = folder.File("not-a-folder") + "/settings.ini";
    ScriptedNotifier notifier;
    notifier.Expect(BoxAnswer::Ok);
    SettingsStore store(path);
    FinderSettings settings;
    LoadFinderSettings(store, kProgram, settings, notifier);
    EXPECT_TRUE(notifier.Boxes().empty()); // the marker's failure waits for the save
    EXPECT_FALSE(SaveFinderSettings(store, settings, true, notifier));

    const auto boxes = notifier.Boxes();
    ASSERT_EQ(1u, boxes.size());
    EXPECT_EQ("Vantor Finder Error", boxes[0].box.caption);
    EXPECT_EQ(platform::BoxIcon::Error, boxes[0].box.icon);
    EXPECT_TRUE(boxes[0].box.text.contains(QString::fromStdString(path)));
    EXPECT_TRUE(notifier.AllAsExpected()) << notifier.Describe();

    TempFolder writable;
    SettingsStore good(writable.Path("settings.ini"));
    EXPECT_TRUE(SaveFinderSettings(good, settings, true, notifier));
    EXPECT_EQ(1u, notifier.Boxes().size());
}

} // namespace
} // namespace mvf::settings
