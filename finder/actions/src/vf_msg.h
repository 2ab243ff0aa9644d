// TVFMsg, the small "Loading" window shown on top of everything while a long list is
// saved: a first line the saver sets, and the fixed line "Please wait .....".
#pragma once

#include <QWidget>

class QLabel;

namespace mvf::actions::detail {

class TVFMsg : public QWidget {
public:
    explicit TVFMsg(QWidget* window);
    // Shows the window over `window` with `firstLine`, painted at once.
    void ShowWith(const QString& firstLine);
    // Clears the first line and closes the window.
    void Finish();
    QString FirstLine() const;

private:
    QWidget* window_;
    QLabel* first_;
};

} // namespace mvf::actions::detail
