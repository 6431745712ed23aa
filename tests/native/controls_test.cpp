#include <gtest/gtest.h>

#include <climits>

#include "ui/controls/control_values.h"
#include "ui/controls/library_users.h"

namespace tellaro {
namespace {

class FakeLoader : public LibraryLoader {
public:
    bool available = true;
    int loads = 0;
    int unloads = 0;
    bool Load() override {
        ++loads;
        return available;
    }
    void Unload() override { ++unloads; }
};

TEST(LibraryUsers, FirstUserLoadsLastUserFreesAndANewFirstUserLoadsAgain) {
    FakeLoader loader;
    LibraryUsers users(loader);
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(users.Acquire());
    EXPECT_EQ(loader.loads, 1);
    users.Release();
    users.Release();
    EXPECT_EQ(loader.unloads, 0);
    users.Release();
    EXPECT_EQ(loader.unloads, 1);
    users.Release();  // one too many
    EXPECT_EQ(users.Users(), 0);
    EXPECT_EQ(loader.unloads, 1);
    EXPECT_TRUE(users.Acquire());
    EXPECT_EQ(loader.loads, 2);
}

TEST(LibraryUsers, AMissingLibraryIsTriedAgainAndNeverFreed) {
    FakeLoader loader;
    loader.available = false;
    LibraryUsers users(loader);
    EXPECT_FALSE(users.Acquire());
    EXPECT_FALSE(users.Acquire());
    users.Release();
    users.Release();
    EXPECT_EQ(loader.unloads, 0);
    loader.available = true;
    EXPECT_TRUE(users.Acquire());
    users.Release();
    EXPECT_EQ(loader.loads, 3);
    EXPECT_EQ(loader.unloads, 1);
}

TEST(ControlValues, LeadingNumberReadsLikeAtoiWithoutOverflow) {
    EXPECT_EQ(LeadingNumber(""), 0);
    EXPECT_EQ(LeadingNumber("12abc"), 12);
    EXPECT_EQ(LeadingNumber("abc"), 0);
    EXPECT_EQ(LeadingNumber("-7"), -7);
    EXPECT_EQ(LeadingNumber("9999999999999999999"), INT_MAX);
    EXPECT_EQ(LeadingNumber("-9999999999999999999"), INT_MIN);
}

TEST(ControlValues, CodesOutsideTheListShowNoSelectionAndNoSelectionStores255) {
    EXPECT_EQ(ComboIndexForCode(0, 3), 0);
    EXPECT_EQ(ComboIndexForCode(2, 3), 2);
    EXPECT_EQ(ComboIndexForCode(3, 3), -1);
    EXPECT_EQ(ComboIndexForCode(255, 4), -1);
    EXPECT_EQ(CodeForComboIndex(3), 3);
    EXPECT_EQ(CodeForComboIndex(-1), 255);  // CB_ERR
}

}  // namespace
}  // namespace tellaro
