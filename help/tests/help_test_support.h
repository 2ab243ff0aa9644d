// The help file as built beside the programs, read once per test program.
#pragma once

#include <string>

#include "html_reader.h"
#include "testsupport/temp_folder.h"

namespace mvf::testing {

inline const std::string& HelpFilePath() {
    static const std::string path = HELP_FILE_PATH;
    return path;
}

inline const HtmlDocument& HelpDocument() {
    static const HtmlDocument doc = ReadHtml(ReadAll(HelpFilePath()));
    return doc;
}

} // namespace mvf::testing
