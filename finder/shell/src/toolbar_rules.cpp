#include "finder/shell/toolbar_rules.h"

namespace mvf::shell {

ToolbarMetrics MetricsOf(std::string_view mode) {
    if (mode == kMediumMode) return {38, 38, 38, "M_"};
    return {24, 24, 22, "S_"};
}

std::string ToggledMode(std::string_view mode) {
    return std::string(mode == kMediumMode ? kSmallMode : kMediumMode);
}

HintParts SplitHint(std::string_view hint) {
    const std::size_t bar = hint.find('|');
    if (bar == std::string_view::npos) return {std::string(hint), std::string(hint)};
    return {std::string(hint.substr(0, bar)), std::string(hint.substr(bar + 1))};
}

std::optional<std::string> GlyphFor(std::string_view hint, std::string_view mode) {
    for (const ToolbarButton& button : kToolbarButtons)
        if (button.hint == hint)
            return std::string(MetricsOf(mode).glyphPrefix) + std::string(button.glyphBase);
    return std::nullopt;
}

} // namespace mvf::shell
