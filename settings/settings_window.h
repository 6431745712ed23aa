// The settings window: the program's main, normally hidden window. Its handle
// owns the tray icon, the hotkey and the popup menus, and a second instance
// finds the running one by its caption. It shows the whole menu as a tree
// and hands the edited tree back as settings; the tree logic itself lives in
// SettingsTree, which this window runs over its tree-view control.
#pragma once

#include <windows.h>
// The common controls' and shell's declarations build on windows.h.
#include <commctrl.h>
#include <shellapi.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "config/folder_model.h"
#include "config/system_info.h"
#include "settings/edit_history.h"
#include "settings/item_names.h"
#include "settings/settings_frame_rules.h"
#include "settings/settings_tree.h"
#include "settings/special_folder_fetch.h"
#include "settings/tree_editor.h"
#include "settings/tree_view_node_tree.h"
#include "ui/controls/dialog_control.h"
#include "ui/controls/image_list.h"
#include "ui/controls/tree_view_control.h"
#include "ui/dialogs/folder_properties_dialog.h"
#include "ui/framework/dialog.h"

namespace tellaro {

class SettingsWindow : public Dialog, private SettingsTreeHost, private TreeEditHost {
public:
    SettingsWindow();
    ~SettingsWindow() override;

    // Creates the hidden modeless window; -1 on failure.
    virtual int Open();
    // Releases controls and menus, hides and destroys the window.
    virtual int Close();
    virtual int OnMessage(DialogMessage& record);
    // Rebuilds every node from `settings`; with discardItems the working
    // copy is emptied (the window is hidden and idle).
    virtual int LoadTree(const FolderSettings& settings, bool discardItems);
    // LoadTree(*settings, true) when the tree is first needed (the window
    // shown, or its settings collected) rather than now; any LoadTree in
    // between replaces it. The settings are read then, not copied now: they
    // must live until then, as the controller's live settings do.
    virtual void LoadTreeWhenNeeded(const FolderSettings* settings);
    // The reload command: the tree and the working copy from `settings`
    // again, as one step the user can undo.
    virtual int ReloadTree(const FolderSettings& settings);
    // Shows or hides the window and refills the working copy; the tree was
    // built from the same list.
    virtual void ShowWithItems(bool show, const FolderItemList& items);
    // The tree as a complete new record; the tree is rebuilt from it. A
    // list that had to be cut is reported by ReportCollectedCut, which the
    // controller calls once it has taken the record over.
    virtual int CollectSettings(FolderSettings& out);
    void ReportCollectedCut();
    // The tree as it stands, as settings, leaving the tree alone.
    void PeekSettings(FolderSettings& out);
    // Controls, image lists, layout and context menus; -1 on failure.
    virtual int InitWindow();
    virtual void OnCommand(DialogMessage& record);
    virtual void OnNotify(DialogMessage& record);

    // Editing commands of the menus and the drop menu; each acts on the
    // selected node, or on the node dragged and the one it was dropped on.
    virtual void NewFolder(bool inGroup);
    virtual void NewGroup(bool inGroup);
    virtual void NewSeparator(bool inGroup);
    virtual void DeleteSelected();
    virtual void EditProperties();
    virtual void SortChildren();
    virtual void DeleteAllChildren();
    virtual void RestoreInitialState();
    virtual void RestoreChildren();
    virtual void CopyIntoGroup();
    virtual void MoveIntoGroup();
    virtual void CopyBelowTarget();
    virtual void MoveBelowTarget();
    virtual void CancelDrop();
    // Take back the last step of this edit, or make it again. Ignored while
    // another command waits in a dialog: it holds nodes a rebuild would free.
    virtual void Undo();
    virtual void Redo();
    bool CanUndo() const { return history_.CanUndo(); }
    bool CanRedo() const { return history_.CanRedo(); }
    // A transfer of the drag's source; a move also ends its part in the drag.
    virtual int MoveItem(NodeHandle source, NodeHandle target, bool below);
    virtual int TransferItem(NodeHandle source, NodeHandle target, bool below, bool copy);
    // Files dropped from the shell become folders in drop order; the drop
    // handle is always released. -1 when memory ran out on the way.
    virtual int OnDropFiles(HDROP drop);
    virtual void OnExitMenuLoop();

    virtual void OnSizing(DialogMessage& record);
    virtual void OnSize(DialogMessage& record);
    virtual void OnInitMenuPopup(DialogMessage& record);
    // Mouse while a node is dragged.
    virtual void OnMouseMove(DialogMessage& record);
    virtual void OnButtonDown();
    virtual void OnLButtonUp();
    virtual void OnRButtonUp();
    virtual void OnBeginDrag(const NMTREEVIEWA& notification);
    virtual void OnSelChanged(const NMTREEVIEWA& notification);
    virtual void RequestContextMenu(bool atItem);
    virtual void OpenSelected();
    virtual void OnTreeKeyDown(WORD virtualKey);
    virtual void OnOpenNode(LPARAM number);
    virtual void OnDropMenu();
    virtual void ShowContextMenu(bool atItem);
    virtual int CreateControls();

    // Opens at the mouse pointer, inside the visible desktop.
    BOOL Show(int flag) override;

