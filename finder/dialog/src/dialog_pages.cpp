// The search dialog's pages: every control with its caption, default and place.
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDir>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTreeView>
#include <QVBoxLayout>

#include "arrow_spinner.h"
#include "date_field.h"
#include "dialog_controls.h"
#include "dialog_entries.h"
#include "finder/dialog/char_map.h"

namespace mvf::dialog {

namespace {

constexpr QSize kButtonSize(97, 28);

template <typename T> T* Named(T* widget, const char* name) {
    widget->setObjectName(name);
    return widget;
}

QComboBox* RememberedBox(QWidget* parent, const char* name) {
    auto* box = Named(new QComboBox(parent), name);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert); // the lists are remembered by "Begin Search"
    box->setMaxVisibleItems(15);
    box->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    box->setMinimumContentsLength(20);
    return box;
}

QLabel* Label(const QString& text, QWidget* parent, QWidget* buddy = nullptr) {
    auto* label = new QLabel(text, parent);
    if (buddy) label->setBuddy(buddy);
    return label;
}

QWidget* FindWhatPage(DialogControls& c) {
    auto* page = new QWidget;

    auto* types = new QGroupBox("Find file(s) of type:", page);
    c.Filemask = RememberedBox(types, "Filemask");
    auto* typesLayout = new QVBoxLayout(types);
    typesLayout->addWidget(c.Filemask);
    typesLayout->addWidget(Label("Examples:  *.txt,*.pas,*.bat  (separated by commas)", types));

    auto* containing = new QGroupBox("Containing:", page);
    c.FindBox = RememberedBox(containing, "FindBox");
    c.FindBox->lineEdit()->setMaxLength(kSearchTextLimit);
    c.BoolAND = Named(new QCheckBox("Boolean &AND (Must match all)", containing), "BoolAND");
    c.BoolOR = Named(new QCheckBox("Boolean &OR (Match any)", containing), "BoolOR");
    c.MatchCase = Named(new QCheckBox("&Match case", containing), "MatchCase");
    c.SpecCharBtn = Named(new QPushButton("&Insert special character", containing), "SpecCharBtn");
    c.SpecCharBtn->setAutoDefault(false);
    auto* containingLayout = new QGridLayout(containing);
    auto* barLabel = Label("For boolean searches enter multiple expressions separated by the | "
                           "character",
                           containing, c.FindBox);
    barLabel->setWordWrap(true);
    containingLayout->addWidget(barLabel, 0, 0, 1, 2);
    containingLayout->addWidget(c.FindBox, 1, 0, 1, 2);
    containingLayout->addWidget(c.BoolAND, 2, 0);
    containingLayout->addWidget(c.MatchCase, 2, 1);
    containingLayout->addWidget(c.BoolOR, 3, 0);
    containingLayout->addWidget(c.SpecCharBtn, 3, 1);

    c.OvcNotebook2 = Named(new QTabWidget(page), "OvcNotebook2");

    // "&Size Filters": one radio group.
    auto* sizes = new QWidget;
    c.AllSizes = Named(new QRadioButton("All Sizes", sizes), "AllSizes");
    c.BetSizes = Named(new QRadioButton("Between", sizes), "BetSizes");
    c.Smallsize = Named(new QRadioButton("Smaller than", sizes), "Smallsize");
    c.LargeSize = Named(new QRadioButton("Larger than", sizes), "LargeSize");
    c.BetLow = new NumberBox("BetLow", "UpDown1", sizes);
    c.BetHigh = new NumberBox("BetHigh", "UpDown2", sizes);
    c.Smaller = new NumberBox("Smaller", "UpDown3", sizes);
    c.Larger = new NumberBox("Larger", "UpDown5", sizes);
    c.AllSizes->setChecked(true);
    auto* sizeLayout = new QGridLayout(sizes);
    sizeLayout->addWidget(c.AllSizes, 0, 0);
    sizeLayout->addWidget(c.BetSizes, 1, 0);
    sizeLayout->addWidget(c.BetLow, 1, 1);
    sizeLayout->addWidget(Label("and", sizes), 1, 2);
    sizeLayout->addWidget(c.BetHigh, 1, 3);
    sizeLayout->addWidget(Label("KB", sizes), 1, 4);
    sizeLayout->addWidget(c.Smallsize, 2, 0);
    sizeLayout->addWidget(c.Smaller, 2, 1);
    sizeLayout->addWidget(Label("KB", sizes), 2, 2);
    sizeLayout->addWidget(c.LargeSize, 3, 0);
    sizeLayout->addWidget(c.Larger, 3, 1);
    sizeLayout->addWidget(Label("KB", sizes), 3, 2);
    sizeLayout->setColumnStretch(5, 1);
    sizeLayout->setRowStretch(4, 1);

    // "&Date Filters": "All Dates" or "Find Files:", and which dates in a second group.
    auto* dates = new QWidget;
    c.AllDates = Named(new QRadioButton("All Dates", dates), "AllDates");
    c.TheseDates = Named(new QRadioButton("Find Files:", dates), "TheseDates");
    c.DType = Named(new QComboBox(dates), "DType");
    c.DType->addItems({"Created", "Modified"});
    c.DType->setCurrentText("Modified");
    c.DBetDates = Named(new QRadioButton("Between", dates), "DBetDates");
    c.DBefore = Named(new QRadioButton("Before", dates), "DBefore");
    c.DAfter = Named(new QRadioButton("After", dates), "DAfter");
    c.DBetLow = new DateField("DBetLow", dates);
    c.DBetHigh = new DateField("DBetHigh", dates);
    c.DSooner = new DateField("DSooner", dates);
    c.DLater = new DateField("DLater", dates);
    auto* whether = new QButtonGroup(dates);
    whether->addButton(c.AllDates);
    whether->addButton(c.TheseDates);
    auto* which = new QButtonGroup(dates);
    which->addButton(c.DBetDates);
    which->addButton(c.DBefore);
    which->addButton(c.DAfter);
    c.AllDates->setChecked(true);
    c.DBetDates->setChecked(true);
    auto* dateLayout = new QGridLayout(dates);
    dateLayout->addWidget(c.AllDates, 0, 0);
    auto* theseRow = new QHBoxLayout;
    theseRow->addWidget(c.TheseDates);
    theseRow->addWidget(c.DType);
    theseRow->addStretch(1);
    dateLayout->addLayout(theseRow, 0, 1, 1, 4);
    dateLayout->addWidget(c.DBetDates, 1, 0);
    dateLayout->addWidget(c.DBetLow, 1, 1);
    dateLayout->addWidget(Label("and", dates), 1, 2);
    dateLayout->addWidget(c.DBetHigh, 1, 3);
    dateLayout->addWidget(c.DBefore, 2, 0);
    dateLayout->addWidget(c.DSooner, 2, 1);
    dateLayout->addWidget(c.DAfter, 3, 0);
    dateLayout->addWidget(c.DLater, 3, 1);
    dateLayout->setColumnStretch(4, 1);
    dateLayout->setRowStretch(4, 1);

    c.OvcNotebook2->addTab(sizes, "&Size Filters");
    c.OvcNotebook2->addTab(dates, "&Date Filters");

    auto* layout = new QVBoxLayout(page);
    layout->addWidget(types);
    layout->addWidget(containing);
    layout->addWidget(c.OvcNotebook2, 1);
    return page;
}

QWidget* LookWherePage(DialogControls& c) {
    auto* page = new QWidget;
    auto* group = new QGroupBox(page);
    c.Directory = RememberedBox(group, "Directory");
    auto* listLabel = Label("Dri&ve/Directory list - separated with commas (/home,/usr/share/doc)",
                            group, c.Directory);
    c.DirectoryListBox1 = Named(new QTreeView(group), "DirectoryListBox1");
    // The file system's folders in place of a drive list and a folder list; the model
    // reads them on a thread of its own.
    c.Folders = new QFileSystemModel(c.DirectoryListBox1);
    c.Folders->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    c.Folders->setRootPath("/");
    c.DirectoryListBox1->setModel(c.Folders);
    for (int column = 1; column < c.Folders->columnCount(); ++column)
        c.DirectoryListBox1->hideColumn(column);
    c.DirectoryListBox1->setHeaderHidden(true);
    c.DirectoryListBox1->setRootIndex(c.Folders->index("/").parent());
    const QModelIndex here = c.Folders->index(QDir::currentPath());
    c.DirectoryListBox1->setCurrentIndex(here);
    c.DirectoryListBox1->scrollTo(here);
    c.SubDirCheck = Named(new QCheckBox("&Search subdirectories", group), "SubDirCheck");
    c.Button1 = Named(new QPushButton("&Add to drive/directory list", group), "Button1");
    c.Button2 = Named(new QPushButton("C&lear drive/directory list", group), "Button2");
    c.Button1->setAutoDefault(false);
    c.Button2->setAutoDefault(false);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(c.Button1);
    buttons->addWidget(c.Button2);
    auto* layout = new QVBoxLayout(group);
    layout->addWidget(listLabel);
    layout->addWidget(c.Directory);
    auto* treeLabel = Label("Double-click on a drive or directory and then click the Add button "
                            "to add it",
                            group);
    treeLabel->setWordWrap(true);
    layout->addWidget(treeLabel);
    layout->addWidget(c.DirectoryListBox1, 1);
    layout->addWidget(c.SubDirCheck);
    layout->addLayout(buttons);
    auto* pageLayout = new QVBoxLayout(page);
    pageLayout->addWidget(group);
    return page;
}

QWidget* HowToSearchPage(DialogControls& c) {
    auto* page = new QWidget;
    c.SearchBG = Named(new QCheckBox("Search in back&ground thread", page), "SearchBG");
    c.SkipBin = Named(new QCheckBox("&Skip binary files", page), "SkipBin");
    c.Bark = Named(new QCheckBox("&Bark when finished searching", page), "Bark");
    c.SkipBin->setChecked(true);
    auto* errors = new QGroupBox("Error handling:", page);
    c.Suppress =
        Named(new QRadioButton("Suppress file &open errors (but log them)", errors), "Suppress");
    c.Warn = Named(
        new QRadioButton("&Warn about file open errors when done (and log them)", errors), "Warn");
    c.dontwarn =
        Named(new QRadioButton("&Don't warn about or log file open errors", errors), "dontwarn");
    c.Warn->setChecked(true);
    auto* errorLayout = new QVBoxLayout(errors);
    errorLayout->addWidget(c.Suppress);
    errorLayout->addWidget(c.Warn);
    errorLayout->addWidget(c.dontwarn);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(c.SearchBG);
    layout->addWidget(c.SkipBin);
    layout->addWidget(c.Bark);
    layout->addWidget(errors);
    layout->addStretch(1);
    return page;
}

QWidget* ResultsHandlingPage(DialogControls& c) {
    auto* page = new QWidget;
    auto* results = new QGroupBox("Results:", page);
    c.ShowResults =
        Named(new QRadioButton("&Show results list window when finished", results), "ShowResults");
    c.Openfiles = Named(new QRadioButton("&Open up to", results), "Openfiles");
    c.OpenFirst = Named(new QSpinBox(results), "OpenFirst");
    c.OpenFirst->setRange(kOpenFirstLeast, kOpenFirstMost);
    c.OpenFirst->setSingleStep(kOpenFirstStep);
    c.OpenFirst->setValue(20);
    c.Label4 = Named(Label("files with hits", results), "Label4");
    c.Openfiles->setChecked(true);
    auto* openRow = new QHBoxLayout;
    openRow->addWidget(c.Openfiles);
    openRow->addWidget(c.OpenFirst);
    openRow->addWidget(c.Label4);
    openRow->addStretch(1);
    auto* resultsLayout = new QVBoxLayout(results);
    resultsLayout->addWidget(c.ShowResults);
    resultsLayout->addLayout(openRow);
    auto* layout = new QVBoxLayout(page);
    layout->addWidget(results);
    layout->addStretch(1);
    return page;
}

} // namespace

