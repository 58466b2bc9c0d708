// The view side of the editing core: measuring lines, scrolling to the caret, hit-testing the
// mouse and painting. Only lines in view are measured and painted, and of a long line only
// the part in view is painted; the caret's line keeps its measure until the text changes.

#include "framework/controls/EditCore.h"

#include "framework/controls/EditText.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/platform/Clipboard.h"

#include <algorithm>
#include <cstdlib>

namespace framework {

namespace {
// Presses closer in time than this make a double and then a triple click.
constexpr std::chrono::milliseconds kMultiClickTime{500};
}  // namespace

void TEditCore::BuildLayout(TLayout& Out, std::string_view Text, bool Masked) {
    TCanvas& canvas = m_owner.EditCanvas();
    Out.Bytes.clear();
    Out.X.clear();
    Out.Bytes.push_back(0);
    Out.X.push_back(0);
    const int maskWidth = Masked ? canvas.TextWidth(std::string_view(&m_passwordChar, 1)) : 0;
    int x = 0;
    for (std::size_t p = 0; p < Text.size();) {
        const std::size_t q = NextCharBoundary(Text, p);
        x += Masked ? maskWidth : canvas.TextWidth(Text.substr(p, q - p));
        Out.Bytes.push_back(static_cast<int>(q));
        Out.X.push_back(x);
        p = q;
    }
}

const TEditCore::TLayout& TEditCore::LayoutOf(int Line) {
    for (TLayout& l : m_layouts)
        if (l.Line == Line && l.Version == m_version)
            return l;
    TLayout& slot = m_layouts[Line == m_caret.Line ? 0 : 1];
    BuildLayout(slot, m_lines[Line], m_passwordChar != '\0');
    slot.Line = Line;
    slot.Version = m_version;
    return slot;
}

int TEditCore::XOf(TEditPos Pos) {
    Pos = Clamp(Pos);
    const TLayout& layout = LayoutOf(Pos.Line);
    const auto it = std::lower_bound(layout.Bytes.begin(), layout.Bytes.end(), Pos.Byte);
    return layout.X[static_cast<std::size_t>(std::min<std::ptrdiff_t>(
        it - layout.Bytes.begin(), static_cast<std::ptrdiff_t>(layout.X.size()) - 1))];
}

int TEditCore::LineHeight() { return std::max(m_owner.EditCanvas().TextHeight("Wg"), 1); }

int TEditCore::VisibleLines() {
    if (!m_multiLine)
        return 1;
    return std::max(m_owner.EditViewRect().Height() / LineHeight(), 1);
}

void TEditCore::SetTopLine(int Value) {
    const int top = std::clamp(Value, 0, std::max(LineCount() - VisibleLines(), 0));
    if (top == m_topLine)
        return;
    m_topLine = top;
    m_owner.EditInvalidate();
}

// The caret is about a twelfth of the line high in width: one pixel at 96 pixels per inch,
// two at 144, as the text grows with the resolution.
int TEditCore::CaretWidth() const {
    return std::max(1, MulDiv(m_owner.EditCanvas().TextHeight("Wg"), 1, 12));
}

void TEditCore::ScrollToCaret() {
    m_scrollPending = false;
    const TRect view = m_owner.EditViewRect();
    if (view.Width() <= 0)
        return;
    if (m_multiLine) {
        const int visible = VisibleLines();
        if (m_caret.Line < m_topLine)
            m_topLine = m_caret.Line;
        else if (m_caret.Line >= m_topLine + visible)
            m_topLine = m_caret.Line - visible + 1;
        m_topLine = std::clamp(m_topLine, 0, std::max(LineCount() - 1, 0));
    }
    int x = XOf(m_caret);
    if (!m_composition.empty())
        x += m_owner.EditCanvas().TextWidth(m_composition);
    const int width = view.Width(), caret = CaretWidth();
    // Out of sight, the view jumps by a quarter of its width, so typing does not scroll on
    // every character.
    if (x < m_scrollX)
        m_scrollX = std::max(0, x - width / 4);
    else if (x + caret > m_scrollX + width)
        m_scrollX = x + caret - width + width / 4;
    // Where the caret's line ends in the view, show as much of it as fits.
    const TLayout& layout = LayoutOf(m_caret.Line);
    if (m_scrollX > 0 && layout.X.back() + caret < m_scrollX + width)
        m_scrollX = std::max(0, std::min(m_scrollX, layout.X.back() + caret - width));
    m_scrollX = std::max(m_scrollX, 0);
}

TRect TEditCore::CaretRect() {
    Settle();
    const TRect view = m_owner.EditViewRect();
    const int lh = LineHeight();
    int x = view.Left + XOf(m_caret) - m_scrollX;
    if (!m_composition.empty())
        x += m_owner.EditCanvas().TextWidth(m_composition);
    const int y =
        m_multiLine ? view.Top + (m_caret.Line - m_topLine) * lh : view.Top + (view.Height() - lh) / 2;
    return Rect(x, y, x + CaretWidth(), y + lh);
}

TEditPos TEditCore::PosAtPoint(int X, int Y) {
    Settle();
    const TRect view = m_owner.EditViewRect();
    int line = 0;
    if (m_multiLine) {
        const int lh = LineHeight();
        const int dy = Y - view.Top;
        line = m_topLine + (dy >= 0 ? dy / lh : -((-dy + lh - 1) / lh));
        line = std::clamp(line, 0, LineCount() - 1);
    }
    const TLayout& layout = LayoutOf(line);
    const int x = X - view.Left + m_scrollX;
    const auto it = std::lower_bound(layout.X.begin(), layout.X.end(), x);
    std::size_t i = static_cast<std::size_t>(it - layout.X.begin());
    if (i >= layout.X.size())
        i = layout.X.size() - 1;
    else if (i > 0 && x - layout.X[i - 1] <= layout.X[i] - x)
        --i;
    return TEditPos{line, layout.Bytes[i]};
}

// --- Mouse ---------------------------------------------------------------------------------

void TEditCore::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (Button == mbMiddle) {
        // The X11 way: the primary selection goes in where the middle button is pressed.
        if (m_readOnly)
            return;
        const TEditPos at = PosAtPoint(X, Y);
        Select(at, at);
        InsertIncoming(PrimarySelection().AsText());
        return;
    }
    if (Button != mbLeft)
        return;
    const TEditPos at = PosAtPoint(X, Y);
    const auto now = std::chrono::steady_clock::now();
    const bool near = std::abs(X - m_lastDoublePoint.X) <= 4 && std::abs(Y - m_lastDoublePoint.Y) <= 4;
    if (Shift & ssDouble) {
        std::size_t start = 0, end = m_lines[at.Line].size();
        if (m_passwordChar == '\0')  // a password shows no words: all of it
            WordAround(m_lines[at.Line], static_cast<std::size_t>(at.Byte), start, end);
        Select(TEditPos{at.Line, static_cast<int>(start)}, TEditPos{at.Line, static_cast<int>(end)});
        m_lastDouble = now;
        m_lastDoublePoint = TPoint{X, Y};
        OfferPrimarySelection();
        return;
    }
    if (near && now - m_lastDouble < kMultiClickTime) {
        m_lastDouble = {};
        if (m_multiLine)
            Select(TEditPos{at.Line, 0},
                   at.Line + 1 < LineCount() ? TEditPos{at.Line + 1, 0} : LineEnd(at.Line));
        else
            SelectAll();
        OfferPrimarySelection();
        return;
    }
    m_goalX = -1;
    MoveCaret(at, Shift & ssShift);
    m_dragging = true;
    m_dragPoint = TPoint{X, Y};
}

