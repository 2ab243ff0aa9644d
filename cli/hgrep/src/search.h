// hgrep's search: each line of a file searched with the library's record of the kind, and
// the lines that answer printed in the library's file-search format.
#pragma once

#include <cstdio>
#include <string>

#include "mvfindgrep.h"
#include "options.h"

namespace mvf::cli {

// Prepares the library: captions, notices to `err`.
void SetUpLibrary(std::FILE* err);

// Compiles the pattern; false when it is unusable, the library having said why.
bool CompilePattern(const Options& options);

// Searches one file and prints its lines (or its count) to `out`. Answers how many lines
// were reported, or -1 when the file cannot be read (said on the notice stream).
long SearchFile(const Options& options, const std::string& path, std::FILE* out);

} // namespace mvf::cli
