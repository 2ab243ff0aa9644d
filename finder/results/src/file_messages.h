// The message boxes of saving and loading results files, in one place.
#pragma once

#include <string>
#include <string_view>

#include "finder/results/results_file.h"

namespace mvf::results::detail {

// The name part of a path: what follows its last "/".
std::string_view NamePart(std::string_view path);

Message UnableToOpen(std::string_view path);
// A failure after the file was opened; `reason` is the system's error text.
Message UnableToWrite(std::string_view path, std::string_view reason);
Message UnableToRead(std::string_view path, std::string_view reason);
// A file that is not a results file; `detail`, when not empty, says which line failed.
Message NotAResultsFile(std::string_view path, std::string_view detail = {});

inline FileResult Failure(Message message) {
    return {FileStatus::Failed, std::move(message)};
}

} // namespace mvf::results::detail
