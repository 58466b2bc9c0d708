#include "framework/graphics/GraphUtil.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>

using namespace framework;

namespace {

struct Hls {
    int h, l, s;
};
Hls HlsOf(TColor c) {
    Hls r{};
    ColorRGBToHLS(c, r.h, r.l, r.s);
    return r;
}

TColorArray Table(std::initializer_list<TIdentMapEntry> entries) { return TColorArray(entries); }

std::string Names(const TColorArray& a) {
    std::string s;
    for (const auto& e : a)
        s += e.Name + " ";
    return s;
}

}  // namespace

TEST(WebNamedColors, HoldTheCssColoursInTheClassicOrder) {
    const auto& web = WebNamedColors();
    ASSERT_EQ(web.size(), 138u);
    EXPECT_EQ(web.front(), (TIdentMapEntry{RGB(255, 250, 250), "clWebSnow"}));
    EXPECT_EQ(web.back(), (TIdentMapEntry{clBlack, "clWebBlack"}));
    EXPECT_EQ(web[27], (TIdentMapEntry{clYellow, "clWebYellow"}));
    EXPECT_EQ(web[98].Name, "clWebDeepskyBlue");
    EXPECT_EQ(web[98].Value, RGB(0, 191, 255));
    EXPECT_EQ(web[101].Value, clNavy);
    std::set<std::string> names;
    for (const auto& e : web) {
        EXPECT_EQ(e.Name.rfind("clWeb", 0), 0u) << e.Name;
        EXPECT_EQ(e.Value & 0xFF000000, 0) << e.Name;
        names.insert(e.Name);
    }
    EXPECT_EQ(names.size(), 138u);
    EXPECT_EQ(names.count("clWebAqua") + names.count("clWebFuchsia"), 0u);
}

TEST(HlsModel, ComponentsOfKnownColours) {
    const Hls red = HlsOf(clRed);
    EXPECT_EQ(red.h, 0);
    EXPECT_EQ(red.l, 120);
    EXPECT_EQ(red.s, 240);
    const Hls blue = HlsOf(clBlue);
    EXPECT_EQ(blue.h, 160);
    EXPECT_EQ(blue.s, 240);
    EXPECT_EQ(HlsOf(clLime).h, 80);
    const Hls white = HlsOf(clWhite);
    EXPECT_EQ(white.l, 240);
    EXPECT_EQ(white.s, 0);
    EXPECT_EQ(white.h, 160);
    // The very first question may be black: it is a grey like any other, hue 160.
    const Hls black = HlsOf(clBlack);
    EXPECT_EQ(black.h, 160);
    EXPECT_EQ(black.l, 0);
}

TEST(HlsModel, RoundTripsStayClose) {
    for (const auto& e : WebNamedColors()) {
        const Hls c = HlsOf(e.Value);
        const TColor back = ColorHLSToRGB(c.h, c.l, c.s);
        EXPECT_LE(std::abs(GetRValue(back) - GetRValue(e.Value)), 6) << e.Name;
        EXPECT_LE(std::abs(GetGValue(back) - GetGValue(e.Value)), 6) << e.Name;
        EXPECT_LE(std::abs(GetBValue(back) - GetBValue(e.Value)), 6) << e.Name;
    }
    for (TColor c : {clRed, clLime, clBlue, clWhite, clBlack, clYellow}) {
        const Hls hls = HlsOf(c);
        EXPECT_EQ(ColorHLSToRGB(hls.h, hls.l, hls.s), c);
    }
}

TEST(HlsModel, ComponentsOutsideTheModelAreCutNotWrapped) {
    EXPECT_EQ(ColorHLSToRGB(0, 400, 240), clWhite);
    EXPECT_EQ(ColorHLSToRGB(0, -50, 240), ColorHLSToRGB(0, 0, 240));
    EXPECT_EQ(ColorHLSToRGB(-10, 120, 999), ColorHLSToRGB(0, 120, 240));
    EXPECT_EQ(ColorHLSToRGB(0, 120, 0), RGB(128, 128, 128));
    EXPECT_EQ(ColorAdjustLuma(clWhite, 19, false), clWhite);
    EXPECT_EQ(ColorAdjustLuma(clBlack, -19, false), clBlack);
}

