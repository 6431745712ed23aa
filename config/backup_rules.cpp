#include "config/backup_rules.h"

#include <algorithm>
#include <tuple>
#include <utility>

namespace tellaro {

namespace {

constexpr char kPrefix[] = "Tellaro-";
constexpr char kSuffix[] = ".tlr";

auto Key(const BackupStamp& s) {
    return std::tie(s.year, s.month, s.day, s.hour, s.minute, s.second, s.counter);
}

void PutNumber(std::string& out, int value, int width) {
    std::string digits = std::to_string(value);
    if (static_cast<int>(digits.size()) < width)
        digits.insert(0, static_cast<std::size_t>(width) - digits.size(), '0');
    out += digits;
}

// `width` decimal digits at `at`; false for anything else.
bool ReadNumber(const std::string& text, std::size_t at, std::size_t width, int& value) {
    if (at + width > text.size()) return false;
    value = 0;
    for (std::size_t i = at; i < at + width; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}

int DaysInMonth(int year, int month) {
    static const int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : kDays[month - 1];
}

}  // namespace

bool BackupStamp::operator==(const BackupStamp& o) const {
    return Key(*this) == Key(o);
}

bool BackupStamp::operator<(const BackupStamp& o) const {
    return Key(*this) < Key(o);
}

std::string BackupFileName(const BackupStamp& s) {
    std::string name = kPrefix;
    PutNumber(name, s.year, 4);
    PutNumber(name, s.month, 2);
    PutNumber(name, s.day, 2);
    name += 'T';
    PutNumber(name, s.hour, 2);
    PutNumber(name, s.minute, 2);
    PutNumber(name, s.second, 2);
    name += "Z-" + std::to_string(s.counter) + kSuffix;
    return name;
}

std::optional<BackupStamp> ParseBackupFileName(const std::string& name) {
    // "Tellaro-" 8 digits "T" 6 digits "Z-" counter ".tlr"
    const std::size_t prefix = sizeof(kPrefix) - 1, suffix = sizeof(kSuffix) - 1;
    if (name.size() < prefix + 18 + suffix || name.compare(0, prefix, kPrefix) != 0 ||
        name.compare(name.size() - suffix, suffix, kSuffix) != 0)
        return std::nullopt;
    BackupStamp s;
    const std::size_t at = prefix;
    if (!ReadNumber(name, at, 4, s.year) || !ReadNumber(name, at + 4, 2, s.month) ||
        !ReadNumber(name, at + 6, 2, s.day) || name[at + 8] != 'T' ||
        !ReadNumber(name, at + 9, 2, s.hour) || !ReadNumber(name, at + 11, 2, s.minute) ||
        !ReadNumber(name, at + 13, 2, s.second) || name.compare(at + 15, 2, "Z-") != 0)
        return std::nullopt;
    const std::size_t counterAt = at + 17, counterEnd = name.size() - suffix;
    const std::size_t counterWidth = counterEnd - counterAt;
    int counter = 0;
    if (counterWidth == 0 || counterWidth > 6 || name[counterAt] == '0' ||
        !ReadNumber(name, counterAt, counterWidth, counter))
        return std::nullopt;
    if (s.month < 1 || s.month > 12 || s.day < 1 || s.day > DaysInMonth(s.year, s.month) ||
        s.hour > 23 || s.minute > 59 || s.second > 60)
        return std::nullopt;
    s.counter = static_cast<unsigned>(counter);
    return s;
}

std::int64_t DaysFromCivil(int year, int month, int day) {
    // Counted from 1 March, so that the leap day ends the year.
    const std::int64_t y = month <= 2 ? year - 1 : year;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const std::int64_t yearOfEra = y - era * 400;
    const std::int64_t dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const std::int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

std::vector<std::string> BackupsToRemove(const std::vector<std::string>& names) {
    std::vector<std::pair<BackupStamp, std::string>> kept;
    for (const std::string& name : names)
        if (std::optional<BackupStamp> stamp = ParseBackupFileName(name))
            kept.emplace_back(*stamp, name);
    // Newest first.
    std::sort(kept.begin(), kept.end(),
              [](const auto& a, const auto& b) { return b.first < a.first; });
    std::vector<std::string> remove;
    if (kept.size() <= backup::kNewestKept) return remove;
    const BackupStamp& oldestNewest = kept[backup::kNewestKept - 1].first;
    const std::int64_t lastDay =
        DaysFromCivil(oldestNewest.year, oldestNewest.month, oldestNewest.day);
    std::int64_t previousDay = lastDay;  // a day whose newest save was met already
    for (std::size_t i = backup::kNewestKept; i < kept.size(); ++i) {
        const BackupStamp& s = kept[i].first;
        const std::int64_t day = DaysFromCivil(s.year, s.month, s.day);
        const bool daily = day < lastDay && day >= lastDay - backup::kDailyDays;
        if (daily && day != previousDay) {
            previousDay = day;  // the first met is that day's newest
            continue;
        }
        remove.push_back(kept[i].second);
    }
    return remove;
}

}  // namespace tellaro
