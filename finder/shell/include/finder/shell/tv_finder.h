// The finder's main window and results window `TVFinder`: its own caption bar, the
// docking toolbar, the results view, the two status bars, the options menu `MainPop`,
// the tray icon `FinderTray`, the file actions and the search session it owns. It is
// created hidden and shown from the tray; it starts the searches the search dialog hands
// it.
//
// Every rule it follows lives below it: the search commands and the tray's look in
// SearchCommands, its place and roll-up in window_place.h, the toolbar in
// toolbar_rules.h, the options in options_rules.h, its settings and first showing in
// FinderLife, the list on screen in the ResultsView, what is done with files and results
// files (and which commands the list allows) in the ResultsActions, the search's run and
// end in the SearchSession. The window wires those to Qt.
#pragma once

#include <memory>
#include <string>

#include <QMainWindow>

#include "finder/dialog/search_starter.h"
#include "finder/results/list_texts.h"
#include "finder/search/search_criteria.h"
#include "finder/shell/finder_life.h"
#include "finder/shell/finder_tray.h"
#include "finder/shell/modal_runner.h"
#include "finder/shell/options_rules.h"
#include "finder/shell/search_commands.h"
#include "finder/shell/toolbar_rules.h"
#include "finder/shell/window_place.h"
#include "platform/qt/help_viewer.h"
#include "platform/qt/resources.h"
#include "platform/qt/sound_player.h"

class QAction;
class QDialog;
class QMenu;

namespace mvf::actions {
class DeletePrompts;
class FileDialogs;
class ResultsActions;
} // namespace mvf::actions
namespace mvf::dialog {
class TVantorFinder;
}
namespace mvf::view {
class ResultsView;
class VFList;
} // namespace mvf::view
namespace mvf::session {
class SearchSession;
struct SearchOutcome;
} // namespace mvf::session

namespace mvf::shell {

class CaptionBar;
class FinderToolbar;
class FinderStatusBar;
class DialogLoadProgress;
class ProgressBar;
class SessionThread;

// What the main window works with; each must outlive it.
struct FinderWindowParts {
    FinderLife& life;
    search::SearchFlags& flags;
    const platform::ResourceLibrary& resources;
    platform::HelpViewer& help;
    ModalRunner& modal;
    std::string programFolder;
    bool trayAvailable = true;
    platform::SoundOutput sound{};
    // The questions of deleting and the results file's dialogs; none: Qt's own.
    actions::DeletePrompts* deletePrompts = nullptr;
    actions::FileDialogs* fileDialogs = nullptr;
};

// The topic F1 opens, and the help context of the help buttons and menu items.
inline constexpr const char* kResultsWindowTopic = "IDX_search_results_window";
inline constexpr int kMainHelpContext = 1000;

class TVFinder final : public QMainWindow,
                       public dialog::SearchStarter,
                       private SearchCommandsView {
    Q_OBJECT
public:
    explicit TVFinder(FinderWindowParts parts);
    // A search still running is cancelled and its end waited for first.
    ~TVFinder() override;

    // The search dialog (shown by New search; its docking menu is the toolbar's, its
    // progress window the results file load's, its results-handling choices decide what
    // the tray click does with waiting results) and the About box, made after the window.
    void SetSearchDialog(dialog::TVantorFinder* dialog);
    void SetAboutBox(QDialog* about) { aboutBox_ = about; }

    // The window's parts.
    CaptionBar* Caption() const { return caption_; }
    FinderToolbar* Toolbar() const { return toolbar_; }
    view::ResultsView* Results() const { return results_; }
    view::VFList* VFList() const;
    actions::ResultsActions& Actions() { return *actions_; }
    ProgressBar* Progress() const { return progress_; }
    FinderStatusBar* VFinderstatus() const { return status_; }
    QMenu* MainPop() const { return mainPop_; }
    FinderTray& Tray() { return *tray_; }
    SearchCommands& Commands() { return commands_; }
    session::SearchSession& Session() { return *session_; }
    bool RolledUp() const { return rolledUp_; }
    bool TrayAvailable() const { return presence_.trayAvailable; }

    // The commands.
    void NewSrchClick();
    void ShowLastClick();
    void ExitBtnClick();
    void Exitprogram1Click();
    void Help1Click();
    void HelpTopicKey();
    void About1Click();
    void TBSizeBtnClick();
    void RollupBtnClick();
    void MaximiseBtnClick();
    void UpdateTB();

    // dialog::SearchStarter: the search dialog hands over a search that passed its checks
    // (SearchRunning set): the window and tray prepare for it and it starts.
    void StartSearch(search::SearchCriteria criteria) override;

signals:
    // The window closed for good: the program ends.
    void closed();

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // SearchCommandsView
    void TrayChanged(const TrayLook& look) override;
    void StopHintChanged(std::string_view hint) override;
    void ProgressChanged(std::string_view text) override;
    void CommandsChanged() override;
    void OfferErrorLog() override;
    void OpenAllFound() override;
    void ShowResults() override;

    void BuildMainPop();
    void ConnectParts();
    void ApplyToolbarMode();
    void PlaceWindow();
    void ShowRolledUp(bool rolledUp);
    int RolledUpHeight() const;
    WindowFacts Facts() const;
    void RecordPlace();
    void VFListChange();
    void VFListAfterSort();
    void ShowPanelZero();
    void OpenSelected();
    void DeleteSelected();
    void ToolbarCommandClicked(ToolbarCommand command);
    void ActivePopPopup();
    ResultsHandling Handling() const;

    void SearchEnded(const session::SearchOutcome& outcome);
    void FinishForeground(const session::SearchOutcome& outcome);
    void FinishBackground(const session::SearchOutcome& outcome);

    FinderLife& life_;
    search::SearchFlags& flags_;
    const platform::ResourceLibrary& resources_;
    platform::HelpViewer& help_;
    ModalRunner& modal_;
    const std::string programFolder_;
    const TrayPresence presence_;
    platform::SoundPlayer bark_;

    SearchCommands commands_;
    std::unique_ptr<FinderTray> tray_;
    CaptionBar* caption_;
    FinderToolbar* toolbar_;
    view::ResultsView* results_;
    ProgressBar* progress_;
    FinderStatusBar* status_;
    QMenu* mainPop_;
    QAction* useMorvel_ = nullptr;
    QAction* disMulti_ = nullptr;
    QAction* noSplash_ = nullptr;
    QAction* startWithSession_ = nullptr;
    QAction* newSrchOption_ = nullptr; // the options menu's "New search" without a tray
    dialog::TVantorFinder* searchDialog_ = nullptr;
    QDialog* aboutBox_ = nullptr;
    std::unique_ptr<DialogLoadProgress> loadProgress_;
    std::unique_ptr<actions::ResultsActions> actions_;
    session::SearchSession* session_;
    std::unique_ptr<SessionThread> sessionThread_;
    results::ToolbarState commandState_; // as UpdateTB last set the commands

    bool rolledUp_ = false;
    bool placed_ = false;      // shown at the stored place at least once
    bool tearingDown_ = false; // the window is being destroyed: a search's end changes nothing
    bool hintShowing_ = false;
    bool closedForGood_ = false;
};

} // namespace mvf::shell
