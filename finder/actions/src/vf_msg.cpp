#include "vf_msg.h"

#include <QLabel>
#include <QVBoxLayout>

#include "finder/results/results_file.h"

namespace mvf::actions::detail {

TVFMsg::TVFMsg(QWidget* window)
    : QWidget(window, Qt::Tool | Qt::WindowStaysOnTopHint), window_(window),
      first_(new QLabel(this)) {
    setObjectName(QStringLiteral("TVFMsg"));
    setWindowTitle(QStringLiteral("Loading"));
    auto* layout = new QVBoxLayout(this);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    first_->setAlignment(Qt::AlignCenter);
    auto* wait = new QLabel(QString::fromUtf8(results::kPleaseWaitText.data(),
                                              qsizetype(results::kPleaseWaitText.size())),
                            this);
    wait->setAlignment(Qt::AlignCenter);
    layout->addWidget(first_);
    layout->addWidget(wait);
}

void TVFMsg::ShowWith(const QString& firstLine) {
    first_->setText(firstLine);
    adjustSize();
    if (window_ && window_->isVisible()) move(window_->geometry().center() - rect().center());
    show();
    raise();
    repaint();
}

void TVFMsg::Finish() {
    first_->clear();
    hide();
}

QString TVFMsg::FirstLine() const {
    return first_->text();
}

} // namespace mvf::actions::detail
