// Runs random sequences of the settings window's editing operations over an
// in-memory tree, through the same tree logic and editor the window uses, and
// presses OK along the way and at the end. Whatever the user did, the list
// handed back must be one the item file carries unchanged and that every
// reader walks safely: at most 1000 records, in the canonical form (groups
// closed by a child or a placeholder, no stray separators, no depth that
// wrapped), and a tree rebuilt from it must hand back the same list.
// Each edit is a step of the undo history, as in the window, with undo and
// redo among the actions: every undo and redo must bring back exactly the
// tree, working copy and selection of the state it returns to, an edit that
// changed nothing must add no step, and at the end taking back every step
// gives the state the edit began with and making them all again its end.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "config/item_codec.h"
#include "settings/edit_history.h"
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

// A state of the edit, read without the history's code: every node in
// pre-order with its depth, number, image and label, the working copy, and
// the selection's pre-order index.
struct State {
    std::string nodes;
    FolderItemList items;
    long selection = -1;
    bool SameContent(const State& o) const { return nodes == o.nodes && items == o.items; }
    bool operator==(const State& o) const { return SameContent(o) && selection == o.selection; }
};

State Read(const SettingsTree& logic) {
    const NodeTree& tree = logic.Tree();
    State s;
    long index = 0;
    std::vector<std::pair<NodeHandle, int>> pending{{tree.Root(), 0}};
    while (!pending.empty()) {
        const auto [n, depth] = pending.back();
        pending.pop_back();
        if (n == kNoNode) continue;
        NodeData d;
        if (!tree.Read(n, d)) std::abort();
        s.nodes += std::to_string(depth) + ' ' + std::to_string(d.number) + ' ' +
                   std::to_string(d.image) + ' ' + d.label + '\n';
        if (n == tree.Selection()) s.selection = index;
        ++index;
        pending.emplace_back(tree.NextSibling(n), depth);
        pending.emplace_back(tree.FirstChild(n), depth + 1);
    }
    s.items = logic.Items().List();
    return s;
}

// The window's history beside what it must give back: states_[k] is the
// state after k steps of the edit, those past at_ the ones redo makes again.
class UndoModel {
public:
    explicit UndoModel(SettingsTree& logic) : logic_(logic) { Restart(); }

    // OK, Cancel or another file: a new edit without steps.
    void Restart() {
        history_.Clear();
        states_.assign(1, Read(logic_));
        at_ = 0;
    }

    template <typename Edit>
    void Run(Edit&& edit) {
        // Undo brings back the selection the user had when the step began.
        states_[at_].selection = Read(logic_).selection;
        TreeSnapshot before = history_.Begin(logic_);
        edit();
        State now = Read(logic_);
        if (!history_.Record(std::move(before), logic_)) {
            if (!now.SameContent(states_[at_])) std::abort();
            return;
        }
        if (now.SameContent(states_[at_])) std::abort();
        states_.resize(at_ + 1);
        states_.push_back(std::move(now));
        ++at_;
        if (states_.size() > EditHistory::kDefaultLimit + 1) {
            states_.erase(states_.begin());
            --at_;
        }
        Consistent();
    }

    void Undo() {
        if (!history_.CanUndo()) return;
        states_[at_].selection = Read(logic_).selection;
        if (history_.Undo(logic_) != 0) std::abort();
        --at_;
        if (!(Read(logic_) == states_[at_])) std::abort();
        Consistent();
    }

    void Redo() {
        if (!history_.CanRedo()) return;
        states_[at_].selection = Read(logic_).selection;
        if (history_.Redo(logic_) != 0) std::abort();
        ++at_;
        if (!(Read(logic_) == states_[at_])) std::abort();
        Consistent();
    }

