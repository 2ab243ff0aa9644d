#include "finder/actions/results_actions.h"

#include "finder/actions/command_state.h"
#include "finder/actions/delete_command.h"
#include "finder/actions/delete_dialogs.h"
#include "finder/actions/error_log.h"
#include "finder/actions/file_opener.h"
#include "finder/actions/results_file_commands.h"
#include "platform/core/trash.h"

namespace mvf::actions {

ResultsActions::ResultsActions(ActionsSetup setup, ActionsPrompts prompts, QObject* parent)
    : QObject(parent), setup_(std::move(setup)), noRecycleBin_(!platform::PlatformHasTrash()) {
    if (!prompts.deletePrompts) {
        ownDeletePrompts_ = std::make_unique<QtDeletePrompts>(setup_.window);
        prompts.deletePrompts = ownDeletePrompts_.get();
    }
    if (!prompts.fileDialogs) {
        ownFileDialogs_ = std::make_unique<QtFileDialogs>(setup_.window);
        prompts.fileDialogs = ownFileDialogs_.get();
    }
    if (!prompts.loadProgress) {
        ownLoadProgress_ = std::make_unique<PlainLoadProgress>(setup_.window);
        prompts.loadProgress = ownLoadProgress_.get();
    }
    opener_ = std::make_unique<FileOpener>(
        setup_.notifier, setup_.settings.UseViewer,
        FileOpener::Options{.programFolder = setup_.programFolder}, setup_.window);
    delete_ = std::make_unique<DeleteCommand>(setup_.list, setup_.notifier, *prompts.deletePrompts,
                                              noRecycleBin_, setup_.window);
    files_ = std::make_unique<ResultsFileCommands>(setup_.list, setup_.notifier,
                                                   *prompts.fileDialogs, *prompts.loadProgress,
                                                   setup_.resultsFolder, setup_.window);
    connect(delete_.get(), &DeleteCommand::started, this, &ResultsActions::TellBusy);
    connect(delete_.get(), &DeleteCommand::finished, this, [this] {
        TellBusy();
        emit commandFinished();
    });
    connect(files_.get(), &ResultsFileCommands::busyChanged, this, &ResultsActions::TellBusy);
    connect(files_.get(), &ResultsFileCommands::listLoaded, this, &ResultsActions::listLoaded);
    connect(files_.get(), &ResultsFileCommands::finished, this, &ResultsActions::commandFinished);
}

ResultsActions::~ResultsActions() {
    // Work under way ends before the objects it reports to.
    files_.reset();
    delete_.reset();
    opener_.reset();
}

std::vector<std::string> ResultsActions::FullPaths(std::span<const std::size_t> rows) const {
    std::vector<std::string> paths;
    paths.reserve(rows.size());
    for (const std::size_t row : rows)
        if (row < setup_.list.size()) paths.push_back(results::FullPath(setup_.list[row]));
    return paths;
}

void ResultsActions::OpenBtnClick(std::span<const std::size_t> selectedRows) {
    opener_->Open(FullPaths(selectedRows));
}

void ResultsActions::DeleteBtnClick(std::span<const std::size_t> selectedRows) {
    if (Busy()) return;
    delete_->DeleteBtnClick(FullPaths(selectedRows));
}

bool ResultsActions::ClearBtnClick() {
    if (Busy()) return false;
    platform::MessageBox question;
    question.caption = QStringLiteral("Confirm");
    question.text = QString::fromUtf8(results::kClearQuestion.data(),
                                      qsizetype(results::kClearQuestion.size()));
    question.icon = platform::BoxIcon::Question;
    question.buttons = platform::BoxButtons::YesNo;
    question.parent = setup_.window;
    if (setup_.notifier.Show(question) != platform::BoxAnswer::Yes) return false;
    setup_.list.Clear();
    emit commandFinished();
    return true;
}

OpenAllOutcome ResultsActions::OpenAllFound(int openFirst) {
    return actions::OpenAllFound(setup_.list, openFirst, setup_.notifier, *opener_, setup_.window);
}

bool ResultsActions::OfferErrorLog(bool systemModal) {
    return actions::OfferErrorLog(setup_.notifier, *opener_, setup_.resultsFolder, systemModal,
                                  setup_.window);
}

void ResultsActions::SaveListBtnClick() {
    if (!Busy()) files_->SaveListBtnClick();
}

void ResultsActions::OpenListBtnClick() {
    if (!Busy()) files_->OpenListBtnClick();
}

bool ResultsActions::LoadLastResults() {
    return !Busy() && files_->LoadLastResults();
}

bool ResultsActions::SaveLastResults() {
    // Files still going to the trash take their entries with them first.
    if (delete_->Running()) delete_->WaitUntilRemoved();
    if (delete_->Running()) return false; // its questions are still open
    return files_->SaveLastResults();
}

bool ResultsActions::ListLoadedByUser() const {
    return files_->ListLoadedByUser();
}

void ResultsActions::WaitUntilIdle() {
    delete_->WaitUntilRemoved();
    files_->WaitUntilIdle();
}

bool ResultsActions::Busy() const {
    return files_->Busy() || delete_->Running();
}

results::ToolbarState ResultsActions::Commands(std::size_t selectedRows, bool searchRunning) const {
    return CommandState(selectedRows, setup_.list.size(), searchRunning, Busy());
}

void ResultsActions::TellBusy() {
    const bool busy = Busy();
    if (busy == busy_) return;
    busy_ = busy;
    emit busyChanged(busy);
}

} // namespace mvf::actions
