// Writing the settings at exit, in the order the finder has always written them.
#include "finder/settings/finder_settings.h"
#include "setting_fields.h"
#include "settings_messages.h"

namespace mvf::settings {
namespace {

template <typename T>
void Save(platform::SettingsStore& store, const Field<T>& field, const FinderSettings& settings) {
    store.Write(Handle(field), settings.*(field.member));
}

template <typename... Fields>
void SaveAll(platform::SettingsStore& store, const std::tuple<Fields...>& fields,
             const FinderSettings& settings) {
    std::apply([&](const auto&... field) { (Save(store, field, settings), ...); }, fields);
}

} // namespace

bool SaveFinderSettings(platform::SettingsStore& store, const FinderSettings& settings,
                        bool searchDialogShown, platform::Notifier& notifier) {
    Save(store, kToolbarMode, settings);
    store.Write(kOpenMarker, "No");
    for (std::size_t i = 0; i < settings.VFCol.size(); ++i) {
        const int width = settings.VFCol[i];
        store.Write(platform::IntSetting{kColumnKeys[i], kNoStoredWidth},
                    width == 0 ? kStandardWidth : width);
    }
    SaveAll(store, kPlaceFields, settings);
    Save(store, kRolledUp, settings);
    Save(store, kVisible, settings);
    if (searchDialogShown) SaveAll(store, kDialogFields, settings);
    Save(store, kSplash, settings);
    Save(store, kNoMulti, settings);
    Save(store, kUseViewer, settings);
    if (searchDialogShown) {
        store.WriteList(kFindTextsGroup, settings.Lists.FindTexts);
        store.WriteList(kMasksGroup, settings.Lists.Masks);
        store.WriteList(kFoldersGroup, settings.Lists.Folders);
    }
    Save(store, kUseRecycle, settings);
    Save(store, kAskMe, settings);
    Save(store, kKillem, settings);
    Save(store, kFindMsg, settings);

    if (store.Flush()) return true;
    notifier.Show(SaveFailedBox(store));
    return false;
}

} // namespace mvf::settings
