// The finder's main window and results window `TVFinder`: its own caption bar, the
// docking toolbar, the results list, the two status bars, the options menu `MainPop`,
// and the tray icon `FinderTray` it owns. It is created hidden and shown from the tray.
//
// Every rule it follows lives below it: the search commands and the tray's look in
// SearchCommands, its place and roll-up in window_place.h, the toolbar in
// toolbar_rules.h, the options in options_rules.h, its settings and the last results in
// FinderLife. The window wires those to Qt.
#pragma once

#include <memory>
#include <string>

#include <QMainWindow>

#include "finder/search/search_criteria.h"
#include "finder/search/search_host.h"
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

namespace mvf::shell {

class CaptionBar;
class FinderToolbar;
class FinderStatusBar;
class ProgressBar;
class ResultsViewPlaceholder;
class SearchRun;

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
};

// The topic F1 opens, and the help context of the help buttons and menu items.
inline constexpr const char* kResultsWindowTopic = "IDX_search_results_window";
inline constexpr int kMainHelpContext = 1000;

class TVFinder final : public QMainWindow, private SearchCommandsView {
    Q_OBJECT
public:
    explicit TVFinder(FinderWindowParts parts);
    ~TVFinder() override;

    // The search dialog (shown by New search) and the About box, made after the window.
    void SetSearchDialog(QDialog* dialog) { searchDialog_ = dialog; }
    void SetAboutBox(QDialog* about) { aboutBox_ = about; }

    // The window's parts.
    CaptionBar* Caption() const { return caption_; }
    FinderToolbar* Toolbar() const { return toolbar_; }
    ResultsViewPlaceholder* VFList() const { return list_; }
    ProgressBar* Progress() const { return progress_; }
    FinderStatusBar* VFinderstatus() const { return status_; }
    QMenu* MainPop() const { return mainPop_; }
    QMenu* DockMenu() const { return dockMenu_; }
    FinderTray& Tray() { return *tray_; }
    SearchCommands& Commands() { return commands_; }
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
    void ClearBtnClick();
    void UpdateTB();

    // The search dialog hands over a search that passed its checks (SearchRunning set):
    // the window and tray prepare for it and it starts.
    void StartSearch(search::SearchCriteria criteria);

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
    void BuildDockMenu();
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
    void ToolbarCommandClicked(ToolbarCommand command);
    void ActivePopPopup();
    ResultsHandling Handling() const;

    void AddHits(std::vector<search::FoundFile>& hits);
    void SearchFinished(const search::SearchCompletion& completion);
    void FinishForeground(const search::SearchCompletion& completion);
    void FinishBackground(const search::SearchCompletion& completion);
    void AskToShowLog(bool systemModal);

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
    ResultsViewPlaceholder* list_;
    ProgressBar* progress_;
    FinderStatusBar* status_;
    QMenu* mainPop_;
    QMenu* dockMenu_;
    QAction* useMorvel_ = nullptr;
    QAction* disMulti_ = nullptr;
    QAction* noSplash_ = nullptr;
    QAction* startWithSession_ = nullptr;
    QDialog* searchDialog_ = nullptr;
    QDialog* aboutBox_ = nullptr;
    std::unique_ptr<SearchRun> run_;

    bool rolledUp_ = false;
    bool hintShowing_ = false;
    bool closedForGood_ = false;
};

} // namespace mvf::shell
