// Undo and redo in the settings window: the steps the editing commands make
// and the rebuild of the tree when the user goes back or forth. The states
// and the history are EditHistory's.
#include <new>

#include "settings/settings_window.h"

namespace tellaro {

SettingsWindow::EditStep::EditStep(SettingsWindow& window) : window_(window), edit_(window.edit_) {
    // Every state kept holds the special folders: one taken before the
    // shell had said which exist would lose them when taken back.
    window_.logic_.FillDeferredSpecialFolders();
    // A hidden window has no edit to take back.
    if (window_.stepDepth_++ > 0 || !window_.IsEditing()) return;
    try {
        before_ = window_.history_.Begin(window_.logic_);
        recording_ = true;
    } catch (const std::bad_alloc&) {
        // This change cannot be taken back, and undoing earlier steps would
        // silently skip it: they go too.
        window_.history_.Clear();
    }
}

SettingsWindow::EditStep::~EditStep() {
    --window_.stepDepth_;
    if (!recording_ || window_.edit_ != edit_ || !window_.IsEditing()) return;
    window_.logic_.FillDeferredSpecialFolders();
    try {
        window_.history_.Record(std::move(before_), window_.logic_);
    } catch (const std::bad_alloc&) {
        window_.history_.Clear();
    }
}

void SettingsWindow::EndEdit() {
    history_.Clear();
    ++edit_;
}

int SettingsWindow::ReloadTree(const FolderSettings& settings) {
    EditStep step(*this);
    return LoadTree(settings, false);
}

void SettingsWindow::Undo() {
    StepInHistory(true);
}

void SettingsWindow::Redo() {
    StepInHistory(false);
}

void SettingsWindow::StepInHistory(bool back) {
    if (!IsEditing() || stepDepth_ > 0) return;
    if (back ? !history_.CanUndo() : !history_.CanRedo()) return;
    // Every node a drag holds is about to go.
    CancelDrag();
    if (tree_) tree_->SetRedraw(FALSE);
    int result = -1;
    try {
        result = back ? history_.Undo(logic_) : history_.Redo(logic_);
    } catch (const std::bad_alloc&) {
    }
    if (tree_) {
        tree_->SetRedraw(TRUE);
        tree_->Invalidate();
    }
    // A state only partly rebuilt is one the other steps were not made from.
    if (result != 0) history_.Clear();
    // As after LoadTree: the tree view takes no arrow keys without one.
    if (nodes_.Selection() == kNoNode) nodes_.Select(logic_.MenuRoot());
}

}  // namespace tellaro
