// The progress window of long loads (a results file): caption "Progress", 256 pixels
// wide, one bar. While it shows, it sits centred on its owner (the search dialog, or the
// screen while the dialog is hidden) and the owner takes no input.
//
//   progress.Begin(entries);          // shown; the owner disabled
//   progress.SetPosition(done);       // as the load goes on
//   progress.End();                   // hidden; the owner enabled again
#pragma once

#include <QWidget>

class QProgressBar;

namespace mvf::dialog {

class VFProgress : public QWidget {
    Q_OBJECT

public:
    static constexpr int kWidth = 256;

    explicit VFProgress(QWidget* owner);

    void Begin(int maximum);
    void SetPosition(int position);
    void End();

    QProgressBar* Bar() const { return bar_; }

private:
    QWidget* owner_;
    QProgressBar* bar_;
    bool ownerWasEnabled_ = true;
};

} // namespace mvf::dialog
