#include "viewer/app/status_texts.h"

namespace mvf::viewer {

std::array<std::string, kStatusPanelCount>
StatusPanelTexts(const std::optional<StatusFacts>& facts) {
    if (!facts) return {};
    return {
        std::to_string(facts->line) + ":" + std::to_string(facts->column),
        facts->modified ? "Modified" : "",
        "Total: " + std::to_string(facts->lineCount),
        "Top: " + std::to_string(facts->topLine),
        "Bytes: " + std::to_string(facts->byteCount),
        facts->insertMode ? "Insert" : "Overwrite",
    };
}

} // namespace mvf::viewer
