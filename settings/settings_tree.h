// The settings window's tree logic, written once against NodeTree: turning
// settings into nodes (LoadTree), nodes back into settings (CollectSettings),
// and the working copy that holds each user node's path. The window runs it
// over its tree-view control; the tests and the fuzzer over a MemoryNodeTree.
// Portable: no Windows headers.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "base/path_text.h"
#include "config/folder_model.h"
#include "settings/node_tree.h"

namespace tellaro {

// A node's number says what it is; every decision of the window is taken
// from it (and, for user nodes, from the image).
namespace node_number {
constexpr std::int32_t kMenuRoot = 0;
constexpr std::int32_t kSpecialRoot1 = 1;
constexpr std::int32_t kSpecialRoot2 = 2;
constexpr std::int32_t kSpecial1Base = 10;  // 10 + entry of the first part
constexpr std::int32_t kSpecial2Base = 50;  // 50 + entry of the second part
constexpr std::int32_t kUserBase = 100;     // 100 + position in the working copy
}  // namespace node_number

namespace node_image {
constexpr int kMenuRoot = 0;
constexpr int kGroup = 1;  // also the special-folder roots
constexpr int kFolder = 2;
constexpr int kSeparator = 3;
constexpr int kSpecial1Base = 4;
constexpr int kSpecial2Base = 34;
constexpr int kCount = kSpecial2Base + 15;
}  // namespace node_image

enum class NodeKind {
    None,  // no node, or a number nothing uses
    MenuRoot,
    SpecialRoot,
    SpecialFolder,
    UserGroup,
    UserFolder,
    UserSeparator,
};

// User nodes are told apart by their image: records appended while editing
// carry no reliable kind.
NodeKind ClassifyNode(std::int32_t number, int image);
NodeKind ClassifyNode(const NodeTree& tree, NodeHandle node);

// What the tree logic needs from the window around it.
class SettingsTreeHost {
public:
    virtual ~SettingsTreeHost() = default;
    // A text of the string table (the labels of the fixed nodes).
    virtual std::string Text(int stringId) = 0;
    // The second special-folder root exists only on NT 5 and later.
    virtual bool HasSecondSpecialRoot() = 0;
    // The shell knows entry `tableIndex` (0..44) of the special folder table.
    virtual bool IsSpecialFolderAvailable(std::size_t tableIndex) = 0;
    // Every entry's availability is answered already, so that asking does
    // not wait for the shell.
    virtual bool SpecialFoldersKnown() { return true; }
    // The collected tree held more records than a list may; it was cut.
    virtual void ReportTooManyItems() = 0;
};

// The window's copy of the item list while it is shown: the record at
// position p belongs to the node numbered 100 + p. It only grows while the
// window is shown; records of deleted nodes simply stay unreferenced.
class WorkingCopy {
public:
    // Copies every record, numbering it and giving it the path the tree
    // expects: a group's name, "-" for a separator, a folder's own path.
    void Fill(const FolderItemList& list);
    void Clear() { items_.Clear(); }
    // The list exactly as given, numbers and paths included: a copy taken
    // earlier from this working copy.
    void Assign(const FolderItemList& list) { items_.Assign(list); }
    std::size_t Size() const { return items_.Size(); }
    const FolderItemList& List() const { return items_; }

    // The one way in: a number that names no record (the window is hidden,
    // a special node, a stale number) gives empty text.
    const std::string& PathOf(std::int32_t number) const;
    // The record's whole name, which the node's label may show cut.
    const std::string& NameOf(std::int32_t number) const;
    // 0, or -1 when the number names no record.
    int SetPath(std::int32_t number, const std::string& path);
    int SetName(std::int32_t number, const std::string& name);
    // Appends a record and returns the number of the node it belongs to.
    std::int32_t Append(FolderItem record);
    std::int32_t NextNumber() const;

private:
    bool Contains(std::int32_t number) const;
    FolderItemList items_;
};

class SettingsTree {
public:
    // `isLeadByte` reads the code page of the names the labels show.
    SettingsTree(NodeTree& tree, SettingsTreeHost& host, LeadByteTest isLeadByte = IsCp932LeadByte)
        : tree_(tree), host_(host), isLeadByte_(isLeadByte) {}

