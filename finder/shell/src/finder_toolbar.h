// The docking toolbar `VFTBSmall`: the nine command buttons with their hints (tooltip:
// the short part; status bar: the long part) and glyphs, in the small or medium size.
// It docks at any edge of the main window, or floats.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include <QToolBar>

#include "finder/results/list_texts.h"
#include "finder/shell/toolbar_rules.h"
#include "platform/qt/resources.h"

class QToolButton;

namespace mvf::shell {

class ToolbarStyle;

class FinderToolbar final : public QToolBar {
    Q_OBJECT
public:
    explicit FinderToolbar(QWidget* parent);

    QAction* Action(ToolbarCommand command) const;
    QToolButton* Button(ToolbarCommand command) const;

    // The size: the toolbar's thickness, each button's size, and each button's glyph for
    // its current hint, read from the resource file. Painting waits until all is done.
    void ApplyMode(std::string_view mode, const platform::ResourceLibrary& resources);
    const std::string& Mode() const { return mode_; }

    // A button's hint: its tooltip, its status text and, when the hint belongs to a
    // button, that button's glyph.
    void SetHint(ToolbarCommand command, std::string_view hint,
                 const platform::ResourceLibrary& resources);
    const std::string& Hint(ToolbarCommand command) const;

    // `UpdateTB`: which commands can be used now.
    void SetCommandsEnabled(const results::ToolbarState& state);

signals:
    void commandTriggered(mvf::shell::ToolbarCommand command);
    // A right-button press on the stop button: the search menu, shown at this point.
    void stopGoMenuRequested(QPoint globalPos);
    // A right-button press elsewhere on the toolbar: the docking menu.
    void dockMenuRequested(QPoint globalPos);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void ApplyGlyph(ToolbarCommand command, const platform::ResourceLibrary& resources);

    ToolbarStyle* style_;
    std::array<QAction*, kToolbarButtons.size()> actions_{};
    std::array<std::string, kToolbarButtons.size()> hints_;
    std::string mode_{kSmallMode};
};

} // namespace mvf::shell
