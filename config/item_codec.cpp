#include "config/item_codec.h"

#include <cstring>
#include <utility>

namespace tellaro {

namespace {

using namespace item_file;

// Length of a text as the file stores it: up to its first zero byte.
std::size_t StoredLength(const std::string& text) {
    return std::strlen(text.c_str());
}

class Writer {
public:
    explicit Writer(std::vector<std::uint8_t>& out) : out_(out) {}
    void Byte(std::uint8_t v) { out_[pos_++] = v; }
    void Word16(std::uint16_t v) {
        Byte(static_cast<std::uint8_t>(v));
        Byte(static_cast<std::uint8_t>(v >> 8));
    }
    void Word32(std::uint32_t v) {
        for (int shift = 0; shift < 32; shift += 8) Byte(static_cast<std::uint8_t>(v >> shift));
    }
    void Bytes(const std::uint8_t* p, std::size_t n) {
        if (n) std::memcpy(&out_[pos_], p, n);
        pos_ += n;
    }
    void Text(const std::string& text) {
        Bytes(reinterpret_cast<const std::uint8_t*>(text.c_str()), StoredLength(text));
        Byte(0);
    }

private:
    std::vector<std::uint8_t>& out_;
    std::size_t pos_ = 0;
};

std::uint32_t Word32At(const std::uint8_t* p) {
    return static_cast<std::uint32_t>(p[0]) | static_cast<std::uint32_t>(p[1]) << 8 |
           static_cast<std::uint32_t>(p[2]) << 16 | static_cast<std::uint32_t>(p[3]) << 24;
}

std::uint16_t Word16At(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | p[1] << 8);
}

std::uint32_t WordSum(const std::uint8_t* data, std::size_t words) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < words; ++i) sum += Word32At(data + 4 * i);
    return sum;
}

void WriteOptions(Writer& w, const OptionsRecord& o) {
    w.Byte(o.leftClickMenu);
    w.Byte(o.rightClickMenu);
    w.Byte(o.leftDoubleClickAction);
    w.Byte(o.rightDoubleClickAction);
    w.Word16(o.hotkey);
    w.Byte(o.hotkeyNearTray);
    w.Byte(o.secondLaunchPopup);
    w.Byte(o.secondLaunchNearTray);
    w.Byte(o.hotkeyMenu);
    w.Byte(o.secondLaunchMenu);
    w.Word16(o.secondLaunchWaitMs);
}

// A file image whose size word has been checked against the buffer. Every
// read goes through a bounds test against `end`, the start of the checksum
// word: nothing the file's own offsets say can move a read outside it.
class Reader {
public:
    Reader(const std::uint8_t* data, std::uint32_t fileSize) : data_(data), end_(fileSize - 4) {}

    // True when `count` bytes starting at `offset` lie inside the file body.
    bool Holds(std::uint64_t offset, std::uint64_t count) const {
        return offset <= end_ && count <= end_ - offset;
    }
    std::uint32_t Word32(std::uint32_t offset) const { return Word32At(data_ + offset); }
    const std::uint8_t* At(std::uint32_t offset) const { return data_ + offset; }

    // Reads a zero-terminated text at `offset` and moves past its zero.
    bool Text(std::uint32_t& offset, std::string& out) const {
        const void* zero = offset < end_ ? std::memchr(data_ + offset, 0, end_ - offset) : nullptr;
        if (!zero) return false;
        const auto* stop = static_cast<const std::uint8_t*>(zero);
        out.assign(reinterpret_cast<const char*>(data_ + offset), stop - (data_ + offset));
        offset = static_cast<std::uint32_t>(stop - data_) + 1;
        return true;
    }

private:
    const std::uint8_t* data_;
    std::uint32_t end_;
};

void ReadBaseOptions(const std::uint8_t* p, OptionsRecord& o) {
    o.leftClickMenu = p[0];
    o.rightClickMenu = p[1];
    o.leftDoubleClickAction = p[2];
    o.rightDoubleClickAction = p[3];
    o.hotkey = Word16At(p + 4);
    o.hotkeyNearTray = p[6];
    o.secondLaunchPopup = p[7];
    o.secondLaunchNearTray = p[8];
}

void ReadExtensionOptions(const std::uint8_t* p, OptionsRecord& o) {
    o.hotkeyMenu = p[0];
    o.secondLaunchMenu = p[1];
    o.secondLaunchWaitMs = Word16At(p + 2);
}

