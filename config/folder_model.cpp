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
        if (dissolveNext_) {
            flattened_ = true;
            return;
        }
        level_->push_back(ShownEntry{position, item.Kind(), {}});
    }

    std::size_t VisitGroupLevel(const FolderItemList& list, std::size_t firstChild) override {
        std::vector<ShownEntry>* outer = level_;
        const bool dissolve = dissolveNext_;
        if (!dissolve) {
            level_ = &outer->back().children;
            ++nesting_;
        }
        const std::size_t last = WalkLevel(list, firstChild, *this);
        if (!dissolve) {
            --nesting_;
            level_ = outer;
        }
        return last;
    }

    bool Flattened() const { return flattened_; }

private:
    std::vector<ShownEntry>* level_;
    std::size_t nesting_ = 0;
    bool dissolveNext_ = false;
    bool flattened_ = false;
};

bool IsFolderOrGroup(const ShownEntry& e) {
    return e.kind == FolderItemKind::Folder || e.kind == FolderItemKind::Group;
}

// Applies the separator and placeholder rules to a level whose groups'
// levels are already read; `owner` is the group's record, for a placeholder
// that has none of its own. Only after dissolving: a dissolved group's
// entries change what follows what on the level that takes them.
void TidyLevel(std::vector<ShownEntry>& level, bool top, std::size_t owner) {
    std::size_t placeholderAt = owner;
    bool placeholderFound = false;
    std::vector<ShownEntry> kept;
    for (ShownEntry& e : level) {
        if (e.kind == FolderItemKind::Placeholder) {
            if (!placeholderFound) placeholderAt = e.position;
            placeholderFound = true;
        } else {
            if (e.kind == FolderItemKind::Group) TidyLevel(e.children, false, e.position);
            kept.push_back(std::move(e));
        }
    }
    level.clear();
    bool entrySeen = false;
    for (std::size_t i = 0; i < kept.size(); ++i) {
        const bool isSeparator = kept[i].kind == FolderItemKind::Separator;
        const bool last = i + 1 == kept.size();
        if (isSeparator && !(last ? top && entrySeen : IsFolderOrGroup(kept[i + 1]))) {
            // The last of a trailing run on the top level is looked at when
            // it comes.
            continue;
        }
        entrySeen = entrySeen || !isSeparator;
        level.push_back(std::move(kept[i]));
    }
    if (!entrySeen) {
        level.clear();
        if (!top) level.push_back(ShownEntry{placeholderAt, FolderItemKind::Placeholder, {}});
    }
}

}  // namespace

std::vector<ShownEntry> ShownEntries(const FolderItemList& list) {
    std::vector<ShownEntry> top;
    ShownEntriesBuilder builder(top);
    WalkTop(list, builder);
    TidyLevel(top, true, 0);
    return top;
}

bool IsFlattenedWhenShown(const FolderItemList& list) {
    std::vector<ShownEntry> top;
    ShownEntriesBuilder builder(top);
    WalkTop(list, builder);
    return builder.Flattened();
}

std::string ShortenedName(const std::string& name, LeadByteTest isLeadByte) {
    if (name.size() <= kMaxShownNameBytes) return name;
    static constexpr char kEllipsis[] = "...";
    const std::size_t room = kMaxShownNameBytes - (sizeof kEllipsis - 1);
    std::size_t keep = 0;
    while (keep < name.size()) {
        const bool lead = isLeadByte(static_cast<unsigned char>(name[keep]));
        const std::size_t step = lead && keep + 1 < name.size() ? 2 : 1;
        if (keep + step > room) break;
        keep += step;
    }
    return name.substr(0, keep) + kEllipsis;
}

std::string ShownName(FolderItemKind kind, const std::string& name, const std::string& path,
                      LeadByteTest isLeadByte) {
    if (name.empty() && kind == FolderItemKind::Folder)
        return ShortenedName(NameFromPath(path, isLeadByte), isLeadByte);
    return ShortenedName(name, isLeadByte);
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
