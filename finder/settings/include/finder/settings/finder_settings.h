// Every setting the finder keeps between runs, its type and its default, and when each is
// read and written.
//
// The values live in one plain struct, named after their keys in the store; a
// default-constructed `FinderSettings` holds every default (a first run). The windows read
// the struct when they are created or first shown and write back into it when they close;
// only the three functions below touch the store:
//
//   SettingsStore store;                        // the user's (platform/qt/settings_store.h)
//   FinderSettings settings;
//   ReadStartupSettings(store, settings);       // before any window: FindMsg, Splash
//   LoadFinderSettings(store, programFile, settings, notifier);   // main window created
//   ...                                         // the run
//   SaveFinderSettings(store, settings, searchDialogWasShown, notifier);  // at exit
//
// What is written when:
//  - Load reads every value except `Splash` (the start-up read's), and the three lists;
//    it marks the run in the store: "VFOpen" = "Yes", "VFPath" and "FILE_LOCATION" = the
//    program file (values other programs may read; the finder never reads them).
//    A column width stored as 9999 (or missing) loads as 100.
//  - Save writes "VFOpen" = "No", the toolbar mode, the column widths (a width of 0 is
//    saved as 100), the window's place, `Splash`, `NoMulti`, `UseViewer`, `UseRecycle`,
//    `AskMe`, `Killem` and `FindMsg`. The search dialog's values and the three lists are
//    written only when the search dialog was shown during the run; otherwise the stored
//    search and lists stay as they were. A list is written whole (no stale entries).
//  - `UseRecycle`, `AskMe` and `Killem` are carried from load to save unchanged; nothing
//    acts on them.
// Failures are told to the user through the notifier (caption "Vantor Finder Error"):
// a settings file that cannot be read (the run starts from the defaults; the file is kept
// aside as "<file>.bad") when loading, a save that did not reach the disk when saving.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "platform/qt/notifier.h"
#include "platform/qt/settings_store.h"

namespace mvf::settings {

// The search dialog's remembered lists, newest first (their rules: the dialog's).
struct StoredLists {
    std::vector<std::string> FindTexts; // group "VFindList"
    std::vector<std::string> Masks;     // group "VFileMask"
    std::vector<std::string> Folders;   // group "VDirectoryList"
};

struct FinderSettings {
    // The five result columns' widths in pixels.
    std::array<int, 5> VFCol{100, 100, 100, 100, 100};

    // The main window's place: left, top, and right and bottom edges (coordinates, not
    // sizes); whether it was visible when recorded (stored only) and rolled up.
    int VFLastX = 0;
    int VFLastY = 0;
    int VFLastCX = 360;
    int VFLastCY = 276;
    bool VFVisible = false;
    bool VFRolledUp = false;

    // The search dialog's last entries (written only when the dialog was shown).
    std::string VFindString;
    std::string VMaskString;
    std::string VDirString;
    bool VFBoolAND = false;
    bool VFBoolOR = false;
    bool VFMatchCase = false;
    bool VFBGSearch = false;
    bool VFBark = true;
    bool VFSuppress = false;
    bool VFWarn = true;
    bool VFDontWarn = false;
    bool VFSkipBinaries = true;
    bool VFSearchSub = false;
    bool VFShowResults = false;
    int VFOpenFirst = 20;
    std::string VFBetLow = "0";
    std::string VFBetHigh = "0";
    std::string VFSmaller = "0";
    std::string VFLarger = "0";
    std::string VFDBetLow;
    std::string VFDBetHigh;
    std::string VFDSooner;
    std::string VFDLater;
    std::string VFDType = "Modified"; // "Modified" or "Created"

    bool UseRecycle = false; // carried unchanged
    bool AskMe = true;       // carried unchanged
    bool Killem = false;     // carried unchanged
    bool NoMulti = false;    // multiple selection in the results list switched off
    bool UseViewer = false;  // found files open in vantorviewer
    bool FindMsg = false;    // the start-up notice is not shown
    bool Splash = true;      // the splash picture is shown at start

    std::string VFTBMode = "S"; // "Toolbars": toolbar buttons "S" small or "M" medium

    StoredLists Lists; // written only when the dialog was shown
};

// Fills `FindMsg` and `Splash` only.
void ReadStartupSettings(const platform::SettingsStore& store, FinderSettings& settings);

// Fills every value but `Splash`, and the lists; writes the run marker (flushed at once).
// Tells the user when the settings file could not be read.
void LoadFinderSettings(platform::SettingsStore& store, const std::string& programFile,
                        FinderSettings& settings, platform::Notifier& notifier);

// Writes the values back and flushes the store. False, after telling the user, when the
// settings did not reach the disk.
bool SaveFinderSettings(platform::SettingsStore& store, const FinderSettings& settings,
                        bool searchDialogShown, platform::Notifier& notifier);

} // namespace mvf::settings
