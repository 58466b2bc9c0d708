#include "imaging/graphics_utilities.h"

#include "framework/controls/ImageListFile.h"
#include "framework/platform/FakePlatform.h"
#include "imaging/tool_imagelist_master.h"
#include "support/IconBuilder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <memory>

using namespace framework;
using namespace lm7;
using namespace testsupport;

namespace {

using Sizes = std::vector<int>;

class IconFiles : public ::testing::Test {
protected:
    testsupport::TempFolder folder;
    // 16 at 32 bits, 32 at 32 bits, 256 at 32 bits, 16 at 8 bits.
    std::string mixed = folder.Write(
        "mixed.ico", IconDirectoryOnly({{16, 16, 32}, {32, 32, 32}, {256, 256, 32}, {16, 16, 8}}));
};

std::unique_ptr<TImageList, TFreeDeleter> ReadList(const std::string& file) {
    std::unique_ptr<TImageList, TFreeDeleter> list(Create<TImageList>(nullptr));
    ReadComponentResFile(file, *list);
    return list;
}

// Runs a shell command; the output goes nowhere, the status comes back.
int Shell(const std::string& command) { return std::system((command + " >/dev/null 2>&1").c_str()); }

// ImageMagick's convert, checked to be the real one: the tests below need icons made by an
// independent tool, so its absence is a failure, not a reason to skip.
::testing::AssertionResult HaveImageMagick() {
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen("convert -version 2>&1", "r"), pclose);
    std::string out;
    std::array<char, 256> buf{};
    while (pipe && fgets(buf.data(), buf.size(), pipe.get()))
        out += buf.data();
    if (out.find("ImageMagick") == std::string::npos || out.find("Version:") == std::string::npos)
        return ::testing::AssertionFailure()
               << "ImageMagick's convert is needed (./run setup installs imagemagick)";
    return ::testing::AssertionSuccess();
}

}  // namespace

TEST_F(IconFiles, SizesFollowTheDirectoryAtTheBitCount) {
    EXPECT_EQ(IconsizesInAnIconfile(mixed, 32, {16, 32, 48, 256}), (Sizes{16, 32, 256}));
    EXPECT_EQ(IconsizesInAnIconfile(mixed, 8, {16, 32, 48, 256}), (Sizes{16}));
    EXPECT_EQ(IconsizesInAnIconfile(mixed, 24, {16, 32, 48, 256}), Sizes{});
    EXPECT_EQ(IconsizesInAnIconfile(mixed, 32, {256, 16}), (Sizes{16, 256}));
    const std::string twice =
        folder.Write("twice.ico", IconDirectoryOnly({{16, 16, 32}, {64, 64, 32}, {16, 16, 32}}));
    EXPECT_EQ(IconsizesInAnIconfile(twice, 32, {16, 32, 256}), (Sizes{16, 16}));
}

TEST_F(IconFiles, CursorsMissingAndShortFilesGiveNothing) {
    EXPECT_EQ(IconsizesInAnIconfile(folder.Write("c.cur", IconDirectoryOnly({{16, 16, 32}}, 2)), 32, {16}),
              Sizes{});
    EXPECT_EQ(IconsizesInAnIconfile(folder.Path("none.ico"), 32, {16}), Sizes{});
    EXPECT_EQ(IconsizesInAnIconfile(folder.Write("short.ico", std::string("\0\0\1", 3)), 32, {16}), Sizes{});
    // A directory cut in its second entry keeps the first.
    std::string cut = IconDirectoryOnly({{16, 16, 32}, {32, 32, 32}});
    cut.resize(6 + 16 + 8);
    EXPECT_EQ(IconsizesInAnIconfile(folder.Write("cut.ico", cut), 32, {16, 32}), (Sizes{16}));
    EXPECT_FALSE(DimensionIsInArrayOfValidIconSizes(16, {}));
    EXPECT_TRUE(DimensionIsInArrayOfValidIconSizes(16, {48, 16}));
}

