// The search dialog "Morvel Vantor Finder 2.1": four pages in which the user describes a
// search ("Find &What", "&Look Where", "&How to Search", "&Results Handling"), and
// "Begin Search", which checks the entries and hands a sound search to the starter.
//
//   TVantorFinder dialog({.settings = settings, .notifier = notifier, .help = &help,
//                         .starter = &window, .prompts = &prompts});
//   dialog.exec();                                    // "New search"
//   ...
//   dialog.WriteSettings(settings);                   // at exit, then:
//   SaveFinderSettings(store, settings, dialog.Shown(), notifier);
//
// The dialog is made once and kept for the run; it keeps whatever the user left in it.
// Its first showing fills it from the settings (values and the three remembered lists)
// and disables the size boxes and date fields; later showings change nothing. Each
// fault of the entries is a "Notice" box through the notifier, after which the field is
// focused on its page; an expression the engine refuses shows the engine's own box
// first (through the process's EngineNoticeRoute). The checks run the pattern engine on
// this thread, so no search may run while the dialog can be used (the window offers no
// new search while one runs).
#pragma once

#include <memory>
#include <string>

#include <QDialog>

#include "finder/search/remembered_lists.h"
#include "finder/search/search_criteria.h"
#include "finder/settings/finder_settings.h"
#include "platform/qt/notifier.h"

class QTabWidget;

namespace mvf::platform {
class HelpViewer;
}

namespace mvf::dialog {

class PMFilebar;
class Prompts;
class SearchStarter;
class VFProgress;
struct DialogControls;
struct DialogEntries;

class TVantorFinder : public QDialog {
    Q_OBJECT

public:
    static constexpr int kClientWidth = 431;
    static constexpr int kClientHeight = 388;

    struct Services {
        settings::FinderSettings& settings; // read at the first showing
        platform::Notifier& notifier;
        platform::HelpViewer* help = nullptr; // none: no help
        SearchStarter* starter = nullptr;     // none: "Begin Search" only checks
        Prompts* prompts = nullptr;           // none: the calendar and font dialog of Qt
        search::SearchFlags* flags = nullptr; // none: the process's flags
    };

    explicit TVantorFinder(Services services, QWidget* parent = nullptr);
    ~TVantorFinder() override;

    // Whether the dialog has been shown during this run: its values and the lists are
    // saved only then.
    bool Shown() const { return shown_; }
    // Writes the controls and the remembered lists into `settings`; nothing when the
    // dialog was never shown.
    void WriteSettings(settings::FinderSettings& settings) const;

    // The results-handling choices the window reads when the user collects the results
    // of a background search, and the error choice it reads then.
    bool OpenFilesChosen() const; // "&Open up to" rather than "&Show results ..."
    int OpenFirstCount() const;   // the number of files to open
    bool WarnChosen() const;      // "&Warn about file open errors ..."

    // The three remembered lists, newest first.
    const search::RememberedLists& Lists() const { return lists_; }

    // The non-visual parts other windows use.
    VFProgress& Progress() const { return *progress_; }
    PMFilebar& FilebarMenu() const { return *filebar_; }

public slots:
    // "Begin Search".
    void BeginsearchClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FirstShow();
    DialogEntries ReadEntries() const;
    void ShowEntries(const DialogEntries& entries);
    void RefreshDropDowns();
    void ApplyResultsHandling();
    void SizeChosen(search::SizeFilterKind choice);
    void DateChosen(search::DateFilterKind choice);
    void PickDate(int field);
    void OpenCharMap();
    void AddFolder();
    void ShowPageHelp();
    void ShowHelp(const char* topic);

    Services services_;
    search::SearchFlags& flags_;
    std::unique_ptr<Prompts> ownPrompts_;
    std::unique_ptr<DialogControls> c_;
    std::unique_ptr<VFProgress> progress_;
    PMFilebar* filebar_;
    search::RememberedLists lists_;
    bool shown_ = false;
};

} // namespace mvf::dialog
