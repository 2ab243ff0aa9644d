#include "viewer/editor/controller.h"

#include <strings.h>

namespace mvf::editor {
namespace {

bool IsModifierKey(uint8_t key) {
    return key == vkShift || key == vkControl || key == vkMenu || key == vkCapital ||
           key == vkNumLock || key == vkScroll;
}

bool SecondShiftMatches(uint8_t wanted, uint8_t shift) {
    if (wanted == ssNoneOrCtrl) return shift == 0 || shift == ssCtrl;
    return wanted == shift;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && ::strncasecmp(a.data(), b.data(), a.size()) == 0;
}

} // namespace

TOvcCommandTable* TOvcCommandProcessor::Table(std::string_view name) {
    for (TOvcCommandTable& table : tables_) {
        if (SameName(table.Name(), name)) return &table;
    }
    return nullptr;
}

TOvcCommandProcessor::Match TOvcCommandProcessor::Resolve(uint8_t key, uint8_t shift) const {
    if (IsModifierKey(key)) return {state_ == FirstKeySeen ? ccPartial : ccNoCmd, state_};
    if (state_ == Literal) return {ccNoCmd, Idle};
    const bool pending = state_ == FirstKeySeen;
    for (const TOvcCommandTable& table : tables_) {
        if (!table.Active()) continue;
        for (const KeyEntry& e : table.Entries()) {
            if (!pending) {
                if (e.key1 != key || e.shift1 != shift) continue;
                if (e.key2 != 0) return {ccPartial, FirstKeySeen};
                return {e.command, e.command == ccCtrlChar ? Literal : Idle};
            }
            if (e.key1 == firstKey_ && e.shift1 == firstShift_ && e.key2 == key &&
                SecondShiftMatches(e.shift2, shift)) {
                return {e.command, e.command == ccCtrlChar ? Literal : Idle};
            }
        }
    }
    return {pending ? ccSeqBroken : ccNoCmd, Idle};
}

int TOvcCommandProcessor::Translate(uint8_t key, uint8_t shift) {
    const Match match = Resolve(key, shift);
    if (match.next == FirstKeySeen && state_ != FirstKeySeen) {
        firstKey_ = key;
        firstShift_ = shift;
    }
    state_ = match.next;
    return match.command;
}

int TOvcCommandProcessor::Peek(uint8_t key, uint8_t shift) const {
    return Resolve(key, shift).command;
}

TOvcController::TOvcController() {
    EntryCommands.Tables().emplace_back("Default", true, DefaultKeyTable());
    EntryCommands.Tables().emplace_back("WordStar", false, WordStarKeyTable());
}

void TOvcController::LoadTables(const std::vector<StoredTable>& stored) {
    auto& tables = EntryCommands.Tables();
    tables.clear();
    for (const StoredTable& s : stored) {
        if (SameName(s.name, "Default")) {
            tables.emplace_back(s.name, s.active, DefaultKeyTable());
        } else if (SameName(s.name, "WordStar")) {
            tables.emplace_back(s.name, s.active, WordStarKeyTable());
        } else {
            tables.emplace_back(s.name, s.active, s.entries);
        }
    }
}

std::vector<StoredTable> TOvcController::ViewerTables() {
    return {{"WordStar", false, {}}, {"Default", true, {}}};
}

} // namespace mvf::editor