TEST_F(IconFiles, UnreadableFileRaises) {
    const std::string locked = folder.Write("locked.ico", IconDirectoryOnly({{16, 16, 32}}));
    std::filesystem::permissions(locked, std::filesystem::perms::none);
    if (std::FILE* f = std::fopen(locked.c_str(), "rb")) {  // root reads anyway
        std::fclose(f);
        GTEST_SKIP() << "permissions do not keep this user out";
    }
    EXPECT_THROW(IconsizesInAnIconfile(locked, 32, {16}), EFOpenError);
}

TEST_F(IconFiles, ExportTakesOnlyQualifyingElements) {
    const std::string icon = folder.Write("a.ico", BuildIcon({SolidIcon(16, 32, 0xFFFF0000u, true)}));
    const std::string out = folder.Path("out.res");
    const std::vector<T2StringAndIntArray> icons{
        {icon, "first", {16, 32}}, {folder.Path("missing.ico"), "", {16}}, {icon, "third", {32}}};
    EXPECT_EQ(SaveImageListFromListOfIconFiles(icons, 16, out), (Sizes{0}));
    auto list = ReadList(out);
    EXPECT_EQ(list->Name(), "ImageList16");
    EXPECT_EQ(list->Count(), 1);
    EXPECT_EQ(list->DrawingStyle(), dsTransparent);
    EXPECT_EQ(list->Pixels(0)[0], 0u);  // the cut corner stays transparent
    EXPECT_EQ(list->Pixels(0)[15 * 16 + 15], 0xFFFF0000u);

    const std::string none = folder.Path("none.res");
    EXPECT_EQ(SaveImageListFromListOfIconFiles({icons[2]}, 16, none), Sizes{});
    EXPECT_FALSE(folder.Exists("none.res"));
    EXPECT_THROW(SaveImageListFromListOfIconFiles(icons, 0, none), EInvalidOperation);
}

TEST_F(IconFiles, IconsMadeByImageMagickAreListedExportedAndLoadedBack) {
    ASSERT_TRUE(HaveImageMagick());
    const std::string png = folder.Path("art.png");
    // Opaque red left half, half-transparent blue right half.
    ASSERT_EQ(Shell("convert -size 256x256 xc:none -fill 'rgba(255,0,0,1)' -draw 'rectangle 0,0 127,255' "
                    "-fill 'rgba(0,0,255,0.5)' -draw 'rectangle 128,0 255,255' PNG32:" +
                    png),
              0);
    const std::string ico32 = folder.Path("multi32.ico");
    ASSERT_EQ(Shell("convert " + png + " -define icon:auto-resize=256,48,32,16 " + ico32), 0);
    const std::string ico8 = folder.Path("multi8.ico");
    // Red left halves beside a grey ramp: too many colours for 4 bits, few enough for 8.
    ASSERT_EQ(Shell("convert \\( -size 32x32 gradient:white-black -fill red -draw 'rectangle 0,0 15,31' \\) "
                    "\\( -size 16x16 gradient:white-black -fill red -draw 'rectangle 0,0 7,15' \\) "
                    "-alpha off -type Palette " +
                    ico8),
              0);

    EXPECT_EQ(IconsizesInAnIconfile(ico32, 32, {16, 32, 48, 256}), (Sizes{256, 48, 32, 16}));
    EXPECT_EQ(IconsizesInAnIconfile(ico8, 8, {16, 32}), (Sizes{32, 16}));
    EXPECT_EQ(IconsizesInAnIconfile(ico8, 32, {16, 32}), Sizes{});

    // The 256-pixel entry is PNG-compressed; 16 and 32 are bitmaps with masks.
    const auto dir = ReadIconDirectory(ico32);
    ASSERT_EQ(dir.size(), 4u);
    EXPECT_EQ(dir[0].w, 0);

    for (int size : {16, 32, 256}) {
        SCOPED_TRACE(size);
        const std::string out = folder.Path("export" + std::to_string(size) + ".res");
        ASSERT_EQ(SaveImageListFromListOfIconFiles({{ico32, "", {16, 32, 48, 256}}}, size, out), (Sizes{0}));
        auto list = ReadList(out);
        ASSERT_EQ(list->Count(), 1);
        const auto& px = list->Pixels(0);
        const TPixel left = px[static_cast<std::size_t>(size / 2 * size + size / 4)];
        const TPixel right = px[static_cast<std::size_t>(size / 2 * size + size * 3 / 4)];
        EXPECT_EQ(left, 0xFFFF0000u);
        EXPECT_EQ(right & 0x00FFFFFFu, 0x0000FFu);
        EXPECT_NEAR(static_cast<int>(right >> 24), 128, 2);

        // Drawn over white: the blue half shows half blue.
        TBitmap canvas(size, size);
        list->Draw(canvas.Canvas(), 0, 0, 0);
        EXPECT_EQ(canvas.ScanLine(size / 2)[size / 4] & 0xFFFFFFu, 0xFF0000u);
        const TPixel drawn = canvas.ScanLine(size / 2)[size * 3 / 4];
        EXPECT_NEAR(static_cast<int>((drawn >> 16) & 0xFF), 127, 2);
        EXPECT_EQ(drawn & 0xFF, 0xFFu);
    }
    // The 8-bit icon exports too, with its palette colours and no transparency.
    const std::string out8 = folder.Path("export8.res");
    ASSERT_EQ(SaveImageListFromListOfIconFiles({{ico8, "", {16}}}, 16, out8), (Sizes{0}));
    auto list8 = ReadList(out8);
    EXPECT_EQ(list8->Pixels(0)[8 * 16 + 2], 0xFFFF0000u);
    EXPECT_EQ(list8->Pixels(0)[0 * 16 + 12], 0xFFFFFFFFu);
}

