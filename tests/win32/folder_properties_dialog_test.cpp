// The folder properties dialog run modally in-process, driven by a script
// that runs inside its message loop.
#include "ui/dialogs/folder_properties_dialog.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/resource_text.h"
#include "res/resource.h"
#include "tests/win32/message_pump.h"
#include "ui/framework/application.h"

namespace tellaro {
namespace {

class ScriptedDialog : public FolderPropertiesDialog {
public:
    using FolderPropertiesDialog::FolderPropertiesDialog;
    std::vector<int> messages;  // string ids of the message boxes shown
    int answer = IDOK;
    DirectoryCheck check = nullptr;  // the real one when null

protected:
    int ShowMessage(HWND, int textId, int, UINT) override {
        messages.push_back(textId);
        return answer;
    }
    DirectoryCheck GetDirectoryCheck() const override {
        return check != nullptr ? check : FolderPropertiesDialog::GetDirectoryCheck();
    }
};

// Hands the chain to the dialog, as the settings window does, and runs the
// script once the dialog is set up (before the modal loop shows it, which
// takes a second or two under Wine).
class ScriptApplication : public Application {
public:
    ScriptedDialog* dialog = nullptr;
    std::function<void(HWND)> script;
    int OnDialogMessage(DialogMessage& record) override {
        dialog->OnMessage(record);
        if (record.message == WM_INITDIALOG) PostMessageA(record.window, WM_APP, 0, 0);
        if (record.message == WM_APP && script) {
            auto run = std::move(script);
            script = nullptr;
            run(record.window);
        }
        return 0;
    }
};

using test::Pump;
using test::PumpUntil;

std::string Text(HWND window) {
    char buffer[512] = {};
    GetWindowTextA(window, buffer, sizeof(buffer));
    return buffer;
}

void Press(HWND dialog, int id) {
    SendMessageA(dialog, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
}

struct Session {
    ScriptApplication app;
    ScriptedDialog dialog{nullptr};
    Session() { app.dialog = &dialog; }
    int Open(std::uint8_t mode, const char* path, const char* name,
             std::function<void(HWND)> script) {
        FolderItem record;
        record.kind = mode;
        record.path = path;
        record.name = name;
        app.script = std::move(script);
        return dialog.Open(record);
    }
};

std::string TempDirectory() {
    char base[MAX_PATH] = {};
    GetTempPathA(MAX_PATH, base);
    std::string dir = base;
    if (!dir.empty() && dir.back() == '\\') dir.pop_back();
    return dir;
}

TEST(FolderPropertiesDialog, EachModeShowsItsTitleFieldsAndTexts) {
    const struct {
        std::uint8_t mode;
        int title;
        bool pathEnabled;
        const char* path;
        const char* name;
    } modes[] = {{0, IDS_NEW_FOLDER_TITLE, true, "", ""},
                 {1, IDS_NEW_GROUP_TITLE, false, "", ""},
                 {2, IDS_FOLDER_PROPERTIES_TITLE, true, "C:\\Data", "Data"},
                 {3, IDS_GROUP_PROPERTIES_TITLE, false, "", "Data"}};
    for (const auto& m : modes) {
        Session run;
        EXPECT_EQ(
            run.Open(m.mode, "C:\\Data", "Data",
                     [&](HWND d) {
                         EXPECT_EQ(Text(d), LoadResourceString(m.title));
                         EXPECT_EQ(IsWindowEnabled(GetDlgItem(d, IDC_PROPERTIES_PATH)) != 0,
                                   m.pathEnabled);
                         EXPECT_EQ(IsWindowEnabled(GetDlgItem(d, IDC_PROPERTIES_BROWSE)) != 0,
                                   m.pathEnabled);
                         EXPECT_EQ(Text(GetDlgItem(d, IDC_PROPERTIES_PATH)), m.path);
                         EXPECT_EQ(Text(GetDlgItem(d, IDC_PROPERTIES_NAME)), m.name);
                         // The first field the mode asks for has the keyboard.
                         EXPECT_EQ(GetFocus(), GetDlgItem(d, m.pathEnabled ? IDC_PROPERTIES_PATH
                                                                           : IDC_PROPERTIES_NAME));
                         EXPECT_EQ(
                             SendDlgItemMessageA(d, IDC_PROPERTIES_NAME, EM_GETLIMITTEXT, 0, 0),
                             40);
                         Press(d, IDC_PROPERTIES_CANCEL);
                     }),
            -1)
            << int(m.mode);
    }
}

TEST(FolderPropertiesDialog, FolderModesNeedADirectoryGroupModesAName) {
    const std::string dir = TempDirectory();
    const std::string file = dir + "\\tellaro-properties-test.txt";
    CloseHandle(CreateFileA(file.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    Session folder;
    ASSERT_EQ(folder.Open(0, "", "",
                          [&](HWND d) {
                              SetDlgItemTextA(d, IDC_PROPERTIES_PATH, file.c_str());
                              Press(d, IDC_PROPERTIES_OK);  // a file is no folder
                              PumpUntil([&] { return !folder.dialog.messages.empty(); });
                              SetDlgItemTextA(d, IDC_PROPERTIES_PATH, dir.c_str());
                              Press(d, IDC_PROPERTIES_OK);
                          }),
              0);
    DeleteFileA(file.c_str());
    EXPECT_EQ(folder.dialog.messages, std::vector<int>{IDS_INVALID_FOLDER_PATH});
    EXPECT_EQ(folder.dialog.GetPath(), dir);
    EXPECT_EQ(folder.dialog.GetName(), "") << "a folder's name may stay empty";

    Session group;
    ASSERT_EQ(group.Open(1, "", "",
                         [&](HWND d) {
                             Press(d, IDC_PROPERTIES_OK);
                             SetDlgItemTextA(d, IDC_PROPERTIES_NAME, " ");
                             Press(d, IDC_PROPERTIES_OK);
                         }),
              0);
    EXPECT_EQ(group.dialog.messages, std::vector<int>{IDS_EMPTY_NAME});
    EXPECT_EQ(group.dialog.GetName(), " ");
}

// A share whose server does not answer: the check asks the dialog for its
// title (which it answers only if its thread is free), then hangs until
// released.
HWND g_checkedDialog = nullptr;
HANDLE g_releaseCheck = nullptr;
HANDLE g_checkEnded = nullptr;
LRESULT g_titleLengthWhileChecking = 0;

bool SilentShare(const std::string&) {
    // On the dialog's own thread the message would be a plain call.
    if (GetWindowThreadProcessId(g_checkedDialog, nullptr) == GetCurrentThreadId()) return true;
    DWORD_PTR length = 0;
    if (SendMessageTimeoutA(g_checkedDialog, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 2000, &length))
        g_titleLengthWhileChecking = static_cast<LRESULT>(length);
    WaitForSingleObject(g_releaseCheck, 30000);
    SetEvent(g_checkEnded);
    return true;
}

TEST(FolderPropertiesDialog, AServerThatDoesNotAnswerLeavesTheDialogAnsweringAndAsks) {
    g_releaseCheck = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    g_checkEnded = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    {
        Session run;
        run.dialog.check = &SilentShare;
        run.dialog.answer = IDYES;  // keep the path unchecked
        DWORD pressed = 0;
        ASSERT_EQ(run.Open(0, "", "",
                           [&](HWND d) {
                               g_checkedDialog = d;
                               SetDlgItemTextA(d, IDC_PROPERTIES_PATH, "\\\\silent\\share");
                               pressed = GetTickCount();
                               Press(d, IDC_PROPERTIES_OK);
                           }),
                  0);
        EXPECT_GE(GetTickCount() - pressed, kPathCheckPatienceMs - 100) << "asked too soon";
        EXPECT_EQ(run.dialog.messages, std::vector<int>{IDS_PATH_NOT_ANSWERING});
        EXPECT_EQ(run.dialog.GetPath(), "\\\\silent\\share");
        EXPECT_GT(g_titleLengthWhileChecking, 0) << "the dialog did not answer while it waited";
    }
    // The answer comes after the dialog and its object are gone.
    SetEvent(g_releaseCheck);
    EXPECT_EQ(WaitForSingleObject(g_checkEnded, 5000), WAIT_OBJECT_0);
    Sleep(100);
    Pump();
    CloseHandle(g_releaseCheck);
    CloseHandle(g_checkEnded);
}

TEST(FolderPropertiesDialog, EnterWalksPathNameOkAndEscapeOrCloseBoxCancel) {
    const std::string dir = TempDirectory();
    Session enter;
    ASSERT_EQ(enter.Open(2, dir.c_str(), "N",
                         [&](HWND d) {
                             HWND path = GetDlgItem(d, IDC_PROPERTIES_PATH);
                             EXPECT_EQ(GetFocus(), path);
                             SendMessageA(d, WM_COMMAND, IDOK, 0);
                             Pump();
                             EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_PROPERTIES_NAME));
                             SendMessageA(d, WM_COMMAND, IDOK, 0);
                             Pump();
                             EXPECT_EQ(GetFocus(), GetDlgItem(d, IDC_PROPERTIES_OK));
                             SendMessageA(d, WM_COMMAND, IDOK, 0);
                         }),
              0);
    EXPECT_EQ(enter.dialog.GetName(), "N");

    Session escape;
    EXPECT_EQ(escape.Open(0, "", "",
                          [](HWND d) {
                              SendMessageA(d, WM_COMMAND, IDCANCEL, 0);
                              Pump();
                          }),
              -1);
    Session close;
    EXPECT_EQ(close.Open(0, "", "",
                         [](HWND d) {
                             SendMessageA(d, WM_SYSCOMMAND, SC_CLOSE, 0);
                             Pump();
                         }),
              -1);
}

}  // namespace
}  // namespace tellaro