    // Rebuilds every node from `settings`; with discardItems the working
    // copy is emptied afterwards. 0, or -1 when nodes could not be built
    // (the tree then holds what was built so far).
    int LoadTree(const FolderSettings& settings, bool discardItems);
    // Turns the tree into settings in canonical form, then rebuilds the tree
    // from them so that it shows exactly what was collected. Returns 0.
    int CollectSettings(FolderSettings& out);
    // The collecting half alone.
    void Collect(FolderSettings& out);

    // A tree built while the host cannot yet say which special folders
    // exist leaves them out; this puts them in, asking for each that is
    // still unanswered. Collect does it first. 0, or -1 when nodes could
    // not be built.
    int FillDeferredSpecialFolders();
    bool SpecialFoldersDeferred() const { return deferred_; }

    int FillSpecialFolders1(const std::uint8_t* order);
    int FillSpecialFolders2(const std::uint8_t* order);
    int BuildUserTree();
    // One level of user nodes under `parent`, with the levels it holds.
    int BuildLevel(NodeHandle parent, const std::vector<ShownEntry>& level);
    void CollectLevel(NodeHandle first, int depth, FolderSettings& out);

    // The host's answers, kept for the tree's life.
    const std::string& FixedText(int stringId);
    bool IsSpecialFolderAvailable(std::size_t tableIndex);

    // The menu root and the special roots (kNoNode when absent).
    NodeHandle MenuRoot() const { return tree_.Root(); }
    NodeHandle SpecialRoot(std::int32_t number) const;
    // The text of the path label for `node`: the record's path for a user
    // node, else the node's label.
    std::string PathLabelText(NodeHandle node) const;

    // The label a user node of `image` shows for a record's name and path:
    // the menus' text of it.
    std::string LabelFor(int image, const std::string& name, const std::string& path) const;
    // The name a user node stands for, which OK saves and copies take: the
    // record's whole name while the label is the shown form of it, else the
    // label itself.
    std::string FullName(const NodeData& data) const;
    std::string FullName(NodeHandle node) const;

    WorkingCopy& Items() { return items_; }
    const WorkingCopy& Items() const { return items_; }
    NodeTree& Tree() { return tree_; }
    const NodeTree& Tree() const { return tree_; }
    SettingsTreeHost& Host() { return host_; }

private:
    int FillUnderRoot(NodeHandle root, const FolderSettings& settings, bool discardItems);
    int FillSpecialFolders(std::int32_t rootNumber, const std::uint8_t* order, std::size_t count,
                           std::size_t tableOffset, int firstImage, std::int32_t firstNumber);
    void CollectOrder(std::int32_t rootNumber, std::int32_t firstNumber, std::uint8_t* order,
                      std::size_t count) const;
    NodeHandle InsertRecord(NodeHandle parent, const ShownEntry& entry);
    bool AvailabilityAnswered(const FolderSettings& settings) const;

    NodeTree& tree_;
    SettingsTreeHost& host_;
    LeadByteTest isLeadByte_;
    WorkingCopy items_;
    std::vector<std::pair<int, std::string>> texts_;
    std::array<std::int8_t, kSpecialFolderCount1 + kSpecialFolderCount2> available_ = MakeUnknown();
    bool deferred_ = false;
    std::uint8_t deferredOrder1_[kSpecialFolderCount1] = {};
    std::uint8_t deferredOrder2_[kSpecialFolderCount2] = {};

    static std::array<std::int8_t, kSpecialFolderCount1 + kSpecialFolderCount2> MakeUnknown() {
        std::array<std::int8_t, kSpecialFolderCount1 + kSpecialFolderCount2> a;
        a.fill(-1);
        return a;
    }
};

}  // namespace tellaro
