// Damaged and hostile pictures: every one must end in a FileError naming the
// file, never a crash, a read past the data or a huge allocation.

#include <gtest/gtest.h>

#include <climits>

#include "engine/image/image.hpp"
#include "image_test_util.hpp"

namespace kr::image::test {
namespace {

void PutU32(Bytes& data, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) data[offset + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

void PutU32BigEndian(Bytes& data, std::size_t offset, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) data[offset + i] = static_cast<std::uint8_t>(value >> (24 - 8 * i));
}

void ExpectDecodeFails(const Bytes& data, const std::string& context) {
    ExpectFileError([&] { DecodeImage(data, "broken.file"); }, "broken.file", context);
}

void ExpectEveryTruncationFails(const std::string& relative) {
    const Bytes data = ReadCorpus(relative);
    ASSERT_FALSE(data.empty());
    for (std::size_t length = 0; length < data.size(); ++length) {
        const Bytes prefix(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length));
        ExpectDecodeFails(prefix, relative + " cut to " + std::to_string(length));
        if (::testing::Test::HasFailure()) return;
    }
}

TEST(CorruptImage, EveryTruncationOfDdsFails) {
    for (const char* file : {"dds/dds_bc1.dds", "dds/dds_rgba8_mips.dds", "dds/dds_rgb8.dds",
                             "dds/DXGI_FORMAT_R8G8B8A8_UNORM_SRGB.dds", "dds/BC1_RGB_DX10.dds"}) {
        ExpectEveryTruncationFails(file);
    }
}

TEST(CorruptImage, EveryTruncationOfBmpPngJpegFails) {
    for (const char* file : {"img/pal8.bmp", "img/oiio-logo-with-alpha.png", "img/testorig.jpg"}) {
        ExpectEveryTruncationFails(file);
    }
}

TEST(CorruptImage, BitfieldBmpCutInItsHeaderOrPixels) {
    const Bytes data = ReadCorpus("img/rgba32.bmp");  // 124-byte info header, pixels at 138
    for (std::size_t length : {14, 17, 18, 60, 137, 138, 139, 1000, 32649}) {
        ExpectDecodeFails(Bytes(data.begin(), data.begin() + static_cast<std::ptrdiff_t>(length)),
                          "rgba32.bmp cut to " + std::to_string(length));
    }
}

TEST(CorruptImage, UnknownOrEmptyData) {
    ExpectDecodeFails({}, "empty");
    ExpectDecodeFails({'h', 'e', 'l', 'l', 'o'}, "text");
    ExpectDecodeFails({'B', 'M'}, "bmp magic only");
    ExpectDecodeFails({0xFF, 0xD8, 0xFF}, "jpeg magic only");
    ExpectDecodeFails({0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'}, "png signature only");
    ExpectFileError([] { ReadDdsInfo(ReadCorpus("img/rgb24.bmp"), "x.dds"); }, "x.dds", "bmp as dds");
}

struct DdsPatch {
    const char* what;
    std::size_t offset;
    std::uint32_t value;
};

// Field changes applied to a 16x8 A8R8G8B8 file holding 5 levels.
const DdsPatch kBadDdsFields[] = {
    {"header size", 4, 0},
    {"zero width", 16, 0},
    {"zero height", 12, 0},
    {"width over the limit", 16, 16385},
    {"height far over the limit", 12, 0x80000000u},
    {"size within the limit but not in the data", 16, 16384},
    {"mip count beyond a full chain", 28, 6},
    {"mip count enormous", 28, 0xFFFFFFFFu},
    {"cube map", 112, 0x200 | 0xFE00},
    {"volume", 112, 0x200000},
    {"neither RGB nor FourCC", 80, 0x20000},
    {"bit count 8", 88, 8},
    {"bit count 0", 88, 0},
    {"no colour masks", 92, 0},
};

TEST(CorruptImage, HostileDdsHeaderFields) {
    const Bytes original = ReadCorpus("dds/dds_rgba8_mips.dds");
    for (const DdsPatch& patch : kBadDdsFields) {
        Bytes data = original;
        PutU32(data, patch.offset, patch.value);
        if (patch.offset == 92) {  // all colour masks gone
            PutU32(data, 96, 0);
            PutU32(data, 100, 0);
        }
        ExpectDecodeFails(data, patch.what);
    }
}

TEST(CorruptImage, DdsMaskWiderThanPixel) {
    Bytes data = ReadCorpus("dds/dds_rgb8.dds");
    PutU32(data, 80, 0x41);        // RGB + ALPHAPIXELS
    PutU32(data, 104, 0xFF000000);  // alpha mask outside a 24-bit pixel
    ExpectDecodeFails(data, "24-bit alpha mask");
}

TEST(CorruptImage, UnsupportedFourCCIsNamed) {
    Bytes data = ReadCorpus("dds/dds_bc1.dds");
    data[84] = 'A';
    data[85] = 'T';
    data[86] = 'I';
    data[87] = '2';
    try {
        DecodeImage(data, "ati2.dds");
        ADD_FAILURE() << "ATI2 accepted";
    } catch (const FileError& error) {
        EXPECT_NE(std::string(error.what()).find("'ATI2'"), std::string::npos) << error.what();
    }
}

const DdsPatch kBadDx10Fields[] = {
    {"float format", 128, 2},
    {"unknown format", 128, 0xFFFFFFFFu},
    {"3D resource", 132, 4},
    {"cube flag", 136, 0x4},
    {"array of two", 140, 2},
};

TEST(CorruptImage, HostileDx10Fields) {
    const Bytes original = ReadCorpus("dds/DXGI_FORMAT_R8G8B8A8_UNORM_SRGB.dds");
    for (const DdsPatch& patch : kBadDx10Fields) {
        Bytes data = original;
        PutU32(data, patch.offset, patch.value);
        ExpectDecodeFails(data, patch.what);
    }
}

TEST(CorruptImage, MipCountIgnoredWithoutItsFlag) {
    Bytes data = ReadCorpus("dds/dds_rgba8_mips.dds");
    PutU32(data, 8, 0x100F);  // DDSD_MIPMAPCOUNT cleared, count still 5
    EXPECT_EQ(ReadDdsInfo(data, "flagless.dds").levelCount, 1);
    EXPECT_EQ(DecodeImage(data, "flagless.dds").levels.size(), 1u);
}

TEST(CorruptImage, HostileBmpHeaderFields) {
    const Bytes original = ReadCorpus("img/rgb24.bmp");
    const DdsPatch patches[] = {
        {"bit count 7", 28, 7},  // compression bytes stay 0
        {"negative width", 18, static_cast<std::uint32_t>(-127)},
        {"most negative height", 22, 0x80000000u},
        {"wide", 18, 20000},
        {"info header larger than the file", 14, 100000},
        {"info header size 20", 14, 20},
        {"pixel offset past the end", 10, 24600},
    };
    for (const DdsPatch& patch : patches) {
        Bytes data = original;
        PutU32(data, patch.offset, patch.value);
        ExpectDecodeFails(data, patch.what);
    }
}

TEST(CorruptImage, OversizedPngIsRejectedBeforeDecoding) {
    Bytes data = ReadCorpus("img/oiio-logo-with-alpha.png");
    PutU32BigEndian(data, 16, 20000);  // IHDR width
    ExpectDecodeFails(data, "png width 20000");
    PutU32BigEndian(data, 16, 0x7FFFFFFF);
    ExpectDecodeFails(data, "png width 2^31-1");
}

TEST(CorruptImage, ScrambledBytesNeverCrash) {
    // Deterministic damage across the pixel data of each kind of file: a
    // decode may succeed (pixel bytes carry no checksum) or fail cleanly.
    for (const char* file : {"dds/dds_bc1.dds", "img/pal8.bmp", "img/oiio-logo-with-alpha.png", "img/testorig.jpg"}) {
        const Bytes original = ReadCorpus(file);
        std::uint32_t state = 12345;
        for (int round = 0; round < 200; ++round) {
            Bytes data = original;
            for (int hit = 0; hit < 4; ++hit) {
                state = state * 1664525u + 1013904223u;
                data[state % data.size()] = static_cast<std::uint8_t>(state >> 24);
            }
            try {
                DecodeImage(data, file);
            } catch (const FileError& error) {
                EXPECT_EQ(error.file(), file);
            }
        }
    }
}

}  // namespace
}  // namespace kr::image::test
