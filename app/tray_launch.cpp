// Handing what the user chose to the shell: user folders, special folders,
// desktop entries, web and mail links, and the help file.
#include <memory>
#include <new>
#include <string>

#include "app/launch_rules.h"
#include "app/tray_app.h"
#include "base/fill_text.h"
#include "base/modal_loop.h"
#include "base/resource_text.h"
#include "config/special_folder_table.h"
#include "menu/popup_menus.h"
#include "res/resource.h"
#include "shell/launch_thread.h"
#include "shell/shell_launcher.h"

namespace tellaro {

void TrayApp::OpenUserItem(std::uint16_t id) {
    const std::size_t i = static_cast<std::size_t>(id - CMD_USER_ITEM_BASE);
    const FolderItemList& items = folderSettings_.items;
    if (id < CMD_USER_ITEM_BASE || i >= items.Size()) return;
    const FolderItem& item = items.At(i);
    if (item.kind >= static_cast<std::uint8_t>(FolderItemKind::Placeholder)) return;
    shell::OpenUserFolder(item.path.c_str());
}

namespace {

// A special folder gone since the menu was built never reaches the shell,
// which would have said so: we do. The Internet folder has said it already
// when no browser is registered.
void OpenSpecialFolderOrSay(const SpecialFolderEntry& entry) {
    if (shell::OpenSpecialFolder(entry.csidl) == 0 || entry.csidl == CSIDL_INTERNET) return;
    try {
        shell::ReportLaunchFailure(LoadResourceString(entry.stringId).c_str(),
                                   ERROR_PATH_NOT_FOUND);
    } catch (const std::bad_alloc&) {
        shell::ReportLaunchFailure(nullptr, ERROR_PATH_NOT_FOUND);
    }
}

}  // namespace

void TrayApp::OpenSpecialFolder1(std::uint16_t id) {
    const std::size_t k = static_cast<std::size_t>(id - CMD_SPECIAL1_BASE);
    if (id < CMD_SPECIAL1_BASE || k >= SpecialFolderTable::EntryCount1) return;
    OpenSpecialFolderOrSay(SpecialFolderTable::Entry1(k));
}

void TrayApp::OpenSpecialFolder2(std::uint16_t id) {
    const std::size_t k = static_cast<std::size_t>(id - CMD_SPECIAL2_BASE);
    if (id < CMD_SPECIAL2_BASE || k >= SpecialFolderTable::EntryCount2) return;
    OpenSpecialFolderOrSay(SpecialFolderTable::Entry2(k));
}

void TrayApp::OpenDesktopEntry(std::uint16_t id) {
    if (!menus_ || id < CMD_DESKTOP_BASE) return;
    menus_->OpenDesktopEntry(static_cast<std::size_t>(id - CMD_DESKTOP_BASE));
}

void TrayApp::OnOpenSpecialFolderMessage(LPARAM node) {
    const std::uint16_t id = SpecialFolderCommandForNode(static_cast<std::intptr_t>(node));
    if (id >= CMD_SPECIAL2_BASE)
        OpenSpecialFolder2(id);
    else if (id >= CMD_SPECIAL1_BASE)
        OpenSpecialFolder1(id);
}

// The failure stays queued while its box is up, so that the same failure
// meanwhile joins it instead of stacking a second box; a notification that
// arrives through the box's own message loop finds this loop already
// running and leaves the newcomers to it.
void TrayApp::OnLaunchFailed() {
    if (reportingLaunchFailures_) return;
    reportingLaunchFailures_ = true;
    try {
        shell::LaunchFailure failure;
        while (shell::FirstLaunchFailure(failure)) {
            std::string text = FillText(LoadResourceString(IDS_OPEN_FAILED), failure.target);
            const std::string reason =
                FillSystemInserts(SystemErrorText(failure.error), failure.target);
            if (!reason.empty()) text += "\n\n" + reason;
            ModalMessageBox(nullptr, text, LoadResourceString(IDS_PROGRAM_ERROR_CAPTION),
                            MB_OK | MB_ICONERROR);
            shell::DropFirstLaunchFailure();
        }
    } catch (const std::bad_alloc&) {
        // Not shown for want of memory: dropped, or it would come back forever.
        shell::DropFirstLaunchFailure();
    }
    reportingLaunchFailures_ = false;
}

int TrayApp::OpenInBrowser(const char* url) {
    return shell::OpenInBrowser(url);
}

void TrayApp::OnLinkClicked(WPARAM which) {
    switch (LinkTargetFromParam(static_cast<std::uintptr_t>(which))) {
        case LinkTarget::Mail:
            shell::OpenMailLink(LoadResourceString(IDS_MAIL_ADDRESS).c_str());
            break;
        case LinkTarget::HomePage:
            OpenInBrowser(LoadResourceString(IDS_HOMEPAGE_URL).c_str());
            break;
        case LinkTarget::None:
            break;
    }
}

namespace {

// A help command that finds no help, or nothing to show it with, says so:
// the user would otherwise see nothing happen at all.
void ShowHelpOrSayWhy(HWND owner, UINT command, std::uint32_t context) {
    try {
        std::string guidePage;
        const shell::HelpResult result =
            shell::ShowHelp(owner, LoadResourceString(IDS_HELP_FILE).c_str(), command, context,
                            GuideTopic(context), guidePage);
        if (result == shell::HelpResult::Shown) return;
        const int textId =
            result == shell::HelpResult::Missing ? IDS_HELP_MISSING : IDS_HELP_NO_VIEWER;
        ModalMessageBox(owner, FillText(LoadResourceString(textId), guidePage),
                        LoadResourceString(IDS_PROGRAM_ERROR_CAPTION), MB_OK | MB_ICONERROR);
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace

void TrayApp::ShowHelpContents() {
    ShowHelpOrSayWhy(MainWindow(), HELP_FINDER, 0);
}

void TrayApp::ShowSettingsHelp() {
    ShowHelpOrSayWhy(MainWindow(), HELP_CONTEXT, kHelpContextSettings);
}

void TrayApp::ShowOptionsHelp() {
    ShowHelpOrSayWhy(MainWindow(), HELP_CONTEXT, kHelpContextOptions);
}

void TrayApp::ShowPropertiesHelp(HWND dialog) {
    ShowHelpOrSayWhy(dialog, HELP_CONTEXT, kHelpContextProperties);
}

}  // namespace tellaro
