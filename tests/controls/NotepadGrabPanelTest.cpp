#include "controls/NotepadGrabPanel.h"

#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "framework/forms/TextForms.h"
#include "framework/rtl/Rounding.h"
#include "sibling/My_tmsstylebase.h"
#include "sibling/Tms_utils.h"
#include "sibling/Wingenok.h"
#include "support/FormFixture.h"
#include "support/PixelAssert.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace lm7;
using namespace sibling;
using namespace testsupport;

namespace {

// A page (a plain panel at the form's origin) with the margin panel on it.
struct MarginPanel : ::testing::Test {
    vendor::TTMSStyle keptStyle = Global_TMSStyle;
    FormPtr form = MakeForm(640, 840);
    TPanel* page = Create<TPanel>(form.get());
    TNotepadGrabPanel* panel = Create<TNotepadGrabPanel>(form.get());
    std::vector<TRect> reported;

    void SetUp() override {
        page->SetBevelOuter(bvNone);
        page->SetCaption("");
        page->SetParent(form.get());
        panel->SetParent(page);
        panel->OnStateMargins =
            TStateMarginsEvent::Lambda([this](TObject*, TRect r) { reported.push_back(r); });
    }
    void TearDown() override {
        Screen->SetCursor(crDefault);
        ReleaseCapture();
        Global_TMSStyle = keptStyle;
    }
    // A page of that size with the panel placed on it and taking it as its page.
    void Page(int width, int height, TRect bounds) {
        page->SetBounds(0, 0, width, height);
        panel->SetBoundsRect(bounds);
        panel->SetParentControl(page);
    }
    TPoint Centre(TWhere where) const {
        const TRect& r = panel->Midpoint(where);
        return Point(panel->Left() + (r.Left + r.Right) / 2, panel->Top() + (r.Top + r.Bottom) / 2);
    }
    void Mouse(std::uint32_t msg, TPoint p) { form->SendMouseInput(msg, p.X, p.Y); }
    // Presses on a handle, hovers to pick it, then moves the pointer by (dx, dy) in one step.
    void Drag(TWhere where, int dx, int dy, bool release = true) {
        const TPoint start = Centre(where);
        Mouse(WM_LBUTTONDOWN, start);
        Mouse(WM_MOUSEMOVE, start);
        Mouse(WM_MOUSEMOVE, Point(start.X + dx, start.Y + dy));
        if (release)
            Mouse(WM_LBUTTONUP, Point(start.X + dx, start.Y + dy));
    }
};

}  // namespace

TEST_F(MarginPanel, StartsUnplacedInTheCurrentStyle) {
    EXPECT_EQ(panel->Width(), 100);
    EXPECT_EQ(panel->Height(), 150);
    EXPECT_EQ(panel->Caption(), "");
    EXPECT_FALSE(panel->Monochrome());
    EXPECT_EQ(panel->GrabbedMidpoint(), kNoHandle);
    EXPECT_EQ(panel->Midpoint(t_right), TRect{});
    EXPECT_EQ(panel->Color(), GetABaseTMSBackgroundColour(Global_TMSStyle));
    EXPECT_EQ(panel->HandleColour(), GetABaseTMSTextColour_MOSTFREQUENT(Global_TMSStyle));
}

TEST_F(MarginPanel, HandleSquaresSitAtTheMiddleOfEachEdge) {
    Page(300, 400, Rect(50, 50, 150, 200));  // 100 x 150, "x" of the default font is 7 wide
    ASSERT_EQ(panel->Canvas()->TextWidth("x"), 7);
    EXPECT_EQ(panel->Midpoint(t_left), Rect(0, 71, 7, 78));
    EXPECT_EQ(panel->Midpoint(t_top), Rect(46, 0, 53, 7));
    EXPECT_EQ(panel->Midpoint(t_right), Rect(93, 71, 100, 78));
    EXPECT_EQ(panel->Midpoint(t_bottom), Rect(46, 143, 53, 150));
    EXPECT_EQ(panel->OuterWidth(), 300);
    EXPECT_EQ(panel->OuterHeight(), 400);
}

TEST_F(MarginPanel, MarginsInInchesOnA4PlaceThePanel) {
    Page(600, 800, Rect(0, 0, 10, 10));
    panel->SetToMargins(1, 1, 1, 1, 210, 297);
    EXPECT_EQ(panel->BoundsRect(), Bounds(73, 68, 454, 664));
    EXPECT_TRUE(reported.empty());                   // placing reports nothing
    EXPECT_EQ(panel->Midpoint(t_right).Right, 454);  // the squares follow
}

