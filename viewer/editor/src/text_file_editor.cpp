#include "viewer/editor/text_file_editor.h"

#include "viewer/editor/text_file.h"

namespace mvf::editor {

void TOvcTextFileEditor::SetFileName(const std::string& name) {
    // Names are kept and compared exactly: paths keep their case here, and a final "."
    // is part of a name.
    if (name == fileName_) return;
    fileName_ = name;
    isOpen_ = false;
}

void TOvcTextFileEditor::SetIsOpen(bool open) {
    if (open == isOpen_) return;
    if (!open) {
        isOpen_ = false;
        Paragraphs().Clear();
        return;
    }
    if (!fileName_.empty()) LoadFromFile(fileName_);
}

void TOvcTextFileEditor::LoadFromFile(const std::string& name) {
    fileName_ = name;
    isOpen_ = false;
    LoadTextFile(fileName_, Paragraphs(), trimWhiteSpace_);
    isOpen_ = true;
}

void TOvcTextFileEditor::SaveToFile(const std::string& name) {
    if (name.empty()) return;
    SaveTextFile(name, Paragraphs(), makeBackup_ ? BackupFileName(name, backupExt_) : "");
}

} // namespace mvf::editor
