// The PNG writer, read back by a decoder of stored deflate blocks written here for the
// purpose, and its checksums against their published check values.
#include "Png.h"

#include <gtest/gtest.h>

#include <cstring>
#include <optional>
#include <string_view>

namespace
{
std::uint32_t Big32(const std::uint8_t* p)
{
    return static_cast<std::uint32_t>(p[0] << 24 | p[1] << 16 | p[2] << 8 | p[3]);
}

// Reads a PNG of 8-bit RGB rows in stored deflate blocks, checking every checksum and
// length on the way; nullopt (with a gtest failure saying why) when anything is off.
std::optional<Image> Decode(const std::vector<std::uint8_t>& png)
{
    const std::uint8_t signature[] = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    if (png.size() < 8 || std::memcmp(png.data(), signature, 8) != 0)
        return ADD_FAILURE() << "no PNG signature", std::nullopt;
    Image image;
    std::vector<std::uint8_t> zlib;
    bool ended = false;
    for (std::size_t at = 8; at < png.size();)
    {
        if (png.size() - at < 12)
            return ADD_FAILURE() << "chunk cut short", std::nullopt;
        const std::uint32_t length = Big32(&png[at]);
        if (png.size() - at - 12 < length)
            return ADD_FAILURE() << "chunk longer than the file", std::nullopt;
        const std::string_view type(reinterpret_cast<const char*>(&png[at + 4]), 4);
        const std::uint8_t* data = &png[at + 8];
        if (Crc32(&png[at + 4], length + 4) != Big32(data + length))
            return ADD_FAILURE() << "bad CRC in " << type, std::nullopt;
        if (type == "IHDR")
        {
            image.width = static_cast<int>(Big32(data));
            image.height = static_cast<int>(Big32(data + 4));
            if (length != 13 || data[8] != 8 || data[9] != 2 || data[10] != 0 || data[11] != 0 || data[12] != 0)
                return ADD_FAILURE() << "not 8-bit RGB without interlace", std::nullopt;
        }
        else if (type == "IDAT")
            zlib.insert(zlib.end(), data, data + length);
        else if (type == "IEND")
            ended = true;
        at += 12 + length;
    }
    if (!ended || zlib.size() < 6 || (zlib[0] << 8 | zlib[1]) % 31 != 0 || (zlib[0] & 0x0F) != 8)
        return ADD_FAILURE() << "no IEND, or not a zlib deflate stream", std::nullopt;

    std::vector<std::uint8_t> raw;
    std::size_t at = 2;
    for (bool last = false; !last;)
    {
        if (zlib.size() - at < 5 || (zlib[at] & 0x06) != 0)
            return ADD_FAILURE() << "not a stored block", std::nullopt;
        last = zlib[at] & 1;
        const unsigned len = zlib[at + 1] | zlib[at + 2] << 8;
        const unsigned nlen = zlib[at + 3] | zlib[at + 4] << 8;
        if ((len ^ nlen) != 0xFFFF || zlib.size() - at - 5 < len)
            return ADD_FAILURE() << "bad stored block length", std::nullopt;
        raw.insert(raw.end(), &zlib[at + 5], &zlib[at + 5] + len);
        at += 5 + len;
    }
    if (zlib.size() - at != 4 || Big32(&zlib[at]) != Adler32(raw.data(), raw.size()))
        return ADD_FAILURE() << "bad Adler-32 or trailing bytes", std::nullopt;

    const std::size_t rowBytes = static_cast<std::size_t>(image.width) * 3;
    if (raw.size() != (rowBytes + 1) * static_cast<std::size_t>(image.height))
        return ADD_FAILURE() << "pixel data of the wrong size", std::nullopt;
    for (std::size_t row = 0; row < static_cast<std::size_t>(image.height); ++row)
    {
        const std::uint8_t* line = &raw[row * (rowBytes + 1)];
        if (line[0] != 0)
            return ADD_FAILURE() << "row " << row << " is filtered", std::nullopt;
        image.rgb.insert(image.rgb.end(), line + 1, line + 1 + rowBytes);
    }
    return image;
}

Image Gradient(int width, int height)
{
    Image image{width, height, {}};
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.rgb.insert(image.rgb.end(), {static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y),
                                               static_cast<std::uint8_t>(x * 3 + y * 5)});
    return image;
}
} // namespace

TEST(Png, ChecksumsMatchTheirPublishedCheckValues)
{
    const struct
    {
        std::string_view input;
        std::uint32_t crc;
        std::uint32_t adler;
    } cases[] = {
        {"", 0x00000000, 0x00000001},
        {"123456789", 0xCBF43926, 0x091E01DE},
        {"Wikipedia", 0xADAAC02E, 0x11E60398},
        {"IEND", 0xAE426082, 0x02D70121},
    };
    for (const auto& c : cases)
    {
        const auto* bytes = reinterpret_cast<const std::uint8_t*>(c.input.data());
        EXPECT_EQ(Crc32(bytes, c.input.size()), c.crc) << "CRC-32 of \"" << c.input << '"';
        EXPECT_EQ(Adler32(bytes, c.input.size()), c.adler) << "Adler-32 of \"" << c.input << '"';
    }
}

TEST(Png, PicturesReadBackPixelForPixel)
{
    // One pixel; odd sizes; more than one stored block (over 65535 bytes of rows).
    const struct
    {
        int width, height;
    } sizes[] = {{1, 1}, {3, 2}, {7, 5}, {200, 150}, {1, 30000}};
    for (const auto& size : sizes)
    {
        SCOPED_TRACE(std::to_string(size.width) + " x " + std::to_string(size.height));
        const Image image = Gradient(size.width, size.height);
        const std::optional<Image> read = Decode(EncodePng(image));
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->width, size.width);
        EXPECT_EQ(read->height, size.height);
        EXPECT_TRUE(read->rgb == image.rgb) << "pixels differ";
    }
}

TEST(Png, PixelReadsRedGreenBlue)
{
    const Image image = Gradient(4, 3);
    EXPECT_EQ(image.Pixel(2, 1), 0x02010Bu); // x, y, x*3 + y*5
    EXPECT_EQ(image.Pixel(3, 2), 0x030213u);
}
