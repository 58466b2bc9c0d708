#include "framework/graphics/Metafile.h"

#include "framework/rtl/Exceptions.h"
#include "framework/rtl/Files.h"
#include "support/PixelAssert.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstring>

using namespace framework;
using namespace testsupport;

namespace {

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (std::uint32_t{b[at + 3]} << 24);
}
std::int32_t I32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::int32_t>(U32(b, at));
}

struct Record {
    std::uint32_t Type;
    std::size_t Offset;
    std::uint32_t Size;
};

// Walks the records by their sizes; every size must be a positive multiple of four.
std::vector<Record> Records(const std::vector<std::uint8_t>& emf) {
    std::vector<Record> out;
    for (std::size_t at = 0; at + 8 <= emf.size();) {
        const std::uint32_t size = U32(emf, at + 4);
        EXPECT_TRUE(size >= 8 && size % 4 == 0) << "record at " << at;
        if (size < 8)
            break;
        out.push_back({U32(emf, at), at, size});
        at += size;
    }
    return out;
}

TEST(MetafileFile, OneBitmapMakesHeaderStretchedBitsAndEnd) {
    TMetafile mf;
    mf.SetWidth(5);
    mf.SetHeight(3);
    auto image = std::make_shared<TBitmap>(5, 3);
    image->Canvas()->SetPixel(0, 0, RGB(10, 20, 30));  // top left
    image->Canvas()->SetPixel(4, 2, RGB(40, 50, 60));  // bottom right
    mf.AddRecord(Rect(0, 0, 5, 3), image);
    const std::vector<std::uint8_t> emf = mf.SaveToBytes();

    const std::vector<Record> recs = Records(emf);
    ASSERT_EQ(recs.size(), 3u);
    EXPECT_EQ(recs[0].Type, 1u);
    EXPECT_EQ(recs[1].Type, 81u);
    EXPECT_EQ(recs[2].Type, 14u);
    EXPECT_EQ(recs[2].Offset + recs[2].Size, emf.size());
    // Header: bounds inclusive, signature, total bytes and record count.
    EXPECT_EQ(I32(emf, 8), 0);
    EXPECT_EQ(I32(emf, 16), 4);
    EXPECT_EQ(I32(emf, 20), 2);
    EXPECT_EQ(I32(emf, 32), 131);  // the frame: 5 pixels are 132 hundredths of a millimetre
    EXPECT_EQ(U32(emf, 40), 0x464D4520u);
    EXPECT_EQ(U32(emf, 48), emf.size());
    EXPECT_EQ(U32(emf, 52), 3u);
    // The bitmap record: destination and source sizes, header and bits where it says.
    const std::size_t r = recs[1].Offset;
    EXPECT_EQ(I32(emf, r + 40), 5);  // cxSrc
    EXPECT_EQ(I32(emf, r + 44), 3);
    EXPECT_EQ(U32(emf, r + 68), 0x00CC0020u);
    EXPECT_EQ(I32(emf, r + 72), 5);  // cxDest
    const std::size_t bmi = r + U32(emf, r + 48), bits = r + U32(emf, r + 56);
    EXPECT_EQ(U32(emf, bmi), 40u);
    EXPECT_EQ(emf[bmi + 14], 24);          // bits per pixel
    EXPECT_EQ(U32(emf, r + 60), 16u * 3);  // rows of 15 bytes padded to 16
    // Bottom-up rows of blue, green, red.
    EXPECT_EQ(emf[bits + 0 * 16 + 12], 60);
    EXPECT_EQ(emf[bits + 0 * 16 + 13], 50);
    EXPECT_EQ(emf[bits + 0 * 16 + 14], 40);
    EXPECT_EQ(emf[bits + 2 * 16 + 0], 30);
    EXPECT_EQ(emf[bits + 2 * 16 + 2], 10);
    EXPECT_EQ(emf[bits + 2 * 16 + 3], 255);  // white next to it
    // End of file: its size again as the last word.
    EXPECT_EQ(U32(emf, emf.size() - 4), 20u);
}

