// Reading a paragraph list from a text file and writing it back.
#pragma once

#include <string>
#include <string_view>

#include "viewer/editor/editor_errors.h"
#include "viewer/editor/para_list.h"

namespace mvf::editor {

// The backup name: the file name with its extension replaced by "." and `backupExt`, or
// with that appended when it has none. The extension starts at the last "." of the last
// path component; a leading "." marks a hidden file here, not an extension.
std::string BackupFileName(const std::string& fileName, std::string_view backupExt);

// The run-time I/O error for a system error number.
EInOutError IoError(int errorNumber);

// Clears `list` and reads the file into it. A carriage return, a line feed, or the pair
// end a line; the first line end found becomes the list's line end. Throws EInOutError
// (or EEditorError when a limit is reached); the list is left empty then.
void LoadTextFile(const std::string& fileName, TParaList& list, bool trimWhiteSpace);

// Writes every paragraph followed by the list's line end (the last one only when it is
// not empty) to a temporary file in the same folder, then, after the backup step (when
// `backupName` is not empty and differs from the file name), renames it over the file.
// Throws EInOutError; a failed save leaves the old file and any old backup as they were.
void SaveTextFile(const std::string& fileName, TParaList& list, const std::string& backupName);

} // namespace mvf::editor