void TEditCore::MouseMove(TShiftState, int X, int Y) {
    if (!m_dragging)
        return;
    m_dragPoint = TPoint{X, Y};
    const TEditPos at = PosAtPoint(X, Y);
    if (at != m_caret)
        MoveCaret(at, true);
}

void TEditCore::MouseUp(TMouseButton Button, int X, int Y) {
    if (Button != mbLeft || !m_dragging)
        return;
    MouseMove(0, X, Y);
    m_dragging = false;
    OfferPrimarySelection();
}

bool TEditCore::DragBeyondView() const { return m_dragging && !m_owner.EditViewRect().Contains(m_dragPoint); }

void TEditCore::DragTick() {
    if (!DragBeyondView())
        return;
    const TEditPos before = m_caret;
    const TEditPos at = PosAtPoint(m_dragPoint.X, m_dragPoint.Y);
    MoveCaret(at, true);
    // At the view's edge the nearest boundary is the one there: step one character on.
    if (m_caret == before) {
        const TRect view = m_owner.EditViewRect();
        if (m_dragPoint.Y >= view.Bottom && m_multiLine)
            MoveCaret(TEditPos{std::min(m_caret.Line + 1, LineCount() - 1), m_caret.Byte}, true);
        else if (m_dragPoint.Y < view.Top && m_multiLine)
            MoveCaret(TEditPos{std::max(m_caret.Line - 1, 0), m_caret.Byte}, true);
        else if (m_dragPoint.X >= view.Right)
            MoveCaret(Right(m_caret, false), true);
        else if (m_dragPoint.X < view.Left)
            MoveCaret(Left(m_caret, false), true);
    }
}

// --- Painting ------------------------------------------------------------------------------

