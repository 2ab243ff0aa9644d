// The Qt application object the tests' event loops need, made on first use and kept
// for the rest of the test process.
#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <functional>

namespace mvf::testing {

inline void EnsureQtApplication() {
    if (QCoreApplication::instance()) return;
    static int argc = 1;
    static char name[] = "platform_qt_tests";
    static char* argv[] = {name, nullptr};
    new QCoreApplication(argc, argv); // lives as long as the process
}

// Handles events until `done` says so or `timeout` passed; whether `done` said so.
inline bool RunEventsUntil(const std::function<bool()>& done,
                           std::chrono::milliseconds timeout = std::chrono::seconds(20)) {
    QElapsedTimer clock;
    clock.start();
    QTimer tick; // wakes the wait below at least every 10 ms, for conditions outside Qt
    tick.start(10);
    while (!done()) {
        if (clock.elapsed() > timeout.count()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace mvf::testing
