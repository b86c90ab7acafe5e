// Pictures of windows as PNG files, written without any library: stored deflate blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct Image
{
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb; // 3 bytes a pixel, rows top to bottom

    std::uint32_t Pixel(int x, int y) const; // 0xRRGGBB
};

std::vector<std::uint8_t> EncodePng(const Image& image);
// False when the file could not be written.
bool WritePng(const Image& image, const std::string& path);

// The checksums the format uses, exposed for their tests.
std::uint32_t Crc32(const std::uint8_t* data, std::size_t size, std::uint32_t crc = 0);
std::uint32_t Adler32(const std::uint8_t* data, std::size_t size);
