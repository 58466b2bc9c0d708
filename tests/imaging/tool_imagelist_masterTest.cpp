#include "imaging/tool_imagelist_master.h"

#include "framework/controls/Button.h"
#include "framework/controls/ImageListFile.h"
#include "framework/platform/FakePlatform.h"
#include "framework/rtl/SysUtils.h"
#include "support/FormFixture.h"
#include "support/TempFolder.h"
#include "vendor/AdvGlowButton.h"
#include "vendor/AdvToolBtn.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <limits>
#include <memory>

using namespace framework;
using namespace lm7;
using sibling::GlobalImageHeight;

namespace {

// The unit started for the test and stopped after it, with the image height put back.
class MasterLists : public ::testing::Test {
protected:
    MasterLists() { Tool_imagelist_master::initialization(); }
    ~MasterLists() override {
        Tool_imagelist_master::Finalization();
        GlobalImageHeight = 16;
    }
    testsupport::FormPtr form = testsupport::MakeForm();
};

// A list of count images of one size, image i filled with colour i + 1.
void Fill(TCustomImageList& list, int size, int count) {
    list.SetSize(size, size);
    for (int i = 0; i < count; ++i)
        list.AddPixels(std::vector<TPixel>(static_cast<std::size_t>(size * size),
                                           0xFF000000u + static_cast<TPixel>(i + 1)));
}

}  // namespace

TEST(NearestImageDimension, BandsAndOutOfRange) {
    const std::pair<int, int> cases[] = {{0, 0},  {17, 0},      {18, 1},     {21, 1},  {22, 2},  {26, 2},
                                         {27, 3}, {35, 3},      {36, 4},     {43, 4},  {44, 5},  {55, 5},
                                         {56, 6}, {79, 6},      {80, 7},     {111, 7}, {112, 1}, {1000, 1},
                                         {-1, 1}, {INT_MIN, 1}, {INT_MAX, 1}};
    for (auto [n, dim] : cases)
        EXPECT_EQ(IntegerToNearestImageDimension(n), dim) << n;
    EXPECT_EQ(IntegerToNearestImageHeight(30), 32);
    EXPECT_EQ(IntegerToNearestImageHeight(192 / 5), 40);
}

TEST_F(MasterLists, CountedStartUpCreatesOnceAndFreesAtTheLastShutDown) {
    TImageList* first = ImageLists[0];
    ASSERT_NE(first, nullptr);
    Tool_imagelist_master::initialization();
    EXPECT_EQ(ImageLists[0], first);
    Tool_imagelist_master::Finalization();
    EXPECT_EQ(ImageLists[0], first);  // one start-up is still open
    for (TImageList* list : ImageLists) {
        ASSERT_NE(list, nullptr);
        EXPECT_EQ(list->Count(), 0);
    }
}

TEST_F(MasterLists, MainListFollowsTheHeightAndTimesRoundsHalfToEven) {
    GlobalImageHeight = 33;
    EXPECT_EQ(ImageListMain(), ImageLists[3]);
    EXPECT_EQ(sibling::GlobalImageDimension, sibling::id32);
    GlobalImageHeight = 19;
    EXPECT_EQ(ImageListMain_Times(1.5f), ImageLists[3]);  // 28.5 -> 28
    GlobalImageHeight = 17;
    EXPECT_EQ(ImageListMain_Times(1.5f), ImageLists[2]);      // 25.5 -> 26
    EXPECT_EQ(sibling::GlobalImageDimension, sibling::id32);  // untouched by the multiple
    GlobalImageHeight = 16;
    EXPECT_EQ(ImageListMain_Times(1e30f), ImageLists[1]);
    EXPECT_EQ(ImageListMain_Times(-1e30f), ImageLists[1]);
    EXPECT_EQ(ImageListMain_Times(std::numeric_limits<float>::quiet_NaN()), ImageLists[1]);
}