namespace {
// Pixel margins worked out in single precision throughout, as the placement is defined.
int SinglePrecisionMargin(int ppi, int outer, int paperMm, float inches) {
    const float pageInches = static_cast<float>(outer / static_cast<double>(ppi));
    const float k = static_cast<float>(paperMm / static_cast<double>(inch_to_mm) / pageInches);
    const float product = static_cast<float>(ppi) * inches;
    const float quotient = product / k;
    return static_cast<int>(RoundHalfEven(quotient));
}
}  // namespace

// A margin that falls next to half a pixel rounds as the 32-bit value says: 0.75 in on an A5
// page of 700 pixels at 120 pixels per inch is 63.5 pixels in single precision, so 64.
TEST_F(MarginPanel, MarginsRoundInSinglePrecision) {
    const int keptPpi = Screen->PixelsPerInch();
    Screen->SetPixelsPerInch(120);
    Page(1000, 700, Rect(0, 0, 10, 10));
    panel->SetToMargins(0.5f, 0.75f, 0.5f, 0.75f, 148, 210);
    EXPECT_EQ(panel->Top(), 64);
    EXPECT_EQ(panel->Height(), 700 - 64 - 64);

    // 625 placements: five pages, resolutions, papers and margins.
    const int pages[5][2] = {{1000, 700}, {600, 800}, {640, 480}, {333, 517}, {800, 1131}};
    const int ppis[5] = {72, 96, 120, 144, 192};
    const int papers[5][2] = {{148, 210}, {210, 297}, {216, 279}, {105, 148}, {297, 420}};
    const float margins[5] = {0.25f, 0.5f, 0.75f, 1.0f, 1.3f};
    int checked = 0;
    for (const auto& pg : pages)
        for (int ppi : ppis)
            for (const auto& paper : papers)
                for (float m : margins) {
                    Screen->SetPixelsPerInch(ppi);
                    Page(pg[0], pg[1], Rect(0, 0, 10, 10));
                    panel->SetToMargins(m, m, m / 2, m * 2, paper[0], paper[1]);
                    const int l = SinglePrecisionMargin(ppi, pg[0], paper[0], m);
                    const int r = SinglePrecisionMargin(ppi, pg[0], paper[0], m / 2);
                    const int t = SinglePrecisionMargin(ppi, pg[1], paper[1], m);
                    const int b = SinglePrecisionMargin(ppi, pg[1], paper[1], m * 2);
                    ASSERT_EQ(panel->BoundsRect(),
                              Bounds(l, t, std::max(pg[0] - l - r, 0), std::max(pg[1] - t - b, 0)))
                        << pg[0] << "x" << pg[1] << " at " << ppi << ", paper " << paper[0] << "x" << paper[1]
                        << ", margin " << m;
                    ++checked;
                }
    Screen->SetPixelsPerInch(keptPpi);
    EXPECT_EQ(checked, 625);
}

TEST_F(MarginPanel, MarginsNeedAPage) {
    panel->SetBounds(5, 6, 70, 80);
    panel->SetToMargins(1, 1, 1, 1, 210, 297);  // no page was ever given
    EXPECT_EQ(panel->BoundsRect(), Bounds(5, 6, 70, 80));
}

TEST_F(MarginPanel, MarginsWiderThanThePageLeaveAnEmptyPanel) {
    Page(300, 300, Rect(0, 0, 10, 10));
    panel->SetToMargins(3, 1, 3, 4, 100, 100);
    EXPECT_EQ(panel->Width(), 0);
    EXPECT_EQ(panel->Height(), 0);
}

TEST_F(MarginPanel, LeftEdgeStopsAtTwoPixelsAndTwoThirds) {
    Page(300, 300, Rect(50, 50, 250, 250));
    Drag(t_left, -400, 0);
    EXPECT_EQ(panel->BoundsRect(), Rect(2, 50, 250, 250));  // the right edge stays
    Drag(t_left, 400, 0);
    EXPECT_EQ(panel->BoundsRect(), Rect(200, 50, 250, 250));
}

TEST_F(MarginPanel, RightEdgeStaysBetweenTwoThirdsAndThePageEdge) {
    Page(300, 300, Rect(50, 50, 250, 250));
    Drag(t_right, 400, 0);
    EXPECT_EQ(panel->BoundsRect(), Rect(50, 50, 300, 250));  // a margin of 0 is allowed
    Drag(t_right, -400, 0);
    EXPECT_EQ(panel->BoundsRect(), Rect(50, 50, 200, 250));
}

