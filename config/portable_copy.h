// A copy of the program made portable by a marker file beside it keeps its
// settings in its own folder (a USB stick, a synced folder), and the marker
// records the code page its names were written in.
#pragma once

#include <optional>
#include <string>

namespace tellaro {

// The folder of the running program when the marker lies in it: its
// settings folder; nothing for an installed copy.
std::optional<std::wstring> PortableSettingsFolder();

// The code page the marker in `folder` records, if any.
std::optional<unsigned> RecordedCodePage(const std::wstring& folder);
// Records `codePage` in the marker in `folder` where it records another or
// none; a marker that cannot be written keeps what it had.
void RecordCodePage(const std::wstring& folder, unsigned codePage);

}  // namespace tellaro
