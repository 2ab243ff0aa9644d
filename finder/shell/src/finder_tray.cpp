#include "finder/shell/finder_tray.h"

#include <QAction>
#include <QMenu>
#include <QSystemTrayIcon>

#include "assets/icons.h"
#include "qt_text.h"

namespace mvf::shell {

FinderTray::FinderTray(bool trayAvailable, QObject* parent)
    : QObject(parent), available_(trayAvailable), icon_(new QSystemTrayIcon(this)),
      inActivePop_(new QMenu), activePop_(new QMenu), restIcon_(assets::trayIcon()),
      disabledIcon_(assets::trayDisabledIcon()) {
    setObjectName(QStringLiteral("FinderTray"));
    for (int i = 0; i < assets::trayFrameCount; ++i)
        frames_[static_cast<std::size_t>(i)] = assets::trayFrame(i);

    inActivePop_->setObjectName(QStringLiteral("InActivePop"));
    newSrch_ =
        inActivePop_->addAction(QStringLiteral("&New search"), this, &FinderTray::NewSrchClicked);
    newSrch_->setObjectName(QStringLiteral("NewSrch"));
    inActivePop_
        ->addAction(QStringLiteral("&Last search results"), this, &FinderTray::ShowLastClicked)
        ->setObjectName(QStringLiteral("ShowLast"));
    inActivePop_->addAction(QStringLiteral("&Help"), this, &FinderTray::Help2Clicked)
        ->setObjectName(QStringLiteral("Help2"));
    inActivePop_
        ->addAction(QStringLiteral("&Exit and Unload"), this, &FinderTray::Exitprogram1Clicked)
        ->setObjectName(QStringLiteral("Exitprogram1"));

    activePop_->setObjectName(QStringLiteral("ActivePop"));
    pause_ =
        activePop_->addAction(QStringLiteral("&Pause search"), this, &FinderTray::Pause1Clicked);
    pause_->setObjectName(QStringLiteral("Pause1"));
    stop_ = activePop_->addAction(QStringLiteral("&Stop search"), this, &FinderTray::Stop1Clicked);
    stop_->setObjectName(QStringLiteral("Stop1"));
    resume_ =
        activePop_->addAction(QStringLiteral("&Resume search"), this, &FinderTray::Resume1Clicked);
    resume_->setObjectName(QStringLiteral("Resume1"));
    connect(activePop_, &QMenu::aboutToShow, this, &FinderTray::ActivePopAboutToShow);

    animation_.setInterval(assets::trayFrameMilliseconds);
    connect(&animation_, &QTimer::timeout, this, &FinderTray::NextFrame);

    connect(icon_, &QSystemTrayIcon::activated, this,
            [this](QSystemTrayIcon::ActivationReason reason) {
                switch (reason) {
                case QSystemTrayIcon::Trigger: emit Clicked(TrayButton::Left); break;
                case QSystemTrayIcon::MiddleClick: emit Clicked(TrayButton::Middle); break;
                case QSystemTrayIcon::Context:
                    // A right click opens the menu when there is one; else it is a click.
                    if (look_.menu == TrayMenu::None) emit Clicked(TrayButton::Right);
                    break;
                default: break;
                }
            });

    icon_->setIcon(restIcon_);
    icon_->setToolTip(QText(look_.hint));
    icon_->setContextMenu(inActivePop_);
}

FinderTray::~FinderTray() {
    delete inActivePop_;
    delete activePop_;
}

void FinderTray::Show() {
    if (available_) icon_->show();
}

void FinderTray::ShowIcon(const QIcon& icon) {
    icon_->setIcon(icon);
}

QIcon FinderTray::CurrentIcon() const {
    return icon_->icon();
}

void FinderTray::NextFrame() {
    frame_ = (frame_ + 1) % assets::trayFrameCount;
    ShowIcon(frames_[static_cast<std::size_t>(frame_)]);
}

void FinderTray::Apply(const TrayLook& look) {
    if (look.state != look_.state) {
        switch (look.state) {
        case TrayIconState::tsEnabled:
            animation_.stop();
            ShowIcon(restIcon_);
            break;
        case TrayIconState::tsDisabled:
            animation_.stop();
            ShowIcon(disabledIcon_);
            break;
        case TrayIconState::tsAnimated:
            frame_ = 0;
            ShowIcon(frames_[0]);
            animation_.start();
            break;
        }
    }
    if (look.menu != look_.menu) {
        switch (look.menu) {
        case TrayMenu::None: icon_->setContextMenu(nullptr); break;
        case TrayMenu::InActivePop: icon_->setContextMenu(inActivePop_); break;
        case TrayMenu::ActivePop: icon_->setContextMenu(activePop_); break;
        }
    }
    if (look.hint != look_.hint) icon_->setToolTip(QText(look.hint));
    look_ = look;
}

void FinderTray::SetActivePopItems(const ActivePopItems& items) {
    pause_->setEnabled(items.Pause1);
    resume_->setEnabled(items.Resume1);
    stop_->setEnabled(items.Stop1);
}

} // namespace mvf::shell
