// The main window: its parts, the status bar and the enabling of its commands.
#include "viewer/app/main_form.h"

#include <QAction>
#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QPrinter>
#include <QScreen>
#include <QStatusTipEvent>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>

#include "assets/icons.h"
#include "platform/core/installation.h"
#include "platform/qt/resources.h"
#include "viewer/app/about_box.h"
#include "viewer/app/command_enabling.h"
#include "viewer/app/find_dialogs.h"
#include "viewer/app/mdi_child.h"
#include "viewer/app/status_texts.h"
#include "viewer/app/viewer_texts.h"
#include "viewer/qt_clipboard.h"
#include "viewer_log.h"

namespace mvf::viewer {
namespace {

QString Text(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

constexpr int kSpeedPanelHeight = 30;
constexpr int kButtonSize = 25;
constexpr int kStatusBarHeight = 25;
constexpr int kPanelWidths[kStatusPanelCount] = {95, 65, 95, 105, 105, 65};

} // namespace

TMainForm::TMainForm(platform::Notifier& boxes, ViewerDialogs& dialogs, QWidget* parent)
    : QMainWindow(parent), boxes_(boxes), dialogs_(dialogs) {
    setObjectName("MainForm");
    setWindowTitle(Text(kViewerTitle));
    setWindowIcon(assets::appIcon(assets::Program::Viewer));
    setAcceptDrops(true);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        resize(screen->availableGeometry().size() * 3 / 4);
    mainController_.LoadTables(editor::TOvcController::ViewerTables());
    // The pictures lie beside the program, or in the data folder of an installation.
    const platform::ResourceLibrary resources(platform::DataFolders());
    markers_ = QPixmap::fromImage(resources.Picture("MARKERS"));
    const std::string picturesFile = resources.FindFile();
    qCInfo(lcShell).noquote() << "pictures from"
                              << (picturesFile.empty() ? QStringLiteral("nowhere")
                                                       : QString::fromStdString(picturesFile));

    mdiArea_ = new QMdiArea(this);
    mdiArea_->setObjectName("MdiArea");
    connect(mdiArea_, &QMdiArea::subWindowActivated, this, &TMainForm::ChildActivated);
    auto* centre = new QWidget(this);
    auto* column = new QVBoxLayout(centre);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    column->addWidget(mdiArea_, 1);
    setCentralWidget(centre);

    findDialog_ = new FindDialog(this);
    replaceDialog_ = new ReplaceDialog(this);
    connect(findDialog_, &FindDialog::findNext, this, [this] { SearchFromDialog(false); });
    connect(findDialog_, &FindDialog::findTextChanged, this, &TMainForm::UpdateCommands);
    connect(replaceDialog_, &ReplaceDialog::findNext, this, [this] { SearchFromDialog(true); });
    connect(replaceDialog_, &ReplaceDialog::replace, this, [this] { ReplaceFromDialog(false); });
    connect(replaceDialog_, &ReplaceDialog::replaceAll, this, [this] { ReplaceFromDialog(true); });
    connect(replaceDialog_, &ReplaceDialog::shown, this, [this] {
        options_.OptSearch =
            static_cast<uint8_t>((replaceDialog_->MatchCase() ? editor::kSearchMatchCase : 0) |
                                 (replaceDialog_->WholeWord() ? editor::kSearchWholeWords : 0));
    });
    about_ = new TMdiAbout(this);

    CreateMenus();
    CreateSpeedPanel();
    CreateStatusBar();
    column->addWidget(findChild<QFrame*>("Panel1"));
    // Asking the clipboard can wait on the program that owns it: it is asked only when
    // its content changes, not at every keystroke.
    connect(QGuiApplication::clipboard(), &QClipboard::dataChanged, this, [this] {
        clipboardText_ = QtEditorClipboard().HasText();
        UpdateCommands();
    });
    clipboardText_ = QtEditorClipboard().HasText();
    UpdateStatus();
    UpdateButtons();
}

TMainForm::~TMainForm() {
    // The document windows go first, and tell nothing to a window that is half gone.
    QObject::disconnect(mdiArea_, nullptr, this, nullptr);
    for (TMDIChild* child : children_) QObject::disconnect(child, nullptr, this, nullptr);
    QObject::disconnect(QGuiApplication::clipboard(), nullptr, this, nullptr);
    children_.clear();
    delete mdiArea_;
}

QAction* TMainForm::AddItem(QMenu* menu, const char* name, const QString& caption,
                            const QString& hint, void (TMainForm::*slot)(),
                            const QList<QKeySequence>& shortcuts) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setStatusTip(hint);
    action->setShortcuts(shortcuts);
    connect(action, &QAction::triggered, this, slot);
    menu->addAction(action);
    return action;
}

QAction* TMainForm::AddTick(QMenu* menu, const char* name, const QString& caption,
                            const QString& hint, bool ViewerOptions::*tick, bool applyToAll) {
    auto* action = new QAction(caption, this);
    action->setObjectName(name);
    action->setStatusTip(hint);
    action->setCheckable(true);
    action->setChecked(options_.*tick);
    connect(action, &QAction::toggled, this, [this, tick, applyToAll](bool on) {
        options_.*tick = on;
        if (applyToAll) ApplyOptionsToAll();
    });
    menu->addAction(action);
    return action;
}

void TMainForm::CreateMenus() {
    QMenuBar* bar = menuBar();
    bar->setObjectName("MainMenu1");
    auto menu = [this, bar](const QString& title, const QString& hint) {
        QMenu* m = bar->addMenu(title);
        m->menuAction()->setStatusTip(hint);
        connect(m, &QMenu::aboutToShow, this, &TMainForm::UpdateCommands);
        return m;
    };
    QMenu* file = menu("&File", "File related commands");
    AddItem(file, "New1", "&New", "Create a new file", &TMainForm::New1Click, {QKeySequence::New});
    AddItem(file, "Open1", "&Open...", "Open file", &TMainForm::Open1Click, {QKeySequence::Open});
    AddItem(file, "Save1", "&Save", "Save current file", &TMainForm::Save1Click,
            {QKeySequence::Save});
    AddItem(file, "SaveAs1", "Save &as...", "Save current file under a different name",
            &TMainForm::SaveAs1Click);
    file->addSeparator();
    AddItem(file, "Print1", "&Print...", "Print current file", &TMainForm::Print1Click);
    AddItem(file, "PrintSetup1", "P&rint setup...", "Define printer options",
            &TMainForm::PrintSetup1Click);
    file->addSeparator();
    AddItem(file, "Exit1", "E&xit", "Exit application", &TMainForm::Exit1Click,
            {QKeySequence(Qt::ALT | Qt::Key_F4)});

    QMenu* edit = menu("&Edit", "Editing commands");
    AddItem(edit, "Undo1", "&Undo", "Undo last edit operation", &TMainForm::Undo1Click,
            {QKeySequence(Qt::CTRL | Qt::Key_Z), QKeySequence(Qt::ALT | Qt::Key_Backspace)});
    AddItem(edit, "Redo1", "&Redo", "Cancel last undo operation", &TMainForm::Redo1Click,
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z),
             QKeySequence(Qt::ALT | Qt::SHIFT | Qt::Key_Backspace)});
    edit->addSeparator();
    AddItem(edit, "Cut1", "Cu&t", "Cut selected text to clipboard", &TMainForm::Cut1Click,
            {QKeySequence(Qt::CTRL | Qt::Key_X), QKeySequence(Qt::SHIFT | Qt::Key_Delete)});
    AddItem(edit, "Copy1", "&Copy", "Copy selected text to clipboard", &TMainForm::Copy1Click,
            {QKeySequence(Qt::CTRL | Qt::Key_C), QKeySequence(Qt::CTRL | Qt::Key_Insert)});
    AddItem(edit, "Paste1", "&Paste", "Paste from clipboard to caret position",
            &TMainForm::Paste1Click,
            {QKeySequence(Qt::CTRL | Qt::Key_V), QKeySequence(Qt::SHIFT | Qt::Key_Insert)});
    AddItem(edit, "Delete1", "&Delete", "Delete selected text", &TMainForm::Delete1Click,
            {QKeySequence(Qt::Key_Delete)});
    edit->addSeparator();
    AddItem(edit, "SelectAll1", "&Select All", "Select all text", &TMainForm::SelectAll1Click);

    QMenu* search = menu("&Search", "Search related commands");
    AddItem(search, "Find1", "&Find...", "Find text in current file", &TMainForm::Find1Click,
            {QKeySequence::Find});
    AddItem(search, "Replace1", "&Replace...", "Find text in current file and replace",
            &TMainForm::Replace1Click);
    AddItem(search, "FindNext1", "Find &next", "Repeat find operation", &TMainForm::FindNext1Click,
            {QKeySequence(Qt::Key_F3)});
    AddItem(search, "GoToLine1", "&Go to line...", "Go to specified line in current file",
            &TMainForm::GoToLine1Click, {QKeySequence(Qt::Key_F4)});

    QMenu* optionsMenu = menu("&Options", "Set user preferences");
    AddTick(optionsMenu, "Autoindentation1", "&Auto-indentation",
            "Toggle the auto-indentation mode", &ViewerOptions::autoIndentation);
    AddTick(optionsMenu, "Createbackupfile1", "Create &backup file", "Toggle backup file creation",
            &ViewerOptions::createBackupFile);
    AddItem(optionsMenu, "Font1", "&Font...", "Set editor font", &TMainForm::Font1Click);
    QMenu* tabs = optionsMenu->addMenu("&Tabs");
    tabs->menuAction()->setObjectName("Tabs1");
    tabs->menuAction()->setStatusTip("Set tab options");
    auto* tabKinds = new QActionGroup(this);
    const struct {
        const char* name;
        const char* caption;
        const char* hint;
        bool ViewerOptions::*tick;
        TabChoice choice;
    } kinds[] = {
        {"Fixedtabs1", "&Fixed tabs", "Enable fixed tab option", &ViewerOptions::fixedTabs,
         TabChoice::Fixed},
        {"Realtabs1", "&Real tabs", "Enable real tab option", &ViewerOptions::realTabs,
         TabChoice::Real},
        {"Smarttabs1", "&Smart tabs", "Enable smart tab option", &ViewerOptions::smartTabs,
         TabChoice::Smart},
    };
    for (const auto& kind : kinds) {
        auto* action = new QAction(kind.caption, tabKinds);
        action->setObjectName(kind.name);
        action->setStatusTip(kind.hint);
        action->setCheckable(true);
        action->setChecked(options_.*kind.tick);
        const TabChoice choice = kind.choice;
        connect(action, &QAction::triggered, this, [this, choice] {
            options_.ChooseTabs(choice);
            ApplyOptionsToAll();
        });
        tabs->addAction(action);
    }
    tabs->addSeparator();
    AddItem(tabs, "TabSize1", "Tab Si&ze...", "Set tab size", &TMainForm::TabSize1Click);
    AddTick(optionsMenu, "Wordwrap1", "&Wordwrap", "Toggle wordwrap mode",
            &ViewerOptions::wordWrap);
    QAction* wrapToWindow = AddTick(optionsMenu, "WraptoWindow1", "W&rap to Window",
                                    "Toggle wrap to window mode", &ViewerOptions::wrapToWindow);
    QAction* wrapColumn = AddItem(optionsMenu, "WrapatColumn1", "Wrap at &Column...",
                                  "Set wordwrap column", &TMainForm::WrapAtColumn1Click);
    connect(wrapToWindow, &QAction::toggled, wrapColumn, &QAction::setDisabled);
    optionsMenu->addSeparator();
    QAction* wordStar =
        AddTick(optionsMenu, "WordStarCommands1", "Word&Star Commands", "Enable Wordstar commands",
                &ViewerOptions::wordStarCommands, false);
    connect(wordStar, &QAction::toggled, this, [this](bool on) {
        if (auto* table = mainController_.EntryCommands.Table("WordStar")) table->SetActive(on);
    });

    windowMenu_ = menu("&Window", "Window related commands such as Tile and Cascade");
    AddItem(windowMenu_, "Cascade1", "&Cascade", "Arrange windows to overlap",
            &TMainForm::Cascade1Click);
    AddItem(windowMenu_, "Tile1", "&Tile", "Arrange windows without overlap",
            &TMainForm::Tile1Click);
    AddItem(windowMenu_, "ArrangeIcons1", "&Arrange Icons",
            "Arrange window icons at bottom of main window", &TMainForm::ArrangeIcons1Click);
    AddItem(windowMenu_, "MinimizeAll1", "&Minimize All", "Minimize all windows",
            &TMainForm::MinimizeAll1Click);
    AddItem(windowMenu_, "Split1", "&Split", {}, &TMainForm::Split1Click)->setCheckable(true);
    connect(windowMenu_, &QMenu::aboutToShow, this, &TMainForm::FillWindowMenu);

    QMenu* help = menu("&Help", "Help related commands");
    AddItem(help, "About1", "&About...", "Display application About Box", &TMainForm::About1Click);
}

