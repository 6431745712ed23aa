#include "ui/dialogs/folder_properties_rules.h"

#include <algorithm>

#include "res/resource.h"

namespace tellaro {

namespace {

int Width(const MenuRect& r) {
    return r.right - r.left;
}
int Height(const MenuRect& r) {
    return r.bottom - r.top;
}
MenuRect At(int left, int top, int width, int height) {
    return MenuRect{left, top, left + width, top + height};
}

// WMSZ_ edges.
constexpr int kEdgeLeft = 1;
constexpr int kEdgeTop = 3;
constexpr int kEdgeTopLeft = 4;
constexpr int kEdgeTopRight = 5;
constexpr int kEdgeBottomLeft = 7;

}  // namespace

PropertiesModeInfo DescribePropertiesMode(std::uint8_t mode) {
    switch (mode) {
        case properties_mode::kNewGroup:
            return {IDS_NEW_GROUP_TITLE, false, false};
        case properties_mode::kFolder:
            return {IDS_FOLDER_PROPERTIES_TITLE, true, true};
        case properties_mode::kGroup:
            return {IDS_GROUP_PROPERTIES_TITLE, false, true};
        default:
            return {IDS_NEW_FOLDER_TITLE, true, false};
    }
}

int CheckPropertiesInput(std::uint8_t mode, bool pathIsDirectory, const std::string& name) {
    // A folder's name may stay empty; only a group needs one, and only
    // emptiness is refused.
    if (DescribePropertiesMode(mode).folder) return pathIsDirectory ? 0 : IDS_INVALID_FOLDER_PATH;
    return name.empty() ? IDS_EMPTY_NAME : 0;
}

PropertiesLayout MeasurePropertiesLayout(int w, int h, const PropertiesControls& c,
                                         int outerHeight) {
    PropertiesLayout l;
    l.pathLeft = c.path.left;
    l.pathTop = c.path.top;
    l.pathMargin = w - Width(c.path);
    l.pathHeight = Height(c.path);
    l.browseOffset = w - c.browse.left;
    l.browseTop = c.browse.top;
    l.browseWidth = Width(c.browse);
    l.browseHeight = Height(c.browse);
    l.nameLeft = c.name.left;
    l.nameTop = c.name.top;
    l.nameMargin = w - Width(c.name);
    l.nameHeight = Height(c.name);
    l.okOffsetX = w - c.ok.left;
    l.okOffsetY = h - c.ok.top;
    l.buttonHeight = Height(c.ok);
    l.buttonWidth = Width(c.ok);
    l.cancelOffset = c.cancel.left - c.ok.left;
    l.helpOffset = c.help.left - c.ok.left;
    l.minWidth = std::min(l.helpOffset + l.buttonWidth + 20, w);
    l.fixedHeight = outerHeight;
    return l;
}

PropertiesControls PlacePropertiesControls(const PropertiesLayout& l, int w, int h) {
    PropertiesControls c;
    c.path = At(l.pathLeft, l.pathTop, w - l.pathMargin, l.pathHeight);
    c.browse = At(w - l.browseOffset, l.browseTop, l.browseWidth, l.browseHeight);
    c.name = At(l.nameLeft, l.nameTop, w - l.nameMargin, l.nameHeight);
    const int x = w - l.okOffsetX;
    const int y = h - l.okOffsetY;
    c.ok = At(x, y, l.buttonWidth, l.buttonHeight);
    c.cancel = At(x + l.cancelOffset, y, l.buttonWidth, l.buttonHeight);
    c.help = At(x + l.helpOffset, y, l.buttonWidth, l.buttonHeight);
    return c;
}

void ClampPropertiesSizing(MenuRect& r, int edge, const PropertiesLayout& l) {
    if (Height(r) != l.fixedHeight) {
        if (edge == kEdgeTop || edge == kEdgeTopLeft || edge == kEdgeTopRight)
            r.top = r.bottom - l.fixedHeight;
        else
            r.bottom = r.top + l.fixedHeight;
    }
    if (Width(r) < l.minWidth) {
        if (edge == kEdgeLeft || edge == kEdgeTopLeft || edge == kEdgeBottomLeft)
            r.left = r.right - l.minWidth;
        else
            r.right = r.left + l.minWidth;
    }
}

}  // namespace tellaro
