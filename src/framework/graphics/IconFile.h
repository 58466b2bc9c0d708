#pragma once
// Icon (ICO) files: the directory of their images, and the loading of the image that best
// fits a wanted size, as the platform's icon loader does it. Both kinds of image an icon file
// holds are decoded: device-independent bitmaps at 1, 4, 8, 24 and 32 bits per pixel with
// their AND mask, and PNG streams. Damaged or hostile data gives no icon, never a crash.

#include "framework/graphics/Bitmap.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace framework {

// One directory entry, fields as the file has them (a width or height of 0 stands for 256).
struct TIconDirEntry {
    std::uint8_t w = 0;
    std::uint8_t h = 0;
    std::uint8_t colours = 0;
    std::uint8_t reserved = 0;
    std::uint16_t planes = 0;
    std::uint16_t bitcount = 0;
    std::uint32_t bytes = 0;
    std::uint32_t offset = 0;
};

inline constexpr std::size_t kIconHeaderSize = 6;
inline constexpr std::size_t kIconDirEntrySize = 16;
// The largest image data and the largest PNG side an icon loader accepts.
inline constexpr std::uint32_t kIconMaxImageBytes = 16u << 20;
inline constexpr int kIconMaxPngSide = 1024;

// The type field of a header (1 for icons, 2 for cursors) and its entry count; false for
// fewer than six bytes.
bool ParseIconHeader(std::string_view Header, std::uint16_t& Type, std::uint16_t& Count);
// The entries held in Directory (the bytes after the header), in file order; a short
// directory gives the entries that fit.
std::vector<TIconDirEntry> ParseIconDirectory(std::string_view Directory, std::uint16_t Count);

// The entry that best fits Width x Height: the least difference in width plus height, then
// the colour depth nearest Depth; the first such entry wins ties. -1 for no entries.
int ChooseIconEntry(const std::vector<TIconDirEntry>& Entries, int Width, int Height, int Depth = 32);

// Decodes one image of an icon file (a DIB with its mask, or a PNG stream) into a 32-bit
// bitmap with alpha; null when the data are damaged or too large.
std::unique_ptr<TBitmap, TFreeDeleter> DecodeIconImage(std::string_view Data);

// Resamples with a box filter over premultiplied colours, so shrinking averages and growing
// repeats pixels, and transparent pixels lend no colour to their neighbours.
std::unique_ptr<TBitmap, TFreeDeleter> ResampleImage(const TBitmap& Source, int Width, int Height);

// The icon of that size from a whole icon file in memory, or from a file: the best entry,
// decoded and resampled when its size differs. Null when there is no usable icon (not an
// icon file, no entries, damaged image); a file is read only as far as the chosen image.
std::unique_ptr<TBitmap, TFreeDeleter> LoadIconFromBytes(std::string_view Bytes, int Width, int Height);
std::unique_ptr<TBitmap, TFreeDeleter> LoadIconFromFile(const std::string& FileName, int Width, int Height);

}  // namespace framework