QToolButton* TMainForm::AddButton(const char* name, const QIcon& icon, const QString& hint,
                                  void (TMainForm::*slot)()) {
    auto* button = new QToolButton(this);
    button->setObjectName(name);
    button->setIcon(icon);
    button->setIconSize(QSize(16, 16));
    button->setFixedSize(kButtonSize, kButtonSize);
    button->setAutoRaise(true);
    const qsizetype bar = hint.indexOf('|');
    button->setToolTip(hint.left(bar));
    button->setStatusTip(hint.mid(bar + 1));
    connect(button, &QToolButton::clicked, this, slot);
    return button;
}

void TMainForm::CreateSpeedPanel() {
    auto* panel = new QToolBar(this);
    panel->setObjectName("SpeedPanel");
    panel->setMovable(false);
    panel->setFloatable(false);
    panel->setFixedHeight(kSpeedPanelHeight);
    panel->toggleViewAction()->setVisible(false);
    setContextMenuPolicy(Qt::NoContextMenu);
    using assets::ViewerButton;
    panel->addWidget(AddButton("OpenBtn", assets::viewerButtonIcon(ViewerButton::Open),
                               "Open|Open file", &TMainForm::Open1Click));
    saveBtn_ = AddButton("SaveBtn", assets::viewerButtonIcon(ViewerButton::Save),
                         "Save|Save current file", &TMainForm::Save1Click);
    panel->addWidget(saveBtn_);
    panel->addSeparator();
    cutBtn_ = AddButton("CutBtn", assets::viewerButtonIcon(ViewerButton::Cut),
                        "Cut|Cut selected text to clipboard", &TMainForm::Cut1Click);
    copyBtn_ = AddButton("CopyBtn", assets::viewerButtonIcon(ViewerButton::Copy),
                         "Copy|Copy selected text to clipboard", &TMainForm::Copy1Click);
    pasteBtn_ = AddButton("PasteBtn", assets::viewerButtonIcon(ViewerButton::Paste),
                          "Paste|Paste from clipboard at caret position", &TMainForm::Paste1Click);
    for (QToolButton* button : {cutBtn_, copyBtn_, pasteBtn_}) panel->addWidget(button);
    panel->addSeparator();
    panel->addWidget(AddButton("ExitBtn", assets::viewerButtonIcon(ViewerButton::Exit),
                               "Exit|Exit application", &TMainForm::Exit1Click));
    addToolBar(Qt::TopToolBarArea, panel);
}

