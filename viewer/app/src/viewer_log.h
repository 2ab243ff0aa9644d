// The viewer's log: its document windows (which file opened, came to the front, closed)
// and its shell (the window shown, brought to the front by a later start). Silent unless
// QT_LOGGING_RULES switches "mvf.viewer.*.info" on; the process tests and the benchmarks
// read it from standard error.
#pragma once

#include <QLoggingCategory>

Q_DECLARE_LOGGING_CATEGORY(lcDocuments)
Q_DECLARE_LOGGING_CATEGORY(lcShell)