TEST_F(IconFiles, ExportedListsLoadThroughTheMasterListsAndDrawTheSamePixels) {
    const std::string icon = folder.Write("b.ico", BuildIcon({SolidIcon(32, 32, 0xFF336699u, true)}));
    ASSERT_EQ(SaveImageListFromListOfIconFiles({{icon, "", {32}}}, 32, folder.Path("ImageListMain32.res")),
              (Sizes{0}));
    platform::FakePlatform fake;
    fake.SetExecutablePath(folder.Path("tool"));
    platform::ScopedPlatform scoped(fake);
    Tool_imagelist_master::initialization();
    LoadupAllTheImageLists();
    sibling::GlobalImageHeight = 32;
    TBitmap a(32, 32), b(32, 32);
    ImageListMain()->Draw(a.Canvas(), 0, 0, 0);
    ReadList(folder.Path("ImageListMain32.res"))->Draw(b.Canvas(), 0, 0, 0);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            ASSERT_EQ(a.ScanLine(y)[x], b.ScanLine(y)[x]) << x << "," << y;
    EXPECT_EQ(a.ScanLine(0)[0], 0xFFFFFFFFu);  // transparent corner over white
    EXPECT_EQ(a.ScanLine(31)[31], 0xFF336699u);
    sibling::GlobalImageHeight = 16;
    Tool_imagelist_master::Finalization();
}

namespace {

// Icon files, image-list files and constants sources that are no regular files (a pipe no
// one writes to, /dev/zero behind a link, a socket) are a clear error at once, never a hang
// or a read without end.
TEST_F(IconFiles, ReadersOfOutsideFilesTakeRegularFilesOnly) {
    for (const std::string& special : folder.MakeSpecialFiles()) {
        EXPECT_THROW(IconsizesInAnIconfile(special, 32, {16}), EFOpenError) << special;
        EXPECT_EQ(LoadIconFromFile(special, 16, 16), nullptr) << special;
        std::unique_ptr<TImageList, TFreeDeleter> list(Create<TImageList>(nullptr));
        EXPECT_THROW(ReadComponentResFile(special, *list), EFOpenError) << special;
        EXPECT_THROW(std::unique_ptr<TStringList>(ComputeMASTER_16_ConstsForIcons(special)), EFOpenError)
            << special;
    }
}

}  // namespace
