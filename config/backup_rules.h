// The saves kept beside the settings file: how each is named and which of
// them stay. Portable: no Windows headers; times come in as UTC fields.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tellaro {

// When a kept save was made, in UTC: a daylight-saving change never makes
// two names alike or puts them out of order. The counter tells apart saves
// made in one second.
struct BackupStamp {
    int year = 1970, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
    unsigned counter = 1;

    bool operator==(const BackupStamp& o) const;
    bool operator<(const BackupStamp& o) const;
};

namespace backup {
constexpr const char* kFolderName = "backup";
// How many of the newest saves stay whatever their age, and for how many
// days before the oldest of those the newest save of each day stays too.
constexpr std::size_t kNewestKept = 10;
constexpr int kDailyDays = 30;
}  // namespace backup

// "Tellaro-20261208T153012Z-1.tlr".
std::string BackupFileName(const BackupStamp& stamp);
// The stamp of a name BackupFileName made; nothing for any other name, so
// that files the user put into the folder are never counted or removed.
std::optional<BackupStamp> ParseBackupFileName(const std::string& name);

// Days since 1970-01-01 of a calendar date (proleptic Gregorian).
std::int64_t DaysFromCivil(int year, int month, int day);

// Of the kept saves named in `names`, the ones to remove: every save but
// the kNewestKept newest and, for each of the kDailyDays days before the
// day of the oldest of those, the newest of that day. Other names are
// never listed.
std::vector<std::string> BackupsToRemove(const std::vector<std::string>& names);

}  // namespace tellaro
