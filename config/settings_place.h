// Where the settings live: the per-user settings folder, or, for a copy
// made portable by a marker file beside the program, the program's own
// folder. Portable: no Windows headers.
#pragma once

#include <optional>
#include <string>

namespace tellaro {

namespace portable_marker {
// The file beside Tellaro.exe that makes a copy keep its settings there.
constexpr const char* kFileName = "Tellaro.portable";
// The line of the marker that records the code page the settings were
// written in: names in the item file are text of that code page.
constexpr const char* kCodePageKey = "CodePage=";
}  // namespace portable_marker

struct SettingsPlace {
    // The program's folder rather than the per-user one.
    bool besideProgram = false;
    // Saves there will fail: the first save says so, naming the folder, and
    // nothing is written anywhere else.
    bool unwritable = false;
};

// The marker alone decides: a settings file that happens to lie beside an
// installed program (the file commands can put one anywhere) leaves it
// installed. `writable` is what a trial write into the program's folder
// found, asked only for a portable copy.
SettingsPlace ChooseSettingsPlace(bool markerBesideProgram, bool itemFileBesideProgram,
                                  bool writable);

// The code page a marker records; nothing when it records none.
std::optional<unsigned> MarkerCodePage(const std::string& markerText);
// The marker's text recording `codePage`: its line replaced, or added at
// the end; every other line stays as the user may have written it.
std::string WithMarkerCodePage(const std::string& markerText, unsigned codePage);

}  // namespace tellaro