TEST_F(MarginPanel, TopAndBottomEdgesFollowTheSameLimits) {
    Page(300, 600, Rect(50, 50, 250, 550));
    Drag(t_top, 0, -100);
    EXPECT_EQ(panel->BoundsRect(), Rect(50, 2, 250, 550));
    Drag(t_top, 0, 1000);
    EXPECT_EQ(panel->BoundsRect(), Rect(50, 400, 250, 550));
    Drag(t_bottom, 0, 1000);
    EXPECT_EQ(panel->BoundsRect(), Rect(50, 400, 250, 600));
    Drag(t_bottom, 0, -1000);
    EXPECT_EQ(panel->BoundsRect(), Rect(50, 400, 250, 400));  // two thirds is the top: empty, not negative
}

TEST_F(MarginPanel, ADragNeverMakesTheSizeNegative) {
    // A wide right margin leaves the right edge left of two thirds of the page.
    Page(300, 300, Rect(20, 20, 120, 280));
    Drag(t_left, 500, 0);
    EXPECT_EQ(panel->BoundsRect(), Rect(120, 20, 120, 280));
    EXPECT_EQ(reported.back(), Rect(120, 20, 120, 280));
}

TEST_F(MarginPanel, EveryStepReportsTheRectangleAndReleaseReportsNothing) {
    Page(300, 300, Rect(50, 50, 250, 250));
    const TPoint start = Centre(t_right);
    Mouse(WM_LBUTTONDOWN, start);
    EXPECT_TRUE(panel->Altering());
    EXPECT_EQ(GetCapture(), panel->Handle());
    Mouse(WM_MOUSEMOVE, start);  // over the handle: picked, nothing moves yet
    EXPECT_EQ(Screen->Cursor(), crSizeWE);
    EXPECT_EQ(panel->GrabbedMidpoint(), t_right);
    EXPECT_TRUE(reported.empty());
    Mouse(WM_MOUSEMOVE, Point(start.X + 10, start.Y + 3));
    Mouse(WM_MOUSEMOVE, Point(start.X + 25, start.Y - 8));  // outside the panel: the capture holds
    ASSERT_EQ(reported.size(), 2u);
    EXPECT_EQ(reported[0], Rect(50, 50, 260, 250));
    EXPECT_EQ(reported[1], Rect(50, 50, 275, 250));
    const TRect squareDuringDrag = panel->Midpoint(t_right);
    EXPECT_EQ(squareDuringDrag.Right, 200);  // not recomputed while dragging
    Mouse(WM_LBUTTONUP, Point(start.X + 25, start.Y - 8));
    EXPECT_EQ(reported.size(), 2u);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(GetCapture(), 0u);
    EXPECT_FALSE(panel->Altering());
    EXPECT_EQ(panel->Midpoint(t_right).Right, 225);
}

TEST_F(MarginPanel, TopHandleShowsTheVerticalCursor) {
    Page(300, 300, Rect(50, 50, 250, 250));
    Drag(t_top, 0, 0, false);
    EXPECT_EQ(Screen->Cursor(), crSizeNS);
    EXPECT_EQ(panel->GrabbedMidpoint(), t_top);
}

TEST_F(MarginPanel, PressingAwayFromTheHandlesDragsNothing) {
    Page(300, 300, Rect(50, 50, 250, 250));
    Mouse(WM_LBUTTONDOWN, Point(150, 150));
    Mouse(WM_MOUSEMOVE, Point(160, 150));
    EXPECT_EQ(panel->GrabbedMidpoint(), kNoHandle);
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_TRUE(reported.empty());
    // Moving onto a handle with the button still down picks it up; the first step measures
    // from the last position away from the handles.
    const TPoint handle = Centre(t_left);
    Mouse(WM_MOUSEMOVE, Point(handle.X + 5, handle.Y));
    Mouse(WM_MOUSEMOVE, handle);
    EXPECT_EQ(panel->GrabbedMidpoint(), t_left);
    Mouse(WM_MOUSEMOVE, Point(handle.X - 10, handle.Y));
    EXPECT_EQ(panel->Left(), 35);
    EXPECT_EQ(reported.size(), 1u);
}

