#pragma once
// TCanvas paints on a 32-bit pixel surface with the integer rules of the classic drawing layer:
// rectangles exclude their right column and bottom row, lines leave out their last pixel,
// polygons fill by the alternate rule, text paints its cell in the brush colour unless the
// brush is clear, and a clip rectangle and an origin apply to everything.
//
// Pixels are 32-bit words 0xAARRGGBB (bytes B, G, R, A in memory, the layout cairo and most
// image code call ARGB32), with straight (not premultiplied) alpha. Everything the canvas
// paints is opaque; alpha only comes from loaded images and is honoured by Draw.

#include "framework/graphics/GraphicsObjects.h"
#include "framework/rtl/Types.h"

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace framework {

class TBitmap;
class TFontInstance;

using TPixel = std::uint32_t;

constexpr TPixel ColorToPixel(TColor rgb) {
    return 0xFF000000u | (static_cast<TPixel>(GetRValue(rgb)) << 16) |
           (static_cast<TPixel>(GetGValue(rgb)) << 8) | static_cast<TPixel>(GetBValue(rgb));
}
constexpr TColor PixelToColor(TPixel p) {
    return RGB(static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
               static_cast<int>(p & 0xFF));
}

// Memory a canvas paints on; Stride is in pixels. The owner of the memory keeps it alive.
struct TPixelSurface {
    TPixel* Bits = nullptr;
    int Width = 0;
    int Height = 0;
    int Stride = 0;
};

// Background modes for text and dashed lines, as SetBkMode takes them.
enum : int { TRANSPARENT = 1, OPAQUE = 2 };
// What Pixels answers for a point off the surface or outside the clip rectangle.
inline constexpr TColor CLR_INVALID = -1;

// How a block copy combines each source pixel with the destination.
enum TBlitMode : int { kBlitCopy, kBlitDraw, kBlitOr, kBlitAnd, kBlitXor, kBlitNotCopy };

class TCanvas : public TPersistent {
public:
    TCanvas();
    explicit TCanvas(const TPixelSurface& surface);
    ~TCanvas() override;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    // The owner of the pixels hands them over again whenever they move (a bitmap resized).
    void SetSurface(const TPixelSurface& surface);
    const TPixelSurface& Surface() const { return m_surface; }
    TCanvas* Handle() { return this; }

    TFont* Font() const { return m_font.get(); }
    TBrush* Brush() const { return m_brush.get(); }
    TPen* Pen() const { return m_pen.get(); }
    void SetFont(const TFont* value) { m_font->Assign(value); }
    void SetBrush(const TBrush* value) { m_brush->Assign(value); }
    void SetPen(const TPen* value) { m_pen->Assign(value); }

    TPoint PenPos() const { return m_penPos; }
    void SetPenPos(TPoint value) { m_penPos = value; }
    void MoveTo(int x, int y) { m_penPos = TPoint{x, y}; }
    // A line from the pen position up to, but not including, (x, y); the pen moves there.
    void LineTo(int x, int y);
    void Polyline(std::span<const TPoint> points);
    void Polygon(std::span<const TPoint> points);

    void FillRect(const TRect& rect);
    void FrameRect(const TRect& rect);
    void Rectangle(int left, int top, int right, int bottom);
    void Rectangle(const TRect& rect) { Rectangle(rect.Left, rect.Top, rect.Right, rect.Bottom); }
    void Ellipse(int left, int top, int right, int bottom);
    void Ellipse(const TRect& rect) { Ellipse(rect.Left, rect.Top, rect.Right, rect.Bottom); }

    // (x, y) is the top left of the text cell; the pen ends at (x + TextWidth, y).
    void TextOut(int x, int y, std::string_view text);
    // Text clipped to rect; with a non-clear brush the whole rect is filled first.
    void TextRect(const TRect& rect, int x, int y, std::string_view text);
    int TextWidth(std::string_view text);
    int TextHeight(std::string_view text);
    TSize TextExtent(std::string_view text);
    // The engine face of the current font (metrics, glyph coverage, supported characters).
    TFontInstance& FontInstance();

    // 0x00BBGGRR of a pixel, or CLR_INVALID off the surface or outside the clip rectangle.
    TColor Pixels(int x, int y) const;
    void SetPixel(int x, int y, TColor color);

    // Paints a bitmap at (x, y), honouring its alpha and its transparent colour.
    void Draw(int x, int y, const TBitmap& bitmap);
    void StretchDraw(const TRect& rect, const TBitmap& bitmap);
    // Copies src's srcRect into dest (stretched, nearest pixel, when the sizes differ), clipped
    // on both surfaces; pixels are copied as they are, alpha included.
    void CopyRect(const TRect& dest, const TCanvas& src, const TRect& srcRect);
    // CopyRect with another way of combining the pixels (the raster operations of BitBlt).
    void BlitFrom(const TRect& dest, const TCanvas& src, const TRect& srcRect, TBlitMode mode);

    // The clip rectangle in this canvas's coordinates (the whole surface when none is set).
    TRect ClipRect() const;
    void SetClipRect(const TRect& rect);
    void IntersectClipRect(const TRect& rect);
    void ResetClip() { m_hasClip = false; }
    bool HasClip() const { return m_hasClip; }
    // Shifts all drawing: logical (0, 0) lands on surface pixel (x, y).
    TPoint Origin() const { return m_origin; }
    void SetOrigin(int x, int y) { m_origin = TPoint{x, y}; }
    // OPAQUE while the brush is solid, TRANSPARENT otherwise, as selecting a brush sets it.
    int BkMode() const { return m_bkMode; }
    int SetBkMode(int mode);

    void Assign(const TPersistent* Source) override;

private:
    friend class TCanvasStateSaver;
    struct Painter;

    TRect DeviceClip() const;
    void BrushChanged(TObject* sender);
    void FontChanged(TObject*) { m_fontInstance = nullptr; }
    void Blit(const TRect& dest, const TPixelSurface& src, const TRect& srcRect, int mode,
              const TBitmap* bmp);
    int PaintText(int x, int y, std::string_view text, const TRect* clip);  // gives the width

    TPixelSurface m_surface;
    std::unique_ptr<TFont> m_font;
    std::unique_ptr<TBrush> m_brush;
    std::unique_ptr<TPen> m_pen;
    TPoint m_penPos;
    TPoint m_origin;
    TRect m_clip;  // in surface pixels
    bool m_hasClip = false;
    int m_bkMode = OPAQUE;
    TFontInstance* m_fontInstance = nullptr;  // the engine's, found again after a font change
};

// Saves a canvas's pen, brush, font, clip rectangle, origin and background mode, and puts them
// back when it goes out of scope.
class TCanvasStateSaver {
public:
    explicit TCanvasStateSaver(TCanvas& canvas);
    explicit TCanvasStateSaver(TCanvas* canvas) : TCanvasStateSaver(*canvas) {}
    ~TCanvasStateSaver();
    TCanvasStateSaver(const TCanvasStateSaver&) = delete;
    TCanvasStateSaver& operator=(const TCanvasStateSaver&) = delete;

private:
    TCanvas& m_canvas;
    TFont m_font;
    TBrush m_brush;
    TPen m_pen;
    TRect m_clip;
    bool m_hasClip;
    TPoint m_origin;
    int m_bkMode;
};

}  // namespace framework
