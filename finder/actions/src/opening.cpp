#include "finder/actions/opening.h"

#include <algorithm>
#include <string>

namespace mvf::actions {

bool IsExternalEditor(std::string_view programPath) {
    std::string lower(programPath);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; });
    return lower.find(kExternalEditorName) != std::string::npos;
}

Opener ChooseOpener(std::string_view associatedProgram, bool useViewer) {
    if (!useViewer && IsExternalEditor(associatedProgram)) return Opener::ExternalEditor;
    return useViewer ? Opener::Viewer : Opener::DefaultApplication;
}

} // namespace mvf::actions
