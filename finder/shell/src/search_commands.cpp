#include "finder/shell/search_commands.h"

#include "boxes.h"
#include "qt_text.h"

namespace mvf::shell {

SearchCommands::SearchCommands(search::SearchFlags& flags, platform::Notifier& notifier,
                               SearchCommandsView& view)
    : flags_(flags), notifier_(notifier), view_(view) {}

void SearchCommands::SetTray(TrayLook look) {
    if (look == tray_) return;
    tray_ = std::move(look);
    view_.TrayChanged(tray_);
}

void SearchCommands::SetStopHint(std::string_view hint) {
    if (hint == stopHint_) return;
    stopHint_ = hint;
    view_.StopHintChanged(stopHint_);
}

void SearchCommands::SearchStarted(SearchThread& thread) {
    thread_ = &thread;
    SetStopHint(kStopHint);
    SetTray({TrayIconState::tsAnimated, TrayMenu::ActivePop, tray_.hint});
    view_.CommandsChanged();
}

void SearchCommands::SearchEnded() {
    thread_ = nullptr;
}

void SearchCommands::ShowProgress(std::string_view text) {
    view_.ProgressChanged(text);
    SetTray({tray_.state, tray_.menu, std::string(text)});
}

void SearchCommands::ForegroundFinished() {
    SetStopHint(kStopHint);
    SetTray({TrayIconState::tsEnabled, TrayMenu::InActivePop, std::string(kTrayHint)});
}

void SearchCommands::BackgroundFinished(std::string_view trayHint) {
    SetStopHint(kStopHint);
    SetTray({TrayIconState::tsDisabled, TrayMenu::None, std::string(trayHint)});
}

ActivePopItems SearchCommands::ActivePopPopup() const {
    return {.Pause1 = ThreadExists() && !Paused(), .Resume1 = Paused(), .Stop1 = true};
}

void SearchCommands::Pause1Click() {
    if (!thread_) return;
    SetStopHint(kResumeHint);
    view_.ProgressChanged(kPausedProgress);
    thread_->Pause();
    SetTray({TrayIconState::tsDisabled, tray_.menu, std::string(kPausedTrayHint)});
}

void SearchCommands::Resume1Click() {
    if (!Paused()) return;
    SetTray({TrayIconState::tsAnimated, tray_.menu, tray_.hint});
    SetStopHint(kStopHint);
    thread_->Resume();
}

bool SearchCommands::AskToStop(bool systemModal) {
    return notifier_.Show(SystemModal(Box(QText(kSearchQuestionCaption), QText(kStopQuestion),
                                          platform::BoxIcon::Warning, platform::BoxButtons::YesNo),
                                      systemModal)) == platform::BoxAnswer::Yes;
}

void SearchCommands::Stop1Click() {
    if (!thread_) return;
    if (!AskToStop(true) || !thread_) return; // the search may have ended meanwhile
    thread_->Stop();
    SetStopHint(kStopHint);
}

void SearchCommands::StopGoBtnClick() {
    if (!thread_) return;
    if (Paused()) {
        Resume1Click();
        return;
    }
    if (!AskToStop(false) || !thread_) return;
    thread_->Stop();
    SetStopHint(kStopHint);
}

void SearchCommands::FinderTrayClick(TrayButton button, const ResultsHandling& handling) {
    if (button == TrayButton::Left) {
        if (thread_ && !thread_->Paused()) {
            if (!AskToStop(true)) return;
            if (thread_) thread_->Stop(); // the search may have ended meanwhile
        }
        if (Paused()) Resume1Click();
    }
    if (!(flags_.SearchRunning && flags_.ResultsPending)) return;

    flags_.ResultsPending = false;
    flags_.StopRequested = true;
    flags_.SearchRunning = false;
    SetTray({TrayIconState::tsEnabled, TrayMenu::InActivePop, std::string(kTrayHint)});
    view_.CommandsChanged();

    if (handling.warn && flags_.ErrorsLogged && !flags_.SearchCancelled) view_.OfferErrorLog();
    if (flags_.SearchCancelled) return;
    if (handling.openFiles)
        view_.OpenAllFound();
    else
        view_.ShowResults();
}

bool SearchCommands::FormCloseQuery() {
    if (!flags_.SearchRunning) return true;
    const bool cancel =
        notifier_.Show(Box(QText(kSearchQuestionCaption), QText(kCancelQuestion),
                           platform::BoxIcon::Warning, platform::BoxButtons::YesNo)) ==
        platform::BoxAnswer::Yes;
    if (cancel) {
        if (thread_) {
            thread_->Cancel();
        } else {
            flags_.StopRequested = true;
            flags_.SearchCancelled = true;
        }
    }
    return false;
}

} // namespace mvf::shell
