#include "framework/graphics/Canvas.h"

#include "framework/classes/TypInfo.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/CanvasPainter.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace framework {

using namespace canvas_detail;

namespace {
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
#elif defined(__SANITIZE_ADDRESS__)
constexpr bool kSanitized = true;
#else
constexpr bool kSanitized = false;
#endif
}  // namespace

// Long runs use the processor's string store, which keeps pace with memset; the sanitizers
// cannot see inside it, so sanitized builds take the plain loop.
void canvas_detail::FillPixels(TPixel* dst, std::size_t count, TPixel value) {
#if defined(__x86_64__)
    if (!kSanitized && count >= 1024) {
        asm volatile("rep stosl" : "+D"(dst), "+c"(count) : "a"(value) : "memory");
        return;
    }
#endif
    for (std::size_t i = 0; i < count; ++i)
        dst[i] = value;
}

// --- State ------------------------------------------------------------------------------------

const TClassInfo& TCanvas::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TCanvas, TPersistent>("TCanvas");
    return info;
}

TCanvas::TCanvas()
    : m_font(std::make_unique<TFont>()), m_brush(std::make_unique<TBrush>()),
      m_pen(std::make_unique<TPen>()) {
    m_brush->OnChange = TNotifyEvent::Of<&TCanvas::BrushChanged>(this);
    m_font->OnChange = TNotifyEvent::Of<&TCanvas::FontChanged>(this);
}

TCanvas::TCanvas(const TPixelSurface& surface) : TCanvas() { m_surface = surface; }

TCanvas::~TCanvas() = default;

void TCanvas::SetSurface(const TPixelSurface& surface) { m_surface = surface; }

void TCanvas::BrushChanged(TObject*) { m_bkMode = m_brush->Style() == bsSolid ? OPAQUE : TRANSPARENT; }

int TCanvas::SetBkMode(int mode) {
    const int old = m_bkMode;
    if (mode == TRANSPARENT || mode == OPAQUE)
        m_bkMode = mode;
    return old;
}

void TCanvas::Assign(const TPersistent* Source) {
    if (const auto* src = As<TCanvas>(const_cast<TPersistent*>(Source))) {
        m_font->Assign(src->m_font.get());
        m_brush->Assign(src->m_brush.get());
        m_pen->Assign(src->m_pen.get());
        return;
    }
    TPersistent::Assign(Source);
}

TRect TCanvas::DeviceClip() const {
    TRect whole{0, 0, m_surface.Bits ? m_surface.Width : 0, m_surface.Bits ? m_surface.Height : 0};
    TRect r = m_hasClip ? IntersectRect(whole, m_clip) : whole;
    if (r.IsEmpty())
        r = TRect{};
    return r;
}

TRect TCanvas::ClipRect() const {
    TRect r = DeviceClip();
    r.Offset(-m_origin.X, -m_origin.Y);
    return r;
}

void TCanvas::SetClipRect(const TRect& rect) {
    m_clip = rect;
    m_clip.Offset(m_origin.X, m_origin.Y);
    if (m_clip.IsEmpty())
        m_clip = TRect{};
    m_hasClip = true;
}

void TCanvas::IntersectClipRect(const TRect& rect) {
    TRect device = rect;
    device.Offset(m_origin.X, m_origin.Y);
    m_clip = m_hasClip ? IntersectRect(m_clip, device) : device;
    if (m_clip.IsEmpty())
        m_clip = TRect{};
    m_hasClip = true;
}

// --- Areas ------------------------------------------------------------------------------------

void TCanvas::FillRect(const TRect& rect) {
    // A pattern blit: an inverted rectangle runs backwards from its first edge, which it keeps,
    // to its second, which it leaves out.
    int l = rect.Left + m_origin.X, t = rect.Top + m_origin.Y;
    int r = rect.Right + m_origin.X, b = rect.Bottom + m_origin.Y;
    if (r < l)
        std::swap(l, r), ++l, ++r;
    if (b < t)
        std::swap(t, b), ++t, ++b;
    Painter p(*this);
    p.brushFill(l, t, r, b);
}

void TCanvas::FrameRect(const TRect& rect) {
    if (rect.Right < rect.Left || rect.Bottom < rect.Top || rect.IsEmpty())
        return;
    Painter p(*this);
    const int l = rect.Left + m_origin.X, t = rect.Top + m_origin.Y;
    const int r = rect.Right + m_origin.X, b = rect.Bottom + m_origin.Y;
    p.brushFill(l, t, r, t + 1);
    p.brushFill(l, b - 1, r, b);
    p.brushFill(l, t + 1, l + 1, b - 1);
    p.brushFill(r - 1, t + 1, r, b - 1);
}

