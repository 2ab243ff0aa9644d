#include "finder/shell/tv_finder.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QDialog>
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

#include "boxes.h"
#include "caption_bar.h"
#include "finder/results/list_texts.h"
#include "finder/search/completion.h"
#include "finder/shell/options_rules.h"
#include "finder/shell/startup_rules.h"
#include "finder_toolbar.h"
#include "platform/core/program_folder.h"
#include "platform/core/start_program.h"
#include "qt_text.h"
#include "results_view_placeholder.h"
#include "search_run.h"
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
      list_(new ResultsViewPlaceholder(parts.life.List(), this)), progress_(new ProgressBar(this)),
      status_(new FinderStatusBar(this)), mainPop_(new QMenu(this)), dockMenu_(new QMenu(this)) {
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
    column->addWidget(list_, 1);
    column->addWidget(progress_);
    setCentralWidget(centre);
    setStatusBar(status_);
    resize(472, 276 + caption_->height());

    list_->SetMultiSelection(!settings.NoMulti);
    list_->SetColumnWidths(settings.VFCol);
    const std::string placement = life_.Store().Read(kToolbarPlacement);
    if (!placement.empty())
        restoreState(QByteArray::fromBase64(QByteArray::fromStdString(placement)));
    ApplyToolbarMode();

    BuildMainPop();
    BuildDockMenu();
    ConnectParts();
    UpdateTB();
}

