#include "config/folder_model.h"

#include <algorithm>

namespace tellaro {

bool operator==(const FolderItem& a, const FolderItem& b) {
    return a.kind == b.kind && a.depth == b.depth && a.path == b.path && a.name == b.name;
}

bool operator==(const FolderSettings& a, const FolderSettings& b) {
    return std::equal(a.specialFolderOrder1, a.specialFolderOrder1 + kSpecialFolderCount1,
                      b.specialFolderOrder1) &&
           std::equal(a.specialFolderOrder2, a.specialFolderOrder2 + kSpecialFolderCount2,
                      b.specialFolderOrder2) &&
           a.items == b.items;
}

bool FolderItemList::operator==(const FolderItemList& o) const {
    return items_ == o.items_;
}

bool GroupHasChildLevel(const FolderItemList& list, std::size_t groupPos) {
    // The walk takes whatever record follows a group as the first of its
    // children; the canonical form puts it one level deeper. A following
    // record at the same or a shallower depth means the group is empty in a
    // non-canonical list, and reading it as a child would steal a sibling.
    std::size_t next = groupPos + 1;
    return next < list.Size() && list.At(next).depth > list.At(groupPos).depth;
}

namespace {

// Walks a group's subtree if it has one and returns the last consumed
// position (the group itself when it has no children).
std::size_t ConsumeGroup(const FolderItemList& list, std::size_t p, FolderWalkVisitor& visitor) {
    if (!GroupHasChildLevel(list, p)) return p;
    std::size_t q = visitor.VisitGroupLevel(list, p + 1);
    return q < p ? p : q;  // a visitor can never make the walk go backwards
}

}  // namespace

std::size_t WalkLevel(const FolderItemList& list, std::size_t start, FolderWalkVisitor& visitor) {
    const std::uint8_t level = list.At(start).depth;
    std::size_t p = start;
    std::size_t last = start;
    for (;;) {
        const FolderItem& item = list.At(p);
        visitor.Visit(item, p);
        last = p;
        if (item.Kind() == FolderItemKind::Group) last = ConsumeGroup(list, p, visitor);
        p = last + 1;
        if (p >= list.Size() || list.At(p).depth != level) return last;
    }
}

namespace {

// The walk calls VisitGroupLevel right after visiting a group, so a shown
// group is always the last entry of the current level at that moment.
class ShownEntriesBuilder : public FolderWalkVisitor {
public:
    explicit ShownEntriesBuilder(std::vector<ShownEntry>& top) : level_(&top) {}

    void Visit(const FolderItem& item, std::size_t position) override {
        dissolveNext_ = item.Kind() == FolderItemKind::Group && nesting_ >= kMaxNestedGroups;
        if (dissolveNext_) return;
        // An emptied group's placeholder would say "none" among its
        // former siblings.
        if (item.Kind() == FolderItemKind::Placeholder && dissolved_ > 0) return;
        level_->push_back(ShownEntry{position, {}});
    }

    std::size_t VisitGroupLevel(const FolderItemList& list, std::size_t firstChild) override {
        std::vector<ShownEntry>* outer = level_;
        const bool dissolve = dissolveNext_;
        if (dissolve) {
            ++dissolved_;
        } else {
            level_ = &outer->back().children;
            ++nesting_;
        }
        const std::size_t last = WalkLevel(list, firstChild, *this);
        if (dissolve) {
            --dissolved_;
        } else {
            --nesting_;
            level_ = outer;
        }
        return last;
    }

private:
    std::vector<ShownEntry>* level_;
    std::size_t nesting_ = 0;
    std::size_t dissolved_ = 0;
    bool dissolveNext_ = false;
};

}  // namespace

std::vector<ShownEntry> ShownEntries(const FolderItemList& list) {
    std::vector<ShownEntry> top;
    ShownEntriesBuilder builder(top);
    WalkTop(list, builder);
    return top;
}

void WalkTop(const FolderItemList& list, FolderWalkVisitor& visitor) {
    std::size_t p = 0;
    while (p < list.Size()) {
        const FolderItem& item = list.At(p);
        visitor.Visit(item, p);
        std::size_t last = p;
        if (item.Kind() == FolderItemKind::Group) last = ConsumeGroup(list, p, visitor);
        p = last + 1;
    }
}

}  // namespace tellaro
