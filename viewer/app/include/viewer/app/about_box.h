// The About box "About Vantor Finder Viewer": the title in bold 20-pixel letters, the
// program's icon and version, and OK. Created once at start-up, shown from the Help menu.
#pragma once

#include <QDialog>

namespace mvf::viewer {

class TMdiAbout : public QDialog {
    Q_OBJECT

public:
    explicit TMdiAbout(QWidget* parent = nullptr);
};

} // namespace mvf::viewer
