// The tray icon `FinderTray`: its three looks (the icon, the greyed icon, the nine-frame
// animation at 100 ms a frame), its hint, and its right-click menus `InActivePop` (at
// rest) and `ActivePop` (a search runs; also the stop button's menu), or no menu while
// background results wait for the click. Clicks are reported; what they do is
// SearchCommands'.
#pragma once

#include <array>

#include <QIcon>
#include <QObject>
#include <QTimer>

#include "finder/shell/search_commands.h"

class QAction;
class QMenu;
class QSystemTrayIcon;

namespace mvf::shell {

class FinderTray final : public QObject {
    Q_OBJECT
public:
    // `trayAvailable`: the desktop has a system tray; without one the icon is never shown
    // and the main window stands in for it.
    FinderTray(bool trayAvailable, QObject* parent = nullptr);
    ~FinderTray() override;

    bool Available() const { return available_; }
    // Puts the icon in the tray (when there is one).
    void Show();

    void Apply(const TrayLook& look);
    const TrayLook& Look() const { return look_; }
    // The icon shown now, and for the animation the frame (0-8) it is at.
    QIcon CurrentIcon() const;
    int Frame() const { return frame_; }
    QSystemTrayIcon* Icon() const { return icon_; }

    QMenu* InActivePop() const { return inActivePop_; }
    // InActivePop's "New search", enabled as the toolbar's New search button is.
    QAction* NewSrch() const { return newSrch_; }
    QMenu* ActivePop() const { return activePop_; }
    // Pause1 / Resume1 / Stop1 enabled as given (`ActivePopPopup`), before ActivePop opens.
    void SetActivePopItems(const ActivePopItems& items);
    QAction* Pause1() const { return pause_; }
    QAction* Resume1() const { return resume_; }
    QAction* Stop1() const { return stop_; }

signals:
    void NewSrchClicked();
    void ShowLastClicked();
    void Help2Clicked();
    void Exitprogram1Clicked();
    void Pause1Clicked();
    void Stop1Clicked();
    void Resume1Clicked();
    // ActivePop is about to open (the window sets its items).
    void ActivePopAboutToShow();
    // A click that opens no menu (`FinderTrayClick`).
    void Clicked(mvf::shell::TrayButton button);

private:
    void NextFrame();
    void ShowIcon(const QIcon& icon);

    bool available_;
    QSystemTrayIcon* icon_;
    QMenu* inActivePop_;
    QMenu* activePop_;
    QAction* newSrch_;
    QAction* pause_;
    QAction* stop_;
    QAction* resume_;
    QIcon restIcon_;
    QIcon disabledIcon_;
    std::array<QIcon, 9> frames_;
    QTimer animation_;
    int frame_ = 0;
    TrayLook look_;
};

} // namespace mvf::shell
