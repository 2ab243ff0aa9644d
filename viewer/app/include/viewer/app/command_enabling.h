// Which menu items and tool buttons are enabled, from the state of the main window and
// its active document.
#pragma once

#include <cstdint>
#include <optional>

namespace mvf::viewer {

// What the rules need of the active document's active editor.
struct ActiveDocumentFacts {
    int64_t byteCount = 0; // "has text": above 0
    bool selection = false;
    bool readOnly = false;
    bool canUndo = false;
    bool canRedo = false;
    bool split = false;
};

struct FrameFacts {
    int documentCount = 0;
    std::optional<ActiveDocumentFacts> active; // none: no document is active
    bool clipboardText = false;
    bool findTextEmpty = true; // the find dialog's text
};

struct CommandEnabling {
    // Tool buttons.
    bool saveButton = false;
    bool cutButton = false;
    bool copyButton = false;
    bool pasteButton = false;
    // File menu.
    bool print = false;
    bool save = false;
    bool saveAs = false;
    // Edit menu (each also for its second shortcut).
    bool undo = false;
    bool redo = false;
    bool cut = false;
    bool copy = false;
    bool paste = false;
    bool selectAll = false;
    // Search menu.
    bool find = false;
    bool replace = false;
    bool findNext = false;
    bool goToLine = false;
    // Options and Window menus.
    bool font = false;
    bool cascade = false;
    bool tile = false;
    bool arrangeIcons = false;
    bool minimizeAll = false;
    bool split = false;
    bool splitChecked = false;
};

CommandEnabling EnablingFor(const FrameFacts& facts);

} // namespace mvf::viewer
