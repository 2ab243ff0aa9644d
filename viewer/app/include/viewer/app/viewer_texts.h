// The viewer's own texts: its title, captions and messages, in one place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace mvf::viewer {

inline constexpr std::string_view kViewerTitle = "Vantor Finder Viewer";
inline constexpr std::string_view kAboutCaption = "About Vantor Finder Viewer";
// Boxes with the information icon (the save question, "not found").
inline constexpr std::string_view kInformationCaption = "Information";
inline constexpr std::string_view kErrorCaption = "Error";

// The file dialogs' filters: text, ini, batch and Pascal files, then every file.
inline constexpr std::string_view kFileFilters =
    "Text files (*.txt);;Ini files (*.ini);;Batch files (*.bat);;Pascal files (*.pas);;"
    "All files (*)";

// LoadAFile's box for a file that exists but cannot be read.
std::string UnableToOpenText(std::string_view fileName);
// The question before a modified document closes.
std::string HasChangedText(std::string_view caption);
// A find or replace that found nothing.
std::string NotFoundText(std::string_view pattern);
// The save dialog's title: "Save " + the name after the last "/" + " As".
std::string SaveAsTitle(std::string_view fileName);
// The go-to-line prompt for a document of `lineCount` display lines.
std::string GoToLinePrompt(int32_t lineCount);

} // namespace mvf::viewer
