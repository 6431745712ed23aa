#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "config/legacy_import.h"

namespace tellaro {
namespace {

// An INI held in memory, answering like the platform's profile functions:
// integers are parsed from the text and a missing key gives the default.
class FakeIni : public LegacyIniReader {
public:
    std::map<std::string, std::string> values;  // keys of section "Setting"
    std::vector<std::string> keysRead;

    void Set(const std::string& key, const std::string& value) { values[key] = value; }
    void Set(const std::string& key, long long value) { values[key] = std::to_string(value); }

    int ReadInt(const char* section, const char* key, int defaultValue) override {
        keysRead.push_back(key);
        auto it = Find(section, key);
        return it == values.end() ? defaultValue : static_cast<int>(std::atoll(it->second.c_str()));
    }
    std::string ReadString(const char* section, const char* key,
                           const char* defaultValue) override {
        keysRead.push_back(key);
        auto it = Find(section, key);
        return it == values.end() ? defaultValue : it->second;
    }

private:
    std::map<std::string, std::string>::iterator Find(const char* section, const char* key) {
        return std::strcmp(section, "Setting") == 0 ? values.find(key) : values.end();
    }
};

class FakeSystem : public LegacyImportResolver {
public:
    std::map<std::size_t, std::string> specialPaths;  // table entry → path
    std::set<std::string> directories;

    std::optional<std::string> SpecialFolderPath(std::size_t entryIndex) override {
        auto it = specialPaths.find(entryIndex);
        if (it == specialPaths.end()) return std::nullopt;
        return it->second;
    }
    bool DirectoryExists(const std::string& path) override { return directories.count(path) > 0; }
    std::string DisplayName(int stringId) override { return "name" + std::to_string(stringId); }
};

struct Imported {
    std::uint8_t kind;
    std::string path;
    std::string name;
    bool operator==(const Imported& o) const {
        return kind == o.kind && path == o.path && name == o.name;
    }
};

std::ostream& operator<<(std::ostream& os, const Imported& i) {
    return os << "{" << int(i.kind) << ", " << i.path << ", " << i.name << "}";
}

constexpr std::uint8_t kFolder = 0;
constexpr std::uint8_t kSeparator = 2;

class LegacyImportTest : public ::testing::Test {
protected:
    FakeIni ini;
    FakeSystem system;
    OptionsRecord options;
    FolderSettings settings;

    void SetUp() override {
        options.hotkeyMenu = 2;
        options.secondLaunchPopup = 1;
        options.secondLaunchNearTray = 0;
        options.secondLaunchMenu = 0;
        options.secondLaunchWaitMs = 321;
        for (std::size_t k = 0; k < kSpecialFolderCount1; ++k)
            settings.specialFolderOrder1[k] = static_cast<std::uint8_t>(29 - k);
        for (std::size_t k = 0; k < kSpecialFolderCount2; ++k)
            settings.specialFolderOrder2[k] = kNotShown;
        FolderItem old;
        old.path = "C:\\old";
        old.name = "old";
        settings.items.Append(old);
    }

    int Import() { return ImportLegacySettings(ini, system, options, settings); }

    std::vector<Imported> Items() const {
        std::vector<Imported> out;
        for (const FolderItem& item : settings.items) {
            EXPECT_EQ(item.depth, 0) << "imported lists are flat";
            out.push_back({item.kind, item.path, item.name});
        }
        return out;
    }

