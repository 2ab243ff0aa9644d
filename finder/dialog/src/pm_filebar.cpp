#include "finder/dialog/pm_filebar.h"

#include <QMainWindow>
#include <QToolBar>

namespace mvf::dialog {

PMFilebar::PMFilebar(QWidget* parent) : QMenu(parent) {
    setObjectName("PMFilebar");
    top_ = addAction("Top", this, [this] { DockAt(Qt::TopToolBarArea); });
    bottom_ = addAction("Bottom", this, [this] { DockAt(Qt::BottomToolBarArea); });
    left_ = addAction("Left", this, [this] { DockAt(Qt::LeftToolBarArea); });
    right_ = addAction("Right", this, [this] { DockAt(Qt::RightToolBarArea); });
}

void PMFilebar::PopupFor(QToolBar* toolbar, const QPoint& globalPos) {
    toolbar_ = toolbar;
    popup(globalPos);
}

bool PMFilebar::Dock(QToolBar* toolbar, Qt::ToolBarArea area) {
    auto* window = toolbar ? qobject_cast<QMainWindow*>(toolbar->parentWidget()) : nullptr;
    if (!window) return false;
    window->addToolBar(area, toolbar); // moves it from wherever it was, floating included
    toolbar->show();
    return true;
}

int PMFilebar::DockPosition(Qt::ToolBarArea area) {
    switch (area) {
    case Qt::TopToolBarArea: return 0;
    case Qt::LeftToolBarArea: return 1;
    case Qt::BottomToolBarArea: return 2;
    case Qt::RightToolBarArea: return 3;
    default: return 0;
    }
}

void PMFilebar::DockAt(Qt::ToolBarArea area) {
    QToolBar* toolbar = toolbar_;
    if (Dock(toolbar, area)) emit Docked(toolbar, area);
}

} // namespace mvf::dialog
