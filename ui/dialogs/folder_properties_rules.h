// The folder properties dialog's decisions: what each mode shows and asks
// for, which input it accepts, and how its controls follow the dialog's
// width while its height stays fixed. Portable: no Windows headers.
#pragma once

#include <cstdint>
#include <string>

#include "base/screen_geometry.h"

namespace tellaro {

// The mode byte the dialog is opened with (in a FolderItem's kind field).
namespace properties_mode {
constexpr std::uint8_t kNewFolder = 0;  // also every value not listed
constexpr std::uint8_t kNewGroup = 1;
constexpr std::uint8_t kFolder = 2;
constexpr std::uint8_t kGroup = 3;
}  // namespace properties_mode

struct PropertiesModeInfo {
    int titleId = 0;
    // Folder modes ask for a path (edit and Browse enabled) and check that
    // it names a directory; group modes ask for a name alone.
    bool folder = true;
    // The properties modes start from the record's texts; the new-item
    // modes start empty.
    bool initialTexts = false;
};

PropertiesModeInfo DescribePropertiesMode(std::uint8_t mode);

// The message (string id) that refuses the input, or 0 when OK may end the
// dialog. Decided from the mode, never from the controls' state.
int CheckPropertiesInput(std::uint8_t mode, bool pathIsDirectory, const std::string& name);

// A folder path is checked off the user-interface thread: a share whose
// server does not answer takes tens of seconds to give up. After this long
// without an answer the user is asked whether to keep the path unchecked.
constexpr unsigned kPathCheckPatienceMs = 3000;

enum class PathAnswer { None, Directory, NotDirectory };
enum class PathDecision { Accept, Refuse, KeepEditing };

// Once the user has chosen: an answer that came while the question was open
// decides, as it would have a moment earlier; without one, the choice does.
PathDecision DecideAfterQuestion(PathAnswer answer, bool keepUnchecked);

// Offsets measured once from the template, in client pixels, so that the
// edits stretch and the buttons stay anchored to the right and bottom.
struct PropertiesLayout {
    int pathLeft = 0, pathTop = 0, pathMargin = 0, pathHeight = 0;
    int browseOffset = 0, browseTop = 0, browseWidth = 0, browseHeight = 0;
    int nameLeft = 0, nameTop = 0, nameMargin = 0, nameHeight = 0;
    ButtonRowLayout buttons;
    int minWidth = 0;     // outer
    int fixedHeight = 0;  // outer
};

struct PropertiesControls {
    ScreenRect path, browse, name, ok, cancel, help;
};

// From the client size, the controls' client rectangles and the outer height.
PropertiesLayout MeasurePropertiesLayout(int clientWidth, int clientHeight,
                                         const PropertiesControls& controls, int outerHeight);
PropertiesControls PlacePropertiesControls(const PropertiesLayout& layout, int clientWidth,
                                           int clientHeight);
// WM_SIZING: the height never changes and the width never drops below the
// minimum; the edge being dragged (WMSZ_ code) is the one that gives way.
void ClampPropertiesSizing(ScreenRect& rect, int edge, const PropertiesLayout& layout);

}  // namespace tellaro
