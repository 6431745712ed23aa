// Start-up of Tellaro.exe beside a bare tray program built here: the time
// from process creation until the message loop waits for input (the tray
// icon is added before that), and the peak working set by then. Both run in
// turn in the same session, after an untimed warm-up, with default settings
// and with 1000 items. Prints figures only.
// usage: tellaro_startup_bench [RUNS]   (Tellaro.exe and
//        tellaro_bare_tray.exe are taken from this program's folder)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/process_bench.h"
#include "bench/sample_settings.h"

namespace tellaro {
namespace {

using bench::ChildProcess;

constexpr char kTellaroCaption[] = "Tellaro Explorer";
constexpr char kBareCaption[] = "Tellaro Bare Tray";
constexpr DWORD kStartTimeoutMs = 60000;

struct Program {
    std::string exe;
    const char* caption;
};

struct Sample {
    double ms = 0;
    double peakKb = 0;
    double privateKb = 0;
};

struct Series {
    std::vector<double> ms, peakKb, privateKb;
    void Add(const Sample& s) {
        ms.push_back(s.ms);
        peakKb.push_back(s.peakKb);
        privateKb.push_back(s.privateKb);
    }
};

std::string BesideThisProgram(const char* name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

bool Measure(const Program& program, Sample& sample) {
    ChildProcess child;
    const double start = bench::NowMs();
    const char* failure = nullptr;
    if (!child.Start(program.exe)) {
        failure = "does not start";
    } else if (!child.WaitUntilIdle(program.caption, kStartTimeoutMs)) {
        failure = "never waits for input";
    } else {
        sample.ms = bench::NowMs() - start;
        const bench::ProcessFigures figures = bench::ReadFigures(child.Handle());
        sample.peakKb = figures.peakWorkingSet / 1024.0;
        sample.privateKb = figures.privateBytes / 1024.0;
        if (!child.Close(program.caption, 10000)) failure = "does not end on WM_CLOSE";
    }
    if (failure) std::fprintf(stderr, "%s %s\n", program.exe.c_str(), failure);
    return failure == nullptr;
}

bool RunConfiguration(const char* name, const FolderSettings& settings, int runs,
                      const Program& tellaro, const Program& bare) {
    bench::SettingsFileSwap swap(settings);
    if (!swap.Written()) {
        std::fprintf(stderr, "cannot write the settings file\n");
        return false;
    }
    Sample sample;
    // The first start of each loads its libraries from disk; what a user
    // meets after boot is the warm case.
    if (!Measure(bare, sample) || !Measure(tellaro, sample)) return false;
    Series t, b;
    for (int i = 0; i < runs; ++i) {
        if (!Measure(bare, sample)) return false;
        b.Add(sample);
        if (!Measure(tellaro, sample)) return false;
        t.Add(sample);
    }
    const double ms = bench::Median(t.ms), floorMs = bench::Median(b.ms);
    const double kb = bench::Median(t.peakKb), floorKb = bench::Median(b.peakKb);
    std::printf("%s\n", name);
    std::printf("  to message loop  %8.1f ms     bare %8.1f ms     ratio %.2f\n", ms, floorMs,
                ms / floorMs);
    std::printf("  peak working set %8.0f KB     bare %8.0f KB     ratio %.2f\n", kb, floorKb,
                kb / floorKb);
    std::printf("  private at idle  %8.0f KB     bare %8.0f KB\n", bench::Median(t.privateKb),
                bench::Median(b.privateKb));
    return true;
}

}  // namespace
}  // namespace tellaro

int main(int argc, char** argv) {
    using namespace tellaro;
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 7;
    if (FindWindowA(nullptr, kTellaroCaption)) {
        std::fprintf(stderr, "Tellaro Explorer is running; end it first\n");
        return 1;
    }
    const Program tellaro{BesideThisProgram("Tellaro.exe"), kTellaroCaption};
    const Program bare{BesideThisProgram("tellaro_bare_tray.exe"), kBareCaption};
    std::printf("Median of %d starts each.\n", runs);
    FolderSettings defaults;
    for (std::uint8_t k = 0; k < kSpecialFolderCount1; ++k) defaults.specialFolderOrder1[k] = k;
    for (std::uint8_t k = 0; k < kSpecialFolderCount2; ++k) defaults.specialFolderOrder2[k] = k;
    if (!RunConfiguration("Default settings", defaults, runs, tellaro, bare)) return 1;
    if (!RunConfiguration("1000 items", ThousandItems(), runs, tellaro, bare)) return 1;
    return 0;
}
