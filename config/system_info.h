// Answers about the running system: version, standard directories in
// several forms, the user folder below the current directory and two
// screen rectangles. All instances share one process-wide cache.
#pragma once

#include <windows.h>

#include "base/base_object.h"

namespace tellaro {

// Texts are owned by the shared cache: each is formed on first request and
// stays valid until the last instance is destroyed. A text that can't be
// formed is null on every request.
class SystemInfo : public BaseObject {
public:
    SystemInfo();
    SystemInfo(const SystemInfo&) = delete;
    SystemInfo& operator=(const SystemInfo&) = delete;
    ~SystemInfo() override;

    virtual bool IsNT() const;
    virtual bool Is9x() const;
    virtual DWORD MajorVersion() const;
    virtual DWORD MinorVersion() const;
    virtual DWORD BuildNumber() const;
    virtual DWORD PlatformId() const;
    virtual const char* ServicePack() const;
    virtual const char* CurrentDirectory();
    virtual const char* CurrentDirectorySlash();
    // The current directory, a backslash and the logon user name.
    virtual const char* UserDirectory();
    virtual const char* UserDirectorySlash();
    virtual const char* CurrentDrive();
    virtual const char* CurrentRoot();
    virtual const char* WindowsDirectory();
    virtual const char* WindowsDirectorySlash();
    virtual const char* WindowsDrive();
    virtual const char* WindowsRoot();
    virtual const char* SystemDirectory();
    virtual const char* SystemDirectorySlash();
    virtual const char* SystemDrive();
    virtual const char* SystemRoot();
    // 0 with the rectangle of the desktop window, 1 on failure.
    virtual int DesktopRect(RECT* rect);
    // 0 with the rectangle of the shell's desktop icon view, 1 on failure.
    virtual int DesktopViewRect(RECT* rect);

    // Number of live instances; the cache is released when it drops to 0.
    static int InstanceCount();
};

}  // namespace tellaro
