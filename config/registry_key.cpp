#include "config/registry_key.h"

#include <cstring>
#include <new>

namespace tellaro {

namespace {

// Reads a value's data whole. `length` receives its size in bytes; the
// buffer has one zero byte more, so text data that was stored without its
// terminator still ends.
std::unique_ptr<char[]> QueryValue(HKEY key, const char* name, DWORD& length) {
    if (!key) return nullptr;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, nullptr, nullptr, &size) != ERROR_SUCCESS)
        return nullptr;
    std::unique_ptr<char[]> data(new (std::nothrow) char[size + 1]);
    if (!data) return nullptr;
    DWORD got = size;
    if (RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(data.get()), &got) !=
        ERROR_SUCCESS)
        return nullptr;
    data[got <= size ? got : size] = '\0';
    length = got;
    return data;
}

}  // namespace

RegistryKey::~RegistryKey() {
    RegistryKey::Release();
}

int RegistryKey::Release() {
    value_.reset();
    return Close();
}

int RegistryKey::SetRoot(HKEY root) {
    if (root != HKEY_CLASSES_ROOT && root != HKEY_CURRENT_USER && root != HKEY_LOCAL_MACHINE &&
        root != HKEY_USERS && root != HKEY_CURRENT_CONFIG && root != HKEY_DYN_DATA)
        return -1;
    root_ = root;
    return 0;
}

int RegistryKey::Open(const char* subkey, int) {
    if (key_) return -1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(root_, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) return -1;
    key_ = key;
    return 0;
}

int RegistryKey::Close() {
    if (key_) RegCloseKey(key_);
    key_ = nullptr;
    return 0;
}

const char* RegistryKey::ReadString(const char* valueName) {
    DWORD length = 0;
    std::unique_ptr<char[]> data = QueryValue(key_, valueName, length);
    if (!data) return nullptr;
    value_ = std::move(data);
    return value_.get();
}

std::uint32_t RegistryKey::ReadDword(const char* valueName, std::uint32_t defaultValue) {
    DWORD length = 0;
    std::unique_ptr<char[]> data = QueryValue(key_, valueName, length);
    if (!data) return defaultValue;
    unsigned char bytes[4] = {};
    std::memcpy(bytes, data.get(), length < 4 ? length : 4);
    return bytes[0] | bytes[1] << 8 | bytes[2] << 16 | static_cast<std::uint32_t>(bytes[3]) << 24;
}

bool RegistryKey::ReadBool(const char* valueName, std::uint8_t defaultValue) {
    return ReadDword(valueName, defaultValue) != 0;
}

}  // namespace tellaro
