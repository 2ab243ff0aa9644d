// mvf_artgen: draws every picture of the two programs and synthesises the bark.
//   mvf_artgen FOLDER            writes the files and their .qrc lists into FOLDER
//   mvf_artgen --sheet FILE.png  writes a contact sheet of all of them
// Runs under QT_QPA_PLATFORM=offscreen; needs no display.
#include "catalogue.h"
#include "contact_sheet.h"

#include <QGuiApplication>

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    try {
        using namespace mvf::assets::art;
        if (args.size() == 3 && args[1] == "--sheet") {
            if (!contactSheet(resourceLibrary(), compiledIcons()).save(args[2], "png")) {
                std::fprintf(stderr, "mvf_artgen: cannot write %s\n", qPrintable(args[2]));
                return 1;
            }
            return 0;
        }
        if (args.size() != 2) {
            std::fprintf(stderr, "usage: mvf_artgen FOLDER | mvf_artgen --sheet FILE.png\n");
            return 2;
        }
        writeBundle(resourceLibrary(), args[1]);
        writeBundle(compiledIcons(), args[1]);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "mvf_artgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
