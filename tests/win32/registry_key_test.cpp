// RegistryKey against a scratch key below HKEY_CURRENT_USER.
#include "config/registry_key.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace tellaro {
namespace {

constexpr const char* kScratchKey = "Software\\TellaroTests\\RegistryKey";
constexpr const char* kOtherKey = "Software\\TellaroTests\\Other";

void SetString(HKEY key, const char* name, const std::string& value) {
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>(value.size() + 1));
}

class RegistryKeyTest : public testing::Test {
protected:
    std::string longValue_ = std::string(5000, 'L') + "end";

    void SetUp() override {
        HKEY key = nullptr;
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kScratchKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        SetString(key, "", "default text");
        SetString(key, "name", "first");
        SetString(key, "long", longValue_);
        const DWORD number = 0x12345678;
        RegSetValueExA(key, "dword", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                       sizeof number);
        const DWORD zero = 0;
        RegSetValueExA(key, "zero", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&zero),
                       sizeof zero);
        const BYTE shortData[2] = {0x34, 0x12};
        RegSetValueExA(key, "short", 0, REG_BINARY, shortData, sizeof shortData);
        // Text stored without its terminating zero must still come back as text.
        RegSetValueExA(key, "unterminated", 0, REG_SZ, reinterpret_cast<const BYTE*>("abc"), 3);
        RegCloseKey(key);
        ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, kOtherKey, 0, nullptr, 0, KEY_WRITE, nullptr,
                                  &key, nullptr),
                  ERROR_SUCCESS);
        SetString(key, "name", "second");
        RegCloseKey(key);
    }
    void TearDown() override {
        RegDeleteKeyA(HKEY_CURRENT_USER, kScratchKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, kOtherKey);
        RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\TellaroTests");
    }
};

TEST_F(RegistryKeyTest, SetRootAcceptsOnlyTheReadablePredefinedKeys) {
    RegistryKey key;
    EXPECT_EQ(key.Root(), HKEY_CURRENT_USER);
    EXPECT_EQ(key.SetRoot(HKEY_PERFORMANCE_DATA), -1);
    EXPECT_EQ(key.Root(), HKEY_CURRENT_USER);
    EXPECT_EQ(key.SetRoot(reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0x1234))), -1);
    EXPECT_EQ(key.SetRoot(nullptr), -1);
    for (HKEY root : {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, HKEY_USERS, HKEY_CURRENT_CONFIG,
                      HKEY_DYN_DATA, HKEY_CURRENT_USER}) {
        EXPECT_EQ(key.SetRoot(root), 0);
        EXPECT_EQ(key.Root(), root);
    }
}

TEST_F(RegistryKeyTest, OpenWhileOpenFailsAndKeepsTheFirstKey) {
    RegistryKey key;
    ASSERT_EQ(key.Open(kScratchKey, 0), 0);
    EXPECT_EQ(key.Open(kOtherKey, 0), -1);
    ASSERT_NE(key.ReadString("name"), nullptr);
    EXPECT_STREQ(key.ReadString("name"), "first");

    EXPECT_EQ(key.Close(), 0);
    EXPECT_FALSE(key.IsOpen());
    EXPECT_EQ(key.Close(), 0);  // closing twice is harmless
    ASSERT_EQ(key.Open(kOtherKey, 0), 0);
    EXPECT_STREQ(key.ReadString("name"), "second");
    EXPECT_EQ(key.Release(), 0);
    EXPECT_FALSE(key.IsOpen());

    EXPECT_EQ(key.Open("Software\\TellaroTests\\NoSuchKey", 0), -1);
    EXPECT_FALSE(key.IsOpen());
}

TEST_F(RegistryKeyTest, SetRootAppliesToTheNextOpen) {
    RegistryKey key;
    ASSERT_EQ(key.SetRoot(HKEY_LOCAL_MACHINE), 0);
    EXPECT_EQ(key.Open(kScratchKey, 0), -1);  // lives below HKEY_CURRENT_USER only
    ASSERT_EQ(key.SetRoot(HKEY_CURRENT_USER), 0);
    EXPECT_EQ(key.Open(kScratchKey, 0), 0);
}

TEST_F(RegistryKeyTest, ReadStringGivesWholeValuesOrNull) {
    RegistryKey key;
    EXPECT_EQ(key.ReadString("name"), nullptr);  // nothing open
    ASSERT_EQ(key.Open(kScratchKey, 0), 0);
    EXPECT_STREQ(key.ReadString(""), "default text");
    EXPECT_EQ(std::string(key.ReadString("long")), longValue_);
    EXPECT_STREQ(key.ReadString("unterminated"), "abc");
    EXPECT_EQ(key.ReadString("missing"), nullptr);
}

TEST_F(RegistryKeyTest, ReadDwordAndReadBool) {
    RegistryKey key;
    EXPECT_EQ(key.ReadDword("dword", 77), 77u);  // nothing open
    ASSERT_EQ(key.Open(kScratchKey, 0), 0);
    EXPECT_EQ(key.ReadDword("dword", 0), 0x12345678u);
    EXPECT_EQ(key.ReadDword("short", 0), 0x1234u);
    EXPECT_EQ(key.ReadDword("missing", 99), 99u);
    EXPECT_TRUE(key.ReadBool("dword", 0));
    EXPECT_FALSE(key.ReadBool("zero", 1));
    EXPECT_TRUE(key.ReadBool("missing", 1));
    EXPECT_FALSE(key.ReadBool("missing", 0));
}

}  // namespace
}  // namespace tellaro
