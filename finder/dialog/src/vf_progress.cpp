#include "finder/dialog/vf_progress.h"

#include <QGuiApplication>
#include <QProgressBar>
#include <QScreen>
#include <QVBoxLayout>

namespace mvf::dialog {

VFProgress::VFProgress(QWidget* owner)
    // A window of its own, not a child of the owner: disabling the owner must not disable it.
    : QWidget(nullptr, Qt::Dialog | Qt::WindowTitleHint | Qt::CustomizeWindowHint), owner_(owner),
      bar_(new QProgressBar(this)) {
    setWindowTitle("Progress");
    setObjectName("VFProgress");
    bar_->setTextVisible(false);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bar_);
    setFixedWidth(kWidth);
    setFixedHeight(sizeHint().height());
}

void VFProgress::Begin(int maximum) {
    bar_->setRange(0, std::max(0, maximum));
    bar_->setValue(0);
    const QWidget* centre = owner_ && owner_->isVisible() ? owner_ : nullptr;
    QRect frame = frameGeometry();
    if (centre)
        frame.moveCenter(centre->frameGeometry().center());
    else if (const QScreen* screen = QGuiApplication::primaryScreen())
        frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
    if (owner_ && !isVisible()) {
        ownerWasEnabled_ = owner_->isEnabled();
        owner_->setEnabled(false);
    }
    show();
    raise();
}

void VFProgress::SetPosition(int position) {
    bar_->setValue(std::clamp(position, bar_->minimum(), bar_->maximum()));
}

void VFProgress::End() {
    if (!isVisible()) return;
    hide();
    if (owner_) owner_->setEnabled(ownerWasEnabled_);
}

} // namespace mvf::dialog
