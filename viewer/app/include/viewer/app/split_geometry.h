// Where the split view puts its bar: heights and the drag line, in pixels of the
// document window's client area.
#pragma once

namespace mvf::viewer {

inline constexpr int kSplitBarHeight = 5;
// The drag line keeps this far from the client area's top and bottom edges.
inline constexpr int kDragLineMargin = 3;

// Switching the split on: the upper editor takes half the height, rounded down.
int InitialUpperHeight(int clientHeight);
// The drag line's place for the mouse at `y` (client coordinates).
int DragLineY(int y, int clientHeight);
// After a drag from `pressY` that left its line at `lineY`: the upper editor grows by the
// distance (shrinks when the line went up), kept so that both editors stay on the window.
int DroppedUpperHeight(int upperHeight, int pressY, int lineY, int clientHeight);
// A resized window keeps the proportion: height × new ÷ old, multiplied first.
int ResizedUpperHeight(int upperHeight, int newClientHeight, int oldClientHeight);
// The upper height as laid out: never below 0, never pushing the bar off the window.
int FittedUpperHeight(int upperHeight, int clientHeight);

} // namespace mvf::viewer
