// Key tables and the processor that turns keys into editor commands.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "viewer/editor/commands.h"

namespace mvf::editor {

// One table entry: a key, or a two-key sequence, and its command.
struct KeyEntry {
    uint8_t key1 = 0;
    uint8_t shift1 = 0;
    uint8_t key2 = 0; // 0 for a single key
    uint8_t shift2 = 0;
    uint16_t command = ccNone;
};

class TOvcCommandTable {
public:
    TOvcCommandTable(std::string name, bool active, std::vector<KeyEntry> entries)
        : name_(std::move(name)), active_(active), entries_(std::move(entries)) {}
    const std::string& Name() const { return name_; }
    bool Active() const { return active_; }
    void SetActive(bool active) { active_ = active; }
    const std::vector<KeyEntry>& Entries() const { return entries_; }

private:
    std::string name_;
    bool active_;
    std::vector<KeyEntry> entries_;
};

// The built-in tables.
std::vector<KeyEntry> DefaultKeyTable();
std::vector<KeyEntry> WordStarKeyTable();

// Searches the active tables in list order and keeps the state of a key sequence.
class TOvcCommandProcessor {
public:
    enum State { Idle = 0, FirstKeySeen = 1, Literal = 2 };

    std::vector<TOvcCommandTable>& Tables() { return tables_; }
    const std::vector<TOvcCommandTable>& Tables() const { return tables_; }
    TOvcCommandTable* Table(std::string_view name);

    // Translates a key-down (virtual key and modifier bits) into a command code.
    int Translate(uint8_t key, uint8_t shift);
    // What Translate would answer now, leaving the sequence state as it is (so a window
    // can ask whether the editor wants a key before its shortcuts take it).
    int Peek(uint8_t key, uint8_t shift) const;
    State SequenceState() const { return state_; }

private:
    struct Match {
        int command;
        State next;
    };
    Match Resolve(uint8_t key, uint8_t shift) const;

    std::vector<TOvcCommandTable> tables_;
    State state_ = Idle;
    uint8_t firstKey_ = 0;
    uint8_t firstShift_ = 0;
};

// A stored table as a form definition keeps it: built-in names take built-in entries.
struct StoredTable {
    std::string name;
    bool active = false;
    std::vector<KeyEntry> entries;
};

// Shared by all editors of a window, so a sequence started in one editor can end in another.
class TOvcController {
public:
    // The built-in tables: "Default" (active), then "WordStar" (inactive).
    TOvcController();
    // Rebuilds the table list from a stored one.
    void LoadTables(const std::vector<StoredTable>& stored);
    // The viewer's list: "WordStar" (inactive) first, so that when on it is searched first.
    static std::vector<StoredTable> ViewerTables();

    TOvcCommandProcessor EntryCommands;
};

} // namespace mvf::editor
