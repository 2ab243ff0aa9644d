// The search dialog's controls, each named as in the design (tests find them by these
// names), and the function that builds them on their pages.
#pragma once

#include <QString>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QDialog;
class QFileSystemModel;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;
class QTreeView;

namespace mvf::dialog {

class ArrowSpinner;
class DateField;

// A size box: an edit box taking any typing, with its spinner (0 to 9999, step 1).
class NumberBox : public QWidget {
public:
    NumberBox(const QString& name, const QString& spinnerName, QWidget* parent);
    QLineEdit* Edit() const { return edit_; }
    ArrowSpinner* Spinner() const { return spinner_; }

private:
    QLineEdit* edit_;
    ArrowSpinner* spinner_;
};

// The pages of the outer notebook, in order.
enum PageIndex { kFindWhatPage = 0, kLookWherePage, kHowToSearchPage, kResultsHandlingPage };

struct DialogControls {
    QTabWidget* OvcNotebook1;
    QTabWidget* OvcNotebook2;
    // Find What
    QComboBox* Filemask;
    QComboBox* FindBox;
    QCheckBox* BoolAND;
    QCheckBox* BoolOR;
    QCheckBox* MatchCase;
    QPushButton* SpecCharBtn;
    QRadioButton* AllSizes;
    QRadioButton* BetSizes;
    QRadioButton* Smallsize;
    QRadioButton* LargeSize;
    NumberBox* BetLow;
    NumberBox* BetHigh;
    NumberBox* Smaller;
    NumberBox* Larger;
    QRadioButton* AllDates;
    QRadioButton* TheseDates;
    QComboBox* DType;
    QRadioButton* DBetDates;
    QRadioButton* DBefore;
    QRadioButton* DAfter;
    DateField* DBetLow;
    DateField* DBetHigh;
    DateField* DSooner;
    DateField* DLater;
    // Look Where
    QComboBox* Directory;
    QTreeView* DirectoryListBox1;
    QFileSystemModel* Folders;
    QCheckBox* SubDirCheck;
    QPushButton* Button1;
    QPushButton* Button2;
    // How to Search
    QCheckBox* SearchBG;
    QCheckBox* SkipBin;
    QCheckBox* Bark;
    QRadioButton* Suppress;
    QRadioButton* Warn;
    QRadioButton* dontwarn;
    // Results Handling
    QRadioButton* ShowResults;
    QRadioButton* Openfiles;
    QSpinBox* OpenFirst;
    QLabel* Label4;
    // Below the notebook
    QPushButton* Beginsearch;
    QPushButton* CloseBtn;
    QPushButton* HelpBtn;
};

// Builds every control with its caption and default on its page, and lays the dialog out.
void BuildControls(QDialog& dialog, DialogControls& c);

} // namespace mvf::dialog
