// Runs random sequences of the settings window's editing operations over an
// in-memory tree, through the same tree logic and editor the window uses, and
// presses OK along the way and at the end. Whatever the user did, the list
// handed back must be one the item file carries unchanged and that every
// reader walks safely: at most 1000 records, in the canonical form (groups
// closed by a child or a placeholder, no stray separators, no depth that
// wrapped), and a tree rebuilt from it must hand back the same list.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/item_codec.h"
#include "settings/memory_node_tree.h"
#include "settings/settings_tree.h"
#include "settings/tree_editor.h"
#include "tests/common/shown_shape.h"

namespace {

using namespace tellaro;

// The shapes of text the properties dialog and dropped files let through,
// including code page 932 characters whose second byte is a backslash, and
// names longer than the menus show: two that show the same cut label, one
// with a double-byte character across the cut. A file may hold no name.
const char* const kNames[] = {
    "A",
    "a",
    "B",
    "Work",
    "Work (1)",
    "-",
    "\x83\x5c\x83\x74\x83\x67",
    "z",
    "",
    "Projects and papers kept for the long winter of twenty-six, \x83\x5c\x83\x74 and notes",
    "Projects and papers kept for the long winter of twenty-six, \x83\x5c\x83\x74 and files",
    "Projects and papers kept for the long winter of twenty-six\x83\x5c\x83\x74\x83\x67 end"};
const char* const kPaths[] = {
    "C:\\Work",
    "C:\\",
    "D:\\Data\\Work\\",
    "\\\\server\\share",
    "C:\\\x83\x5c\x83\x74\x83\x67",
    "relative",
    "C:\\Data\\A folder whose own name is far longer than any menu should ever show"};

// Beyond this many nodes a sequence stops copying: the tree would double at
// every copy and the run would measure memory, not the logic.
constexpr std::size_t kNodeBudget = 4000;

class Hosts : public SettingsTreeHost, public TreeEditHost {
public:
    Hosts(bool secondRoot, std::uint8_t missing) : secondRoot_(secondRoot), missing_(missing) {}
    std::string Text(int id) override { return "S" + std::to_string(id); }
    bool HasSecondSpecialRoot() override { return secondRoot_; }
    bool IsSpecialFolderAvailable(std::size_t i) override { return (missing_ >> (i % 8) & 1) == 0; }
    void ReportTooManyItems() override { ++tooMany; }
    bool SpecialFolderDirectory(std::size_t i, std::string& path) override {
        if (i % 3 == 1) return false;
        path = "C:\\Special\\" + std::to_string(i);
        return true;
    }
    void ReportDropOnDescendant() override {}
    void ReportTooDeep() override {}

