#include "finder/shell/tv_finder.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
#include <QEventLoop>
#include <QMenu>
#include <QPainter>
#include <QShortcut>
#include <QShowEvent>
#include <QStatusTipEvent>
#include <QSystemTrayIcon>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>
#include <qdrawutil.h>

#include "caption_bar.h"
#include "dialog_load_progress.h"
#include "finder/actions/open_all.h"
#include "finder/actions/results_actions.h"
#include "finder/dialog/pm_filebar.h"
#include "finder/dialog/vantor_finder.h"
#include "finder/results/list_texts.h"
#include "finder/session/search_session.h"
#include "finder/shell/options_rules.h"
#include "finder/shell/startup_rules.h"
#include "finder/view/results_view.h"
#include "finder/view/vf_list.h"
#include "finder_toolbar.h"
#include "qt_text.h"
#include "session_thread.h"
#include "status_bars.h"

namespace mvf::shell {

namespace {

// The toolbar's own docking place, kept beside its size under "Toolbars".
const platform::TextSetting kToolbarPlacement{"Toolbars/VFTBSmall", ""};

constexpr int kFrameWidth = 2;

WindowRect RectOf(const QRect& r) {
    return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()};
}

QRect QRectOf(const WindowRect& r) {
    return {r.left, r.top, r.Width(), r.Height()};
}

} // namespace

TVFinder::TVFinder(FinderWindowParts parts)
    : QMainWindow(nullptr, Qt::Window | Qt::FramelessWindowHint), life_(parts.life),
      flags_(parts.flags), resources_(parts.resources), help_(parts.help), modal_(parts.modal),
      programFolder_(std::move(parts.programFolder)), presence_{parts.trayAvailable},
      bark_(parts.sound), commands_(parts.flags, parts.life.Notifier(), *this),
      tray_(std::make_unique<FinderTray>(parts.trayAvailable)),
      caption_(new CaptionBar(QText(kApplicationTitle), this)), toolbar_(new FinderToolbar(this)),
      results_(new view::ResultsView(parts.life.List(), parts.life.Notifier(), this)),
      progress_(new ProgressBar(this)), status_(new FinderStatusBar(this)),
      mainPop_(new QMenu(this)), loadProgress_(std::make_unique<DialogLoadProgress>()),
      actions_(std::make_unique<actions::ResultsActions>(
          actions::ActionsSetup{.list = parts.life.List(),
                                .notifier = parts.life.Notifier(),
                                .settings = parts.life.Settings(),
                                .programFolder = programFolder_,
                                .resultsFolder = parts.life.ResultsFolder(),
                                .window = this},
          actions::ActionsPrompts{.deletePrompts = parts.deletePrompts,
                                  .fileDialogs = parts.fileDialogs,
                                  .loadProgress = loadProgress_.get()})),
      session_(new session::SearchSession(parts.life.List(),
                                          {.notifier = parts.life.Notifier(),
                                           .resources = &parts.resources,
                                           .sound = &bark_,
                                           .resultsFolder = parts.life.ResultsFolder(),
                                           .flags = &parts.flags},
                                          this)),
      sessionThread_(std::make_unique<SessionThread>(*session_)) {
    setObjectName(QStringLiteral("TVFinder"));
    setWindowTitle(QText(kApplicationTitle));
    setWindowIcon(tray_->CurrentIcon());

    // Create: the settings, the list sorted by name, the toolbar's mode and place.
    life_.Create();
    settings::FinderSettings& settings = life_.Settings();

    // Without the window system's frame the window draws a thin one of its own.
    setContentsMargins(kFrameWidth, kFrameWidth, kFrameWidth, kFrameWidth);
    setMenuWidget(caption_);
    addToolBar(Qt::TopToolBarArea, toolbar_);
    auto* centre = new QWidget(this);
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(results_, 1);
    column->addWidget(progress_);
    setCentralWidget(centre);
    setStatusBar(status_);
    resize(472, 276 + caption_->height());

    results_->SetMultiSelection(!settings.NoMulti);
    results_->SetColumnWidths(settings.VFCol);
    const std::string placement = life_.Store().Read(kToolbarPlacement);
    if (!placement.empty())
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(placement)));
    ApplyToolbarMode();

    BuildMainPop();
    ConnectParts();
    UpdateTB();
}

