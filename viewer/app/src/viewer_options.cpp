#include "viewer/app/viewer_options.h"

namespace mvf::viewer {

void ViewerOptions::ChooseTabs(TabChoice choice) {
    fixedTabs = choice == TabChoice::Fixed;
    realTabs = choice == TabChoice::Real;
    smartTabs = choice == TabChoice::Smart;
}

void ApplyEditorOptions(const ViewerOptions& options, editor::TOvcTextFileEditor& editor,
                        int32_t windowColumns) {
    editor.SetTabSize(options.OptTabSize);
    editor.SetWordWrap(options.wordWrap);
    editor.SetWrapColumn(options.OptWrapColumn);
    editor.SetAutoIndent(options.autoIndentation);
    editor.SetMakeBackup(options.createBackupFile);
    if (options.fixedTabs) editor.SetTabType(editor::ttFixed);
    if (options.realTabs) editor.SetTabType(editor::ttReal);
    if (options.smartTabs) editor.SetTabType(editor::ttSmart);
    if (options.wrapToWindow) editor.SetWrapColumn(windowColumns);
}

} // namespace mvf::viewer
