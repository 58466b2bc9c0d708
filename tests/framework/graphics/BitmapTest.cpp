#include "framework/graphics/Bitmap.h"
#include "framework/platform/FakePlatform.h"
#include "framework/platform/LinuxPlatform.h"
#include "framework/rtl/Exceptions.h"
#include "support/PixelAssert.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include <unistd.h>

using namespace framework;
using namespace testsupport;
using testsupport::TempFolder;

namespace {

std::string TempPath(const std::string& name) {
    return ::testing::TempDir() + ::testing::UnitTest::GetInstance()->current_test_info()->name() + "." +
           name;
}

void WriteBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

// A bitmap with a pattern that catches swapped channels, flipped rows and lost alpha.
void FillPattern(TBitmap& bmp) {
    bmp.SetSize(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            bmp.ScanLine(y)[x] = 0xFF000000u | static_cast<TPixel>(x * 30) << 16 |
                                 static_cast<TPixel>(y * 50) << 8 | static_cast<TPixel>(x * y);
}

TEST(BitmapSize, NewPixelsAreWhiteAndOldOnesKept) {
    TBitmap bmp(4, 4);
    EXPECT_TRUE(RectIs(bmp, Rect(0, 0, 4, 4), clWhite));
    bmp.Canvas()->Brush()->SetColor(clRed);
    bmp.Canvas()->FillRect(Rect(0, 0, 4, 4));
    bmp.SetSize(6, 3);
    EXPECT_TRUE(RectIs(bmp, Rect(0, 0, 4, 3), clRed));
    EXPECT_TRUE(RectIs(bmp, Rect(4, 0, 6, 3), clWhite));
    bmp.Canvas()->FillRect(Rect(0, 0, 6, 3));  // the canvas follows the new pixels
    EXPECT_TRUE(RectIs(bmp, Rect(0, 0, 6, 3), clRed));
}

TEST(BitmapSize, AbsurdSizesAreRefusedBeforeAllocating) {
    TBitmap bmp(3, 3);
    EXPECT_THROW(bmp.SetSize(100000, 100000), EInvalidGraphic);
    EXPECT_EQ(bmp.Width(), 3);
    bmp.SetSize(-5, 2);
    EXPECT_TRUE(bmp.Empty());
    EXPECT_THROW(bmp.ScanLine(2), EInvalidGraphicOperation);
}

TEST(BitmapPng, StreamRoundTripIsPixelExact) {
    TBitmap src, back;
    FillPattern(src);
    back.LoadFromStream(src.SaveToBytes());
    ASSERT_EQ(back.Width(), 7);
    ASSERT_EQ(back.Height(), 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            EXPECT_EQ(back.ScanLine(y)[x], src.ScanLine(y)[x]) << x << "," << y;
}

TEST(BitmapPng, FileRoundTripKeepsAlpha) {
    TBitmap src;
    FillPattern(src);
    src.ScanLine(1)[2] = 0x00000000;
    src.ScanLine(3)[4] = 0x80FF0000;
    const std::string path = TempPath("png");
    src.SaveToFile(path);
    TBitmap back;
    back.LoadFromFile(path);
    EXPECT_EQ(back.ScanLine(1)[2], 0x00000000u);
    EXPECT_EQ(back.ScanLine(3)[4], 0x80FF0000u);
    EXPECT_EQ(back.ScanLine(0)[6], src.ScanLine(0)[6]);
    std::remove(path.c_str());
}

TEST(BitmapPng, DamagedFilesRaiseInvalidGraphicWithTheName) {
    TBitmap pattern;
    FillPattern(pattern);
    std::vector<std::uint8_t> png = pattern.SaveToBytes();
    const std::string cut = TempPath("cut.png"), junk = TempPath("junk.png");
    WriteBytes(cut, std::vector<std::uint8_t>(png.begin(), png.begin() + static_cast<long>(png.size() / 2)));
    WriteBytes(junk, std::vector<std::uint8_t>(300, 0x5A));
    TBitmap bmp(2, 2);
    try {
        bmp.LoadFromFile(cut);
        FAIL() << "a truncated PNG was accepted";
    } catch (const EInvalidGraphic& e) {
        EXPECT_NE(e.Message().find(cut), std::string::npos) << e.Message();
    }
    EXPECT_THROW(bmp.LoadFromFile(junk), EInvalidGraphic);
    EXPECT_EQ(bmp.Width(), 2);  // a failed load leaves the bitmap as it was
    EXPECT_THROW(bmp.LoadFromStream({}), EInvalidGraphic);
    EXPECT_THROW(bmp.LoadFromFile(TempPath("missing.png")), EFOpenError);
    std::remove(cut.c_str());
    std::remove(junk.c_str());
}

TEST(BitmapPng, HugeDeclaredSizeIsRefused) {
    std::vector<std::uint8_t> png = TBitmap(1, 1).SaveToBytes();
    // IHDR width sits at bytes 16..19, big-endian; its CRC no longer matches either.
    png[16] = 0x00, png[17] = 0x01, png[18] = 0x00, png[19] = 0x00;
    TBitmap bmp;
    EXPECT_THROW(bmp.LoadFromStream(png), EInvalidGraphic);
}

TEST(BitmapCopy, AssignCopiesPixelsNotSharingThem) {
    TBitmap a, b, expected;
    FillPattern(a);
    FillPattern(expected);
    b.Assign(&a);
    a.Canvas()->Brush()->SetColor(clBlack);
    a.Canvas()->FillRect(Rect(0, 0, 7, 5));
    EXPECT_EQ(b.Width(), 7);
    EXPECT_EQ(b.ScanLine(4)[6], expected.ScanLine(4)[6]);
}

TEST(BitmapCopy, CopyRectBetweenCanvasesClipsOnBothSides) {
    TBitmap src(10, 10), dst(10, 10);
    src.Canvas()->Brush()->SetColor(clGreen);
    src.Canvas()->FillRect(Rect(0, 0, 10, 10));
    dst.Canvas()->CopyRect(Rect(6, 6, 14, 14), *src.Canvas(), Rect(4, 4, 12, 12));
    // Only the part that lies on both surfaces arrives: source 4..9 lands on 6..9.
    EXPECT_TRUE(RectIs(dst, Rect(6, 6, 10, 10), clGreen));
    EXPECT_TRUE(NothingOutside(dst, Rect(6, 6, 10, 10), clWhite));
}

TEST(BitmapCopy, CopyRectStretchesByNearestPixel) {
    TBitmap src(2, 1), dst(8, 2);
    src.Canvas()->SetPixel(0, 0, clRed);
    src.Canvas()->SetPixel(1, 0, clBlue);
    dst.Canvas()->CopyRect(Rect(0, 0, 8, 2), *src.Canvas(), Rect(0, 0, 2, 1));
    EXPECT_TRUE(RectIs(dst, Rect(0, 0, 4, 2), clRed));
    EXPECT_TRUE(RectIs(dst, Rect(4, 0, 8, 2), clBlue));
}

TEST(BitmapDraw, AlphaAndTransparentColourAreHonoured) {
    TBitmap icon(3, 1), target(3, 1);
    icon.ScanLine(0)[0] = 0x00FF0000;  // fully transparent
    icon.ScanLine(0)[1] = 0xFF0000FF;  // opaque blue
    icon.ScanLine(0)[2] = 0x80000000;  // half black
    target.Canvas()->Draw(0, 0, icon);
    EXPECT_TRUE(PixelIs(target, 0, 0, clWhite));
    EXPECT_TRUE(PixelIs(target, 1, 0, clBlue));
    EXPECT_TRUE(PixelIs(target, 2, 0, RGB(127, 127, 127)));

    TBitmap keyed(2, 1), under(2, 1);
    keyed.Canvas()->SetPixel(0, 0, clFuchsia);  // bottom-left: the transparent colour
    keyed.Canvas()->SetPixel(1, 0, clGreen);
    keyed.SetTransparent(true);
    under.Canvas()->Draw(0, 0, keyed);
    EXPECT_TRUE(PixelIs(under, 0, 0, clWhite));
    EXPECT_TRUE(PixelIs(under, 1, 0, clGreen));
}

}  // namespace

// A picture is saved atomically: a failure part-way leaves the old picture whole and no torn
// file; a pipe, a device or a socket as the target is refused at once, never replaced.
TEST(BitmapFiles, SavingIsAtomicAndOnlyOverRegularFiles) {
    TempFolder tmp;
    TBitmap pattern;
    FillPattern(pattern);
    const std::string path = tmp.Path("picture.png");
    pattern.SaveToFile(path);
    const std::string old = tmp.Read("picture.png");
    platform::FakePlatform fake;
    const platform::ScopedPlatform scoped(fake);
    fake.FailWriteAt(platform::WriteStep::Write, ENOSPC, 10);
    EXPECT_THROW(TBitmap(40, 40).SaveToFile(path), EWriteError);
    EXPECT_EQ(tmp.Read("picture.png"), old);
    EXPECT_EQ(fake.ListDirectory(tmp.Root()), std::vector<std::string>{"picture.png"});
    fake.ClearWriteFault();
    for (const std::string& special : tmp.MakeSpecialFiles()) {
        try {
            pattern.SaveToFile(special);
            ADD_FAILURE() << special << " was written";
        } catch (const EFCreateError& e) {
            EXPECT_NE(e.Message().find("Not a regular file"), std::string::npos) << e.Message();
        }
        EXPECT_FALSE(fake.Stat(special).IsRegular) << special;
    }
}

// Only a regular file of a bounded size is read: a pipe nobody writes to is refused at once
// instead of hanging, a device instead of reading without end, a huge file before any of it is
// read.
TEST(BitmapFiles, ReadingTakesBoundedRegularFilesOnly) {
    TempFolder tmp;
    for (const std::string& special : tmp.MakeSpecialFiles()) {
        try {
            TBitmap().LoadFromFile(special);
            ADD_FAILURE() << special << " was read";
        } catch (const EFOpenError& e) {
            EXPECT_NE(e.Message().find("Not a regular file"), std::string::npos) << e.Message();
        }
    }
    const std::string huge = tmp.Write("huge.png", "");
    ASSERT_EQ(::truncate(huge.c_str(), static_cast<off_t>(TBitmap::kMaxFileSize + 1)), 0);  // sparse
    try {
        TBitmap().LoadFromFile(huge);
        ADD_FAILURE() << "a file beyond the limit was read";
    } catch (const EFOpenError& e) {
        EXPECT_EQ(e.Message(), "Cannot open file \"" + huge + "\". File too large");
    }
}
