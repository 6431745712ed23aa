#include "settings/settings_tree.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bitset>
#include <cstring>
#include <string>
#include <vector>

#include "../common/model_builders.h"
#include "../common/shown_shape.h"
#include "settings/memory_node_tree.h"

namespace tellaro {
namespace {

using K = FolderItemKind;

class FakeHost : public SettingsTreeHost {
public:
    std::string Text(int id) override { return "S" + std::to_string(id); }
    bool HasSecondSpecialRoot() override { return second; }
    bool IsSpecialFolderAvailable(std::size_t i) override { return !missing.test(i); }
    bool SpecialFoldersKnown() override { return known; }
    void ReportTooManyItems() override { ++tooMany; }

    bool second = true;
    bool known = true;
    std::bitset<45> missing;
    int tooMany = 0;
};

struct Fixture {
    MemoryNodeTree tree;
    FakeHost host;
    SettingsTree logic{tree, host};

    FolderSettings Collect() {
        FolderSettings out;
        EXPECT_EQ(logic.CollectSettings(out), 0);
        return out;
    }
    // The tree as "label[children]"; user nodes by label, fixed ones by
    // their string id.
    std::string Dump(NodeHandle n) const {
        std::string s;
        for (; n != kNoNode; n = tree.NextSibling(n)) {
            if (!s.empty()) s += ' ';
            s += tree.Label(n);
            if (tree.HasChildren(n)) s += "[" + Dump(tree.FirstChild(n)) + "]";
        }
        return s;
    }
    std::string Dump() const { return Dump(tree.Root()); }
};

FolderSettings NoSpecials(std::vector<FolderItem> items) {
    FolderSettings s;
    for (auto& b : s.specialFolderOrder1) b = kNotShown;
    for (auto& b : s.specialFolderOrder2) b = kNotShown;
    for (auto& item : items) s.items.Append(item);
    return s;
}

// "kind depth name path" per record, so a failure shows the lists.
std::string Describe(const FolderItemList& list) {
    std::string s;
    for (const FolderItem& i : list)
        s += std::to_string(i.kind) + std::to_string(i.depth) + ":" + i.name + ":" + i.path + " ";
    return s;
}

FolderItem F(int depth, const std::string& name) {
    return Item(K::Folder, depth, "C:\\" + name, name);
}
FolderItem G(int depth, const std::string& name) {
    return Item(K::Group, depth, "", name);
}
FolderItem Sep(int depth) {
    return Item(K::Separator, depth, "", "");
}
FolderItem Ph(int depth) {
    return Item(K::Placeholder, depth, "", "");
}

TEST(SettingsTreeLoad, NodesNumbersAndImagesFollowTheSettings) {
    Fixture f;
    FolderSettings s = NoSpecials({G(0, "A"), F(1, "X"), Sep(0), F(0, "B")});
    s.specialFolderOrder1[3] = 5;  // a gap before it: positions need not be contiguous
    s.specialFolderOrder1[0] = 9;
    s.specialFolderOrder1[7] = 5;  // shares entry 3's position: hidden
    s.specialFolderOrder1[4] = 0;  // unknown to this system: hidden
    f.host.missing.set(4);
    s.specialFolderOrder2[14] = 0;
    ASSERT_EQ(f.logic.LoadTree(s, false), 0);
    EXPECT_EQ(f.Dump(), "S15[S10[S24 S21] S11[S65] A[X] - B]");

    const NodeHandle special = f.tree.FirstChild(f.logic.SpecialRoot(1));
    EXPECT_EQ(f.tree.Number(special), 13);
    EXPECT_EQ(f.tree.Image(special), 7);
    const NodeHandle second = f.tree.FirstChild(f.logic.SpecialRoot(2));
    EXPECT_EQ(f.tree.Number(second), 64);
    EXPECT_EQ(f.tree.Image(second), 48);
    const NodeHandle b = f.tree.NextSibling(f.tree.NextSibling(f.logic.SpecialRoot(2)));
    EXPECT_EQ(f.tree.Label(f.tree.NextSibling(b)), "B");
    EXPECT_EQ(f.tree.Number(f.tree.NextSibling(b)), 103);
    EXPECT_EQ(f.tree.Image(f.tree.NextSibling(b)), node_image::kFolder);
    EXPECT_EQ(f.tree.Image(b), node_image::kSeparator);

    // Positions come back contiguous, the hidden ones as not shown.
    const FolderSettings out = f.Collect();
    EXPECT_EQ(out.specialFolderOrder1[3], 0);
    EXPECT_EQ(out.specialFolderOrder1[0], 1);
    EXPECT_EQ(out.specialFolderOrder1[7], kNotShown);
    EXPECT_EQ(out.specialFolderOrder1[4], kNotShown);
    EXPECT_EQ(out.specialFolderOrder2[14], 0);

    // Until the host can say which folders exist the special roots wait
    // empty; the tree once they come, and what is collected meanwhile, are
    // the same as above.
    Fixture late;
    late.host.missing.set(4);
    late.host.known = false;
    ASSERT_EQ(late.logic.LoadTree(s, false), 0);
    EXPECT_EQ(late.Dump(), "S15[S10 S11 A[X] - B]");
    const FolderSettings early = late.Collect();
    EXPECT_EQ(late.Dump(), f.Dump());
    EXPECT_EQ(late.logic.FillDeferredSpecialFolders(), 0);
    EXPECT_EQ(late.Dump(), f.Dump()) << "filled once";
    EXPECT_EQ(0, std::memcmp(early.specialFolderOrder1, out.specialFolderOrder1, 30));
    EXPECT_EQ(0, std::memcmp(early.specialFolderOrder2, out.specialFolderOrder2, 15));
}

// Lists the reader accepts but the window never writes: the tree shows what
// the menu shows, and OK saves exactly that in canonical form.
TEST(SettingsTreeLoad, OddDepthsShowAndSaveAsTheMenuShowsThem) {
    Fixture f;
    const FolderSettings odd = NoSpecials({F(1, "A"), F(0, "B"), G(0, "G"), F(1, "C")});
    EXPECT_EQ(CheckShownWhole(f.logic, odd, f.host.tooMany), "");
    ASSERT_EQ(f.logic.LoadTree(odd, false), 0);
    EXPECT_EQ(f.Dump(), "S15[S10 S11 A B G[C]]");
    EXPECT_EQ(Describe(f.Collect().items),
              Describe(NoSpecials({F(0, "A"), F(0, "B"), G(0, "G"), F(1, "C")}).items));
    // Separators and "(none)" entries too: a group's trailing separator and
    // a group with no level of its own, as hand-edited files hold them.
    for (const auto& items : std::vector<std::vector<FolderItem>>{
             {G(0, "G"), F(1, "X"), Sep(1), Sep(0)},
             {G(0, "G"), G(0, "H"), Sep(1), F(0, "Z"), Ph(0)},
             {Sep(0), Ph(1), G(0, "G"), Sep(0), Ph(0), F(0, "Y"), Sep(0), Ph(0)}})
        EXPECT_EQ(CheckShownWhole(f.logic, NoSpecials(items), f.host.tooMany), "")
            << Describe(NoSpecials(items).items);

    // Groups nested deeper than a menu can show give their entries to the
    // deepest level that can: every folder stays, in order.
    std::vector<FolderItem> chain;
    for (int i = 0; i < 35; ++i) {
        chain.push_back(G(i, "G" + std::to_string(i)));
        chain.push_back(F(i + 1, "F" + std::to_string(i)));
    }
    const FolderSettings deep = NoSpecials(chain);
    EXPECT_EQ(CheckShownWhole(f.logic, deep, f.host.tooMany), "");
    const Shape shown = MenuShape(deep.items);
    ASSERT_EQ(shown.size(), 30u + 35u);
    const auto deepest = std::find_if(shown.begin(), shown.end(),
                                      [](const ShapeEntry& e) { return e.name == "G29"; });
    ASSERT_NE(deepest, shown.end());
    std::string lastLevel;
    for (const ShapeEntry& e : shown)
        if (e.parent == deepest - shown.begin()) lastLevel += e.name + " ";
    EXPECT_EQ(lastLevel, "F29 F30 F31 F32 F33 F34 ");

    // The deepest group shown held only a group too deep, and that one
    // nothing: "(none)" before OK as after.
    chain.resize(60);
    chain.push_back(G(30, "Deep"));
    chain.push_back(Ph(31));
    EXPECT_EQ(CheckShownWhole(f.logic, NoSpecials(chain), f.host.tooMany), "");
}

TEST(SettingsTreeLoad, WithoutSecondRootItsOrderComesBackEmpty) {
    Fixture f;
    f.host.second = false;
    FolderSettings s = TableOrderSettings();
    ASSERT_EQ(f.logic.LoadTree(s, true), 0);
    EXPECT_EQ(f.logic.SpecialRoot(2), kNoNode);
    const FolderSettings out = f.Collect();
    for (std::uint8_t b : out.specialFolderOrder2) EXPECT_EQ(b, kNotShown);
    EXPECT_EQ(0, std::memcmp(out.specialFolderOrder1, s.specialFolderOrder1, 30));
}

TEST(SettingsTreeCollect, CanonicalListsComeBackUnchanged) {
    const std::vector<std::vector<FolderItem>> cases = {
        {},
        {F(0, "A"), Sep(0), F(0, "B"), G(0, "C"), Ph(1)},
        // Three nested groups, each level with a folder after the group.
        {G(0, "G1"), G(1, "G2"), G(2, "G3"), F(3, "X"), F(2, "Y"), F(1, "Z"), F(0, "W")},
        {Sep(0), G(0, "Empty"), Ph(1), F(0, "B")},
    };
    for (const auto& items : cases) {
        Fixture f;
        const FolderSettings s = NoSpecials(items);
        // As the controller does it: built hidden, then shown with the list.
        ASSERT_EQ(f.logic.LoadTree(s, true), 0);
        f.logic.Items().Fill(s.items);
        const FolderSettings first = f.Collect();
        EXPECT_EQ(Describe(first.items), Describe(s.items)) << f.Dump();
        // Folder paths live in the working copy only: a second round after
        // the tree was rebuilt must find them again.
        f.logic.Items().Fill(first.items);
        EXPECT_EQ(Describe(f.Collect().items), Describe(s.items));
    }
}

TEST(SettingsTreeCollect, SeparatorsAndEmptyLevelsAreCanonicalised) {
    struct Case {
        std::vector<FolderItem> in, out;
    };
    const std::vector<Case> cases = {
        // Leading separators stay, runs give their last; a trailing run
        // leaves one on the top level only.
        {{Sep(0), Sep(0), F(0, "X"), Sep(0), Sep(0), F(0, "Y"), Sep(0), Sep(0)},
         {Sep(0), F(0, "X"), Sep(0), F(0, "Y"), Sep(0)}},
        {{G(0, "A"), F(1, "X"), Sep(1), Sep(0)}, {G(0, "A"), F(1, "X"), Sep(0)}},
        // A group of separators only: one placeholder.
        {{G(0, "A"), Sep(1), Sep(1)}, {G(0, "A"), Ph(1)}},
        // Separators alone show nothing, and nothing is saved.
        {{Sep(0), Sep(0)}, {}},
        // Records under a folder (a hand-edited file) stay on its level.
        {{F(0, "A"), F(1, "B"), F(0, "C")}, {F(0, "A"), F(0, "B"), F(0, "C")}},
        {{Ph(0), F(1, "X")}, {F(0, "X")}},
    };
    for (const Case& c : cases) {
        Fixture f;
        ASSERT_EQ(f.logic.LoadTree(NoSpecials(c.in), false), 0);
        EXPECT_EQ(Describe(f.Collect().items), Describe(NoSpecials(c.out).items)) << f.Dump();
    }
}

TEST(SettingsTreeCollect, MoreThanAThousandRecordsAreCutOnceWithAMessage) {
    for (int count : {1000, 1001}) {
        std::vector<FolderItem> items;
        for (int i = 0; i < count; ++i) items.push_back(F(0, "F" + std::to_string(i)));
        Fixture f;
        ASSERT_EQ(f.logic.LoadTree(NoSpecials(items), false), 0);
        const FolderSettings out = f.Collect();
        EXPECT_EQ(out.items.Size(), 1000u);
        EXPECT_EQ(out.items.At(999).name, "F999");
        EXPECT_EQ(f.host.tooMany, count > 1000 ? 1 : 0);
        // The tree now shows what was kept.
        EXPECT_EQ(f.tree.ChildCount(f.tree.Root()), 1000u + 2);
    }
}

// Wherever the cut falls, what is kept is closed like any list the window
// writes: no group without its level, no separator ending one.
TEST(SettingsTreeCollect, TheCutAtAThousandLeavesAClosedList) {
    struct Case {
        std::vector<FolderItem> tail, kept;
    };
    const std::vector<Case> cases = {
        {{G(0, "A"), G(1, "B"), F(2, "X")}, {G(0, "A"), Ph(1)}},
        {{Sep(0), G(0, "A"), F(1, "X")}, {}},
        {{G(0, "A"), F(1, "X"), F(1, "Y")}, {G(0, "A"), F(1, "X")}},
    };
    for (const Case& c : cases) {
        std::vector<FolderItem> items;
        for (int i = 0; i < 998; ++i) items.push_back(F(0, "F" + std::to_string(i)));
        items.insert(items.end(), c.tail.begin(), c.tail.end());
        Fixture f;
        ASSERT_EQ(f.logic.LoadTree(NoSpecials(items), false), 0);
        const FolderSettings out = f.Collect();
        std::vector<FolderItem> head(items.begin(), items.begin() + 998);
        head.insert(head.end(), c.kept.begin(), c.kept.end());
        EXPECT_EQ(Describe(out.items), Describe(NoSpecials(head).items));
        EXPECT_EQ(f.host.tooMany, 1);
    }
}

TEST(SettingsTreeCollect, NestingDeeperThanTheDepthFieldNeverWraps) {
    Fixture f;
    ASSERT_EQ(f.logic.LoadTree(NoSpecials({}), false), 0);
    NodeHandle parent = f.tree.Root();
    for (int i = 0; i < 300; ++i)
        parent = f.tree.InsertLast(parent, {"G" + std::to_string(i), node_image::kGroup, 100 + i});
    FolderSettings out;
    f.logic.Collect(out);
    // Groups at 0..254 hold each other; at 255 there is no room for
    // children, so that level is empty.
    ASSERT_EQ(out.items.Size(), 256u);
    for (std::size_t i = 0; i < 255; ++i) ASSERT_EQ(out.items.At(i).depth, i);
    EXPECT_EQ(out.items.At(255).Kind(), K::Placeholder);
    EXPECT_EQ(out.items.At(255).depth, 255);
}

TEST(SettingsTreeWorkingCopy, PathsByNumberAreBoundedAndFollowTheKind) {
    Fixture f;
    ASSERT_EQ(f.logic.LoadTree(NoSpecials({G(0, "A"), Sep(1), F(1, "X")}), false), 0);
    const NodeHandle a = f.tree.NextSibling(f.logic.SpecialRoot(2));
    const NodeHandle x = f.tree.NextSibling(f.tree.FirstChild(a));
    EXPECT_EQ(f.logic.PathLabelText(a), "A");
    EXPECT_EQ(f.logic.PathLabelText(x), "C:\\X");
    EXPECT_EQ(f.logic.PathLabelText(f.tree.FirstChild(a)), "-");
    EXPECT_EQ(f.logic.PathLabelText(f.logic.SpecialRoot(1)), "S10");
    for (std::int32_t n : {-1, 0, 99, 103, 1 << 30}) EXPECT_EQ(f.logic.Items().PathOf(n), "");
    EXPECT_EQ(f.logic.Items().Append(F(0, "new")), 103);
    EXPECT_EQ(f.logic.Items().PathOf(103), "C:\\new");

    // Hidden: the copy is gone, and no number reaches a record.
    ASSERT_EQ(f.logic.LoadTree(NoSpecials({F(0, "X")}), true), 0);
    EXPECT_EQ(f.logic.PathLabelText(f.tree.NextSibling(f.logic.SpecialRoot(2))), "");
    EXPECT_EQ(f.logic.Items().SetPath(100, "D:\\"), -1);
}

TEST(MemoryNodeTree, LinksSelectionSortAndStaleHandles) {
    MemoryNodeTree t;
    const NodeHandle root = t.InsertLast(kNoNode, {"root", 0, 0});
    const NodeHandle b = t.InsertLast(root, {"b", 2, 101});
    const NodeHandle a = t.InsertFirst(root, {"A", 2, 100});
    const NodeHandle g = t.InsertAfter(root, a, {"\x83\x61", 1, 102});  // a CP932 character
    const NodeHandle child = t.InsertLast(g, {"x", 2, 103});
    EXPECT_EQ(t.InsertAfter(g, a, {"wrong parent", 2, 104}), kNoNode);
    EXPECT_EQ(t.NextSibling(a), g);
    EXPECT_EQ(t.PrevSibling(b), g);
    EXPECT_EQ(t.Parent(child), g);

    // Case-insensitive for letters, but a trail byte in the letter range
    // is not folded: 0x83 0x61 sorts after every ASCII label.
    ASSERT_EQ(t.SortChildren(root), 0);
    EXPECT_EQ(t.FirstChild(root), a);
    EXPECT_EQ(t.NextSibling(a), b);
    EXPECT_EQ(t.NextSibling(b), g);

    // Deleting the selected node's ancestor selects the next sibling, or
    // the parent at the end of a level.
    t.Select(child);
    ASSERT_EQ(t.Delete(b), 0);
    EXPECT_EQ(t.Selection(), child);
    ASSERT_EQ(t.Delete(g), 0);
    EXPECT_EQ(t.Selection(), root);
    EXPECT_EQ(t.Number(child), -1);
    EXPECT_EQ(t.FirstChild(g), kNoNode);
    EXPECT_EQ(t.Delete(child), -1);
    EXPECT_EQ(t.LiveCount(), 2u);
}

}  // namespace
}  // namespace tellaro