void TCanvas::Rectangle(int left, int top, int right, int bottom) {
    normalize(left, right);
    normalize(top, bottom);
    // The outline is a closed pen path through the box's outer pixels, each side leaving out its
    // last pixel; around a single pixel a thin pen's path is empty, so nothing is painted (a wide
    // pen still puts its round dot there).
    if (left == right || top == bottom || (right - left == 1 && bottom - top == 1 && m_pen->Width() == 1))
        return;
    checkExtent(static_cast<long long>(right) - left, static_cast<long long>(bottom) - top);
    Painter p(*this);
    int l = left + m_origin.X, t = top + m_origin.Y, r = right + m_origin.X, b = bottom + m_origin.Y;
    if (p.penStyle == psClear) {
        p.brushFill(l, t, r - 1, b - 1);
        return;
    }
    const int w = p.penWidth;
    if (p.penStyle == psInsideFrame && w > 1) {
        l += w / 2, t += w / 2, r -= (w - 1) / 2, b -= (w - 1) / 2;
        if (l >= r || t >= b)
            return;
    }
    p.brushFill(l + (w + 1) / 2, t + (w + 1) / 2, r - 1 - w / 2, b - 1 - w / 2);
    if (w == 1 && p.dash.empty()) {  // the same pixels as the path, a row or column at a time
        p.fill(l, t, r, t + 1, p.pen);
        p.fill(l, b - 1, r, b, p.pen);
        p.fill(l, t, l + 1, b, p.pen);
        p.fill(r - 1, t, r, b, p.pen);
        return;
    }
    // From the top right corner counter-clockwise, where a dash pattern starts.
    p.line(r - 1, t, l, t);
    p.line(l, t, l, b - 1);
    p.line(l, b - 1, r - 1, b - 1);
    p.line(r - 1, b - 1, r - 1, t);
}

std::vector<TPoint> canvas_detail::ellipsePath(int l, int t, int r, int b) {
    // Zingl's midpoint algorithm walks the four quarters at once; the bottom right one is kept,
    // in order from the middle row(s) on the right down to the bottom, and mirrored.
    std::vector<TPoint> quarter;
    {
        long long x0 = l, y0 = t, x1 = r - 1, y1 = b - 1;
        const long long a = x1 - x0, bb = y1 - y0;
        const long long b1 = bb & 1;
        double dx = 4.0 * (1 - a) * static_cast<double>(bb) * bb,
               dy = 4.0 * (b1 + 1) * static_cast<double>(a) * a;
        double err = dx + dy + static_cast<double>(b1) * a * a;
        y0 += (bb + 1) / 2;
        y1 = y0 - b1;
        const double a8 = 8.0 * a * a, b8 = 8.0 * bb * bb;
        do {
            quarter.push_back(TPoint{static_cast<int>(x1), static_cast<int>(y0)});
            const double e2 = 2 * err;
            if (e2 <= dy) {
                ++y0, --y1;
                err += dy += a8;
            }
            if (e2 >= dx || 2 * err > dy) {
                ++x0, --x1;
                err += dx += b8;
            }
        } while (x0 <= x1);
        while (y0 - y1 < bb) {  // a flat ellipse stops early: finish its tips
            quarter.push_back(TPoint{static_cast<int>(x1 + 1), static_cast<int>(y0)});
            ++y0, --y1;
        }
    }
    // x and y mirror to mx - x and my - y. Pixels on the centre column or row are their own
    // mirror images: the bottom right quarter keeps them, so each pixel comes once.
    const int mx = l + r - 1, my = t + b - 1;
    std::vector<TPoint> path;
    path.reserve(4 * quarter.size());
    auto add = [&path](int x, int y) {
        if (path.empty() || path.back() != TPoint{x, y})
            path.push_back(TPoint{x, y});
    };
    for (auto q = quarter.rbegin(); q != quarter.rend(); ++q)  // top left, from the top
        if (2 * q->X != mx && 2 * q->Y != my)
            add(mx - q->X, my - q->Y);
    for (const TPoint& q : quarter)  // bottom left, down to the bottom
        if (2 * q.X != mx)
            add(mx - q.X, q.Y);
    for (auto q = quarter.rbegin(); q != quarter.rend(); ++q)  // bottom right, up to the middle
        add(q->X, q->Y);
    for (const TPoint& q : quarter)  // top right, up to the top
        if (2 * q.Y != my)
            add(q.X, my - q.Y);
    while (path.size() > 1 && path.front() == path.back())
        path.pop_back();
    const auto start = std::min_element(path.begin(), path.end(), [](const TPoint& p, const TPoint& q) {
        return p.Y != q.Y ? p.Y < q.Y : p.X > q.X;
    });
    std::rotate(path.begin(), start, path.end());
    return path;
}

