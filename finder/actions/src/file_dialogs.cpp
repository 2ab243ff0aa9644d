#include "finder/actions/file_dialogs.h"

#include <QFile>
#include <QFileDialog>

namespace mvf::actions {

std::optional<std::string> QtFileDialogs::Ask(const FileDialogRequest& request) {
    QFileDialog dialog(window_, request.title, QFile::decodeName(request.folder.c_str()),
                       request.filter);
    dialog.setAcceptMode(request.save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(request.save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setDefaultSuffix(request.defaultSuffix);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
    return QFile::encodeName(dialog.selectedFiles().front()).toStdString();
}

} // namespace mvf::actions