TEST_F(MasterLists, MenuItemsDepthFirstWithoutSeparatorsAndWithAbsoluteTags) {
    auto* menu = Create<TMainMenu>(form.get());
    auto item = [&](TMenuItem* parent, const char* caption, int tag) {
        auto* it = Create<TMenuItem>(form.get());
        it->SetCaption(caption);
        it->SetTag(tag);
        parent->Add(it);
        return it;
    };
    TMenuItem* file = item(menu->Items(), "File", 1);
    TMenuItem* open = item(file, "Open", -12);
    item(file, "-", 5);
    TMenuItem* recent = item(file, "Recent", 3);
    TMenuItem* one = item(recent, "One", 4);
    TMenuItem* help = item(menu->Items(), "Help", 7);

    std::unique_ptr<TList> list(GetImagesListOfMenuItems(menu));
    ASSERT_EQ(list->Count(), 5);
    EXPECT_EQ(list->Items(0), file);
    EXPECT_EQ(list->Items(1), open);
    EXPECT_EQ(list->Items(2), recent);
    EXPECT_EQ(list->Items(3), one);
    EXPECT_EQ(list->Items(4), help);
    EXPECT_EQ(open->ImageIndex(), 12);
    EXPECT_EQ(menu->Images(), ImageListMain());
    // An item has one place in a menu, so the walk cannot meet it twice.
    EXPECT_THROW(help->Add(open), EMenuError);
}

TEST_F(MasterLists, StatusBarPanelsToolBarsPagersAndButtons) {
    GlobalImageHeight = 24;
    auto* bar = Create<vendor::TAdvOfficeStatusBar>(form.get());
    bar->Panels()->Add();
    SetImagesAndNumberForStatusBarPanel(bar, 1, 9);  // one past the panels
    EXPECT_EQ(bar->Images(), ImageLists[2]);
    EXPECT_EQ(bar->Panels()->Items(0)->ImageIndex(), -1);
    SetImagesAndNumberForStatusBarPanel(bar, -1, 9);  // negative: no panel either
    EXPECT_EQ(bar->Panels()->Items(0)->ImageIndex(), -1);
    SetImagesAndNumberForStatusBarPanel(bar, 0, 9);
    EXPECT_EQ(bar->Panels()->Items(0)->ImageIndex(), 9);

    auto* toolbar = Create<TToolBar>(form.get());
    auto* tb = Create<TToolButton>(form.get());
    tb->SetParent(toolbar);
    SetImagesAndNumberForToolbarButton(toolbar, bar, 4);  // not a tool button
    EXPECT_EQ(toolbar->Images(), nullptr);
    SetImagesAndNumberForToolbarButton(toolbar, tb, 4);
    EXPECT_EQ(toolbar->Images(), ImageLists[2]);
    EXPECT_EQ(tb->ImageIndex(), 4);

    auto* pager = Create<vendor::TAdvOfficePager>(form.get());
    auto* page = Create<vendor::TAdvOfficePage>(form.get());
    page->SetAdvOfficePager(pager);
    SetImagesAndNumberForAdvOfficePager(pager, page, 6);
    EXPECT_EQ(pager->Images(), ImageLists[2]);
    EXPECT_EQ(page->ImageIndex(), 6);

    auto* button = Create<TButton>(form.get());
    auto* glow = Create<vendor::TAdvGlowButton>(form.get());
    auto* tool = Create<vendor::TAdvToolButton>(form.get());
    for (TControl* c : std::initializer_list<TControl*>{button, glow, tool})
        SetImagesAndNumberForButton(c, 2);
    SetImagesAndNumberForButton(bar, 2);
    EXPECT_EQ(GetObjectProp(button, "Images"), ImageLists[2]);
    EXPECT_EQ(GetOrdProp(glow, "ImageIndex"), 2);
    EXPECT_EQ(GetObjectProp(tool, "Images"), ImageLists[2]);
    EXPECT_EQ(GetObjectProp(bar, "Images"), ImageLists[2]);  // from before, not from the button call
}

TEST_F(MasterLists, NoFilesLeaveEveryListEmptyAndGetABitmapFails) {
    testsupport::TempFolder folder;
    platform::FakePlatform fake;
    fake.SetExecutablePath(folder.Path("tool"));
    platform::ScopedPlatform scoped(fake);
    LoadupAllTheImageLists();
    for (TImageList* list : ImageLists)
        EXPECT_EQ(list->Count(), 0);
    TBitmap bmp(3, 3);
    EXPECT_FALSE(GetABitmap(0, &bmp));
    EXPECT_EQ(bmp.Width(), 3);
}

