#include "host/WorkArea.h"

#include <gtest/gtest.h>

using namespace framework;
using namespace host;

namespace {
const TRect kScreen = Rect(0, 0, 1366, 768);
const TFrameExtents kFrame{1, 20, 1, 5};  // a title bar of 20 pixels, thin sides
}  // namespace

TEST(KeepOnWorkArea, AWindowThatFitsStaysWhereItIs) {
    EXPECT_EQ(KeepOnWorkArea(kScreen, kFrame, Bounds(100, 50, 640, 480)), Bounds(100, 50, 640, 480));
    // Touching the edges with its frame is inside.
    EXPECT_EQ(KeepOnWorkArea(kScreen, kFrame, Bounds(1, 20, 1364, 743)), Bounds(1, 20, 1364, 743));
}

TEST(KeepOnWorkArea, ATallWindowIsShortenedBelowItsTitleBar) {
    // The gallery at 144 pixels per inch on a small screen, placed above it.
    const TRect r = KeepOnWorkArea(kScreen, kFrame, Bounds(200, -800, 1446, 2481));
    EXPECT_EQ(r.Top, 20);
    EXPECT_EQ(r.Height(), 768 - 25);
    EXPECT_EQ(r.Left, 1);
    EXPECT_EQ(r.Width(), 1366 - 2);
}

TEST(KeepOnWorkArea, AWindowPastAnEdgeIsMovedInWhole) {
    EXPECT_EQ(KeepOnWorkArea(kScreen, kFrame, Bounds(1000, 600, 400, 300)),
              Bounds(1366 - 1 - 400, 768 - 5 - 300, 400, 300));
    EXPECT_EQ(KeepOnWorkArea(kScreen, kFrame, Bounds(-50, 5, 400, 300)), Bounds(1, 20, 400, 300));
}

TEST(KeepOnWorkArea, AWorkAreaBesidePanelsAndOnASecondMonitor) {
    // A panel of 30 pixels at the top of a monitor right of the first one.
    const TRect area = Rect(1920, 30, 1920 + 1280, 1024);
    const TRect r = KeepOnWorkArea(area, kFrame, Bounds(100, 0, 2000, 2000));
    EXPECT_EQ(r, Rect(1921, 50, 1920 + 1280 - 1, 1024 - 5));
}

TEST(KeepOnWorkArea, NoRoomAtAllStillLeavesAWindowWithItsTitleBarOnScreen) {
    const TRect tiny = Rect(0, 0, 10, 10);
    const TRect r = KeepOnWorkArea(tiny, kFrame, Bounds(300, 300, 200, 100));
    EXPECT_EQ(r.Width(), 8);
    EXPECT_EQ(r.Height(), 1);
    EXPECT_EQ(r.Top, 20);  // the top edge wins
    EXPECT_EQ(r.Left, 1);
}

TEST(KeepOnWorkArea, AnUnknownWorkAreaChangesNothing) {
    EXPECT_EQ(KeepOnWorkArea(TRect{}, kFrame, Bounds(5, -900, 800, 3000)), Bounds(5, -900, 800, 3000));
}

TEST(CentreOnWorkArea, CentresTheFrameAndFitsWhatIsTooLarge) {
    EXPECT_EQ(CentreOnWorkArea(kScreen, kFrame, TPoint{964, 600}),
              Bounds((1366 - 966) / 2 + 1, (768 - 625) / 2 + 20, 964, 600));
    EXPECT_EQ(CentreOnWorkArea(kScreen, kFrame, TPoint{1446, 2481}), Bounds(1, 20, 1364, 743));
    EXPECT_EQ(CentreOnWorkArea(kScreen, TFrameExtents{}, TPoint{964, 1654}), Bounds(201, 0, 964, 768));
}
