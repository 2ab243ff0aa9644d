// The About box `TMdiAbout`: the program's title and its maker, with OK. Made once at
// start-up and shown from the options menu.
#pragma once

#include <QDialog>

namespace mvf::shell {

class MdiAbout final : public QDialog {
public:
    explicit MdiAbout(QWidget* parent = nullptr);

protected:
    void showEvent(QShowEvent* event) override;
};

} // namespace mvf::shell
