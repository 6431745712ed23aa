// The saves kept beside the settings file, in its "backup" folder: each
// file the item file replaces stays there, under its time, thinned to the
// newest few and one a day before them.
#pragma once

#include <string>
#include <vector>

#include "config/backup_rules.h"

namespace tellaro {

// The folder of the kept saves beside the item file `itemFile`.
std::wstring KeptSavesFolder(const std::wstring& itemFile);

// Keeps `itemFile`, which a save is about to replace, as the newest kept
// save, then removes what the thinning rule lets go. Whatever fails here
// costs only the copy: the save the user asked for goes on, and nothing is
// said at the moment of saving.
void KeepPreviousSave(const std::wstring& itemFile);

struct KeptSave {
    std::wstring path;
    BackupStamp stamp;
};

// The kept saves beside `itemFile`, newest first.
std::vector<KeptSave> ListKeptSaves(const std::wstring& itemFile);

}  // namespace tellaro
