// The pointer over the left margin: an arrow pointing up and to the right, towards the
// lines it selects.
#pragma once

#include <QCursor>

namespace mvf::viewer {

QCursor MarginCursor();

} // namespace mvf::viewer
