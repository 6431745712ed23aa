#include "settings/special_folder_fetch.h"

// The shell's declarations build on windows.h.
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <array>
#include <cstdint>
#include <new>

#include "base/locked.h"
#include "config/special_folder_table.h"

namespace tellaro {

namespace {

constexpr std::size_t kEntries = SpecialFolderTable::EntryCount;

}  // namespace

SpecialFolderFacts AskShellAbout(std::size_t tableIndex, unsigned what) {
    SpecialFolderFacts facts;
    LPITEMIDLIST list = nullptr;
    if (tableIndex >= kEntries || FAILED(SHGetSpecialFolderLocation(
                                      nullptr, SpecialFolderTable::Entry(tableIndex).csidl, &list)))
        return facts;
    facts.available = true;
    // Wide: a path the code page lacks is still a directory, which a copy
    // into the user list then refuses by name.
    wchar_t path[MAX_PATH] = {};
    if ((what & special_facts::kDirectory) != 0 && SHGetPathFromIDListW(list, path)) {
        const DWORD attributes = GetFileAttributesW(path);
        facts.hasDirectory =
            attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    }
    // The shell's small icons are the system's small-icon size, as the
    // tree's images are.
    SHFILEINFOA info = {};
    if ((what & special_facts::kIcon) != 0 &&
        SHGetFileInfoA(reinterpret_cast<LPCSTR>(list), 0, &info, sizeof(info),
                       SHGFI_PIDL | SHGFI_ICON | SHGFI_SMALLICON))
        facts.icon = info.hIcon;
    CoTaskMemFree(list);
    return facts;
}

// Shared by the fetch and its thread, which may still be asking when the
// fetch is gone: then it tells no one, and whichever lets go last frees
// this with the icons nobody took.
struct SpecialFolderFetchState {
    SpecialFolderFetchState(HWND window, UINT notice) : notify(window), message(notice) {
        InitializeCriticalSection(&lock);
        available.fill(-1);
        hasDirectory.fill(-1);
        icons.fill(nullptr);
    }
    ~SpecialFolderFetchState() {
        for (HICON icon : icons)
            if (icon != nullptr) DestroyIcon(icon);
        DeleteCriticalSection(&lock);
    }
    SpecialFolderFetchState(const SpecialFolderFetchState&) = delete;
    SpecialFolderFetchState& operator=(const SpecialFolderFetchState&) = delete;

    // The first answer stands, whoever asked.
    bool Settle(std::array<std::int8_t, kEntries>& answers, std::size_t i, bool answer) {
        Locked held(lock);
        if (answers[i] < 0) answers[i] = answer ? 1 : 0;
        return answers[i] != 0;
    }
    int Known(const std::array<std::int8_t, kEntries>& answers, std::size_t i) {
        Locked held(lock);
        return answers[i];
    }
    void AvailabilityDone() {
        Locked held(lock);
        availabilityKnown = true;
        Announce();
    }
    void IconCame(std::size_t i, HICON icon) {
        if (icon == nullptr) return;
        Locked held(lock);
        if (icons[i] != nullptr) DestroyIcon(icons[i]);
        icons[i] = icon;
        Announce();
    }
    bool Forgotten() {
        Locked held(lock);
        return notify == nullptr;
    }
    // One notice until the window has taken what waits: the thread may
    // answer faster than the window reads.
    void Announce() {
        if (notify != nullptr && !posted) posted = PostMessageA(notify, message, 0, 0) != FALSE;
    }

    CRITICAL_SECTION lock;
    HWND notify;
    UINT message;
    bool posted = false;
    bool availabilityKnown = false;
    bool finished = false;
    std::array<std::int8_t, kEntries> available;
    std::array<std::int8_t, kEntries> hasDirectory;
    SpecialFolderFetch::Icons icons;
};

namespace {

struct FetchJob {
    std::shared_ptr<SpecialFolderFetchState> state;
    SpecialFolderFetch::Ask ask;
};

// Which folders exist comes first, for the whole table: the tree waits for
// it to show the special folders, while icons only replace stand-ins.
DWORD WINAPI FetchThread(void* parameter) {
    std::unique_ptr<FetchJob> job(static_cast<FetchJob*>(parameter));
    SpecialFolderFetchState& state = *job->state;
    const HRESULT com = CoInitialize(nullptr);
    for (std::size_t i = 0; i < kEntries && !state.Forgotten(); ++i)
        state.Settle(state.available, i, job->ask(i, special_facts::kAvailable).available);
    if (!state.Forgotten()) state.AvailabilityDone();
    for (std::size_t i = 0; i < kEntries && !state.Forgotten(); ++i) {
        if (state.Known(state.available, i) <= 0) continue;
        const SpecialFolderFacts facts =
            job->ask(i, special_facts::kDirectory | special_facts::kIcon);
        state.Settle(state.hasDirectory, i, facts.hasDirectory);
        state.IconCame(i, facts.icon);
    }
    if (SUCCEEDED(com)) CoUninitialize();
    Locked held(state.lock);
    state.finished = true;
    state.Announce();
    return 0;
}

}  // namespace

SpecialFolderFetch::SpecialFolderFetch() = default;

SpecialFolderFetch::~SpecialFolderFetch() {
    if (!state_) return;
    Locked held(state_->lock);
    state_->notify = nullptr;
}

void SpecialFolderFetch::Start(HWND notify, UINT message, Ask ask) {
    if (state_) return;
    ask_ = ask;
    try {
        auto state = std::make_shared<SpecialFolderFetchState>(notify, message);
        auto job = std::make_unique<FetchJob>(FetchJob{state, ask});
        HANDLE thread = CreateThread(nullptr, 0, FetchThread, job.get(), 0, nullptr);
        if (thread == nullptr) return;
        job.release();  // the thread's now
        CloseHandle(thread);
        state_ = std::move(state);
    } catch (const std::bad_alloc&) {
    }
}

bool SpecialFolderFetch::AvailabilityKnown() const {
    if (!state_) return false;
    Locked held(state_->lock);
    return state_->availabilityKnown;
}

bool SpecialFolderFetch::Finished() const {
    if (!state_) return false;
    Locked held(state_->lock);
    return state_->finished;
}

bool SpecialFolderFetch::IconsWaiting() const {
    if (!state_) return false;
    Locked held(state_->lock);
    for (HICON icon : state_->icons)
        if (icon != nullptr) return true;
    return false;
}

bool SpecialFolderFetch::Available(std::size_t i) {
    return Answer(i, special_facts::kAvailable);
}

bool SpecialFolderFetch::HasDirectory(std::size_t i) {
    return Answer(i, special_facts::kDirectory);
}

bool SpecialFolderFetch::Answer(std::size_t i, unsigned what) {
    if (i >= kEntries) return false;
    auto ask = [&] {
        const SpecialFolderFacts facts = ask_(i, what);
        return what == special_facts::kAvailable ? facts.available : facts.hasDirectory;
    };
    if (!state_) return ask();
    auto& answers = what == special_facts::kAvailable ? state_->available : state_->hasDirectory;
    const int known = state_->Known(answers, i);
    if (known >= 0) return known != 0;
    return state_->Settle(answers, i, ask());
}

SpecialFolderFetch::Icons SpecialFolderFetch::TakeIcons() {
    Icons taken;
    taken.fill(nullptr);
    if (!state_) return taken;
    Locked held(state_->lock);
    taken.swap(state_->icons);
    state_->posted = false;
    return taken;
}

}  // namespace tellaro
