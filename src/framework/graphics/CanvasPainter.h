#pragma once
// Internal to the canvas: the resolved tools and clip of one drawing operation, and the pixel
// loops every shape is made of. Only the canvas sources include this.

#include "framework/graphics/Canvas.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <span>

namespace framework {

namespace canvas_detail {

// Shapes beyond these sizes are refused rather than walked pixel by pixel for minutes; an
// ellipse also keeps its whole curve in memory.
inline constexpr long long kMaxShapeExtent = 1 << 24;
inline constexpr long long kMaxEllipseExtent = 1 << 16;

// On/off run lengths of the cosmetic dash styles.
inline constexpr int kDash[] = {18, 6};
inline constexpr int kDot[] = {3, 3};
inline constexpr int kDashDot[] = {9, 6, 3, 6};
inline constexpr int kDashDotDot[] = {9, 3, 3, 3, 3, 3};

inline bool hatchHit(TBrushStyle style, int x, int y) {
    const bool horizontal = (y & 7) == 0, vertical = (x & 7) == 0;
    const bool fdiag = ((x - y) & 7) == 0, bdiag = ((x + y) & 7) == 0;
    switch (style) {
    case bsHorizontal:
        return horizontal;
    case bsVertical:
        return vertical;
    case bsFDiagonal:
        return fdiag;
    case bsBDiagonal:
        return bdiag;
    case bsCross:
        return horizontal || vertical;
    case bsDiagCross:
        return fdiag || bdiag;
    default:
        return true;
    }
}

// A run of pixels of one colour; long runs go as fast as memset.
void FillPixels(TPixel* dst, std::size_t count, TPixel value);

inline void normalize(int& a, int& b) {
    if (a > b)
        std::swap(a, b);
}

inline void checkExtent(long long w, long long h, long long limit = kMaxShapeExtent) {
    if (w > limit || h > limit)
        throw EInvalidGraphicOperation("The shape is too large to draw");
}

}  // namespace canvas_detail

// The resolved tools and the clip of one drawing operation, in surface pixels.
struct TCanvas::Painter {
    TPixelSurface s;
    TRect clip;
    TPixel brush, pen, bk;
    TBrushStyle brushStyle;
    TPenStyle penStyle;
    int penWidth;
    bool opaque;
    std::span<const int> dash;
    int dashIndex = 0, dashLeft = 0;

    explicit Painter(const TCanvas& c)
        : s(c.m_surface), clip(c.DeviceClip()), brush(ColorToPixel(ColorToRGB(c.m_brush->Color()))),
          pen(ColorToPixel(ColorToRGB(c.m_pen->Color()))), bk(brush), brushStyle(c.m_brush->Style()),
          penStyle(c.m_pen->Style()), penWidth(c.m_pen->Width()), opaque(c.m_bkMode == OPAQUE) {
        if (penWidth == 1) {
            switch (penStyle) {
            case psDash:
                dash = canvas_detail::kDash;
                break;
            case psDot:
                dash = canvas_detail::kDot;
                break;
            case psDashDot:
                dash = canvas_detail::kDashDot;
                break;
            case psDashDotDot:
                dash = canvas_detail::kDashDotDot;
                break;
            default:
                break;
            }
            if (!dash.empty())
                dashLeft = dash[0];
        }
    }

    TPixel* row(int y) const { return s.Bits + static_cast<std::ptrdiff_t>(y) * s.Stride; }

    void fill(int x0, int y0, int x1, int y1, TPixel p) const {
        x0 = std::max(x0, clip.Left), x1 = std::min(x1, clip.Right);
        y0 = std::max(y0, clip.Top), y1 = std::min(y1, clip.Bottom);
        if (x0 >= x1 || y0 >= y1)
            return;
        const auto n = static_cast<std::size_t>(x1 - x0);
        if (static_cast<int>(n) == s.Stride) {  // whole rows lie end to end: one run
            canvas_detail::FillPixels(row(y0), n * static_cast<std::size_t>(y1 - y0), p);
            return;
        }
        for (int y = y0; y < y1; ++y)
            canvas_detail::FillPixels(row(y) + x0, n, p);
    }

    void brushFill(int x0, int y0, int x1, int y1) const {
        if (brushStyle == bsSolid) {
            fill(x0, y0, x1, y1, brush);
            return;
        }
        if (brushStyle == bsClear)
            return;
        x0 = std::max(x0, clip.Left), x1 = std::min(x1, clip.Right);
        y0 = std::max(y0, clip.Top), y1 = std::min(y1, clip.Bottom);
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (canvas_detail::hatchHit(brushStyle, x, y))
                    row(y)[x] = brush;
    }

    void plot(int x, int y, TPixel p) const {
        if (clip.Contains(TPoint{x, y}))
            row(y)[x] = p;
    }

    // A pen dot: one pixel, or a square of the pen's width centred on it.
    void stamp(int x, int y, TPixel p) const {
        if (penWidth == 1) {
            plot(x, y, p);
            return;
        }
        const int o = penWidth / 2;
        fill(x - o, y - o, x - o + penWidth, y - o + penWidth, p);
    }

    // One step along a pen path: dashes alternate with gaps in the background colour when opaque.
    void penStep(int x, int y) {
        if (dash.empty()) {
            stamp(x, y, pen);
            return;
        }
        const bool on = (dashIndex & 1) == 0;
        if (on)
            plot(x, y, pen);
        else if (opaque)
            plot(x, y, bk);
        if (--dashLeft == 0) {
            dashIndex = (dashIndex + 1) % static_cast<int>(dash.size());
            dashLeft = dash[static_cast<std::size_t>(dashIndex)];
        }
    }

    // Bresenham from (x0, y0) towards (x1, y1), leaving out the last pixel.
    void line(int x0, int y0, int x1, int y1) {
        canvas_detail::checkExtent(std::llabs(static_cast<long long>(x1) - x0),
                                   std::llabs(static_cast<long long>(y1) - y0));
        const int reach = penWidth;  // a wide pen reaches this far beyond the path
        if ((x0 < clip.Left - reach && x1 < clip.Left - reach) ||
            (x0 >= clip.Right + reach && x1 >= clip.Right + reach) ||
            (y0 < clip.Top - reach && y1 < clip.Top - reach) ||
            (y0 >= clip.Bottom + reach && y1 >= clip.Bottom + reach))
            return;
        const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
        const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
        long long err = static_cast<long long>(dx) + dy;
        while (x0 != x1 || y0 != y1) {
            penStep(x0, y0);
            const long long e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                x0 += sx;
            }
            if (e2 <= dx) {
                err += dx;
                y0 += sy;
            }
        }
    }
};

}  // namespace framework
