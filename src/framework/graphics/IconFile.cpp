#include "framework/graphics/IconFile.h"

#include "framework/graphics/PngHeader.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Exceptions.h"

#include <cmath>
#include <cstdlib>
#include <span>

namespace framework {

namespace {

using BitmapPtr = std::unique_ptr<TBitmap, TFreeDeleter>;

std::uint32_t U16(std::string_view s, std::size_t at) {
    return std::uint32_t{static_cast<std::uint8_t>(s[at])} |
           std::uint32_t{static_cast<std::uint8_t>(s[at + 1])} << 8;
}
std::uint32_t U32(std::string_view s, std::size_t at) { return U16(s, at) | U16(s, at + 2) << 16; }
std::int32_t I32(std::string_view s, std::size_t at) { return static_cast<std::int32_t>(U32(s, at)); }

int EntrySide(std::uint8_t v) { return v == 0 ? 256 : v; }

BitmapPtr NewBitmap(int w, int h) {
    BitmapPtr bmp(new TBitmap(w, h));
    bmp->SetPixelFormat(pf32bit);
    return bmp;
}

BitmapPtr DecodePng(std::string_view data) {
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(data.data()), data.size());
    const auto size = PngDeclaredSize(bytes);
    if (!size || size->cx < 1 || size->cy < 1 || size->cx > kIconMaxPngSide || size->cy > kIconMaxPngSide)
        return nullptr;
    BitmapPtr bmp(new TBitmap);
    try {
        bmp->LoadFromStream(bytes);
    } catch (const Exception&) {
        return nullptr;  // a damaged image is no icon
    }
    bmp->SetPixelFormat(pf32bit);
    return bmp;
}

// A device-independent bitmap as icons hold it: header, palette, colour rows bottom-up, then
// the one-bit AND mask (1 = transparent), every row padded to four bytes.
BitmapPtr DecodeDib(std::string_view d) {
    if (d.size() < 40)
        return nullptr;
    const std::uint32_t headerSize = U32(d, 0);
    const std::int32_t width = I32(d, 4);
    const std::int32_t doubleHeight = I32(d, 8);
    const std::uint32_t bpp = U16(d, 14);
    const std::uint32_t compression = U32(d, 16);
    const std::uint32_t clrUsed = U32(d, 32);
    if (headerSize < 40 || headerSize > d.size() || compression != 0)
        return nullptr;
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32)
        return nullptr;
    const int height = doubleHeight / 2;
    if (width < 1 || width > 256 || height < 1 || height > 256)
        return nullptr;

    const std::size_t paletteCount = bpp <= 8 ? (clrUsed ? clrUsed : (1u << bpp)) : 0;
    if (paletteCount > (1u << (bpp <= 8 ? bpp : 0)) && bpp <= 8)
        return nullptr;
    const std::size_t paletteAt = headerSize;
    const std::size_t xorAt = paletteAt + paletteCount * 4;
    const std::size_t xorStride = (static_cast<std::size_t>(width) * bpp + 31) / 32 * 4;
    const std::size_t andAt = xorAt + xorStride * static_cast<std::size_t>(height);
    const std::size_t andStride = (static_cast<std::size_t>(width) + 31) / 32 * 4;
    if (andAt > d.size())
        return nullptr;
    // Some writers leave the mask out of 32-bit images; then alpha alone decides.
    const bool hasMask = andAt + andStride * static_cast<std::size_t>(height) <= d.size();

    TPixel palette[256] = {};
    for (std::size_t i = 0; i < paletteCount; ++i)
        palette[i] = 0xFF000000u | (U32(d, paletteAt + i * 4) & 0x00FFFFFFu);

