#include "finder_toolbar.h"

#include <QAction>
#include <QContextMenuEvent>
#include <QPixmap>
#include <QProxyStyle>
#include <QToolButton>

#include "qt_text.h"

namespace mvf::shell {

// The toolbar's own spacing and margins: 3 pixels between buttons, and a thickness of
// exactly the mode's control height around the buttons.
class ToolbarStyle final : public QProxyStyle {
public:
    void SetItemMargin(int margin) { itemMargin_ = margin; }

    int pixelMetric(PixelMetric metric, const QStyleOption* option,
                    const QWidget* widget) const override {
        switch (metric) {
        case PM_ToolBarItemSpacing: return kButtonSpacing;
        case PM_ToolBarItemMargin: return itemMargin_;
        case PM_ToolBarFrameWidth: return 0;
        default: return QProxyStyle::pixelMetric(metric, option, widget);
        }
    }

private:
    int itemMargin_ = 1;
};

namespace {

std::size_t IndexOf(ToolbarCommand command) {
    return static_cast<std::size_t>(command);
}

} // namespace

FinderToolbar::FinderToolbar(QWidget* parent)
    : QToolBar(QStringLiteral("Toolbar"), parent), style_(new ToolbarStyle) {
    setObjectName(QStringLiteral("VFTBSmall"));
    style_->setParent(this);
    setStyle(style_);
    setMovable(true);
    setFloatable(true);
    setAllowedAreas(Qt::AllToolBarAreas);
    setToolButtonStyle(Qt::ToolButtonIconOnly);

    for (const ToolbarButton& button : kToolbarButtons) {
        QAction* action = addAction(QString());
        action->setObjectName(QText(button.name));
        actions_[IndexOf(button.command)] = action;
        hints_[IndexOf(button.command)] = std::string(button.hint);
        const HintParts parts = SplitHint(button.hint);
        action->setText(QText(parts.shortPart));
        action->setToolTip(QText(parts.shortPart));
        action->setStatusTip(QText(parts.longPart));
        const ToolbarCommand command = button.command;
        connect(action, &QAction::triggered, this,
                [this, command] { emit commandTriggered(command); });
        QToolButton* tool = Button(command);
        tool->setObjectName(QText(button.name));
        tool->setAutoRaise(true);
    }
}

// Also while the stop button is disabled (no search runs), its right click reaches the
// toolbar, which shows the search menu there.
void FinderToolbar::contextMenuEvent(QContextMenuEvent* event) {
    const QToolButton* stopGo = Button(ToolbarCommand::StopGoBtn);
    if (stopGo && stopGo->isVisible() && stopGo->geometry().contains(event->pos()))
        emit stopGoMenuRequested(stopGo->mapToGlobal(QPoint(0, stopGo->height())));
    else
        emit dockMenuRequested(event->globalPos());
    event->accept();
}

QAction* FinderToolbar::Action(ToolbarCommand command) const {
    return actions_[IndexOf(command)];
}

QToolButton* FinderToolbar::Button(ToolbarCommand command) const {
    return qobject_cast<QToolButton*>(widgetForAction(Action(command)));
}

const std::string& FinderToolbar::Hint(ToolbarCommand command) const {
    return hints_[IndexOf(command)];
}

void FinderToolbar::ApplyGlyph(ToolbarCommand command, const platform::ResourceLibrary& resources) {
    const std::optional<std::string> glyph = GlyphFor(Hint(command), mode_);
    if (!glyph) return; // a hint of no button: the glyph stays
    const QImage picture = resources.Picture(QString::fromStdString(*glyph));
    if (picture.isNull()) return; // no resource file: the button keeps what it has
    Action(command)->setIcon(QIcon(QPixmap::fromImage(picture)));
}

void FinderToolbar::ApplyMode(std::string_view mode, const platform::ResourceLibrary& resources) {
    mode_ = std::string(mode == kMediumMode ? kMediumMode : kSmallMode);
    const ToolbarMetrics metrics = MetricsOf(mode_);
    const bool painting = updatesEnabled();
    setUpdatesEnabled(false);
    style_->SetItemMargin((metrics.controlHeight - metrics.buttonHeight) / 2);
    const QSize buttonSize(metrics.buttonWidth, metrics.buttonHeight);
    setIconSize(buttonSize);
    for (const ToolbarButton& button : kToolbarButtons) {
        QToolButton* tool = Button(button.command);
        tool->setIconSize(buttonSize);
        tool->setFixedSize(buttonSize);
        ApplyGlyph(button.command, resources);
    }
    // The style's metrics changed: the layout takes its margins and spacing anew.
    QEvent styleChange(QEvent::StyleChange);
    changeEvent(&styleChange);
    updateGeometry();
    setUpdatesEnabled(painting);
}

void FinderToolbar::SetHint(ToolbarCommand command, std::string_view hint,
                            const platform::ResourceLibrary& resources) {
    hints_[IndexOf(command)] = std::string(hint);
    const HintParts parts = SplitHint(hint);
    QAction* action = Action(command);
    action->setText(QText(parts.shortPart));
    action->setToolTip(QText(parts.shortPart));
    action->setStatusTip(QText(parts.longPart));
    ApplyGlyph(command, resources);
}

void FinderToolbar::SetCommandsEnabled(const results::ToolbarState& state) {
    Action(ToolbarCommand::OpenBtn)->setEnabled(state.open);
    Action(ToolbarCommand::DeleteBtn)->setEnabled(state.remove);
    Action(ToolbarCommand::ClearBtn)->setEnabled(state.clear);
    Action(ToolbarCommand::OpenListBtn)->setEnabled(state.load);
    Action(ToolbarCommand::SaveListBtn)->setEnabled(state.save);
    Action(ToolbarCommand::StopGoBtn)->setEnabled(state.stop);
    Action(ToolbarCommand::Newsearchbtn)->setEnabled(state.newSearch);
    Action(ToolbarCommand::ExitBtn)->setEnabled(state.done);
}

} // namespace mvf::shell
