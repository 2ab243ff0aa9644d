#include "viewer/app/split_geometry.h"

#include <algorithm>

namespace mvf::viewer {

int InitialUpperHeight(int clientHeight) {
    return std::max(clientHeight, 0) / 2;
}

int DragLineY(int y, int clientHeight) {
    const int top = kDragLineMargin;
    const int bottom = std::max(top, clientHeight - 1 - kDragLineMargin);
    return std::clamp(y, top, bottom);
}

int DroppedUpperHeight(int upperHeight, int pressY, int lineY, int clientHeight) {
    return FittedUpperHeight(upperHeight + (lineY - pressY), clientHeight);
}

int ResizedUpperHeight(int upperHeight, int newClientHeight, int oldClientHeight) {
    if (oldClientHeight <= 0) return InitialUpperHeight(newClientHeight);
    const long long scaled = static_cast<long long>(upperHeight) * newClientHeight;
    return FittedUpperHeight(static_cast<int>(scaled / oldClientHeight), newClientHeight);
}

int FittedUpperHeight(int upperHeight, int clientHeight) {
    return std::clamp(upperHeight, 0, std::max(0, clientHeight - kSplitBarHeight));
}

} // namespace mvf::viewer
