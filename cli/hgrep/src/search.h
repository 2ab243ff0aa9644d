// Runs the library's file search for hgrep and prints what it answers.
#pragma once

#include <cstdio>
#include <string>

#include "mvfindgrep.h"
#include "options.h"

namespace mvf::cli {

// Messages on, and a line feed ends a line for ^ and $: the library's lines keep theirs.
constexpr int kLibraryOptions = HGREP_OPT_MESSAGES | HGREP_OPT_LF_ENDS_LINE;

// Prepares the library: captions, notices to `err`, line feeds ending lines for ^ and $.
void SetUpLibrary(std::FILE* err);

// Compiles the pattern; false when it is unusable, the library having said why.
bool CompilePattern(const Options& options);

// Searches one file and prints its lines (or its count) to `out`. Answers how many lines
// were reported, or -1 when the file cannot be read (said on the notice stream).
long SearchFile(const Options& options, const std::string& path, std::FILE* out);

} // namespace mvf::cli