    BitmapPtr bmp = NewBitmap(width, height);
    bool anyAlpha = false;
    for (int y = 0; y < height; ++y) {
        const std::size_t row = xorAt + static_cast<std::size_t>(height - 1 - y) * xorStride;
        TPixel* out = bmp->ScanLine(y);
        for (int x = 0; x < width; ++x) {
            const auto ux = static_cast<std::size_t>(x);
            TPixel p = 0;
            switch (bpp) {
            case 32:
                p = U32(d, row + ux * 4);
                anyAlpha = anyAlpha || (p >> 24) != 0;
                break;
            case 24:
                p = 0xFF000000u | U16(d, row + ux * 3) |
                    std::uint32_t{static_cast<std::uint8_t>(d[row + ux * 3 + 2])} << 16;
                break;
            default: {
                const std::size_t bit = ux * bpp;
                const unsigned byte = static_cast<std::uint8_t>(d[row + bit / 8]);
                const unsigned index = (byte >> (8 - bpp - bit % 8)) & ((1u << bpp) - 1);
                p = index < paletteCount ? palette[index] : 0xFF000000u;
            }
            }
            out[x] = p;
        }
    }
    // Without alpha in the colour data the mask makes the transparency.
    if (bpp < 32 || !anyAlpha) {
        for (int y = 0; y < height; ++y) {
            const std::size_t row = andAt + static_cast<std::size_t>(height - 1 - y) * andStride;
            TPixel* out = bmp->ScanLine(y);
            for (int x = 0; x < width; ++x) {
                const bool transparent =
                    hasMask &&
                    ((static_cast<std::uint8_t>(d[row + static_cast<std::size_t>(x) / 8]) >> (7 - x % 8)) &
                     1);
                out[x] = transparent ? 0 : (out[x] | 0xFF000000u);
            }
        }
    }
    return bmp;
}

std::optional<std::string> ReadRange(const std::string& fileName, std::uint64_t offset, std::size_t count) {
    return platform::Platform().ReadFileRange(fileName, offset, count);
}

}  // namespace

bool ParseIconHeader(std::string_view Header, std::uint16_t& Type, std::uint16_t& Count) {
    if (Header.size() < kIconHeaderSize)
        return false;
    Type = static_cast<std::uint16_t>(U16(Header, 2));
    Count = static_cast<std::uint16_t>(U16(Header, 4));
    return true;
}

std::vector<TIconDirEntry> ParseIconDirectory(std::string_view Directory, std::uint16_t Count) {
    const std::size_t n = std::min<std::size_t>(Count, Directory.size() / kIconDirEntrySize);
    std::vector<TIconDirEntry> entries(n);
    for (std::size_t k = 0; k < n; ++k) {
        const std::string_view e = Directory.substr(k * kIconDirEntrySize, kIconDirEntrySize);
        TIconDirEntry& out = entries[k];
        out.w = static_cast<std::uint8_t>(e[0]);
        out.h = static_cast<std::uint8_t>(e[1]);
        out.colours = static_cast<std::uint8_t>(e[2]);
        out.reserved = static_cast<std::uint8_t>(e[3]);
        out.planes = static_cast<std::uint16_t>(U16(e, 4));
        out.bitcount = static_cast<std::uint16_t>(U16(e, 6));
        out.bytes = U32(e, 8);
        out.offset = U32(e, 12);
    }
    return entries;
}

int ChooseIconEntry(const std::vector<TIconDirEntry>& Entries, int Width, int Height, int Depth) {
    int best = -1;
    int bestSize = 0;
    int bestDepth = 0;
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        const int sizeDiff =
            std::abs(Width - EntrySide(Entries[i].w)) + std::abs(Height - EntrySide(Entries[i].h));
        const int depthDiff = std::abs(Depth - static_cast<int>(Entries[i].bitcount));
        if (best < 0 || sizeDiff < bestSize || (sizeDiff == bestSize && depthDiff < bestDepth)) {
            best = static_cast<int>(i);
            bestSize = sizeDiff;
            bestDepth = depthDiff;
        }
    }
    return best;
}

std::unique_ptr<TBitmap, TFreeDeleter> DecodeIconImage(std::string_view Data) {
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(Data.data()), Data.size());
    return HasPngSignature(bytes) ? DecodePng(Data) : DecodeDib(Data);
}