TEST(MetafileFile, AnEmptyPictureHasEmptyBounds) {
    TMetafile mf;
    mf.SetWidth(-4);
    EXPECT_EQ(mf.Width(), 0);
    const std::vector<std::uint8_t> emf = mf.SaveToBytes();
    ASSERT_EQ(Records(emf).size(), 2u);
    EXPECT_EQ(I32(emf, 16), -1);
    EXPECT_EQ(I32(emf, 20), -1);
    EXPECT_EQ(U32(emf, 52), 2u);
}

TEST(MetafileFile, SavingIntoAMissingFolderRaises) {
    TempFolder folder;
    TMetafile mf;
    EXPECT_THROW(mf.SaveToFile(folder.Path("no/such/folder/x.emf")), EFCreateError);
    mf.SaveToFile(folder.Path("x.emf"));
    EXPECT_EQ(FileSize(folder.Path("x.emf")), 108 + 20);
}

TEST(MetafileCanvas, RecordsOnlyThePaintedArea) {
    TMetafile mf;
    mf.SetWidth(20);
    mf.SetHeight(10);
    {
        TMetafileCanvas canvas(&mf);
        canvas.Brush()->SetColor(clRed);
        canvas.FillRect(Rect(3, 4, 8, 6));
        canvas.SetPixel(12, 2, clBlue);
        EXPECT_TRUE(mf.Empty());  // recorded when the canvas goes
    }
    ASSERT_EQ(mf.Records().size(), 1u);
    const TMetafile::TRecord& rec = mf.Records()[0];
    EXPECT_EQ(rec.Dest, Rect(3, 2, 13, 6));
    EXPECT_TRUE(PixelIs(*rec.Image, 0, 2, clRed));
    EXPECT_TRUE(PixelIs(*rec.Image, 9, 0, clBlue));

    { TMetafileCanvas idle(&mf); }  // nothing painted, nothing added
    EXPECT_EQ(mf.Records().size(), 1u);
}

TEST(MetafileCanvas, UnpaintedAndHalfPaintedPixelsLieOnWhitePaper) {
    TMetafile mf;
    mf.SetWidth(3);
    mf.SetHeight(1);
    TBitmap glass(3, 1);
    glass.ScanLine(0)[0] = 0xFF0000FFu;  // opaque blue
    glass.ScanLine(0)[1] = 0x00000000u;  // clear
    glass.ScanLine(0)[2] = 0x80FF0000u;  // half red
    {
        TMetafileCanvas canvas(&mf);
        canvas.Draw(0, 0, glass);
    }
    const std::vector<std::uint8_t> emf = mf.SaveToBytes();
    const std::size_t r = Records(emf)[1].Offset;
    const std::size_t bits = r + U32(emf, r + 56);
    const std::uint8_t want[] = {255, 0, 0, 255, 255, 255, 127, 127, 255};  // blue, white, pink
    EXPECT_EQ(std::memcmp(emf.data() + bits, want, sizeof want), 0);
}

TEST(MetafilePlayback, DrawsItsRecordsScaledIntoTheRectangle) {
    TMetafile mf;
    mf.SetWidth(10);
    mf.SetHeight(10);
    {
        TMetafileCanvas canvas(&mf);
        canvas.Brush()->SetColor(clGreen);
        canvas.FillRect(Rect(2, 2, 5, 4));
    }
    TBitmap plain(40, 40), doubled(40, 40);
    mf.Draw(*plain.Canvas(), Rect(0, 0, 10, 10));
    EXPECT_TRUE(RectIs(plain, Rect(2, 2, 5, 4), clGreen));
    EXPECT_TRUE(NothingOutside(plain, Rect(2, 2, 5, 4), clWhite));
    mf.Draw(*doubled.Canvas(), Rect(10, 10, 30, 30));
    EXPECT_TRUE(RectIs(doubled, Rect(14, 14, 20, 18), clGreen));
    EXPECT_TRUE(NothingOutside(doubled, Rect(14, 14, 20, 18), clWhite));

    TMetafile copy;
    copy.Assign(&mf);
    EXPECT_EQ(copy.Records().size(), 1u);
    EXPECT_EQ(copy.Width(), 10);
}

}  // namespace