    void AddEntry(int i, const std::string& path, const std::string& name, bool exists = true) {
        char key[32];
        std::snprintf(key, sizeof key, "FolderName%02d", i);
        ini.Set(key, path);
        std::snprintf(key, sizeof key, "ShowName%02d", i);
        ini.Set(key, name);
        if (exists) system.directories.insert(path);
    }
};

TEST_F(LegacyImportTest, VersionBelow100ChangesNothing) {
    const OptionsRecord before = options;
    for (long long version : {-1LL, 0LL, 99LL}) {
        ini.Set("Version", version);
        ini.Set("LClick", 2);
        ini.Set("SpFolder", 1);
        system.specialPaths[0] = "C:\\Desktop";
        ini.Set("ArrayCount", 1);
        AddEntry(0, "C:\\A", "A");
        EXPECT_EQ(Import(), -1) << version;
        EXPECT_TRUE(options == before);
        EXPECT_EQ(Items(), (std::vector<Imported>{{kFolder, "C:\\old", "old"}}));
    }
    ini.values.erase("Version");
    EXPECT_EQ(Import(), -1);  // a missing version counts as -1
    EXPECT_EQ(settings.items.Size(), 1u);

    ini.Set("Version", 100);
    EXPECT_EQ(Import(), 0);
    EXPECT_EQ(settings.items.Size(), 3u);  // desktop, separator, A
}

TEST_F(LegacyImportTest, NumberedEntriesWhoseFolderIsGoneAreSkipped) {
    ini.Set("Version", 100);
    ini.Set("ArrayCount", 3);
    AddEntry(0, "C:\\Zero", "zero");
    AddEntry(1, "C:\\Gone", "gone", /*exists=*/false);
    AddEntry(2, "D:\\\x83\x5c\x83\x74\x83\x67", "\x83\x5c\x83\x74\x83\x67");  // ソフト
    EXPECT_EQ(Import(), 0);
    EXPECT_EQ(Items(), (std::vector<Imported>{
                           {kFolder, "C:\\Zero", "zero"},
                           {kFolder, "D:\\\x83\x5c\x83\x74\x83\x67", "\x83\x5c\x83\x74\x83\x67"},
                       }));
}

TEST_F(LegacyImportTest, MissingKeysAndTheMarkerValueSkipAnEntry) {
    ini.Set("Version", 120);
    ini.Set("ArrayCount", 5);
    AddEntry(0, "C:\\NoName", legacy_ini::kMissingMarker);  // written out, still "absent"
    ini.Set("FolderName01", "C:\\OnlyPath");                // no ShowName01
    system.directories.insert("C:\\OnlyPath");
    ini.Set("ShowName02", "no path");                       // no FolderName02
    system.directories.insert(legacy_ini::kMissingMarker);  // the marker is never a path
    AddEntry(3, "", "empty path", /*exists=*/false);
    AddEntry(4, "C:\\Kept", "");
    EXPECT_EQ(Import(), 0);
    EXPECT_EQ(Items(), (std::vector<Imported>{{kFolder, "C:\\Kept", ""}}));
}

TEST_F(LegacyImportTest, ArrayCountAbove100TriesEachOfTheFirst100Once) {
    ini.Set("Version", 100);
    ini.Set("ArrayCount", 150);
    AddEntry(99, "C:\\Last", "last");
    AddEntry(100, "C:\\Beyond", "beyond");
    EXPECT_EQ(Import(), 0);
    EXPECT_EQ(Items(), (std::vector<Imported>{{kFolder, "C:\\Last", "last"}}));

    std::multiset<std::string> tried;
    for (const std::string& key : ini.keysRead)
        if (key.rfind("FolderName", 0) == 0) tried.insert(key);
    EXPECT_EQ(tried.size(), 100u);
    EXPECT_EQ(std::set<std::string>(tried.begin(), tried.end()).size(), 100u);
    EXPECT_EQ(tried.count("FolderName00"), 1u);
    EXPECT_EQ(tried.count("FolderName99"), 1u);
}

TEST_F(LegacyImportTest, NegativeArrayCountImportsNoEntries) {
    ini.Set("Version", 100);
    ini.Set("ArrayCount", -5);
    AddEntry(0, "C:\\A", "A");
    EXPECT_EQ(Import(), 0);
    EXPECT_TRUE(Items().empty());
}

TEST_F(LegacyImportTest, SpecialFolderMasksAddFoldersThenOneSeparatorEach) {
    ini.Set("Version", 100);
    ini.Set("SpFolder", 1);
    system.specialPaths[0] = "C:\\Users\\u\\Desktop";
    EXPECT_EQ(Import(), 0);
    EXPECT_EQ(Items(), (std::vector<Imported>{{kFolder, "C:\\Users\\u\\Desktop", "name21"},
                                              {kSeparator, "", ""}}));

    // Bits in table order; entries without a path are passed over; the
    // second mask uses entries 30 + j and their names 51 + j; the numbered
    // entries come last.
    ini.Set("SpFolder", (1 << 29) | (1 << 3) | (1 << 5));
    ini.Set("SpFolder2", (1 << 14) | 1);
    system.specialPaths = {
        {5, "C:\\Docs"}, {29, "C:\\History"}, {30, "C:\\Local"}, {44, "C:\\Admin"}};
    ini.Set("ArrayCount", 1);
    AddEntry(0, "C:\\Mine", "mine");
    EXPECT_EQ(Import(), 0);
    EXPECT_EQ(Items(), (std::vector<Imported>{
                           {kFolder, "C:\\Docs", "name26"},
                           {kFolder, "C:\\History", "name50"},
                           {kSeparator, "", ""},
                           {kFolder, "C:\\Local", "name51"},
                           {kFolder, "C:\\Admin", "name65"},
                           {kSeparator, "", ""},
                           {kFolder, "C:\\Mine", "mine"},
                       }));
}

TEST_F(LegacyImportTest, MaskWithoutResolvableFoldersStillAddsItsSeparator) {
    ini.Set("Version", 100);
    ini.Set("SpFolder", 1 << 1);                  // Internet: no file-system path
    ini.Set("SpFolder2", (1 << 20) | (1 << 30));  // bits past the 15 entries
    EXPECT_EQ(Import(), 0);
    EXPECT_EQ(Items(), (std::vector<Imported>{{kSeparator, "", ""}, {kSeparator, "", ""}}));

    ini.Set("SpFolder", -1);  // all 32 bits: only the 30 entries count
    ini.Set("SpFolder2", 0);
    for (std::size_t k = 0; k < 45; ++k) system.specialPaths[k] = "P" + std::to_string(k);
    EXPECT_EQ(Import(), 0);
    ASSERT_EQ(settings.items.Size(), 31u);
    EXPECT_EQ(settings.items.At(29).path, "P29");
    EXPECT_EQ(settings.items.At(30).kind, kSeparator);
}

TEST_F(LegacyImportTest, ClickOptionsAreImportedAndTheOldCommandsOnlyValueMoves) {
    ini.Set("Version", 100);
    ini.Set("LClick", 2);
    ini.Set("RClick", 0x102);  // low byte 2
    ini.Set("LDClick", 3);
    ini.Set("RDClick", 2);
    ini.Set("ShortCutKey", 0x30641);
    ini.Set("ShortCheck", 0);
    EXPECT_EQ(Import(), 0);
    EXPECT_EQ(options.leftClickMenu, 3);
    EXPECT_EQ(options.rightClickMenu, 3);
    EXPECT_EQ(options.leftDoubleClickAction, 3);
    EXPECT_EQ(options.rightDoubleClickAction, 2);  // only the click menus move
    EXPECT_EQ(options.hotkey, 0x0641);
    EXPECT_EQ(options.hotkeyNearTray, 0);

    ini.values = {{"Version", "100"}};  // every option key missing
    options.leftClickMenu = 9;
    EXPECT_EQ(Import(), 0);
    OptionsRecord expected;
    expected.hotkeyMenu = 2;
    expected.secondLaunchPopup = 1;
    expected.secondLaunchNearTray = 0;
    expected.secondLaunchMenu = 0;
    expected.secondLaunchWaitMs = 321;
    EXPECT_TRUE(options == expected);
}

TEST_F(LegacyImportTest, OrderArraysAndExtensionOptionsAreLeftAlone) {
    ini.Set("Version", 100);
    ini.Set("SpFolder", 0x3FFFFFFF);
    ini.Set("SpFolder2", 0x7FFF);
    EXPECT_EQ(Import(), 0);
    for (std::size_t k = 0; k < kSpecialFolderCount1; ++k)
        EXPECT_EQ(settings.specialFolderOrder1[k], 29 - k);
    for (std::size_t k = 0; k < kSpecialFolderCount2; ++k)
        EXPECT_EQ(settings.specialFolderOrder2[k], kNotShown);
    EXPECT_EQ(options.hotkeyMenu, 2);
    EXPECT_EQ(options.secondLaunchPopup, 1);
    EXPECT_EQ(options.secondLaunchNearTray, 0);
    EXPECT_EQ(options.secondLaunchMenu, 0);
    EXPECT_EQ(options.secondLaunchWaitMs, 321);
}

}  // namespace
}  // namespace tellaro
