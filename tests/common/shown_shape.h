// What the user sees of a folder list, for tests and fuzzers: the folders,
// groups, separators and "(none)" entries in the order the popup menu shows
// them, each with its parent, read from the menu's layout or from the
// settings tree. A file must keep this shape from reading through the tree
// to the next save.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string>
#include <tuple>
#include <vector>

#include "config/folder_model.h"
#include "menu/menu_layout.h"
#include "res/resource.h"
#include "settings/settings_tree.h"

namespace tellaro {

struct ShapeEntry {
    FolderItemKind kind = FolderItemKind::Folder;
    std::string path;   // a folder's; empty otherwise
    std::string name;   // the whole name it stands for, as a save keeps it
    std::string shown;  // the text the user sees
    long parent = -1;   // index of the group holding it, -1 at the top

    bool operator==(const ShapeEntry& o) const {
        return std::tie(kind, path, name, shown, parent) ==
               std::tie(o.kind, o.path, o.name, o.shown, o.parent);
    }
};

using Shape = std::vector<ShapeEntry>;

namespace shape_detail {

inline void AddMenuLevel(const FolderItemList& items, const std::vector<UserMenuEntry>& level,
                         long parent, Shape& out) {
    for (const UserMenuEntry& e : level) {
        const FolderItem& record = items.At(e.record);
        switch (e.kind) {
            case MenuEntryKind::String:
                out.push_back({FolderItemKind::Folder, record.path, record.name, e.text, parent});
                break;
            case MenuEntryKind::Submenu:
                out.push_back({FolderItemKind::Group, std::string(), record.name, e.text, parent});
                AddMenuLevel(items, e.children, static_cast<long>(out.size()) - 1, out);
                break;
            case MenuEntryKind::Separator:
                out.push_back({FolderItemKind::Separator, {}, {}, {}, parent});
                break;
            case MenuEntryKind::Disabled:
                out.push_back({FolderItemKind::Placeholder, {}, {}, {}, parent});
                break;
        }
    }
}

inline void AddTreeLevel(const SettingsTree& logic, NodeHandle first, long parent, Shape& out) {
    const NodeTree& tree = logic.Tree();
    for (NodeHandle n = first; n != kNoNode; n = tree.NextSibling(n)) {
        NodeData d;
        if (!tree.Read(n, d) || d.number < node_number::kUserBase) continue;
        if (d.image == node_image::kFolder) {
            out.push_back({FolderItemKind::Folder, logic.Items().PathOf(d.number),
                           logic.FullName(d), d.label, parent});
        } else if (d.image == node_image::kGroup) {
            out.push_back(
                {FolderItemKind::Group, std::string(), logic.FullName(d), d.label, parent});
            AddTreeLevel(logic, tree.FirstChild(n), static_cast<long>(out.size()) - 1, out);
        } else if (d.image == node_image::kSeparator) {
            out.push_back({FolderItemKind::Separator, {}, {}, {}, parent});
        }
    }
}

}  // namespace shape_detail

// The popup menu's entries for `items`, "(none)" entries as placeholders.
inline Shape MenuShape(const FolderItemList& items) {
    Shape out;
    shape_detail::AddMenuLevel(items, UserMenuLayout(items), -1, out);
    return out;
}

// The settings tree's, with each folder's path from the working copy (so
// the tree must have been loaded keeping it). The tree has no node for a
// placeholder.
inline Shape TreeShape(const SettingsTree& logic) {
    Shape out;
    const NodeTree& tree = logic.Tree();
    shape_detail::AddTreeLevel(logic, tree.FirstChild(tree.Root()), -1, out);
    return out;
}

// `shape` as the tree shows it: without placeholders.
inline Shape WithoutPlaceholders(const Shape& shape) {
    Shape out;
    std::vector<long> moved(shape.size(), -1);
    for (std::size_t i = 0; i < shape.size(); ++i) {
        if (shape[i].kind == FolderItemKind::Placeholder) continue;
        ShapeEntry e = shape[i];
        if (e.parent >= 0) e.parent = moved[static_cast<std::size_t>(e.parent)];
        moved[i] = static_cast<long>(out.size());
        out.push_back(std::move(e));
    }
    return out;
}

// `part` is the start of `whole`: what stays of a list cut at its end.
inline bool IsPrefix(const Shape& part, const Shape& whole) {
    return part.size() <= whole.size() && std::equal(part.begin(), part.end(), whole.begin());
}

// The rules of the canonical form, which every list handed back by OK keeps:
// at most 1000 records, the first at depth 0, only a group opening a level
// and exactly one deeper, every group closed by its level or a placeholder,
// a separator only where a folder or group follows on its level (or last
// on the top level, after an entry), a placeholder only as the one record of
// its level.
inline bool IsCanonical(const FolderItemList& list) {
    const std::size_t n = list.Size();
    if (n > kMaxFolderItems) return false;
    for (std::size_t i = 0; i < n; ++i) {
        const FolderItem& item = list.At(i);
        const int depth = item.depth;
        const FolderItem* next = i + 1 < n ? &list.At(i + 1) : nullptr;
        if (item.kind > static_cast<std::uint8_t>(FolderItemKind::Placeholder)) return false;
        if (i == 0 && depth != 0) return false;
        if (next && next->depth > depth &&
            (item.Kind() != FolderItemKind::Group || next->depth != depth + 1))
            return false;
        switch (item.Kind()) {
            case FolderItemKind::Group:
                if (!next || next->depth != depth + 1 || !item.path.empty()) return false;
                break;
            case FolderItemKind::Separator:
                if (!item.path.empty() || !item.name.empty()) return false;
                // Only the top level may end with one, after an entry.
                if (!next ? depth != 0 || i == 0
                          : next->depth != depth || (next->Kind() != FolderItemKind::Folder &&
                                                     next->Kind() != FolderItemKind::Group))
                    return false;
                break;
            case FolderItemKind::Placeholder:
                if (!item.path.empty() || !item.name.empty()) return false;
                if (next && next->depth == depth) return false;
                if (i > 0 && list.At(i - 1).depth == depth) return false;
                break;
            case FolderItemKind::Folder:
                break;
        }
    }
    return true;
}

// Reading `settings` into the tree and pressing OK keeps what the menu
// showed: the tree shows the menu's entries, OK hands them back in canonical
// form (or, when more than 1000 records had to be cut, with the host told,
// the start of them), and the menu and the tree made from that show them
// again, separators and "(none)" entries alike. `tooManyReports` is the
// host's count of cut lists. Empty when it holds, else what broke.
inline std::string CheckShownWhole(SettingsTree& logic, const FolderSettings& settings,
                                   const int& tooManyReports) {
    const Shape menu = MenuShape(settings.items);
    if (logic.LoadTree(settings, false) != 0) return "the tree was not built";
    if (!(TreeShape(logic) == WithoutPlaceholders(menu))) return "the tree differs from the menu";
    const int reportsBefore = tooManyReports;
    FolderSettings collected;
    logic.Collect(collected);
    if (!IsCanonical(collected.items)) return "OK handed back a list that is not canonical";
    const Shape saved = MenuShape(collected.items);
    if (tooManyReports != reportsBefore) {
        // The cut may close a group with a placeholder where more followed.
        if (!IsPrefix(WithoutPlaceholders(saved), WithoutPlaceholders(menu)))
            return "the cut list is not the start of the menu";
    } else if (!(saved == menu)) {
        return "OK handed back other entries than the menu showed";
    }
    if (logic.LoadTree(collected, false) != 0 || !(TreeShape(logic) == WithoutPlaceholders(saved)))
        return "the tree made from what OK handed back differs";
    return std::string();
}

}  // namespace tellaro
