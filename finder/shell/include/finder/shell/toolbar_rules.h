// The main window's toolbar as data: its nine buttons with their hints and glyphs, and
// its two sizes.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace mvf::shell {

// `VFTBMode`: "S" small or "M" medium.
inline constexpr std::string_view kSmallMode = "S";
inline constexpr std::string_view kMediumMode = "M";

struct ToolbarMetrics {
    int controlHeight; // the toolbar's thickness where it is docked
    int buttonWidth;
    int buttonHeight;
    std::string_view glyphPrefix; // "S_" or "M_"
};

// The metrics of a mode; any text but "M" is the small size.
ToolbarMetrics MetricsOf(std::string_view mode);
// "TB": "S" becomes "M" and "M" becomes "S" (anything else counts as "S").
std::string ToggledMode(std::string_view mode);

// Pixels between two buttons.
inline constexpr int kButtonSpacing = 3;

enum class ToolbarCommand {
    Newsearchbtn,
    OpenBtn,
    DeleteBtn,
    ClearBtn,
    OpenListBtn,
    SaveListBtn,
    StopGoBtn,
    HelpBtn,
    ExitBtn,
};

struct ToolbarButton {
    ToolbarCommand command;
    std::string_view name;
    std::string_view hint; // "short|long", or one text for both
    std::string_view glyphBase;
};

// The buttons in their order on the toolbar.
inline constexpr std::array<ToolbarButton, 9> kToolbarButtons{{
    {ToolbarCommand::Newsearchbtn, "Newsearchbtn", "New search", "BACKGROUNDFIND"},
    {ToolbarCommand::OpenBtn, "OpenBtn", "Open selected|Open selected files", "FILEOPEN"},
    {ToolbarCommand::DeleteBtn, "DeleteBtn", "Delete selected|Delete selected files",
     "DELETECURRENTFILE"},
    {ToolbarCommand::ClearBtn, "ClearBtn", "Clear list|Clear Vantor Finder Results list",
     "CLEARTRACKER"},
    {ToolbarCommand::OpenListBtn, "OpenListBtn", "Load|Load saved results list", "OPENLIST"},
    {ToolbarCommand::SaveListBtn, "SaveListBtn", "Save|Save results list to *.SER file", "SAVE"},
    {ToolbarCommand::StopGoBtn, "StopGoBtn", "Stop|Stop current search", "STOP"},
    {ToolbarCommand::HelpBtn, "HelpBtn", "Help", "HELP"},
    {ToolbarCommand::ExitBtn, "ExitBtn", "Done|Send to System Tray", "EXIT"},
}};

// A hint's two parts: the tooltip before "|", the status bar's text after it. A hint
// without "|" is both.
struct HintParts {
    std::string shortPart;
    std::string longPart;

    friend bool operator==(const HintParts&, const HintParts&) = default;
};
HintParts SplitHint(std::string_view hint);

// The glyph resource for a button showing `hint` in `mode`: the prefix and the base
// name that belongs to that hint ("S_STOP" for "Stop|Stop current search"). None when
// the hint belongs to no button ("Resume|..."): the button keeps the glyph it has.
std::optional<std::string> GlyphFor(std::string_view hint, std::string_view mode);

} // namespace mvf::shell
