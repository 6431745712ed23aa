#include "settings/tree_editor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../common/model_builders.h"
#include "settings/drag_rules.h"
#include "settings/edit_history.h"
#include "settings/item_names.h"
#include "settings/memory_node_tree.h"

namespace tellaro {
namespace {

using K = FolderItemKind;

class Hosts : public SettingsTreeHost, public TreeEditHost {
public:
    std::string Text(int id) override { return "S" + std::to_string(id); }
    bool HasSecondSpecialRoot() override { return true; }
    bool IsSpecialFolderAvailable(std::size_t i) override { return i != 1; }
    void ReportTooManyItems() override {}
    // Entries 0 and 2 of each list have a directory.
    bool SpecialFolderDirectory(std::size_t i, std::string& path) override {
        if (i % 30 != 0 && i % 30 != 2) return false;
        path = "D:\\sf" + std::to_string(i);
        return true;
    }
    void ReportDropOnDescendant() override { ++descendant; }
    void ReportTooDeep() override { ++tooDeep; }
    int descendant = 0, tooDeep = 0;
};

// Special folders 0..3 of the first list and 0 of the second, then the
// user's "A[X Work Work (1)] Work -".
struct Fixture {
    MemoryNodeTree tree;
    Hosts hosts;
    SettingsTree logic{tree, hosts};
    TreeEditor editor{logic, hosts};

