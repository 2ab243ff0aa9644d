// Which opener a found file goes to: the viewer, the external editor, or the desktop's
// default application for its type.
#pragma once

#include <string_view>

namespace mvf::actions {

// The viewer, started from the program folder by its absolute path.
inline constexpr std::string_view kViewerProgram = "vantorviewer";
// The maker's external editor is recognised by this name in the path of the program the
// desktop opens a file with (its Linux executable has no ".exe"), compared in lower case.
inline constexpr std::string_view kExternalEditorName = "morvel32";

enum class Opener { ExternalEditor, Viewer, DefaultApplication };

// Whether the program at `programPath` is the external editor.
bool IsExternalEditor(std::string_view programPath);

// The opener for a file whose default application is `associatedProgram` (empty: none):
// the external editor when that is the editor and the viewer is not chosen for every file;
// else the viewer when it is; else the default application.
Opener ChooseOpener(std::string_view associatedProgram, bool useViewer);

} // namespace mvf::actions
