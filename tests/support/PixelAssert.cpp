#include "support/PixelAssert.h"

#include "framework/graphics/Colors.h"

#include <algorithm>
#include <cstdio>

namespace testsupport {

using namespace framework;

namespace {

std::string where(const TBitmap& bmp, const std::string& tag) {
    try {
        return " (bitmap saved as " + SaveForInspection(bmp, tag) + ")";
    } catch (const std::exception& e) {
        return std::string(" (bitmap could not be saved: ") + e.what() + ")";
    }
}

}  // namespace

TColor PixelAt(const TBitmap& bmp, int x, int y) {
    if (x < 0 || y < 0 || x >= bmp.Width() || y >= bmp.Height())
        return CLR_INVALID;
    return PixelToColor(bmp.ScanLine(y)[x]);
}

std::string DescribeColor(TColor color) { return ColorToString(color); }

::testing::AssertionResult PixelIs(const TBitmap& bmp, int x, int y, TColor expected) {
    const TColor want = ColorToRGB(expected) & 0xFFFFFF;
    const TColor got = PixelAt(bmp, x, y);
    if (got == want)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "pixel (" << x << ", " << y << ") is " << DescribeColor(got)
                                         << ", expected " << DescribeColor(want) << where(bmp, "pixel");
}

::testing::AssertionResult RectIs(const TBitmap& bmp, const TRect& rect, TColor expected) {
    const TColor want = ColorToRGB(expected) & 0xFFFFFF;
    for (int y = rect.Top; y < rect.Bottom; ++y)
        for (int x = rect.Left; x < rect.Right; ++x) {
            const TColor got = PixelAt(bmp, x, y);
            if (got != want)
                return ::testing::AssertionFailure()
                       << "in rect (" << rect.Left << ", " << rect.Top << ", " << rect.Right << ", "
                       << rect.Bottom << ") pixel (" << x << ", " << y << ") is " << DescribeColor(got)
                       << ", expected " << DescribeColor(want) << where(bmp, "rect");
        }
    return ::testing::AssertionSuccess();
}

::testing::AssertionResult NothingOutside(const TBitmap& bmp, const TRect& rect, TColor background) {
    const TColor want = ColorToRGB(background) & 0xFFFFFF;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            if (rect.Contains(TPoint{x, y}))
                continue;
            const TColor got = PixelAt(bmp, x, y);
            if (got != want)
                return ::testing::AssertionFailure()
                       << "pixel (" << x << ", " << y << ") outside (" << rect.Left << ", " << rect.Top
                       << ", " << rect.Right << ", " << rect.Bottom << ") is " << DescribeColor(got)
                       << ", expected " << DescribeColor(want) << where(bmp, "outside");
        }
    return ::testing::AssertionSuccess();
}

namespace {
template <class Pred> std::optional<TRect> boundsOf(const TBitmap& bmp, Pred pred) {
    std::optional<TRect> box;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x) {
            if (!pred(PixelAt(bmp, x, y)))
                continue;
            if (!box)
                box = TRect{x, y, x + 1, y + 1};
            box->Left = std::min(box->Left, x), box->Right = std::max(box->Right, x + 1);
            box->Top = std::min(box->Top, y), box->Bottom = std::max(box->Bottom, y + 1);
        }
    return box;
}
}  // namespace

std::optional<TRect> BoundsOfColor(const TBitmap& bmp, TColor color) {
    const TColor want = ColorToRGB(color) & 0xFFFFFF;
    return boundsOf(bmp, [want](TColor c) { return c == want; });
}

std::optional<TRect> BoundsOfChanges(const TBitmap& bmp, TColor background) {
    const TColor bg = ColorToRGB(background) & 0xFFFFFF;
    return boundsOf(bmp, [bg](TColor c) { return c != bg; });
}

int CountOfColor(const TBitmap& bmp, TColor color) {
    const TColor want = ColorToRGB(color) & 0xFFFFFF;
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            n += PixelAt(bmp, x, y) == want;
    return n;
}

const TPictureLegend& DefaultLegend() {
    static const TPictureLegend legend{{'.', clWhite}, {'#', clBlue}, {'o', clRed}};
    return legend;
}

std::string PictureOf(const TBitmap& bmp, const TRect& rect, const TPictureLegend& legend) {
    std::string out;
    for (int y = rect.Top; y < rect.Bottom; ++y) {
        for (int x = rect.Left; x < rect.Right; ++x) {
            const TColor got = PixelAt(bmp, x, y);
            char c = got == CLR_INVALID ? ' ' : '?';
            for (const auto& [key, color] : legend)
                if ((ColorToRGB(color) & 0xFFFFFF) == got)
                    c = key;
            out += c;
        }
        out += '\n';
    }
    return out;
}

::testing::AssertionResult PictureIs(const TBitmap& bmp, int left, int top,
                                     std::initializer_list<std::string_view> picture,
                                     const TPictureLegend& legend) {
    std::string want;
    int width = 0;
    for (std::string_view row : picture) {
        want.append(row) += '\n';
        width = std::max(width, static_cast<int>(row.size()));
    }
    const std::string got =
        PictureOf(bmp, TRect{left, top, left + width, top + static_cast<int>(picture.size())}, legend);
    if (got == want)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "the pixels from (" << left << ", " << top << ") are\n"
                                         << got << "expected\n"
                                         << want << where(bmp, "picture");
}

std::string SaveForInspection(const TBitmap& bmp, const std::string& tag) {
    std::string name = "bitmap";
    if (const auto* info = ::testing::UnitTest::GetInstance()->current_test_info())
        name = std::string(info->test_suite_name()) + "." + info->name();
    for (char& c : name)
        if (c == '/')
            c = '_';  // parameterised test names
    const std::string path = ::testing::TempDir() + name + "." + tag + ".png";
    bmp.SaveToFile(path);
    return path;
}

}  // namespace testsupport