TVFinder::~TVFinder() {
    // The session goes only after its search has ended: a search thread may be waiting
    // for this thread to answer an engine notice.
    tearingDown_ = true;
    if (session_->Active()) {
        QEventLoop ending;
        connect(session_, &session::SearchSession::SearchEnded, &ending, &QEventLoop::quit);
        session_->Cancel();
        if (session_->Active()) ending.exec();
    }
    // Work on files under way ends before the view it reports to.
    actions_.reset();
}

void TVFinder::SetSearchDialog(dialog::TVantorFinder* dialog) {
    searchDialog_ = dialog;
    loadProgress_->Attach(dialog ? &dialog->Progress() : nullptr);
}

view::VFList* TVFinder::VFList() const {
    return &results_->List();
}

void TVFinder::BuildMainPop() {
    mainPop_->setObjectName(QStringLiteral("MainPop"));
    mainPop_->addAction(QStringLiteral("&Help"), this, &TVFinder::Help1Click)
        ->setObjectName(QStringLiteral("Help1"));
    mainPop_->addAction(QStringLiteral("&About"), this, &TVFinder::About1Click)
        ->setObjectName(QStringLiteral("About1"));
    QMenu* web = mainPop_->addMenu(QStringLiteral("&Korvath Web"));
    web->setObjectName(QStringLiteral("Web"));
    web->addAction(
           QStringLiteral("&Vantor Finder Home Page"), this,
           [] { QDesktopServices::openUrl(QUrl(QString::fromStdString(HomePageAddress()))); })
        ->setObjectName(QStringLiteral("HomePage"));
    web->addAction(
           QStringLiteral("Download the latest Vantor Finder &Version"), this,
           [] { QDesktopServices::openUrl(QUrl(QString::fromStdString(DownloadPageAddress()))); })
        ->setObjectName(QStringLiteral("Download"));

    useMorvel_ = mainPop_->addAction(QStringLiteral("&Use Morvel Viewer"));
    useMorvel_->setObjectName(QStringLiteral("UseMorvel"));
    disMulti_ = mainPop_->addAction(QStringLiteral("&Disable multi-select in results list"));
    disMulti_->setObjectName(QStringLiteral("DisMulti"));
    noSplash_ = mainPop_->addAction(QStringLiteral("&No Splash"));
    noSplash_->setObjectName(QStringLiteral("NoSplash1"));
    startWithSession_ = mainPop_->addAction(QStringLiteral("Start with the &session"));
    startWithSession_->setObjectName(QStringLiteral("StartWithSession"));
    for (QAction* check : {useMorvel_, disMulti_, noSplash_, startWithSession_})
        check->setCheckable(true);

    connect(useMorvel_, &QAction::triggered, this, [this](bool checked) {
        const bool kept =
            UseMorvelClick(life_.Settings(), checked,
                           programFolder_ + "/" + std::string(kViewerFileName), life_.Notifier());
        useMorvel_->setChecked(kept);
    });
    connect(disMulti_, &QAction::triggered, this, [this](bool checked) {
        DisMultiClick(life_.Settings(), checked);
        results_->SetMultiSelection(!checked);
    });
    connect(noSplash_, &QAction::triggered, this,
            [this](bool checked) { NoSplash1Click(life_.Settings(), checked); });
    connect(startWithSession_, &QAction::triggered, this, [this](bool checked) {
        startWithSession_->setChecked(StartWithSessionClick(checked, life_.ProgramFile(),
                                                            platform::XdgFolders::FromEnvironment(),
                                                            life_.Notifier()));
    });
    connect(mainPop_, &QMenu::aboutToShow, this, [this] {
        const MainPopChecks checks = MainPopPopup(life_.Settings());
        noSplash_->setChecked(checks.NoSplash1);
        disMulti_->setChecked(checks.DisMulti);
        useMorvel_->setChecked(checks.UseMorvel);
        startWithSession_->setChecked(StartsWithSession(platform::XdgFolders::FromEnvironment()));
    });

    if (presence_.OptionsCarryTrayCommands()) {
        // No tray to reach these through: the options menu carries them.
        mainPop_->addSeparator();
        newSrchOption_ =
            mainPop_->addAction(QStringLiteral("&New search"), this, &TVFinder::NewSrchClick);
        newSrchOption_->setObjectName(QStringLiteral("NewSrch"));
        mainPop_
            ->addAction(QStringLiteral("&Last search results"), this,
                        [this] {
                            // The tray click collects waiting background results; here this does.
                            if (flags_.SearchRunning && flags_.ResultsPending)
                                commands_.FinderTrayClick(TrayButton::Right, Handling());
                            else
                                ShowLastClick();
                        })
            ->setObjectName(QStringLiteral("ShowLast"));
        mainPop_->addAction(QStringLiteral("&Exit and Unload"), this, &TVFinder::Exitprogram1Click)
            ->setObjectName(QStringLiteral("Exitprogram1"));
    }
}

