// The shell's side of the special folder table: which folders this system
// knows and where they live.
#pragma once

#include <optional>
#include <string>

#include "config/folder_model.h"

namespace tellaro {

// The shell knows the folder `csidl` on this system.
bool IsSpecialFolderAvailable(int csidl);

// The file-system path of the folder `csidl`; nothing for folders the
// system doesn't know or that have no path (control panel, printers...).
std::optional<std::wstring> SpecialFolderPathWide(int csidl);
// The same in the system's code page, and nothing where the code page
// cannot hold the path exactly: a look-alike would name another folder.
std::optional<std::string> SpecialFolderPath(int csidl);

// Shows every special folder this system knows, in table order.
void FillInitialSpecialFolderOrder(FolderSettings& settings);

}  // namespace tellaro
