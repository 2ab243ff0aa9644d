// How a cell's text is fitted into its column: a text wider than the room is cut at its
// end and "..." put after what is left.
#pragma once

#include <QFontMetrics>
#include <QString>

namespace mvf::view {

// `text` when it fits in `room` pixels. Else the longest beginning of it (cut between
// whole characters) that still fits with "..." after it, followed by "...". When even
// "..." alone does not fit, the whole text, for the caller to clip.
QString ShortenToWidth(const QString& text, const QFontMetrics& metrics, int room);

} // namespace mvf::view
