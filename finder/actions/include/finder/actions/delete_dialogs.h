// The two dialogs of the delete command, and the prompts that show them.
//
// TVFDelDlg "Multiple File Deletions": one of two groups of choices is visible. With a
// trash, Group95: Askall (chosen each time the dialog is shown), Recycleall, DeleteAll.
// Without one, Group351: Confirm (chosen each time), DelAll.
// TDelFileDlg "File Delete Options": the file's full path in the framed line DName, and
// RecBtn (chosen when the dialog is made) or DelBtn; the choice is kept from file to file.
// Both are fixed in size, centred on the screen, made on first use and kept for the run.
#pragma once

#include <QDialog>
#include <memory>

#include "finder/actions/delete_prompts.h"

class QLabel;
class QRadioButton;
class QWidget;

namespace mvf::actions {

class TVFDelDlg : public QDialog {
    Q_OBJECT
public:
    explicit TVFDelDlg(QWidget* parent = nullptr);

    // Sets the count line, shows the group that fits and selects its first choice.
    void Prepare(std::size_t count, bool noRecycleBin);
    // The mode the choices now show.
    DeleteMode Chosen() const;

    QWidget* Group95;
    QLabel* Label1;
    QRadioButton* Askall;
    QRadioButton* Recycleall;
    QRadioButton* DeleteAll;
    QWidget* Group351;
    QLabel* Label3;
    QRadioButton* Confirm;
    QRadioButton* DelAll;
};

class TDelFileDlg : public QDialog {
    Q_OBJECT
public:
    explicit TDelFileDlg(QWidget* parent = nullptr);

    // Shows `path` (decoded as UTF-8) in DName; the choice stays as it was.
    void Prepare(const std::string& path);
    FileDisposal Chosen() const;

    QLabel* DName;
    QRadioButton* RecBtn;
    QRadioButton* DelBtn;
};

// Shows the two dialogs modally over `window`.
class QtDeletePrompts : public DeletePrompts {
public:
    explicit QtDeletePrompts(QWidget* window) : window_(window) {}
    ~QtDeletePrompts() override;

    std::optional<DeleteMode> ChooseMode(std::size_t count, bool noRecycleBin) override;
    std::optional<FileDisposal> ChooseDisposal(const std::string& path) override;

private:
    QWidget* window_;
    std::unique_ptr<TVFDelDlg> multiple_;
    std::unique_ptr<TDelFileDlg> single_;
};

} // namespace mvf::actions