void TMainForm::CreateStatusBar() {
    auto* panel1 = new QFrame(this);
    panel1->setObjectName("Panel1");
    panel1->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel1->setLineWidth(2);
    panel1->setFixedHeight(kStatusBarHeight);
    QFont font = QApplication::font();
    font.setPointSize(8);
    panel1->setFont(font);
    auto* row = new QHBoxLayout(panel1);
    row->setContentsMargins(2, 2, 2, 2);
    row->setSpacing(0);
    panelCaption_ = new QLabel(panel1);
    panelCaption_->setObjectName("Panel1Caption");
    panelCaption_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    panelCaption_->hide();
    row->addWidget(panelCaption_, 1);
    for (int i = 0; i < kStatusPanelCount; ++i) {
        auto* panel = new QLabel(panel1);
        panel->setObjectName(QStringLiteral("Panel%1").arg(i + 2));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setFixedWidth(kPanelWidths[i]);
        panel->setIndent(3);
        row->addWidget(panel);
        panels_.push_back(panel);
    }
    row->addStretch(1);
}

QAction* TMainForm::Action(const char* name) const {
    return findChild<QAction*>(name);
}

QLabel* TMainForm::StatusPanel(int index) const {
    return index == 0 ? panelCaption_ : panels_.at(index - 1);
}

