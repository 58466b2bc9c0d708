#include "imaging/graphics_utilities.h"

#include "support/PixelAssert.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

using namespace framework;
using namespace lm7;
using namespace testsupport;

namespace {

std::string RunAndRead(const std::string& command) {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen((command + " 2>&1").c_str(), "r"), pclose);
    std::string out;
    std::array<char, 4096> buf{};
    while (pipe && fgets(buf.data(), buf.size(), pipe.get()))
        out += buf.data();
    return out;
}

std::vector<std::uint8_t> Base64Decode(std::string_view text) {
    static const std::string kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::vector<std::uint8_t> out;
    std::uint32_t acc = 0;
    int bits = 0;
    for (char c : text) {
        const std::size_t v = kAlphabet.find(c);
        if (v == std::string::npos)
            continue;  // padding and line breaks
        acc = (acc << 6) | static_cast<std::uint32_t>(v);
        bits += 6;
        if (bits >= 8) {
            bits -= 8;
            out.push_back(static_cast<std::uint8_t>(acc >> bits));
        }
    }
    return out;
}

// Converts the metafile with the independent reader emf2svg and decodes the PNG image that its
// SVG embeds; a failure of any step fails the test that asked.
class EmfReader : public ::testing::Test {
protected:
    TempFolder folder;
    std::unique_ptr<TImage, TFreeDeleter> image{Create<TImage>(nullptr)};

    void SetUp() override {
        ASSERT_NE(RunAndRead("emf2svg-conv --version").find("emf2svg"), std::string::npos)
            << "emf2svg-conv is needed (./run setup installs emf2svg)";
    }

    void ExpectReadBack(const TBitmap& bitmap) {
        image->Picture()->SetBitmap(&bitmap);
        const std::string emf = folder.Path("picture.emf"), svg = folder.Path("picture.svg");
        ConvertBitmapToWindowsMetafileAndSave(image.get(), emf);
        ASSERT_EQ(std::system(("emf2svg-conv -i '" + emf + "' -o '" + svg + "' >/dev/null 2>&1").c_str()), 0);
        const std::string text = folder.Read("picture.svg");
        const std::string marker = "data:image/png;base64,";
        const std::size_t from = text.find(marker);
        ASSERT_NE(from, std::string::npos) << text.substr(0, 400);
        const std::size_t to = text.find('"', from);
        TBitmap back;
        back.LoadFromStream(Base64Decode(std::string_view(text).substr(from + marker.size(), to - from)));
        ASSERT_EQ(back.Width(), bitmap.Width());
        ASSERT_EQ(back.Height(), bitmap.Height());
        for (int y = 0; y < bitmap.Height(); ++y)
            for (int x = 0; x < bitmap.Width(); ++x)
                ASSERT_EQ(PixelAt(back, x, y), PixelAt(bitmap, x, y)) << "pixel " << x << ", " << y;
    }
};

// Every pixel a different colour, so rows or columns out of place show.
std::unique_ptr<TBitmap> Pattern(int w, int h) {
    auto bmp = std::make_unique<TBitmap>(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            bmp->ScanLine(y)[x] =
                ColorToPixel(RGB((x * 7 + y) & 0xFF, (y * 13 + x / 3) & 0xFF, (x ^ y) & 0xFF));
    return bmp;
}

TEST_F(EmfReader, OnePixel) {
    TBitmap one(1, 1);
    one.Canvas()->SetPixel(0, 0, RGB(12, 34, 56));
    ExpectReadBack(one);
}

TEST_F(EmfReader, OddWidthsNeedPaddedRows) {
    for (int w : {3, 5, 7, 13})
        ExpectReadBack(*Pattern(w, 4));
}

TEST_F(EmfReader, TallAndWide) {
    ExpectReadBack(*Pattern(1, 9));
    ExpectReadBack(*Pattern(301, 2));
}

TEST_F(EmfReader, FourThousandSquare) { ExpectReadBack(*Pattern(4000, 4000)); }

TEST(MetafileConversion, TheMetafileHasTheBitmapsSizeAndPixels) {
    const auto bmp = Pattern(9, 6);
    const auto mf = ConvertBitmapToWindowsMetafile(*bmp);
    EXPECT_EQ(mf->Width(), 9);
    EXPECT_EQ(mf->Height(), 6);
    ASSERT_EQ(mf->Records().size(), 1u);
    EXPECT_EQ(mf->Records()[0].Dest, Rect(0, 0, 9, 6));
    TBitmap played(9, 6);
    mf->Draw(*played.Canvas(), Rect(0, 0, 9, 6));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 9; ++x)
            ASSERT_EQ(PixelAt(played, x, y), PixelAt(*bmp, x, y));
}

TEST(MetafileConversion, AnEmptyImageGivesAnEmptyMetafile) {
    std::unique_ptr<TImage, TFreeDeleter> image(Create<TImage>(nullptr));
    const auto mf = ConvertBitmapToWindowsMetafile(image.get());
    EXPECT_EQ(mf->Width(), 0);
    EXPECT_TRUE(mf->Empty());
}

}  // namespace
