// How the finder runs its own modal dialogs (the notice, the About box, the search
// dialog): through this one interface, so a test can answer a dialog instead of waiting
// for a person.
#pragma once

class QDialog;

namespace mvf::shell {

class ModalRunner {
public:
    virtual ~ModalRunner() = default;
    // Shows `dialog` modally until it is closed; its result (QDialog::Accepted, ...).
    virtual int Run(QDialog& dialog) = 0;
};

// The program's: QDialog::exec.
class QtModalRunner final : public ModalRunner {
public:
    int Run(QDialog& dialog) override;
};

} // namespace mvf::shell
