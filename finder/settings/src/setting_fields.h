// The settings table: each stored value's key and the struct member that holds it, in
// groups that are read and written together, each in the table's order. A value's default
// is the member's initial value in FinderSettings.
#pragma once

#include <string>
#include <tuple>

#include "finder/settings/finder_settings.h"

namespace mvf::settings {

template <typename T> struct Field {
    const char* key;
    T FinderSettings::*member;
};

template <typename T> platform::Setting<T> Handle(const Field<T>& field) {
    static const FinderSettings defaults;
    return {field.key, defaults.*(field.member)};
}

// The main window's rectangle; its visibility and rolled-up state follow it.
inline const auto kPlaceFields = std::tuple{
    Field<int>{"VFLastX", &FinderSettings::VFLastX},
    Field<int>{"VFLastY", &FinderSettings::VFLastY},
    Field<int>{"VFLastCX", &FinderSettings::VFLastCX},
    Field<int>{"VFLastCY", &FinderSettings::VFLastCY},
};
inline const Field<bool> kVisible{"VFVisible", &FinderSettings::VFVisible};
inline const Field<bool> kRolledUp{"VFRolledUp", &FinderSettings::VFRolledUp};

// The search dialog's values, VFindString to VFDType.
inline const auto kDialogFields = std::tuple{
    Field<std::string>{"VFindString", &FinderSettings::VFindString},
    Field<std::string>{"VMaskString", &FinderSettings::VMaskString},
    Field<std::string>{"VDirString", &FinderSettings::VDirString},
    Field<bool>{"VFBoolAND", &FinderSettings::VFBoolAND},
    Field<bool>{"VFBoolOR", &FinderSettings::VFBoolOR},
    Field<bool>{"VFMatchCase", &FinderSettings::VFMatchCase},
    Field<bool>{"VFBGSearch", &FinderSettings::VFBGSearch},
    Field<bool>{"VFBark", &FinderSettings::VFBark},
    Field<bool>{"VFSuppress", &FinderSettings::VFSuppress},
    Field<bool>{"VFWarn", &FinderSettings::VFWarn},
    Field<bool>{"VFDontWarn", &FinderSettings::VFDontWarn},
    Field<bool>{"VFSkipBinaries", &FinderSettings::VFSkipBinaries},
    Field<bool>{"VFSearchSub", &FinderSettings::VFSearchSub},
    Field<bool>{"VFShowResults", &FinderSettings::VFShowResults},
    Field<int>{"VFOpenFirst", &FinderSettings::VFOpenFirst},
    Field<std::string>{"VFBetLow", &FinderSettings::VFBetLow},
    Field<std::string>{"VFBetHigh", &FinderSettings::VFBetHigh},
    Field<std::string>{"VFSmaller", &FinderSettings::VFSmaller},
    Field<std::string>{"VFLarger", &FinderSettings::VFLarger},
    Field<std::string>{"VFDBetLow", &FinderSettings::VFDBetLow},
    Field<std::string>{"VFDBetHigh", &FinderSettings::VFDBetHigh},
    Field<std::string>{"VFDSooner", &FinderSettings::VFDSooner},
    Field<std::string>{"VFDLater", &FinderSettings::VFDLater},
    Field<std::string>{"VFDType", &FinderSettings::VFDType},
};

inline const Field<bool> kUseRecycle{"UseRecycle", &FinderSettings::UseRecycle};
inline const Field<bool> kAskMe{"AskMe", &FinderSettings::AskMe};
inline const Field<bool> kKillem{"Killem", &FinderSettings::Killem};
inline const Field<bool> kNoMulti{"NoMulti", &FinderSettings::NoMulti};
inline const Field<bool> kUseViewer{"UseViewer", &FinderSettings::UseViewer};
inline const Field<bool> kFindMsg{"FindMsg", &FinderSettings::FindMsg};
inline const Field<bool> kSplash{"Splash", &FinderSettings::Splash};
inline const Field<std::string> kToolbarMode{"Toolbars/VFTBMode", &FinderSettings::VFTBMode};

// The run marker and the column widths, whose rules are not a plain read or write.
inline const platform::TextSetting kOpenMarker{"VFOpen", ""};
inline const platform::TextSetting kProgramPath{"VFPath", ""};
inline const platform::TextSetting kFileLocation{"FILE_LOCATION", ""};
inline constexpr const char* kColumnKeys[5] = {"VFCol0", "VFCol1", "VFCol2", "VFCol3", "VFCol4"};
inline constexpr int kNoStoredWidth = 9999;
inline constexpr int kStandardWidth = 100;

inline constexpr const char* kFindTextsGroup = "VFindList";
inline constexpr const char* kMasksGroup = "VFileMask";
inline constexpr const char* kFoldersGroup = "VDirectoryList";

} // namespace mvf::settings
