#include "finder/shell/modal_runner.h"

#include <QDialog>

namespace mvf::shell {

int QtModalRunner::Run(QDialog& dialog) {
    return dialog.exec();
}

} // namespace mvf::shell