TEST_F(MasterLists, LoadsFilesBesideTheProgramAndDrawsTheSamePixels) {
    testsupport::TempFolder folder;
    platform::FakePlatform fake;
    fake.SetExecutablePath(folder.Path("tool"));
    platform::ScopedPlatform scoped(fake);
    std::unique_ptr<TImageList, TFreeDeleter> source(Create<TImageList>(nullptr));
    Fill(*source, 24, 3);
    WriteComponentResFile(folder.Path("ImageListMain24.res"), *source);

    LoadupAllTheImageLists();
    EXPECT_EQ(ImageLists[2]->Count(), 3);
    EXPECT_EQ(ImageLists[2]->Width(), 24);
    EXPECT_EQ(ImageLists[0]->Count(), 0);
    GlobalImageHeight = 24;
    TBitmap bmp;
    ASSERT_TRUE(GetABitmap(2, &bmp));
    EXPECT_EQ(bmp.ScanLine(23)[23], 0xFF000003u);

    // A damaged file stops the loading with a clear error.
    folder.Write("ImageListMain16.res", "LM7IMGL");
    EXPECT_THROW(LoadupAllTheImageLists(), EInvalidImage);
}

// --- The constants reader ---

namespace {

std::vector<std::pair<std::string, int>> Consts(const std::string& text) {
    testsupport::TempFolder folder;
    std::unique_ptr<TStringList> list(ComputeMASTER_16_ConstsForIcons(folder.Write("consts.pas", text)));
    std::vector<std::pair<std::string, int>> out;
    for (int i = 0; i < list->Count(); ++i)
        out.emplace_back(list->Strings(i), static_cast<int>(TStrings::ObjectToInt(list->Objects(i))));
    return out;
}

using Pairs = std::vector<std::pair<std::string, int>>;

}  // namespace

TEST(IconConsts, EntrySyntax) {
    EXPECT_EQ(Consts("cm_Open , cm_FileOpen : 12\n"), (Pairs{{"cm_Open", 12}, {"cm_FileOpen", 12}}));
    EXPECT_EQ(Consts("CM_Exit: 4\n"), (Pairs{{"CM_Exit", 4}}));
    EXPECT_EQ(Consts("Open, cm_Save : 3\n"), (Pairs{{"cm_Save", 3}}));
    EXPECT_EQ(Consts("cm_Close : -1\n"), Pairs{});
    EXPECT_EQ(Consts("cm_A, cm_B\n"), Pairs{});
    EXPECT_EQ(Consts("cm_A : one\n"), Pairs{});
    EXPECT_EQ(Consts("cm_A : 1\ncm_A : 2\n"), (Pairs{{"cm_A", 1}, {"cm_A", 2}}));
    EXPECT_EQ(Consts("\t cm_A \t,, cm_B   :\t7 ;x\n"), Pairs{});  // text after the number
    EXPECT_EQ(Consts("\t cm_A \t,, cm_B   :\t7\n"), (Pairs{{"cm_A", 7}, {"cm_B", 7}}));
}

TEST(IconConsts, MarkersCutTheBlock) {
    const std::string text = "cm_Before : 1\n"
                             "{ Master_ImageListNumbers\n"
                             "cm_Skipped : 2\n"
                             "\n"
                             "cm_LumoraTag : 3\n"
                             "cm_Kept : 4\n"
                             "cm_Dropped : 5\n"
                             "// *** assumes this routine placed just after\n"
                             "cm_After : 6\n";
    EXPECT_EQ(Consts(text), (Pairs{{"cm_LumoraTag", 3}, {"cm_Kept", 4}}));
    // Marker on line 5: lines 4 onward go, line 4 included.
    EXPECT_EQ(
        Consts("cm_0:0\ncm_1:1\ncm_2:2\ncm_3:3\ncm_4:4\n// *** assumes this routine placed just after\n"),
        (Pairs{{"cm_0", 0}, {"cm_1", 1}, {"cm_2", 2}, {"cm_3", 3}}));
    // On the first line the end marker removes nothing.
    EXPECT_EQ(Consts("// *** assumes this routine placed just after\ncm_A : 1\n"), (Pairs{{"cm_A", 1}}));
    // Neither marker: scanning from the first-entry marker, or from the first line.
    EXPECT_EQ(Consts("cm_X : 1\ncm_LumoraTag : 2\n"), (Pairs{{"cm_LumoraTag", 2}}));
    EXPECT_EQ(Consts("cm_X : 1\ncm_Y : 2\n"), (Pairs{{"cm_X", 1}, {"cm_Y", 2}}));
}

