#include "finder/actions/load_progress_window.h"

#include <QProgressDialog>

namespace mvf::actions {

PlainLoadProgress::PlainLoadProgress(QWidget* window) : window_(window) {}

PlainLoadProgress::~PlainLoadProgress() = default;

void PlainLoadProgress::Open(const QString& caption, int maximum) {
    if (!dialog_) {
        dialog_ = std::make_unique<QProgressDialog>(window_);
        dialog_->setCancelButton(nullptr);
        // Not modal: a modal one would run the event loop inside every step. The list is
        // held and its commands disabled while the load runs.
        dialog_->setWindowModality(Qt::NonModal);
        dialog_->setAutoReset(false);
        dialog_->setAutoClose(false);
        dialog_->setMinimumDuration(0);
        dialog_->setFixedWidth(256);
    }
    dialog_->setWindowTitle(caption);
    dialog_->setLabelText(caption);
    dialog_->setRange(0, maximum);
    dialog_->setValue(0);
    dialog_->show();
}

void PlainLoadProgress::Step(const QString& caption, int position) {
    if (!dialog_) return;
    dialog_->setWindowTitle(caption);
    dialog_->setLabelText(caption);
    // A file may hold more entries than its first line announced.
    if (position > dialog_->maximum()) dialog_->setMaximum(position);
    dialog_->setValue(position);
}

void PlainLoadProgress::Close() {
    if (!dialog_) return;
    dialog_->setWindowTitle(QString());
    dialog_->setLabelText(QString());
    dialog_->hide();
}

} // namespace mvf::actions
