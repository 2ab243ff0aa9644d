// The find and replace dialogs: modeless, shown at (150, 150) on the screen, they stay up
// while the user works in the document. Pressing a button only emits a signal; the main
// window runs the search (TMainForm).
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace mvf::viewer {

class FindDialog : public QDialog {
    Q_OBJECT

public:
    explicit FindDialog(QWidget* parent = nullptr);

    QString FindText() const;
    void SetFindText(const QString& text);
    bool MatchCase() const;
    bool WholeWord() const;
    bool Up() const; // the direction
    void SetMatchCase(bool on);
    void SetWholeWord(bool on);
    void SetUp(bool up);

    QPushButton* FindNextButton() const { return findNext_; }

signals:
    void findNext();
    void findTextChanged();

private:
    QLineEdit* text_;
    QCheckBox* wholeWord_;
    QCheckBox* matchCase_;
    QRadioButton* up_;
    QRadioButton* down_;
    QPushButton* findNext_;
};

class ReplaceDialog : public QDialog {
    Q_OBJECT

public:
    explicit ReplaceDialog(QWidget* parent = nullptr);

    QString FindText() const;
    QString ReplaceText() const;
    void SetFindText(const QString& text);
    void SetReplaceText(const QString& text);
    bool MatchCase() const;
    bool WholeWord() const;
    void SetMatchCase(bool on);
    void SetWholeWord(bool on);

    QPushButton* FindNextButton() const { return findNext_; }
    QPushButton* ReplaceButton() const { return replace_; }
    QPushButton* ReplaceAllButton() const { return replaceAll_; }

signals:
    void findNext();
    void replace();
    void replaceAll();
    void shown();

protected:
    void showEvent(QShowEvent* event) override;

private:
    QLineEdit* text_;
    QLineEdit* replacement_;
    QCheckBox* wholeWord_;
    QCheckBox* matchCase_;
    QPushButton* findNext_;
    QPushButton* replace_;
    QPushButton* replaceAll_;
};

// Where both dialogs appear on the screen.
inline constexpr int kSearchDialogX = 150;
inline constexpr int kSearchDialogY = 150;

} // namespace mvf::viewer
