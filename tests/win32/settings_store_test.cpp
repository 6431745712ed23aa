// The item file on a real file system: first start, saving and loading,
// damaged files, failed saves, the settings folder and the legacy import.
#include "config/settings_store.h"

#include <windows.h>
// The shell's declarations build on windows.h.
#include <gtest/gtest.h>
#include <shlobj.h>

#include <cstring>
#include <string>
#include <utility>
#include <vector>

#include "base/system_code_page.h"
#include "config/item_codec.h"
#include "config/kept_saves.h"
#include "config/system_info.h"
#include "res/resource.h"
#include "tests/common/model_builders.h"
#include "tests/win32/config_test_support.h"

namespace tellaro {
namespace {

using config_test::IsFolder;
using config_test::PathExists;
using config_test::ReadBytes;
using config_test::ScratchFolder;
using config_test::Wide;
using config_test::WriteBytes;
using config_test::WriteText;
using Bytes = std::vector<std::uint8_t>;

class RecordingNotifier : public StorageNotifier {
public:
    std::vector<std::pair<int, int>> shown;
    std::vector<std::wstring> names;
    void ShowError(int textId, int captionId) override { shown.emplace_back(textId, captionId); }
    void ShowNamedError(int textId, int captionId, const std::wstring& name) override {
        ShowError(textId, captionId);
        names.push_back(name);
    }
};

using Shown = std::vector<std::pair<int, int>>;

FolderSettings SomeTree() {
    FolderSettings s = TableOrderSettings();
    s.specialFolderOrder1[0] = kNotShown;
    s.specialFolderOrder2[2] = 0;
    s.items.Append(Item(FolderItemKind::Group, 0, "", "\x95\x5c\x8e\xa6"));  // 表示
    s.items.Append(Item(FolderItemKind::Folder, 1, "C:\\\x83\x5c\x83\x74\x83\x67", "soft"));
    s.items.Append(Item(FolderItemKind::Separator, 0, "", ""));
    s.items.Append(Item(FolderItemKind::Folder, 0, "D:\\Data", "Data"));
    return s;
}

OptionsRecord SomeOptions() {
    OptionsRecord o;
    o.leftClickMenu = 2;
    o.hotkey = 0x0641;
    o.secondLaunchPopup = 1;
    o.secondLaunchWaitMs = 450;
    return o;
}

class SettingsStoreTest : public testing::Test {
protected:
    ScratchFolder scratch_{"store"};
    SystemInfo system_;
    RecordingNotifier notifier_;

    std::string Folder() const { return scratch_ / "settings"; }
    std::string ItemFile() const { return Folder() + "\\Tellaro.tlr"; }
    SettingsStore Store() { return SettingsStore(system_, notifier_, Wide(Folder())); }