    int tooMany = 0;

private:
    bool secondRoot_;
    std::uint8_t missing_;
};

class Input {
public:
    Input(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
    template <std::size_t N>
    const char* Pick(const char* const (&pool)[N]) {
        return pool[Byte() % N];
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void Check(const FolderSettings& collected, SettingsTree& logic) {
    if (!IsCanonical(collected.items)) std::abort();
    // No name above holds "...": one saved is a label shown cut.
    for (const FolderItem& item : collected.items)
        if (item.name.find("...") != std::string::npos) std::abort();
    const std::vector<std::uint8_t> file = EncodeItemFile(OptionsRecord(), collected);
    OptionsRecord options;
    FolderSettings read;
    const DecodeResult result = DecodeItemFile(file.data(), file.size(), options, read);
    if (result.status != DecodeStatus::Loaded || result.truncated) std::abort();
    if (!(read == collected)) std::abort();
    // The window shows what was collected (with its working copy, as when
    // it is opened again): the same list comes back.
    logic.LoadTree(collected, false);
    FolderSettings again;
    logic.Collect(again);
    // A top level of separators only collects to one placeholder, which
    // builds no node and so comes back as the empty list: both mean no
    // entries.
    FolderSettings expected = collected;
    if (expected.items.Size() == 1 && expected.items.At(0).Kind() == FolderItemKind::Placeholder)
        expected.items.Clear();
    if (!(again == expected)) std::abort();
}

// Pre-order position `index` among the live nodes, wrapping around.
NodeHandle NodeAt(const NodeTree& tree, std::size_t index) {
    std::vector<NodeHandle> all;
    std::vector<NodeHandle> pending{tree.Root()};
    while (!pending.empty()) {
        const NodeHandle n = pending.back();
        pending.pop_back();
        if (n == kNoNode) continue;
        all.push_back(n);
        pending.push_back(tree.NextSibling(n));
        pending.push_back(tree.FirstChild(n));
    }
    return all.empty() ? kNoNode : all[index % all.size()];
}

// A list as a hand-edited or old file may hold it: any kinds, any depths.
FolderSettings RawSettings(Input& in) {
    FolderSettings s;
    for (std::size_t k = 0; k < kSpecialFolderCount1; ++k) s.specialFolderOrder1[k] = in.Byte();
    for (std::size_t k = 0; k < kSpecialFolderCount2; ++k) s.specialFolderOrder2[k] = in.Byte();
    const std::size_t count = in.Byte() % 24;
    for (std::size_t k = 0; k < count; ++k) {
        FolderItem item;
        item.kind = in.Byte() % 5;
        item.depth = in.Byte() % 6;
        item.name = in.Pick(kNames);
        item.path = item.Kind() == FolderItemKind::Folder ? in.Pick(kPaths) : "";
        s.items.Append(item);
    }
    return s;
}

void Run(Input& in) {
    const std::uint8_t setup = in.Byte();
    Hosts hosts((setup & 1) != 0, static_cast<std::uint8_t>(setup >> 1));
    MemoryNodeTree tree;
    SettingsTree logic(tree, hosts);
    TreeEditor editor(logic, hosts);
    // The live settings, as the controller holds them between OKs.
    FolderSettings live;
    for (std::size_t k = 0; k < kSpecialFolderCount1; ++k)
        live.specialFolderOrder1[k] = static_cast<std::uint8_t>(k);
    for (std::size_t k = 0; k < kSpecialFolderCount2; ++k)
        live.specialFolderOrder2[k] = static_cast<std::uint8_t>(k);
    logic.LoadTree(live, true);
    logic.Items().Fill(live.items);

    while (in.More()) {
        const std::uint8_t op = in.Byte();
        const bool flag = (op & 0x80) != 0;
        switch (op % 16) {
            case 0:
                tree.Select(NodeAt(tree, in.Byte()));
                break;
            case 1:
                editor.InsertNewItem(in.Pick(kPaths), flag ? "" : in.Pick(kNames),
                                     FolderItemKind::Folder, (op & 0x40) != 0);
                break;
            case 2:
                editor.InsertNewItem("", in.Pick(kNames), FolderItemKind::Group, flag);
                break;
            case 3:
                editor.InsertNewItem("", "-", FolderItemKind::Separator, flag);
                break;
            case 4:
                editor.DeleteNode(tree.Selection());
                break;
            case 5:
                editor.DeleteAllChildren(tree.Selection());
                break;
            case 6: {
                const NodeHandle source = NodeAt(tree, in.Byte());
                const NodeHandle target = NodeAt(tree, in.Byte());
                const bool copy = (op & 0x40) != 0;
                if (!copy || tree.LiveCount() < kNodeBudget)
                    editor.TransferItem(source, target, flag, copy);
                break;
            }
            case 7:
                editor.SortChildren(tree.Selection());
                break;
            case 8:
                editor.RestoreChildren(tree.Selection());
                break;
            case 9:
                editor.RestoreInitialState();
                break;
            case 10:
                editor.ApplyProperties(tree.Selection(), in.Pick(kPaths), in.Pick(kNames));
                break;
            case 11:  // reload the settings
                logic.LoadTree(live, false);
                break;
            case 12: {  // OK, and open the window again
                FolderSettings edited;
                logic.Collect(edited);
                Check(edited, logic);
                live = edited;
                logic.Items().Fill(live.items);
                break;
            }
            case 13:  // Cancel, and open the window again
                logic.LoadTree(live, true);
                logic.Items().Fill(live.items);
                break;
            case 14: {  // a chain of groups, each inside the last: the depth limit
                const int count = in.Byte();
                for (int k = 0; k < count && tree.LiveCount() < kNodeBudget; ++k)
                    editor.InsertNewItem("", "G", FolderItemKind::Group, true);
                break;
            }
            case 15:  // settings read from a file the window did not write
                live = RawSettings(in);
                // The tree and OK keep whatever of it the menu shows.
                if (!CheckShownWhole(logic, live, hosts.tooMany).empty()) std::abort();
                logic.LoadTree(live, false);
                break;
        }
    }
    FolderSettings edited;
    logic.Collect(edited);
    Check(edited, logic);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in(data, size);
    Run(in);
    return 0;
}
