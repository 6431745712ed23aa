// The user's folder tree as one flat pre-order list, and the walk that turns
// it back into levels. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "base/path_text.h"

namespace tellaro {

enum class FolderItemKind : std::uint8_t {
    Folder = 0,
    Group = 1,
    Separator = 2,
    Placeholder = 3,  // any stored value above 3 is read as this too
};

// Kinds above 3 may arrive from a file; every reader treats them as
// Placeholder, so compare through this rather than against the raw byte.
inline FolderItemKind NormalizedKind(std::uint8_t raw) {
    return raw <= 3 ? static_cast<FolderItemKind>(raw) : FolderItemKind::Placeholder;
}

struct FolderItem {
    std::uint8_t kind = 0;  // raw byte as stored; see NormalizedKind
    std::uint8_t depth = 0;
    std::string path;
    std::string name;
    std::int32_t id = 0;  // meaningful only in the settings window's working copy

    FolderItemKind Kind() const { return NormalizedKind(kind); }
};

constexpr std::size_t kMaxFolderItems = 1000;

class FolderItemList {
public:
    std::size_t Size() const { return items_.size(); }
    bool Empty() const { return items_.empty(); }
    const FolderItem& At(std::size_t i) const { return items_[i]; }
    FolderItem& At(std::size_t i) { return items_[i]; }
    void Append(FolderItem item) { items_.push_back(std::move(item)); }
    void Clear() { items_.clear(); }
    void Truncate(std::size_t from) {
        if (from < items_.size()) items_.resize(from);
    }
    void Assign(const FolderItemList& other) { items_ = other.items_; }

    std::vector<FolderItem>::const_iterator begin() const { return items_.begin(); }
    std::vector<FolderItem>::const_iterator end() const { return items_.end(); }
    bool operator==(const FolderItemList& o) const;

private:
    std::vector<FolderItem> items_;
};

bool operator==(const FolderItem& a, const FolderItem& b);

constexpr std::size_t kSpecialFolderCount1 = 30;
constexpr std::size_t kSpecialFolderCount2 = 15;
constexpr std::uint8_t kNotShown = 0xFF;

struct FolderSettings {
    std::uint8_t specialFolderOrder1[kSpecialFolderCount1] = {};
    std::uint8_t specialFolderOrder2[kSpecialFolderCount2] = {};
    FolderItemList items;
};

bool operator==(const FolderSettings& a, const FolderSettings& b);

// The visitor of a walk. For a Group, `enterGroup` is called first and must
// walk the group's level (by calling WalkLevel on position + 1) when the group
// has children; the walk continues after whatever that inner walk consumed.
// Returning from the visitor without descending leaves the subtree to the
// outer walk, which then skips it by depth.
struct FolderWalkVisitor {
    virtual ~FolderWalkVisitor() = default;
    // Called for every entry of the level, in list order.
    virtual void Visit(const FolderItem& item, std::size_t position) = 0;
    // Called after Visit for a Group whose next record is one level deeper;
    // the implementation walks that level (usually with WalkLevel) and returns
    // the position of the last record it consumed.
    virtual std::size_t VisitGroupLevel(const FolderItemList& list, std::size_t firstChild) = 0;
};

// Visits one level starting at `start` (the level's depth is that record's
// depth) and returns the position of the last record consumed. `start` must
// be inside the list.
std::size_t WalkLevel(const FolderItemList& list, std::size_t start, FolderWalkVisitor& visitor);

// Visits the top-level entries of the whole list. A record reached at top
// level is a top-level entry whatever its depth.
void WalkTop(const FolderItemList& list, FolderWalkVisitor& visitor);

// True when the record after a group at `groupPos` opens the group's level.
bool GroupHasChildLevel(const FolderItemList& list, std::size_t groupPos);

// How many submenus can stand one inside the other below a top menu: the
// window system refuses to attach a deeper one (30 under Wine, which then
// loses the whole branch), so no reader nests the user's groups deeper.
constexpr std::size_t kMaxNestedGroups = 30;

// One entry of the list as it is shown: the record at `position` and, for a
// group, the entries of its level. The placeholder of a level that shows no
// folder or group stands at a placeholder record of that level when it has
// one, else at its group's record.
struct ShownEntry {
    std::size_t position = 0;
    FolderItemKind kind = FolderItemKind::Folder;
    std::vector<ShownEntry> children;
};

// The list as the popup menu and the settings tree both show it, and so as
// OK saves it, taken in one place so that they cannot differ: the walk's
// entries and nesting, with every group nested deeper than kMaxNestedGroups
// dissolved into the deepest level that can be shown (its entries stay there
// in order). On each level a separator stands only where a folder or group
// follows it (of a run, the last one), but for the top level's last one
// after its last folder or group, which flat imported lists end with; a
// group's level without a folder or group is one placeholder, and the top
// level keeps none.
std::vector<ShownEntry> ShownEntries(const FolderItemList& list);

// Whether ShownEntries dissolves a group of `list`: the file nests deeper
// than the menus can, and the next save keeps the flattened form.
bool IsFlattenedWhenShown(const FolderItemList& list);

// The most bytes of a name the menus and the settings tree show: a name of
// a path's length would make a menu wider than the screen.
constexpr std::size_t kMaxShownNameBytes = 64;

// `name` as shown: unchanged when it fits, else cut at a character boundary
// and ended with "..." within kMaxShownNameBytes.
std::string ShortenedName(const std::string& name, LeadByteTest isLeadByte = IsCp932LeadByte);

// The text a folder or group shows for its name: shortened, and for a folder
// stored without a name its folder's own name.
std::string ShownName(FolderItemKind kind, const std::string& name, const std::string& path,
                      LeadByteTest isLeadByte = IsCp932LeadByte);

}  // namespace tellaro
