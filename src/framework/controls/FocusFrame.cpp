#include "framework/controls/FocusFrame.h"

#include "framework/controls/ScrollInfo.h"
#include "framework/graphics/Colors.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace framework {

namespace {
double relativeLuminance(TColor C) {
    const TColor rgb = ColorToRGB(C);
    auto channel = [](unsigned v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(rgb & 0xFF) + 0.7152 * channel((rgb >> 8) & 0xFF) +
           0.0722 * channel((rgb >> 16) & 0xFF);
}

// The bands of a frame of width W along the inside of R: top, bottom, left, right.
template <class F> void forEachBand(const TRect& R, int W, F&& Band) {
    const int w = std::min({W, R.Width() / 2, R.Height() / 2});
    if (w <= 0)
        return;
    Band(Rect(R.Left, R.Top, R.Right, R.Top + w));
    Band(Rect(R.Left, R.Bottom - w, R.Right, R.Bottom));
    Band(Rect(R.Left, R.Top + w, R.Left + w, R.Bottom - w));
    Band(Rect(R.Right - w, R.Top + w, R.Right, R.Bottom - w));
}
}  // namespace

double LuminanceContrast(TColor A, TColor B) {
    const double la = relativeLuminance(A), lb = relativeLuminance(B);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

int FocusFrameWidth() { return GetSystemMetrics(SM_CXFOCUSBORDER); }

TColor FocusFrameColor(TCanvas& Canvas, const TRect& R, TColor Preferred) {
    std::map<TColor, int> under;  // the colours the frame covers, and how many pixels of each
    forEachBand(R, FocusFrameWidth(), [&](const TRect& band) {
        for (int y = band.Top; y < band.Bottom; ++y)
            for (int x = band.Left; x < band.Right; ++x)
                if (const TColor c = Canvas.Pixels(x, y); c != CLR_INVALID)
                    ++under[c];
    });
    TColor best = ColorToRGB(Preferred);
    int bestCount = -1;
    for (const TColor candidate : {ColorToRGB(Preferred), ColorToRGB(clHighlight), clBlack, clWhite}) {
        int count = 0;
        for (const auto& [colour, pixels] : under)
            if (LuminanceContrast(candidate, colour) >= kFocusFrameContrast)
                count += pixels;
        if (count > bestCount) {
            best = candidate;
            bestCount = count;
        }
    }
    return best;
}

void DrawFocusFrame(TCanvas& Canvas, const TRect& R, TColor Preferred) {
    const TColor colour = FocusFrameColor(Canvas, R, Preferred);
    TCanvasStateSaver saved(Canvas);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(colour);
    forEachBand(R, FocusFrameWidth(), [&](const TRect& band) { Canvas.FillRect(band); });
}

}  // namespace framework
