#pragma once
// Internal to the canvas: the resolved tools and clip of one drawing operation, and the pixel
// loops every shape is made of. Only the canvas sources include this.

#include "framework/graphics/Canvas.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <span>
#include <utility>
#include <vector>

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

// The 8 x 8 hatch patterns, fixed to the surface: horizontal lines on rows 3 mod 8, vertical
// ones on columns 4 mod 8, diagonals through (0, 0) going down to the right and through (7, 0)
// going down to the left.
inline bool hatchHit(TBrushStyle style, int x, int y) {
    const bool horizontal = (y & 7) == 3, vertical = (x & 7) == 4;
    const bool fdiag = ((x - y) & 7) == 0, bdiag = ((x + y) & 7) == 7;
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

struct PointD {
    double X, Y;
};

// Rows y0..y1-1 of a polygon filled by the alternate rule, handed to span(from, to, y) as
// half-open runs. A pixel is inside when its integer point is (the pixel centre of the classic
// drawing layer): an edge counts on the rows from its upper end down to, not including, its
// lower end, and each run is [ceil(xa), ceil(xb)). Integer vertices give exact runs: the
// crossing is an integer product divided once, which rounds only when it is not whole.
template <class Span> void polygonRows(std::span<const PointD> pts, int y0, int y1, Span&& span) {
    std::vector<double> xs;
    for (int y = y0; y < y1; ++y) {
        xs.clear();
        for (std::size_t i = 0; i < pts.size(); ++i) {
            const PointD& a = pts[i];
            const PointD& b = pts[(i + 1) % pts.size()];
            if ((a.Y <= y) == (b.Y <= y))
                continue;
            xs.push_back(a.X + (y - a.Y) * (b.X - a.X) / (b.Y - a.Y));
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            const double from = std::ceil(xs[i]), to = std::ceil(xs[i + 1]);
            if (from < to)
                span(from, to, y);
        }
    }
}

// The curve of an ellipse through columns l..r-1 and rows t..b-1, symmetric about the centre of
// the box, as one closed path of distinct pixels running counter-clockwise from the right end of
// its top row (leftwards along the top, down the left, along the bottom, up the right).
std::vector<TPoint> ellipsePath(int l, int t, int r, int b);

// The round dot of a pen `width` pixels wide: per row from -width/2 down, the half-open run of
// columns it covers, relative to the dot's centre. It is the filled ellipse of that box.
std::vector<std::pair<int, int>> penDot(int width);

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
    std::vector<std::pair<int, int>> dot;  // the round dot of a wide pen, see penDot

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
        } else if (penWidth > 1) {
            dot = canvas_detail::penDot(penWidth);
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

    // A pen dot: one pixel, or the round dot of a wide pen centred on it.
    void stamp(int x, int y, TPixel p) const {
        if (penWidth == 1) {
            plot(x, y, p);
            return;
        }
        int yy = y - penWidth / 2;
        for (const auto& [from, to] : dot)
            fill(x + from, yy, x + to, yy + 1, p), ++yy;
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

    // A pen line from (x0, y0) towards (x1, y1). A one-pixel pen leaves out the last pixel; a
    // wider pen is a band of its width around the ideal line, closed by round dots on both ends.
    void line(int x0, int y0, int x1, int y1) {
        canvas_detail::checkExtent(std::llabs(static_cast<long long>(x1) - x0),
                                   std::llabs(static_cast<long long>(y1) - y0));
        const int reach = penWidth;  // a wide pen reaches this far beyond the path
        if ((x0 < clip.Left - reach && x1 < clip.Left - reach) ||
            (x0 >= clip.Right + reach && x1 >= clip.Right + reach) ||
            (y0 < clip.Top - reach && y1 < clip.Top - reach) ||
            (y0 >= clip.Bottom + reach && y1 >= clip.Bottom + reach))
            return;
        if (penWidth > 1)
            wideLine(x0, y0, x1, y1);
        else if (std::abs(x1 - x0) >= std::abs(y1 - y0))
            thinLine(x0, y0, x1 - x0, y1 - y0, false);
        else
            thinLine(y0, x0, y1 - y0, x1 - x0, true);
    }

    // Bresenham along the major axis (u) with the nearest pixel on the minor one (v). Where the
    // ideal line passes half-way between two pixels the smaller v wins whatever the direction,
    // so a line covers the same pixels both ways.
    void thinLine(int u, int v, int du, int dv, bool yMajor) {
        const int n = std::abs(du), m = std::abs(dv);
        const int su = du < 0 ? -1 : 1, sv = dv < 0 ? -1 : 1;
        const bool stepOnTie = sv < 0;
        long long d = -static_cast<long long>(n);  // 2 i m - (2 k + 1) n: i steps taken, k of them on v
        for (int i = 0; i < n; ++i) {
            if (yMajor)
                penStep(v, u);
            else
                penStep(u, v);
            u += su;
            d += 2LL * m;
            if (d > 0 || (d == 0 && stepOnTie)) {
                v += sv;
                d -= 2LL * n;
            }
        }
    }

    void wideLine(int x0, int y0, int x1, int y1) {
        stamp(x0, y0, pen);
        stamp(x1, y1, pen);
        const int w = penWidth;
        if (y0 == y1) {  // a band of whole rows between the dots
            fill(std::min(x0, x1), y0 - w / 2, std::max(x0, x1), y0 - w / 2 + w, pen);
            return;
        }
        if (x0 == x1) {
            fill(x0 - w / 2, std::min(y0, y1), x0 - w / 2 + w, std::max(y0, y1), pen);
            return;
        }
        // A slanted band: its corners lie on whole pixels, the half width across each axis
        // rounded down on one side of the line and up on the other, and it fills as a polygon.
        const int dx = x1 - x0, dy = y1 - y0;
        const double len = std::hypot(dx, dy);
        const double acrossX = w * std::abs(dy) / len, acrossY = w * std::abs(dx) / len;
        auto half = [](double v) { return static_cast<int>(std::floor(v / 2 + 0.5)); };
        TPoint narrow{half(acrossX), half(acrossY)}, wide{half(acrossX + 1), half(acrossY + 1)};
        if (dx < 0)
            narrow.Y = -narrow.Y, wide.Y = -wide.Y;
        if (dy < 0) {
            std::swap(narrow, wide);
            narrow.X = -narrow.X, wide.X = -wide.X;
        }
        const canvas_detail::PointD band[] = {
            {static_cast<double>(x0 - narrow.X), static_cast<double>(y0 + narrow.Y)},
            {static_cast<double>(x0 + wide.X), static_cast<double>(y0 - wide.Y)},
            {static_cast<double>(x1 + wide.X), static_cast<double>(y1 - wide.Y)},
            {static_cast<double>(x1 - narrow.X), static_cast<double>(y1 + narrow.Y)}};
        const int top = std::min(y0, y1) - w, bottom = std::max(y0, y1) + w;
        canvas_detail::polygonRows(band, std::max(top, clip.Top), std::min(bottom, clip.Bottom),
                                   [this](double a, double b, int y) {
                                       const double lo = std::max(a, static_cast<double>(clip.Left));
                                       const double hi = std::min(b, static_cast<double>(clip.Right));
                                       if (lo < hi)
                                           fill(static_cast<int>(lo), y, static_cast<int>(hi), y + 1, pen);
                                   });
    }
};

}  // namespace framework