    Fixture() {
        FolderSettings s;
        for (auto& b : s.specialFolderOrder1) b = kNotShown;
        for (auto& b : s.specialFolderOrder2) b = kNotShown;
        for (std::uint8_t k = 0; k < 4; ++k) s.specialFolderOrder1[k] = k;
        s.specialFolderOrder2[0] = 0;
        for (const FolderItem& i :
             {Item(K::Group, 0, "", "A"), Item(K::Folder, 1, "C:\\X", "X"),
              Item(K::Folder, 1, "C:\\W", "Work"), Item(K::Folder, 1, "C:\\W1", "Work (1)"),
              Item(K::Folder, 0, "C:\\Work", "Work"), Item(K::Separator, 0, "", "")})
            s.items.Append(i);
        EXPECT_EQ(logic.LoadTree(s, false), 0);
    }
    // The first node so labelled, depth first, among `from` and its siblings.
    NodeHandle Find(const std::string& label, NodeHandle from) const {
        for (NodeHandle n = from; n != kNoNode; n = tree.NextSibling(n)) {
            if (tree.Label(n) == label) return n;
            if (NodeHandle c = Find(label, tree.FirstChild(n))) return c;
        }
        return kNoNode;
    }
    NodeHandle Find(const std::string& label) const { return Find(label, tree.Root()); }
    std::string Dump(NodeHandle n) const {
        std::string s;
        for (; n != kNoNode; n = tree.NextSibling(n)) {
            s += (s.empty() ? "" : " ") + tree.Label(n);
            if (tree.HasChildren(n)) s += "[" + Dump(tree.FirstChild(n)) + "]";
        }
        return s;
    }
    std::string Dump() const { return Dump(tree.FirstChild(tree.Root())); }
    // One node with its subtree.
    std::string DumpNode(NodeHandle n) const {
        return tree.Label(n) + (tree.HasChildren(n) ? "[" + Dump(tree.FirstChild(n)) + "]" : "");
    }
    std::string Collected() {
        FolderSettings out;
        logic.Collect(out);
        std::string s;
        for (const FolderItem& i : out.items)
            s += std::to_string(i.kind) + std::to_string(i.depth) + ":" + i.name + ":" + i.path +
                 " ";
        return s;
    }
};

constexpr const char* kSpecials = "S10[S21 S23 S24] S11[S51] ";

TEST(ItemNames, NamesFromPathsScanByCharacter) {
    EXPECT_EQ(NameFromPath("C:\\Data\\Work"), "Work");
    EXPECT_EQ(NameFromPath("C:\\Data\\Work\\"), "Work");
    EXPECT_EQ(NameFromPath("D:\\"), "D:");
    EXPECT_EQ(NameFromPath("relative"), "relative");
    EXPECT_EQ(NameFromPath(""), "");
    // ソ is 0x83 0x5C and 表 is 0x95 0x5C: neither second byte separates.
    EXPECT_EQ(NameFromPath("C:\\\x83\x5C\x83\x74\x83\x67"), "\x83\x5C\x83\x74\x83\x67");
    EXPECT_EQ(NameFromPath("C:\\Data\\\x95\x5C"), "\x95\x5C");
    EXPECT_EQ(NameFromPath("\x95\x5C\\"), "\x95\x5C");
    // Under code page 1252 rules é (0xE9) starts no double-byte character.
    EXPECT_EQ(NameFromPath("D:\\Daten\\Priv\xE9\\Fotos", [](unsigned char) { return false; }),
              "Fotos");
}

// A code page of ASCII that, like the system's, puts in a look-alike for é
// without saying so and '?' for what it lacks.
Narrowed NarrowAscii(const std::wstring& wide) {
    Narrowed out;
    for (wchar_t c : wide) {
        out.text += c < 0x80 ? static_cast<char>(c) : c == L'\u00E9' ? 'e' : '?';
        out.usedDefaultChar |= c >= 0x80 && c != L'\u00E9';
    }
    return out;
}
std::wstring WidenAscii(const std::string& narrow) {
    return std::wstring(narrow.begin(), narrow.end());
}
std::optional<std::string> ExactAscii(const std::wstring& wide) {
    return ExactlyNarrowed(wide, NarrowAscii, WidenAscii);
}

TEST(ItemNames, DroppedFoldersNeedAnExactNameAndADirectory) {
    EXPECT_EQ(ExactAscii(L"C:\\Caf\u00E9"), std::nullopt) << "a look-alike names another folder";
    const DropPlan plan = PlanDroppedPaths(
        {{L"C:\\\uD55C", true}, {L"C:\\Caf\u00E9", true}, {L"C:\\Data", true}, {L"C:\\a.txt", false}},
        ExactAscii);
    EXPECT_EQ(plan.folders, std::vector<std::string>{"C:\\Data"});
    EXPECT_EQ(plan.refusedNames, L"C:\\\uD55C\nC:\\Caf\u00E9\nC:\\a.txt");
    std::vector<DroppedPath> files(kMaxNamedRefusals + 2, DroppedPath{L"f", false});
    EXPECT_EQ(PlanDroppedPaths(files, ExactAscii).unnamedRefusals, 2u);
}

TEST(ItemNames, UniqueNamesAndFilledTextsOfAnyLength) {
    EXPECT_EQ(UniqueName("Work", {"Work", "Work (1)"}), "Work (2)");
    EXPECT_EQ(UniqueName("Work", {"Work", "Work (2)"}), "Work (1)");
    EXPECT_EQ(UniqueName("Work", {"work"}), "Work");
    const std::string label(600, 'x');
    EXPECT_EQ(FillText("%s?", label), label + "?");
    EXPECT_EQ(FillText("100%% %s %s", "a"), "100% a %s");
    // A path holding a format is taken literally.
    EXPECT_EQ(FillText("missing: %s.", "C:\\100%s\\%d"), "missing: C:\\100%s\\%d.");
    EXPECT_EQ(FillText<wchar_t>(L"%s\n", L"\uD55C"), L"\uD55C\n");
}

TEST(TreeEditorCreate, NewItemsGoWhereTheSelectionSays) {
    Fixture f;
    const NodeHandle a = f.Find("A");
    f.tree.Select(f.tree.Root());
    ASSERT_NE(f.editor.InsertNewItem("D:\\", "", K::Folder, true), kNoNode);
    f.tree.Select(a);
    f.editor.InsertNewItem("", "G", K::Group, true);  // last child of the group
    f.tree.Select(a);
    f.editor.InsertNewItem("", "", K::Separator, false);  // right after the group
    // Below the first special root while the second exists: end of the top
    // level; below the last one: in front of the first user node.
    f.tree.Select(f.logic.SpecialRoot(1));
    f.editor.InsertNewItem("C:\\End", "", K::Folder, false);
    f.tree.Select(f.logic.SpecialRoot(2));
    const NodeHandle first = f.editor.InsertNewItem("C:\\F", "First", K::Folder, false);
    EXPECT_EQ(f.tree.Selection(), first);
    // Each new node is selected, so a series keeps its order.
    f.editor.InsertNewItem("C:\\F2", "", K::Folder, true);
    EXPECT_EQ(f.Dump(), std::string(kSpecials) + "First F2 A[X Work Work (1) G] - Work - D: End");
    EXPECT_EQ(f.logic.Items().PathOf(f.tree.Number(first)), "C:\\F");
    EXPECT_EQ(f.logic.Items().PathOf(f.tree.Number(f.Find("G"))), "G");
}

TEST(TreeEditorTransfer, NamesFollowCopyAndMoveRules) {
    Fixture f;
    const NodeHandle a = f.Find("A");
    NodeHandle top = f.tree.NextSibling(a);  // the top-level Work
    ASSERT_EQ(f.editor.TransferItem(top, a, false, true), 0);
    EXPECT_EQ(f.DumpNode(a), "A[Work (2) X Work Work (1)]");
    // Into its own parent: beside itself.
    ASSERT_EQ(f.editor.TransferItem(top, f.tree.Root(), false, true), 0);
    // A move below a target keeps the name; the source goes.
    ASSERT_EQ(f.editor.TransferItem(top, f.Find("X"), false, false), 0);
    EXPECT_EQ(f.Dump(), std::string(kSpecials) + "Work (1) A[Work (2) X Work Work Work (1)] -");
    // Onto a folder lands after it; copies of groups take their subtree.
    ASSERT_EQ(f.editor.TransferItem(a, f.Find("Work (1)"), false, true), 0);
    EXPECT_EQ(f.tree.Label(f.tree.NextSibling(f.Find("Work (1)"))), "A (1)");
    const std::string copied =
        "01:Work (2):C:\\Work 01:X:C:\\X 01:Work:C:\\Work 01:Work:C:\\W 01:Work (1):C:\\W1 ";
    EXPECT_EQ(f.Collected(),
              "00:Work (1):C:\\Work 10:A (1): " + copied + "10:A: " + copied + "20:: ");
}

// A label may show a name cut, or a nameless folder's own name: OK, copies
// and the properties dialog all take the name the record holds.
TEST(TreeEditorTransfer, LongAndMissingNamesAreSavedAndCopiedWhole) {
    Fixture f;
    const std::string longName(kMaxShownNameBytes + 6, 'n');
    const std::string cut = std::string(kMaxShownNameBytes - 3, 'n') + "...";
    FolderSettings s;
    for (auto& b : s.specialFolderOrder1) b = kNotShown;
    for (auto& b : s.specialFolderOrder2) b = kNotShown;
    for (const FolderItem& i :
         {Item(K::Folder, 0, "C:\\L", longName), Item(K::Folder, 0, "C:\\Data\\Plain", ""),
          Item(K::Group, 0, "", longName + "g"), Item(K::Folder, 1, "C:\\In", "In")})
        s.items.Append(i);
    ASSERT_EQ(f.logic.LoadTree(s, false), 0);
    EXPECT_EQ(f.Dump(), "S10 S11 " + cut + " Plain " + cut + "[In]");
    const NodeHandle l = f.tree.NextSibling(f.logic.SpecialRoot(2));
    const NodeHandle plain = f.tree.NextSibling(l);
    const NodeHandle group = f.tree.NextSibling(plain);
    EXPECT_EQ(f.editor.PlanProperties(l).name, longName);
    EXPECT_EQ(f.editor.PlanProperties(group).name, longName + "g");

    // Copies land first in the group, and first on the top level.
    ASSERT_EQ(f.editor.TransferItem(l, group, false, true), 0);
    ASSERT_EQ(f.editor.TransferItem(plain, group, false, true), 0);
    ASSERT_EQ(f.editor.TransferItem(l, f.tree.Root(), false, true), 0);
    const NodeHandle copied = f.tree.NextSibling(f.tree.FirstChild(group));
    ASSERT_EQ(f.editor.ApplyProperties(copied, "C:\\M", longName + "m"), 0);
    EXPECT_EQ(f.tree.Label(copied), cut);
    EXPECT_EQ(f.Collected(), "00:" + longName + " (1):C:\\L 00:" + longName +
                                 ":C:\\L 00::C:\\Data\\Plain 10:" + longName +
                                 "g: 01:Plain:C:\\Data\\Plain 01:" + longName +
                                 "m:C:\\M 01:In:C:\\In ");
}

TEST(TreeEditorTransfer, DescendantsAndDepthAreRefusedWithoutChange) {
    Fixture f;
    const NodeHandle a = f.Find("A");
    const NodeHandle work = f.tree.NextSibling(a);
    const std::string before = f.Dump();
    EXPECT_EQ(f.editor.TransferItem(a, f.Find("X"), false, false), -1);
    EXPECT_EQ(f.hosts.descendant, 1);
    EXPECT_EQ(f.Dump(), before);
    // Groups nested to the deepest level a submenu can stand on: a group
    // below them would need a submenu the menus cannot show, a folder not.
    NodeHandle deepest = a;
    for (int level = 1; level < kDeepestItemLevel; ++level) {
        f.tree.Select(deepest);
        deepest = f.editor.InsertNewItem("", "g", K::Group, true);
        ASSERT_NE(deepest, kNoNode) << level;
    }
    f.tree.Select(deepest);
    EXPECT_FALSE(f.editor.NewItemFits(K::Group, true));
    EXPECT_TRUE(f.editor.NewItemFits(K::Group, false));
    EXPECT_TRUE(f.editor.NewItemFits(K::Folder, true));
    EXPECT_EQ(f.editor.InsertNewItem("", "g", K::Group, true), kNoNode);
    EXPECT_NE(f.editor.InsertNewItem("C:\\", "", K::Folder, true), kNoNode);
    EXPECT_EQ(f.editor.TransferItem(f.Find("X"), deepest, false, true), 0);
    EXPECT_EQ(f.editor.TransferItem(work, f.tree.Parent(deepest), false, false), 0);
    f.tree.Select(f.tree.Root());
    const NodeHandle t = f.editor.InsertNewItem("", "T", K::Group, true);
    const std::size_t nodes = f.tree.LiveCount();
    EXPECT_EQ(f.editor.TransferItem(f.logic.SpecialRoot(1), deepest, false, true), -1);
    EXPECT_EQ(f.editor.TransferItem(a, t, false, true), -1) << "the copy would nest one too deep";
    EXPECT_EQ(f.hosts.tooDeep, 3);
    EXPECT_EQ(f.tree.LiveCount(), nodes);
}

TEST(TreeEditorTransfer, SpecialNodesReorderInTheirListAndCopyWhatHasADirectory) {
    Fixture f;
    const NodeHandle s1 = f.logic.SpecialRoot(1);
    ASSERT_EQ(f.editor.TransferItem(f.Find("S24"), s1, true, false), 0);  // own root: first
    ASSERT_EQ(f.editor.TransferItem(f.Find("S21"), f.Find("S23"), true, false), 0);
    EXPECT_EQ(f.DumpNode(s1), "S10[S24 S23 S21]");
    EXPECT_EQ(f.editor.TransferItem(f.Find("S21"), f.Find("S51"), false, true), -1);
    EXPECT_EQ(f.editor.TransferItem(f.Find("S23"), f.Find("A"), false, true), 0);
    EXPECT_EQ(f.editor.TransferItem(f.Find("S24"), f.Find("A"), false, true), -1)
        << "entry 3 has no directory";
    // The whole list as a group, named apart from the node it copies.
    f.tree.Select(f.tree.Root());
    f.editor.InsertNewItem("", "S10", K::Group, true);
    ASSERT_EQ(f.editor.TransferItem(s1, f.tree.Root(), false, false), 0);
    EXPECT_EQ(f.Dump(f.tree.NextSibling(f.logic.SpecialRoot(2))),
              "S10 (1)[S23 S21] A[S23 X Work Work (1)] Work - S10");
    EXPECT_EQ(f.logic.Items().PathOf(f.tree.Number(f.Find("S23", f.Find("A")))), "D:\\sf2");
    FolderSettings out;
    f.logic.Collect(out);
    EXPECT_EQ(out.specialFolderOrder1[3], 0);
    EXPECT_EQ(out.specialFolderOrder1[0], 2);
}

TEST(TreeEditorCommands, GuardsRestoresAndProperties) {
    Fixture f;
    const NodeHandle root = f.tree.Root();
    EXPECT_EQ(f.editor.DeleteAllChildren(root), -1);
    EXPECT_EQ(f.editor.SortChildren(root), -1);
    EXPECT_EQ(f.editor.DeleteNode(f.logic.SpecialRoot(2)), -1);
    ASSERT_EQ(f.editor.DeleteAllChildren(f.logic.SpecialRoot(1)), 0);
    ASSERT_EQ(f.editor.RestoreChildren(f.logic.SpecialRoot(1)), 0);
    EXPECT_EQ(f.tree.ChildCount(f.logic.SpecialRoot(1)), 29u) << "all but the unknown entry";

    const NodeHandle x = f.Find("X");
    const PropertiesRequest folder = f.editor.PlanProperties(x);
    EXPECT_EQ(folder.mode, 2);
    EXPECT_EQ(folder.path, "C:\\X");
    EXPECT_FALSE(f.editor.PlanProperties(f.Find("-")).open);
    ASSERT_EQ(f.editor.ApplyProperties(f.Find("A"), "ignored", "B"), 0);
    EXPECT_EQ(f.logic.Items().PathOf(f.tree.Number(f.Find("B"))), "B");
    // The working copy is gone while the window is hidden: nothing changes.
    f.logic.Items().Clear();
    EXPECT_EQ(f.editor.ApplyProperties(x, "D:\\", "Y"), -1);
    EXPECT_EQ(f.tree.Label(x), "X");

    ASSERT_EQ(f.editor.RestoreInitialState(), 0);
    EXPECT_EQ(f.tree.ChildCount(f.tree.Root()), 2u);
    EXPECT_EQ(f.tree.ChildCount(f.logic.SpecialRoot(2)), 15u);
}

TEST(EditHistory, KeepsTheLastHundredStepsAndANewStepEndsRedo) {
    Fixture f;
    EditHistory history;
    auto step = [&](auto edit) {
        TreeSnapshot before = history.Begin(f.logic);
        edit();
        return history.Record(std::move(before), f.logic);
    };
    EXPECT_FALSE(step([&] { f.editor.SortChildren(f.logic.SpecialRoot(2)); }))
        << "one child is always in order";
    std::string afterFirst;
    for (int i = 0; i <= 100; ++i) {
        ASSERT_TRUE(step([&] {
            f.tree.Select(f.tree.Root());
            f.editor.InsertNewItem("C:\\F" + std::to_string(i), "", K::Folder, true);
        }));
        if (i == 0) afterFirst = f.Dump();
    }
    EXPECT_EQ(history.UndoCount(), 100u);
    while (history.CanUndo()) ASSERT_EQ(history.Undo(f.logic), 0);
    EXPECT_EQ(f.Dump(), afterFirst) << "the first step was dropped";
    EXPECT_EQ(f.logic.Items().Size(), 7u);
    EXPECT_EQ(history.Undo(f.logic), -1);

    ASSERT_EQ(history.Redo(f.logic), 0);
    const NodeHandle x = f.Find("X");
    f.tree.Select(x);
    ASSERT_TRUE(step([&] { f.editor.DeleteNode(x); }));
    EXPECT_FALSE(history.CanRedo());
    EXPECT_EQ(history.UndoCount(), 2u);
    // Back with its record and as the selection, though in a new node.
    ASSERT_EQ(history.Undo(f.logic), 0);
    EXPECT_EQ(f.tree.Label(f.tree.Selection()), "X");
    EXPECT_EQ(f.logic.PathLabelText(f.tree.Selection()), "C:\\X");
}

TEST(DragRules, CursorFollowsTheTableAndTheDirectories) {
    // The first entry of each list has a directory.
    auto hasDirectory = [](std::int32_t s) { return s == 10 || s == 50; };
    const struct {
        std::int32_t s, t;
        int image;
    } cases[] = {
        {100, 0, 0}, {100, 12, 1}, {1, 60, 1},   {1, 100, 0},  {10, 2, 0},   {11, 2, 1},
        {11, 1, 0},  {11, 12, 0},  {11, 55, 1},  {11, 100, 1}, {50, 100, 0}, {51, 0, 1},
        {51, 2, 0},  {51, 30, 1},  {45, 100, 1},  // beyond the first table
    };
    for (const auto& c : cases)
        EXPECT_EQ(DragCursorImage(c.s, c.t, hasDirectory(c.s)), c.image) << c.s << " over " << c.t;
}

TEST(DragRules, DropMenuStatesByTargetAndSource) {
    using S = DropItemState;
    auto states = [](const DropMenuPlan& p) {
        return std::vector<S>{p.copyInto, p.moveInto, p.copyBelow, p.moveBelow};
    };
    EXPECT_EQ(states(PlanDropMenu(100, 101, 1)),
              (std::vector<S>{S::Enabled, S::Default, S::Enabled, S::Enabled}));
    EXPECT_EQ(states(PlanDropMenu(100, 101, 2)),
              (std::vector<S>{S::Grayed, S::Grayed, S::Enabled, S::Default}));
    EXPECT_EQ(states(PlanDropMenu(100, 0, 0)),
              (std::vector<S>{S::Enabled, S::Default, S::Grayed, S::Grayed}));
    EXPECT_EQ(states(PlanDropMenu(12, 101, 1)),
              (std::vector<S>{S::Default, S::Grayed, S::Enabled, S::Grayed}));
    EXPECT_EQ(states(PlanDropMenu(1, 2, 1)),
              (std::vector<S>{S::Grayed, S::Grayed, S::Default, S::Grayed}));
    EXPECT_TRUE(DropSkipsMenu(55));
    EXPECT_FALSE(DropSkipsMenu(100));
}

}  // namespace
}  // namespace tellaro
