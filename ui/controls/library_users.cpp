#include "ui/controls/library_users.h"

namespace tellaro {

bool LibraryUsers::Acquire() {
    ++users_;
    if (!loaded_) loaded_ = loader_.Load();
    return loaded_;
}

void LibraryUsers::Release() {
    if (users_ == 0) return;
    if (--users_ == 0 && loaded_) {
        loader_.Unload();
        loaded_ = false;
    }
}

}  // namespace tellaro