TEST_F(MarginPanel, HoveringWithoutAButtonChangesNothing) {
    Page(300, 300, Rect(50, 50, 250, 250));
    Screen->SetCursor(crHandPoint);
    Mouse(WM_MOUSEMOVE, Centre(t_left));
    Mouse(WM_MOUSEMOVE, Point(Centre(t_left).X + 30, Centre(t_left).Y));
    EXPECT_EQ(Screen->Cursor(), crHandPoint);
    EXPECT_EQ(panel->BoundsRect(), Rect(50, 50, 250, 250));
    EXPECT_TRUE(reported.empty());
    Mouse(WM_LBUTTONUP, Centre(t_left));  // a release without a press does nothing either
    EXPECT_EQ(Screen->Cursor(), crHandPoint);
}

TEST_F(MarginPanel, TheRightButtonStartsNothing) {
    Page(300, 300, Rect(50, 50, 250, 250));
    Mouse(WM_RBUTTONDOWN, Centre(t_left));
    EXPECT_FALSE(panel->Altering());
    Mouse(WM_MOUSEMOVE, Centre(t_left));
    Mouse(WM_MOUSEMOVE, Point(Centre(t_left).X - 30, Centre(t_left).Y));
    EXPECT_EQ(panel->Left(), 50);
    EXPECT_EQ(Screen->Cursor(), crDefault);
}

TEST_F(MarginPanel, PaintsMockTextHandlesAndFrameInTheStyle) {
    Global_TMSStyle = vendor::tsBlue;
    panel->SetComponentStyle(vendor::tsDark);  // the argument is not used
    page->SetColor(clWhite);
    Page(300, 300, Rect(50, 50, 250, 250));
    auto pic = Picture(*form);
    const TColor frame = GetABaseTMSTextColour_SEARCHWORD(vendor::tsBlue);
    const TColor back = GetABaseTMSBackgroundColour(vendor::tsBlue);
    EXPECT_TRUE(PixelIs(*pic, 50, 50, frame));
    EXPECT_TRUE(PixelIs(*pic, 249, 249, frame));
    EXPECT_TRUE(PixelIs(*pic, 150, 248, back));
    // The left square's outline in the handle colour, its inside left as painted.
    const TRect left = panel->Midpoint(t_left);
    EXPECT_TRUE(PixelIs(*pic, 50 + left.Left + 1, 50 + left.Top, panel->HandleColour()));
    // Dots only in the text area, 3 pixels in from every side: between it and the frame lies
    // only the background (and the handles).
    EXPECT_TRUE(RectIs(*pic, Rect(51, 51, 140, 53), back));
    EXPECT_TRUE(RectIs(*pic, Rect(51, 51, 53, 110), back));
    int dotPixels = 0;
    for (int y = 53; y < 247; ++y)
        for (int x = 60; x < 240; ++x)
            dotPixels += PixelAt(*pic, x, y) != back;
    EXPECT_GT(dotPixels, 100);
}

TEST_F(MarginPanel, MonochromeHasBlackHandlesAndAGreyFrameOnTheStyledBackground) {
    Global_TMSStyle = vendor::tsOlive;
    panel->SetComponentStyle(vendor::tsOlive);
    page->SetColor(clWhite);
    Page(300, 300, Rect(50, 50, 250, 250));
    panel->SetMonochrome(true);
    auto pic = Picture(*form);
    EXPECT_TRUE(PixelIs(*pic, 50, 120, 0x808080));
    EXPECT_TRUE(PixelIs(*pic, 150, 50, 0x808080));
    const TRect right = panel->Midpoint(t_right);
    EXPECT_TRUE(PixelIs(*pic, 50 + right.Left, 50 + right.Top + 2, clBlack));
    EXPECT_TRUE(PixelIs(*pic, 150, 246, GetABaseTMSBackgroundColour(vendor::tsOlive)));
}

TEST_F(MarginPanel, ANullPageClearsTheSquaresAndRestyles) {
    Page(300, 300, Rect(50, 50, 250, 250));
    Global_TMSStyle = vendor::tsDark;
    panel->SetParentControl(nullptr);
    EXPECT_EQ(panel->Midpoint(t_left), TRect{});
    EXPECT_EQ(panel->Color(), GetABaseTMSBackgroundColour(vendor::tsDark));
    EXPECT_EQ(panel->OuterWidth(), 300);  // the page size stays
}