void TVFinder::ConnectParts() {
    connect(caption_, &CaptionBar::doneClicked, this, &TVFinder::ExitBtnClick);
    connect(caption_, &CaptionBar::maximiseClicked, this, &TVFinder::MaximiseBtnClick);
    connect(caption_, &CaptionBar::toolbarSizeClicked, this, &TVFinder::TBSizeBtnClick);
    connect(caption_, &CaptionBar::rollupClicked, this, &TVFinder::RollupBtnClick);
    connect(caption_, &CaptionBar::optionsClicked, this, [this] {
        const QWidget* button = caption_->OptBtn();
        mainPop_->popup(button->mapToGlobal(QPoint(0, button->height())));
    });

    connect(toolbar_, &FinderToolbar::commandTriggered, this, &TVFinder::ToolbarCommandClicked);
    connect(toolbar_, &FinderToolbar::stopGoMenuRequested, this,
            [this](QPoint at) { tray_->ActivePop()->popup(at); });
    connect(toolbar_, &FinderToolbar::dockMenuRequested, this, [this](QPoint at) {
        if (searchDialog_) searchDialog_->FilebarMenu().PopupFor(toolbar_, at);
    });
    connect(toolbar_, &QToolBar::orientationChanged, this, [this] { ApplyToolbarMode(); });

    connect(results_, &view::ResultsView::listChanged, this, &TVFinder::VFListChange);
    connect(results_, &view::ResultsView::sortChanged, this, &TVFinder::VFListAfterSort);
    connect(results_, &view::ResultsView::summaryChanged, progress_, &ProgressBar::SetText);
    connect(results_, &view::ResultsView::openRequested, this, &TVFinder::OpenSelected);
    connect(results_, &view::ResultsView::deleteRequested, this, &TVFinder::DeleteSelected);

    // While a results file is read or written, or files are removed, the list holds still.
    connect(actions_.get(), &actions::ResultsActions::busyChanged, this, [this](bool busy) {
        results_->SetListHeld(busy);
        UpdateTB();
    });
    connect(actions_.get(), &actions::ResultsActions::listLoaded, this,
            [this] { results_->SelectFirstIfNone(); });
    connect(actions_.get(), &actions::ResultsActions::commandFinished, this,
            &TVFinder::VFListChange);

    FinderTray* tray = tray_.get();
    connect(tray, &FinderTray::NewSrchClicked, this, &TVFinder::NewSrchClick);
    connect(tray, &FinderTray::ShowLastClicked, this, &TVFinder::ShowLastClick);
    connect(tray, &FinderTray::Help2Clicked, this, &TVFinder::Help1Click);
    connect(tray, &FinderTray::Exitprogram1Clicked, this, &TVFinder::Exitprogram1Click);
    connect(tray, &FinderTray::Pause1Clicked, this, [this] { commands_.Pause1Click(); });
    connect(tray, &FinderTray::Resume1Clicked, this, [this] { commands_.Resume1Click(); });
    connect(tray, &FinderTray::Stop1Clicked, this, [this] { commands_.Stop1Click(); });
    connect(tray, &FinderTray::ActivePopAboutToShow, this, &TVFinder::ActivePopPopup);
    connect(tray, &FinderTray::Clicked, this,
            [this](TrayButton button) { commands_.FinderTrayClick(button, Handling()); });

    // A search's hits arrive a slice at a time; the view shows them a few times a second.
    connect(session_, &session::SearchSession::ProgressChanged, this,
            [this](const QString& text) { commands_.ShowProgress(text.toStdString()); });
    connect(session_, &session::SearchSession::SearchEnded, this, &TVFinder::SearchEnded);

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &TVFinder::HelpTopicKey);
}