bool TMainForm::event(QEvent* event) {
    // Hints of menu items and buttons go to the status bar.
    if (event->type() == QEvent::StatusTip) {
        DisplayHint(static_cast<QStatusTipEvent*>(event)->tip());
        return true;
    }
    return QMainWindow::event(event);
}

void TMainForm::DisplayHint(const QString& hint) {
    if (!hint.isEmpty()) {
        panelCaption_->setText(hint);
        for (QLabel* panel : panels_) panel->hide();
        panelCaption_->show();
        return;
    }
    panelCaption_->hide();
    for (auto it = panels_.rbegin(); it != panels_.rend(); ++it) (*it)->show();
}

void TMainForm::UpdateStatus() {
    std::optional<StatusFacts> facts;
    if (TMDIChild* child = ActiveChild()) {
        const EditorStatus s = child->ActiveEditor().Status();
        facts = StatusFacts{s.line,    s.column,    s.modified,  s.lineCount,
                            s.topLine, s.byteCount, s.insertMode};
    }
    const auto texts = StatusPanelTexts(facts);
    for (int i = 0; i < kStatusPanelCount; ++i)
        panels_[i]->setText(QString::fromStdString(texts[i]));
    // The caret's place and the top line are shown at once, even while keys repeat.
    panels_[0]->repaint();
    panels_[3]->repaint();
    UpdateCommands();
}

