// What the shell says of the special folders, fetched on a thread of its
// own. Asking costs a noticeable moment per folder, seconds where one lies
// on a network or a slow disk, and the settings window must not wait for
// it. Answers come back through a queue this object owns, announced by a
// message that carries nothing; a caller that needs one answer before it
// has come asks the shell for that one itself.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <memory>

#include "config/special_folder_table.h"

namespace tellaro {

// What to ask of the shell: bits of SpecialFolderFacts to fill.
namespace special_facts {
constexpr unsigned kAvailable = 1;
constexpr unsigned kDirectory = 2;
constexpr unsigned kIcon = 4;
}  // namespace special_facts

struct SpecialFolderFacts {
    bool available = false;     // the shell knows the folder here
    bool hasDirectory = false;  // it has a file-system directory
    HICON icon = nullptr;       // its small icon, the receiver's to destroy
};

// Asks the shell about entry `tableIndex` of the special folder table.
SpecialFolderFacts AskShellAbout(std::size_t tableIndex, unsigned what);

struct SpecialFolderFetchState;

class SpecialFolderFetch {
public:
    using Ask = SpecialFolderFacts (*)(std::size_t tableIndex, unsigned what);
    // Per table entry, the icon that came, or null.
    using Icons = std::array<HICON, SpecialFolderTable::EntryCount>;

    SpecialFolderFetch();
    // Forgets a thread still asking; never waits for it.
    ~SpecialFolderFetch();
    SpecialFolderFetch(const SpecialFolderFetch&) = delete;
    SpecialFolderFetch& operator=(const SpecialFolderFetch&) = delete;

    // Starts the thread, once: it asks `ask` about every entry and posts
    // `message` to `notify` whenever answers wait. Without a thread every
    // answer is asked for when it is needed, and no icon comes.
    void Start(HWND notify, UINT message, Ask ask);
    bool Started() const { return state_ != nullptr; }
    // Every entry's availability has been answered.
    bool AvailabilityKnown() const;
    // Entry `tableIndex`'s answer: the one that came, else asked now on this
    // thread. The first answer for an entry stands.
    bool Available(std::size_t tableIndex);
    bool HasDirectory(std::size_t tableIndex);
    // The thread has asked about every entry (or gave up, forgotten).
    bool Finished() const;
    bool IconsWaiting() const;
    // The icons that came since the last call; the caller destroys them.
    Icons TakeIcons();

private:
    // `what` is kAvailable or kDirectory.
    bool Answer(std::size_t tableIndex, unsigned what);

    Ask ask_ = AskShellAbout;
    std::shared_ptr<SpecialFolderFetchState> state_;
};

}  // namespace tellaro
