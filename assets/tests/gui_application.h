// One QGuiApplication for the whole test program, on the offscreen platform: icons are
// drawn only while one exists.
#pragma once

#include <QGuiApplication>

namespace mvf::testing {

inline void EnsureGuiApplication() {
    if (QGuiApplication::instance()) return;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "assets_tests";
    static char* argv[] = {name, nullptr};
    static QGuiApplication app(argc, argv);
}

} // namespace mvf::testing