void TMainForm::UpdateButtons() {
    UpdateCommands();
}

void TMainForm::UpdateCommands() {
    FrameFacts facts;
    facts.documentCount = static_cast<int>(children_.size());
    if (TMDIChild* child = ActiveChild()) {
        editor::TOvcTextFileEditor& ed = child->ActiveEditor().Editor();
        ActiveDocumentFacts doc;
        doc.byteCount = ed.Paragraphs().ByteCount();
        doc.selection = ed.HasSelection();
        doc.readOnly = ed.ReadOnly();
        doc.canUndo = ed.Paragraphs().Undo().CanUndo();
        doc.canRedo = ed.Paragraphs().Undo().CanRedo();
        doc.split = child->IsSplit();
        facts.active = doc;
    }
    facts.clipboardText = clipboardText_;
    facts.findTextEmpty = findDialog_->FindText().isEmpty();
    const CommandEnabling on = EnablingFor(facts);

    saveBtn_->setEnabled(on.saveButton);
    cutBtn_->setEnabled(on.cutButton);
    copyBtn_->setEnabled(on.copyButton);
    pasteBtn_->setEnabled(on.pasteButton);
    const struct {
        const char* name;
        bool enabled;
    } items[] = {
        {"Print1", on.print},
        {"Save1", on.save},
        {"SaveAs1", on.saveAs},
        {"Undo1", on.undo},
        {"Redo1", on.redo},
        {"Cut1", on.cut},
        {"Copy1", on.copy},
        {"Paste1", on.paste},
        {"SelectAll1", on.selectAll},
        {"Find1", on.find},
        {"Replace1", on.replace},
        {"FindNext1", on.findNext},
        {"GoToLine1", on.goToLine},
        {"Font1", on.font},
        {"Cascade1", on.cascade},
        {"Tile1", on.tile},
        {"ArrangeIcons1", on.arrangeIcons},
        {"MinimizeAll1", on.minimizeAll},
        {"Split1", on.split},
    };
    for (const auto& item : items) Action(item.name)->setEnabled(item.enabled);
    Action("Split1")->setChecked(on.splitChecked);
}

} // namespace mvf::viewer
