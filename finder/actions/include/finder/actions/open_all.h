// Opening every found file after a background search whose results were waiting for the
// tray click, when the search dialog chose to open them: with a limit (the dialog's
// OpenFirst) above which the list is shown instead.
#pragma once

#include "finder/actions/file_opener.h"
#include "finder/results/results_list.h"
#include "platform/qt/notifier.h"

namespace mvf::actions {

enum class OpenAllOutcome {
    ShowResults, // more than the limit, or the user cancelled: show the results window
    Opened,      // every entry was handed to its opener; no window
    NoResults,   // nothing was found: nothing opens and no window shows
};

// With C entries and the limit N: C > N tells "More than N files with hits were found!"
// and that the list will be shown (caption "Information"); else, for C > 0, asks "Open C
// files with hits?" (caption "Confirm", OK and Cancel) and on OK opens every entry in list
// order. Both boxes are system-modal.
OpenAllOutcome OpenAllFound(const results::ResultsList& list, int openFirst,
                            platform::Notifier& notifier, FileOpener& opener, QWidget* window);

} // namespace mvf::actions