    // Saves `settings` through a store of its own and forgets the messages.
    void SaveFile(const OptionsRecord& o, const FolderSettings& s) {
        ASSERT_EQ(Store().SaveItemFile(o, s), 0);
        notifier_.shown.clear();
    }
};

TEST_F(SettingsStoreTest, FirstStartWritesTheDefaultFileAndReportsFirstRun) {
    ASSERT_FALSE(PathExists(Folder()));
    OptionsRecord options;
    FolderSettings settings = TableOrderSettings();
    SettingsStore store = Store();
    EXPECT_EQ(store.LoadItemFile(options, settings), 1);
    EXPECT_TRUE(IsFolder(Folder()));

    const Bytes file = ReadBytes(ItemFile());
    ASSERT_EQ(file.size(), 88u);
    EXPECT_EQ(file, EncodeItemFile(OptionsRecord{}, TableOrderSettings()));
    EXPECT_EQ(Bytes(file.end() - 4, file.end()), (Bytes{0xfd, 0xb2, 0x6e, 0xbd}));
    EXPECT_TRUE(notifier_.shown.empty());
    EXPECT_TRUE(options == OptionsRecord{});
    EXPECT_FALSE(PathExists(ItemFile() + ".tmp"));

    // The next start finds the file and reads it.
    OptionsRecord again = SomeOptions();
    FolderSettings againSettings = SomeTree();
    EXPECT_EQ(Store().LoadItemFile(again, againSettings), 0);
    EXPECT_TRUE(again == OptionsRecord{});
    EXPECT_TRUE(againSettings == TableOrderSettings());
}

// The costly defaults are worked out only when no file supplies settings,
// and before a first start writes them.
TEST_F(SettingsStoreTest, DefaultsAreCompletedOnlyWithoutAReadableFile) {
    int filled = 0;
    const SettingsStore::DefaultsFiller fill = [&](FolderSettings& s) {
        ++filled;
        s = TableOrderSettings();
    };
    OptionsRecord options;
    FolderSettings settings;
    EXPECT_EQ(Store().LoadItemFile(options, settings, fill), 1);
    EXPECT_EQ(filled, 1);
    EXPECT_EQ(ReadBytes(ItemFile()), EncodeItemFile(OptionsRecord{}, TableOrderSettings()));

    SaveFile(SomeOptions(), SomeTree());
    EXPECT_EQ(Store().LoadItemFile(options, settings, fill), 0);
    EXPECT_EQ(filled, 1);
    EXPECT_TRUE(settings == SomeTree());

    Bytes damaged = ReadBytes(ItemFile());
    damaged[90] ^= 0x20;
    WriteBytes(ItemFile(), damaged);
    FolderSettings untouched;
    EXPECT_EQ(Store().LoadItemFile(options, untouched, fill), 0);
    EXPECT_EQ(filled, 2);
    EXPECT_TRUE(untouched == TableOrderSettings());
}

TEST_F(SettingsStoreTest, SavedSettingsLoadBackEqual) {
    SettingsStore store = Store();
    ASSERT_EQ(store.SaveItemFile(SomeOptions(), SomeTree()), 0);
    EXPECT_EQ(ReadBytes(ItemFile()), EncodeItemFile(SomeOptions(), SomeTree()));
    EXPECT_FALSE(PathExists(ItemFile() + ".tmp"));

    // A second save replaces the first whole, even when it is shorter.
    ASSERT_EQ(store.SaveItemFile(OptionsRecord{}, TableOrderSettings()), 0);
    EXPECT_EQ(ReadBytes(ItemFile()).size(), 88u);
    ASSERT_EQ(store.SaveItemFile(SomeOptions(), SomeTree()), 0);

    OptionsRecord options;
    FolderSettings settings;
    EXPECT_EQ(Store().LoadItemFile(options, settings), 0);
    EXPECT_TRUE(options == SomeOptions());
    EXPECT_TRUE(settings == SomeTree());
    EXPECT_TRUE(notifier_.shown.empty());

    // Each file replaced was kept, newest first: the second save's.
    const std::vector<KeptSave> kept = ListKeptSaves(WidenFromSystem(ItemFile()));
    ASSERT_EQ(kept.size(), 2u);
    EXPECT_EQ(ReadBytes(ToSystemAnsi(kept[0].path).value_or("")).size(), 88u);
    EXPECT_EQ(ReadBytes(ToSystemAnsi(kept[1].path).value_or("")),
              EncodeItemFile(SomeOptions(), SomeTree()));
}

// A kept save is a courtesy: where it cannot be written, the save itself
// still replaces the file, and nothing is said.
TEST_F(SettingsStoreTest, AKeptSaveThatCannotBeWrittenLeavesTheSaveWhole) {
    SaveFile(OptionsRecord{}, TableOrderSettings());
    WriteText(Folder() + "\\backup", "a file where the folder would be");
    ASSERT_EQ(Store().SaveItemFile(SomeOptions(), SomeTree()), 0);
    EXPECT_EQ(ReadBytes(ItemFile()), EncodeItemFile(SomeOptions(), SomeTree()));
    EXPECT_TRUE(notifier_.shown.empty());
    EXPECT_TRUE(ListKeptSaves(WidenFromSystem(ItemFile())).empty());
}

TEST_F(SettingsStoreTest, DamagedFileIsReportedOnceSetAsideAndLeavesTheSettings) {
    SaveFile(SomeOptions(), SomeTree());
    Bytes damaged = ReadBytes(ItemFile());
    damaged[90] ^= 0x20;
    ASSERT_TRUE(WriteBytes(ItemFile(), damaged));

    OptionsRecord options = SomeOptions();
    options.hotkey = 0x0242;
    FolderSettings settings = TableOrderSettings();
    const OptionsRecord optionsBefore = options;
    EXPECT_EQ(Store().LoadItemFile(options, settings), 0);
    EXPECT_EQ(notifier_.shown, (Shown{{IDS_LOAD_CORRUPT, IDS_LOAD_CORRUPT_CAPTION}}));
    EXPECT_TRUE(options == optionsBefore);
    EXPECT_TRUE(settings == TableOrderSettings());
    EXPECT_EQ(ReadBytes(ItemFile() + ".bad"), damaged);
    EXPECT_EQ(ReadBytes(ItemFile()), damaged);  // reading never rewrites it

    // The next save replaces the damaged file; the copy stays until another
    // damaged file takes its place.
    SaveFile(options, settings);
    EXPECT_EQ(ReadBytes(ItemFile() + ".bad"), damaged);
    Bytes cut = ReadBytes(ItemFile());
    cut.resize(40);
    ASSERT_TRUE(WriteBytes(ItemFile(), cut));
    EXPECT_EQ(Store().LoadItemFile(options, settings), 0);
    EXPECT_EQ(ReadBytes(ItemFile() + ".bad"), cut);
    EXPECT_EQ(notifier_.shown.size(), 1u);
}

TEST_F(SettingsStoreTest, FilesTooShortToHoldTheirSizeAreDamagedNotUnreadable) {
    ASSERT_TRUE(IsFolder(Folder()) || CreateDirectoryA(Folder().c_str(), nullptr));
    for (const Bytes& content : {Bytes{}, Bytes{0x58, 0}}) {
        ASSERT_TRUE(WriteBytes(ItemFile(), content));
        notifier_.shown.clear();
        OptionsRecord options;
        FolderSettings settings = SomeTree();
        EXPECT_EQ(Store().LoadItemFile(options, settings), 0) << content.size();
        EXPECT_EQ(notifier_.shown, (Shown{{IDS_LOAD_CORRUPT, IDS_LOAD_CORRUPT_CAPTION}}));
        EXPECT_TRUE(settings == SomeTree());
    }
}

TEST_F(SettingsStoreTest, MoreThan1000RecordsAreCutWithOneMessage) {
    FolderSettings big = TableOrderSettings();
    for (int i = 0; i < 1001; ++i)
        big.items.Append(Item(FolderItemKind::Folder, 0, "C:\\f" + std::to_string(i), "f"));
    SaveFile(SomeOptions(), big);

    OptionsRecord options;
    FolderSettings settings;
    EXPECT_EQ(Store().LoadItemFile(options, settings), 0);
    EXPECT_EQ(notifier_.shown, (Shown{{IDS_LOAD_TOO_MANY, IDS_TOO_MANY_CAPTION}}));
    ASSERT_EQ(settings.items.Size(), 1000u);
    EXPECT_EQ(settings.items.At(999).path, "C:\\f999");
    EXPECT_TRUE(options == SomeOptions());
    EXPECT_FALSE(PathExists(ItemFile() + ".bad"));
}

class FailedSaveTest : public SettingsStoreTest {
protected:
    void ExpectFailedSaveKeeps(const Bytes& before) {
        EXPECT_EQ(Store().SaveItemFile(SomeOptions(), SomeTree()), -1);
        EXPECT_EQ(notifier_.shown, (Shown{{IDS_SAVE_FAILED, IDS_SAVE_FAILED_CAPTION}}));
        EXPECT_EQ(ReadBytes(ItemFile()), before);
    }
};

TEST_F(FailedSaveTest, ItemFileHeldOpenElsewhereStaysAsItWas) {
    SaveFile(OptionsRecord{}, TableOrderSettings());
    const Bytes before = ReadBytes(ItemFile());
    // The temporary file can be written, but it can't take the old one's place.
    HANDLE held = CreateFileA(ItemFile().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    ExpectFailedSaveKeeps(before);
    CloseHandle(held);
    EXPECT_FALSE(PathExists(ItemFile() + ".tmp"));
    EXPECT_EQ(ReadBytes(ItemFile()), before);
}

TEST_F(FailedSaveTest, BlockedTemporaryFileLeavesTheOldFile) {
    SaveFile(OptionsRecord{}, TableOrderSettings());
    const Bytes before = ReadBytes(ItemFile());
    ASSERT_TRUE(CreateDirectoryA((ItemFile() + ".tmp").c_str(), nullptr));
    ExpectFailedSaveKeeps(before);
    EXPECT_TRUE(IsFolder(ItemFile() + ".tmp"));  // not ours to remove
}

TEST_F(FailedSaveTest, ItemFilePathTakenByAFolder) {
    ASSERT_TRUE(CreateDirectoryA(Folder().c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(ItemFile().c_str(), nullptr));
    EXPECT_EQ(Store().SaveItemFile(SomeOptions(), SomeTree()), -1);
    // No earlier file to speak of.
    EXPECT_EQ(notifier_.shown, (Shown{{IDS_SAVE_FAILED_NO_FILE, IDS_SAVE_FAILED_CAPTION}}));
    EXPECT_TRUE(IsFolder(ItemFile()));
    EXPECT_FALSE(PathExists(ItemFile() + ".tmp"));

    // Loading can't open a folder as the file: -1 and nothing shown.
    notifier_.shown.clear();
    OptionsRecord options;
    FolderSettings settings = SomeTree();
    EXPECT_EQ(Store().LoadItemFile(options, settings), -1);
    EXPECT_TRUE(notifier_.shown.empty());
    EXPECT_TRUE(settings == SomeTree());
}

// Said at start, naming the folder; the save then claims no earlier file.
TEST_F(FailedSaveTest, SettingsFolderThatCannotBeMade) {
    ASSERT_TRUE(WriteText(scratch_ / "file", "x"));
    for (const std::string& folder : {scratch_ / "file", scratch_ / "file\\settings"}) {
        notifier_ = RecordingNotifier();
        SettingsStore store(system_, notifier_, Wide(folder));
        OptionsRecord options;
        FolderSettings settings = SomeTree();
        EXPECT_EQ(store.LoadItemFile(options, settings), -1);
        EXPECT_EQ(notifier_.shown,
                  (Shown{{IDS_SETTINGS_FOLDER_UNUSABLE, IDS_LOAD_CORRUPT_CAPTION}}));
        EXPECT_EQ(notifier_.names, std::vector<std::wstring>{Wide(folder)});
        EXPECT_TRUE(settings == SomeTree());
        EXPECT_EQ(store.SaveItemFile(options, settings), -1);
        EXPECT_EQ(notifier_.shown.back(),
                  std::make_pair(IDS_SAVE_FAILED_NO_FILE, IDS_SAVE_FAILED_CAPTION));
        EXPECT_EQ(notifier_.shown.size(), 2u);
    }
}

TEST(SettingsFolder, CreateDirectoryTreeMakesMissingParents) {
    ScratchFolder scratch("tree");
    const std::string deep = scratch / "a\\b\\c";
    EXPECT_EQ(SettingsStore::CreateDirectoryTree(Wide(deep)), 0);
    EXPECT_TRUE(IsFolder(deep));
    EXPECT_EQ(SettingsStore::CreateDirectoryTree(Wide(deep)), 0);  // already there

    ASSERT_TRUE(WriteText(scratch / "plain", "x"));
    EXPECT_EQ(SettingsStore::CreateDirectoryTree(Wide(scratch / "plain")), 0);  // a file counts
    EXPECT_EQ(SettingsStore::CreateDirectoryTree(Wide(scratch / "plain\\below")), -1);
    EXPECT_EQ(SettingsStore::CreateDirectoryTree(L""), -1);
    EXPECT_EQ(SettingsStore::CreateDirectoryTree(L"no-backslash-here"), -1);
}

TEST(SettingsFolder, ItemFilePathIsComputedOnceAndCreatesTheFolder) {
    ScratchFolder scratch("path");
    SystemInfo system;
    RecordingNotifier notifier;
    SettingsStore store(system, notifier, Wide(scratch / "x\\y"));
    std::wstring path;
    EXPECT_EQ(store.ItemFilePath(path), 0);
    EXPECT_EQ(path, Wide(scratch / "x\\y\\Tellaro.tlr"));
    EXPECT_TRUE(IsFolder(scratch / "x\\y"));

    config_test::RemoveTree(scratch / "x");
    std::wstring again;
    EXPECT_EQ(store.ItemFilePath(again), 0);
    EXPECT_EQ(again, path);
    EXPECT_FALSE(PathExists(scratch / "x"));  // remembered, not recomputed
}

TEST(SettingsFolder, PerUserFolderIsBelowLocalApplicationData) {
    SystemInfo system;
    ASSERT_TRUE(system.IsNT());
    ASSERT_GE(system.MajorVersion(), 5u);
    char base[MAX_PATH] = {};
    ASSERT_EQ(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, base), S_OK);
    RecordingNotifier notifier;
    SettingsStore store(system, notifier);
    std::wstring path;
    EXPECT_EQ(store.ItemFilePath(path), 0);
    const std::string folder = std::string(base) + "\\Morvane\\Tellaro";
    EXPECT_EQ(path, Wide(folder + "\\Tellaro.tlr"));
    EXPECT_TRUE(IsFolder(folder));
}

// A profile named "José" on a system of code page 932: the folder, the file,
// its temporary file and the older INI are all found under the real name,
// never under the look-alike "Jose".
TEST(SettingsFolder, ProfileOutsideTheCodePageLoadsAndSaves) {
    ScratchFolder scratch("profile");
    const std::wstring profile = Wide(scratch.Path()) + L"\\Jos\u00E9";
    const std::wstring local = profile + L"\\AppData\\Local";
    const std::wstring folder = local + L"\\Morvane\\Tellaro";
    ASSERT_EQ(SettingsStore::CreateDirectoryTree(folder), 0);
    const std::string ini = "[Setting]\r\nVersion=100\r\nLClick=2\r\n";
    HANDLE file = CreateFileW((folder + L"\\Tellaro.ini").c_str(), GENERIC_WRITE, 0, nullptr,
                              CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    WriteFile(file, ini.data(), static_cast<DWORD>(ini.size()), &written, nullptr);
    CloseHandle(file);

    config_test::ShellFolderRedirect moved(L"Local AppData", local);
    ASSERT_TRUE(moved.Active());
    SystemInfo system;
    RecordingNotifier notifier;
    OptionsRecord options;
    FolderSettings settings = TableOrderSettings();
    {
        SettingsStore store(system, notifier);
        std::wstring path;
        store.ItemFilePath(path);
        EXPECT_EQ(path, folder + L"\\Tellaro.tlr");
        EXPECT_EQ(store.LoadItemFile(options, settings), 0);  // first start, INI imported
        EXPECT_EQ(options.leftClickMenu, 3);
        EXPECT_EQ(store.SaveItemFile(SomeOptions(), SomeTree()), 0);
    }
    OptionsRecord loaded;
    FolderSettings loadedSettings;
    EXPECT_EQ(SettingsStore(system, notifier).LoadItemFile(loaded, loadedSettings), 0);
    EXPECT_TRUE(loaded == SomeOptions());
    EXPECT_TRUE(loadedSettings == SomeTree());
    EXPECT_TRUE(notifier.shown.empty());
    EXPECT_EQ(GetFileAttributesW((folder + L"\\Tellaro.tlr.tmp").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_FALSE(PathExists(scratch / "Jose"));
}

class LegacyIniTest : public SettingsStoreTest {
protected:
    void SetUp() override { ASSERT_TRUE(CreateDirectoryA(Folder().c_str(), nullptr)); }
    void WriteIni(const std::string& text) {
        ASSERT_TRUE(WriteText(Folder() + "\\Tellaro.ini", text));
    }
};

TEST_F(LegacyIniTest, FirstStartImportsTheIniAndKeepsTheDefaultFile) {
    const std::string kept = scratch_ / "kept";
    const std::string alsoKept = scratch_ / "\x83\x5c\x83\x74\x83\x67";  // ソフト
    ASSERT_TRUE(CreateDirectoryA(kept.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(alsoKept.c_str(), nullptr));
    WriteIni(
        "[Setting]\r\nVersion=100\r\nSpFolder=1\r\nLClick=2\r\nRClick=0\r\n"
        "ShortCutKey=1601\r\nArrayCount=3\r\n"
        "FolderName00=" +
        kept +
        "\r\nShowName00=Kept\r\n"
        "FolderName01=" +
        (scratch_ / "gone") +
        "\r\nShowName01=Gone\r\n"
        "FolderName02=" +
        alsoKept + "\r\nShowName02=\x83\x5c\x83\x74\x83\x67\r\n");
    char desktop[MAX_PATH] = {};
    ASSERT_TRUE(SHGetSpecialFolderPathA(nullptr, desktop, CSIDL_DESKTOP, FALSE));

    OptionsRecord options;
    options.secondLaunchWaitMs = 333;
    FolderSettings settings = TableOrderSettings();
    EXPECT_EQ(Store().LoadItemFile(options, settings), 0);
    EXPECT_TRUE(notifier_.shown.empty());

    ASSERT_EQ(settings.items.Size(), 4u);
    EXPECT_EQ(settings.items.At(0).path, desktop);
    EXPECT_EQ(settings.items.At(0).name, config_test::Ansi(L"デスクトップ"));
    EXPECT_EQ(settings.items.At(1).Kind(), FolderItemKind::Separator);
    EXPECT_EQ(settings.items.At(2).path, kept);
    EXPECT_EQ(settings.items.At(2).name, "Kept");
    EXPECT_EQ(settings.items.At(3).path, alsoKept);
    EXPECT_EQ(options.leftClickMenu, 3);
    EXPECT_EQ(options.rightClickMenu, 0);
    EXPECT_EQ(options.hotkey, 1601);
    EXPECT_EQ(options.secondLaunchWaitMs, 333);
    FolderSettings orderOnly = settings;
    orderOnly.items.Clear();
    EXPECT_TRUE(orderOnly == TableOrderSettings());  // the import leaves the order arrays

    // The file written before the import still holds the settings from
    // before it; the import lives in memory until the next save.
    OptionsRecord before;
    before.secondLaunchWaitMs = 333;
    EXPECT_EQ(ReadBytes(ItemFile()), EncodeItemFile(before, TableOrderSettings()));
}

TEST_F(LegacyIniTest, TooOldIniIsIgnored) {
    WriteIni(
        "[Setting]\r\nVersion=99\r\nLClick=2\r\nArrayCount=1\r\n"
        "FolderName00=" +
        Folder() + "\r\nShowName00=x\r\n");
    OptionsRecord options;
    FolderSettings settings = TableOrderSettings();
    EXPECT_EQ(Store().LoadItemFile(options, settings), 1);
    EXPECT_TRUE(options == OptionsRecord{});
    EXPECT_EQ(settings.items.Size(), 0u);
    EXPECT_EQ(Store().ImportLegacyIni(options, settings), -1);
}

TEST_F(LegacyIniTest, IniIsReadOnlyWhenThereIsNoItemFile) {
    SaveFile(SomeOptions(), SomeTree());
    WriteIni("[Setting]\r\nVersion=100\r\nLClick=2\r\n");
    OptionsRecord options;
    FolderSettings settings;
    EXPECT_EQ(Store().LoadItemFile(options, settings), 0);
    EXPECT_TRUE(options == SomeOptions());
    EXPECT_TRUE(settings == SomeTree());
}

}  // namespace
}  // namespace tellaro
