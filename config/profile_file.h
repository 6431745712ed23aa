// Values of one INI file through the platform's private-profile functions.
#pragma once

#include <cstdint>
#include <memory>

namespace tellaro {

// Texts handed out (FileName, ReadString) belong to the object and stay
// valid until the next read or until it is detached.
class ProfileFile {
public:
    ProfileFile() = default;
    ProfileFile(const ProfileFile&) = delete;
    ProfileFile& operator=(const ProfileFile&) = delete;
    virtual ~ProfileFile();

    // -1 when `path` is null, the object is already bound or memory runs out.
    virtual int Attach(const char* path);
    virtual int Detach();
    // Writes return 1 when unbound or when the platform refuses, else 0.
    // WriteBool writes "1" only for the value 1 and "0" for anything else.
    virtual int WriteBool(const char* section, const char* key, std::uint8_t value);
    virtual int WriteInt(const char* section, const char* key, std::int32_t value);
    virtual int WriteInt64(const char* section, const char* key, std::int64_t value);
    virtual int WriteString(const char* section, const char* key, const char* text);
    virtual const char* FileName() const;
    virtual bool Exists() const;
    // Reads give the default when unbound or when the key is missing.
    virtual bool ReadBool(const char* section, const char* key, std::uint8_t defaultValue);
    virtual std::int32_t ReadInt(const char* section, const char* key, std::int32_t defaultValue);
    virtual std::int64_t ReadInt64(const char* section, const char* key, std::int64_t defaultValue);
    // Unbound: `defaultValue` itself. Bound: the value of any length, or a
    // copy of the default when the key is missing; null for a null default.
    virtual const char* ReadString(const char* section, const char* key, const char* defaultValue);
    // 0 when the file is gone afterwards, 1 when it exists and can't be deleted.
    virtual int RemoveFile();

private:
    int Write(const char* section, const char* key, const char* text);
    const char* ReadText(const char* section, const char* key, const char* defaultValue);

    std::unique_ptr<char[]> path_;
    std::unique_ptr<char[]> value_;
};

}  // namespace tellaro
