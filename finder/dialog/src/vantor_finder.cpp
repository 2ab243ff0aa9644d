#include "finder/dialog/vantor_finder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDate>
#include <QFileSystemModel>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShortcut>
#include <QShowEvent>
#include <QSpinBox>
#include <QTabWidget>
#include <QTreeView>

#include "arrow_spinner.h"
#include "date_field.h"
#include "dialog_controls.h"
#include "dialog_entries.h"
#include "finder/dialog/char_map.h"
#include "finder/dialog/pm_filebar.h"
#include "finder/dialog/prompts.h"
#include "finder/dialog/search_starter.h"
#include "finder/dialog/vf_progress.h"
#include "finder/search/entry_checks.h"
#include "platform/qt/help_viewer.h"

namespace mvf::dialog {

using search::DateFilterKind;
using search::ErrorHandlingMode;
using search::SizeFilterKind;

namespace {

constexpr const char* kDialogTopic = "IDX_operating_the_morvel_vantor_finder";
constexpr const char* kPageTopics[] = {"IDX_what_to_look_for_tab", "IDX_look_where_tab",
                                       "IDX_how_to_search_tab", "IDX_results_handling_tab"};

QString Displayed(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string Held(const QString& text) {
    return text.toStdString(); // UTF-8
}

void FillBox(QComboBox* box, const std::vector<std::string>& list) {
    const QString text = box->currentText();
    const QSignalBlocker quiet(box);
    box->clear();
    for (const std::string& entry : list) box->addItem(Displayed(entry));
    box->setCurrentIndex(-1);
    box->setEditText(text);
}

} // namespace

TVantorFinder::TVantorFinder(Services services, QWidget* parent)
    : QDialog(parent), services_(services),
      flags_(services.flags ? *services.flags : search::ProcessSearchFlags()),
      c_(std::make_unique<DialogControls>()), progress_(std::make_unique<VFProgress>(this)),
      filebar_(new PMFilebar(this)) {
    if (!services_.prompts) {
        ownPrompts_ = std::make_unique<QtPrompts>();
        services_.prompts = ownPrompts_.get();
    }
    setObjectName("TVantorFinder");
    setWindowTitle("Morvel Vantor Finder 2.1");
    // Only a close button in the caption.
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    BuildControls(*this, *c_);
    // The design's client area at least; more when the desktop's font needs it.
    setMinimumSize(minimumSizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
    resize(minimumSize());
    DialogControls& c = *c_;

    connect(c.Beginsearch, &QPushButton::clicked, this, &TVantorFinder::BeginsearchClick);
    connect(c.CloseBtn, &QPushButton::clicked, this, &QDialog::reject);
    connect(c.HelpBtn, &QPushButton::clicked, this, [this] { ShowHelp(kDialogTopic); });
    auto* f1 = new QShortcut(QKeySequence(Qt::Key_F1), this);
    f1->setContext(Qt::WindowShortcut);
    connect(f1, &QShortcut::activated, this, &TVantorFinder::ShowPageHelp);

    connect(c.BoolAND, &QCheckBox::clicked, this, [&c](bool on) {
        if (on) c.BoolOR->setChecked(false);
    });
    connect(c.BoolOR, &QCheckBox::clicked, this, [&c](bool on) {
        if (on) c.BoolAND->setChecked(false);
    });
    connect(c.SearchBG, &QCheckBox::clicked, this, &TVantorFinder::ApplyResultsHandling);
    connect(c.OvcNotebook1, &QTabWidget::tabBarClicked, this, &TVantorFinder::ApplyResultsHandling);
    connect(c.SpecCharBtn, &QPushButton::clicked, this, &TVantorFinder::OpenCharMap);
    connect(c.Button1, &QPushButton::clicked, this, &TVantorFinder::AddFolder);
    connect(c.Button2, &QPushButton::clicked, this, [&c] { c.Directory->setEditText({}); });

    // A radio's handler runs when it becomes selected, not when it is clicked again.
    const auto onSelected = [this](QRadioButton* radio, auto handler) {
        connect(radio, &QRadioButton::toggled, this, [handler](bool on) {
            if (on) handler();
        });
    };
    onSelected(c.AllSizes, [this] { SizeChosen(SizeFilterKind::AllSizes); });
    onSelected(c.BetSizes, [this] { SizeChosen(SizeFilterKind::BetSizes); });
    onSelected(c.Smallsize, [this] { SizeChosen(SizeFilterKind::Smallsize); });
    onSelected(c.LargeSize, [this] { SizeChosen(SizeFilterKind::LargeSize); });
    onSelected(c.AllDates, [this] { DateChosen(DateFilterKind::AllDates); });
    onSelected(c.DBetDates, [this] { DateChosen(DateFilterKind::DBetDates); });
    onSelected(c.DBefore, [this] { DateChosen(DateFilterKind::DBefore); });
    onSelected(c.DAfter, [this] { DateChosen(DateFilterKind::DAfter); });

    DateField* fields[] = {c.DBetLow, c.DBetHigh, c.DSooner, c.DLater};
    for (int i = 0; i < 4; ++i)
        connect(fields[i], &DateField::CalendarWanted, this, [this, i] { PickDate(i); });
}

TVantorFinder::~TVantorFinder() = default;

void TVantorFinder::showEvent(QShowEvent* event) {
    if (!shown_) FirstShow();
    QDialog::showEvent(event);
}

void TVantorFinder::FirstShow() {
    shown_ = true;
    const settings::FinderSettings& stored = services_.settings;
    lists_ = {stored.Lists.FindTexts, stored.Lists.Masks, stored.Lists.Folders};
    RefreshDropDowns();
    ShowEntries(EntriesFromSettings(stored, Held(DateFieldText(QDate::currentDate()))));
    // The restored boxes and fields wait for a size or date choice to be clicked.
    SizeChosen(SizeFilterKind::AllSizes);
    for (DateField* field : {c_->DBetLow, c_->DBetHigh, c_->DSooner, c_->DLater})
        field->setEnabled(false);
    ApplyResultsHandling();
    c_->OvcNotebook1->setCurrentIndex(kFindWhatPage);
    c_->Filemask->setFocus(); // where a new search begins
}

void TVantorFinder::ShowEntries(const DialogEntries& e) {
    DialogControls& c = *c_;
    c.FindBox->setEditText(Displayed(e.FindText));
    c.Filemask->setEditText(Displayed(e.FileMaskText));
    c.Directory->setEditText(Displayed(e.DirectoryText));
    c.MatchCase->setChecked(e.MatchCase);
    c.BoolAND->setChecked(e.BoolAND);
    c.BoolOR->setChecked(e.BoolOR);
    c.SkipBin->setChecked(e.SkipBin);
    c.SubDirCheck->setChecked(e.SubDirCheck);
    c.SearchBG->setChecked(e.SearchBG);
    c.Bark->setChecked(e.Bark);
    switch (e.ErrorHandling) {
    case ErrorHandlingMode::Suppress: c.Suppress->setChecked(true); break;
    case ErrorHandlingMode::Warn: c.Warn->setChecked(true); break;
    case ErrorHandlingMode::DontWarn: c.dontwarn->setChecked(true); break;
    }
    (e.ShowResults ? c.ShowResults : c.Openfiles)->setChecked(true);
    c.OpenFirst->setValue(e.OpenFirst);
    c.BetLow->Edit()->setText(Displayed(e.BetLow));
    c.BetHigh->Edit()->setText(Displayed(e.BetHigh));
    c.Smaller->Edit()->setText(Displayed(e.Smaller));
    c.Larger->Edit()->setText(Displayed(e.Larger));
    c.DBetLow->SetText(Displayed(e.DBetLow));
    c.DBetHigh->SetText(Displayed(e.DBetHigh));
    c.DSooner->SetText(Displayed(e.DSooner));
    c.DLater->SetText(Displayed(e.DLater));
    c.DType->setCurrentText(Displayed(e.DType));
}

DialogEntries TVantorFinder::ReadEntries() const {
    const DialogControls& c = *c_;
    DialogEntries e;
    e.FindText = Held(c.FindBox->currentText());
    e.FileMaskText = Held(c.Filemask->currentText());
    e.DirectoryText = Held(c.Directory->currentText());
    e.BoolAND = c.BoolAND->isChecked();
    e.BoolOR = c.BoolOR->isChecked();
    e.MatchCase = c.MatchCase->isChecked();
    e.SubDirCheck = c.SubDirCheck->isChecked();
    e.SkipBin = c.SkipBin->isChecked();
    e.SearchBG = c.SearchBG->isChecked();
    e.Bark = c.Bark->isChecked();
    e.ErrorHandling = c.Warn->isChecked()       ? ErrorHandlingMode::Warn
                      : c.dontwarn->isChecked() ? ErrorHandlingMode::DontWarn
                                                : ErrorHandlingMode::Suppress;
    e.ShowResults = c.ShowResults->isChecked();
    e.OpenFirst = c.OpenFirst->value();
    e.SizeFilter = c.BetSizes->isChecked()    ? SizeFilterKind::BetSizes
                   : c.Smallsize->isChecked() ? SizeFilterKind::Smallsize
                   : c.LargeSize->isChecked() ? SizeFilterKind::LargeSize
                                              : SizeFilterKind::AllSizes;
    e.BetLow = Held(c.BetLow->Edit()->text());
    e.BetHigh = Held(c.BetHigh->Edit()->text());
    e.Smaller = Held(c.Smaller->Edit()->text());
    e.Larger = Held(c.Larger->Edit()->text());
    e.AllDates = !c.TheseDates->isChecked();
    e.DateChoice = c.DBefore->isChecked()  ? DateFilterKind::DBefore
                   : c.DAfter->isChecked() ? DateFilterKind::DAfter
                                           : DateFilterKind::DBetDates;
    e.DType = Held(c.DType->currentText());
    e.DBetLow = Held(c.DBetLow->Text());
    e.DBetHigh = Held(c.DBetHigh->Text());
    e.DSooner = Held(c.DSooner->Text());
    e.DLater = Held(c.DLater->Text());
    return e;
}

void TVantorFinder::WriteSettings(settings::FinderSettings& settings) const {
    if (!shown_) return;
    StoreEntries(ReadEntries(), settings);
    settings.Lists = {lists_.FindTexts, lists_.Masks, lists_.Folders};
}

bool TVantorFinder::OpenFilesChosen() const {
    return c_->Openfiles->isChecked();
}

int TVantorFinder::OpenFirstCount() const {
    return c_->OpenFirst->value();
}

bool TVantorFinder::WarnChosen() const {
    return c_->Warn->isChecked();
}

void TVantorFinder::RefreshDropDowns() {
    FillBox(c_->FindBox, lists_.FindTexts);
    FillBox(c_->Filemask, lists_.Masks);
    FillBox(c_->Directory, lists_.Folders);
}

void TVantorFinder::BeginsearchClick() {
    search::SearchCriteria criteria = CriteriaFrom(ReadEntries());
    // Remembers the texts first, a refused one too.
    const std::optional<search::EntryFault> fault = search::PrepareSearch(criteria, lists_, flags_);
    RefreshDropDowns();
    if (fault) {
        platform::MessageBox box;
        box.caption = Displayed(std::string(search::kNoticeCaption));
        box.text = Displayed(fault->Message);
        box.parent = this;
        services_.notifier.Show(box);
        c_->OvcNotebook1->setCurrentIndex(
            fault->Page == search::DialogPage::LookWhere ? kLookWherePage : kFindWhatPage);
        QComboBox* field = fault->Field == search::EntryField::Directory  ? c_->Directory
                           : fault->Field == search::EntryField::Filemask ? c_->Filemask
                                                                          : c_->FindBox;
        field->setFocus(Qt::OtherFocusReason);
        field->lineEdit()->selectAll();
        return;
    }
    accept();
    if (services_.starter) services_.starter->StartSearch(std::move(criteria));
}

void TVantorFinder::ApplyResultsHandling() {
    DialogControls& c = *c_;
    const ResultsHandling rule = ResultsHandlingFor(c.SearchBG->isChecked());
    for (QWidget* w : std::initializer_list<QWidget*>{c.Openfiles, c.OpenFirst, c.Label4})
        w->setEnabled(rule.OpenFilesEnabled);
    c.ShowResults->setEnabled(true);
    if (rule.ForceShowResults) c.ShowResults->setChecked(true);
}

void TVantorFinder::SizeChosen(SizeFilterKind choice) {
    DialogControls& c = *c_;
    const SizeBoxes on = SizeBoxesFor(choice);
    c.BetLow->setEnabled(on.BetLow);
    c.BetHigh->setEnabled(on.BetHigh);
    c.Smaller->setEnabled(on.Smaller);
    c.Larger->setEnabled(on.Larger);
    if (on.BetLow) c.BetLow->setFocus();
    if (on.Smaller) c.Smaller->setFocus();
    if (on.Larger) c.Larger->setFocus();
}

void TVantorFinder::DateChosen(DateFilterKind choice) {
    DialogControls& c = *c_;
    const DateFields on = DateFieldsFor(choice);
    c.DBetLow->setEnabled(on.DBetLow);
    c.DBetHigh->setEnabled(on.DBetHigh);
    c.DSooner->setEnabled(on.DSooner);
    c.DLater->setEnabled(on.DLater);
    if (choice == DateFilterKind::AllDates) return;
    c.TheseDates->setChecked(true);
    if (on.DBetLow) c.DBetLow->setFocus();
    if (on.DSooner) c.DSooner->setFocus();
    if (on.DLater) c.DLater->setFocus();
}

void TVantorFinder::PickDate(int index) {
    DateField* fields[] = {c_->DBetLow, c_->DBetHigh, c_->DSooner, c_->DLater};
    DateField* field = fields[index];
    if (const std::optional<QDate> date = services_.prompts->PickDate(field->Date(), this))
        field->SetDate(*date);
}

void TVantorFinder::OpenCharMap() {
    TCharMap map(c_->FindBox->currentText(), c_->FindBox->font().family(), services_.help,
                 services_.prompts, this);
    connect(&map, &TCharMap::FontChosen, this, [this](const QString& family) {
        QFont font = c_->FindBox->font();
        font.setFamily(family);
        c_->FindBox->setFont(font);
    });
    if (map.exec() == QDialog::Accepted) c_->FindBox->setEditText(map.Result());
}

void TVantorFinder::AddFolder() {
    const QModelIndex selected = c_->DirectoryListBox1->currentIndex();
    if (!selected.isValid()) return;
    const std::string folder = Held(c_->Folders->filePath(selected));
    c_->Directory->setEditText(
        Displayed(WithFolderAdded(Held(c_->Directory->currentText()), folder)));
}

void TVantorFinder::ShowPageHelp() {
    const int page = c_->OvcNotebook1->currentIndex();
    if (page >= 0 && page < 4) ShowHelp(kPageTopics[page]);
}

void TVantorFinder::ShowHelp(const char* topic) {
    if (services_.help) services_.help->ShowTopic(topic);
}

} // namespace mvf::dialog
