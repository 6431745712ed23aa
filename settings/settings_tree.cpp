#include "settings/settings_tree.h"

#include <algorithm>
#include <vector>

#include "config/special_folder_table.h"
#include "res/resource.h"

namespace tellaro {

namespace {

constexpr int kDeepestLevel = 255;  // what the 8-bit depth of a record can hold

FolderItem Record(FolderItemKind kind, int depth, std::string path = std::string(),
                  std::string name = std::string()) {
    FolderItem item;
    item.kind = static_cast<std::uint8_t>(kind);
    item.depth = static_cast<std::uint8_t>(depth);
    item.path = std::move(path);
    item.name = std::move(name);
    return item;
}

// A list cut at the limit can end inside a level: a group whose children
// were cut off, or separators with nothing after them. What is kept must be
// as closed as any list the window writes, or readers would meet a group
// without its level and the next OK would not hand the same list back.
void CloseCutList(FolderItemList& items) {
    while (!items.Empty()) {
        const FolderItem& last = items.At(items.Size() - 1);
        if (last.Kind() == FolderItemKind::Folder || last.Kind() == FolderItemKind::Placeholder)
            return;
        const int depth = last.depth;
        items.Truncate(items.Size() - 1);
        if (items.Empty()) return;
        const FolderItem& before = items.At(items.Size() - 1);
        // The dropped record was all that was left of its group's level.
        if (before.Kind() == FolderItemKind::Group && before.depth + 1 == depth) {
            items.Append(Record(FolderItemKind::Placeholder, depth));
            return;
        }
    }
}

const std::string& EmptyText() {
    static const std::string empty;
    return empty;
}

}  // namespace

NodeKind ClassifyNode(std::int32_t number, int image) {
    using namespace node_number;
    if (number == kMenuRoot) return NodeKind::MenuRoot;
    if (number == kSpecialRoot1 || number == kSpecialRoot2) return NodeKind::SpecialRoot;
    if (number >= kSpecial1Base && number < kUserBase) return NodeKind::SpecialFolder;
    if (number < kUserBase) return NodeKind::None;
    switch (image) {
        case node_image::kGroup:
            return NodeKind::UserGroup;
        case node_image::kFolder:
            return NodeKind::UserFolder;
        case node_image::kSeparator:
            return NodeKind::UserSeparator;
        default:
            return NodeKind::None;
    }
}

NodeKind ClassifyNode(const NodeTree& tree, NodeHandle node) {
    NodeData data;
    if (node == kNoNode || !tree.Read(node, data)) return NodeKind::None;
    return ClassifyNode(data.number, data.image);
}

// ---- WorkingCopy

void WorkingCopy::Fill(const FolderItemList& list) {
    items_.Clear();
    for (std::size_t p = 0; p < list.Size(); ++p) {
        FolderItem item = list.At(p);
        item.id = static_cast<std::int32_t>(node_number::kUserBase + p);
        switch (item.Kind()) {
            case FolderItemKind::Group:
                item.path = item.name;
                break;
            case FolderItemKind::Separator:
                item.path = "-";
                break;
            default:
                break;
        }
        items_.Append(std::move(item));
    }
}

bool WorkingCopy::Contains(std::int32_t number) const {
    return number >= node_number::kUserBase &&
           static_cast<std::size_t>(number - node_number::kUserBase) < items_.Size();
}

const std::string& WorkingCopy::PathOf(std::int32_t number) const {
    if (!Contains(number)) return EmptyText();
    return items_.At(static_cast<std::size_t>(number - node_number::kUserBase)).path;
}

const std::string& WorkingCopy::NameOf(std::int32_t number) const {
    if (!Contains(number)) return EmptyText();
    return items_.At(static_cast<std::size_t>(number - node_number::kUserBase)).name;
}

int WorkingCopy::SetPath(std::int32_t number, const std::string& path) {
    if (!Contains(number)) return -1;
    items_.At(static_cast<std::size_t>(number - node_number::kUserBase)).path = path;
    return 0;
}

int WorkingCopy::SetName(std::int32_t number, const std::string& name) {
    if (!Contains(number)) return -1;
    items_.At(static_cast<std::size_t>(number - node_number::kUserBase)).name = name;
    return 0;
}

std::int32_t WorkingCopy::NextNumber() const {
    return static_cast<std::int32_t>(node_number::kUserBase + items_.Size());
}

std::int32_t WorkingCopy::Append(FolderItem record) {
    const std::int32_t number = NextNumber();
    record.id = number;
    items_.Append(std::move(record));
    return number;
}

// ---- Building the tree

// Both are asked of the host once: every rebuild needs the same 48 texts and
// 45 answers, and each costs a resource lookup or a call into the shell.
const std::string& SettingsTree::FixedText(int stringId) {
    for (const auto& known : texts_)
        if (known.first == stringId) return known.second;
    texts_.emplace_back(stringId, host_.Text(stringId));
    return texts_.back().second;
}

bool SettingsTree::IsSpecialFolderAvailable(std::size_t tableIndex) {
    if (tableIndex >= available_.size()) return false;
    if (available_[tableIndex] < 0)
        available_[tableIndex] = host_.IsSpecialFolderAvailable(tableIndex) ? 1 : 0;
    return available_[tableIndex] != 0;
}

NodeHandle SettingsTree::SpecialRoot(std::int32_t number) const {
    for (NodeHandle n = tree_.FirstChild(tree_.Root()); n != kNoNode; n = tree_.NextSibling(n))
        if (tree_.Number(n) == number) return n;
    return kNoNode;
}

int SettingsTree::LoadTree(const FolderSettings& settings, bool discardItems) {
    tree_.DeleteAll();
    deferred_ = false;
    const NodeHandle root = tree_.InsertLast(
        kNoNode, {FixedText(IDS_MENU_ROOT), node_image::kMenuRoot, node_number::kMenuRoot});
    if (root == kNoNode) return -1;
    const int result = FillUnderRoot(root, settings, discardItems);
    // Expanded only now: the control inserts under a collapsed node many
    // times faster, and the user sees the same tree.
    tree_.Expand(root);
    return result;
}

int SettingsTree::FillUnderRoot(NodeHandle root, const FolderSettings& settings,
                                bool discardItems) {
    if (tree_.InsertLast(root, {FixedText(IDS_SPECIAL_FOLDERS1), node_image::kGroup,
                                node_number::kSpecialRoot1}) == kNoNode)
        return -1;
    const bool second = host_.HasSecondSpecialRoot();
    if (second && tree_.InsertLast(root, {FixedText(IDS_SPECIAL_FOLDERS2), node_image::kGroup,
                                          node_number::kSpecialRoot2}) == kNoNode)
        return -1;
    deferred_ = !AvailabilityAnswered(settings);
    if (deferred_) {
        std::copy_n(settings.specialFolderOrder1, kSpecialFolderCount1, deferredOrder1_);
        std::copy_n(settings.specialFolderOrder2, kSpecialFolderCount2, deferredOrder2_);
    } else {
        if (FillSpecialFolders1(settings.specialFolderOrder1) != 0) return -1;
        if (second && FillSpecialFolders2(settings.specialFolderOrder2) != 0) return -1;
    }
    items_.Fill(settings.items);
    if (BuildUserTree() != 0) return -1;
    if (discardItems) items_.Clear();
    return 0;
}

// The special roots collapse with the tree, so nobody misses their
// folders for the moment the shell takes to answer; the user's own nodes
// never wait for it.
bool SettingsTree::AvailabilityAnswered(const FolderSettings& settings) const {
    if (host_.SpecialFoldersKnown()) return true;
    for (std::size_t k :
         SpecialFolderTable::VisibleEntries(settings.specialFolderOrder1, kSpecialFolderCount1))
        if (available_[k] < 0) return false;
    for (std::size_t k :
         SpecialFolderTable::VisibleEntries(settings.specialFolderOrder2, kSpecialFolderCount2))
        if (available_[kSpecialFolderCount1 + k] < 0) return false;
    return true;
}

int SettingsTree::FillDeferredSpecialFolders() {
    if (!deferred_) return 0;
    deferred_ = false;
    if (FillSpecialFolders1(deferredOrder1_) != 0) return -1;
    if (SpecialRoot(node_number::kSpecialRoot2) != kNoNode &&
        FillSpecialFolders2(deferredOrder2_) != 0)
        return -1;
    return 0;
}

int SettingsTree::FillSpecialFolders(std::int32_t rootNumber, const std::uint8_t* order,
                                     std::size_t count, std::size_t tableOffset, int firstImage,
                                     std::int32_t firstNumber) {
    const NodeHandle root = SpecialRoot(rootNumber);
    if (root == kNoNode) return -1;
    // One node per shown position, the lowest entry winning a shared one;
    // folders this system lacks stay out of the tree.
    for (std::size_t k : SpecialFolderTable::VisibleEntries(order, count)) {
        if (!IsSpecialFolderAvailable(tableOffset + k)) continue;
        const SpecialFolderEntry& entry = SpecialFolderTable::Entry(tableOffset + k);
        const NodeData data{FixedText(entry.stringId), firstImage + static_cast<int>(k),
                            firstNumber + static_cast<std::int32_t>(k)};
        if (tree_.InsertLast(root, data) == kNoNode) return -1;
    }
    return 0;
}

int SettingsTree::FillSpecialFolders1(const std::uint8_t* order) {
    return FillSpecialFolders(node_number::kSpecialRoot1, order, kSpecialFolderCount1, 0,
                              node_image::kSpecial1Base, node_number::kSpecial1Base);
}

int SettingsTree::FillSpecialFolders2(const std::uint8_t* order) {
    return FillSpecialFolders(node_number::kSpecialRoot2, order, kSpecialFolderCount2,
                              kSpecialFolderCount1, node_image::kSpecial2Base,
                              node_number::kSpecial2Base);
}

// The tree shows what the popup menu shows, entry for entry: both are built
// from the same reading of the list, whatever depths a file holds.
int SettingsTree::BuildUserTree() {
    if (items_.Size() == 0) return 0;
    return BuildLevel(tree_.Root(), ShownEntries(items_.List()));
}

// kNoNode on failure; a placeholder inserts nothing and gives `parent` back.
NodeHandle SettingsTree::InsertRecord(NodeHandle parent, const ShownEntry& entry) {
    const FolderItem& item = items_.List().At(entry.position);
    const std::int32_t number = static_cast<std::int32_t>(node_number::kUserBase + entry.position);
    int image = node_image::kSeparator;
    switch (entry.kind) {
        case FolderItemKind::Folder:
            image = node_image::kFolder;
            break;
        case FolderItemKind::Group:
            image = node_image::kGroup;
            break;
        case FolderItemKind::Separator:
            break;
        case FolderItemKind::Placeholder:
            return parent;
    }
    return tree_.InsertLast(parent, {LabelFor(image, item.name, item.path), image, number});
}

// Recursion as deep as the shown nesting, which ShownEntries bounds.
int SettingsTree::BuildLevel(NodeHandle parent, const std::vector<ShownEntry>& level) {
    if (parent == kNoNode) return -1;
    for (const ShownEntry& entry : level) {
        const NodeHandle node = InsertRecord(parent, entry);
        if (node == kNoNode) return -1;
        if (!entry.children.empty() && BuildLevel(node, entry.children) != 0) return -1;
    }
    return 0;
}

// ---- Collecting

void SettingsTree::CollectOrder(std::int32_t rootNumber, std::int32_t firstNumber,
                                std::uint8_t* order, std::size_t count) const {
    for (std::size_t j = 0; j < count; ++j) order[j] = kNotShown;
    const NodeHandle root = SpecialRoot(rootNumber);
    if (root == kNoNode) return;
    // Positions count only the children that name an entry of this table,
    // once each, so they stay contiguous and inside the array.
    std::uint8_t position = 0;
    for (NodeHandle n = tree_.FirstChild(root); n != kNoNode; n = tree_.NextSibling(n)) {
        const std::int64_t j = static_cast<std::int64_t>(tree_.Number(n)) - firstNumber;
        if (j < 0 || j >= static_cast<std::int64_t>(count)) continue;
        if (order[j] != kNotShown) continue;
        order[j] = position++;
    }
}

void SettingsTree::CollectLevel(NodeHandle first, int depth, FolderSettings& out) {
    struct Entry {
        NodeHandle node;
        NodeData data;
    };
    // One read per node; the level is looked at as a whole to find where
    // its last folder or group stands.
    std::vector<Entry> level;
    for (NodeHandle n = first; n != kNoNode; n = tree_.NextSibling(n)) {
        Entry e{n, NodeData()};
        if (tree_.Read(n, e.data) && e.data.number >= node_number::kUserBase &&
            e.data.image >= node_image::kGroup && e.data.image <= node_image::kSeparator)
            level.push_back(std::move(e));
    }
    // The deepest level a record can name has no room for a group's
    // children, so a group there goes with its subtree.
    auto isEntry = [depth](const NodeData& d) {
        return d.image == node_image::kFolder ||
               (d.image == node_image::kGroup && depth < kDeepestLevel);
    };
    std::size_t end = level.size();  // one past the last folder or group
    while (end > 0 && !isEntry(level[end - 1].data)) --end;
    if (end == 0) {
        out.items.Append(Record(FolderItemKind::Placeholder, depth));
        return;
    }
    // Flat lists imported from the old settings end with a separator, and
    // the menu shows that one: on the top level it stays.
    const bool trailingSeparator = depth == 0 && end < level.size();
    for (std::size_t i = 0; i < end; ++i) {
        NodeData& d = level[i].data;
        if (d.image == node_image::kSeparator) {
            // A separator stands only where a folder or group follows it:
            // of a run, the last one stays.
            if (isEntry(level[i + 1].data))
                out.items.Append(Record(FolderItemKind::Separator, depth));
        } else if (d.image == node_image::kFolder) {
            out.items.Append(
                Record(FolderItemKind::Folder, depth, items_.PathOf(d.number), FullName(d)));
        } else if (isEntry(d)) {
            out.items.Append(Record(FolderItemKind::Group, depth, std::string(), FullName(d)));
            const NodeHandle child = tree_.FirstChild(level[i].node);
            if (child != kNoNode)
                CollectLevel(child, depth + 1, out);
            else
                out.items.Append(Record(FolderItemKind::Placeholder, depth + 1));
        }
    }
    if (trailingSeparator) out.items.Append(Record(FolderItemKind::Separator, depth));
}

void SettingsTree::Collect(FolderSettings& out) {
    FillDeferredSpecialFolders();
    CollectOrder(node_number::kSpecialRoot1, node_number::kSpecial1Base, out.specialFolderOrder1,
                 kSpecialFolderCount1);
    CollectOrder(node_number::kSpecialRoot2, node_number::kSpecial2Base, out.specialFolderOrder2,
                 kSpecialFolderCount2);
    out.items.Clear();
    NodeHandle first = tree_.FirstChild(tree_.Root());
    while (first != kNoNode && tree_.Number(first) < node_number::kUserBase)
        first = tree_.NextSibling(first);
    if (first != kNoNode) CollectLevel(first, 0, out);
    if (out.items.Size() > kMaxFolderItems) {
        out.items.Truncate(kMaxFolderItems);
        CloseCutList(out.items);
        host_.ReportTooManyItems();
    }
}

int SettingsTree::CollectSettings(FolderSettings& out) {
    Collect(out);
    LoadTree(out, true);
    return 0;
}

std::string SettingsTree::LabelFor(int image, const std::string& name,
                                   const std::string& path) const {
    switch (image) {
        case node_image::kFolder:
            return ShownName(FolderItemKind::Folder, name, path, isLeadByte_);
        case node_image::kGroup:
            return ShownName(FolderItemKind::Group, name, path, isLeadByte_);
        default:
            return "-";
    }
}

std::string SettingsTree::FullName(const NodeData& data) const {
    if (ClassifyNode(data.number, data.image) == NodeKind::None ||
        data.number < node_number::kUserBase)
        return data.label;
    const std::string& name = items_.NameOf(data.number);
    if (LabelFor(data.image, name, items_.PathOf(data.number)) == data.label) return name;
    return data.label;
}

std::string SettingsTree::FullName(NodeHandle node) const {
    NodeData data;
    if (!tree_.Read(node, data)) return std::string();
    return FullName(data);
}

std::string SettingsTree::PathLabelText(NodeHandle node) const {
    NodeData data;
    if (!tree_.Read(node, data)) return std::string();
    if (data.number >= node_number::kUserBase) return items_.PathOf(data.number);
    return data.label;
}

}  // namespace tellaro
