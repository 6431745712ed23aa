// Scratch folders and file helpers shared by the configuration tests.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

namespace tellaro {
namespace config_test {

// Deletes a folder with everything below it (attributes cleared first, so
// read-only files go too).
inline void RemoveTree(const std::string& path) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            const std::string child = path + "\\" + name;
            SetFileAttributesA(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(child);
            else
                DeleteFileA(child.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    RemoveDirectoryA(path.c_str());
}

// A fresh, empty folder below the temporary folder, removed again when the
// object goes away.
class ScratchFolder {
public:
    explicit ScratchFolder(const char* name) {
        char base[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, base);
        path_ = std::string(base) + "tellaro-" + name + "-" + std::to_string(GetCurrentProcessId());
        RemoveTree(path_);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~ScratchFolder() { RemoveTree(path_); }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string operator/(const std::string& leaf) const { return path_ + "\\" + leaf; }

private:
    std::string path_;
};

inline bool PathExists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

inline bool IsFolder(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

inline std::vector<std::uint8_t> ReadBytes(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    const DWORD size = GetFileSize(file, nullptr);
    bytes.resize(size);
    DWORD got = 0;
    if (size) ReadFile(file, bytes.data(), size, &got, nullptr);
    bytes.resize(got);
    CloseHandle(file);
    return bytes;
}

inline bool WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    return ok && written == bytes.size();
}

inline bool WriteText(const std::string& path, const std::string& text) {
    return WriteBytes(path, std::vector<std::uint8_t>(text.begin(), text.end()));
}

// A text as the system's ANSI code page spells it.
inline std::string Ansi(const wchar_t* text) {
    const int size = WideCharToMultiByte(CP_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (size <= 0) return std::string();
    std::string out(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, text, -1, &out[0], size, nullptr, nullptr);
    out.resize(size - 1);
    return out;
}

}  // namespace config_test
}  // namespace tellaro
