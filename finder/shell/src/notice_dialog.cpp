#include "notice_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "finder/shell/startup_rules.h"
#include "qt_text.h"

namespace mvf::shell {

FinderMsgDlg::FinderMsgDlg(bool& findMsg, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint),
      findMsg_(findMsg), check_(new QCheckBox(QText(kNoticeCheckText), this)) {
    setObjectName(QStringLiteral("TFinderMsgDlg"));
    setWindowTitle(QText(kNoticeCaption));

    QStringList lines;
    for (std::string_view line : kNoticeLines) lines << QText(line);
    auto* text = new QLabel(lines.join(QLatin1Char('\n')), this);
    text->setObjectName(QStringLiteral("NoticeText"));

    check_->setChecked(findMsg_);
    connect(check_, &QCheckBox::toggled, this, [this](bool on) { findMsg_ = on; });

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 14, 16, 12);
    layout->setSpacing(12);
    layout->addWidget(text);
    layout->addWidget(check_);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
}

void FinderMsgDlg::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect place(QPoint(), sizeHint());
        place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
    QDialog::showEvent(event);
}

} // namespace mvf::shell
