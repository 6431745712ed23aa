#include "config/profile_file.h"

#include <windows.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

namespace tellaro {

namespace {

std::unique_ptr<char[]> CopyText(const char* text, std::size_t length) {
    std::unique_ptr<char[]> copy(new (std::nothrow) char[length + 1]);
    if (copy) {
        std::memcpy(copy.get(), text, length);
        copy[length] = '\0';
    }
    return copy;
}

}  // namespace

ProfileFile::~ProfileFile() {
    ProfileFile::Detach();
}

int ProfileFile::Attach(const char* path) {
    if (!path || path_) return -1;
    path_ = CopyText(path, std::strlen(path));
    return path_ ? 0 : -1;
}

int ProfileFile::Detach() {
    value_.reset();
    path_.reset();
    return 0;
}

int ProfileFile::Write(const char* section, const char* key, const char* text) {
    if (!path_) return 1;
    return WritePrivateProfileStringA(section, key, text, path_.get()) ? 0 : 1;
}

int ProfileFile::WriteBool(const char* section, const char* key, std::uint8_t value) {
    return Write(section, key, value == 1 ? "1" : "0");
}

int ProfileFile::WriteInt(const char* section, const char* key, std::int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%" PRId32, value);
    return Write(section, key, text);
}

int ProfileFile::WriteInt64(const char* section, const char* key, std::int64_t value) {
    char text[24];
    std::snprintf(text, sizeof text, "%" PRId64, value);
    return Write(section, key, text);
}

int ProfileFile::WriteString(const char* section, const char* key, const char* text) {
    return Write(section, key, text);
}

const char* ProfileFile::FileName() const {
    return path_.get();
}

bool ProfileFile::Exists() const {
    return path_ && GetFileAttributesA(path_.get()) != INVALID_FILE_ATTRIBUTES;
}

bool ProfileFile::ReadBool(const char* section, const char* key, std::uint8_t defaultValue) {
    if (!path_) return defaultValue != 0;
    return GetPrivateProfileIntA(section, key, defaultValue, path_.get()) != 0;
}

std::int32_t ProfileFile::ReadInt(const char* section, const char* key, std::int32_t defaultValue) {
    if (!path_) return defaultValue;
    return static_cast<std::int32_t>(
        GetPrivateProfileIntA(section, key, defaultValue, path_.get()));
}

std::int64_t ProfileFile::ReadInt64(const char* section, const char* key,
                                    std::int64_t defaultValue) {
    if (!path_) return defaultValue;
    char fallback[24];
    std::snprintf(fallback, sizeof fallback, "%" PRId64, defaultValue);
    const char* text = ReadText(section, key, fallback);
    return text ? std::strtoll(text, nullptr, 10) : defaultValue;
}

const char* ProfileFile::ReadString(const char* section, const char* key,
                                    const char* defaultValue) {
    if (!path_) return defaultValue;
    if (!defaultValue) return nullptr;
    return ReadText(section, key, defaultValue);
}

// The platform cuts a value that does not fit and says so only by filling
// the buffer; grow until the value comes back shorter than that.
const char* ProfileFile::ReadText(const char* section, const char* key, const char* defaultValue) {
    DWORD size = 1024;
    for (;;) {
        std::unique_ptr<char[]> work(new (std::nothrow) char[size]);
        if (!work) return nullptr;
        const DWORD length =
            GetPrivateProfileStringA(section, key, defaultValue, work.get(), size, path_.get());
        if (length + 1 != size && length + 2 != size) {
            std::unique_ptr<char[]> value = CopyText(work.get(), length);
            if (!value) return nullptr;
            value_ = std::move(value);
            return value_.get();
        }
        if (size > 0x40000000u) return nullptr;
        size *= 2;
    }
}

int ProfileFile::RemoveFile() {
    if (!Exists()) return 0;
    return DeleteFileA(path_.get()) ? 0 : 1;
}

}  // namespace tellaro
