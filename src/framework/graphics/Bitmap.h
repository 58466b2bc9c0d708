#pragma once
// TBitmap: an image in memory with its own canvas, read from and written to PNG.
//
// Pixels are TPixel words (0xAARRGGBB, straight alpha), rows top to bottom without padding.
// A new or enlarged bitmap is opaque white, as the classic bitmap starts. PNG files keep the
// alpha of 32-bit bitmaps that have any; fully opaque images are written as plain RGB.

#include "framework/graphics/Canvas.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace framework {

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit, pfCustom };

class TBitmap : public TPersistent {
public:
    // The largest width and height accepted, from code or from a file.
    static constexpr int kMaxDimension = 16384;
    // The largest PNG file read: what the largest image takes uncompressed, which a PNG
    // hardly exceeds.
    static constexpr std::size_t kMaxFileSize = std::size_t{1} << 30;

    TBitmap();
    TBitmap(int width, int height);
    ~TBitmap() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    int Width() const { return m_width; }
    int Height() const { return m_height; }
    void SetWidth(int value) { SetSize(value, m_height); }
    void SetHeight(int value) { SetSize(m_width, value); }
    // Keeps the pixels that still fit; new ones are opaque white. Negative sizes count as 0;
    // sizes over kMaxDimension raise EInvalidGraphic and leave the bitmap as it was.
    void SetSize(int width, int height);
    bool Empty() const { return m_width == 0 || m_height == 0; }

    TCanvas* Canvas() const { return m_canvas.get(); }
    const TPixelSurface& Surface() const { return m_canvas->Surface(); }
    // Row access for fast code; raises EInvalidGraphicOperation for a row off the bitmap.
    TPixel* ScanLine(int row);
    const TPixel* ScanLine(int row) const;

    // pf32bit keeps alpha when the image is saved; every other format is written opaque.
    // The pixels in memory are 32-bit whatever the format.
    TPixelFormat PixelFormat() const { return m_pixelFormat; }
    void SetPixelFormat(TPixelFormat value) { m_pixelFormat = value; }
    // With Transparent set, Draw leaves out pixels of the transparent colour; clDefault (the
    // default) takes the colour of the bottom-left pixel.
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool value) { m_transparent = value; }
    TColor TransparentColor() const { return m_transparentColor; }
    void SetTransparentColor(TColor value) { m_transparentColor = value; }
    TColor TransparentColorValue() const;

    void Assign(const TPersistent* Source) override;

    // PNG files and PNG bytes in memory. A damaged image raises EInvalidGraphic naming the
    // file; a file that cannot be opened or created raises EFOpenError or EFCreateError. Only a
    // regular file of at most kMaxFileSize is read (a pipe or device is refused at once), and a
    // file is saved atomically: readers see the old picture or the new one, never a torn one.
    void LoadFromFile(const std::string& fileName);
    void SaveToFile(const std::string& fileName) const;
    void LoadFromStream(std::span<const std::uint8_t> png);
    void SaveToStream(std::vector<std::uint8_t>& png) const;
    std::vector<std::uint8_t> SaveToBytes() const;

private:
    void Decode(std::span<const std::uint8_t> png, const std::string& source);
    void UpdateSurface();

    int m_width = 0;
    int m_height = 0;
    std::vector<TPixel> m_pixels;
    std::unique_ptr<TCanvas> m_canvas;
    TPixelFormat m_pixelFormat = pf32bit;
    bool m_transparent = false;
    TColor m_transparentColor = clDefault;
};

}  // namespace framework
