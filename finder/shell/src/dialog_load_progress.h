// The search dialog's progress window VFProgress as the results file's load shows its
// progress: the caption carries the text, the bar the lines read. Until the dialog is
// made (it comes after the main window) a load shows no progress window.
#pragma once

#include "finder/actions/load_progress_window.h"

namespace mvf::dialog {
class VFProgress;
}

namespace mvf::shell {

class DialogLoadProgress final : public actions::LoadProgressWindow {
public:
    void Attach(dialog::VFProgress* progress) { progress_ = progress; }

    void Open(const QString& caption, int maximum) override;
    void Step(const QString& caption, int position) override;
    void Close() override;

private:
    dialog::VFProgress* progress_ = nullptr;
};

} // namespace mvf::shell
