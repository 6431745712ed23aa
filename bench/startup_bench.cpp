// Start-up of Tellaro.exe beside a bare tray program built here: the time
// from process creation until the message loop waits for input (the tray
// icon is added before that), and the peak working set by then. The bare
// program also runs with the start-up work Tellaro.exe cannot leave out
// added step by step, which shows the floor of the required work. All run
// in turn in the same session, after an untimed warm-up, with default
// settings and with 1000 items. Prints figures only.
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
    const char* label;
    std::string exe;
    std::string arguments;
    const char* caption;
};

struct Series {
    std::vector<double> ms, peakKb, privateKb;
};

std::string BesideThisProgram(const char* name) {
    char self[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, self, MAX_PATH);
    std::string path = self;
    return path.substr(0, path.find_last_of("\\/") + 1) + name;
}

bool Measure(const Program& program, Series& series) {
    ChildProcess child;
    const double start = bench::NowMs();
    const char* failure = nullptr;
    if (!child.Start(program.exe, program.arguments)) {
        failure = "does not start";
    } else if (!child.WaitUntilIdle(program.caption, kStartTimeoutMs)) {
        failure = "never waits for input";
    } else {
        series.ms.push_back(bench::NowMs() - start);
        const bench::ProcessFigures figures = bench::ReadFigures(child.Handle());
        series.peakKb.push_back(figures.peakWorkingSet / 1024.0);
        series.privateKb.push_back(figures.privateBytes / 1024.0);
        if (!child.Close(program.caption, 10000)) failure = "does not end on WM_CLOSE";
    }
    if (failure) std::fprintf(stderr, "%s %s\n", program.label, failure);
    return failure == nullptr;
}

double Min(const std::vector<double>& values) {
    return *std::min_element(values.begin(), values.end());
}

bool RunConfiguration(const char* name, const FolderSettings& settings, int runs,
                      const std::vector<Program>& programs) {
    bench::SettingsFileSwap swap(settings);
    if (!swap.Written()) {
        std::fprintf(stderr, "cannot write the settings file\n");
        return false;
    }
    std::vector<Series> series(programs.size());
    // The first start of each loads its libraries from disk; what a user
    // meets after boot is the warm case. The programs take turns so that a
    // busy moment of the machine does not fall on one of them only.
    for (int run = -1; run < runs; ++run) {
        for (std::size_t i = 0; i < programs.size(); ++i) {
            Series scratch;
            if (!Measure(programs[i], run < 0 ? scratch : series[i])) return false;
        }
    }
    std::printf("%s: median (fastest) of %d starts; ratio of medians to the bare program\n", name,
                runs);
    const Series& bare = series[1];
    for (std::size_t i = 0; i < programs.size(); ++i) {
        const Series& s = series[i];
        std::printf(
            "  %-30s %7.1f ms (%7.1f) x%.2f   peak %6.0f KB (%6.0f) x%.2f   private %6.0f KB\n",
            programs[i].label, bench::Median(s.ms), Min(s.ms),
            bench::Median(s.ms) / bench::Median(bare.ms), bench::Median(s.peakKb), Min(s.peakKb),
            bench::Median(s.peakKb) / bench::Median(bare.peakKb), bench::Median(s.privateKb));
    }
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
    const std::string bare = BesideThisProgram("tellaro_bare_tray.exe");
    const std::vector<Program> programs = {
        {"Tellaro.exe", BesideThisProgram("Tellaro.exe"), "", kTellaroCaption},
        {"bare: hidden window, icon", bare, "", kBareCaption},
        {"bare + COM", bare, "--com", kBareCaption},
        {"bare + COM + main window", bare, "--com --main-window", kBareCaption},
    };
    FolderSettings defaults;
    for (std::uint8_t k = 0; k < kSpecialFolderCount1; ++k) defaults.specialFolderOrder1[k] = k;
    for (std::uint8_t k = 0; k < kSpecialFolderCount2; ++k) defaults.specialFolderOrder2[k] = k;
    if (!RunConfiguration("Default settings", defaults, runs, programs)) return 1;
    if (!RunConfiguration("1000 items", ThousandItems(), runs, programs)) return 1;
    return 0;
}
