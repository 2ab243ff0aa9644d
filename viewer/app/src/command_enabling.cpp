#include "viewer/app/command_enabling.h"

namespace mvf::viewer {

CommandEnabling EnablingFor(const FrameFacts& facts) {
    CommandEnabling on;
    const bool anyDocument = facts.documentCount > 0;
    on.saveButton = anyDocument;
    on.cascade = on.tile = on.arrangeIcons = on.minimizeAll = anyDocument;
    if (!facts.active) return on;

    const ActiveDocumentFacts& doc = *facts.active;
    const bool hasText = doc.byteCount > 0;
    on.cutButton = on.copyButton = doc.selection;
    on.pasteButton = facts.clipboardText;
    on.print = on.save = on.saveAs = hasText;
    on.undo = !doc.readOnly && doc.canUndo;
    on.redo = !doc.readOnly && doc.canRedo;
    on.cut = on.copy = doc.selection;
    on.paste = facts.clipboardText;
    on.selectAll = hasText;
    on.find = on.replace = on.goToLine = hasText;
    on.findNext = hasText && !facts.findTextEmpty;
    on.font = true;
    on.split = true;
    on.splitChecked = doc.split;
    return on;
}

} // namespace mvf::viewer
