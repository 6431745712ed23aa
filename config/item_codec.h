// The binary layout of the item file "Tellaro.tlr": options, the two
// special-folder order arrays and the folder list, guarded by an additive
// checksum. Portable: no Windows headers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "config/folder_model.h"
#include "config/options_record.h"

namespace tellaro {

namespace item_file {
constexpr std::size_t kMinimumSize = 88;        // header, options, folder block, no records
constexpr std::uint32_t kOptionsOffset = 12;    // header: size, options offset, folder offset
constexpr std::uint32_t kOptionsBaseSize = 9;   // what the oldest files carry
constexpr std::uint32_t kOptionsFullSize = 13;  // base plus the 4-byte extension
constexpr std::uint32_t kFolderBlockOffset = 25;
constexpr std::uint32_t kOrder1Offset = 37;
constexpr std::uint32_t kOrder2Offset = 67;
constexpr std::uint32_t kFirstRecordOffset = 82;
constexpr std::size_t kRecordOverhead = 4;  // kind, depth and two terminating zeros
}  // namespace item_file

// The whole file for these settings, checksum included. Texts end at their
// first zero byte: the format cannot carry an embedded one.
std::vector<std::uint8_t> EncodeItemFile(const OptionsRecord& options,
                                         const FolderSettings& settings);

enum class DecodeStatus {
    Loaded,   // options and settings were replaced
    Corrupt,  // checksum or layout is wrong; options and settings are untouched
};

struct DecodeResult {
    DecodeStatus status = DecodeStatus::Corrupt;
    bool truncated = false;  // the file held more than kMaxFolderItems records
};

// Reads a file image. The size word decides how much of `data` belongs to the
// file; bytes after it are ignored. Extension options (hotkey menu, second
// launch menu and wait) keep their values when the file's options block is
// only the 9-byte base part.
DecodeResult DecodeItemFile(const std::uint8_t* data, std::size_t size, OptionsRecord& options,
                            FolderSettings& settings);

}  // namespace tellaro
