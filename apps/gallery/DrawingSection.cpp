// The drawing routines the suite's tools share: banded gradients, column headers with sort
// marks, a crown from its points, and the fonts that can show a text in three scripts.

#include "GallerySection.h"

#include "framework/controls/Image.h"
#include "framework/graphics/FontEngine.h"
#include "imaging/graphics_utilities.h"

#include <vector>

using namespace framework;

namespace {

void PaintHeaders(TCanvas& canvas, int top) {
    const char* captions[] = {"Word", "Count", "Share"};
    for (int i = 0; i < 3; ++i) {
        const TRect cell = Rect(10 + i * 110, top, 118 + i * 110, top + 22);
        lm7::MyDrawGradient(&canvas, clWhite, RGB(200, 210, 230), 22, cell, false);
        canvas.Brush()->SetStyle(bsClear);
        canvas.TextOut(cell.Left + 6, cell.Top + 4, captions[i]);
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(clNavy);
        lm7::ComputeTriangleAndDrawit(&canvas, clNavy,
                                      Rect(cell.Left, cell.Top, cell.Right - 4, cell.Bottom - 6), i != 1);
    }
}

void PaintCrown(TCanvas& canvas, TPoint centre) {
    constexpr int kPoints = 16;
    std::vector<TPoint> points;
    for (int i = 0; i < kPoints; ++i)
        points.push_back(lm7::CrownPos(i, kPoints, 34, centre));
    canvas.Brush()->SetColor(RGB(250, 200, 40));
    canvas.Pen()->SetColor(RGB(150, 100, 0));
    canvas.Polygon(points);
    canvas.Brush()->SetColor(clMaroon);
    canvas.Pen()->SetColor(clMaroon);
    for (const TPoint& p : points)
        canvas.Ellipse(p.X - 2, p.Y - 2, p.X + 3, p.Y + 3);
}

void Build(TWinControl& area) {
    TComponent* owner = area.Owner();
    TBitmap picture(gallery::kSectionWidth - 20, 190);
    TCanvas& canvas = *picture.Canvas();
    lm7::MyDrawGradient(&canvas, RGB(30, 60, 140), RGB(240, 200, 60), 40, Rect(10, 8, 340, 40), true);
    lm7::MyDrawGradient(&canvas, RGB(120, 0, 60), clWhite, 8, Rect(350, 8, 440, 40), true);
    PaintHeaders(canvas, 52);
    lm7::MyDrawGradient(&canvas, RGB(0, 90, 60), clWhite, 12, Rect(10, 86, 40, 186), false);
    PaintCrown(canvas, TPoint{110, 136});

    // The fonts on this machine that show every character of a text in three scripts.
    const std::string greeting = "Hello κόσμε שלום";
    canvas.Brush()->SetStyle(bsClear);
    canvas.Font()->SetHeight(-14);
    canvas.TextOut(170, 92, greeting);
    canvas.Font()->SetHeight(-11);
    canvas.TextOut(170, 116, "is shown whole by:");
    const std::vector<std::string> fonts = FontsForText(greeting).Complete();
    int y = 134;
    for (const std::string& family : fonts) {
        canvas.TextOut(182, y, family);
        y += 15;
    }
    if (fonts.empty())
        canvas.TextOut(182, y, "no installed font");

    auto* image = Create<TImage>(owner);
    image->SetBounds(10, 10, picture.Width(), picture.Height());
    image->Picture()->SetBitmap(&picture);
    image->SetParent(&area);
}

const bool registered = gallery::RegisterGallerySection({"AreaDrawing", Build});

}  // namespace
