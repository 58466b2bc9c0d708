#include "lm7tool/Lm7Tool.h"

#include "framework/controls/ImageListFile.h"
#include "framework/graphics/Bitmap.h"
#include "framework/rtl/Exceptions.h"
#include "support/IconBuilder.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <memory>
#include <sstream>

using namespace framework;
using namespace testsupport;

namespace {

struct Result {
    int Status = 0;
    std::string Out, Err;
};

Result RunTool(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = RunLm7Tool(args, out, err);
    return {status, out.str(), err.str()};
}

// An icon whose directory gives bit count 0, as some icon editors write it: the bytes of a
// 32-bit icon with the directory's bit count cleared.
std::string IconWithoutBitCount(int size) {
    std::string icon = BuildIcon({SolidIcon(size, 32, 0xFF2040A0u)});
    icon[12] = icon[13] = '\0';
    return icon;
}

TEST(Lm7Tool, BitCountZeroSelectsTheEntriesWithoutOne) {
    TempFolder folder;
    const std::string icon = folder.Write("zero.ico", IconWithoutBitCount(16));
    Result r = RunTool({"icon-sizes", icon, "--bits", "0", "--sizes", "16,32"});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out, "16\n");
    EXPECT_EQ(RunTool({"icon-sizes", icon, "--sizes", "16,32"}).Out, "\n");  // not at 32 bits

    const std::string list = folder.Path("zero.res");
    r = RunTool({"export-imagelist", "--size", "16", "--out", list, "--bits", "0", icon});
    EXPECT_EQ(r.Status, 0) << r.Err;
    EXPECT_EQ(r.Out.substr(0, 6), "added\t");

    for (const char* bad : {"-1", "33"}) {
        r = RunTool({"icon-sizes", icon, "--bits", bad});
        EXPECT_EQ(r.Status, 2) << bad;
        EXPECT_EQ(r.Err, "lm7tool: --bits must be between 0 and 32\n");
    }
}

TEST(Lm7Tool, ContactSheetTakesMoreColumnsRatherThanGrowTooHigh) {
    EXPECT_EQ(ContactSheetGrid(0, 22).Columns, 1);
    EXPECT_EQ(ContactSheetGrid(3, 22).Columns, 3);
    const SheetGrid usual = ContactSheetGrid(100, 22);
    EXPECT_EQ(usual.Columns, 8);
    EXPECT_EQ(usual.Rows, 13);
    // 744 rows of 22 pixels fit below 16,384; 6,000 images then need nine columns.
    const SheetGrid wide = ContactSheetGrid(6000, 22);
    EXPECT_EQ(wide.Columns, 9);
    EXPECT_EQ(wide.Rows, 667);
    EXPECT_LE(wide.Rows * 22 + kSheetGap, TBitmap::kMaxDimension);
    EXPECT_THROW(ContactSheetGrid(10'000'000, 22), Exception);

    TempFolder folder;
    std::unique_ptr<TImageList, TFreeDeleter> list(Create<TImageList>(nullptr));
    list->SetSize(16, 16);
    for (int i = 0; i < 6000; ++i)
        list->AddPixels(std::vector<TPixel>(256, 0xFF000000u | static_cast<TPixel>(i)));
    const std::string file = folder.Path("many.res");
    WriteComponentResFile(file, *list);
    const std::string png = folder.Path("sheet.png");
    const Result r = RunTool({"imagelist-show", file, "--png", png});
    ASSERT_EQ(r.Status, 0) << r.Err;
    TBitmap sheet;
    sheet.LoadFromFile(png);
    EXPECT_EQ(sheet.Width(), 9 * 22 + kSheetGap);
    EXPECT_EQ(sheet.Height(), 667 * 22 + kSheetGap);
}

}  // namespace
