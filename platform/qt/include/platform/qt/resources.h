// The finder's pictures and sound, read from the resource file "mvfinder.rcc".
//
// The file is a Qt binary resource file holding at its root, by name:
//   "SPLASH.png"             the splash picture, 510 x 263
//   "S_<BASE>.png"           small toolbar glyphs, 24 x 22
//   "M_<BASE>.png"           medium toolbar glyphs, 38 x 38
//                            (<BASE>: BACKGROUNDFIND, FILEOPEN, DELETECURRENTFILE,
//                             CLEARTRACKER, OPENLIST, SAVE, STOP, HELP, EXIT)
//   "MARKERS.png"            the viewer's ten 12 x 12 markers side by side, 120 x 12
//   "BARKSOUND.wav"          the bark, a PCM WAV file
// Callers ask by resource name without the extension: Picture("SPLASH"),
// Picture("S_SAVE"), Sound("BARKSOUND").
//
// The file is looked for anew at each read, in each search folder in turn (the program's
// folder first, an installed data folder after it), registered under ":/mvfinder" for
// that one read and unregistered right after, so it can be replaced while the programs
// run. A missing file, a file that is not a resource file, or a missing name gives a
// null picture or an empty sound; nothing is reported. Reads may come from any thread.
#pragma once

#include <string>
#include <vector>

#include <QByteArray>
#include <QImage>
#include <QString>

namespace mvf::platform {

inline constexpr const char* kResourceFileName = "mvfinder.rcc";

class ResourceLibrary {
public:
    explicit ResourceLibrary(std::vector<std::string> searchFolders);

    QImage Picture(const QString& name) const;
    QByteArray Sound(const QString& name) const; // the WAV file's bytes

    // The resource file a read would use now; empty when there is none.
    std::string FindFile() const;

private:
    QByteArray ReadEntry(const QString& entry) const;

    std::vector<std::string> folders_;
};

} // namespace mvf::platform
