// The parts of the results file that the save and load dialogs and windows share.
#include "finder/results/results_file.h"
#include "file_messages.h"
#include "text_util.h"

namespace mvf::results {
namespace detail {

std::string_view NamePart(std::string_view path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

Message UnableToOpen(std::string_view path) {
    return {"Unable to open " + std::string(path) + "!", "Vantor Finder Error",
            MessageIcon::Warning};
}

Message UnableToWrite(std::string_view path, std::string_view reason) {
    return {"Unable to write " + std::string(path) + "!\n" + std::string(reason),
            "Vantor Finder Error", MessageIcon::Warning};
}

Message UnableToRead(std::string_view path, std::string_view reason) {
    return {"Unable to read " + std::string(path) + "!\n" + std::string(reason),
            "Vantor Finder Error", MessageIcon::Warning};
}

Message NotAResultsFile(std::string_view path, std::string_view detail) {
    std::string text = std::string(NamePart(path)) + " is not a valid search results file!";
    if (!detail.empty()) text.append("\n").append(detail);
    return {std::move(text), "File Load Error!", MessageIcon::Information};
}

} // namespace detail

namespace {

Message SaveRefusal(std::string text) {
    return {std::move(text), "Results File Save Error!", MessageIcon::Information};
}

} // namespace

std::string LoadingLinesText(std::int64_t count) {
    return std::string(kLoadingText) + "... Lines: " + std::to_string(count);
}

std::string ResultsFilePath(std::string_view fileName, std::string_view resultsFolder) {
    if (fileName != kLastResultsName) return std::string(fileName);
    std::string path(resultsFolder);
    if (!path.empty() && path.back() != '/') path.push_back('/');
    return path.append(fileName);
}

std::optional<Message> CheckSaveAsName(std::string_view chosenPath) {
    const std::string_view name = detail::NamePart(chosenPath);
    const std::size_t dot = name.rfind('.');
    if (dot == std::string_view::npos || !detail::EqualIgnoringCase(name.substr(dot + 1), "ser"))
        return SaveRefusal("You must use a file name extension of SER!");
    if (detail::EqualIgnoringCase(name, kLastResultsName))
        return SaveRefusal("You cannot overwrite the last search results.ser file!");
    return std::nullopt;
}

} // namespace mvf::results
