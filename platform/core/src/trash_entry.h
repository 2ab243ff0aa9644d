// One file's place in a trash: its name under "files" and its ".trashinfo" record.
#pragma once

#include <ctime>
#include <string>
#include <string_view>

namespace mvf::platform {

// The path as the record keeps it: every byte but letters, digits, "-._~" and "/" as
// %XX, so any name, valid UTF-8 or not, survives.
std::string PercentEncodePath(std::string_view path);

// The record's text for a file that was at `recordedPath` (absolute for the home trash,
// relative to the top of the file system for a trash there), trashed at `when`.
std::string TrashInfoText(std::string_view recordedPath, std::time_t when);

struct TrashEntry {
    std::string filePath; // where the file goes: "<trash>/files/<name>"
    std::string infoPath; // its record: "<trash>/info/<name>.trashinfo", already written
    std::string failure;  // why no entry could be made; the paths are empty then
};

// Picks a name for `originalName` that neither "files" nor "info" of the trash at `root`
// has yet ("name", "name.2.ext", "name.3.ext", ...; shortened to fit the file system's
// name limit) and claims it by creating the record exclusively with `infoText`, so two
// processes trashing files of one name at once cannot pick the same one.
TrashEntry MakeTrashEntry(const std::string& root, std::string_view originalName,
                          std::string_view infoText);

} // namespace mvf::platform
