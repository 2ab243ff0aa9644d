// One help window: a text browser with Back, Forward and Close.
#pragma once

#include <QString>
#include <QWidget>

class QTextBrowser;
class QTextDocument;

namespace mvf::platform {

class HelpBrowser;

class HelpWindow : public QWidget {
public:
    HelpWindow(const QString& title, QSize size);

    // Shows `anchor` of the help file `file` (empty: no help file was found, `searched`
    // says where it was looked for), opening and raising the window.
    void ShowAnchor(const QString& file, const QString& anchor, const QString& searched);

    QTextBrowser* Browser() const;

private:
    HelpBrowser* browser_;
};

// Whether the document has an anchor of that name.
bool HasAnchor(const QTextDocument& document, const QString& anchor);

} // namespace mvf::platform
