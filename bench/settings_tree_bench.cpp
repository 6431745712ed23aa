// Times the settings window's tree work on the real tree-view control:
// building the tree from settings (LoadTree) and turning it back into
// settings (Collect, and CollectSettings, which rebuilds the tree after
// collecting), with 1000 and 5000 user nodes, nested groups included. Beside
// each figure it measures the floor in the same process on the same control:
// inserting the same nodes with TVM_INSERTITEMA, and walking them with
// TVM_GETNEXTITEM and TVM_GETITEMA. Beside LoadTree it prints what one step
// of undo costs (the tree rebuilt from the state kept before the step) and
// what every editing command adds to record its step (the state read after
// it and compared with the one before). First of all it prints the
// window's first showing beside a later one.
// Prints figures only.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>
// clang-format on

#include <algorithm>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "base/module_instance.h"
#include "base/resource_text.h"
#include "base/runtime_api.h"
#include "bench/timing.h"
#include "config/special_folder_table.h"
#include "config/special_folders_win.h"
#include "settings/edit_history.h"
#include "settings/settings_window.h"
#include "ui/framework/application.h"

namespace tellaro {
namespace {

using bench::MedianMs;
using bench::NowMs;

constexpr int kRepetitions = 7;

// The window's host, except that a cut list is counted instead of shown in
// a message box (5000 nodes collect to more than a list may hold).
class BenchHost : public SettingsTreeHost {
public:
    std::string Text(int id) override { return LoadResourceString(id); }
    bool HasSecondSpecialRoot() override { return true; }
    bool IsSpecialFolderAvailable(std::size_t i) override {
        return tellaro::IsSpecialFolderAvailable(SpecialFolderTable::Entry(i).csidl);
    }
    void ReportTooManyItems() override { ++cuts; }
    int cuts = 0;
};

FolderItem Record(FolderItemKind kind, int depth, const std::string& name) {
    FolderItem item;
    item.kind = static_cast<std::uint8_t>(kind);
    item.depth = static_cast<std::uint8_t>(depth);
    item.name = name;
    if (kind == FolderItemKind::Folder) item.path = "C:\\Users\\Public\\" + name;
    return item;
}

// Groups of folders with a nested group and a separator, repeated.
FolderSettings SettingsWith(std::size_t count) {
    FolderSettings s;
    SpecialFolderTable::InitialOrder(s, [](int) { return true; });
    std::size_t i = 0;
    auto add = [&](FolderItemKind kind, int depth) {
        s.items.Append(Record(kind, depth, "Entry " + std::to_string(i++)));
    };
    while (s.items.Size() + 12 <= count) {
        add(FolderItemKind::Group, 0);
        for (int k = 0; k < 5; ++k) add(FolderItemKind::Folder, 1);
        add(FolderItemKind::Group, 1);
        for (int k = 0; k < 3; ++k) add(FolderItemKind::Folder, 2);
        add(FolderItemKind::Separator, 1);
        add(FolderItemKind::Folder, 1);
    }
    while (s.items.Size() < count) add(FolderItemKind::Folder, 0);
    return s;
}

struct FlatNode {
    int parent;  // index into the list, -1 for the top level
    std::string label;
    int image;
    LPARAM number;
};

// One TVM_GETITEM of label, image and number, as the window reads a node.
FlatNode ReadNode(HWND tree, HTREEITEM item, int parent) {
    char text[1024];
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_PARAM;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = sizeof(text);
    text[0] = '\0';
    SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return FlatNode{parent, text, tv.iImage, tv.lParam};
}

// The tree as built, in pre-order, so that the floor inserts the same nodes.
void Flatten(HWND tree, HTREEITEM item, int parent, std::vector<FlatNode>& out) {
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        out.push_back(ReadNode(tree, item, parent));
        Flatten(tree, TreeView_GetChild(tree, item), static_cast<int>(out.size()) - 1, out);
    }
}

void InsertFloor(HWND tree, const std::vector<FlatNode>& nodes) {
    SendMessageA(tree, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(TVI_ROOT));
    std::vector<HTREEITEM> made(nodes.size());
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        TVINSERTSTRUCTA in = {};
        in.hParent = nodes[i].parent < 0 ? TVI_ROOT : made[nodes[i].parent];
        in.hInsertAfter = TVI_LAST;
        in.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_PARAM;
        in.item.pszText = const_cast<char*>(nodes[i].label.c_str());
        in.item.iImage = in.item.iSelectedImage = nodes[i].image;
        in.item.lParam = nodes[i].number;
        made[i] = reinterpret_cast<HTREEITEM>(
            SendMessageA(tree, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&in)));
    }
}