TEST(IconConsts, OnlyTheFirstMarkersCountAndCutMarkersAreGone) {
    const std::string end = "// *** assumes this routine placed just after\n";
    // The first end marker stands on the first line and cuts nothing; a later one is not looked for.
    EXPECT_EQ(Consts(end + "cm_A : 1\n" + end + "cm_B : 2\n"), (Pairs{{"cm_A", 1}, {"cm_B", 2}}));
    // A head marker on the line before the end marker goes with it: scanning starts at the top.
    EXPECT_EQ(Consts("cm_A : 1\n{ Master_ImageListNumbers\n" + end), (Pairs{{"cm_A", 1}}));
    // A first-entry marker before the head marker is emptied with everything above the head.
    EXPECT_EQ(Consts("cm_LumoraTag : 1\n{ Master_ImageListNumbers\ncm_B : 2\n"), (Pairs{{"cm_B", 2}}));
    // Bytes that do not decode in a name come back as U+FFFD.
    EXPECT_EQ(Consts("cm_\xC3x : 3\n"), (Pairs{{"cm_\xEF\xBF\xBDx", 3}}));
}

TEST(IconConsts, LineEndsAndEncodings) {
    EXPECT_EQ(Consts("cm_A : 1\r\ncm_B : 2\rcm_C : 3"), (Pairs{{"cm_A", 1}, {"cm_B", 2}, {"cm_C", 3}}));
    EXPECT_EQ(Consts("\xEF\xBB\xBF"
                     "cm_A : 1\n"),
              (Pairs{{"cm_A", 1}}));
    EXPECT_EQ(Consts(std::string("\xFF\xFE"
                                 "c\0m\0_\0X\0:\0"
                                 "5\0",
                                 14)),
              (Pairs{{"cm_X", 5}}));
}

TEST(IconConsts, LongNamesBareCommasAndMixedLineEnds) {
    const std::string longName = "cm_" + std::string(40, 'x');
    EXPECT_EQ(Consts(longName + ",cm_B:9\r\r\n\n\r" + longName + ":8"),
              (Pairs{{longName, 9}, {"cm_B", 9}, {longName, 8}}));
    EXPECT_EQ(Consts(std::string(5000, ',') + ":1\n,,cm_A,,:2\n"), (Pairs{{"cm_A", 2}}));
    EXPECT_EQ(Consts("cm_A:2147483647\ncm_B:2147483648\n"), (Pairs{{"cm_A", 2147483647}}));
}

TEST(IconConsts, NumbersReadAsTheRuntimeReadsThem) {
    EXPECT_EQ(Consts("cm_A: 007\ncm_B:+5\ncm_C:$1F\ncm_D:0x10\ncm_E:x1F\n"),
              (Pairs{{"cm_A", 7}, {"cm_B", 5}, {"cm_C", 31}, {"cm_D", 16}, {"cm_E", 31}}));
    // Ten digits and more, and leading zeros beyond nine digits, still read when they fit.
    EXPECT_EQ(Consts("cm_A:1234567890\ncm_B: 0000000000042\ncm_C:-0\n"),
              (Pairs{{"cm_A", 1234567890}, {"cm_B", 42}, {"cm_C", 0}}));
    // Too large, negative through the hexadecimal bits, no digits, or more after the number.
    EXPECT_EQ(Consts("cm_A:12345678901\ncm_B:$FFFFFFFF\ncm_C:\ncm_D: -\ncm_E: 5 5\ncm_F:1:2\n"), Pairs{});
}

