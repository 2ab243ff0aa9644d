// The search's error log: after a search that could not read some files the user is asked
// whether to see the log, and the viewer shows it.
#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "finder/actions/file_opener.h"
#include "platform/qt/notifier.h"

namespace mvf::actions {

inline constexpr std::string_view kErrorLogName = "search errors.err";

// "Morvel Edit encountered some file open errors.\n\rDo you want to see the log file
// search errors.err?" ("\n\r": a line feed, then a carriage return).
QString ErrorLogQuestion();

// The log's full path: the results folder, "/", kErrorLogName.
std::string ErrorLogPath(const std::string& resultsFolder);

// Asks the question (caption "Warning", warning icon, OK and Cancel; system-modal when
// asked from the tray click); on OK starts the viewer on the log. True when the viewer
// was started; a viewer that cannot start is told.
bool OfferErrorLog(platform::Notifier& notifier, FileOpener& opener,
                   const std::string& resultsFolder, bool systemModal, QWidget* window);

} // namespace mvf::actions
