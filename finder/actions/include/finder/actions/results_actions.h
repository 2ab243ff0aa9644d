// Everything the results window does with found files and with results files, for the
// main window to call: open, delete, clear, save, load, open all after a background
// search, the error log, and which commands are enabled.
//
// The main window wires it to its results view (finder/view/results_view.h) like this:
//
//   ResultsActions actions({.list = list, .notifier = notifier, .settings = settings,
//                           .programFolder = platform::ProgramFolder(),
//                           .resultsFolder = resultsFolder, .window = this});
//   connect(&view, &ResultsView::openRequested,
//           [&] { actions.OpenBtnClick(view.SelectedRows()); });      // also OpenBtn
//   connect(&view, &ResultsView::deleteRequested,
//           [&] { actions.DeleteBtnClick(view.SelectedRows()); });    // also DeleteBtn
//   connect(&actions, &ResultsActions::busyChanged, [&](bool busy) {
//       view.SetListHeld(busy); UpdateTB(); });
//   connect(&actions, &ResultsActions::listLoaded, [&] { view.SelectFirstIfNone(); });
//   connect(&actions, &ResultsActions::commandFinished, [&] { UpdateTB(); });
//   UpdateTB: actions.Commands(view.SelectedCount(), searchRunning) -> ToolbarState
//
// At exit, before the list goes: actions.SaveLastResults(); actions.WaitUntilIdle();
// The actions must be destroyed before the list, the notifier and the settings.
#pragma once

#include <QObject>
#include <memory>
#include <span>
#include <string>

#include "finder/actions/delete_prompts.h"
#include "finder/actions/file_dialogs.h"
#include "finder/actions/load_progress_window.h"
#include "finder/actions/open_all.h"
#include "finder/results/list_texts.h"
#include "finder/results/results_list.h"
#include "finder/settings/finder_settings.h"
#include "platform/qt/notifier.h"

class QWidget;

namespace mvf::actions {

class DeleteCommand;
class FileOpener;
class ResultsFileCommands;

struct ActionsSetup {
    results::ResultsList& list;
    platform::Notifier& notifier;
    // Read at each use: UseViewer may change during the run.
    const settings::FinderSettings& settings;
    std::string programFolder; // where vantorviewer lives
    std::string resultsFolder; // the program folder's "searchresults"
    QWidget* window = nullptr; // the boxes' and dialogs' owner
};

// The questions that are not message boxes; each one left out is the Qt one.
struct ActionsPrompts {
    DeletePrompts* deletePrompts = nullptr;
    FileDialogs* fileDialogs = nullptr;
    LoadProgressWindow* loadProgress = nullptr; // the search dialog's VFProgress, once there
};

class ResultsActions : public QObject {
    Q_OBJECT
public:
    // Whether the platform has a trash is found out here, once (NoRecycleBin).
    explicit ResultsActions(ActionsSetup setup, ActionsPrompts prompts = {},
                            QObject* parent = nullptr);
    ~ResultsActions() override;

    // OpenBtnClick, a double-click, Enter: the selected rows (list order) are opened.
    void OpenBtnClick(std::span<const std::size_t> selectedRows);
    // DeleteBtnClick, the Delete key: the selected rows' files are deleted after the
    // questions (delete_command.h).
    void DeleteBtnClick(std::span<const std::size_t> selectedRows);
    // ClearBtnClick: "Are you sure you want to clear the search results list?" (Yes, No);
    // on Yes the list and SearchSummary are emptied. True when cleared.
    bool ClearBtnClick();

    // After a background search whose results waited for the tray click (open_all.h).
    OpenAllOutcome OpenAllFound(int openFirst);
    // After a search that logged file-open errors (error_log.h). True when the log is shown.
    bool OfferErrorLog(bool systemModal);

    // The results file (results_file_commands.h).
    void SaveListBtnClick();
    void OpenListBtnClick();
    bool LoadLastResults();
    bool SaveLastResults();
    bool ListLoadedByUser() const;
    void WaitUntilIdle();

    // A save, a load or a deletion is under way: the list must hold still.
    bool Busy() const;
    bool NoRecycleBin() const { return noRecycleBin_; }
    // UpdateTB for the window: the list's rule with the list's busy state.
    results::ToolbarState Commands(std::size_t selectedRows, bool searchRunning) const;

    FileOpener& Opener() { return *opener_; }

signals:
    // Hold the list (view.SetListHeld) and refresh the commands.
    void busyChanged(bool busy);
    // A results file replaced the list: select its first entry.
    void listLoaded();
    // A deletion, save, load or clear ended: refresh the commands and the panels.
    void commandFinished();

private:
    std::vector<std::string> FullPaths(std::span<const std::size_t> rows) const;
    void TellBusy();

    ActionsSetup setup_;
    bool noRecycleBin_;
    bool busy_ = false;
    std::unique_ptr<DeletePrompts> ownDeletePrompts_;
    std::unique_ptr<FileDialogs> ownFileDialogs_;
    std::unique_ptr<LoadProgressWindow> ownLoadProgress_;
    std::unique_ptr<FileOpener> opener_;
    std::unique_ptr<DeleteCommand> delete_;
    std::unique_ptr<ResultsFileCommands> files_;
};

} // namespace mvf::actions