void TVFinder::ToolbarCommandClicked(ToolbarCommand command) {
    switch (command) {
    case ToolbarCommand::Newsearchbtn: NewSrchClick(); break;
    case ToolbarCommand::OpenBtn: OpenSelected(); break;
    case ToolbarCommand::DeleteBtn: DeleteSelected(); break;
    case ToolbarCommand::ClearBtn: actions_->ClearBtnClick(); break;
    case ToolbarCommand::OpenListBtn: actions_->OpenListBtnClick(); break;
    case ToolbarCommand::SaveListBtn: actions_->SaveListBtnClick(); break;
    case ToolbarCommand::StopGoBtn: commands_.StopGoBtnClick(); break;
    case ToolbarCommand::HelpBtn: Help1Click(); break;
    case ToolbarCommand::ExitBtn: ExitBtnClick(); break;
    }
}

void TVFinder::ActivePopPopup() {
    tray_->SetActivePopItems(commands_.ActivePopPopup());
}

ResultsHandling TVFinder::Handling() const {
    // The choices as the search dialog shows them now (its settings are written at exit).
    if (!searchDialog_) return {};
    return {.warn = searchDialog_->WarnChosen(), .openFiles = searchDialog_->OpenFilesChosen()};
}

// ---- Showing, hiding, closing ---------------------------------------------------------

void TVFinder::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        PlaceWindow();
        ApplyToolbarMode();
        results_->SetColumnWidths(life_.Settings().VFCol);
        // The last results arrive a moment later, read off this thread.
        if (life_.FirstShowing(flags_.SearchRunning)) actions_->LoadLastResults();
        results_->SelectFirstIfNone();
        UpdateTB();
        VFListAfterSort();
    }
    QMainWindow::showEvent(event);
}

WindowFacts TVFinder::Facts() const {
    return {.rect = RectOf(geometry()),
            .placed = placed_,
            .minimised = isMinimized(),
            .rolledUp = rolledUp_,
            .visible = isVisible(),
            .columnWidths = results_->ColumnWidths()};
}

void TVFinder::RecordPlace() {
    RecordWindow(life_.Settings(), Facts());
}

void TVFinder::closeEvent(QCloseEvent* event) {
    if (closedForGood_) return event->accept();
    if (!commands_.FormCloseQuery()) return event->ignore();
    RecordPlace();
    life_.Settings().VFTBMode = toolbar_->Mode();
    life_.Store().Write(kToolbarPlacement, saveState().toBase64().toStdString());
    if (searchDialog_) searchDialog_->WriteSettings(life_.Settings());
    // A load or save under way ends first; the exit waits for the last results on disk.
    actions_->WaitUntilIdle();
    actions_->SaveLastResults();
    actions_->WaitUntilIdle();
    life_.Close(searchDialog_ && searchDialog_->Shown());
    closedForGood_ = true;
    event->accept();
    tray_->Icon()->hide();
    emit closed();
}

