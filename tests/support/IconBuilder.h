#pragma once
// Builds icon files in memory for tests: a directory alone, or whole images encoded as the
// icon format has them (bitmaps with palette and AND mask at 1, 4, 8, 24 or 32 bits, or PNG).

#include "framework/graphics/Bitmap.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

struct IconDirOnly {
    int w;  // 256 is written as 0
    int h;
    int bitcount;
};

// Little-endian bytes of v; bytes past the eighth are zero (padding).
inline void PutLE(std::string& s, std::uint64_t v, int bytes) {
    for (int i = 0; i < bytes; ++i)
        s.push_back(i < 8 ? static_cast<char>((v >> (8 * i)) & 0xFF) : '\0');
}

// A header of that type and a directory whose entries point at nothing.
inline std::string IconDirectoryOnly(const std::vector<IconDirOnly>& entries, int type = 1) {
    std::string s;
    PutLE(s, 0, 2);
    PutLE(s, static_cast<std::uint32_t>(type), 2);
    PutLE(s, static_cast<std::uint32_t>(entries.size()), 2);
    for (const auto& e : entries) {
        s.push_back(static_cast<char>(e.w & 0xFF));
        s.push_back(static_cast<char>(e.h & 0xFF));
        PutLE(s, 0, 2);
        PutLE(s, 1, 2);
        PutLE(s, static_cast<std::uint32_t>(e.bitcount), 2);
        PutLE(s, 0, 8);
    }
    return s;
}

// One image: pixels 0xAARRGGBB, rows top down. Alpha 0 sets the mask bit; at fewer than 32
// bits the colours must fit a palette of 2^bpp entries.
struct IconImage {
    int w = 0;
    int h = 0;
    int bpp = 32;  // 1, 4, 8, 24, 32; ignored for PNG
    bool png = false;
    std::vector<std::uint32_t> pixels;
};

inline std::string EncodeIconDib(const IconImage& img) {
    std::string s;
    std::vector<std::uint32_t> palette;
    if (img.bpp <= 8) {
        for (auto p : img.pixels)
            if (std::find(palette.begin(), palette.end(), p & 0xFFFFFFu) == palette.end())
                palette.push_back(p & 0xFFFFFFu);
        palette.resize(std::size_t{1} << img.bpp, 0);
    }
    PutLE(s, 40, 4);
    PutLE(s, static_cast<std::uint32_t>(img.w), 4);
    PutLE(s, static_cast<std::uint32_t>(img.h * 2), 4);
    PutLE(s, 1, 2);
    PutLE(s, static_cast<std::uint32_t>(img.bpp), 2);
    PutLE(s, 0, 24);
    for (auto c : palette)
        PutLE(s, c, 4);
    const std::size_t stride = (static_cast<std::size_t>(img.w) * img.bpp + 31) / 32 * 4;
    for (int y = img.h - 1; y >= 0; --y) {
        std::string row(stride, '\0');
        for (int x = 0; x < img.w; ++x) {
            const std::uint32_t p = img.pixels[static_cast<std::size_t>(y * img.w + x)];
            const auto ux = static_cast<std::size_t>(x);
            if (img.bpp == 32) {
                for (int i = 0; i < 4; ++i)
                    row[ux * 4 + i] = static_cast<char>((p >> (8 * i)) & 0xFF);
            } else if (img.bpp == 24) {
                for (int i = 0; i < 3; ++i)
                    row[ux * 3 + i] = static_cast<char>((p >> (8 * i)) & 0xFF);
            } else {
                const auto index = static_cast<unsigned>(
                    std::find(palette.begin(), palette.end(), p & 0xFFFFFFu) - palette.begin());
                const std::size_t bit = ux * img.bpp;
                row[bit / 8] = static_cast<char>(row[bit / 8] | (index << (8 - img.bpp - bit % 8)));
            }
        }
        s += row;
    }
    const std::size_t maskStride = (static_cast<std::size_t>(img.w) + 31) / 32 * 4;
    for (int y = img.h - 1; y >= 0; --y) {
        std::string row(maskStride, '\0');
        for (int x = 0; x < img.w; ++x)
            if ((img.pixels[static_cast<std::size_t>(y * img.w + x)] >> 24) == 0)
                row[static_cast<std::size_t>(x) / 8] =
                    static_cast<char>(row[static_cast<std::size_t>(x) / 8] | (0x80 >> (x % 8)));
        s += row;
    }
    return s;
}

inline std::string EncodeIconPng(const IconImage& img) {
    framework::TBitmap bmp(img.w, img.h);
    bmp.SetPixelFormat(framework::pf32bit);
    for (int y = 0; y < img.h; ++y)
        for (int x = 0; x < img.w; ++x)
            bmp.ScanLine(y)[x] = img.pixels[static_cast<std::size_t>(y * img.w + x)];
    const auto bytes = bmp.SaveToBytes();
    return std::string(bytes.begin(), bytes.end());
}

inline std::string BuildIcon(const std::vector<IconImage>& images) {
    std::vector<std::string> data;
    for (const auto& img : images)
        data.push_back(img.png ? EncodeIconPng(img) : EncodeIconDib(img));
    std::string s;
    PutLE(s, 0, 2);
    PutLE(s, 1, 2);
    PutLE(s, static_cast<std::uint32_t>(images.size()), 2);
    std::uint32_t offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const auto& img = images[i];
        s.push_back(static_cast<char>(img.w & 0xFF));
        s.push_back(static_cast<char>(img.h & 0xFF));
        s.push_back(static_cast<char>(img.bpp < 8 && !img.png ? 1 << img.bpp : 0));
        s.push_back('\0');
        PutLE(s, 1, 2);
        PutLE(s, static_cast<std::uint32_t>(img.png ? 32 : img.bpp), 2);
        PutLE(s, static_cast<std::uint32_t>(data[i].size()), 4);
        PutLE(s, offset, 4);
        offset += static_cast<std::uint32_t>(data[i].size());
    }
    for (const auto& d : data)
        s += d;
    return s;
}

// A square image of one colour, with the top-left quarter transparent when cut is set.
inline IconImage SolidIcon(int size, int bpp, std::uint32_t argb, bool cut = false, bool png = false) {
    IconImage img{size, size, bpp, png,
                  std::vector<std::uint32_t>(static_cast<std::size_t>(size * size), argb)};
    if (cut)
        for (int y = 0; y < size / 2; ++y)
            for (int x = 0; x < size / 2; ++x)
                img.pixels[static_cast<std::size_t>(y * size + x)] = 0;
    return img;
}

}  // namespace testsupport
