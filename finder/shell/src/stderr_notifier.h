// A notifier for tests of the whole program: every box is written to standard error as
// one line and answered with its default button, so a test can run the real program and
// read what it would have told the user. Chosen only by MVF_NOTIFIER=stderr.
#pragma once

#include "platform/qt/notifier.h"

namespace mvf::shell {

class StderrNotifier final : public platform::Notifier {
public:
    // Writes "box: caption=<caption> text=<text>" with line breaks shown as \n and \r.
    platform::BoxAnswer Show(const platform::MessageBox& box) override;
};

// The line a box is written as.
std::string BoxLine(const platform::MessageBox& box);

} // namespace mvf::shell