std::vector<std::pair<int, int>> canvas_detail::penDot(int width) {
    std::vector<std::pair<int, int>> rows(static_cast<std::size_t>(width), {0, 0});
    const int o = width / 2;
    if (width <= 2) {
        std::fill(rows.begin(), rows.end(), std::pair{-o, width - o});
        return rows;
    }
    for (const TPoint& pt : ellipsePath(0, 0, width, width)) {
        auto& [from, to] = rows[static_cast<std::size_t>(pt.Y)];
        if (from == to)
            from = pt.X - o, to = pt.X - o + 1;
        from = std::min(from, pt.X - o), to = std::max(to, pt.X - o + 1);
    }
    return rows;
}

void TCanvas::Ellipse(int left, int top, int right, int bottom) {
    normalize(left, right);
    normalize(top, bottom);
    if (right - left <= 2 || bottom - top <= 2) {
        Rectangle(left, top, right, bottom);
        return;
    }
    checkExtent(static_cast<long long>(right) - left, static_cast<long long>(bottom) - top,
                kMaxEllipseExtent);
    Painter p(*this);
    int l = left + m_origin.X, t = top + m_origin.Y, r = right + m_origin.X, b = bottom + m_origin.Y;
    const bool noPen = p.penStyle == psClear;
    const int w = p.penWidth;
    if (noPen) {
        // Without a pen the brush covers the curve of a box one pixel smaller, as with Rectangle.
        --r, --b;
    } else if (p.penStyle == psInsideFrame && w > 1) {
        l += w / 2, t += w / 2, r -= (w - 1) / 2, b -= (w - 1) / 2;
    }
    if (r - l < 1 || b - t < 1)
        return;
    const std::vector<TPoint> curve = ellipsePath(l, t, r, b);
    if (p.brushStyle != bsClear) {
        // The brush fills a row strictly between its curve pixels left and right of the centre
        // line (one on the centre line counts as both), and leaves rows without them alone.
        const auto rows = static_cast<std::size_t>(b - t);
        std::vector<int> inL(rows, l - 1), inR(rows, r);
        std::vector<std::uint8_t> sides(rows, 0);  // 1: left seen, 2: right seen
        const long long twiceMid = static_cast<long long>(l) + (r - 1);
        for (const TPoint& pt : curve) {
            const auto i = static_cast<std::size_t>(pt.Y - t);
            if (2LL * pt.X <= twiceMid)
                inL[i] = std::max(inL[i], pt.X), sides[i] |= 1;
            if (2LL * pt.X >= twiceMid)
                inR[i] = std::min(inR[i], pt.X), sides[i] |= 2;
        }
        for (int y = std::max(t, p.clip.Top); y < std::min(b, p.clip.Bottom); ++y) {
            const auto i = static_cast<std::size_t>(y - t);
            if (sides[i] == 3)
                p.brushFill(inL[i] + 1, y, inR[i], y + 1);
        }
    }
    if (!noPen)
        for (const TPoint& pt : curve)
            p.penStep(pt.X, pt.Y);
    else if (p.brushStyle != bsClear)  // without a pen the curve itself belongs to the brush
        for (const TPoint& pt : curve)
            if (p.brushStyle == bsSolid || hatchHit(p.brushStyle, pt.X, pt.Y))
                p.plot(pt.X, pt.Y, p.brush);
}

// --- Lines and polygons -----------------------------------------------------------------------

void TCanvas::LineTo(int x, int y) {
    if (m_pen->Style() != psClear) {
        Painter p(*this);
        p.line(m_penPos.X + m_origin.X, m_penPos.Y + m_origin.Y, x + m_origin.X, y + m_origin.Y);
    }
    m_penPos = TPoint{x, y};
}

void TCanvas::Polyline(std::span<const TPoint> points) {
    if (points.size() < 2 || m_pen->Style() == psClear)
        return;
    Painter p(*this);
    for (std::size_t i = 1; i < points.size(); ++i)
        p.line(points[i - 1].X + m_origin.X, points[i - 1].Y + m_origin.Y, points[i].X + m_origin.X,
               points[i].Y + m_origin.Y);
}

