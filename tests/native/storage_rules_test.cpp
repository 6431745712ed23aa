#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "config/backup_rules.h"
#include "config/settings_place.h"

namespace tellaro {
namespace {

TEST(BackupNames, ReadBackWhatTheyWriteAndNothingElse) {
    const BackupStamp stamp{2026, 12, 8, 15, 30, 12, 3};
    EXPECT_EQ(BackupFileName(stamp), "Tellaro-20261208T153012Z-3.tlr");
    EXPECT_EQ(ParseBackupFileName(BackupFileName(stamp)), stamp);
    // Two saves in one second keep their order by the counter.
    EXPECT_LT(stamp, (BackupStamp{2026, 12, 8, 15, 30, 12, 10}));
    for (const char* other :
         {"Tellaro.tlr", "Tellaro-20261208T153012Z-.tlr", "Tellaro-20261208T153012Z-01.tlr",
          "Tellaro-20261308T153012Z-1.tlr", "Tellaro-20260230T153012Z-1.tlr",
          "Tellaro-20261208T253012Z-1.tlr", "Tellaro-20261208T153012-1.tlr",
          "Tellaro-20261208T153012Z-1.tlr.tmp", "notes.txt", "Tellaro-2026x208T153012Z-1.tlr"})
        EXPECT_FALSE(ParseBackupFileName(other)) << other;
    EXPECT_TRUE(ParseBackupFileName("Tellaro-20240229T000000Z-1.tlr"));
    EXPECT_EQ(DaysFromCivil(1970, 1, 1), 0);
    EXPECT_EQ(DaysFromCivil(2000, 3, 1), 11017);
}

std::string At(int month, int day, int hour, unsigned counter = 1) {
    return BackupFileName(BackupStamp{2026, month, day, hour, 0, 0, counter});
}

TEST(BackupThinning, KeepsTheTenNewestAndOnePerDayForThirtyDaysBefore) {
    struct Case {
        const char* what;
        std::vector<std::string> names;
        std::vector<std::string> removed;
    };
    // Ten saves on 1 December (the newest ten: 10:00 down to 1:00).
    std::vector<std::string> ten;
    for (int hour = 10; hour >= 1; --hour) ten.push_back(At(12, 1, hour));
    auto with = [&ten](std::vector<std::string> more) {
        more.insert(more.begin(), ten.begin(), ten.end());
        return more;
    };
    const Case cases[] = {
        {"ten or fewer all stay", ten, {}},
        {"an older save of the same day as the oldest of the ten goes",
         with({At(12, 1, 0)}),
         {At(12, 1, 0)}},
        {"of each earlier day the newest stays, the others go",
         with({At(11, 30, 23), At(11, 30, 22), At(11, 29, 5), At(11, 29, 5, 2)}),
         {At(11, 30, 22), At(11, 29, 5)}},
        {"thirty days before stay, the thirty-first goes",
         with({At(11, 1, 12), At(10, 31, 12)}),
         {At(10, 31, 12)}},
        {"names the program did not make are never touched",
         with({"Tellaro.tlr", "mine.tlr", At(12, 1, 0)}),
         {At(12, 1, 0)}},
    };
    for (const Case& c : cases) {
        std::vector<std::string> shuffled = c.names;
        std::reverse(shuffled.begin(), shuffled.end());
        std::vector<std::string> removed = BackupsToRemove(shuffled);
        std::sort(removed.begin(), removed.end());
        std::vector<std::string> expected = c.removed;
        std::sort(expected.begin(), expected.end());
        EXPECT_EQ(removed, expected) << c.what;
    }
}

TEST(SettingsPlace, TheMarkerAloneDecidesAndAnUnwritableFolderIsReported) {
    struct Case {
        bool marker, itemFile, writable;
        bool besideProgram, unwritable;
    };
    const Case cases[] = {
        {true, false, true, true, false},   {true, true, true, true, false},
        {true, false, false, true, true},   {true, true, false, true, true},
        {false, true, true, false, false},  {false, true, false, false, false},
        {false, false, true, false, false}, {false, false, false, false, false},
    };
    for (const Case& c : cases) {
        const SettingsPlace place = ChooseSettingsPlace(c.marker, c.itemFile, c.writable);
        EXPECT_EQ(place.besideProgram, c.besideProgram) << c.marker << c.itemFile << c.writable;
        EXPECT_EQ(place.unwritable, c.unwritable) << c.marker << c.itemFile << c.writable;
    }
}

TEST(SettingsPlace, TheMarkerRecordsTheCodePageOfTheSettings) {
    const std::string text = "Keeps the settings here.\r\n";
    EXPECT_FALSE(MarkerCodePage(text));
    const std::string recorded = WithMarkerCodePage(text, 932);
    EXPECT_EQ(recorded, "Keeps the settings here.\r\nCodePage=932\r\n");
    EXPECT_EQ(MarkerCodePage(recorded), 932u);
    // Recorded again, the line is replaced and the user's lines stay.
    EXPECT_EQ(WithMarkerCodePage(recorded + "mine\r\n", 1252),
              "Keeps the settings here.\r\nCodePage=1252\r\nmine\r\n");
    EXPECT_EQ(WithMarkerCodePage("", 65001), "CodePage=65001\r\n");
    for (const char* odd : {"CodePage=", "CodePage=x", "CodePage=0", "CodePage=99999999"})
        EXPECT_FALSE(MarkerCodePage(odd)) << odd;
}

}  // namespace
}  // namespace tellaro
