// The icons compiled into the two programs: the finder's tray icon (at rest, greyed, and
// the nine frames of its search animation), both programs' application icons, the
// viewer's six tool-button glyphs, and the four type pictures of the results list. A
// QGuiApplication must exist before an icon is drawn.
#pragma once

#include <QIcon>
#include <QImage>
#include <QString>

#include <array>

namespace mvf::assets {

// The sizes a tray draws its icon at; each has a picture made for it.
inline constexpr std::array<int, 4> traySizes{16, 22, 24, 32};
// The sizes of the desktop's icon theme folders (hicolor), each with a picture of its own.
inline constexpr std::array<int, 8> appIconSizes{16, 22, 24, 32, 48, 64, 128, 256};
// The viewer's tool buttons are 25 × 25; their glyphs come at 16 and, for dense screens, 32.
inline constexpr std::array<int, 2> viewerButtonSizes{16, 32};
inline constexpr int trayFrameCount = 9;
// One frame of the animation lasts this long.
inline constexpr int trayFrameMilliseconds = 100;

enum class Program { Finder, Viewer };
enum class ViewerButton { Open, Save, Cut, Copy, Paste, Exit };
// How a found file's lines end, in the order of the results list's image indexes 0-3.
enum class LineEnds { Dos, Mac, Unix, Binary };
// The results list's type pictures are this wide and high (and twice that for dense
// screens, where the icon holds a picture of its own).
inline constexpr int lineEndIconWidth = 19;
inline constexpr int lineEndIconHeight = 16;

// The finder's tray icon at rest (`tsEnabled`).
QIcon trayIcon();
// The greyed tray icon (`tsDisabled`: paused, or results waiting for the click).
QIcon trayDisabledIcon();
// Frame 0 … 8 of the search animation (`tsAnimated`); a null icon for any other number.
QIcon trayFrame(int frame);
// The frame's resource name: "A103" … "A111".
QString trayFrameName(int frame);

QIcon appIcon(Program program);
// The exact picture for one of appIconSizes (for desktop entries); null for other sizes.
QImage appIconImage(Program program, int size);

QIcon viewerButtonIcon(ViewerButton button);

// The results list's picture of a file's line ends, at 19 × 16 and 38 × 32.
QIcon lineEndIcon(LineEnds kind);

} // namespace mvf::assets
