// Root of the program's classes: two-phase set-up and tear-down.
#pragma once

namespace tellaro {

class BaseObject {
public:
    virtual ~BaseObject() = default;
    virtual int Initialize() { return 0; }
    virtual int Release() { return 0; }
};

}  // namespace tellaro
