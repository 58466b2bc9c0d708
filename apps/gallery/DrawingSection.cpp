// The drawing routines the suite's tools share: banded gradients, column headers with sort
// marks, a crown from its points, and the fonts that can show a text in three scripts. They
// are painted afresh at the window's resolution, so a window moved to another monitor shows
// them at the size its controls take there.

#include "GallerySection.h"

#include "framework/controls/Control.h"
#include "framework/forms/Application.h"
#include "framework/graphics/FontEngine.h"
#include "imaging/graphics_utilities.h"

#include <vector>

using namespace framework;

namespace {

const std::string kGreeting = "Hello κόσμε שלום";

class TDrawingPicture : public TGraphicControl {
public:
    explicit TDrawingPicture(TComponent* AOwner)
        : TGraphicControl(AOwner), m_pixelsPerInch(Screen->PixelsPerInch()),
          m_fonts(FontsForText(kGreeting).Complete()) {}

    void ChangeScale(int M, int D) override {
        if (M != D && D != 0)
            m_pixelsPerInch = MulDiv(m_pixelsPerInch, M, D);
        TGraphicControl::ChangeScale(M, D);
    }

protected:
    void Paint() override {
        TCanvas& canvas = *Canvas();
        lm7::MyDrawGradient(&canvas, RGB(30, 60, 140), RGB(240, 200, 60), 40, Scaled(10, 8, 340, 40), true);
        lm7::MyDrawGradient(&canvas, RGB(120, 0, 60), clWhite, 8, Scaled(350, 8, 440, 40), true);
        PaintHeaders(canvas, 52);
        lm7::MyDrawGradient(&canvas, RGB(0, 90, 60), clWhite, 12, Scaled(10, 86, 40, 186), false);
        PaintCrown(canvas);

        // The fonts on this machine that show every character of the text in three scripts.
        canvas.Brush()->SetStyle(bsClear);
        canvas.Font()->SetHeight(-S(14));
        canvas.TextOut(S(170), S(92), kGreeting);
        canvas.Font()->SetHeight(-S(11));
        canvas.TextOut(S(170), S(116), "is shown whole by:");
        int y = 134;
        for (const std::string& family : m_fonts) {
            canvas.TextOut(S(182), S(y), family);
            y += 15;
        }
        if (m_fonts.empty())
            canvas.TextOut(S(182), S(y), "no installed font");
    }

private:
    // A length of the design at 96 pixels per inch, at the present resolution.
    int S(int Value) const { return MulDiv(Value, m_pixelsPerInch, 96); }
    TRect Scaled(int Left, int Top, int Right, int Bottom) const {
        return Rect(S(Left), S(Top), S(Right), S(Bottom));
    }

    void PaintHeaders(TCanvas& canvas, int top) const {
        const char* captions[] = {"Word", "Count", "Share"};
        const TCanvasStateSaver saved(canvas);  // the text below keeps the style's colour
        canvas.Font()->SetHeight(-S(11));
        canvas.Font()->SetColor(clNavy);  // the cells are light in every style
        for (int i = 0; i < 3; ++i) {
            const TRect cell = Scaled(10 + i * 110, top, 118 + i * 110, top + 22);
            lm7::MyDrawGradient(&canvas, clWhite, RGB(200, 210, 230), cell.Height(), cell, false);
            canvas.Brush()->SetStyle(bsClear);
            canvas.TextOut(cell.Left + S(6), cell.Top + S(4), captions[i]);
            canvas.Brush()->SetStyle(bsSolid);
            canvas.Brush()->SetColor(clNavy);
            lm7::ComputeTriangleAndDrawit(
                &canvas, clNavy, Rect(cell.Left, cell.Top, cell.Right - S(4), cell.Bottom - S(6)), i != 1);
        }
    }

    void PaintCrown(TCanvas& canvas) const {
        constexpr int kPoints = 16;
        std::vector<TPoint> points;
        for (int i = 0; i < kPoints; ++i)
            points.push_back(lm7::CrownPos(i, kPoints, S(34), Point(S(110), S(136))));
        canvas.Brush()->SetColor(RGB(250, 200, 40));
        canvas.Pen()->SetColor(RGB(150, 100, 0));
        canvas.Polygon(points);
        canvas.Brush()->SetColor(clMaroon);
        canvas.Pen()->SetColor(clMaroon);
        const int r = S(2);
        for (const TPoint& p : points)
            canvas.Ellipse(p.X - r, p.Y - r, p.X + r + 1, p.Y + r + 1);
    }

    int m_pixelsPerInch;
    std::vector<std::string> m_fonts;
};

void Build(TWinControl& area) {
    auto* picture = Create<TDrawingPicture>(area.Owner());
    picture->SetBounds(10, 10, gallery::kSectionWidth - 20, 190);
    picture->SetParent(&area);
}

const bool registered = gallery::RegisterGallerySection({"AreaDrawing", Build});

}  // namespace
