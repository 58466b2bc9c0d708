// Properties every shape keeps over many sizes: the brush stays inside the pen's outline and
// fills all of it, outlines are symmetric, and a line covers the same pixels in both directions.
#include "framework/graphics/Bitmap.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdlib>
#include <vector>

using namespace framework;
using namespace testsupport;

namespace {

constexpr int kSize = 28;

TBitmap& Blank(TBitmap& bmp) {
    bmp.Canvas()->Brush()->SetColor(clWhite);
    bmp.Canvas()->Brush()->SetStyle(bsSolid);
    bmp.Canvas()->FillRect(Rect(0, 0, bmp.Width(), bmp.Height()));
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->Pen()->SetColor(clBlue);
    return bmp;
}

// Pixels reached from the border without crossing the pen, side by side only: an 8-connected
// outline stops such a walk.
std::vector<bool> OutsideOfPen(const TBitmap& bmp) {
    const int w = bmp.Width(), h = bmp.Height();
    std::vector<bool> seen(static_cast<std::size_t>(w * h), false);
    std::vector<TPoint> todo;
    for (int x = 0; x < w; ++x)
        todo.insert(todo.end(), {Point(x, 0), Point(x, h - 1)});
    for (int y = 0; y < h; ++y)
        todo.insert(todo.end(), {Point(0, y), Point(w - 1, y)});
    while (!todo.empty()) {
        const TPoint p = todo.back();
        todo.pop_back();
        if (p.X < 0 || p.Y < 0 || p.X >= w || p.Y >= h)
            continue;
        const auto i = static_cast<std::size_t>(p.Y * w + p.X);
        if (seen[i] || PixelAt(bmp, p.X, p.Y) == clBlue)
            continue;
        seen[i] = true;
        todo.insert(todo.end(),
                    {Point(p.X + 1, p.Y), Point(p.X - 1, p.Y), Point(p.X, p.Y + 1), Point(p.X, p.Y - 1)});
    }
    return seen;
}

// Outside the pen only white; inside it only brush (no seam, no hole).
::testing::AssertionResult BrushFillsExactlyTheOutline(const TBitmap& bmp) {
    const std::vector<bool> outside = OutsideOfPen(bmp);
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            const TColor got = PixelAt(bmp, x, y);
            if (got == clBlue)
                continue;
            const bool out = outside[static_cast<std::size_t>(y * bmp.Width() + x)];
            if (got != (out ? clWhite : clRed))
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") " << (out ? "outside" : "inside") << " is "
                       << DescribeColor(got) << "\n"
                       << PictureOf(bmp, Rect(0, 0, bmp.Width(), bmp.Height()));
        }
    return ::testing::AssertionSuccess();
}

// No brush outside the pen, and every run of brush, across and down, ends right at a pen pixel:
// no seam. Thin polygons may enclose white where no pixel centre lies inside; that is no seam.
::testing::AssertionResult BrushMeetsThePenEverywhere(const TBitmap& bmp) {
    const std::vector<bool> outside = OutsideOfPen(bmp);
    auto fail = [&bmp](int x, int y, const char* what) {
        return ::testing::AssertionFailure() << "brush at (" << x << ", " << y << ") " << what << "\n"
                                             << PictureOf(bmp, Rect(0, 0, bmp.Width(), bmp.Height()));
    };
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            if (PixelAt(bmp, x, y) != clRed)
                continue;
            if (outside[static_cast<std::size_t>(y * bmp.Width() + x)])
                return fail(x, y, "lies outside the pen");
            const std::array<TPoint, 4> steps{Point(1, 0), Point(-1, 0), Point(0, 1), Point(0, -1)};
            for (const TPoint& d : steps) {
                int u = x, v = y;
                while (PixelAt(bmp, u, v) == clRed)
                    u += d.X, v += d.Y;
                if (PixelAt(bmp, u, v) != clBlue)
                    return fail(x, y, "runs into a gap before the pen");
            }
        }
    return ::testing::AssertionSuccess();
}

