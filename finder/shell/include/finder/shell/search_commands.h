// The commands that steer a running search from the tray and the toolbar (pause, resume,
// stop, the tray click that collects waiting results, the close query), and the look of
// the tray icon in every state of a search.
//
// The rules live here, free of widgets; the window and the tray only show what this
// says and report the clicks:
//
//   SearchCommands commands(ProcessSearchFlags(), notifier, view);
//   commands.SearchStarted(thread);       // the window started the dialog's search
//   commands.Pause1Click();               // tray menu "Pause search"
//   commands.FinderTrayClick(TrayButton::Left, handling);
//
// T below means a search thread exists (from SearchStarted until SearchEnded), P that
// it is paused. While background results wait for the tray click `SearchRunning` stays
// set but no thread exists: the commands that act on a thread then do nothing.
// A question may be open while the search ends (its box runs the event loop): each
// command looks at T and P again after the answer.
#pragma once

#include <string>
#include <string_view>

#include "finder/search/search_criteria.h"
#include "platform/qt/notifier.h"

namespace mvf::shell {

enum class TrayIconState {
    tsEnabled,  // the icon: at rest, results taken up
    tsDisabled, // the greyed icon: paused, or background results waiting
    tsAnimated, // the nine frames: a search runs
};

// The tray's right-click menu: none while background results wait for the click.
enum class TrayMenu { None, InActivePop, ActivePop };

inline constexpr std::string_view kTrayHint = "Vantor Finder";
inline constexpr std::string_view kPausedTrayHint = "Paused ... left-click once to resume search";
inline constexpr std::string_view kPausedProgress = "Paused....";
inline constexpr std::string_view kStopHint = "Stop|Stop current search";
inline constexpr std::string_view kResumeHint = "Resume|Resume current search";
inline constexpr std::string_view kSearchQuestionCaption = "Error";
inline constexpr std::string_view kStopQuestion =
    "Vantor File Finder is doing a search!\rDo you want to stop this search?";
inline constexpr std::string_view kCancelQuestion =
    "Vantor File Finder is doing a search!\rDo you want to cancel this search?";

struct TrayLook {
    TrayIconState state = TrayIconState::tsEnabled;
    TrayMenu menu = TrayMenu::InActivePop;
    std::string hint{kTrayHint};

    friend bool operator==(const TrayLook&, const TrayLook&) = default;
};

// Which items of ActivePop can be chosen (`ActivePopPopup`).
struct ActivePopItems {
    bool Pause1 = false;
    bool Resume1 = false;
    bool Stop1 = true;

    friend bool operator==(const ActivePopItems&, const ActivePopItems&) = default;
};

// A running search thread as the commands reach it.
class SearchThread {
public:
    virtual ~SearchThread() = default;
    virtual bool Paused() const = 0;
    virtual void Pause() = 0;
    virtual void Resume() = 0;
    // Sets StopRequested; a paused thread is resumed so that it sees the request.
    virtual void Stop() = 0;
    // Stop, and SearchCancelled: no questions at the end.
    virtual void Cancel() = 0;
};

// How the user chose to get results of a background search ("Results Handling").
struct ResultsHandling {
    bool warn = true;       // offer the error log (`Warn`)
    bool openFiles = false; // open the found files (`Openfiles`) rather than show the list
};

// What the commands need from the window.
class SearchCommandsView {
public:
    virtual ~SearchCommandsView() = default;
    virtual void TrayChanged(const TrayLook& look) = 0;
    virtual void StopHintChanged(std::string_view hint) = 0;
    // The `Progress` panel's text.
    virtual void ProgressChanged(std::string_view text) = 0;
    // `UpdateTB`: the search's flags changed what the toolbar offers.
    virtual void CommandsChanged() = 0;
    // The tray click that collects background results hands them over with these.
    virtual void OfferErrorLog() = 0; // the log question, system-modal
    virtual void OpenAllFound() = 0;  // every found file, with the limit check
    virtual void ShowResults() = 0;   // the results window
};

enum class TrayButton { Left, Right, Middle };

class SearchCommands {
public:
    SearchCommands(search::SearchFlags& flags, platform::Notifier& notifier,
                   SearchCommandsView& view);

    const TrayLook& Tray() const { return tray_; }
    const std::string& StopHint() const { return stopHint_; }
    bool ThreadExists() const { return thread_ != nullptr; }
    bool Paused() const { return thread_ != nullptr && thread_->Paused(); }

    // The search dialog started `thread` (it must outlive SearchEnded): the animation
    // and ActivePop.
    void SearchStarted(SearchThread& thread);
    // The thread is gone (its completion is about to run); nothing reaches it any more.
    void SearchEnded();
    // A progress text of the running search: the Progress panel and the tray's hint (the
    // session holds them back while the search is paused).
    void ShowProgress(std::string_view text);
    // FinishForeground's step for the tray: idle icon, menu and hint, the stop hint back.
    void ForegroundFinished();
    // FinishBackground's: the greyed icon, "N hits found! Click to process....", no menu.
    void BackgroundFinished(std::string_view trayHint);

    ActivePopItems ActivePopPopup() const;
    void Pause1Click();
    void Resume1Click();
    void Stop1Click();
    void StopGoBtnClick();
    // A click on the tray icon (a right click only when the tray has no menu to open).
    void FinderTrayClick(TrayButton button, const ResultsHandling& handling);

    // The main window's close query: false while a search runs (after offering to cancel
    // it); true when the window may close.
    bool FormCloseQuery();

private:
    bool AskToStop(bool systemModal);
    void SetTray(TrayLook look);
    void SetStopHint(std::string_view hint);

    search::SearchFlags& flags_;
    platform::Notifier& notifier_;
    SearchCommandsView& view_;
    SearchThread* thread_ = nullptr;
    TrayLook tray_;
    std::string stopHint_{kStopHint};
};

} // namespace mvf::shell
