#include "status_bars.h"

#include <QLabel>
#include <QResizeEvent>

#include <algorithm>

namespace mvf::shell {

namespace {

QLabel* MakePanel(QWidget* parent, const QString& name) {
    auto* panel = new QLabel(parent);
    panel->setObjectName(name);
    panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    panel->setTextFormat(Qt::PlainText);
    panel->setContentsMargins(2, 0, 2, 0);
    // A long text is cut at the panel's edge; it never widens the window.
    panel->setMinimumWidth(0);
    panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    return panel;
}

} // namespace

ProgressBar::ProgressBar(QWidget* parent)
    : QStatusBar(parent), panel_(MakePanel(this, QStringLiteral("ProgressPanel"))) {
    setObjectName(QStringLiteral("Progress"));
    setSizeGripEnabled(false);
    addWidget(panel_, 1);
}

void ProgressBar::SetText(const QString& text) {
    panel_->setText(text);
}

QString ProgressBar::Text() const {
    return panel_->text();
}

// The panels are placed by hand rather than by the bar's layout: their widths follow the
// bar's exactly and never hold the window wider than the user makes it.
FinderStatusBar::FinderStatusBar(QWidget* parent) : QStatusBar(parent) {
    setObjectName(QStringLiteral("VFinderstatus"));
    for (int i = 0; i < 3; ++i)
        panels_[static_cast<std::size_t>(i)] =
            MakePanel(this, QStringLiteral("StatusPanel%1").arg(i));
    setMinimumHeight(fontMetrics().height() + 8);
    Place(kInitialPanelWidths);
}

void FinderStatusBar::Place(const PanelWidths& widths) {
    const int top = 2;
    const int height = std::max(0, this->height() - top);
    // The last panel runs to the edge; the size grip sits in its corner.
    panels_[0]->setGeometry(0, top, widths.first, height);
    panels_[1]->setGeometry(widths.first, top, widths.second, height);
    panels_[2]->setGeometry(widths.first + widths.second, top, widths.third, height);
}

void FinderStatusBar::SetPanelText(int panel, const QString& text) {
    Panel(panel)->setText(text);
}

QString FinderStatusBar::PanelText(int panel) const {
    return Panel(panel)->text();
}

void FinderStatusBar::resizeEvent(QResizeEvent* event) {
    QStatusBar::resizeEvent(event);
    Place(StatusPanelWidths(event->size().width()));
}

} // namespace mvf::shell