std::size_t WalkFloor(HWND tree, HTREEITEM item) {
    std::size_t sum = 0;
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
        sum += static_cast<std::size_t>(ReadNode(tree, item, -1).number) + 1;
        sum += WalkFloor(tree, TreeView_GetChild(tree, item));
    }
    return sum;
}

void Row(const char* what, double ms, double floorMs) {
    std::printf("  %-36s %9.3f ms   floor %9.3f ms   ratio %5.2f\n", what, ms, floorMs,
                ms / floorMs);
}

struct Figures {
    double load, loadFloor, collect, collectFloor, full, fullFloor, undo, record;
};

Figures Measure(TreeViewControl& control, std::size_t count) {
    HWND tree = control.GetControlHandle();
    TreeViewNodeTree nodes;
    nodes.SetControl(&control);
    BenchHost host;
    SettingsTree logic(nodes, host);
    const FolderSettings settings = SettingsWith(count);
    logic.LoadTree(settings, false);
    std::vector<FlatNode> flat;
    Flatten(tree, TreeView_GetRoot(tree), -1, flat);
    volatile std::size_t sink = 0;
    Figures f{};
    f.load = MedianMs(kRepetitions, [&] { logic.LoadTree(settings, false); });
    // The floor expands the root too: the user sees it expanded.
    f.loadFloor = MedianMs(kRepetitions, [&] {
        InsertFloor(tree, flat);
        TreeView_Expand(tree, TreeView_GetRoot(tree), TVE_EXPAND);
    });
    logic.LoadTree(settings, false);
    // One step that renames the first user node, undone each time after
    // being made again; recording reads the state after a command.
    EditHistory history;
    TreeSnapshot before = history.Begin(logic);
    logic.Tree().SetLabel(logic.Tree().NextSibling(logic.SpecialRoot(node_number::kSpecialRoot2)),
                          "Renamed");
    history.Record(std::move(before), logic);
    f.undo = MedianMs(
        kRepetitions, [&] { history.Undo(logic); }, [&] { history.Redo(logic); });
    f.record = MedianMs(kRepetitions, [&] { history.Record(history.Begin(logic), logic); });
    FolderSettings out;
    f.collect = MedianMs(kRepetitions, [&] { logic.Collect(out); });
    f.collectFloor =
        MedianMs(kRepetitions, [&] { sink = sink + WalkFloor(tree, TreeView_GetRoot(tree)); });
    // CollectSettings rebuilds the tree from what it collected (at 5000
    // nodes, from the first 1000 records): its floor walks the whole tree
    // and inserts what the rebuild inserts.
    logic.CollectSettings(out);
    std::vector<FlatNode> rebuilt;
    Flatten(tree, TreeView_GetRoot(tree), -1, rebuilt);
    auto reload = [&] { logic.LoadTree(settings, false); };
    f.full = MedianMs(
        kRepetitions, [&] { logic.CollectSettings(out); }, reload);
    f.fullFloor = MedianMs(
        kRepetitions,
        [&] {
            sink = sink + WalkFloor(tree, TreeView_GetRoot(tree));
            InsertFloor(tree, rebuilt);
            TreeView_Expand(tree, TreeView_GetRoot(tree), TVE_EXPAND);
        },
        [&] {
            InsertFloor(tree, flat);
            TreeView_Expand(tree, TreeView_GetRoot(tree), TVE_EXPAND);
        });
    std::printf("%zu user nodes (%zu nodes in all)%s:\n", count, flat.size(),
                host.cuts ? ", collected list cut to 1000 records" : "");
    Row("LoadTree", f.load, f.loadFloor);
    std::printf("  %-36s %9.3f ms   LoadTree %6.3f ms   ratio %5.2f\n", "Undo one step", f.undo,
                f.load, f.undo / f.load);
    std::printf("  %-36s %9.3f ms   LoadTree %6.3f ms   ratio %5.2f\n",
                "Record a step (state read after)", f.record, f.load, f.record / f.load);
    Row("Collect (walk into records)", f.collect, f.collectFloor);
    Row("CollectSettings (collect + rebuild)", f.full, f.fullFloor);
    return f;
}