// The picture is its own mirror image about the centre lines of box.
::testing::AssertionResult MirrorSymmetric(const TBitmap& bmp, const TRect& box) {
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            const int mx = box.Left + box.Right - 1 - x, my = box.Top + box.Bottom - 1 - y;
            auto mirror = [&bmp](int u, int v) {  // off the bitmap nothing was painted
                const TColor c = PixelAt(bmp, u, v);
                return c == CLR_INVALID ? clWhite : c;
            };
            if (PixelAt(bmp, x, y) != mirror(mx, y) || PixelAt(bmp, x, y) != mirror(x, my))
                return ::testing::AssertionFailure() << "(" << x << ", " << y << ") has no mirror image\n"
                                                     << PictureOf(bmp, Rect(0, 0, bmp.Width(), bmp.Height()));
        }
    return ::testing::AssertionSuccess();
}

TEST(CanvasInvariants, EllipsesOfEverySizeFillInsideASymmetricOutline) {
    TBitmap bmp(kSize, kSize);
    for (int w = 1; w <= 24; ++w)
        for (int h = 1; h <= 24; ++h) {
            SCOPED_TRACE(testing::Message() << w << " x " << h);
            const TRect box = Rect(2, 2, 2 + w, 2 + h);
            Blank(bmp).Canvas()->Ellipse(box);
            EXPECT_TRUE(BrushFillsExactlyTheOutline(bmp));
            EXPECT_TRUE(MirrorSymmetric(bmp, box));
            const auto painted = BoundsOfChanges(bmp, clWhite);
            if (w == 1 && h == 1) {
                EXPECT_FALSE(painted.has_value());
            } else {
                ASSERT_TRUE(painted.has_value());
                EXPECT_EQ(IntersectRect(*painted, box), *painted);
                // The curve spans the box across its narrower side at least.
                EXPECT_TRUE(w <= h ? painted->Width() == w : painted->Height() == h) << painted->Width();
            }
        }
}

TEST(CanvasInvariants, DottedEllipsesWalkEachOutlinePixelOnce) {
    TBitmap bmp(kSize, kSize);
    for (int w = 3; w <= 24; ++w)
        for (int h = 3; h <= 24; ++h) {
            SCOPED_TRACE(testing::Message() << w << " x " << h);
            Blank(bmp).Canvas()->Brush()->SetStyle(bsClear);
            bmp.Canvas()->Ellipse(2, 2, 2 + w, 2 + h);
            const int outline = CountOfColor(bmp, clBlue);
            Blank(bmp).Canvas()->Pen()->SetStyle(psDot);  // gaps in the brush colour
            bmp.Canvas()->Ellipse(2, 2, 2 + w, 2 + h);
            bmp.Canvas()->Pen()->SetStyle(psSolid);
            const int on = outline / 6 * 3 + std::min(outline % 6, 3);  // three on, three off
            EXPECT_EQ(CountOfColor(bmp, clBlue), on);
        }
}

TEST(CanvasInvariants, WidePenRectanglesAndEllipsesStaySymmetricAndClosed) {
    TBitmap bmp(kSize, kSize);
    for (int pen = 3; pen <= 5; pen += 2)  // odd widths lie centred on the path
        for (int w = 2; w <= 14; ++w)
            for (int h = 2; h <= 14; h += 3) {
                SCOPED_TRACE(testing::Message() << "pen " << pen << ", " << w << " x " << h);
                const TRect box = Rect(6, 6, 6 + w, 6 + h);
                Blank(bmp).Canvas()->Pen()->SetWidth(pen);
                bmp.Canvas()->Rectangle(box);
                EXPECT_TRUE(MirrorSymmetric(bmp, box));
                EXPECT_TRUE(BrushFillsExactlyTheOutline(bmp));
                const int o = pen / 2;
                EXPECT_EQ(BoundsOfChanges(bmp, clWhite),
                          Rect(box.Left - o, box.Top - o, box.Right + o, box.Bottom + o));
                Blank(bmp).Canvas()->Pen()->SetWidth(pen);
                bmp.Canvas()->Ellipse(box);
                EXPECT_TRUE(MirrorSymmetric(bmp, box));
                EXPECT_TRUE(BrushFillsExactlyTheOutline(bmp));
            }
}

