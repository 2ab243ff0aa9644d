// Where the main window stands, what of it is kept in the settings and when, its rolled-up
// form, and the widths of its status panels.
#pragma once

#include <array>

#include "finder/settings/finder_settings.h"

namespace mvf::shell {

// A rectangle by its edges, as the settings keep it (right and bottom are coordinates).
struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    friend bool operator==(const WindowRect&, const WindowRect&) = default;
};

// The rectangle the settings hold (`VFLastX` ... `VFLastCY`).
WindowRect StoredRect(const settings::FinderSettings& settings);

// What the window is like at the moment its place is recorded.
struct WindowFacts {
    WindowRect rect;
    bool placed = true; // shown at least once in this run, at the stored place
    bool minimised = false;
    bool rolledUp = false;
    bool visible = false;
    std::array<int, 5> columnWidths{100, 100, 100, 100, 100};
};

// The application went to the tray or the window closes: the rectangle (only while the
// window is neither minimised nor rolled up, so a rolled-up window comes back full size,
// and only once it has been placed: a window never shown in this run keeps the stored
// place), the rolled-up state, the visibility and the column widths.
void RecordWindow(settings::FinderSettings& settings, const WindowFacts& facts);

// Just before rolling up: the full rectangle, unless the window is minimised.
void RecordBeforeRollUp(settings::FinderSettings& settings, const WindowRect& rect, bool minimised);

// The window rolled up to its caption bar: same place and width, the caption's height.
WindowRect RolledUpRect(const WindowRect& full, int captionHeight);

// The main status bar's three panels for a bar `barWidth` wide: half of it, a quarter
// of it (rounded), and the rest.
struct PanelWidths {
    int first;
    int second;
    int third;

    friend bool operator==(const PanelWidths&, const PanelWidths&) = default;
};
PanelWidths StatusPanelWidths(int barWidth);
// Before the first resize.
inline constexpr PanelWidths kInitialPanelWidths{236, 118, 118};

} // namespace mvf::shell
