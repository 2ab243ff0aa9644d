// The questions of the delete command that are not message boxes: the choice for several
// files (the dialog TVFDelDlg) and the choice for one file (TDelFileDlg). The program asks
// them through QtDeletePrompts (delete_dialogs.h), the tests through
// ScriptedDeletePrompts.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace mvf::actions {

// How the selected files are to be deleted.
enum class DeleteMode {
    AskEach,     // Askall: the choice of recycling or deleting is asked for each file
    RecycleAll,  // Recycleall: all to the trash, without questions
    DeleteAll,   // DeleteAll / DelAll: all from disk, after one question
    ConfirmEach, // Confirm: each deleted from disk after its own question
};

// What happens to one file.
enum class FileDisposal { Trash, DeleteFromDisk };

class DeletePrompts {
public:
    virtual ~DeletePrompts() = default;
    // "You have selected <count> files for deletion!": the mode, or nothing for Cancel.
    // Without a trash (`noRecycleBin`) only ConfirmEach and DeleteAll are offered.
    virtual std::optional<DeleteMode> ChooseMode(std::size_t count, bool noRecycleBin) = 0;
    // For AskEach, for the file at `path`: its disposal, or nothing for Cancel (the file is
    // skipped).
    virtual std::optional<FileDisposal> ChooseDisposal(const std::string& path) = 0;
};

} // namespace mvf::actions
