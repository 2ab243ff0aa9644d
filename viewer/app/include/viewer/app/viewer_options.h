// The options the viewer gives every editor. They last for the run; nothing is stored.
#pragma once

#include <cstdint>

#include "viewer/editor/text_file_editor.h"

namespace mvf::viewer {

enum class TabChoice { Fixed, Real, Smart };

struct ViewerOptions {
    int32_t OptTabSize = 8;
    int32_t OptWrapColumn = 80;
    uint8_t OptSearch = 0; // the editor's search option bits of the last find or replace
    bool FontChosen = false;
    // The Options menu's ticks.
    bool autoIndentation = false;
    bool createBackupFile = true;
    bool fixedTabs = false;
    bool realTabs = true;
    bool smartTabs = false;
    bool wordWrap = true;
    bool wrapToWindow = false;
    bool wordStarCommands = false;

    // Ticks the chosen tab kind only.
    void ChooseTabs(TabChoice choice);
};

// Gives one editor the options, in this order: tab size, word wrap, wrap column,
// auto-indent, backups, tab kind (fixed, real, smart tested in that order, the last ticked
// wins), and with wrap to window, `windowColumns` (the character columns that fit in the
// editor's window) as the wrap column. The editor ignores a tab size of 0 (modulo 256) and
// a wrap column below 1. The font is the window's business.
void ApplyEditorOptions(const ViewerOptions& options, editor::TOvcTextFileEditor& editor,
                        int32_t windowColumns);

} // namespace mvf::viewer