    // While shown the user edits; hidden, there is no working copy, and
    // keys, context menus and editing commands are ignored.
    bool IsEditing() const { return IsVisibleNow(); }
    bool IsDragging() const { return dragging_; }
    SettingsTree& Tree() { return logic_; }
    TreeViewControl* TreeControl() const { return tree_.get(); }
    int TreeImageCount() const { return treeImages_ ? treeImages_->GetImageCount() : -1; }
    HIMAGELIST TreeImages() const { return treeImages_ ? treeImages_->GetHandle() : nullptr; }
    // The shell has answered for every special folder, and the window has
    // taken in the answers.
    bool ShellAnswersTaken() const;

private:
    std::string Text(int stringId) override;
    bool HasSecondSpecialRoot() override;
    bool IsSpecialFolderAvailable(std::size_t tableIndex) override;
    bool SpecialFoldersKnown() override;
    void ReportTooManyItems() override;
    bool SpecialFolderDirectory(std::size_t tableIndex, std::string& path) override;
    void ReportDropOnDescendant() override;
    void ReportTooDeep() override;

protected:
    // Every message box of the editing commands; tests answer them.
    virtual int ShowMessage(HWND owner, const std::string& text, int captionId, UINT flags);
    // An error naming paths the code page may not hold: string `textId`
    // with `names` (UTF-16) put in.
    virtual int ShowNamesMessage(int textId, const std::wstring& names);
    // What the shell is asked about the special folders; tests answer.
    virtual SpecialFolderFetch::Ask ShellAsk() const { return AskShellAbout; }

private:
    // Everything done while one lives is one step of the history, recorded
    // when it changed the tree or the working copy. Nested ones belong to the
    // outermost: a command posted while another's dialog is open joins it.
    class EditStep {
    public:
        explicit EditStep(SettingsWindow& window);
        ~EditStep();
        EditStep(const EditStep&) = delete;
        EditStep& operator=(const EditStep&) = delete;

    private:
        SettingsWindow& window_;
        TreeSnapshot before_;
        std::uint32_t edit_ = 0;
        bool recording_ = false;
    };

    // The edit ends (OK, Cancel, the window opened afresh): its steps go.
    void EndEdit();
    void StepInHistory(bool back);

    // False, after telling the user, when a new item would nest deeper than
    // the menus can show.
    bool NewItemFits(FolderItemKind kind, bool inGroup);
    // Runs a properties dialog in `mode`; true after OK, with its texts.
    bool RunPropertiesDialog(const FolderItem& mode, std::string& path, std::string& name);
    // Asks "delete ...?" with string `textId` filled with `label`.
    bool ConfirmDelete(int textId, const std::string& label);
    // Ends a drag in progress: the capture, the drag image and the
    // highlight go; the source and target stay for a drop command.
    void EndDrag(int cursorCount);
    // Ends a drag and forgets its nodes: before anything deletes nodes.
    void CancelDrag();
    // The drag image of `item` (whose tree image is `image`) in dragImage_.
    bool MakeDragImage(HTREEITEM item, int image);
    void DropCommand(bool below, bool copy);
    bool IsNodeOfTree(NodeHandle node) const;
    // The folders of `plan` that were not added, named in one message.
    void ReportRefusals(const DropPlan& plan);
    NodeHandle DropHighlight() const;

    void BuildPendingTree();
    bool IsOwnTreeNotify(const DialogMessage& record) const;
    static bool IsDeactivation(const DialogMessage& record);
    int MeasureLayout();
    int CreateTreeImages();
    int CreateDragCursors();
    // Asks the shell about the special folders on a thread of its own; its
    // answers come as MSG_SPECIAL_FOLDER_FACTS.
    void StartShellFetch();
    void OnSpecialFolderFacts();
    // Whether special node `number` has a file-system directory to copy.
    bool SpecialFolderHasDirectory(std::int32_t number);
    void DestroyMenus();
    HMENU MenuFor(int menuId) const;
    void ApplyStates(HMENU menu, const std::vector<ItemState>& states) const;
    bool ContextMenuPoint(bool atItem, NodeHandle& node, POINT& point) const;

    std::unique_ptr<DialogControl> pathLabel_;
    std::unique_ptr<TreeViewControl> tree_;
    std::unique_ptr<DialogControl> okButton_;
    std::unique_ptr<DialogControl> cancelButton_;
    std::unique_ptr<DialogControl> helpButton_;
    std::unique_ptr<ImageList> treeImages_;
    std::unique_ptr<ImageList> dragImage_;
    std::unique_ptr<ImageList> dragCursors_;
    std::unique_ptr<SystemInfo> systemInfo_;
    TreeViewNodeTree nodes_;
    SettingsTree logic_;
    TreeEditor editor_;
    EditHistory history_;
    int stepDepth_ = 0;
    // Counts the edits the window has seen, so that a step still open when
    // its edit ends is not recorded into the next one.
    std::uint32_t edit_ = 0;
    std::unique_ptr<FolderPropertiesDialog> propertiesDialog_;
    const FolderSettings* pendingTree_ = nullptr;
    HMENU rootMenu_ = nullptr;
    HMENU specialRootMenu_ = nullptr;
    HMENU groupMenu_ = nullptr;
    HMENU folderMenu_ = nullptr;
    HMENU dropMenu_ = nullptr;
    bool dragging_ = false;
    bool dropMenuOpen_ = false;
    bool cutPending_ = false;
    NodeHandle dragSource_ = kNoNode;
    NodeHandle dropTarget_ = kNoNode;
    // Special folders a transfer could not add, for one message after it.
    std::vector<DroppedPath> refusedSpecialFolders_;
    bool dragSourceHasDirectory_ = false;
    std::unique_ptr<SpecialFolderFetch> fetch_;
    FrameLayout layout_;
    bool haveLayout_ = false;
};

}  // namespace tellaro
