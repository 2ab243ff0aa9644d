// Writes the pictures and the sound of the tests' own resource file, and its .qrc:
//   make_test_resources <folder>
// Each picture is one colour (the markers: ten shades, one a glyph) so a test can tell
// which one it read. "S_EXIT" and "M_EXIT" are left out on purpose.
#include <QColor>
#include <QDir>
#include <QFile>
#include <QImage>

#include <cstdio>

namespace {

bool Picture(const QDir& folder, const QString& name, int width, int height, QColor colour) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(folder.filePath(name + ".png"), "PNG");
}

bool Markers(const QDir& folder) {
    QImage image(120, 12, QImage::Format_RGB32);
    for (int glyph = 0; glyph < 10; ++glyph)
        for (int y = 0; y < 12; ++y)
            for (int x = 0; x < 12; ++x) image.setPixel(glyph * 12 + x, y, qRgb(glyph * 20, 0, 0));
    return image.save(folder.filePath("MARKERS.png"), "PNG");
}

// One tenth of a second of 8-bit mono sound at 8,000 frames a second.
bool Bark(const QDir& folder) {
    QByteArray samples(800, '\0');
    for (int i = 0; i < samples.size(); ++i) samples[i] = static_cast<char>(i % 2 ? 200 : 56);
    auto le = [](quint32 value, int bytes) {
        QByteArray out;
        for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xff);
        return out;
    };
    const QByteArray wav = "RIFF" + le(36 + samples.size(), 4) + "WAVEfmt " + le(16, 4) + le(1, 2) +
                           le(1, 2) + le(8000, 4) + le(8000, 4) + le(1, 2) + le(8, 2) + "data" +
                           le(samples.size(), 4) + samples;
    QFile file(folder.filePath("BARKSOUND.wav"));
    return file.open(QIODevice::WriteOnly) && file.write(wav) == wav.size();
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_test_resources FOLDER\n");
        return 2;
    }
    QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(".")) return 1;
    const bool ok = Picture(folder, "SPLASH", 510, 263, Qt::red) &&
                    Picture(folder, "S_SAVE", 24, 22, Qt::green) &&
                    Picture(folder, "M_SAVE", 38, 38, Qt::blue) && Markers(folder) && Bark(folder);
    QFile qrc(folder.filePath("test.qrc"));
    const QByteArray list = "<RCC><qresource prefix=\"/\">"
                            "<file>SPLASH.png</file><file>S_SAVE.png</file>"
                            "<file>M_SAVE.png</file><file>MARKERS.png</file>"
                            "<file>BARKSOUND.wav</file></qresource></RCC>\n";
    return ok && qrc.open(QIODevice::WriteOnly) && qrc.write(list) == list.size() ? 0 : 1;
}
