// Writes a settings file for the end-to-end checks, through the program's own
// codec, so a check can start Tellaro.exe with folders and options in place.
// usage: settings_tool PATH [option=value ...] [folder=PATH|NAME ...]
//   group=NAME and sep= add a group and a separator; depth=N sets the depth
//   of the entries that follow it (0 at first).
// usage: settings_tool --dump PATH
//   prints each record of the folder list as "depth kind name|path", kind
//   0 folder, 1 group, 2 separator, 3 placeholder.
//   options: hotkey, hotkeyNearTray, hotkeyMenu, secondLaunchPopup,
//            secondLaunchNearTray, secondLaunchMenu, secondLaunchWaitMs,
//            leftClickMenu, rightClickMenu, leftDoubleClickAction,
//            rightDoubleClickAction
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "config/item_codec.h"
#include "config/special_folder_table.h"

namespace {

using tellaro::FolderItem;
using tellaro::OptionsRecord;

bool SetOption(OptionsRecord& o, const std::string& key, long v) {
    const auto byte = static_cast<std::uint8_t>(v);
    if (key == "hotkey") o.hotkey = static_cast<std::uint16_t>(v);
    else if (key == "hotkeyNearTray") o.hotkeyNearTray = byte;
    else if (key == "hotkeyMenu") o.hotkeyMenu = byte;
    else if (key == "secondLaunchPopup") o.secondLaunchPopup = byte;
    else if (key == "secondLaunchNearTray") o.secondLaunchNearTray = byte;
    else if (key == "secondLaunchMenu") o.secondLaunchMenu = byte;
    else if (key == "secondLaunchWaitMs") o.secondLaunchWaitMs = static_cast<std::uint16_t>(v);
    else if (key == "leftClickMenu") o.leftClickMenu = byte;
    else if (key == "rightClickMenu") o.rightClickMenu = byte;
    else if (key == "leftDoubleClickAction") o.leftDoubleClickAction = byte;
    else if (key == "rightDoubleClickAction") o.rightDoubleClickAction = byte;
    else return false;
    return true;
}

int Dump(const char* path) {
    std::FILE* f = std::fopen(path, "rb");
    if (f == nullptr) return 1;
    std::vector<std::uint8_t> bytes;
    for (int c; (c = std::fgetc(f)) != EOF;) bytes.push_back(static_cast<std::uint8_t>(c));
    std::fclose(f);
    OptionsRecord options;
    tellaro::FolderSettings settings;
    if (tellaro::DecodeItemFile(bytes.data(), bytes.size(), options, settings).status !=
        tellaro::DecodeStatus::Loaded)
        return 1;
    for (const FolderItem& item : settings.items)
        std::printf("%d %d %s|%s\n", item.depth, item.kind, item.name.c_str(), item.path.c_str());
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    if (argc == 3 && std::strcmp(argv[1], "--dump") == 0) return Dump(argv[2]);
    OptionsRecord options;
    tellaro::FolderSettings settings;
    // Every entry shown in table order, as on a system that knows them all.
    tellaro::SpecialFolderTable::InitialOrder(settings, [](int) { return true; });
    std::uint8_t depth = 0;
    for (int i = 2; i < argc; ++i) {
        std::string arg = argv[i];
        std::size_t eq = arg.find('=');
        if (eq == std::string::npos) return 2;
        std::string key = arg.substr(0, eq), value = arg.substr(eq + 1);
        if (key == "folder") {
            std::size_t bar = value.find('|');
            FolderItem item;
            item.kind = static_cast<std::uint8_t>(tellaro::FolderItemKind::Folder);
            item.depth = depth;
            item.path = value.substr(0, bar);
            item.name = bar == std::string::npos ? item.path : value.substr(bar + 1);
            settings.items.Append(item);
        } else if (key == "group" || key == "sep") {
            FolderItem item;
            item.kind =
                static_cast<std::uint8_t>(key == "group" ? tellaro::FolderItemKind::Group
                                                         : tellaro::FolderItemKind::Separator);
            item.depth = depth;
            item.name = value;
            settings.items.Append(item);
        } else if (key == "depth") {
            depth = static_cast<std::uint8_t>(std::strtol(value.c_str(), nullptr, 0));
        } else if (!SetOption(options, key, std::strtol(value.c_str(), nullptr, 0))) {
            std::fprintf(stderr, "unknown option %s\n", key.c_str());
            return 2;
        }
    }
    const std::vector<std::uint8_t> bytes = tellaro::EncodeItemFile(options, settings);
    std::FILE* f = std::fopen(argv[1], "wb");
    if (f == nullptr) return 1;
    const bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok ? 0 : 1;
}