std::unique_ptr<TBitmap, TFreeDeleter> ResampleImage(const TBitmap& Source, int Width, int Height) {
    BitmapPtr out = NewBitmap(Width, Height);
    const int sw = Source.Width(), sh = Source.Height();
    if (sw == 0 || sh == 0)
        return out;
    const double fx = static_cast<double>(sw) / Width, fy = static_cast<double>(sh) / Height;
    for (int y = 0; y < Height; ++y) {
        const double y0 = y * fy, y1 = (y + 1) * fy;
        TPixel* row = out->ScanLine(y);
        for (int x = 0; x < Width; ++x) {
            const double x0 = x * fx, x1 = (x + 1) * fx;
            double sum[4] = {0, 0, 0, 0}, weights = 0;
            for (int sy = static_cast<int>(y0); sy < sh && sy < y1; ++sy) {
                const double wy = std::min<double>(sy + 1, y1) - std::max<double>(sy, y0);
                const TPixel* src = Source.ScanLine(sy);
                for (int sx = static_cast<int>(x0); sx < sw && sx < x1; ++sx) {
                    const double w = wy * (std::min<double>(sx + 1, x1) - std::max<double>(sx, x0));
                    const TPixel p = src[sx];
                    const double a = (p >> 24) * w;
                    sum[0] += a;
                    sum[1] += ((p >> 16) & 0xFF) * a;
                    sum[2] += ((p >> 8) & 0xFF) * a;
                    sum[3] += (p & 0xFF) * a;
                    weights += w;
                }
            }
            if (sum[0] <= 0 || weights <= 0) {
                row[x] = 0;
                continue;
            }
            auto channel = [](double v) {
                return static_cast<TPixel>(std::lround(std::clamp(v, 0.0, 255.0)));
            };
            row[x] = channel(sum[0] / weights) << 24 | channel(sum[1] / sum[0]) << 16 |
                     channel(sum[2] / sum[0]) << 8 | channel(sum[3] / sum[0]);
        }
    }
    return out;
}

std::unique_ptr<TBitmap, TFreeDeleter> LoadIconFromBytes(std::string_view Bytes, int Width, int Height) {
    std::uint16_t type = 0, count = 0;
    if (Width < 1 || Height < 1 || !ParseIconHeader(Bytes, type, count) || type != 1)
        return nullptr;
    const auto entries = ParseIconDirectory(Bytes.substr(kIconHeaderSize), count);
    const int chosen = ChooseIconEntry(entries, Width, Height);
    if (chosen < 0)
        return nullptr;
    const TIconDirEntry& e = entries[static_cast<std::size_t>(chosen)];
    if (e.offset > Bytes.size() || e.bytes > Bytes.size() - e.offset)
        return nullptr;
    BitmapPtr image = DecodeIconImage(Bytes.substr(e.offset, e.bytes));
    if (!image || (image->Width() == Width && image->Height() == Height))
        return image;
    return ResampleImage(*image, Width, Height);
}

std::unique_ptr<TBitmap, TFreeDeleter> LoadIconFromFile(const std::string& FileName, int Width, int Height) {
    std::uint16_t type = 0, count = 0;
    const auto header = ReadRange(FileName, 0, kIconHeaderSize);
    if (Width < 1 || Height < 1 || !header || !ParseIconHeader(*header, type, count) || type != 1)
        return nullptr;
    const auto directory = ReadRange(FileName, kIconHeaderSize, std::size_t{count} * kIconDirEntrySize);
    if (!directory)
        return nullptr;
    const auto entries = ParseIconDirectory(*directory, count);
    const int chosen = ChooseIconEntry(entries, Width, Height);
    if (chosen < 0)
        return nullptr;
    const TIconDirEntry& e = entries[static_cast<std::size_t>(chosen)];
    if (e.bytes > kIconMaxImageBytes)
        return nullptr;
    const auto data = ReadRange(FileName, e.offset, e.bytes);
    if (!data || data->size() != e.bytes)
        return nullptr;
    BitmapPtr image = DecodeIconImage(*data);
    if (!image || (image->Width() == Width && image->Height() == Height))
        return image;
    return ResampleImage(*image, Width, Height);
}

}  // namespace framework