void TCanvas::Polygon(std::span<const TPoint> points) {
    if (points.size() < 2)
        return;
    Painter p(*this);
    const int ox = m_origin.X, oy = m_origin.Y;
    if (p.brushStyle != bsClear && points.size() >= 3) {
        // Alternate (even-odd) rule, sampled at the integer points: left and top edges fall
        // inside, right and bottom edges outside, as regions have them.
        std::vector<PointD> device;
        device.reserve(points.size());
        int top = points[0].Y + oy, bottom = top;
        for (const TPoint& pt : points) {
            device.push_back(PointD{static_cast<double>(pt.X) + ox, static_cast<double>(pt.Y) + oy});
            top = std::min(top, pt.Y + oy), bottom = std::max(bottom, pt.Y + oy);
        }
        polygonRows(device, std::max(top, p.clip.Top), std::min(bottom, p.clip.Bottom),
                    [&p](double from, double to, int y) {
                        const double lo = std::max(from, static_cast<double>(p.clip.Left));
                        const double hi = std::min(to, static_cast<double>(p.clip.Right));
                        if (lo < hi)
                            p.brushFill(static_cast<int>(lo), y, static_cast<int>(hi), y + 1);
                    });
    }
    if (p.penStyle == psClear)
        return;
    for (std::size_t i = 0; i < points.size(); ++i) {
        const TPoint& a = points[i];
        const TPoint& b = points[(i + 1) % points.size()];
        p.line(a.X + ox, a.Y + oy, b.X + ox, b.Y + oy);
    }
}

// --- Pixels -----------------------------------------------------------------------------------

TColor TCanvas::Pixels(int x, int y) const {
    const TPoint d{x + m_origin.X, y + m_origin.Y};
    if (!DeviceClip().Contains(d))
        return CLR_INVALID;
    return PixelToColor(m_surface.Bits[static_cast<std::ptrdiff_t>(d.Y) * m_surface.Stride + d.X]);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
    Painter p(*this);
    p.plot(x + m_origin.X, y + m_origin.Y, ColorToPixel(ColorToRGB(color)));
}

// --- Copies -----------------------------------------------------------------------------------

namespace {

TPixel blendOver(TPixel src, TPixel dst) {
    const std::uint32_t a = src >> 24;
    if (a == 255)
        return src;
    if (a == 0)
        return dst;
    auto mix = [a](std::uint32_t s, std::uint32_t d) {
        std::uint32_t t = s * a + d * (255 - a) + 128;
        return (t + (t >> 8)) >> 8;
    };
    const std::uint32_t da = dst >> 24;
    std::uint32_t outA = a + ((da * (255 - a) + 127) / 255);
    return (outA << 24) | (mix((src >> 16) & 0xFF, (dst >> 16) & 0xFF) << 16) |
           (mix((src >> 8) & 0xFF, (dst >> 8) & 0xFF) << 8) | mix(src & 0xFF, dst & 0xFF);
}

}  // namespace

