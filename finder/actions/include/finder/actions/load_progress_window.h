// The window that shows how far a long results-file load has come (files announcing more
// than 300 entries). The search dialog's progress window VFProgress takes this place when
// it is there; PlainLoadProgress stands in meanwhile and for programs without the dialog.
#pragma once

#include <QString>
#include <memory>

class QProgressDialog;
class QWidget;

namespace mvf::actions {

class LoadProgressWindow {
public:
    virtual ~LoadProgressWindow() = default;
    // Shows the window with `caption` and a bar from 0 to `maximum`.
    virtual void Open(const QString& caption, int maximum) = 0;
    // The caption and the bar's position as the load goes on.
    virtual void Step(const QString& caption, int position) = 0;
    // Clears the caption and closes the window.
    virtual void Close() = 0;
};

// A small progress dialog over `window`, without a cancel button.
class PlainLoadProgress : public LoadProgressWindow {
public:
    explicit PlainLoadProgress(QWidget* window);
    ~PlainLoadProgress() override;
    void Open(const QString& caption, int maximum) override;
    void Step(const QString& caption, int position) override;
    void Close() override;

private:
    QWidget* window_;
    std::unique_ptr<QProgressDialog> dialog_;
};

} // namespace mvf::actions