void TVFinder::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ActivationChange) {
        caption_->update();
        if (isActiveWindow()) {
            hintShowing_ = false;
            results_->SelectFirstIfNone();
            UpdateTB();
            VFListAfterSort();
        }
    } else if (event->type() == QEvent::WindowStateChange) {
        caption_->SetMaximised(isMaximized());
        if (isMinimized()) RecordPlace();
    }
    QMainWindow::changeEvent(event);
}

bool TVFinder::event(QEvent* event) {
    if (event->type() == QEvent::StatusTip) {
        // `showhints`: a hint's long part takes panel 0 while it shows.
        const QString tip = static_cast<QStatusTipEvent*>(event)->tip();
        hintShowing_ = !tip.isEmpty();
        if (hintShowing_)
            status_->SetPanelText(0, tip);
        else
            ShowPanelZero();
        status_->SetPanelText(1, results_->HitsText());
        return true;
    }
    return QMainWindow::event(event);
}

// ---- The list's panels and the commands it enables ------------------------------------

void TVFinder::ShowPanelZero() {
    status_->SetPanelText(0, results_->SelectionText());
}

void TVFinder::VFListChange() {
    if (!hintShowing_) ShowPanelZero();
    UpdateTB();
}

void TVFinder::VFListAfterSort() {
    const QString text = results_->SortText();
    if (!text.isEmpty()) status_->SetPanelText(2, text);
}

void TVFinder::UpdateTB() {
    commandState_ = actions_->Commands(results_->SelectedCount(), flags_.SearchRunning);
    toolbar_->SetCommandsEnabled(commandState_);
    // The tray's and the options menu's "New search" follow the toolbar's button.
    tray_->NewSrch()->setEnabled(commandState_.newSearch);
    if (newSrchOption_) newSrchOption_->setEnabled(commandState_.newSearch);
    status_->SetPanelText(1, QText(commandState_.hitsText));
    results_->SetSearchRunning(flags_.SearchRunning);
}

void TVFinder::OpenSelected() {
    const std::vector<std::size_t> rows = results_->SelectedRows();
    if (!rows.empty()) actions_->OpenBtnClick(rows);
}

void TVFinder::DeleteSelected() {
    if (!commandState_.remove) return;
    actions_->DeleteBtnClick(results_->SelectedRows());
}

// ---- Commands -------------------------------------------------------------------------

void TVFinder::NewSrchClick() {
    // As the toolbar allows: one search at a time, also while background results wait
    // for the tray click (the dialog's checks use the engine the search uses), and not
    // while the list is being read, written or emptied of deleted files.
    UpdateTB();
    if (!searchDialog_ || !commandState_.newSearch) return;
    modal_.Run(*searchDialog_);
}

void TVFinder::ShowLastClick() {
    if (isMinimized()) showNormal();
    if (isHidden()) show();
    raise();
    activateWindow();
}

void TVFinder::ExitBtnClick() {
    RecordPlace();
    if (presence_.DoneHidesToTray())
        hide();
    else
        showMinimized();
}

void TVFinder::Exitprogram1Click() {
    close();
}

void TVFinder::Help1Click() {
    help_.ShowContext(kMainHelpContext);
}

void TVFinder::HelpTopicKey() {
    help_.ShowTopic(QString::fromLatin1(kResultsWindowTopic));
}

void TVFinder::About1Click() {
    if (aboutBox_) modal_.Run(*aboutBox_);
}

void TVFinder::TBSizeBtnClick() {
    life_.Settings().VFTBMode = ToggledMode(toolbar_->Mode());
    ApplyToolbarMode();
}

void TVFinder::ApplyToolbarMode() {
    toolbar_->ApplyMode(life_.Settings().VFTBMode, resources_);
}

void TVFinder::MaximiseBtnClick() {
    if (rolledUp_) return;
    if (isMaximized())
        showNormal();
    else
        showMaximized();
}

void TVFinder::RollupBtnClick() {
    if (!rolledUp_) {
        RecordBeforeRollUp(life_.Settings(), RectOf(geometry()), isMinimized());
        if (isMaximized()) showNormal();
        ShowRolledUp(true);
        setGeometry(QRectOf(RolledUpRect(RectOf(geometry()), RolledUpHeight())));
    } else {
        // Down again where the window stands, with the full size kept from before.
        const WindowRect stored = StoredRect(life_.Settings());
        ShowRolledUp(false);
        setGeometry(QRect(geometry().topLeft(), QSize(stored.Width(), stored.Height())));
    }
}