TEST(HighlightAndShadow, LightenDarkenAndNameTheButtonColours) {
    EXPECT_EQ(GetHighLightColor(clBtnFace), clBtnHighlight);
    EXPECT_EQ(GetShadowColor(clBtnFace), clBtnShadow);
    EXPECT_NE(GetHighLightColor(clBtnFace, 20), clBtnHighlight);  // only the default names it
    // Black lightens by 19 steps of 240: a dark grey.
    EXPECT_EQ(GetHighLightColor(clBlack), RGB(20, 20, 20));
    // A colour saturated above 220 gets darker instead.
    const Hls navy = HlsOf(clNavy);
    const Hls lit = HlsOf(GetHighLightColor(clNavy));
    EXPECT_EQ(navy.s, 240);
    EXPECT_LT(lit.l, navy.l);
    const Hls grey = HlsOf(clGray);
    EXPECT_NEAR(HlsOf(GetHighLightColor(clGray)).l, grey.l + 19, 1);
    EXPECT_NEAR(HlsOf(GetShadowColor(clGray)).l, grey.l - 50, 1);
    // A system colour is lightened from its current value.
    EXPECT_EQ(GetHighLightColor(clWindowText), GetHighLightColor(ColorToRGB(clWindowText)));
}

TEST(SortColorArray, OrdersByEveryKey) {
    const TColorArray base = Table({{RGB(0, 0, 200), "b"},        // hue 160, luminance low
                                    {RGB(255, 0, 0), "r"},        // hue 0
                                    {RGB(0, 160, 0), "g"},        // hue 80
                                    {RGB(200, 180, 180), "p"}});  // pale: low saturation
    auto sorted = [&](TColorArraySortType t, bool reverse = false) {
        TColorArray a = base;
        SortColorArray(a, 0, static_cast<int>(a.size()) - 1, t, reverse);
        return Names(a);
    };
    EXPECT_EQ(sorted(stHue), "r p g b ");
    EXPECT_EQ(sorted(stHue, true), "b g r p ");
    EXPECT_EQ(sorted(stSaturation), "p b r g ");  // saturation, not hue again
    EXPECT_EQ(sorted(stLuminance), "g b r p ");
    EXPECT_EQ(sorted(stRed), "b g p r ");
    EXPECT_EQ(sorted(stGreen), "b r g p ");
    EXPECT_EQ(sorted(stBlue), "r g p b ");
    EXPECT_EQ(sorted(stCombo), "g b r p ");
    EXPECT_EQ(sorted(stName), "b g p r ");
    EXPECT_EQ(sorted(stName, true), "r p g b ");
    EXPECT_EQ(sorted(stValue), "r g p b ");
}

TEST(SortColorArray, ReverseHoldsAtEveryDepthAndTiesKeepTheirOrder) {
    TColorArray a;
    for (int i = 0; i < 200; ++i)
        a.push_back({RGB((i * 37) % 256, 0, 0), std::to_string(i)});
    SortColorArray(a, 0, 199, stRed, true);
    for (std::size_t i = 1; i < a.size(); ++i) {
        ASSERT_GE(GetRValue(a[i - 1].Value), GetRValue(a[i].Value)) << i;
        if (a[i - 1].Value == a[i].Value) {
            EXPECT_LT(std::stoi(a[i - 1].Name), std::stoi(a[i].Name));
        }
    }
}

TEST(SortColorArray, RangeIsInclusiveAndCutToTheTable) {
    TColorArray a = Table({{3, "c"}, {2, "b"}, {1, "a"}, {0, "z"}});
    SortColorArray(a, 0, 0, stValue);  // one entry: nothing moves
    EXPECT_EQ(Names(a), "c b a z ");
    SortColorArray(a, 1, 2, stValue);
    EXPECT_EQ(Names(a), "c a b z ");
    SortColorArray(a, -5, 99, stValue);
    EXPECT_EQ(Names(a), "z a b c ");
    TColorArray empty;
    SortColorArray(empty, 0, -1, stHue);
    EXPECT_TRUE(empty.empty());
}

TEST(SortColorArray, SystemColoursByTheirCurrentValue) {
    TColorArray a = Table({{clWindow, "window"}, {RGB(10, 10, 10), "dark"}});
    SortColorArray(a, 0, 1, stLuminance);
    EXPECT_EQ(Names(a), "dark window ");  // clWindow is white, not the dark 0x05 of its index
}
