// The start-up notice `TFinderMsgDlg`: how to reach the finder through its tray icon,
// with a check box that stops the notice from the next start on. Ticking or unticking
// the box sets `FindMsg` at once; it is written at exit with the other settings.
#pragma once

#include <QDialog>

class QCheckBox;

namespace mvf::shell {

class FinderMsgDlg final : public QDialog {
public:
    // `findMsg` is the setting the box changes; it must outlive the dialog.
    explicit FinderMsgDlg(bool& findMsg, QWidget* parent = nullptr);

    QCheckBox* CheckBox() const { return check_; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    bool& findMsg_;
    QCheckBox* check_;
};

} // namespace mvf::shell