void TVFinder::PlaceWindow() {
    const settings::FinderSettings& settings = life_.Settings();
    const WindowRect stored = StoredRect(settings);
    ShowRolledUp(settings.VFRolledUp);
    setGeometry(QRectOf(settings.VFRolledUp ? RolledUpRect(stored, RolledUpHeight()) : stored));
    placed_ = true;
}

int TVFinder::RolledUpHeight() const {
    return caption_->height() + 2 * kFrameWidth;
}

void TVFinder::paintEvent(QPaintEvent* event) {
    QMainWindow::paintEvent(event);
    QPainter painter(this);
    qDrawWinPanel(&painter, rect(), palette(), /*sunken=*/false);
}

void TVFinder::ShowRolledUp(bool rolledUp) {
    rolledUp_ = rolledUp;
    caption_->SetRolledUp(rolledUp);
    centralWidget()->setVisible(!rolledUp);
    status_->setVisible(!rolledUp);
    if (!toolbar_->isFloating()) toolbar_->setVisible(!rolledUp);
    // The window's smallest size follows what it shows now, before it is given a size.
    layout()->activate();
}

// ---- The search -----------------------------------------------------------------------

void TVFinder::StartSearch(search::SearchCriteria criteria) {
    if (session_->Active()) return; // the dialog cannot be opened while one runs
    const bool background = criteria.Background;
    if (background) ExitBtnClick();
    commands_.SearchStarted(*sessionThread_);
    life_.CancelFirstLoad();
    results::ResultsList& list = life_.List();
    if (!list.empty()) list.Clear();
    progress_->SetText(QString());
    if (!background) ShowLastClick();
    results_->BeginBulkChange();
    session_->Start(std::move(criteria));
}

void TVFinder::SearchEnded(const session::SearchOutcome& outcome) {
    commands_.SearchEnded();
    results_->EndBulkChange();
    if (tearingDown_) return;
    if (outcome.Background)
        FinishBackground(outcome);
    else
        FinishForeground(outcome);
}

// The session has played the bark, set the summary and the flags and sorted the list.
void TVFinder::FinishForeground(const session::SearchOutcome& outcome) {
    UpdateTB();
    if (rolledUp_) RollupBtnClick();
    ShowLastClick();
    results_->SelectFirstIfNone();
    progress_->SetText(outcome.SearchSummary);
    UpdateTB();
    if (outcome.OfferLog) actions_->OfferErrorLog(false);
    commands_.ForegroundFinished();
    VFListAfterSort();
}

void TVFinder::FinishBackground(const session::SearchOutcome& outcome) {
    commands_.BackgroundFinished(outcome.TrayHint.toStdString());
    progress_->SetText(outcome.SearchSummary);
    VFListAfterSort();
    UpdateTB();
}

// ---- SearchCommandsView ----------------------------------------------------------------

void TVFinder::TrayChanged(const TrayLook& look) {
    tray_->Apply(look);
}

void TVFinder::StopHintChanged(std::string_view hint) {
    toolbar_->SetHint(ToolbarCommand::StopGoBtn, hint, resources_);
}

void TVFinder::ProgressChanged(std::string_view text) {
    progress_->SetText(QText(text));
}

void TVFinder::CommandsChanged() {
    UpdateTB();
}

void TVFinder::OfferErrorLog() {
    actions_->OfferErrorLog(true);
}

void TVFinder::OpenAllFound() {
    const int openFirst = searchDialog_ ? searchDialog_->OpenFirstCount() : 0;
    if (actions_->OpenAllFound(openFirst) == actions::OpenAllOutcome::ShowResults) ShowResults();
}

void TVFinder::ShowResults() {
    ShowLastClick();
}

} // namespace mvf::shell
