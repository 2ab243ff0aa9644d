// The main window's two status bars: `Progress`, one panel for the search summary, the
// progress texts and "Paused...."; and `VFinderstatus`, three panels (the selection or a
// hint's long part, the hit count, the sort order) whose widths follow the bar's.
#pragma once

#include <array>

#include <QStatusBar>

#include "finder/shell/window_place.h"

class QLabel;

namespace mvf::shell {

class ProgressBar final : public QStatusBar {
public:
    explicit ProgressBar(QWidget* parent);
    void SetText(const QString& text);
    QString Text() const;
    QLabel* Panel() const { return panel_; }

private:
    QLabel* panel_;
};

class FinderStatusBar final : public QStatusBar {
public:
    explicit FinderStatusBar(QWidget* parent);
    void SetPanelText(int panel, const QString& text);
    QString PanelText(int panel) const;
    QLabel* Panel(int panel) const { return panels_[static_cast<std::size_t>(panel)]; }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    void Place(const PanelWidths& widths);

    std::array<QLabel*, 3> panels_{};
};

} // namespace mvf::shell
