#include "framework/controls/ImageListFile.h"
#include "framework/rtl/Exceptions.h"

#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>

using namespace framework;

namespace {

using ListPtr = std::unique_ptr<TImageList, TFreeDeleter>;

ListPtr MakeList(const std::string& name, int width, int height, int count) {
    ListPtr list{Create<TImageList>(nullptr)};
    list->SetName(name);
    list->SetSize(width, height);
    for (int i = 0; i < count; ++i) {
        std::vector<TPixel> pixels(static_cast<std::size_t>(width * height));
        for (std::size_t p = 0; p < pixels.size(); ++p)  // partial alphas, different colours
            pixels[p] = static_cast<TPixel>((p * 37 + static_cast<std::size_t>(i) + 1) * 0x05030701u);
        pixels[0] = 0x00ABCDEFu;  // a colour under alpha 0 must come back as well
        list->AddPixels(std::move(pixels));
    }
    return list;
}

void PutU32(std::string& bytes, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i)
        bytes[at + static_cast<std::size_t>(i)] = static_cast<char>((v >> (8 * i)) & 0xFF);
}

// The list that damaged bytes are read into: it must come out as it went in.
struct ImageListFiles : ::testing::Test {
    ListPtr good = MakeList("Icons", 3, 2, 2);
    std::string bytes = ImageListToBytes(*good);
    ListPtr target = MakeList("Before", 2, 2, 1);

    void ExpectRefused(std::string_view damaged) {
        EXPECT_THROW(ImageListFromBytes(damaged, *target, "x.res"), EInvalidImage);
        EXPECT_EQ(target->Name(), "Before");
        EXPECT_EQ(target->Width(), 2);
        ASSERT_EQ(target->Count(), 1);
        EXPECT_EQ(target->Pixels(0), MakeList("", 2, 2, 1)->Pixels(0));
    }
};

}  // namespace

TEST_F(ImageListFiles, WriteThenReadGivesEveryPixelBack) {
    testsupport::TempFolder folder;
    good->SetDrawingStyle(dsSelected);
    const std::string path = folder.Path("ImageListMain16.res");
    WriteComponentResFile(path, *good);
    ReadComponentResFile(path, *target);
    EXPECT_EQ(target->Name(), "Icons");
    EXPECT_EQ(target->Width(), 3);
    EXPECT_EQ(target->Height(), 2);
    EXPECT_EQ(target->DrawingStyle(), dsSelected);
    ASSERT_EQ(target->Count(), 2);
    for (int i = 0; i < 2; ++i)
        EXPECT_EQ(target->Pixels(i), good->Pixels(i)) << "image " << i;
    // Fully opaque images and an empty list go through as well.
    ListPtr opaque = MakeList("", 1, 1, 0);
    opaque->AddPixels({0xFF102030u});
    ImageListFromBytes(ImageListToBytes(*opaque), *target, "o");
    EXPECT_EQ(target->Pixels(0)[0], 0xFF102030u);
    EXPECT_EQ(target->Name(), "");
    ImageListFromBytes(ImageListToBytes(*MakeList("", 5, 5, 0)), *target, "e");
    EXPECT_EQ(target->Count(), 0);
    EXPECT_EQ(target->Width(), 5);
}

TEST_F(ImageListFiles, MissingFileAndTooLongNameRaise) {
    testsupport::TempFolder folder;
    EXPECT_THROW(ReadComponentResFile(folder.Path("none.res"), *target), EFOpenError);
    good->SetName(std::string(kImageListMaxNameLength + 1, 'a'));
    EXPECT_THROW(ImageListToBytes(*good), EInvalidOperation);
}

TEST_F(ImageListFiles, EveryTruncationIsRefused) {
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        SCOPED_TRACE(n);
        ExpectRefused(std::string_view(bytes).substr(0, n));
    }
}

TEST_F(ImageListFiles, DamagedHeadersAreRefused) {
    const std::size_t nameAt = 11, sizeAt = nameAt + 5, styleAt = sizeAt + 4, countAt = styleAt + 1;
    auto changed = [&](std::size_t at, char value) {
        std::string b = bytes;
        b[at] = value;
        return b;
    };
    ExpectRefused(changed(0, 'X'));         // magic
    ExpectRefused(changed(8, 2));           // version
    ExpectRefused(changed(10, 64));         // name length
    ExpectRefused(changed(nameAt, '1'));    // name not an identifier
    ExpectRefused(changed(sizeAt, 0));      // width 0
    ExpectRefused(changed(sizeAt + 3, 1));  // height 258
    ExpectRefused(changed(styleAt, 4));     // drawing style
    ExpectRefused(bytes + "x");             // trailing bytes
    ExpectRefused(changed(countAt, 3));     // one image more than stored
    std::string absurd = bytes;
    PutU32(absurd, countAt, 0xFFFFFFFFu);  // refused before anything is reserved
    ExpectRefused(absurd);
    PutU32(absurd, countAt + 4, 0xFFFFFFF0u);  // an image length past the end
    PutU32(absurd, countAt, 2);
    ExpectRefused(absurd);
}

TEST_F(ImageListFiles, ImagesMustBePngsOfTheListSize) {
    const std::size_t firstImage = 11 + 5 + 4 + 1 + 4;
    std::string b = bytes;
    b[firstImage + 4 + 1] = 'X';  // the PNG signature
    ExpectRefused(b);
    b = bytes;
    b[firstImage + 4 + 19] = 4;  // IHDR width 4 instead of 3
    ExpectRefused(b);
    b = bytes;
    b[b.size() - 20] ^= 0x55;  // inside the last image's data: it no longer decodes
    ExpectRefused(b);
    // Many images that together hold too many pixels.
    ListPtr big = MakeList("", 256, 256, 0);
    std::string header = ImageListToBytes(*big);
    PutU32(header, header.size() - 4, 513);
    header.append(513 * (4 + 57), '\0');
    ExpectRefused(header);
}
