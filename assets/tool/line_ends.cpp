#include "line_ends.h"

#include "parts.h"

namespace mvf::assets::art {
namespace {

// Letters three (M: five) pixels wide and five high; the binary tag shows "01".
constexpr const char* letterD[] = {"##.", "#.#", "#.#", "#.#", "##."};
constexpr const char* letterM[] = {"#...#", "##.##", "#.#.#", "#...#", "#...#"};
constexpr const char* letterU[] = {"#.#", "#.#", "#.#", "#.#", "###"};
constexpr const char* digits01[] = {"###..#.", "#.#.##.", "#.#..#.", "#.#..#.", "###.###"};

struct Look {
    Tone tag;
    QColor letter;
    const char* const* rows;
    int width; // of the letter, in grid pixels
};

Look lookOf(LineEndKind kind) {
    switch (kind) {
    case LineEndKind::Dos: return {palette::blue, Qt::white, letterD, 3};
    // White on amber is too faint: the amber tag takes its own dark shade for the letter.
    case LineEndKind::Mac: return {palette::amber, palette::amber.dark.darker(130), letterM, 5};
    case LineEndKind::Unix: return {palette::green, Qt::white, letterU, 3};
    case LineEndKind::Binary: return {palette::ink, Qt::white, digits01, 7};
    }
    return {palette::ink, Qt::white, digits01, 7};
}

// Every '#' of the five rows as a square of `u` pixels.
void letter(QPainter& p, int x, int y, const char* const* rows, int u, const QColor& c) {
    for (int r = 0; r < 5; ++r)
        for (int col = 0; rows[r][col]; ++col)
            if (rows[r][col] == '#') pixels(p, x + col * u, y + r * u, u, u, c);
}

} // namespace

QImage lineEndPicture(LineEndKind kind, int scale) {
    const int u = scale == 2 ? 2 : 1;
    QImage picture = canvas(19 * u, 16 * u);
    QPainter p(&picture);
    prepare(p);
    // The file: a sheet with text on it, its corner folded.
    sheet(p, QRectF(1 * u, 0, 11 * u, 15 * u), 3 * u);
    if (kind == LineEndKind::Binary) {
        // Binary content shows as blocks, not as lines of text.
        for (int row = 0; row < 3; ++row)
            for (int col = 0; col < 3; ++col)
                if ((row + col) % 2 == 0)
                    pixels(p, (3 + 2 * col) * u, (4 + 2 * row) * u, u, u, palette::line);
    } else {
        textLines(p, QRect(3 * u, 4 * u, 6 * u, 5 * u), 2 * u, u);
    }
    // The tag at the bottom right, wide enough for its letter and a pixel on either side.
    const Look look = lookOf(kind);
    const int tagWidth = look.width + 4;
    const int tagX = 19 - tagWidth;
    plainBody(p, roundBox(tagX * u, 8 * u, tagWidth * u, 8 * u, 1.5 * u), look.tag, u);
    letter(p, (tagX + 2) * u, 10 * u, look.rows, u, look.letter);
    return picture;
}

} // namespace mvf::assets::art