NumberBox::NumberBox(const QString& name, const QString& spinnerName, QWidget* parent)
    : QWidget(parent), edit_(new QLineEdit("0", this)),
      spinner_(new ArrowSpinner(ArrowSpinner::Kind::UpDown, this)) {
    edit_->setObjectName(name);
    spinner_->setObjectName(spinnerName);
    edit_->setMaximumWidth(edit_->fontMetrics().horizontalAdvance("000000") + 12);
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(1);
    layout->addWidget(edit_);
    layout->addWidget(spinner_);
    setFocusProxy(edit_);
    QObject::connect(spinner_, &ArrowSpinner::Stepped, edit_, [this](Qt::ArrowType arrow) {
        const int delta = arrow == Qt::UpArrow ? 1 : -1;
        edit_->setText(QString::fromStdString(
            SteppedNumber(edit_->text().toStdString(), delta, kSizeBoxLeast, kSizeBoxMost)));
    });
}

void BuildControls(QDialog& dialog, DialogControls& c) {
    c.OvcNotebook1 = Named(new QTabWidget(&dialog), "OvcNotebook1");
    c.OvcNotebook1->addTab(FindWhatPage(c), "Find &What");
    c.OvcNotebook1->addTab(LookWherePage(c), "&Look Where");
    c.OvcNotebook1->addTab(HowToSearchPage(c), "&How to Search");
    c.OvcNotebook1->addTab(ResultsHandlingPage(c), "&Results Handling");

    c.Beginsearch = Named(new QPushButton("Begin Search", &dialog), "Beginsearch");
    c.CloseBtn = Named(new QPushButton("&Close", &dialog), "CloseBtn");
    c.HelpBtn = Named(new QPushButton("Help", &dialog), "HelpBtn");
    for (QPushButton* button : {c.Beginsearch, c.CloseBtn, c.HelpBtn}) {
        button->setMinimumSize(kButtonSize);
        button->setAutoDefault(false);
    }
    c.Beginsearch->setDefault(true);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(c.Beginsearch);
    buttons->addWidget(c.CloseBtn);
    buttons->addWidget(c.HelpBtn);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(c.OvcNotebook1, 1);
    layout->addLayout(buttons);
}

} // namespace mvf::dialog
