#include "config/item_codec.h"

#include <gtest/gtest.h>

#include "tests/common/model_builders.h"

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace tellaro {
namespace {

using Bytes = std::vector<std::uint8_t>;

std::uint32_t Word(const Bytes& b, std::size_t at) {
    return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

void PutWord(Bytes& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

std::uint32_t Sum(const Bytes& b) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i + 4 <= b.size(); i += 4) sum += Word(b, i);
    return sum;
}

// Turns a hand-made file body into a file: pads it with `pad` bytes up to
// the next word, sets the size word and appends the checksum. Lets a test
// build layouts that the encoder never writes while keeping the checksum
// right, so that only the layout checks can refuse them.
Bytes Seal(Bytes body, std::uint8_t pad = 0) {
    const std::size_t size = body.size() + 8 - body.size() % 4;
    body.resize(size - 4, pad);
    body.resize(size, 0);
    PutWord(body, 0, static_cast<std::uint32_t>(size));
    PutWord(body, size - 4, 0u - Sum(body));
    return body;
}

// Puts the checksum right again after a test changed a file's body.
Bytes Reseal(Bytes file) {
    PutWord(file, file.size() - 4, 0);
    PutWord(file, file.size() - 4, 0u - Sum(file));
    return file;
}

// Output values that no decoder would produce by accident, to see that a
// refused file leaves them alone.
struct Sentinel {
    OptionsRecord options;
    FolderSettings settings;
    Sentinel() {
        options.leftClickMenu = 9;
        options.hotkey = 0x4242;
        options.hotkeyMenu = 7;
        options.secondLaunchMenu = 8;
        options.secondLaunchWaitMs = 499;
        std::memset(settings.specialFolderOrder1, 0x5A, sizeof settings.specialFolderOrder1);
        std::memset(settings.specialFolderOrder2, 0xA5, sizeof settings.specialFolderOrder2);
        settings.items.Append(Item(FolderItemKind::Folder, 0, "Z:\\keep", "keep"));
    }
    bool Untouched() const {
        const Sentinel fresh;
        return options == fresh.options && settings == fresh.settings;
    }
};

// Decodes into a heap copy of exactly the given length, so that any read
// past the end shows up under the address sanitizer.
DecodeResult Decode(const Bytes& file, OptionsRecord& o, FolderSettings& s) {
    std::unique_ptr<std::uint8_t[]> exact(new std::uint8_t[file.size() ? file.size() : 1]);
    if (!file.empty()) std::memcpy(exact.get(), file.data(), file.size());
    return DecodeItemFile(exact.get(), file.size(), o, s);
}

::testing::AssertionResult Refused(const Bytes& file) {
    Sentinel out;
    const DecodeResult r = Decode(file, out.options, out.settings);
    if (r.status != DecodeStatus::Corrupt) return ::testing::AssertionFailure() << "accepted";
    if (!out.Untouched()) return ::testing::AssertionFailure() << "refused but outputs changed";
    return ::testing::AssertionSuccess();
}

Bytes FromHex(const char* hex) {
    Bytes out;
    unsigned v = 0;
    int n = 0;
    while (std::sscanf(hex, " %2x%n", &v, &n) == 1) {
        out.push_back(static_cast<std::uint8_t>(v));
        hex += n;
    }
    return out;
}

Bytes DefaultGolden() {
    Bytes b = FromHex(
        "58 00 00 00 0c 00 00 00 19 00 00 00 00 01 01 00 00 00 01 00 01 01 01 c8 00"
        " 25 00 00 00 43 00 00 00 52 00 00 00");
    for (int i = 0; i <= 0x1d; ++i) b.push_back(i);
    for (int i = 0; i <= 0x0e; ++i) b.push_back(i);
    for (auto v : FromHex("00 00 fd b2 6e bd")) b.push_back(v);
    return b;
}

// Settings touching every field the file carries, with texts the code page
// makes awkward: 0x5C ("\") as the second byte of a double-byte character.
FolderSettings MixedSettings() {
    FolderSettings s = TableOrderSettings();
    s.specialFolderOrder1[3] = kNotShown;
    s.specialFolderOrder2[14] = 0;
    s.items.Append(Item(FolderItemKind::Group, 0, "", "\x95\x5c\x8e\xa6"));         // 表示
    s.items.Append(Item(FolderItemKind::Folder, 1, "C:\\\x83\x5c\x83\x74\x83\x67",  // C:\ソフト
                        "\x83\x5c\x83\x74\x83\x67"));
    s.items.Append(Item(FolderItemKind::Separator, 1, "", ""));
    s.items.Append(Item(FolderItemKind::Group, 1, "", "deep"));
    s.items.Append(Item(FolderItemKind::Placeholder, 255, "", ""));
    s.items.Append(Item(FolderItemKind::Folder, 0, "", ""));
    FolderItem odd = Item(FolderItemKind::Folder, 3, "x", "y");
    odd.kind = 7;
    s.items.Append(odd);
    odd.kind = 255;
    s.items.Append(odd);
    return s;
}

OptionsRecord MixedOptions() {
    OptionsRecord o;
    o.leftClickMenu = 2;
    o.rightClickMenu = 0;
    o.leftDoubleClickAction = 3;
    o.rightDoubleClickAction = 2;
    o.hotkey = 0x0641;
    o.hotkeyNearTray = 0;
    o.hotkeyMenu = 0;
    o.secondLaunchPopup = 1;
    o.secondLaunchNearTray = 0;
    o.secondLaunchMenu = 2;
    o.secondLaunchWaitMs = 500;
    return o;
}

// The layout of the oldest files up to the first record: the folder block
// right after the 9-byte base part of the options.
Bytes OldLayoutBody() {
    Bytes body = {0, 0, 0, 0, 12, 0, 0, 0, 21, 0, 0, 0};
    const Bytes base = {2, 0, 3, 2, 0x41, 0x06, 0, 1, 0};
    body.insert(body.end(), base.begin(), base.end());
    const Bytes folderBlock = {33, 0, 0, 0, 63, 0, 0, 0, 78, 0, 0, 0};
    body.insert(body.end(), folderBlock.begin(), folderBlock.end());
    for (int i = 0; i < 30; ++i) body.push_back(29 - i);
    for (int i = 0; i < 15; ++i) body.push_back(14 - i);
    return body;
}

TEST(ItemCodecGolden, DefaultSettingsGiveTheDocumented88Bytes) {
    const Bytes file = EncodeItemFile(OptionsRecord{}, TableOrderSettings());
    EXPECT_EQ(file, DefaultGolden());

    Sentinel out;
    const DecodeResult r = Decode(DefaultGolden(), out.options, out.settings);
    EXPECT_EQ(r.status, DecodeStatus::Loaded);
    EXPECT_FALSE(r.truncated);
    EXPECT_TRUE(out.options == OptionsRecord{});
    EXPECT_TRUE(out.settings == TableOrderSettings());
}

TEST(ItemCodecGolden, OneFolderRecordGivesThe104ByteFile) {
    FolderSettings s = TableOrderSettings();
    s.items.Append(Item(FolderItemKind::Folder, 0, "C:\\Data", "Data"));
    const Bytes file = EncodeItemFile(OptionsRecord{}, s);

    Bytes expected = DefaultGolden();
    expected.resize(82);
    expected[0] = 104;
    const char record[] = "\0\0C:\\Data\0Data";  // kind, depth, path, zero, name, zero
    expected.insert(expected.end(), record, record + sizeof record);
    expected.resize(100, 0);
    for (auto v : FromHex("05 a3 3c 17")) expected.push_back(v);
    ASSERT_EQ(expected.size(), 104u);
    EXPECT_EQ(file, expected);

    Sentinel out;
    ASSERT_EQ(Decode(file, out.options, out.settings).status, DecodeStatus::Loaded);
    EXPECT_TRUE(out.settings == s);
}

TEST(ItemCodecLayout, SizePaddingAndChecksumFollowTheRecordBytes) {
    // Every remainder of the record bytes modulo four, so that the padding
    // takes each of its lengths 1 to 4.
    for (std::size_t pathLength = 0; pathLength < 8; ++pathLength) {
        FolderSettings s = TableOrderSettings();
        s.items.Append(Item(FolderItemKind::Folder, 0, std::string(pathLength, 'p'), "n"));
        const Bytes file = EncodeItemFile(OptionsRecord{}, s);
        const std::size_t b = 82 + pathLength + 1 + 4;
        SCOPED_TRACE(pathLength);
        EXPECT_EQ(file.size(), b + 8 - b % 4);
        EXPECT_EQ(Word(file, 0), file.size());
        EXPECT_EQ(Sum(file), 0u);
        const std::size_t pad = file.size() - 4 - b;
        EXPECT_GE(pad, 1u);
        EXPECT_LE(pad, 4u);
        for (std::size_t i = b; i < file.size() - 4; ++i) EXPECT_EQ(file[i], 0) << i;
    }
}

TEST(ItemCodecLayout, OptionsSitAtTheirOwnOffsets) {
    // Distinct values everywhere, so that two fields changing places shows.
    OptionsRecord o;
    o.leftClickMenu = 0x11;
    o.rightClickMenu = 0x12;
    o.leftDoubleClickAction = 0x13;
    o.rightDoubleClickAction = 0x14;
    o.hotkey = 0x1615;
    o.hotkeyNearTray = 0x17;
    o.secondLaunchPopup = 0x18;
    o.secondLaunchNearTray = 0x19;
    o.hotkeyMenu = 0x1A;
    o.secondLaunchMenu = 0x1B;
    o.secondLaunchWaitMs = 0x1D1C;
    const Bytes file = EncodeItemFile(o, TableOrderSettings());
    EXPECT_EQ(
        Bytes(file.begin() + 12, file.begin() + 25),
        (Bytes{0x11, 0x12, 0x13, 0x14, 0x15, 0x16, 0x17, 0x18, 0x19, 0x1A, 0x1B, 0x1C, 0x1D}));

    Sentinel out;
    ASSERT_EQ(Decode(file, out.options, out.settings).status, DecodeStatus::Loaded);
    EXPECT_TRUE(out.options == o);
}

TEST(ItemCodecLayout, RecordWithEmptyTextsTakesFourBytes) {
    FolderSettings s = TableOrderSettings();
    s.items.Append(Item(FolderItemKind::Separator, 2, "", ""));
    s.items.Append(Item(FolderItemKind::Folder, 1, "", ""));
    const Bytes file = EncodeItemFile(OptionsRecord{}, s);
    ASSERT_EQ(file.size(), 96u);  // 82 + 2 * 4, then four zero bytes and the checksum
    EXPECT_EQ(Bytes(file.begin() + 82, file.begin() + 90), (Bytes{2, 2, 0, 0, 0, 1, 0, 0}));

    Sentinel out;
    ASSERT_EQ(Decode(file, out.options, out.settings).status, DecodeStatus::Loaded);
    EXPECT_TRUE(out.settings == s);
}

TEST(ItemCodecLayout, TextsEndAtTheirFirstZeroByte) {
    FolderSettings s = TableOrderSettings();
    s.items.Append(Item(FolderItemKind::Folder, 0, std::string("C:\\a\0hidden", 11), "n"));
    Sentinel out;
    ASSERT_EQ(Decode(EncodeItemFile(OptionsRecord{}, s), out.options, out.settings).status,
              DecodeStatus::Loaded);
    ASSERT_EQ(out.settings.items.Size(), 1u);
    EXPECT_EQ(out.settings.items.At(0).path, "C:\\a");
    EXPECT_EQ(out.settings.items.At(0).name, "n");
}

TEST(ItemCodecRoundTrip, EveryFieldSurvives) {
    const FolderSettings s = MixedSettings();
    const OptionsRecord o = MixedOptions();
    Sentinel out;
    const DecodeResult r = Decode(EncodeItemFile(o, s), out.options, out.settings);
    ASSERT_EQ(r.status, DecodeStatus::Loaded);
    EXPECT_FALSE(r.truncated);
    EXPECT_TRUE(out.options == o);
    EXPECT_TRUE(out.settings == s);
    // Unknown kinds are kept as stored; readers see them as placeholders.
    EXPECT_EQ(out.settings.items.At(6).kind, 7);
    EXPECT_EQ(out.settings.items.At(7).kind, 255);
    EXPECT_EQ(out.settings.items.At(6).Kind(), FolderItemKind::Placeholder);
}

TEST(ItemCodecRoundTrip, EmptyListReplacesEarlierRecords) {
    Sentinel out;
    ASSERT_EQ(Decode(DefaultGolden(), out.options, out.settings).status, DecodeStatus::Loaded);
    EXPECT_EQ(out.settings.items.Size(), 0u);
}

TEST(ItemCodecRoundTrip, TrailingBytesAfterTheFileAreIgnored) {
    Bytes file = EncodeItemFile(MixedOptions(), MixedSettings());
    file.insert(file.end(), {1, 2, 3, 4, 5});
    Sentinel out;
    ASSERT_EQ(Decode(file, out.options, out.settings).status, DecodeStatus::Loaded);
    EXPECT_TRUE(out.settings == MixedSettings());
}

TEST(ItemCodecLimits, ThousandRecordsLoadWholeAndMoreAreCut) {
    FolderSettings s = TableOrderSettings();
    for (int i = 0; i < 1001; ++i)
        s.items.Append(Item(FolderItemKind::Folder, i % 3, "C:\\f" + std::to_string(i),
                            "f" + std::to_string(i)));
    FolderSettings first1000 = s;
    first1000.items.Truncate(1000);

    Sentinel whole;
    DecodeResult r =
        Decode(EncodeItemFile(OptionsRecord{}, first1000), whole.options, whole.settings);
    ASSERT_EQ(r.status, DecodeStatus::Loaded);
    EXPECT_FALSE(r.truncated);
    EXPECT_TRUE(whole.settings == first1000);

    Sentinel cut;
    r = Decode(EncodeItemFile(MixedOptions(), s), cut.options, cut.settings);
    ASSERT_EQ(r.status, DecodeStatus::Loaded);
    EXPECT_TRUE(r.truncated);
    EXPECT_TRUE(cut.settings == first1000);
    EXPECT_TRUE(cut.options == MixedOptions());  // read before the records, so kept
}

TEST(ItemCodecOptions, NineByteBlockKeepsTheExtensionFields) {
    Bytes body = OldLayoutBody();
    const char record[] = "\0\0C:\\Old\0Old";
    body.insert(body.end(), record, record + sizeof record);
    const Bytes file = Seal(body);

    Sentinel out;
    ASSERT_EQ(Decode(file, out.options, out.settings).status, DecodeStatus::Loaded);
    EXPECT_EQ(out.options.leftClickMenu, 2);
    EXPECT_EQ(out.options.rightClickMenu, 0);
    EXPECT_EQ(out.options.leftDoubleClickAction, 3);
    EXPECT_EQ(out.options.rightDoubleClickAction, 2);
    EXPECT_EQ(out.options.hotkey, 0x0641);
    EXPECT_EQ(out.options.hotkeyNearTray, 0);
    EXPECT_EQ(out.options.secondLaunchPopup, 1);
    EXPECT_EQ(out.options.secondLaunchNearTray, 0);
    const Sentinel fresh;
    EXPECT_EQ(out.options.hotkeyMenu, fresh.options.hotkeyMenu);
    EXPECT_EQ(out.options.secondLaunchMenu, fresh.options.secondLaunchMenu);
    EXPECT_EQ(out.options.secondLaunchWaitMs, fresh.options.secondLaunchWaitMs);
    EXPECT_EQ(out.settings.specialFolderOrder1[0], 29);
    EXPECT_EQ(out.settings.specialFolderOrder2[14], 0);
    ASSERT_EQ(out.settings.items.Size(), 1u);
    EXPECT_EQ(out.settings.items.At(0).path, "C:\\Old");
}

TEST(ItemCodecChecksum, EverySingleByteChangeOutsideTheSizeWordIsRefused) {
    const Bytes good = EncodeItemFile(MixedOptions(), MixedSettings());
    ASSERT_GT(good.size(), 100u);
    for (std::size_t at = 4; at < good.size(); ++at) {
        for (int delta = 1; delta < 256; ++delta) {
            Bytes bad = good;
            bad[at] = static_cast<std::uint8_t>(bad[at] + delta);
            ASSERT_TRUE(Refused(bad)) << "byte " << at << " changed by " << delta;
        }
    }
}

TEST(ItemCodecValidation, SizeWordMustFitTheBuffer) {
    const Bytes good = EncodeItemFile(MixedOptions(), MixedSettings());
    EXPECT_TRUE(Refused(Bytes(good.begin(), good.end() - 4)));  // cut short
    EXPECT_TRUE(Refused(Bytes(good.begin(), good.begin() + 3)));
    EXPECT_TRUE(Refused(Bytes{}));

    // Below 88 bytes even though every offset of this layout fits.
    const Bytes small = Seal(OldLayoutBody());
    ASSERT_EQ(small.size(), 84u);
    EXPECT_TRUE(Refused(small));

    // A size word that is no multiple of four, with its words summing to zero.
    Bytes odd = EncodeItemFile(OptionsRecord{}, TableOrderSettings());
    PutWord(odd, 0, 90);
    PutWord(odd, 84, Word(odd, 84) - 2);
    odd.resize(92, 0);
    ASSERT_EQ(Sum(Bytes(odd.begin(), odd.begin() + 88)), 0u);
    EXPECT_TRUE(Refused(odd));
}

TEST(ItemCodecValidation, OffsetsOutsideTheFileAreRefused) {
    const Bytes good = EncodeItemFile(MixedOptions(), MixedSettings());
    const std::uint32_t size = static_cast<std::uint32_t>(good.size());
    struct Case {
        const char* what;
        std::size_t field;
        std::uint32_t value;
    } cases[] = {
        {"options block past the end", 4, size - 4 - 8},
        {"options offset wrapping around", 4, 0xFFFFFFFCu},
        {"folder block past the end", 8, size - 4 - 11},
        {"folder block far away", 8, 0x7FFFFFF0u},
        {"first order array past the end", 25, size - 4 - 29},
        {"second order array past the end", 29, size - 4 - 14},
        {"second order array wrapping around", 29, 0xFFFFFFFFu},
        {"first record past the end", 33, size - 3},
    };
    for (const Case& c : cases) {
        Bytes bad = good;
        PutWord(bad, c.field, c.value);
        EXPECT_TRUE(Refused(Reseal(bad))) << c.what;
    }
    // The same fields at the last offsets that still fit are read.
    Bytes edge = good;
    PutWord(edge, 29, size - 4 - 15);
    Sentinel out;
    EXPECT_EQ(Decode(Reseal(edge), out.options, out.settings).status, DecodeStatus::Loaded);
}

TEST(ItemCodecValidation, TextWithoutItsZeroBeforeTheChecksumIsRefused) {
    Bytes body = EncodeItemFile(OptionsRecord{}, TableOrderSettings());
    body.resize(82);
    const char record[] = "\0\0ab\0cd";  // the name lacks its zero
    body.insert(body.end(), record, record + sizeof record - 1);
    EXPECT_TRUE(Refused(Seal(body, 'x')));
    // With its zero the record reads, whatever the padding holds.
    body.push_back(0);
    Sentinel out;
    ASSERT_EQ(Decode(Seal(body, 'x'), out.options, out.settings).status, DecodeStatus::Loaded);
    ASSERT_EQ(out.settings.items.Size(), 1u);
    EXPECT_EQ(out.settings.items.At(0).name, "cd");
}

}  // namespace
}  // namespace tellaro
