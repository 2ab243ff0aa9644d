// Whoever starts the searches the dialog describes (the main window).
#pragma once

#include "finder/search/search_criteria.h"

namespace mvf::dialog {

class SearchStarter {
public:
    virtual ~SearchStarter() = default;
    // "Begin Search" found the entries sound: `criteria` passed every check and hold their
    // lists (PrepareSearch), SearchRunning is set, the dialog has closed. The starter
    // refreshes its commands, prepares the window (tray, background, the emptied list)
    // and starts the search.
    virtual void StartSearch(search::SearchCriteria criteria) = 0;
};

} // namespace mvf::dialog
