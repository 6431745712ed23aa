#include "config/legacy_import.h"

#include <cstdint>
#include <cstdio>

#include "config/special_folder_table.h"

namespace tellaro {

namespace {

using namespace legacy_ini;

void AppendFolder(FolderItemList& items, std::string path, std::string name) {
    FolderItem item;
    item.kind = static_cast<std::uint8_t>(FolderItemKind::Folder);
    item.path = std::move(path);
    item.name = std::move(name);
    items.Append(std::move(item));
}

void AppendSeparator(FolderItemList& items) {
    FolderItem item;
    item.kind = static_cast<std::uint8_t>(FolderItemKind::Separator);
    items.Append(std::move(item));
}

// One special-folder mask: a folder for each set bit that resolves to a
// path, then one separator whether or not any folder made it.
void ImportMask(int mask, std::size_t firstEntry, std::size_t count, LegacyImportResolver& resolver,
                FolderItemList& items) {
    if (mask == 0) return;
    const auto bits = static_cast<std::uint32_t>(mask);
    for (std::size_t j = 0; j < count; ++j) {
        if (!(bits >> j & 1u)) continue;
        const std::size_t entry = firstEntry + j;
        std::optional<std::string> path = resolver.SpecialFolderPath(entry);
        if (!path) continue;
        AppendFolder(items, std::move(*path),
                     resolver.DisplayName(SpecialFolderTable::Entry(entry).stringId));
    }
    AppendSeparator(items);
}

void ImportOptions(LegacyIniReader& reader, OptionsRecord& options) {
    auto byte = [&](const char* key, int def) {
        return static_cast<std::uint8_t>(reader.ReadInt(kSection, key, def));
    };
    options.leftClickMenu = byte("LClick", 0);
    options.rightClickMenu = byte("RClick", 1);
    options.leftDoubleClickAction = byte("LDClick", 1);
    options.rightDoubleClickAction = byte("RDClick", 0);
    options.hotkey = static_cast<std::uint16_t>(reader.ReadInt(kSection, "ShortCutKey", 0));
    options.hotkeyNearTray = byte("ShortCheck", 1);
}

void ImportNumberedEntries(LegacyIniReader& reader, LegacyImportResolver& resolver,
                           FolderItemList& items) {
    int count = reader.ReadInt(kSection, "ArrayCount", 0);
    if (count > kMaxNumberedEntries) count = kMaxNumberedEntries;
    for (int i = 0; i < count; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "FolderName%02d", i);
        std::string path = reader.ReadString(kSection, key, kMissingMarker);
        if (path == kMissingMarker || !resolver.DirectoryExists(path)) continue;
        std::snprintf(key, sizeof key, "ShowName%02d", i);
        std::string name = reader.ReadString(kSection, key, kMissingMarker);
        if (name == kMissingMarker) continue;
        AppendFolder(items, std::move(path), std::move(name));
    }
}

}  // namespace

int ImportLegacySettings(LegacyIniReader& reader, LegacyImportResolver& resolver,
                         OptionsRecord& options, FolderSettings& settings) {
    if (reader.ReadInt(kSection, "Version", -1) < kMinimumVersion) return -1;

    settings.items.Clear();
    ImportMask(reader.ReadInt(kSection, "SpFolder", 0), 0, SpecialFolderTable::EntryCount1,
               resolver, settings.items);
    ImportMask(reader.ReadInt(kSection, "SpFolder2", 0), SpecialFolderTable::EntryCount1,
               SpecialFolderTable::EntryCount2, resolver, settings.items);
    ImportOptions(reader, options);
    ImportNumberedEntries(reader, resolver, settings.items);

    // An older 2 is carried over as 3; both show the commands-only menu.
    if (options.leftClickMenu == 2) options.leftClickMenu = 3;
    if (options.rightClickMenu == 2) options.rightClickMenu = 3;
    return 0;
}

}  // namespace tellaro
