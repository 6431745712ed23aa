#include "config/kept_saves.h"

#include <windows.h>

#include <algorithm>
#include <new>

namespace tellaro {

namespace {

// No counter this high is ever needed: two saves in one second are rare,
// a thousand are a loop gone wrong, and then one copy fewer is kept.
constexpr unsigned kMaxCounter = 1000;

std::wstring Widen(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// The names the program gives are plain ASCII; any other name is not one
// of them and stays out of the list.
bool NarrowAscii(const wchar_t* wide, std::string& out) {
    out.clear();
    for (; *wide != L'\0'; ++wide) {
        if (*wide > 0x7F) return false;
        out += static_cast<char>(*wide);
    }
    return true;
}

std::vector<std::string> KeptNames(const std::wstring& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAW found;
    HANDLE search = FindFirstFileW((folder + L"\\Tellaro-*.tlr").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name;
        if ((found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0 &&
            NarrowAscii(found.cFileName, name) && ParseBackupFileName(name))
            names.push_back(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

BackupStamp Now() {
    SYSTEMTIME utc = {};
    GetSystemTime(&utc);
    BackupStamp stamp;
    stamp.year = utc.wYear;
    stamp.month = utc.wMonth;
    stamp.day = utc.wDay;
    stamp.hour = utc.wHour;
    stamp.minute = utc.wMinute;
    stamp.second = utc.wSecond;
    return stamp;
}

}  // namespace

std::wstring KeptSavesFolder(const std::wstring& itemFile) {
    const std::size_t slash = itemFile.find_last_of(L'\\');
    const std::wstring folder = slash == std::wstring::npos ? L"." : itemFile.substr(0, slash);
    return folder + L"\\" + Widen(backup::kFolderName);
}

void KeepPreviousSave(const std::wstring& itemFile) {
    try {
        if (GetFileAttributesW(itemFile.c_str()) == INVALID_FILE_ATTRIBUTES) return;
        const std::wstring folder = KeptSavesFolder(itemFile);
        CreateDirectoryW(folder.c_str(), nullptr);
        BackupStamp stamp = Now();
        for (stamp.counter = 1; stamp.counter <= kMaxCounter; ++stamp.counter) {
            const std::wstring copy = folder + L"\\" + Widen(BackupFileName(stamp));
            // Never over an earlier copy: a name taken means the next counter.
            if (CopyFileW(itemFile.c_str(), copy.c_str(), TRUE)) break;
            if (GetLastError() != ERROR_FILE_EXISTS && GetLastError() != ERROR_ALREADY_EXISTS)
                return;
        }
        for (const std::string& name : BackupsToRemove(KeptNames(folder)))
            DeleteFileW((folder + L"\\" + Widen(name)).c_str());
    } catch (const std::bad_alloc&) {
    }
}

std::vector<KeptSave> ListKeptSaves(const std::wstring& itemFile) {
    std::vector<KeptSave> saves;
    const std::wstring folder = KeptSavesFolder(itemFile);
    for (const std::string& name : KeptNames(folder))
        saves.push_back({folder + L"\\" + Widen(name), *ParseBackupFileName(name)});
    std::sort(saves.begin(), saves.end(),
              [](const KeptSave& a, const KeptSave& b) { return b.stamp < a.stamp; });
    return saves;
}

}  // namespace tellaro
