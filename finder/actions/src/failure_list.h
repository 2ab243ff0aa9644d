// The one box that tells which files an action could not handle, and why.
#pragma once

#include <QString>
#include <string>
#include <utility>
#include <vector>

#include "platform/qt/notifier.h"

namespace mvf::actions::detail {

// A file's full path and why it failed.
using Failures = std::vector<std::pair<std::string, QString>>;

// At most this many files are listed by name; the rest are counted.
inline constexpr std::size_t kListedFailures = 20;

// `intro`, then one "path: reason" line per file (names decoded as UTF-8).
QString FailureListText(const QString& intro, const Failures& failures);

// Shows the box (caption "Vantor Finder Error", warning) when there is a failure.
void TellFailures(platform::Notifier& notifier, QWidget* window, const QString& intro,
                  const Failures& failures);

} // namespace mvf::actions::detail
