// ProfileFile against real INI files.
#include "config/profile_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "tests/win32/config_test_support.h"

namespace tellaro {
namespace {

using config_test::PathExists;
using config_test::ScratchFolder;

class ProfileFileTest : public testing::Test {
protected:
    ScratchFolder scratch_{"profile"};
    std::string path_ = scratch_ / "test.ini";
    ProfileFile ini_;

    void SetUp() override { ASSERT_EQ(ini_.Attach(path_.c_str()), 0); }

    // The value as the platform stores it, without going through the class.
    std::string Raw(const char* key) {
        char value[64] = {};
        GetPrivateProfileStringA("S", key, "<missing>", value, sizeof value, path_.c_str());
        return value;
    }
};

TEST_F(ProfileFileTest, ReadStringReturnsValuesOfAnyLength) {
    // Lengths around each point where the buffer must grow, and far past them.
    for (std::size_t length : {0u, 1022u, 1023u, 1024u, 2046u, 2047u, 3000u, 10000u}) {
        std::string value(length, 'v');
        if (length) value[length - 1] = 'E';
        ASSERT_EQ(ini_.WriteString("S", "long", value.c_str()), 0);
        const char* read = ini_.ReadString("S", "long", "default");
        ASSERT_NE(read, nullptr);
        EXPECT_EQ(std::string(read), value) << length;
    }
}

TEST_F(ProfileFileTest, MissingKeyGivesACopyOfTheDefault) {
    const char* def = "fallback";
    const char* read = ini_.ReadString("S", "missing", def);
    ASSERT_NE(read, nullptr);
    EXPECT_NE(read, def);
    EXPECT_STREQ(read, "fallback");
    EXPECT_EQ(ini_.ReadString("S", "missing", nullptr), nullptr);
    EXPECT_EQ(ini_.ReadInt("S", "missing", -7), -7);
    EXPECT_EQ(ini_.ReadInt64("S", "missing", -5000000000LL), -5000000000LL);
    EXPECT_TRUE(ini_.ReadBool("S", "missing", 1));
    EXPECT_FALSE(ini_.ReadBool("S", "missing", 0));
    // Only the default's low byte counts.
    EXPECT_FALSE(ini_.ReadBool("S", "missing", static_cast<std::uint8_t>(0x100)));
}

TEST_F(ProfileFileTest, NumbersAndFlagsRoundTripAsDecimalText) {
    EXPECT_EQ(ini_.WriteBool("S", "two", 2), 0);
    EXPECT_EQ(Raw("two"), "0");  // only 1 is written as true
    EXPECT_EQ(ini_.WriteBool("S", "one", 1), 0);
    EXPECT_EQ(Raw("one"), "1");
    EXPECT_TRUE(ini_.ReadBool("S", "one", 0));
    EXPECT_FALSE(ini_.ReadBool("S", "two", 1));

    EXPECT_EQ(ini_.WriteInt("S", "int", -123456), 0);
    EXPECT_EQ(Raw("int"), "-123456");
    EXPECT_EQ(ini_.ReadInt("S", "int", 0), -123456);

    EXPECT_EQ(ini_.WriteInt64("S", "big", 1234567890123LL), 0);
    EXPECT_EQ(Raw("big"), "1234567890123");
    EXPECT_EQ(ini_.ReadInt64("S", "big", 0), 1234567890123LL);
    EXPECT_EQ(ini_.WriteInt64("S", "neg", -9000000000LL), 0);
    EXPECT_EQ(ini_.ReadInt64("S", "neg", 0), -9000000000LL);

    EXPECT_EQ(ini_.WriteString("S", "five", "5"), 0);
    EXPECT_TRUE(ini_.ReadBool("S", "five", 0));
}

TEST_F(ProfileFileTest, BindingRules) {
    EXPECT_EQ(ini_.Attach((scratch_ / "other.ini").c_str()), -1);
    EXPECT_STREQ(ini_.FileName(), path_.c_str());
    EXPECT_EQ(ini_.Detach(), 0);
    EXPECT_EQ(ini_.FileName(), nullptr);
    EXPECT_EQ(ini_.Attach(nullptr), -1);
    EXPECT_EQ(ini_.Attach(path_.c_str()), 0);
}

TEST_F(ProfileFileTest, ExistsAndRemoveFile) {
    EXPECT_FALSE(ini_.Exists());
    EXPECT_EQ(ini_.RemoveFile(), 0);  // nothing to remove
    ASSERT_EQ(ini_.WriteInt("S", "k", 1), 0);
    EXPECT_TRUE(ini_.Exists());
    EXPECT_EQ(ini_.RemoveFile(), 0);
    EXPECT_FALSE(PathExists(path_));
}

TEST(ProfileFileUnbound, ReadsGiveDefaultsAndWritesFail) {
    ProfileFile ini;
    const char* def = "as given";
    EXPECT_EQ(ini.ReadString("S", "k", def), def);  // the very pointer
    EXPECT_EQ(ini.ReadString("S", "k", nullptr), nullptr);
    EXPECT_EQ(ini.ReadInt("S", "k", 42), 42);
    EXPECT_EQ(ini.ReadInt64("S", "k", -1), -1);
    EXPECT_TRUE(ini.ReadBool("S", "k", 3));
    EXPECT_EQ(ini.WriteBool("S", "k", 1), 1);
    EXPECT_EQ(ini.WriteInt("S", "k", 1), 1);
    EXPECT_EQ(ini.WriteInt64("S", "k", 1), 1);
    EXPECT_EQ(ini.WriteString("S", "k", "x"), 1);
    EXPECT_EQ(ini.FileName(), nullptr);
    EXPECT_FALSE(ini.Exists());
    EXPECT_EQ(ini.RemoveFile(), 0);
}

}  // namespace
}  // namespace tellaro