// This process's dialog messages go to the window, as in the program.
class ChainApplication : public Application {
public:
    SettingsWindow* window = nullptr;
    int OnDialogMessage(DialogMessage& record) override {
        if (window != nullptr) window->OnMessage(record);
        return 0;
    }
};

void Pump() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
}

// Shown and painted, as the settings command shows it.
double ShowingMs(SettingsWindow& window, const FolderItemList& items) {
    const double start = NowMs();
    window.ShowWithItems(true, items);
    UpdateWindow(window.GetHandle());
    return NowMs() - start;
}

// The first showing after start-up (the tree built when first needed, the
// shell asked for the first time) beside a later one (hidden and rebuilt
// as Cancel leaves it, the shell's answers in).
void MeasureShowing(SettingsWindow& window, const FolderSettings& settings) {
    window.LoadTreeWhenNeeded(&settings);
    const double first = ShowingMs(window, settings.items);
    const double shown = NowMs();
    while (!window.ShellAnswersTaken() && NowMs() - shown < 60000) {
        Pump();
        Sleep(1);
    }
    const double answers = NowMs() - shown;
    auto hide = [&] {
        window.Show(0);
        window.LoadTree(settings, true);
        Pump();
    };
    const double later = MedianMs(
        kRepetitions, [&] { ShowingMs(window, settings.items); }, hide);
    hide();
    std::printf("  %-36s %9.3f ms   later %9.3f ms   ratio %5.2f\n", "First showing of the window",
                first, later, first / later);
    std::printf("  %-36s %9.3f ms after the first showing\n", "Shell's answers all taken in",
                answers);
}

int Run() {
    ChainApplication app;
    SettingsWindow window;
    app.window = &window;
    if (window.Open() != 0 || window.InitWindow() != 0) {
        std::printf("cannot create the settings window\n");
        return 1;
    }
    std::printf("Median of %d runs each.\n", kRepetitions);
    MeasureShowing(window, SettingsWith(100));
    std::printf("\nHidden window:\n");
    const Figures small = Measure(*window.TreeControl(), 1000);
    const Figures large = Measure(*window.TreeControl(), 5000);
    std::printf(
        "Growth from 1000 to 5000 nodes: LoadTree x%.2f (floor x%.2f), "
        "Collect x%.2f (floor x%.2f), CollectSettings x%.2f (floor x%.2f)\n",
        large.load / small.load, large.loadFloor / small.loadFloor, large.collect / small.collect,
        large.collectFloor / small.collectFloor, large.full / small.full,
        large.fullFloor / small.fullFloor);
    return 0;
}

}  // namespace
}  // namespace tellaro

int main() {
    tellaro::SetModuleInstance(GetModuleHandleA(nullptr));
    tellaro::runtime_api::InitCommonControlsOnce();
    CoInitialize(nullptr);
    const int result = tellaro::Run();
    CoUninitialize();
    return result;
}