void TCanvas::Blit(const TRect& dest, const TPixelSurface& src, const TRect& srcRect, int mode,
                   const TBitmap* bmp) {
    int dl = dest.Left + m_origin.X, dt = dest.Top + m_origin.Y, dr = dest.Right + m_origin.X,
        db = dest.Bottom + m_origin.Y;
    int sl = srcRect.Left, st = srcRect.Top, sr = srcRect.Right, sb = srcRect.Bottom;
    bool mirrorX = false, mirrorY = false;
    if (dl > dr)
        std::swap(dl, dr), mirrorX = !mirrorX;
    if (dt > db)
        std::swap(dt, db), mirrorY = !mirrorY;
    if (sl > sr)
        std::swap(sl, sr), mirrorX = !mirrorX;
    if (st > sb)
        std::swap(st, sb), mirrorY = !mirrorY;
    const long long dw = dr - dl, dh = db - dt, sw = sr - sl, sh = sb - st;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0 || !src.Bits)
        return;
    const TRect clip = DeviceClip();
    const int x0 = std::max(dl, clip.Left), x1 = std::min(dr, clip.Right);
    const int y0 = std::max(dt, clip.Top), y1 = std::min(db, clip.Bottom);
    if (x0 >= x1 || y0 >= y1)
        return;
    // Source and destination may be the same pixels (scrolling); read from a copy then.
    std::vector<TPixel> copy;
    const TPixel* srcBits = src.Bits;
    if (src.Bits == m_surface.Bits) {
        copy.assign(src.Bits, src.Bits + static_cast<std::ptrdiff_t>(src.Height) * src.Stride);
        srcBits = copy.data();
    }
    const bool keyed = bmp && bmp->Transparent();
    const TPixel key = keyed ? (ColorToPixel(bmp->TransparentColorValue()) & 0xFFFFFF) : 0;
    std::vector<int> colMap(static_cast<std::size_t>(x1 - x0));
    for (int x = x0; x < x1; ++x) {
        long long i = x - dl;
        if (mirrorX)
            i = dw - 1 - i;
        colMap[static_cast<std::size_t>(x - x0)] = static_cast<int>(sl + ((2 * i + 1) * sw) / (2 * dw));
    }
    for (int y = y0; y < y1; ++y) {
        long long j = y - dt;
        if (mirrorY)
            j = dh - 1 - j;
        const long long sy = st + ((2 * j + 1) * sh) / (2 * dh);
        if (sy < 0 || sy >= src.Height)
            continue;
        const TPixel* srow = srcBits + sy * src.Stride;
        TPixel* drow = m_surface.Bits + static_cast<std::ptrdiff_t>(y) * m_surface.Stride;
        if (mode == kBlitCopy && !mirrorX && sw == dw && x0 - dl + sl >= 0 && x1 - dl + sl <= src.Width) {
            std::copy_n(srow + (x0 - dl + sl), x1 - x0, drow + x0);
            continue;
        }
        for (int x = x0; x < x1; ++x) {
            const int sx = colMap[static_cast<std::size_t>(x - x0)];
            if (sx < 0 || sx >= src.Width)
                continue;
            const TPixel s = srow[sx];
            TPixel& d = drow[x];
            switch (mode) {
            case kBlitCopy:
                d = s;
                break;
            case kBlitDraw:
                if (!keyed || (s & 0xFFFFFF) != key)
                    d = blendOver(s, d);
                break;
            case kBlitOr:
                d = (d | s) | 0xFF000000u;
                break;
            case kBlitAnd:
                d = (d & s) | 0xFF000000u;
                break;
            case kBlitXor:
                d = (d ^ s) | 0xFF000000u;
                break;
            case kBlitNotCopy:
                d = ~s | 0xFF000000u;
                break;
            default:
                break;
            }
        }
    }
}

void TCanvas::Draw(int x, int y, const TBitmap& bitmap) {
    Blit(Bounds(x, y, bitmap.Width(), bitmap.Height()), bitmap.Surface(),
         Rect(0, 0, bitmap.Width(), bitmap.Height()), kBlitDraw, &bitmap);
}

void TCanvas::StretchDraw(const TRect& rect, const TBitmap& bitmap) {
    Blit(rect, bitmap.Surface(), Rect(0, 0, bitmap.Width(), bitmap.Height()), kBlitDraw, &bitmap);
}

void TCanvas::CopyRect(const TRect& dest, const TCanvas& src, const TRect& srcRect) {
    TRect s = srcRect;
    s.Offset(src.m_origin.X, src.m_origin.Y);
    Blit(dest, src.m_surface, s, kBlitCopy, nullptr);
}

void TCanvas::BlitFrom(const TRect& dest, const TCanvas& src, const TRect& srcRect, TBlitMode mode) {
    TRect s = srcRect;
    s.Offset(src.m_origin.X, src.m_origin.Y);
    Blit(dest, src.m_surface, s, mode, nullptr);
}

// --- TCanvasStateSaver ------------------------------------------------------------------------

TCanvasStateSaver::TCanvasStateSaver(TCanvas& canvas)
    : m_canvas(canvas), m_clip(canvas.m_clip), m_hasClip(canvas.m_hasClip), m_origin(canvas.m_origin),
      m_bkMode(canvas.m_bkMode) {
    m_font.Assign(canvas.Font());
    m_brush.Assign(canvas.Brush());
    m_pen.Assign(canvas.Pen());
}

TCanvasStateSaver::~TCanvasStateSaver() {
    m_canvas.Font()->Assign(&m_font);
    m_canvas.Brush()->Assign(&m_brush);
    m_canvas.Pen()->Assign(&m_pen);
    m_canvas.m_clip = m_clip;
    m_canvas.m_hasClip = m_hasClip;
    m_canvas.m_origin = m_origin;
    m_canvas.m_bkMode = m_bkMode;
}

}  // namespace framework
