// The hourglass for the length of a scope: shown when made, taken away when destroyed,
// on every way out (a return, an exception). Guards nest; each takes away its own.
//
//   { const WaitCursor wait;  SortAMillionRows(); }
#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace mvf::platform {

class WaitCursor {
public:
    WaitCursor() {
        QGuiApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
        // Shown at once, before the work that follows keeps the event loop busy.
        QGuiApplication::sync();
    }
    ~WaitCursor() { QGuiApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

} // namespace mvf::platform
