#include "imaging/graphics_utilities.h"

#include "framework/controls/ImageListFile.h"
#include "framework/graphics/WinGdi.h"
#include "framework/platform/Platform.h"
#include "framework/rtl/Rounding.h"
#include "framework/rtl/SysUtils.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <memory>
#include <numbers>

using namespace framework;

namespace lm7 {

namespace {

std::string ReadRangeOrRaise(const std::string& fileName, std::uint64_t offset, std::size_t count) {
    platform::IoError err;
    auto bytes = platform::Platform().ReadFileRange(fileName, offset, count, &err);
    if (!bytes)
        throw EFOpenError(Format("Cannot open file \"%s\". %s", {fileName, err.Text}));
    return std::move(*bytes);
}

}  // namespace

// --- Canvas settings, text and characters -----------------------------------------------------

TCanvasSettings GetCanvasSettings(TCanvas* Canvas) {
    TCanvasSettings settings;
    if (!Canvas)
        return settings;
    settings.fontname = Canvas->Font()->Name();
    settings.fontsize = Canvas->Font()->Size();
    settings.fontstyle = Canvas->Font()->Style();
    settings.brushcolour = Canvas->Brush()->Color();
    settings.fontcolour = Canvas->Font()->Color();
    return settings;
}

int HeightOfAStringPlusOneEighth(TCanvas* Canvas, const std::string& S) {
    if (!Canvas)
        return 0;
    const int h = Canvas->TextHeight(S);
    return h + h / 8;
}

std::unique_ptr<sibling::TCardinalList> CharNums16BitViewableInFont(TCanvas* Canvas) {
    auto list = std::make_unique<sibling::TCardinalList>();
    if (!Canvas)
        return list;
    const GLYPHSET set = GetFontUnicodeRanges(Canvas);
    if (set.cGlyphsSupported != 0)
        for (const WCRANGE& range : set.ranges)
            for (std::uint32_t k = 0; k < range.cGlyphs; ++k)
                list->AddOne(range.wcLow + k);
    list->SortAscendingDefault();
    return list;
}

// --- Triangles and gradients ------------------------------------------------------------------

void DrawATriangle(TCanvas* Canvas, TColor Colour, TPoint P, bool PointDown, int Width, int Height) {
    if (!Canvas)
        return;
    Canvas->Pen()->SetColor(Colour);
    const int half = Width / 2;
    const int baseY = PointDown ? P.Y : P.Y + Height;
    const int apexY = PointDown ? P.Y + Height : P.Y;
    const std::array<TPoint, 3> points{TPoint{P.X - half, baseY}, TPoint{P.X + half, baseY},
                                       TPoint{P.X, apexY}};
    Canvas->Polygon(points);
}

void ComputeTriangleAndDrawit(TCanvas* Canvas, TColor Colour, const TRect& R, bool PointDown) {
    if (!Canvas)
        return;
    const TSize a = Canvas->TextExtent("a");
    const int h = a.cy / 2 + 1;
    DrawATriangle(Canvas, Colour, TPoint{R.Right - a.cx, R.Bottom - h}, PointDown, a.cx, h);
}

void MyDrawGradient(TCanvas* Canvas, TColor A, TColor B, int Steps, TRect R, bool Horizontal) {
    if (!Canvas || R.Top == R.Bottom)
        return;
    if (R.Bottom < R.Top)
        std::swap(R.Top, R.Bottom);
    // A rectangle given right to left is put in order too: left as it is, the bands would
    // march leftwards out of it.
    if (R.Right < R.Left)
        std::swap(R.Left, R.Right);
    A = ColorToRGB(A);
    B = ColorToRGB(B);
    if (A == clNone || B == clNone) {
        const TColor only = A == clNone && B != clNone ? B : A;
        Canvas->Pen()->SetColor(only);
        Canvas->Brush()->SetColor(only);
        Canvas->Rectangle(R.Left, R.Top, R.Right, R.Bottom);
        return;
    }
    const int length = Horizontal ? R.Right - R.Left - 1 : R.Bottom - R.Top - 1;
    Steps = std::max(1, std::min(Steps, length));
    const double band = static_cast<double>(length) / Steps;
    const double dR = static_cast<double>(GetRValue(B) - GetRValue(A)) / Steps;
    const double dG = static_cast<double>(GetGValue(B) - GetGValue(A)) / Steps;
    const double dB = static_cast<double>(GetBValue(B) - GetBValue(A)) / Steps;
    const int bandWidth = static_cast<int>(Trunc(band + 1));
    for (int i = 0; i <= Steps; ++i) {
        const TColor colour = RGB(GetRValue(A) + static_cast<int>(RoundHalfEven(i * dR)),
                                  GetGValue(A) + static_cast<int>(RoundHalfEven(i * dG)),
                                  GetBValue(A) + static_cast<int>(RoundHalfEven(i * dB)));
        Canvas->Pen()->SetColor(colour);
        Canvas->Brush()->SetColor(colour);
        const int offset = static_cast<int>(Trunc(i * band));
        if (Horizontal) {
            const int x1 = R.Left + offset;
            Canvas->Rectangle(x1, R.Top, std::min(x1 + bandWidth, R.Right), R.Bottom);
        } else {
            const int y1 = R.Top + offset;
            Canvas->Rectangle(R.Left, y1, R.Right, std::min(y1 + bandWidth, R.Bottom));
        }
    }
}

// --- Font sizes -------------------------------------------------------------------------------

int MapFontHeight(int PointSize) {
    return -static_cast<int>(Trunc(static_cast<double>(std::int64_t{PointSize} * 254) / 72));
}

int MapFontSize(int Height) {
    return static_cast<int>(Trunc(static_cast<double>(std::int64_t{Height} * 72) / 254));
}

// --- Metafiles and region copies --------------------------------------------------------------

std::unique_ptr<TMetafile, TFreeDeleter> ConvertBitmapToWindowsMetafile(const TBitmap& Bitmap) {
    std::unique_ptr<TMetafile, TFreeDeleter> metafile(Create<TMetafile>());
    metafile->SetWidth(Bitmap.Width());
    metafile->SetHeight(Bitmap.Height());
    {
        TMetafileCanvas canvas(metafile.get());  // completes the recording when it goes, also on a raise
        canvas.Draw(0, 0, Bitmap);
    }
    return metafile;
}

std::unique_ptr<TMetafile, TFreeDeleter> ConvertBitmapToWindowsMetafile(const TImage* Image) {
    if (!Image)
        return std::unique_ptr<TMetafile, TFreeDeleter>(Create<TMetafile>());
    return ConvertBitmapToWindowsMetafile(*Image->Picture()->Bitmap());
}

void ConvertBitmapToWindowsMetafileAndSave(const TImage* Image, const std::string& FileName) {
    if (!Image)
        return;
    ConvertBitmapToWindowsMetafile(Image)->SaveToFile(FileName);
}

void CopyARegionOfCanvasToABitmap(int X, int Y, int Width, int Height, TBitmap& Bitmap, TCanvas* Canvas) {
    if (!Canvas)
        return;
    Bitmap.SetWidth(Width);
    Bitmap.SetHeight(Height);
    BitBlt(Bitmap.Canvas(), 0, 0, Width, Height, Canvas, X, Y, SRCCOPY);
}

void CopyABitmapToARegionOfCanvas(const TRect& R, const TBitmap* Bitmap, TCanvas* Canvas) {
    if (!Bitmap || !Canvas)
        return;
    BitBlt(Canvas, R.Left, R.Top, R.Right - R.Left, R.Bottom - R.Top, Bitmap->Canvas(), 0, 0, SRCCOPY);
}

// --- Crowns -----------------------------------------------------------------------------------

TPoint CrownPos(int I, int N, int R, TPoint C) {
    if (N == 0)
        throw EZeroDivide("Floating point division by zero");
    const float step = 360.0f / static_cast<float>(N);
    const float angle = static_cast<float>(I * static_cast<double>(step) * std::numbers::pi / 180.0);
    float radius = static_cast<float>(R);
    if (I % 2 != 0)
        radius = static_cast<float>(static_cast<double>(radius) * 6 / 5);
    const float dx = static_cast<float>(std::sin(static_cast<double>(angle)) * radius);
    const float dy = static_cast<float>(std::cos(static_cast<double>(angle)) * radius);
    return TPoint{C.X + static_cast<int>(RoundHalfEven(dx)), C.Y + static_cast<int>(RoundHalfEven(dy))};
}

// --- Icon files -------------------------------------------------------------------------------

std::vector<TIconDirEntry> ReadIconDirectory(const std::string& FileName) {
    if (!FileExists(FileName))
        return {};
    std::uint16_t type = 0, count = 0;
    if (!ParseIconHeader(ReadRangeOrRaise(FileName, 0, kIconHeaderSize), type, count) || type != 1)
        return {};
    // Entries that would reach beyond the end of the file are not read: a short read gives them.
    const std::string directory =
        ReadRangeOrRaise(FileName, kIconHeaderSize, std::size_t{count} * kIconDirEntrySize);
    return ParseIconDirectory(directory, count);
}

std::vector<int> IconsizesInAnIconfile(const std::string& FileName, std::uint16_t BitCount,
                                       const std::vector<int>& WantedSizes) {
    std::vector<int> result;
    if (!FileExists(FileName))
        return result;
    for (const TIconDirEntry& entry : ReadIconDirectory(FileName)) {
        if (entry.bitcount != BitCount)
            continue;
        for (int size : WantedSizes)
            if (size == entry.w || (size == 256 && entry.w == 0)) {
                result.push_back(size);
                break;
            }
    }
    return result;
}

bool DimensionIsInArrayOfValidIconSizes(int Size, const std::vector<int>& Sizes) {
    return std::find(Sizes.begin(), Sizes.end(), Size) != Sizes.end();
}

std::vector<int> SaveImageListFromListOfIconFiles(const std::vector<T2StringAndIntArray>& Icons, int Size,
                                                  const std::string& FileName) {
    std::vector<int> result;
    std::unique_ptr<TImageList, TFreeDeleter> list(Create<TImageList>(nullptr));
    list->SetName(Format("ImageList%d", {Size}));
    list->SetDrawingStyle(dsTransparent);
    list->SetSize(Size, Size);  // raises EInvalidOperation for a size no list can have
    for (std::size_t i = 0; i < Icons.size(); ++i) {
        const T2StringAndIntArray& icon = Icons[i];
        if (!FileExists(icon.icon_fname) || !DimensionIsInArrayOfValidIconSizes(Size, icon.valid_icon_sizes))
            continue;
        auto image = LoadIconFromFile(icon.icon_fname, Size, Size);
        if (!image)
            continue;
        list->Add(*image);
        result.push_back(static_cast<int>(i));
    }
    if (!result.empty())
        WriteComponentResFile(FileName, *list);
    return result;
}

}  // namespace lm7
