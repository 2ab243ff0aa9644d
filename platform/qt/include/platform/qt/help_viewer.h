// The help: the HTML file "mfinder.html" beside the programs, shown in a help window.
//
// The file's anchors (`id` attributes or `<a name>`) are the topic ids
// ("IDX_search_results_window", "IDX_operating_the_morvel_vantor_finder",
// "IDX_what_to_look_for_tab", "IDX_look_where_tab", "IDX_how_to_search_tab",
// "IDX_results_handling_tab"); a context number n is the anchor "context-n" (1000: the
// main window's help; 1008: the character map's, shown in the "graphics" window).
//
//   HelpViewer help({programFolder});              // one for the run
//   help.ShowTopic("IDX_look_where_tab");          // F1 on the search dialog's page
//   help.ShowContext(1000);                        // the main window's Help button
//   help.ShowContext(1008, HelpPane::Graphics);    // the character map's Help
//
// There are two help windows, each one instance for the run: the main help window, and
// the smaller secondary window "graphics". Each has Back, Forward and Close; showing a
// topic opens the window, scrolls to the topic and raises the window when it was already
// open. The file is looked for anew at each call in each search folder in turn. A
// missing file or topic shows a page saying so. Use on the GUI thread.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include <QString>

class QTextBrowser;
class QWidget;

namespace mvf::platform {

inline constexpr const char* kHelpFileName = "mfinder.html";

enum class HelpPane { Main, Graphics };

class HelpWindow;

class HelpViewer {
public:
    explicit HelpViewer(std::vector<std::string> searchFolders);
    ~HelpViewer();
    HelpViewer(const HelpViewer&) = delete;
    HelpViewer& operator=(const HelpViewer&) = delete;

    void ShowTopic(const QString& topicId, HelpPane pane = HelpPane::Main);
    void ShowContext(int context, HelpPane pane = HelpPane::Main);

    // The help file a call would show now; empty when there is none.
    std::string FindFile() const;

    // The pane's window and its text (tests; none before the pane was first shown).
    QWidget* Window(HelpPane pane) const;
    QTextBrowser* Browser(HelpPane pane) const;

private:
    HelpWindow& Pane(HelpPane pane);

    std::vector<std::string> folders_;
    std::unique_ptr<HelpWindow> main_;
    std::unique_ptr<HelpWindow> graphics_;
};

// The anchor of a context number: "context-1000".
QString ContextAnchor(int context);

} // namespace mvf::platform