TVFinder::~TVFinder() {
    run_.reset(); // a search still running is cancelled and its thread joined
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
        const bool kept = UseMorvelClick(life_.Settings(), checked,
                                         platform::ProgramFile(kViewerFileName), life_.Notifier());
        useMorvel_->setChecked(kept);
    });
    connect(disMulti_, &QAction::triggered, this, [this](bool checked) {
        DisMultiClick(life_.Settings(), checked);
        list_->SetMultiSelection(!checked);
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
        mainPop_->addAction(QStringLiteral("&New search"), this, &TVFinder::NewSrchClick)
            ->setObjectName(QStringLiteral("NewSrch"));
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

// The toolbar's right-click menu: the edges it can dock at.
void TVFinder::BuildDockMenu() {
    dockMenu_->setObjectName(QStringLiteral("DockMenu"));
    const std::pair<const char*, Qt::ToolBarArea> places[] = {
        {"Dock &Top", Qt::TopToolBarArea},
        {"Dock &Bottom", Qt::BottomToolBarArea},
        {"Dock &Left", Qt::LeftToolBarArea},
        {"Dock &Right", Qt::RightToolBarArea},
    };
    for (const auto& [label, area] : places) {
        const Qt::ToolBarArea where = area;
        dockMenu_->addAction(QString::fromLatin1(label), this, [this, where] {
            addToolBar(where, toolbar_);
            toolbar_->show();
        });
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
    connect(toolbar_, &FinderToolbar::dockMenuRequested, this,
            [this](QPoint at) { dockMenu_->popup(at); });
    connect(toolbar_, &QToolBar::orientationChanged, this, [this] { ApplyToolbarMode(); });

    connect(list_, &ResultsViewPlaceholder::selectionChanged, this, &TVFinder::VFListChange);
    connect(list_, &ResultsViewPlaceholder::sortChanged, this, &TVFinder::VFListAfterSort);
    connect(list_, &ResultsViewPlaceholder::summaryChanged, this,
            [this] { progress_->SetText(QString::fromStdString(life_.List().SearchSummary())); });
    connect(list_->model(), &QAbstractItemModel::rowsInserted, this, &TVFinder::VFListChange);
    connect(list_->model(), &QAbstractItemModel::rowsRemoved, this, &TVFinder::VFListChange);
    connect(list_->model(), &QAbstractItemModel::modelReset, this, &TVFinder::VFListChange);

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

    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &TVFinder::HelpTopicKey);
}

void TVFinder::ToolbarCommandClicked(ToolbarCommand command) {
    switch (command) {
    case ToolbarCommand::Newsearchbtn: NewSrchClick(); break;
    case ToolbarCommand::ClearBtn: ClearBtnClick(); break;
    case ToolbarCommand::StopGoBtn: commands_.StopGoBtnClick(); break;
    case ToolbarCommand::HelpBtn: Help1Click(); break;
    case ToolbarCommand::ExitBtn: ExitBtnClick(); break;
    // Opening, deleting, loading and saving are the file actions' (their own layer).
    case ToolbarCommand::OpenBtn:
    case ToolbarCommand::DeleteBtn:
    case ToolbarCommand::OpenListBtn:
    case ToolbarCommand::SaveListBtn: break;
    }
}

void TVFinder::ActivePopPopup() {
    tray_->SetActivePopItems(commands_.ActivePopPopup());
}

ResultsHandling TVFinder::Handling() const {
    const settings::FinderSettings& settings = life_.Settings();
    return {.warn = settings.VFWarn, .openFiles = !settings.VFShowResults};
}

// ---- Showing, hiding, closing ---------------------------------------------------------

void TVFinder::showEvent(QShowEvent* event) {
    if (!event->spontaneous()) {
        PlaceWindow();
        ApplyToolbarMode();
        list_->SetColumnWidths(life_.Settings().VFCol);
        life_.Show(flags_.SearchRunning);
        list_->SelectFirstIfNone();
        UpdateTB();
        VFListAfterSort();
    }
    QMainWindow::showEvent(event);
}

WindowFacts TVFinder::Facts() const {
    return {.rect = RectOf(geometry()),
            .minimised = isMinimized(),
            .rolledUp = rolledUp_,
            .visible = isVisible(),
            .columnWidths = list_->ColumnWidths()};
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
    life_.Close();
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
            list_->SelectFirstIfNone();
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
        status_->SetPanelText(1, QText(results::HitsText(life_.List().size())));
        return true;
    }
    return QMainWindow::event(event);
}

// ---- The list's panels and the commands it enables ------------------------------------

void TVFinder::ShowPanelZero() {
    const std::vector<std::size_t> selected = list_->SelectedRows();
    status_->SetPanelText(0, QText(results::SelectionText(life_.List(), selected)));
}

void TVFinder::VFListChange() {
    if (!hintShowing_) ShowPanelZero();
    status_->SetPanelText(1, QText(results::HitsText(life_.List().size())));
    UpdateTB();
}

void TVFinder::VFListAfterSort() {
    const results::ResultsList& list = life_.List();
    if (list.SortColumn() == results::kNoSort) return;
    status_->SetPanelText(2, QText(results::SortText(list.SortColumn(), list.SortAscending())));
}

void TVFinder::UpdateTB() {
    const results::ToolbarState state =
        results::UpdateTB(list_->SelectedRows().size(), life_.List().size(), flags_.SearchRunning);
    toolbar_->SetCommandsEnabled(state);
    status_->SetPanelText(1, QText(state.hitsText));
}

// ---- Commands -------------------------------------------------------------------------

void TVFinder::NewSrchClick() {
    if (!searchDialog_) return;
    life_.NoteSearchDialogShown();
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

void TVFinder::ClearBtnClick() {
    platform::MessageBox question = Box(QText(kApplicationTitle), QText(results::kClearQuestion),
                                        platform::BoxIcon::Question, platform::BoxButtons::YesNo);
    question.parent = this;
    const platform::BoxAnswer answer = life_.Notifier().Show(question);
    if (answer != platform::BoxAnswer::Yes) return;
    life_.List().Clear();
    progress_->SetText(QString());
    UpdateTB();
}

// ---- The search -----------------------------------------------------------------------

void TVFinder::StartSearch(search::SearchCriteria criteria) {
    const bool background = criteria.Background;
    if (background) ExitBtnClick();
    results::ResultsList& list = life_.List();
    list.SetAutoSort(false);
    life_.CancelFirstLoad();
    if (!list.empty()) list.Clear();
    progress_->SetText(QString());
    if (!background) ShowLastClick();

    SearchRun::Receiver receiver{
        .progress = [this](const std::string& text) { commands_.ShowProgress(text); },
        .hits = [this](std::vector<search::FoundFile>& hits) { AddHits(hits); },
        .finished = [this](const search::SearchCompletion& c) { SearchFinished(c); },
    };
    run_ = std::make_unique<SearchRun>(std::move(criteria),
                                       search::ErrorLogPath(life_.ResultsFolder()), flags_,
                                       std::move(receiver));
    commands_.SearchStarted(*run_);
}

void TVFinder::AddHits(std::vector<search::FoundFile>& hits) {
    results::ResultsList& list = life_.List();
    for (const search::FoundFile& hit : hits)
        list.AddItem(hit.Path, hit.Created, hit.Modified, hit.Size,
                     {.IsUnix = hit.IsUnix,
                      .IsDos = hit.IsDos,
                      .IsMac = hit.IsMac,
                      .IsBinary = hit.IsBinary});
    UpdateTB();
}

void TVFinder::SearchFinished(const search::SearchCompletion& completion) {
    commands_.SearchEnded();
    run_.release()->deleteLater(); // it is delivering this very call
    search::ApplyCompletion(flags_, completion);
    if (!completion.LogFailure.empty())
        life_.Notifier().Show(Box(QText(search::kFinderErrorCaption),
                                  QString::fromStdString(completion.LogFailure),
                                  platform::BoxIcon::Warning));
    if (completion.Background)
        FinishBackground(completion);
    else
        FinishForeground(completion);
}

void TVFinder::FinishForeground(const search::SearchCompletion& completion) {
    UpdateTB();
    if (rolledUp_) RollupBtnClick();
    if (completion.Bark) bark_.Start(resources_.Sound(QStringLiteral("BARKSOUND")));
    ShowLastClick();
    list_->SelectFirstIfNone();
    life_.List().SetSearchSummary(completion.SearchSummary);
    progress_->SetText(QString::fromStdString(completion.SearchSummary));
    UpdateTB();
    if (completion.OfferLog) AskToShowLog(false);
    commands_.ForegroundFinished();
    life_.List().SetAutoSort(true);
    VFListAfterSort();
}

void TVFinder::FinishBackground(const search::SearchCompletion& completion) {
    commands_.BackgroundFinished(completion.TrayHint);
    if (completion.Bark) bark_.Start(resources_.Sound(QStringLiteral("BARKSOUND")));
    life_.List().SetSearchSummary(completion.SearchSummary);
    progress_->SetText(QString::fromStdString(completion.SearchSummary));
    life_.List().SetAutoSort(true);
    VFListAfterSort();
    UpdateTB();
}

void TVFinder::AskToShowLog(bool systemModal) {
    const platform::BoxAnswer answer = life_.Notifier().Show(
        SystemModal(Box(QText(search::kOfferLogCaption), QText(search::kOfferLogQuestion),
                        platform::BoxIcon::Warning, platform::BoxButtons::OkCancel),
                    systemModal));
    if (answer != platform::BoxAnswer::Ok) return;
    // A viewer that cannot be started shows nothing; the completion goes on.
    platform::StartDetached(platform::ProgramFile(kViewerFileName),
                            {search::ErrorLogPath(life_.ResultsFolder())});
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
    AskToShowLog(true);
}

void TVFinder::OpenAllFound() {
    // Opening every found file (with its limit check) is the file actions'; until they
    // are here the user gets the list to open them from.
    ShowResults();
}

void TVFinder::ShowResults() {
    ShowLastClick();
}

} // namespace mvf::shell