TEST_F(MarginPanel, APageThatGoesIsForgotten) {
    auto* other = Create<TPanel>(form.get());
    other->SetParent(form.get());
    panel->SetParentControl(other);
    other->Free();
    EXPECT_EQ(panel->ParentControl(), nullptr);
}

TEST_F(MarginPanel, APanelOffAnyFormStillMeasuresItsHandles) {
    auto* loosePage = Create<TPanel>(form.get());  // no parent window, so no window of its own
    auto* loose = Create<TNotepadGrabPanel>(form.get());
    loose->SetParent(loosePage);
    loose->SetParentControl(loosePage);
    EXPECT_EQ(loose->Midpoint(t_left), Rect(0, 71, 7, 78));
}

// A window moved to 144 pixels per inch scales the page and the panel; the handles stay at the
// middle of the panel's edges, as wide as "x" in the larger font, and paint there.
TEST_F(MarginPanel, HandlesFollowTheEdgesToANewResolution) {
    Page(200, 280, Rect(20, 20, 180, 260));
    panel->SetHandleColour(clRed);
    const int x96 = panel->Midpoint(t_left).Width();
    form->ChangeScale(144, 96);
    EXPECT_EQ(panel->BoundsRect(), Rect(30, 30, 270, 390));
    EXPECT_EQ(panel->OuterWidth(), 300);
    EXPECT_EQ(panel->OuterHeight(), 420);
    const int s = panel->Midpoint(t_left).Width();
    EXPECT_GE(s, x96 * 4 / 3);
    EXPECT_EQ(panel->Midpoint(t_right), Rect(240 - s, (360 - s) / 2, 240, (360 - s) / 2 + s));
    EXPECT_EQ(panel->Midpoint(t_bottom), Rect((240 - s) / 2, 360 - s, (240 - s) / 2 + s, 360));
    const auto handles = BoundsOfColor(*Picture(*form), clRed);
    ASSERT_TRUE(handles);
    EXPECT_EQ(*handles, Rect(31, 31, 269, 389));  // the four squares reach the frame on all four edges
    // Dragging still moves the edge it grabs, at the new size.
    Drag(t_right, -24, 0);
    EXPECT_EQ(panel->Width(), 240 - 24);
}

// A panel freed while its handle is dragged gives back the sizing cursor and the pointer.
TEST_F(MarginPanel, FreedInTheMiddleOfADragLeavesNoSizingCursor) {
    Page(300, 300, Rect(50, 50, 250, 250));
    Drag(t_right, 10, 0, false);
    ASSERT_EQ(Screen->Cursor(), crSizeWE);
    ASSERT_NE(GetCapture(), 0u);
    panel->Free();
    EXPECT_EQ(Screen->Cursor(), crDefault);
    EXPECT_EQ(GetCapture(), 0u);
    // A cursor someone else set is not the panel's to give back.
    auto* other = Create<TNotepadGrabPanel>(form.get());
    other->SetParent(page);
    other->SetParentControl(page);
    Screen->SetCursor(crHandPoint);
    other->Free();
    EXPECT_EQ(Screen->Cursor(), crHandPoint);
}

namespace {
// A form whose description names the margins handler.
class TMarginForm : public TForm {
public:
    using TForm::TForm;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info =
            TClassInfo::Derive<TMarginForm, TForm>("TMarginForm").Method<&TMarginForm::Margins>("Margins");
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }
    void Margins(TObject*, TRect r) { seen.push_back(r); }
    std::vector<TRect> seen;
};
}  // namespace

TEST(MarginPanelDescription, TheMarginsHandlerIsReadAndWritten) {
    RegisterClass(&TMarginForm::ClassInfo());
    RegisterClass(&TNotepadGrabPanel::ClassInfo());
    std::unique_ptr<TComponent, TFreeDeleter> form(CreateFromTextForm(R"(object Main: TMarginForm
  object Grab: TNotepadGrabPanel
    OnStateMargins = Margins
  end
end
)",
                                                                      nullptr, "margins.txt"));
    auto* grab = As<TNotepadGrabPanel>(form->FindComponent("Grab"));
    ASSERT_TRUE(grab);
    ASSERT_TRUE(grab->OnStateMargins);
    grab->ShowMargins();
    ASSERT_EQ(As<TMarginForm>(form.get())->seen.size(), 1u);
    EXPECT_EQ(As<TMarginForm>(form.get())->seen[0], grab->BoundsRect());
    EXPECT_NE(WriteTextForm(form.get()).find("OnStateMargins = Margins"), std::string::npos);
}
