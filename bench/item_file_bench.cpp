// Item-file save and load with 1000 records, natively: the codec alone, and
// the whole round through a file as the program does it (write a temporary
// file, move it over the old one; read it back and decode). The flush to
// disk that a save adds on top is measured on its own, since it depends on
// the disk rather than on the program. Prints figures only.
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "bench/sample_settings.h"
#include "bench/timing.h"
#include "config/item_codec.h"

namespace tellaro {
namespace {

using bench::MedianMs;

using Bytes = std::vector<std::uint8_t>;
constexpr int kRepetitions = 201;

bool WriteFile(const std::string& path, const Bytes& image, bool flush) {
    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    bool ok =
        std::fwrite(image.data(), 1, image.size(), file) == image.size() && std::fflush(file) == 0;
    if (flush) ok = ok && fsync(fileno(file)) == 0;
    return std::fclose(file) == 0 && ok;
}

Bytes ReadFile(const std::string& path) {
    Bytes image;
    if (std::FILE* file = std::fopen(path.c_str(), "rb")) {
        std::uint8_t chunk[65536];
        std::size_t got;
        while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0)
            image.insert(image.end(), chunk, chunk + got);
        std::fclose(file);
    }
    return image;
}

}  // namespace
}  // namespace tellaro

int main() {
    using namespace tellaro;
    const FolderSettings settings = ThousandItems();
    const OptionsRecord options;
    const std::string path = (std::filesystem::temp_directory_path() /
                              ("item_file_bench_" + std::to_string(getpid()) + ".tlr"))
                                 .string();
    const std::string temp = path + ".tmp";
    Bytes image;
    bool ok = true;
    auto save = [&](bool flush) {
        image = EncodeItemFile(options, settings);
        ok &= WriteFile(temp, image, flush) && std::rename(temp.c_str(), path.c_str()) == 0;
    };
    auto load = [&] {
        OptionsRecord o;
        FolderSettings s;
        const Bytes read = ReadFile(path);
        ok &= DecodeItemFile(read.data(), read.size(), o, s).status == DecodeStatus::Loaded &&
              s.items.Size() == settings.items.Size();
    };
    const double encodeMs = MedianMs(kRepetitions, [&] { image = EncodeItemFile(options, settings); });
    const double decodeMs = MedianMs(kRepetitions, [&] {
        OptionsRecord o;
        FolderSettings s;
        DecodeItemFile(image.data(), image.size(), o, s);
    });
    const double saveMs = MedianMs(kRepetitions, [&] { save(false); });
    const double loadMs = MedianMs(kRepetitions, load);
    const double flushedMs = MedianMs(kRepetitions, [&] { save(true); });
    std::remove(path.c_str());
    if (!ok) {
        std::fprintf(stderr, "a save or load failed\n");
        return 1;
    }
    std::printf("Item file of %zu records, %zu bytes; median of %d runs each\n",
                settings.items.Size(), image.size(), kRepetitions);
    std::printf("  encode             %8.3f ms\n", encodeMs);
    std::printf("  decode             %8.3f ms\n", decodeMs);
    std::printf("  save (encode, write temporary, move over)   %8.3f ms\n", saveMs);
    std::printf("  load (read, decode)                         %8.3f ms\n", loadMs);
    std::printf("  save with flush to disk                     %8.3f ms\n", flushedMs);
    return 0;
}
