#include "settings_messages.h"

namespace mvf::settings {
namespace {

QString Quoted(const std::string& path) {
    return u'"' + QString::fromStdString(path) + u'"';
}

platform::MessageBox FinderError(QString text) {
    platform::MessageBox box;
    box.caption = kFinderErrorCaption;
    box.text = std::move(text);
    box.icon = platform::BoxIcon::Error;
    return box;
}

} // namespace

platform::MessageBox UnreadableSettingsBox(const platform::SettingsStore& store) {
    QString text = "The settings file\n" + Quoted(store.FilePath()) +
                   "\ncould not be read. Morvel Vantor Finder starts with its default settings.";
    if (!store.SetAsidePath().empty()) {
        text += "\n\nThe unreadable file was kept as\n" + Quoted(store.SetAsidePath()) + ".";
    } else {
        text += "\n\nThe file could not be moved aside either, so the settings of this run "
                "will not be saved and the file stays as it is.";
    }
    return FinderError(text);
}

platform::MessageBox SaveFailedBox(const platform::SettingsStore& store) {
    return FinderError("Morvel Vantor Finder could not save its settings to\n" +
                       Quoted(store.FilePath()) +
                       ".\n\nThe settings of this run are lost. Please check that the folder "
                       "can be written to and that the disk is not full.");
}

} // namespace mvf::settings
