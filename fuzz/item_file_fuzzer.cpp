// Feeds arbitrary bytes to the item file reader. Whatever it accepts must
// survive being written and read again unchanged, must show in the settings
// window exactly as in the popup menu and be saved by OK as shown, names too
// long to show whole included; whatever
// it refuses must leave the caller's settings alone.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/item_codec.h"
#include "settings/memory_node_tree.h"
#include "settings/settings_tree.h"
#include "tests/common/shown_shape.h"

namespace {

using namespace tellaro;

class TreeHost : public SettingsTreeHost {
public:
    std::string Text(int id) override { return "S" + std::to_string(id); }
    bool HasSecondSpecialRoot() override { return true; }
    bool IsSpecialFolderAvailable(std::size_t) override { return true; }
    void ReportTooManyItems() override { ++tooMany; }
    int tooMany = 0;
};

void CheckShown(const FolderSettings& settings) {
    MemoryNodeTree tree;
    TreeHost host;
    SettingsTree logic(tree, host);
    if (!CheckShownWhole(logic, settings, host.tooMany).empty()) std::abort();
}

// The same list with every name longer than the menus show, each cut at
// another byte of its own text: a cut label must never be saved as the name.
FolderSettings WithLongNames(const FolderSettings& settings) {
    FolderSettings out = settings;
    for (std::size_t i = 0; i < out.items.Size(); ++i) {
        std::string& name = out.items.At(i).name;
        if (name.empty()) continue;
        const std::string unit = name;
        while (name.size() <= kMaxShownNameBytes) name += unit;
    }
    return out;
}

void CheckImage(const std::uint8_t* data, std::size_t size) {
    OptionsRecord options;
    FolderSettings settings;
    const DecodeResult first = DecodeItemFile(data, size, options, settings);
    if (first.status != DecodeStatus::Loaded) {
        if (!(options == OptionsRecord{}) || !(settings == FolderSettings{})) std::abort();
        return;
    }
    if (settings.items.Size() > kMaxFolderItems) std::abort();

    const std::vector<std::uint8_t> file = EncodeItemFile(options, settings);
    OptionsRecord again;
    FolderSettings againSettings;
    const DecodeResult second = DecodeItemFile(file.data(), file.size(), again, againSettings);
    if (second.status != DecodeStatus::Loaded || second.truncated) std::abort();
    if (!(again == options) || !(againSettings == settings)) std::abort();
    if (EncodeItemFile(again, againSettings) != file) std::abort();
    CheckShown(settings);
    CheckShown(WithLongNames(settings));
}

// The checksum refuses almost every random change; a copy with its size
// word and checksum made right lets the layout checks see those inputs too.
std::vector<std::uint8_t> WithValidChecksum(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> copy(data, data + size - size % 4);
    const std::size_t n = copy.size();
    for (int i = 0; i < 4; ++i) copy[i] = static_cast<std::uint8_t>(n >> (8 * i));
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 4 < n; i += 4)
        sum += copy[i] | copy[i + 1] << 8 | copy[i + 2] << 16 |
               static_cast<std::uint32_t>(copy[i + 3]) << 24;
    const std::uint32_t check = 0u - sum;
    for (int i = 0; i < 4; ++i) copy[n - 4 + i] = static_cast<std::uint8_t>(check >> (8 * i));
    return copy;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    CheckImage(data, size);
    if (size >= 8) {
        const std::vector<std::uint8_t> sealed = WithValidChecksum(data, size);
        CheckImage(sealed.data(), sealed.size());
    }
    return 0;
}
