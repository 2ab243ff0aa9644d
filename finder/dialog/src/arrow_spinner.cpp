#include "arrow_spinner.h"

#include <QGridLayout>
#include <QToolButton>
#include <QVBoxLayout>

namespace mvf::dialog {

ArrowSpinner::ArrowSpinner(Kind kind, QWidget* parent) : QWidget(parent) {
    up_ = AddButton(Qt::UpArrow);
    down_ = AddButton(Qt::DownArrow);
    if (kind == Kind::UpDown) {
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        layout->addWidget(up_);
        layout->addWidget(down_);
        return;
    }
    left_ = AddButton(Qt::LeftArrow);
    right_ = AddButton(Qt::RightArrow);
    auto* layout = new QGridLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    // Left and right beside the up-and-down pair, as high as it.
    left_->setFixedSize(11, 22);
    right_->setFixedSize(11, 22);
    layout->addWidget(left_, 0, 0, 2, 1);
    layout->addWidget(up_, 0, 1);
    layout->addWidget(down_, 1, 1);
    layout->addWidget(right_, 0, 2, 2, 1);
}

QToolButton* ArrowSpinner::AddButton(Qt::ArrowType direction) {
    auto* button = new QToolButton(this);
    button->setArrowType(direction);
    button->setAutoRepeat(true);
    button->setFocusPolicy(Qt::NoFocus); // the keys step the box itself
    button->setIconSize(QSize(7, 7));
    button->setFixedSize(direction == Qt::UpArrow || direction == Qt::DownArrow ? QSize(15, 11)
                                                                                : QSize(11, 11));
    connect(button, &QToolButton::clicked, this, [this, direction] { emit Stepped(direction); });
    return button;
}

QToolButton* ArrowSpinner::Button(Qt::ArrowType direction) const {
    switch (direction) {
    case Qt::UpArrow: return up_;
    case Qt::DownArrow: return down_;
    case Qt::LeftArrow: return left_;
    case Qt::RightArrow: return right_;
    case Qt::NoArrow: break;
    }
    return nullptr;
}

} // namespace mvf::dialog
