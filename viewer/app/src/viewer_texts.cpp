#include "viewer/app/viewer_texts.h"

namespace mvf::viewer {

std::string UnableToOpenText(std::string_view fileName) {
    return "Unable to open " + std::string(fileName) +
           "!\n\rIt may be locked by another application.";
}

std::string HasChangedText(std::string_view caption) {
    return std::string(caption) + " has changed, do you wish to save?";
}

std::string NotFoundText(std::string_view pattern) {
    return "Search string '" + std::string(pattern) + "' not found";
}

std::string SaveAsTitle(std::string_view fileName) {
    const size_t slash = fileName.rfind('/');
    const std::string_view name =
        slash == std::string_view::npos ? fileName : fileName.substr(slash + 1);
    return "Save " + std::string(name) + " As";
}

std::string GoToLinePrompt(int32_t lineCount) {
    return "Enter Line Number (1 to " + std::to_string(lineCount) + ")";
}

} // namespace mvf::viewer
