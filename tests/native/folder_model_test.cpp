#include "config/folder_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tellaro {
namespace {

FolderItem Item(FolderItemKind kind, int depth, const std::string& name = "") {
    FolderItem item;
    item.kind = static_cast<std::uint8_t>(kind);
    item.depth = static_cast<std::uint8_t>(depth);
    item.name = name;
    return item;
}

FolderItemList ListOf(std::vector<FolderItem> items) {
    FolderItemList list;
    for (auto& item : items) list.Append(item);
    return list;
}

// Renders the walk as text: a level in brackets, entries by name (or kind),
// so a test states the whole tree shape in one string.
class Recorder : public FolderWalkVisitor {
public:
    std::string out;
    std::vector<std::size_t> visited;

    void Visit(const FolderItem& item, std::size_t position) override {
        visited.push_back(position);
        if (!out.empty() && out.back() != '[') out += ' ';
        switch (item.Kind()) {
            case FolderItemKind::Folder:
            case FolderItemKind::Group:
                out += item.name;
                break;
            case FolderItemKind::Separator:
                out += '-';
                break;
            case FolderItemKind::Placeholder:
                out += '~';
                break;
        }
    }
    std::size_t VisitGroupLevel(const FolderItemList& list, std::size_t first) override {
        out += '[';
        std::size_t last = WalkLevel(list, first, *this);
        out += ']';
        return last;
    }
};

std::string WalkTopText(const FolderItemList& list) {
    Recorder r;
    WalkTop(list, r);
    return r.out;
}

TEST(FolderWalk, LevelsOfTheDocumentedExample) {
    // [Group A (0), Folder X (1), Group B (1), Placeholder (2), Folder Y (1), Folder Z (0)]
    FolderItemList list = ListOf({Item(FolderItemKind::Group, 0, "A"),
                                  Item(FolderItemKind::Folder, 1, "X"),
                                  Item(FolderItemKind::Group, 1, "B"),
                                  Item(FolderItemKind::Placeholder, 2),
                                  Item(FolderItemKind::Folder, 1, "Y"),
                                  Item(FolderItemKind::Folder, 0, "Z")});
    EXPECT_EQ(WalkTopText(list), "A[X B[~] Y] Z");
}

TEST(FolderWalk, EmptyAndPlaceholderOnlyListsHaveNoEntries) {
    EXPECT_EQ(WalkTopText(FolderItemList()), "");
    // The top-level placeholder is visited, and a reader shows nothing for it.
    EXPECT_EQ(WalkTopText(ListOf({Item(FolderItemKind::Placeholder, 0)})), "~");
}

TEST(FolderWalk, KindsAboveThreeReadAsPlaceholder) {
    FolderItem odd = Item(FolderItemKind::Folder, 1, "odd");
    odd.kind = 7;
    EXPECT_EQ(odd.Kind(), FolderItemKind::Placeholder);
    EXPECT_EQ(NormalizedKind(255), FolderItemKind::Placeholder);
    EXPECT_EQ(WalkTopText(ListOf({Item(FolderItemKind::Group, 0, "G"), odd})), "G[~]");
}

TEST(FolderWalk, GroupEndingTheListDoesNotReadPastIt) {
    EXPECT_EQ(WalkTopText(ListOf({Item(FolderItemKind::Folder, 0, "F"),
                                  Item(FolderItemKind::Group, 0, "G")})),
              "F G");
    // Nested groups that all end at the end of the list.
    EXPECT_EQ(WalkTopText(ListOf({Item(FolderItemKind::Group, 0, "A"),
                                  Item(FolderItemKind::Group, 1, "B"),
                                  Item(FolderItemKind::Group, 2, "C"),
                                  Item(FolderItemKind::Folder, 3, "D")})),
              "A[B[C[D]]]");
}

TEST(FolderWalk, FlatImportedListMayEndWithSeparator) {
    EXPECT_EQ(WalkTopText(ListOf({Item(FolderItemKind::Folder, 0, "F"),
                                  Item(FolderItemKind::Separator, 0)})),
              "F -");
}

TEST(FolderWalk, WalkLevelReturnsTheLastConsumedRecord) {
    FolderItemList list = ListOf({Item(FolderItemKind::Group, 0, "A"),
                                  Item(FolderItemKind::Folder, 1, "X"),
                                  Item(FolderItemKind::Group, 1, "B"),
                                  Item(FolderItemKind::Folder, 2, "Q"),
                                  Item(FolderItemKind::Folder, 0, "Z")});
    Recorder r;
    EXPECT_EQ(WalkLevel(list, 1, r), 3u);  // A's level ends with B's child Q
    EXPECT_EQ(r.out, "X B[Q]");
    Recorder top;
    EXPECT_EQ(WalkLevel(list, 0, top), 4u);
}

TEST(FolderWalk, NonCanonicalDepthsNeverLoseOrRepeatRecords) {
    // A group followed by a sibling at its own depth has no children; a jump
    // of several levels is still one level for the walk.
    FolderItemList list = ListOf({Item(FolderItemKind::Group, 0, "A"),
                                  Item(FolderItemKind::Folder, 0, "B"),
                                  Item(FolderItemKind::Group, 0, "C"),
                                  Item(FolderItemKind::Folder, 3, "D"),
                                  Item(FolderItemKind::Folder, 1, "E")});
    Recorder r;
    WalkTop(list, r);
    EXPECT_EQ(r.out, "A B C[D] E");
    EXPECT_EQ(r.visited, (std::vector<std::size_t>{0, 1, 2, 3, 4}));
}

// Renders ShownEntries like the walk above; a placeholder that stands at
// its group's record shows as "~g".
std::string ShownText(const FolderItemList& list, const std::vector<ShownEntry>& level) {
    std::string out;
    for (const ShownEntry& e : level) {
        if (!out.empty()) out += ' ';
        switch (e.kind) {
            case FolderItemKind::Folder:
            case FolderItemKind::Group:
                out += list.At(e.position).name;
                break;
            case FolderItemKind::Separator:
                out += '-';
                break;
            case FolderItemKind::Placeholder:
                out += list.At(e.position).Kind() == FolderItemKind::Group ? "~g" : "~";
                break;
        }
        if (e.kind == FolderItemKind::Group) out += "[" + ShownText(list, e.children) + "]";
    }
    return out;
}

TEST(ShownEntries, SeparatorsNeedAnEntryAfterThemAndEmptyLevelsOnePlaceholder) {
    using K = FolderItemKind;
    struct Case {
        std::vector<FolderItem> items;
        const char* shown;
    };
    const Case cases[] = {
        // Runs keep their last; the top level keeps one trailing separator
        // after an entry, a group's level none.
        {{Item(K::Separator, 0), Item(K::Separator, 0), Item(K::Folder, 0, "X"),
          Item(K::Separator, 0), Item(K::Group, 0, "G"), Item(K::Folder, 1, "Y"),
          Item(K::Separator, 1), Item(K::Separator, 0), Item(K::Separator, 0)},
         "- X - G[Y] -"},
        {{Item(K::Separator, 0), Item(K::Placeholder, 0)}, ""},
        // A placeholder among entries says nothing; one between a separator
        // and a folder does not part them.
        {{Item(K::Group, 0, "G"), Item(K::Folder, 1, "X"), Item(K::Separator, 1),
          Item(K::Placeholder, 1), Item(K::Folder, 1, "Y")},
         "G[X - Y]"},
        // Levels without a folder or group: the record's own placeholder, or
        // one at the group when it has none.
        {{Item(K::Group, 0, "G"), Item(K::Separator, 1), Item(K::Placeholder, 1),
          Item(K::Group, 0, "H"), Item(K::Folder, 0, "Z")},
         "G[~] H[~g] Z"},
    };
    for (const Case& c : cases) {
        const FolderItemList list = ListOf(c.items);
        EXPECT_EQ(ShownText(list, ShownEntries(list)), c.shown);
    }
}

TEST(ShownEntries, GroupsBelowTheNestingLimitAreDissolvedAndSaid) {
    using K = FolderItemKind;
    std::vector<FolderItem> chain;
    for (std::size_t i = 0; i < kMaxNestedGroups; ++i)
        chain.push_back(Item(K::Group, static_cast<int>(i), "G" + std::to_string(i)));
    FolderItemList fits = ListOf(chain);
    fits.Append(Item(K::Folder, static_cast<int>(kMaxNestedGroups), "F"));
    EXPECT_FALSE(IsFlattenedWhenShown(fits));

    // One group deeper, holding nothing: it goes, and the level that took
    // it shows "(none)" as a save of it will.
    FolderItemList deeper = ListOf(chain);
    deeper.Append(Item(K::Group, static_cast<int>(kMaxNestedGroups), "Deep"));
    deeper.Append(Item(K::Placeholder, static_cast<int>(kMaxNestedGroups) + 1));
    EXPECT_TRUE(IsFlattenedWhenShown(deeper));
    const std::vector<ShownEntry> top = ShownEntries(deeper);
    const ShownEntry* deepest = &top[0];
    while (deepest->children[0].kind == K::Group) deepest = &deepest->children[0];
    EXPECT_EQ(ShownText(deeper, deepest->children), "~");
}

TEST(ShownNames, CutAtACharacterBoundaryWithAnEllipsis) {
    const std::string fits(kMaxShownNameBytes, 'a');
    const std::string room(kMaxShownNameBytes - 3, 'a');
    const std::string sjis = "\x83\x5c";  // its trail byte is a backslash
    struct Case {
        std::string name, path, shown;
    };
    const Case cases[] = {
        {"Work", "C:\\Data", "Work"},
        {fits, "", fits},
        {fits + "b", "", room + "..."},
        // A double-byte character across the cut goes whole.
        {room.substr(1) + sjis + "tail", "", room.substr(1) + "..."},
        {room.substr(2) + sjis + "tail", "", room.substr(2) + sjis + "..."},
        // A folder without a name shows its folder's.
        {"", "C:\\Data\\\x83\x5c\x83\x74\\", "\x83\x5c\x83\x74"},
        {"", "C:\\" + fits + "b", room + "..."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ShownName(FolderItemKind::Folder, c.name, c.path), c.shown) << c.name;
    EXPECT_EQ(ShownName(FolderItemKind::Group, "", "ignored"), "");
    // The lead bytes are the caller's code page's.
    const std::string latin = room.substr(1) + "\xe9\xe9tail";
    EXPECT_EQ(ShortenedName(latin, [](unsigned char) { return false; }),
              room.substr(1) + "\xe9...");
}

TEST(FolderItemList, SizeLimitAndTruncation) {
    FolderItemList list;
    for (int i = 0; i < 1001; ++i) list.Append(Item(FolderItemKind::Folder, 0, std::to_string(i)));
    list.Truncate(kMaxFolderItems);
    ASSERT_EQ(list.Size(), 1000u);
    EXPECT_EQ(list.At(999).name, "999");
    list.Truncate(5000);  // beyond the end changes nothing
    EXPECT_EQ(list.Size(), 1000u);

    FolderItemList copy;
    copy.Assign(list);
    copy.At(0).name = "changed";
    EXPECT_EQ(list.At(0).name, "0") << "records are values; copies share nothing";
}

}  // namespace
}  // namespace tellaro