TEST(IconConsts, NamesInAnyCaseAndAnyScript) {
    EXPECT_EQ(Consts("Cm_P,cM_Q,CM_R,cm_S:4\n"), (Pairs{{"Cm_P", 4}, {"cM_Q", 4}, {"CM_R", 4}, {"cm_S", 4}}));
    EXPECT_EQ(Consts("cm_\xC3\xA9, cm_\xC3\xBC : 3\n"), (Pairs{{"cm_\xC3\xA9", 3}, {"cm_\xC3\xBC", 3}}));
    EXPECT_EQ(Consts(std::string("\xFE\xFF\0c\0m\0_\0Y\0:\0009", 14)), (Pairs{{"cm_Y", 9}}));
}

// Separators before, on and after every place in a long line, names short and long.
TEST(IconConsts, LongLinesReadWhereverTheSeparatorsFall) {
    std::string text;
    Pairs expected;
    for (int i = 0; i < 40; ++i) {
        const std::string first = "cm_" + std::string(static_cast<std::size_t>(i), 'a');
        const std::string second = "CM_" + std::string(static_cast<std::size_t>(40 - i), 'b');
        text += std::string(static_cast<std::size_t>(i % 7), ' ') + first +
                std::string(static_cast<std::size_t>(i % 3), ' ') + "," +
                std::string(static_cast<std::size_t>(i % 5), '\t') + second + ",x" +
                std::string(static_cast<std::size_t>(i), 'y') + ":" +
                std::string(static_cast<std::size_t>(i % 2), ' ') + std::to_string(i) +
                (i % 4 == 0 ? "\r\n" : "\n");
        expected.push_back({first, i});
        expected.push_back({second, i});
    }
    EXPECT_EQ(Consts(text), expected);
}

TEST(IconConsts, ResultIsSizedOnceAndHoldsLittleSpareRoom) {
    testsupport::TempFolder folder;
    // Every ',' and ':' ends a name: the room reserved is exactly the pairs read.
    std::string text;
    for (int i = 0; i < 2000; ++i)
        text += "  cm_Name" + std::to_string(i) + " , cm_Other" + std::to_string(i) + " : " +
                std::to_string(i) + "\n";
    std::unique_ptr<TStringList> exact(ComputeMASTER_16_ConstsForIcons(folder.Write("exact.pas", text)));
    EXPECT_EQ(exact->Count(), 4000);
    EXPECT_EQ(exact->Capacity(), 4000);
    EXPECT_EQ(exact->Strings(3999), "cm_Other1999");
    // Mostly other punctuation: the spare room is given back.
    std::unique_ptr<TStringList> sparse(ComputeMASTER_16_ConstsForIcons(
        folder.Write("sparse.pas", std::string(10000, ',') + "\ncm_A : 1\nx: y, z\n")));
    EXPECT_EQ(sparse->Count(), 1);
    EXPECT_EQ(sparse->Capacity(), 1);
    // The caller gets a list like any other: out of its update, and free to change.
    EXPECT_EQ(sparse->UpdateCount(), 0);
    sparse->Add("cm_B");
    sparse->SetSorted(true);
    EXPECT_EQ(sparse->IndexOf("CM_B"), 1);
}

TEST(IconConsts, ManyEntriesBeforeTheMarkersGo) {
    std::string before;
    for (int i = 0; i < 50; ++i)
        before += "cm_Early" + std::to_string(i) + ", cm_Too : " + std::to_string(i) + "\n";
    EXPECT_EQ(Consts(before + "{ Master_ImageListNumbers\n" + before + "cm_LumoraTag : 1\ncm_Kept : 2\n"),
              (Pairs{{"cm_LumoraTag", 1}, {"cm_Kept", 2}}));
    EXPECT_EQ(Consts(before + "{ Master_ImageListNumbers\ncm_Kept : 2\n"), (Pairs{{"cm_Kept", 2}}));
}

TEST(IconConsts, MissingAndOversizedFilesRaise) {
    testsupport::TempFolder folder;
    EXPECT_THROW(ComputeMASTER_16_ConstsForIcons(folder.Path("none.pas")), EFOpenError);
    // A sparse file past the limit is refused before it is read.
    const std::string big = folder.Write("big.pas", "cm_A : 1\n");
    std::filesystem::resize_file(big, static_cast<std::uintmax_t>(kMaxConstsFileSize) + 1);
    EXPECT_THROW(ComputeMASTER_16_ConstsForIcons(big), EReadError);
}
