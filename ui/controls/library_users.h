// Keeps a library loaded while something uses it: the first user loads it,
// the last one frees it. Portable, so the counting is tested without one.
#pragma once

namespace tellaro {

class LibraryLoader {
public:
    virtual ~LibraryLoader() = default;
    // True when the library is ready for use.
    virtual bool Load() = 0;
    virtual void Unload() = 0;
};

class LibraryUsers {
public:
    explicit LibraryUsers(LibraryLoader& loader) : loader_(loader) {}

    // Counts a new user and loads the library if it is not loaded, so one
    // that was missing is tried again by the next user. True when loaded.
    bool Acquire();
    // The last user frees the library. A release without a matching
    // acquire is ignored.
    void Release();
    int Users() const { return users_; }
    bool Loaded() const { return loaded_; }

private:
    LibraryLoader& loader_;
    int users_ = 0;
    bool loaded_ = false;
};

}  // namespace tellaro