void TEditCore::Paint(TCanvas& Canvas, const TEditColors& Colors, bool ShowCaret, bool ShowSelection) {
    const TRect view = m_owner.EditViewRect();
    if (view.IsEmpty())
        return;
    Settle();
    TCanvasStateSaver saved(Canvas);
    Canvas.IntersectClipRect(view);
    const int lh = LineHeight();
    if (m_multiLine) {
        int y = view.Top;
        for (int i = m_topLine; i < LineCount() && y < view.Bottom; ++i, y += lh)
            PaintLine(Canvas, Colors, i, y, view, ShowSelection);
    } else {
        PaintLine(Canvas, Colors, 0, view.Top + (view.Height() - lh) / 2, view, ShowSelection);
    }
    if (ShowCaret) {
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(Colors.Text);
        Canvas.FillRect(CaretRect());
    }
}

void TEditCore::PaintLine(TCanvas& Canvas, const TEditColors& Colors, int Line, int Y, const TRect& View,
                          bool ShowSelection) {
    const bool masked = m_passwordChar != '\0';
    const bool composing = !m_composition.empty() && Line == m_caret.Line;
    // While composing, the line is shown with the composition in it, measured on its own.
    TLayout composed;
    std::string shown;
    const TLayout* layout = nullptr;
    if (composing) {
        shown = m_lines[Line];
        shown.insert(static_cast<std::size_t>(m_caret.Byte), m_composition);
        BuildLayout(composed, shown, masked);
        layout = &composed;
    } else {
        layout = &LayoutOf(Line);
    }
    const std::string& text = composing ? shown : m_lines[Line];
    const int lh = LineHeight();
    const int left = m_scrollX, right = m_scrollX + View.Width();
    // The characters in view: from the last that starts at or before the left edge to the
    // first that starts at or after the right one.
    const auto& xs = layout->X;
    std::size_t first = static_cast<std::size_t>(std::upper_bound(xs.begin(), xs.end(), left) - xs.begin());
    first = first > 0 ? first - 1 : 0;
    std::size_t last = static_cast<std::size_t>(std::lower_bound(xs.begin(), xs.end(), right) - xs.begin());
    last = std::min(last, xs.size() - 1);
    const auto byteAt = [&](std::size_t i) { return static_cast<std::size_t>(layout->Bytes[i]); };
    const std::string part = masked ? std::string(last - first, m_passwordChar)
                                    : text.substr(byteAt(first), byteAt(last) - byteAt(first));
    const int x0 = View.Left + xs[first] - m_scrollX;
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.Font()->SetColor(Colors.Text);
    Canvas.TextOut(x0, Y, part);

    if (composing) {
        // The composition is underlined where it stands.
        const auto at = std::lower_bound(layout->Bytes.begin(), layout->Bytes.end(), m_caret.Byte);
        const auto to = std::lower_bound(layout->Bytes.begin(), layout->Bytes.end(),
                                         m_caret.Byte + static_cast<int>(m_composition.size()));
        const int ux0 = View.Left + xs[static_cast<std::size_t>(at - layout->Bytes.begin())] - m_scrollX;
        const int ux1 = View.Left +
                        xs[std::min(static_cast<std::size_t>(to - layout->Bytes.begin()), xs.size() - 1)] -
                        m_scrollX;
        const int thickness = CaretWidth();
        Canvas.Brush()->SetStyle(bsSolid);
        Canvas.Brush()->SetColor(Colors.Text);
        Canvas.FillRect(Rect(ux0, Y + lh - thickness, ux1, Y + lh));
        return;
    }
    if (!ShowSelection || !HasSelection())
        return;
    const TEditPos s = SelectionStart(), e = SelectionEnd();
    if (Line < s.Line || Line > e.Line)
        return;
    const int sx = Line == s.Line ? XOf(s) : 0;
    int ex = Line == e.Line ? XOf(e) : xs.back();
    // A selected line break shows as a space's width at the end of its line.
    if (Line < e.Line)
        ex += Canvas.TextWidth(" ");
    const TRect band =
        IntersectRect(Rect(View.Left + sx - m_scrollX, Y, View.Left + ex - m_scrollX, Y + lh), View);
    if (band.IsEmpty())
        return;
    TCanvasStateSaver saved(Canvas);
    Canvas.Brush()->SetStyle(bsSolid);
    Canvas.Brush()->SetColor(Colors.Highlight);
    Canvas.FillRect(band);
    Canvas.IntersectClipRect(band);
    Canvas.Brush()->SetStyle(bsClear);
    Canvas.Font()->SetColor(Colors.HighlightText);
    Canvas.TextOut(x0, Y, part);
}

}  // namespace framework
