// Reading the settings: the start-up read and the main window's load.
#include "finder/settings/finder_settings.h"
#include "setting_fields.h"
#include "settings_messages.h"

namespace mvf::settings {
namespace {

template <typename T>
void Load(const platform::SettingsStore& store, const Field<T>& field, FinderSettings& settings) {
    settings.*(field.member) = store.Read(Handle(field));
}

template <typename... Fields>
void LoadAll(const platform::SettingsStore& store, const std::tuple<Fields...>& fields,
             FinderSettings& settings) {
    std::apply([&](const auto&... field) { (Load(store, field, settings), ...); }, fields);
}

} // namespace

void ReadStartupSettings(const platform::SettingsStore& store, FinderSettings& settings) {
    Load(store, kFindMsg, settings);
    Load(store, kSplash, settings);
}

void LoadFinderSettings(platform::SettingsStore& store, const std::string& programFile,
                        FinderSettings& settings, platform::Notifier& notifier) {
    if (store.Unreadable()) notifier.Show(UnreadableSettingsBox(store));

    settings.Lists.Masks = store.ReadList(kMasksGroup);
    settings.Lists.FindTexts = store.ReadList(kFindTextsGroup);
    settings.Lists.Folders = store.ReadList(kFoldersGroup);

    store.Write(kOpenMarker, "Yes");
    store.Write(kProgramPath, programFile);
    store.Write(kFileLocation, programFile);
    // The marker is for other programs, so it goes to disk now; a store that cannot be
    // written is reported once, by the save at exit.
    store.Flush();

    for (std::size_t i = 0; i < settings.VFCol.size(); ++i) {
        const int width = store.Read(platform::IntSetting{kColumnKeys[i], kNoStoredWidth});
        settings.VFCol[i] = width == kNoStoredWidth ? kStandardWidth : width;
    }
    LoadAll(store, kPlaceFields, settings);
    Load(store, kVisible, settings);
    Load(store, kRolledUp, settings);
    LoadAll(store, kDialogFields, settings);
    Load(store, kUseRecycle, settings);
    Load(store, kAskMe, settings);
    Load(store, kKillem, settings);
    Load(store, kNoMulti, settings);
    Load(store, kUseViewer, settings);
    Load(store, kFindMsg, settings);
    Load(store, kToolbarMode, settings);
}

} // namespace mvf::settings