// A line with its end pixel added, as the same line drawn the other way gets it.
void DrawClosedLine(TBitmap& bmp, TPoint from, TPoint to) {
    TCanvas& c = *Blank(bmp).Canvas();
    c.MoveTo(from.X, from.Y);
    c.LineTo(to.X, to.Y);
    if (c.Pen()->Width() == 1)
        c.SetPixel(to.X, to.Y, clBlue);
}

TEST(CanvasInvariants, LinesCoverTheSamePixelsBothWaysAndTiesGoToTheSmallerCoordinate) {
    TBitmap there(kSize, kSize), back(kSize, kSize);
    const TPoint a = Point(13, 13);
    for (int dx = -11; dx <= 11; ++dx)
        for (int dy = -11; dy <= 11; ++dy) {
            SCOPED_TRACE(testing::Message() << "to (" << dx << ", " << dy << ")");
            const TPoint b = Point(a.X + dx, a.Y + dy);
            DrawClosedLine(there, a, b);
            DrawClosedLine(back, b, a);
            EXPECT_EQ(PictureOf(there, Rect(0, 0, kSize, kSize)), PictureOf(back, Rect(0, 0, kSize, kSize)));
            EXPECT_EQ(CountOfColor(there, clBlue), std::max(std::abs(dx), std::abs(dy)) + 1);
            // Each pixel lies within half a pixel of the ideal line on the minor axis, and exactly
            // half a pixel only on the smaller side.
            const bool xMajor = std::abs(dx) >= std::abs(dy);
            const int n = xMajor ? dx : dy, m = xMajor ? dy : dx;
            for (int y = 0; y < kSize; ++y)
                for (int x = 0; x < kSize; ++x) {
                    if (PixelAt(there, x, y) != clBlue || n == 0)
                        continue;
                    const int u = xMajor ? x - a.X : y - a.Y, v = xMajor ? y - a.Y : x - a.X;
                    const long long off = 2LL *
                                          (static_cast<long long>(v) * n - static_cast<long long>(u) * m) *
                                          (n > 0 ? 1 : -1);  // twice the distance from the ideal, times |n|
                    EXPECT_LE(std::abs(off), std::abs(n)) << x << ", " << y;
                    if (std::abs(off) == std::abs(n)) {
                        EXPECT_LT(off, 0) << "tie at " << x << ", " << y << " went to the larger side";
                    }
                }
        }
}

TEST(CanvasInvariants, WideLinesCoverTheSamePixelsBothWays) {
    TBitmap there(kSize, kSize), back(kSize, kSize);
    const TPoint a = Point(13, 13);
    for (int pen = 2; pen <= 5; ++pen)
        for (int dx = -9; dx <= 9; dx += 2)
            for (int dy = -9; dy <= 9; ++dy) {
                SCOPED_TRACE(testing::Message() << "pen " << pen << " to (" << dx << ", " << dy << ")");
                there.Canvas()->Pen()->SetWidth(pen);
                back.Canvas()->Pen()->SetWidth(pen);
                DrawClosedLine(there, a, Point(a.X + dx, a.Y + dy));
                DrawClosedLine(back, Point(a.X + dx, a.Y + dy), a);
                EXPECT_EQ(PictureOf(there, Rect(0, 0, kSize, kSize)),
                          PictureOf(back, Rect(0, 0, kSize, kSize)));
            }
}

TEST(CanvasInvariants, PolygonsWithAPenHaveNoSeam) {
    TBitmap bmp(kSize, kSize);
    unsigned seed = 12345;
    auto next = [&seed] {
        seed = seed * 1103515245u + 12345u;
        return 1 + static_cast<int>((seed >> 16) % (kSize - 2));
    };
    for (int i = 0; i < 400; ++i) {
        // Triangles and quadrilaterals (convex, concave or crossed: none covers a point twice).
        std::vector<TPoint> pts{Point(next(), next()), Point(next(), next()), Point(next(), next())};
        if (i % 2)
            pts.push_back(Point(next(), next()));
        SCOPED_TRACE(testing::Message() << "polygon " << i);
        Blank(bmp).Canvas()->Polygon(pts);
        EXPECT_TRUE(BrushMeetsThePenEverywhere(bmp));
    }
}

}  // namespace