    // Every step taken back gives the state the edit began with (or the
    // oldest one kept); all made again, the state it ended in.
    void UndoAllRedoAll() {
        const State end = Read(logic_);
        states_[at_].selection = end.selection;
        const std::size_t steps = history_.UndoCount();
        for (std::size_t k = 0; k < steps; ++k)
            if (history_.Undo(logic_) != 0) std::abort();
        if (history_.CanUndo() || !(Read(logic_) == states_[0])) std::abort();
        for (std::size_t k = 0; k < steps; ++k)
            if (history_.Redo(logic_) != 0) std::abort();
        if (!(Read(logic_) == end)) std::abort();
    }

private:
    void Consistent() const {
        if (history_.UndoCount() != at_ || history_.RedoCount() != states_.size() - 1 - at_)
            std::abort();
    }

    SettingsTree& logic_;
    EditHistory history_;
    std::vector<State> states_;
    std::size_t at_ = 0;
};

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

    UndoModel undo(logic);

    while (in.More()) {
        const std::uint8_t op = in.Byte();
        const bool flag = (op & 0x80) != 0;
        switch (op % 18) {
            case 0:
                tree.Select(NodeAt(tree, in.Byte()));
                break;
            case 1: {
                const char* path = in.Pick(kPaths);
                const char* name = flag ? "" : in.Pick(kNames);
                undo.Run([&] {
                    editor.InsertNewItem(path, name, FolderItemKind::Folder, (op & 0x40) != 0);
                });
                break;
            }
            case 2: {
                const char* name = in.Pick(kNames);
                undo.Run([&] { editor.InsertNewItem("", name, FolderItemKind::Group, flag); });
                break;
            }
            case 3:
                undo.Run([&] { editor.InsertNewItem("", "-", FolderItemKind::Separator, flag); });
                break;
            case 4:
                undo.Run([&] { editor.DeleteNode(tree.Selection()); });
                break;
            case 5:
                undo.Run([&] { editor.DeleteAllChildren(tree.Selection()); });
                break;
            case 6: {
                const NodeHandle source = NodeAt(tree, in.Byte());
                const NodeHandle target = NodeAt(tree, in.Byte());
                const bool copy = (op & 0x40) != 0;
                if (!copy || tree.LiveCount() < kNodeBudget)
                    undo.Run([&] { editor.TransferItem(source, target, flag, copy); });
                break;
            }
            case 7:
                undo.Run([&] { editor.SortChildren(tree.Selection()); });
                break;
            case 8:
                undo.Run([&] { editor.RestoreChildren(tree.Selection()); });
                break;
            case 9:
                undo.Run([&] { editor.RestoreInitialState(); });
                break;
            case 10: {
                const char* path = in.Pick(kPaths);
                const char* name = in.Pick(kNames);
                undo.Run([&] { editor.ApplyProperties(tree.Selection(), path, name); });
                break;
            }
            case 11:  // reload the settings
                undo.Run([&] { logic.LoadTree(live, false); });
                break;
            case 12: {  // OK, and open the window again
                FolderSettings edited;
                logic.Collect(edited);
                Check(edited, logic);
                live = edited;
                logic.Items().Fill(live.items);
                undo.Restart();
                break;
            }
            case 13:  // Cancel, and open the window again
                logic.LoadTree(live, true);
                logic.Items().Fill(live.items);
                undo.Restart();
                break;
            case 14: {  // a chain of groups, each inside the last: the depth limit
                const int count = in.Byte();
                for (int k = 0; k < count && tree.LiveCount() < kNodeBudget; ++k)
                    undo.Run([&] { editor.InsertNewItem("", "G", FolderItemKind::Group, true); });
                break;
            }
            case 15:  // settings read from a file the window did not write
                live = RawSettings(in);
                // The tree and OK keep whatever of it the menu shows.
                if (!CheckShownWhole(logic, live, hosts.tooMany).empty()) std::abort();
                logic.LoadTree(live, false);
                undo.Restart();
                break;
            case 16:
                undo.Undo();
                break;
            case 17:
                undo.Redo();
                break;
        }
    }
    undo.UndoAllRedoAll();
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
