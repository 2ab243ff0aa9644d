// The editor that reads its text from a file and writes it back.
#pragma once

#include <string>

#include "viewer/editor/editor.h"

namespace mvf::editor {

class TOvcTextFileEditor : public TOvcCustomEditor {
public:
    const std::string& FileName() const { return fileName_; }
    // A new name (kept exactly as given) marks the editor not open; nothing is loaded or
    // cleared.
    void SetFileName(const std::string& name);
    bool IsOpen() const { return isOpen_; }
    // true loads FileName (nothing happens without one); false clears the text.
    void SetIsOpen(bool open);
    bool MakeBackup() const { return makeBackup_; }
    void SetMakeBackup(bool on) { makeBackup_ = on; }
    const std::string& BackupExt() const { return backupExt_; }
    void SetBackupExt(const std::string& ext) { backupExt_ = ext.substr(0, 3); }
    bool TrimWhiteSpace() const { return trimWhiteSpace_; }
    void SetTrimWhiteSpace(bool on) { trimWhiteSpace_ = on; }

    // Throw EInOutError (or EEditorError for a limit); a failed load leaves the text empty
    // and the editor not open, a failed save leaves the document modified.
    void LoadFromFile(const std::string& name);
    void SaveToFile(const std::string& name);

private:
    std::string fileName_;
    bool isOpen_ = false;
    bool makeBackup_ = false;
    std::string backupExt_ = "BAK";
    bool trimWhiteSpace_ = true;
};

} // namespace mvf::editor
