#include "framework/graphics/GraphicsObjects.h"
#include "framework/classes/TypInfo.h"
#include "framework/rtl/Exceptions.h"

#include <gtest/gtest.h>

using namespace framework;

namespace {

TEST(FontSize, PointsAndPixelsFollowMulDiv) {
    TFont font;
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Size(), 8);
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -16);
    font.SetPixelsPerInch(144);
    font.SetSize(8);
    EXPECT_EQ(font.Height(), -16);
    EXPECT_EQ(MulDiv(-7, 3, 2), -11);  // halves round away from zero
    EXPECT_EQ(MulDiv(1, 1, 0), -1);
}

TEST(FontChange, EveryChangeFiresOnceAndNoOpsDoNot) {
    TFont font;
    int changes = 0;
    font.OnChange = TNotifyEvent::Lambda([&](TObject*) { ++changes; });
    font.SetName("DejaVu Serif");
    font.SetStyle(fsBold | fsItalic);
    font.SetColor(clRed);
    font.SetSize(10);
    EXPECT_EQ(changes, 4);
    font.SetColor(clRed);
    font.SetStyle(fsBold | fsItalic);
    EXPECT_EQ(changes, 4);
    TFont other;
    font.Assign(&other);
    EXPECT_EQ(changes, 5);
    EXPECT_EQ(font.Name(), "DejaVu Sans");
    EXPECT_EQ(font.Style(), 0u);
}

TEST(FontAssign, KeepsPointSizeAcrossResolutions) {
    TFont hi;
    hi.SetPixelsPerInch(192);
    hi.SetSize(10);
    TFont lo;
    lo.Assign(&hi);
    EXPECT_EQ(lo.Size(), 10);
    EXPECT_EQ(lo.Height(), -13);
    TBrush brush;
    EXPECT_THROW(lo.Assign(&brush), EConvertError);
}

TEST(BrushStyle, AColourMakesAClearBrushSolid) {
    TBrush brush;
    brush.SetStyle(bsClear);
    brush.SetColor(clRed);
    EXPECT_EQ(brush.Style(), bsSolid);
}

TEST(PenWidth, NeverBelowOne) {
    TPen pen;
    pen.SetWidth(0);
    EXPECT_EQ(pen.Width(), 1);
}

TEST(ToolProperties, ColoursAndSetsReadAndWriteAsText) {
    TFont font;
    SetPropFromText(&font, GetPropInfo(&font, "Color"), "clRed");
    EXPECT_EQ(font.Color(), clRed);
    EXPECT_EQ(PropValueToText(&font, GetPropInfo(&font, "Color")), "clRed");
    SetPropFromText(&font, GetPropInfo(&font, "Color"), "$00102030");
    EXPECT_EQ(PropValueToText(&font, GetPropInfo(&font, "Color")), "1056816");  // unnamed: a number
    SetPropFromText(&font, GetPropInfo(&font, "Color"), "clWindowText");
    EXPECT_EQ(font.Color(), clWindowText);
    SetPropFromText(&font, GetPropInfo(&font, "Style"), "[fsBold, fsUnderline]");
    EXPECT_EQ(font.Style(), fsBold | fsUnderline);
    EXPECT_EQ(PropValueToText(&font, GetPropInfo(&font, "Style")), "[fsBold, fsUnderline]");
    EXPECT_THROW(SetPropValue(&font, "Color", TValue(std::string("clNoSuch"))), EPropertyConvertError);

    TBrush brush;
    SetPropFromText(&brush, GetPropInfo(&brush, "Style"), "bsClear");
    EXPECT_EQ(brush.Style(), bsClear);
    TPen pen;
    SetPropValue(&pen, "Color", TValue(std::string("clBtnFace")));
    EXPECT_EQ(pen.Color(), clBtnFace);
    SetPropValue(&pen, "Width", TValue(std::int64_t{3}));
    EXPECT_EQ(pen.Width(), 3);
}

}  // namespace
