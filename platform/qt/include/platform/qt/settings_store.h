// The per-user settings store: QSettings("Korvath", "Morvel Vantor Finder"), an INI file
// in the user's config folder, reached through typed handles.
//
// A handle knows its key, its type and its default:
//
//   inline const IntSetting kLastX{"VFLastX", 0};
//   inline const TextSetting kToolbarMode{"Toolbars/VFTBMode", "S"};  // "Group/Key"
//   int x = store.Read(kLastX);          // the default when missing or not a number
//   store.Write(kLastX, 20);
//   store.Flush();                        // to disk; false (and LastFlushFailed()) on failure
//
// Booleans are stored as the numbers 0 and 1, integers as numbers, strings as strings.
// A value that is missing or cannot be read as its type reads as its default. Lists live
// in a group of their own as values "0", "1", "2", ... read in numeric order until one is
// missing; writing a list removes its group first, so no stale entries stay behind.
//
// An unreadable file. A settings file that is there but cannot be read (not an INI file,
// binary garbage, not readable) is never read and never written over: at construction it
// is renamed to "<file>.bad" (an older "<file>.bad" is replaced) and the store starts
// empty, so every value reads as its default and the next Flush writes a fresh file.
// When it cannot be renamed either, the store stays empty and every Flush fails, leaving
// the file as it was. `Unreadable()` and `SetAsidePath()` tell the program, which tells
// the user.
//
// Writes are held in memory until Flush, which replaces the file in one step: a failed
// flush (folder not writable, disk full) leaves the file on disk as it was.
// Use the store from one thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

class QSettings;

namespace mvf::platform {

template <typename T> struct Setting {
    const char* key; // "Name", or "Group/Name" for a value in a group
    T fallback;      // what a missing or unreadable value reads as
};
using BoolSetting = Setting<bool>;
using IntSetting = Setting<int>;
using TextSetting = Setting<std::string>;

class SettingsStore {
public:
    // The user's store: QSettings("Korvath", "Morvel Vantor Finder").
    SettingsStore();
    // A store in an INI file of its own (tests, tools). The folders above it are created
    // by the first Flush.
    explicit SettingsStore(const std::string& iniPath);
    ~SettingsStore();
    SettingsStore(const SettingsStore&) = delete;
    SettingsStore& operator=(const SettingsStore&) = delete;

    bool Read(const BoolSetting& setting) const;
    int Read(const IntSetting& setting) const;
    std::string Read(const TextSetting& setting) const; // UTF-8
    void Write(const BoolSetting& setting, bool value);
    void Write(const IntSetting& setting, int value);
    void Write(const TextSetting& setting, const std::string& value);

    std::vector<std::string> ReadList(const std::string& group) const;
    void WriteList(const std::string& group, const std::vector<std::string>& entries);

    // Writes every value written so far to the file. False when that failed.
    bool Flush();

    const std::string& FilePath() const { return path_; }
    // The file was there but could not be read: every value read as its default.
    bool Unreadable() const { return unreadable_; }
    // Where the unreadable file was kept; empty when it could not be moved aside (then
    // the store writes nothing at all).
    const std::string& SetAsidePath() const { return setAside_; }
    // The last Flush failed.
    bool LastFlushFailed() const { return flushFailed_; }

private:
    void Open();

    std::string path_;
    std::unique_ptr<QSettings> settings_; // none when an unreadable file is in the way
    bool unreadable_ = false;
    std::string setAside_;
    bool flushFailed_ = false;
};

} // namespace mvf::platform
