#include "markers.h"

#include "paint_kit.h"

namespace mvf::assets::art {
namespace {

// Digits five pixels wide and seven high, drawn for this grid.
constexpr const char* digits[10][7] = {
    {".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."},
    {"..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."},
    {".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"},
    {"####.", "....#", "....#", ".###.", "....#", "....#", "####."},
    {"...#.", "..##.", ".#.#.", "#..#.", "#####", "...#.", "...#."},
    {"#####", "#....", "####.", "....#", "....#", "#...#", ".###."},
    {"..##.", ".#...", "#....", "####.", "#...#", "#...#", ".###."},
    {"#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."},
    {".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."},
    {".###.", "#...#", "#...#", ".####", "....#", "...#.", ".##.."},
};

} // namespace

QImage markerStrip() {
    QImage strip = canvas(10 * markerSize, markerSize);
    QPainter p(&strip);
    prepare(p);
    for (int n = 0; n < 10; ++n) {
        const int x = n * markerSize;
        // A ribbon nine pixels wide with a notch cut into its lower end.
        // No highlight, and the deeper blues only: white digits need the contrast.
        plainBody(
            p, polygon({{x + 1.0, 0}, {x + 10.0, 0}, {x + 10.0, 12}, {x + 5.5, 9}, {x + 1.0, 12}}),
            {palette::blue.base, palette::blue.base.darker(115), palette::blue.dark});
        const char* const* rows = digits[n];
        stamp(p, x + 3, 2, {rows[0], rows[1], rows[2], rows[3], rows[4], rows[5], rows[6]},
              Qt::white);
    }
    return strip;
}

} // namespace mvf::assets::art
