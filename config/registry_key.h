// One registry key opened for reading.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>

#include "base/base_object.h"

namespace tellaro {

class RegistryKey : public BaseObject {
public:
    RegistryKey() = default;
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    ~RegistryKey() override;

    int Release() override;
    // Accepts the predefined keys that can be opened for reading by name;
    // anything else (the performance data key too) leaves the root alone: -1.
    virtual int SetRoot(HKEY root);
    // Opens `subkey` below the root; -1 when a key is already open or the
    // key can't be opened. The integer is unused.
    virtual int Open(const char* subkey, int unused);
    virtual int Close();
    // The value's data as text, valid until the next read; null when the
    // value can't be read. "" names the key's default value.
    virtual const char* ReadString(const char* valueName);
    virtual std::uint32_t ReadDword(const char* valueName, std::uint32_t defaultValue);
    virtual bool ReadBool(const char* valueName, std::uint8_t defaultValue);

    HKEY Root() const { return root_; }
    bool IsOpen() const { return key_ != nullptr; }

private:
    HKEY key_ = nullptr;
    HKEY root_ = HKEY_CURRENT_USER;
    std::unique_ptr<char[]> value_;
};

}  // namespace tellaro
