#include "about_box.h"

#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

#include "assets/icons.h"
#include "finder/shell/startup_rules.h"
#include "qt_text.h"

namespace mvf::shell {

MdiAbout::MdiAbout(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint) {
    setObjectName(QStringLiteral("TMdiAbout"));
    setWindowTitle(QText(kAboutCaption));

    auto* icon = new QLabel(this);
    icon->setPixmap(assets::appIcon(assets::Program::Finder).pixmap(64, 64));

    auto* title = new QLabel(QText(kAboutTitle), this);
    title->setObjectName(QStringLiteral("AboutTitle"));
    QFont titleFont(QStringLiteral("Sans Serif"));
    titleFont.setStyleHint(QFont::SansSerif);
    titleFont.setPixelSize(20);
    titleFont.setBold(true);
    title->setFont(titleFont);

    auto* version = new QLabel(QStringLiteral("Version 2.1"), this);
    auto* maker = new QLabel(QStringLiteral("Made by ") + QText(kAboutMaker), this);
    maker->setObjectName(QStringLiteral("AboutMaker"));

    auto* texts = new QVBoxLayout;
    texts->setSpacing(4);
    texts->addWidget(title);
    texts->addWidget(version);
    texts->addWidget(maker);
    texts->addStretch();

    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addLayout(texts);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    buttons->setCenterButtons(true);
    buttons->button(QDialogButtonBox::Ok)->setDefault(true);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 18, 20, 14);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void MdiAbout::showEvent(QShowEvent* event) {
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect place(QPoint(), sizeHint());
        place.moveCenter(screen->availableGeometry().center());
        move(place.topLeft());
    }
    QDialog::showEvent(event);
}

} // namespace mvf::shell
