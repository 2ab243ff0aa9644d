#include "viewer/app/about_box.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "assets/icons.h"
#include "viewer/app/viewer_texts.h"

namespace mvf::viewer {

TMdiAbout::TMdiAbout(QWidget* parent) : QDialog(parent) {
    setObjectName("MdiAbout");
    setWindowTitle(QString::fromUtf8(kAboutCaption.data(), kAboutCaption.size()));

    auto* icon = new QLabel(this);
    icon->setPixmap(assets::appIcon(assets::Program::Viewer).pixmap(48, 48));
    auto* title = new QLabel(QString::fromUtf8(kViewerTitle.data(), kViewerTitle.size()), this);
    title->setObjectName("Title");
    QFont titleFont("Arial");
    titleFont.setStyleHint(QFont::SansSerif);
    titleFont.setPixelSize(20);
    titleFont.setBold(true);
    title->setFont(titleFont);
    auto* version = new QLabel(QStringLiteral("Version %1").arg(QStringLiteral(MVF_VERSION)), this);

    auto* words = new QVBoxLayout;
    words->addWidget(title);
    words->addWidget(version);
    auto* top = new QHBoxLayout;
    top->addWidget(icon, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(words);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addWidget(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

} // namespace mvf::viewer
