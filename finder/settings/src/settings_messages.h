// The boxes that tell the user the settings could not be read or saved.
#pragma once

#include "platform/qt/notifier.h"
#include "platform/qt/settings_store.h"

namespace mvf::settings {

inline constexpr const char* kFinderErrorCaption = "Vantor Finder Error";

platform::MessageBox UnreadableSettingsBox(const platform::SettingsStore& store);
platform::MessageBox SaveFailedBox(const platform::SettingsStore& store);

} // namespace mvf::settings
