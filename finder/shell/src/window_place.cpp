#include "finder/shell/window_place.h"

#include <algorithm>
#include <cmath>

namespace mvf::shell {

WindowRect StoredRect(const settings::FinderSettings& settings) {
    return {settings.VFLastX, settings.VFLastY, settings.VFLastCX, settings.VFLastCY};
}

namespace {

void StoreRect(settings::FinderSettings& settings, const WindowRect& rect) {
    settings.VFLastX = rect.left;
    settings.VFLastY = rect.top;
    settings.VFLastCX = rect.right;
    settings.VFLastCY = rect.bottom;
}

} // namespace

void RecordWindow(settings::FinderSettings& settings, const WindowFacts& facts) {
    if (facts.placed && !facts.minimised && !facts.rolledUp) StoreRect(settings, facts.rect);
    settings.VFRolledUp = facts.rolledUp;
    settings.VFVisible = facts.visible;
    settings.VFCol = facts.columnWidths;
}

void RecordBeforeRollUp(settings::FinderSettings& settings, const WindowRect& rect,
                        bool minimised) {
    if (!minimised) StoreRect(settings, rect);
}

WindowRect RolledUpRect(const WindowRect& full, int captionHeight) {
    return {full.left, full.top, full.right, full.top + captionHeight};
}

PanelWidths StatusPanelWidths(int barWidth) {
    const int width = std::max(0, barWidth);
    const int first = static_cast<int>(std::lround(width / 2.0));
    const int second = static_cast<int>(std::lround(width / 4.0));
    return {first, second, std::max(0, width - first - second)};
}

} // namespace mvf::shell
