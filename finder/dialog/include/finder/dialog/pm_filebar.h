// The toolbar's docking menu: "Top", "Bottom", "Left", "Right" dock the toolbar on which
// the menu was opened at that edge of its main window.
//
//   filebar.PopupFor(toolbar, globalPos);   // on a right click on the toolbar
#pragma once

#include <QMenu>
#include <QPointer>

class QToolBar;

namespace mvf::dialog {

class PMFilebar : public QMenu {
    Q_OBJECT

public:
    explicit PMFilebar(QWidget* parent = nullptr);

    // Opens the menu for `toolbar` at `globalPos` (returns at once).
    void PopupFor(QToolBar* toolbar, const QPoint& globalPos);

    // Docks `toolbar` at `area` of the main window it belongs to; false when it belongs
    // to none. The docking positions of the design: top 0, left 1, bottom 2, right 3.
    static bool Dock(QToolBar* toolbar, Qt::ToolBarArea area);
    static int DockPosition(Qt::ToolBarArea area);

    QAction* Top() const { return top_; }
    QAction* Bottom() const { return bottom_; }
    QAction* Left() const { return left_; }
    QAction* Right() const { return right_; }

signals:
    // The toolbar was docked (the window may record where).
    void Docked(QToolBar* toolbar, Qt::ToolBarArea area);

private:
    void DockAt(Qt::ToolBarArea area);

    QPointer<QToolBar> toolbar_;
    QAction* top_;
    QAction* bottom_;
    QAction* left_;
    QAction* right_;
};

} // namespace mvf::dialog
