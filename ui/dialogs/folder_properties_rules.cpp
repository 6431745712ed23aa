#include "ui/dialogs/folder_properties_rules.h"

#include "res/resource.h"

namespace tellaro {

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

PathDecision DecideAfterQuestion(PathAnswer answer, bool keepUnchecked) {
    switch (answer) {
        case PathAnswer::Directory:
            return PathDecision::Accept;
        case PathAnswer::NotDirectory:
            return PathDecision::Refuse;
        default:
            return keepUnchecked ? PathDecision::Accept : PathDecision::KeepEditing;
    }
}

PropertiesLayout MeasurePropertiesLayout(int w, int h, const PropertiesControls& c,
                                         int outerHeight) {
    PropertiesLayout l;
    l.pathLeft = c.path.left;
    l.pathTop = c.path.top;
    l.pathMargin = w - RectWidth(c.path);
    l.pathHeight = RectHeight(c.path);
    l.browseOffset = w - c.browse.left;
    l.browseTop = c.browse.top;
    l.browseWidth = RectWidth(c.browse);
    l.browseHeight = RectHeight(c.browse);
    l.nameLeft = c.name.left;
    l.nameTop = c.name.top;
    l.nameMargin = w - RectWidth(c.name);
    l.nameHeight = RectHeight(c.name);
    l.buttons = MeasureButtonRow(w, h, ButtonRow{c.ok, c.cancel, c.help});
    l.minWidth = l.buttons.minWidth;
    l.fixedHeight = outerHeight;
    return l;
}

PropertiesControls PlacePropertiesControls(const PropertiesLayout& l, int w, int h) {
    PropertiesControls c;
    c.path = RectAt(l.pathLeft, l.pathTop, w - l.pathMargin, l.pathHeight);
    c.browse = RectAt(w - l.browseOffset, l.browseTop, l.browseWidth, l.browseHeight);
    c.name = RectAt(l.nameLeft, l.nameTop, w - l.nameMargin, l.nameHeight);
    const ButtonRow row = PlaceButtonRow(l.buttons, w, h);
    c.ok = row.ok;
    c.cancel = row.cancel;
    c.help = row.help;
    return c;
}

void ClampPropertiesSizing(ScreenRect& r, int edge, const PropertiesLayout& l) {
    if (RectHeight(r) != l.fixedHeight) SetHeightFromDraggedEdge(r, edge, l.fixedHeight);
    if (RectWidth(r) < l.minWidth) SetWidthFromDraggedEdge(r, edge, l.minWidth);
}

}  // namespace tellaro
