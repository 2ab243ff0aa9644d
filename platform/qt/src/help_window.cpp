#include "help_window.h"

#include <QHBoxLayout>
#include <QPushButton>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>
#include <QUrl>
#include <QUrlQuery>
#include <QVBoxLayout>

namespace mvf::platform {

namespace {

const QString kPageScheme = QStringLiteral("mvf-help");

// The address of the page that says the help could not be found, and why. It is an
// address like any other, so Back and Forward pass over it as over the help's pages.
QUrl NotFoundUrl(const QString& detail) {
    QUrl url;
    url.setScheme(kPageScheme);
    url.setPath(QStringLiteral("not-found"));
    QUrlQuery query;
    query.addQueryItem(QStringLiteral("detail"), detail);
    url.setQuery(query);
    return url;
}

QString NotFoundPage(const QUrl& url) {
    const QString detail = QUrlQuery(url).queryItemValue("detail", QUrl::FullyDecoded);
    return "<html><body><h2>Help could not be found</h2><p>" + detail.toHtmlEscaped() +
           "</p></body></html>";
}

} // namespace

// A text browser that also shows the pages of our own scheme.
class HelpBrowser : public QTextBrowser {
public:
    using QTextBrowser::QTextBrowser;

    QVariant loadResource(int type, const QUrl& name) override {
        if (name.scheme() == kPageScheme) return NotFoundPage(name);
        return QTextBrowser::loadResource(type, name);
    }
};

bool HasAnchor(const QTextDocument& document, const QString& anchor) {
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block.charFormat().anchorNames().contains(anchor)) return true;
        for (auto it = block.begin(); !it.atEnd(); ++it)
            if (it.fragment().charFormat().anchorNames().contains(anchor)) return true;
    }
    return false;
}

HelpWindow::HelpWindow(const QString& title, QSize size) : browser_(new HelpBrowser(this)) {
    setWindowTitle(title);
    resize(size);
    auto* back = new QPushButton("&Back", this);
    auto* forward = new QPushButton("&Forward", this);
    auto* close = new QPushButton("&Close", this);
    back->setEnabled(false);
    forward->setEnabled(false);
    connect(back, &QPushButton::clicked, browser_, &QTextBrowser::backward);
    connect(forward, &QPushButton::clicked, browser_, &QTextBrowser::forward);
    connect(browser_, &QTextBrowser::backwardAvailable, back, &QPushButton::setEnabled);
    connect(browser_, &QTextBrowser::forwardAvailable, forward, &QPushButton::setEnabled);
    connect(close, &QPushButton::clicked, this, &QWidget::close);
    browser_->setOpenExternalLinks(true);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(back);
    buttons->addWidget(forward);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(buttons);
    layout->addWidget(browser_);
}

QTextBrowser* HelpWindow::Browser() const {
    return browser_;
}

void HelpWindow::ShowAnchor(const QString& file, const QString& anchor, const QString& searched) {
    // Shown first: the browser scrolls to an anchor by the laid-out page.
    show();
    raise();
    activateWindow();
    if (file.isEmpty()) {
        browser_->setSource(
            NotFoundUrl("The help file was not found. Looked for: " + searched + "."),
            QTextDocument::HtmlResource);
        return;
    }
    QUrl url = QUrl::fromLocalFile(file);
    url.setFragment(anchor);
    browser_->setSource(url, QTextDocument::HtmlResource);
    if (!HasAnchor(*browser_->document(), anchor)) {
        browser_->setSource(NotFoundUrl("The help topic \"" + anchor +
                                        "\" is not in the help file \"" + file + "\"."),
                            QTextDocument::HtmlResource);
    }
}

} // namespace mvf::platform
