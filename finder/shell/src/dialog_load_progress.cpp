#include "dialog_load_progress.h"

#include <QProgressBar>

#include "finder/dialog/vf_progress.h"

namespace mvf::shell {

void DialogLoadProgress::Open(const QString& caption, int maximum) {
    if (!progress_) return;
    progress_->setWindowTitle(caption);
    progress_->Begin(maximum);
}

void DialogLoadProgress::Step(const QString& caption, int position) {
    if (!progress_) return;
    progress_->setWindowTitle(caption);
    // A file may hold more entries than its first line announced.
    QProgressBar* bar = progress_->Bar();
    if (position > bar->maximum()) bar->setMaximum(position);
    progress_->SetPosition(position);
}

void DialogLoadProgress::Close() {
    if (!progress_) return;
    progress_->setWindowTitle(QString());
    progress_->End();
}

} // namespace mvf::shell