bool ReadOptions(const Reader& r, OptionsRecord& options) {
    const std::uint32_t a = r.Word32(4);
    const std::uint32_t f = r.Word32(8);
    if (!r.Holds(a, kOptionsBaseSize)) return false;
    ReadBaseOptions(r.At(a), options);
    // Older files end the options block after the base part; the folder
    // block then starts right there and the extension keeps its values.
    if (static_cast<std::uint64_t>(f) > static_cast<std::uint64_t>(a) + kOptionsBaseSize) {
        if (!r.Holds(std::uint64_t{a} + kOptionsBaseSize, kOptionsFullSize - kOptionsBaseSize))
            return false;
        ReadExtensionOptions(r.At(a + kOptionsBaseSize), options);
    }
    return true;
}

// Reads the folder block and both order arrays; the offset of the first
// record comes back through `recordOffset`.
bool ReadOrderArrays(const Reader& r, FolderSettings& settings, std::uint32_t& recordOffset) {
    const std::uint32_t f = r.Word32(8);
    if (!r.Holds(f, 12)) return false;
    const std::uint32_t o1 = r.Word32(f);
    const std::uint32_t o2 = r.Word32(f + 4);
    recordOffset = r.Word32(f + 8);
    if (!r.Holds(o1, kSpecialFolderCount1) || !r.Holds(o2, kSpecialFolderCount2)) return false;
    if (!r.Holds(recordOffset, 0)) return false;
    std::memcpy(settings.specialFolderOrder1, r.At(o1), kSpecialFolderCount1);
    std::memcpy(settings.specialFolderOrder2, r.At(o2), kSpecialFolderCount2);
    return true;
}

bool ReadRecords(const Reader& r, std::uint32_t offset, std::uint32_t fileSize,
                 FolderItemList& items, bool& truncated) {
    // Records run until the last word before the checksum: the padding after
    // them is one to four bytes, so no record can start in that word.
    const std::uint32_t stop = fileSize - 8;
    while (offset < stop) {
        if (items.Size() == kMaxFolderItems) {
            truncated = true;
            return true;
        }
        FolderItem item;
        item.kind = *r.At(offset);
        item.depth = *r.At(offset + 1);
        offset += 2;
        if (!r.Text(offset, item.path) || !r.Text(offset, item.name)) return false;
        items.Append(std::move(item));
    }
    return true;
}

}  // namespace

std::vector<std::uint8_t> EncodeItemFile(const OptionsRecord& options,
                                         const FolderSettings& settings) {
    std::size_t body = kFirstRecordOffset;
    for (const FolderItem& item : settings.items)
        body += StoredLength(item.path) + StoredLength(item.name) + kRecordOverhead;
    const std::size_t size = body + 8 - body % 4;

    std::vector<std::uint8_t> out(size, 0);
    Writer w(out);
    w.Word32(static_cast<std::uint32_t>(size));
    w.Word32(kOptionsOffset);
    w.Word32(kFolderBlockOffset);
    WriteOptions(w, options);
    w.Word32(kOrder1Offset);
    w.Word32(kOrder2Offset);
    w.Word32(kFirstRecordOffset);
    w.Bytes(settings.specialFolderOrder1, kSpecialFolderCount1);
    w.Bytes(settings.specialFolderOrder2, kSpecialFolderCount2);
    for (const FolderItem& item : settings.items) {
        w.Byte(item.kind);
        w.Byte(item.depth);
        w.Text(item.path);
        w.Text(item.name);
    }
    const std::uint32_t sum = WordSum(out.data(), size / 4 - 1);
    const std::uint32_t check = 0u - sum;
    for (int i = 0; i < 4; ++i) out[size - 4 + i] = static_cast<std::uint8_t>(check >> (8 * i));
    return out;
}

DecodeResult DecodeItemFile(const std::uint8_t* data, std::size_t size, OptionsRecord& options,
                            FolderSettings& settings) {
    DecodeResult result;
    if (!data || size < 4) return result;
    const std::uint32_t fileSize = Word32At(data);
    if (fileSize < kMinimumSize || fileSize % 4 != 0 || fileSize > size) return result;
    if (WordSum(data, fileSize / 4) != 0) return result;

    // Decode into copies so that a file found bad halfway leaves the caller's
    // settings exactly as they were.
    const Reader reader(data, fileSize);
    OptionsRecord newOptions = options;
    FolderSettings newSettings;
    std::uint32_t recordOffset = 0;
    bool truncated = false;
    if (!ReadOptions(reader, newOptions) || !ReadOrderArrays(reader, newSettings, recordOffset) ||
        !ReadRecords(reader, recordOffset, fileSize, newSettings.items, truncated))
        return result;

    options = newOptions;
    std::memcpy(settings.specialFolderOrder1, newSettings.specialFolderOrder1,
                kSpecialFolderCount1);
    std::memcpy(settings.specialFolderOrder2, newSettings.specialFolderOrder2,
                kSpecialFolderCount2);
    settings.items = std::move(newSettings.items);
    result.status = DecodeStatus::Loaded;
    result.truncated = truncated;
    return result;
}

}  // namespace tellaro
