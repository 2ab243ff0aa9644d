// Where each compiled-in picture lies inside the resources. The build tool writes them
// under these names and the icon functions read them back, so both use this one list.
#pragma once

#include "assets/icons.h"

#include <QString>

namespace mvf::assets::paths {

// The resource prefix of every compiled-in picture.
inline QString prefix() {
    return QStringLiteral("/mvf/assets");
}

inline QString tray(int size) {
    return QStringLiteral("tray/normal_%1.png").arg(size);
}
inline QString trayDisabled(int size) {
    return QStringLiteral("tray/disabled_%1.png").arg(size);
}
inline QString frameName(int frame) {
    return QStringLiteral("A%1").arg(103 + frame);
}
inline QString trayFrame(int frame, int size) {
    return QStringLiteral("tray/%1_%2.png").arg(frameName(frame)).arg(size);
}
inline QString app(Program program, int size) {
    return QStringLiteral("app/%1_%2.png")
        .arg(program == Program::Finder ? "finder" : "viewer")
        .arg(size);
}
inline QString viewerButton(ViewerButton button, int size) {
    static const char* const names[] = {"open", "save", "cut", "copy", "paste", "exit"};
    return QStringLiteral("viewer/%1_%2.png").arg(names[int(button)]).arg(size);
}

// `scale` 1 is the picture of lineEndIconSize, 2 the one for dense screens.
inline QString lineEnds(LineEnds kind, int scale) {
    static const char* const names[] = {"dos", "mac", "unix", "binary"};
    return QStringLiteral("types/%1_%2.png").arg(names[int(kind)]).arg(lineEndIconWidth * scale);
}

} // namespace mvf::assets::paths
