#include "config/portable_copy.h"

#include <windows.h>

#include <new>
#include <vector>

#include "config/settings_place.h"

namespace tellaro {

namespace {

std::wstring MarkerPath(const std::wstring& folder) {
    const std::string name = portable_marker::kFileName;
    return folder + L"\\" + std::wstring(name.begin(), name.end());
}

// The program's own file, wherever the current directory is; the buffer
// grows until the path fits.
std::wstring ProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, &path[0], static_cast<DWORD>(path.size()));
        if (length == 0) return std::wstring();
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.assign(path.size() * 2, L'\0');
    }
}

bool ReadMarker(const std::wstring& folder, std::string& text) {
    HANDLE file = CreateFileW(MarkerPath(folder).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    // A marker is a few lines; more than this is not one the program wrote.
    std::vector<char> buffer(64 * 1024);
    DWORD got = 0;
    const bool read =
        ReadFile(file, buffer.data(), static_cast<DWORD>(buffer.size()), &got, nullptr) != 0;
    CloseHandle(file);
    if (!read) return false;
    text.assign(buffer.data(), got);
    return true;
}

}  // namespace

std::optional<std::wstring> PortableSettingsFolder() {
    try {
        const std::wstring program = ProgramPath();
        const std::size_t slash = program.find_last_of(L'\\');
        if (slash == std::wstring::npos) return std::nullopt;
        const std::wstring folder = program.substr(0, slash);
        const DWORD attributes = GetFileAttributesW(MarkerPath(folder).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return std::nullopt;
        return folder;
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

std::optional<unsigned> RecordedCodePage(const std::wstring& folder) {
    try {
        std::string text;
        if (!ReadMarker(folder, text)) return std::nullopt;
        return MarkerCodePage(text);
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
}

void RecordCodePage(const std::wstring& folder, unsigned codePage) {
    try {
        std::string text;
        if (!ReadMarker(folder, text) || MarkerCodePage(text) == codePage) return;
        const std::string recorded = WithMarkerCodePage(text, codePage);
        HANDLE file = CreateFileW(MarkerPath(folder).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        WriteFile(file, recorded.data(), static_cast<DWORD>(recorded.size()), &written, nullptr);
        CloseHandle(file);
    } catch (const std::bad_alloc&) {
    }
}

}  // namespace tellaro
