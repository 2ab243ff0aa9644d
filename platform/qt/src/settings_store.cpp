#include "platform/qt/settings_store.h"

#include <optional>

#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStringList>

namespace mvf::platform {
namespace {

QString Key(const char* key) {
    return QString::fromUtf8(key);
}

std::string UserSettingsPath() {
    return QSettings("Korvath", "Morvel Vantor Finder").fileName().toStdString();
}

bool FileCanBeRead(const QString& path) {
    QSettings probe(path, QSettings::IniFormat);
    // Sections are parsed when first used: list every key so that all of them are.
    probe.allKeys();
    return probe.status() == QSettings::NoError;
}

// Numbers are what the store writes; "true" and "false" are what a hand-edited file may
// hold. Anything else reads as missing.
std::optional<int> ReadNumber(const QVariant& value) {
    if (!value.isValid() || value.typeId() == QMetaType::QStringList) return std::nullopt;
    const QString text = value.toString().trimmed();
    if (text.compare(u"true", Qt::CaseInsensitive) == 0) return 1;
    if (text.compare(u"false", Qt::CaseInsensitive) == 0) return 0;
    bool ok = false;
    const int number = text.toInt(&ok);
    return ok ? std::optional<int>(number) : std::nullopt;
}

std::string ReadText(const QVariant& value) {
    // An INI value with bare commas reads as a list; give it back as it was written.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u", ").toStdString();
    return value.toString().toStdString();
}

} // namespace

SettingsStore::SettingsStore() : path_(UserSettingsPath()) {
    Open();
}

SettingsStore::SettingsStore(const std::string& iniPath) : path_(iniPath) {
    Open();
}

SettingsStore::~SettingsStore() = default;

void SettingsStore::Open() {
    const QString path = QString::fromStdString(path_);
    const QFileInfo file(path);
    if (file.exists() && !FileCanBeRead(path)) {
        unreadable_ = true;
        const QString aside = path + ".bad";
        if (!file.isFile()) return;
        QFile::remove(aside);
        if (!QFile::rename(path, aside)) return;
        setAside_ = aside.toStdString();
    }
    settings_ = std::make_unique<QSettings>(path, QSettings::IniFormat);
}

bool SettingsStore::Read(const BoolSetting& setting) const {
    if (!settings_) return setting.fallback;
    const std::optional<int> number = ReadNumber(settings_->value(Key(setting.key)));
    return number ? *number != 0 : setting.fallback;
}

int SettingsStore::Read(const IntSetting& setting) const {
    if (!settings_) return setting.fallback;
    return ReadNumber(settings_->value(Key(setting.key))).value_or(setting.fallback);
}

std::string SettingsStore::Read(const TextSetting& setting) const {
    if (!settings_) return setting.fallback;
    const QVariant value = settings_->value(Key(setting.key));
    return value.isValid() ? ReadText(value) : setting.fallback;
}

void SettingsStore::Write(const BoolSetting& setting, bool value) {
    if (settings_) settings_->setValue(Key(setting.key), value ? 1 : 0);
}

void SettingsStore::Write(const IntSetting& setting, int value) {
    if (settings_) settings_->setValue(Key(setting.key), value);
}

void SettingsStore::Write(const TextSetting& setting, const std::string& value) {
    if (settings_) settings_->setValue(Key(setting.key), QString::fromStdString(value));
}

std::vector<std::string> SettingsStore::ReadList(const std::string& group) const {
    std::vector<std::string> entries;
    if (!settings_) return entries;
    const QString prefix = QString::fromStdString(group) + u'/';
    for (int i = 0;; ++i) {
        const QString key = prefix + QString::number(i);
        if (!settings_->contains(key)) break;
        entries.push_back(ReadText(settings_->value(key)));
    }
    return entries;
}

void SettingsStore::WriteList(const std::string& group, const std::vector<std::string>& entries) {
    if (!settings_) return;
    const QString name = QString::fromStdString(group);
    settings_->remove(name);
    for (std::size_t i = 0; i < entries.size(); ++i)
        settings_->setValue(name + u'/' + QString::number(i), QString::fromStdString(entries[i]));
}

bool SettingsStore::Flush() {
    if (!settings_) {
        flushFailed_ = true;
        return false;
    }
    settings_->sync();
    flushFailed_ = settings_->status() != QSettings::NoError;
    return !flushFailed_;
}

} // namespace mvf::platform
