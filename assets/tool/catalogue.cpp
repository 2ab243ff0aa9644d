#include "catalogue.h"

#include "bark.h"
#include "emblems.h"
#include "glyphs.h"
#include "line_ends.h"
#include "markers.h"
#include "paint_kit.h"
#include "resource_paths.h"
#include "splash.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImageWriter>

#include <stdexcept>

namespace mvf::assets::art {
namespace {

// The finder's toolbar glyphs by their base names.
struct ToolbarGlyph {
    const char* base;
    Glyph glyph;
};
constexpr ToolbarGlyph toolbar[] = {
    {"BACKGROUNDFIND", Glyph::NewSearch},
    {"FILEOPEN", Glyph::OpenFiles},
    {"DELETECURRENTFILE", Glyph::DeleteFiles},
    {"CLEARTRACKER", Glyph::ClearList},
    {"OPENLIST", Glyph::LoadList},
    {"SAVE", Glyph::Save},
    {"STOP", Glyph::Stop},
    {"HELP", Glyph::Help},
    {"EXIT", Glyph::Done},
};

// The viewer's buttons in the order of ViewerButton.
constexpr Glyph viewerGlyphs[] = {Glyph::OpenFolder, Glyph::Save,  Glyph::Cut,
                                  Glyph::Copy,       Glyph::Paste, Glyph::Exit};

void writeFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

QString flatName(QString name) {
    return name.replace('/', '_');
}

} // namespace

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image.convertToFormat(QImage::Format_ARGB32)))
        throw std::runtime_error("png: " + writer.errorString().toStdString());
    return bytes;
}

Bundle resourceLibrary() {
    Bundle b{"mvfinder", "/", {}};
    b.items.push_back({"SPLASH.png", pngBytes(splashPicture())});
    for (const ToolbarGlyph& t : toolbar) {
        // The glyph sits in the middle of the button face: 16 pixels in 24 × 22, 32 in 38 × 38.
        b.items.push_back(
            {QString("S_%1.png").arg(t.base), pngBytes(centred(glyph(t.glyph, 16), 24, 22))});
        b.items.push_back(
            {QString("M_%1.png").arg(t.base), pngBytes(centred(glyph(t.glyph, 32), 38, 38))});
    }
    const std::string wave = waveFile(barkSamples(), barkSampleRate);
    b.items.push_back({"BARKSOUND.wav", QByteArray(wave.data(), qsizetype(wave.size()))});
    b.items.push_back({"MARKERS.png", pngBytes(markerStrip())});
    return b;
}

Bundle compiledIcons() {
    Bundle b{"icons", paths::prefix(), {}};
    for (int size : traySizes) {
        const QImage rest = finderEmblem(size);
        b.items.push_back({paths::tray(size), pngBytes(rest)});
        b.items.push_back({paths::trayDisabled(size), pngBytes(greyed(rest))});
        for (int frame = 0; frame < trayFrameCount; ++frame)
            b.items.push_back({paths::trayFrame(frame, size), pngBytes(finderEmblem(size, frame))});
    }
    for (int size : appIconSizes) {
        b.items.push_back({paths::app(Program::Finder, size), pngBytes(finderEmblem(size))});
        b.items.push_back({paths::app(Program::Viewer, size), pngBytes(viewerEmblem(size))});
    }
    for (int button = 0; button < 6; ++button)
        for (int size : viewerButtonSizes)
            b.items.push_back({paths::viewerButton(ViewerButton(button), size),
                               pngBytes(glyph(viewerGlyphs[button], size))});
    for (LineEnds kind : {LineEnds::Dos, LineEnds::Mac, LineEnds::Unix, LineEnds::Binary})
        for (int scale : {1, 2})
            b.items.push_back({paths::lineEnds(kind, scale),
                               pngBytes(lineEndPicture(LineEndKind(int(kind)), scale))});
    return b;
}

void writeBundle(const Bundle& bundle, const QString& folder) {
    const QDir root(folder);
    if (!root.mkpath(bundle.name)) throw std::runtime_error("cannot make " + folder.toStdString());
    QByteArray qrc = "<!DOCTYPE RCC>\n<RCC version=\"1.0\">\n<qresource prefix=\"" +
                     bundle.prefix.toUtf8() + "\">\n";
    for (const Item& item : bundle.items) {
        const QString file = bundle.name + "/" + flatName(item.name);
        writeFile(root.filePath(file), item.bytes);
        qrc += "  <file alias=\"" + item.name.toUtf8() + "\">" + file.toUtf8() + "</file>\n";
    }
    qrc += "</qresource>\n</RCC>\n";
    writeFile(root.filePath(bundle.name + ".qrc"), qrc);
}

} // namespace mvf::assets::art
