#include "assets/icons.h"

#include "resource_paths.h"

#include <QFile>

// The compiled-in resources live in a static library; naming their initialiser here makes
// the linker keep them in every program that uses an icon.
static void registerCompiledIcons() {
    Q_INIT_RESOURCE(mvf_assets);
}

namespace mvf::assets {
namespace {

QString resource(const QString& name) {
    static const bool registered = (registerCompiledIcons(), true);
    (void)registered;
    return ":" + paths::prefix() + "/" + name;
}

template <typename Sizes, typename Name> QIcon iconOf(const Sizes& sizes, Name name) {
    QIcon icon;
    for (int size : sizes) icon.addFile(resource(name(size)), QSize(size, size));
    return icon;
}

} // namespace

QIcon trayIcon() {
    return iconOf(traySizes, paths::tray);
}

QIcon trayDisabledIcon() {
    return iconOf(traySizes, paths::trayDisabled);
}

QIcon trayFrame(int frame) {
    if (frame < 0 || frame >= trayFrameCount) return {};
    return iconOf(traySizes, [frame](int size) { return paths::trayFrame(frame, size); });
}

QString trayFrameName(int frame) {
    return frame < 0 || frame >= trayFrameCount ? QString() : paths::frameName(frame);
}

QIcon appIcon(Program program) {
    return iconOf(appIconSizes, [program](int size) { return paths::app(program, size); });
}

QImage appIconImage(Program program, int size) {
    for (int s : appIconSizes)
        if (s == size) return QImage(resource(paths::app(program, size)));
    return {};
}

QIcon viewerButtonIcon(ViewerButton button) {
    return iconOf(viewerButtonSizes,
                  [button](int size) { return paths::viewerButton(button, size); });
}

QIcon lineEndIcon(LineEnds kind) {
    QIcon icon;
    for (int scale : {1, 2})
        icon.addFile(resource(paths::lineEnds(kind, scale)),
                     QSize(lineEndIconWidth * scale, lineEndIconHeight * scale));
    return icon;
}

} // namespace mvf::assets
