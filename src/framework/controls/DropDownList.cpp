#include "framework/controls/DropDownList.h"

#include <algorithm>

namespace framework {

namespace {
TPopupScreenFinder popupScreenFinder = nullptr;

// Start of a span of Length that opens after Near (or, flipped, ends at Far) within [Low, High).
int placeSpan(int Low, int High, int Near, int Far, int& Length) {
    Length = std::max(1, std::min(Length, High - Low));
    int start = Near;
    if (start + Length > High && Far - Length >= Low)
        start = Far - Length;
    return std::clamp(start, Low, High - Length);
}
}  // namespace

void SetPopupScreenFinder(TPopupScreenFinder Finder) { popupScreenFinder = Finder; }

bool PopupWorkArea(const TWinControl& Top, TRect& Area) {
    TPopupScreen screen;
    if (!popupScreenFinder || !popupScreenFinder(Top, screen) || screen.WorkArea.IsEmpty())
        return false;
    Area = Bounds(screen.WorkArea.Left - screen.ClientOrigin.X, screen.WorkArea.Top - screen.ClientOrigin.Y,
                  screen.WorkArea.Width(), screen.WorkArea.Height());
    return true;
}

TRect PlacePopup(const TRect& Area, TPoint Size, const TRect& Anchor, bool Sideways) {
    int width = Size.X, height = Size.Y;
    // A menu flips to the point's left; a drop-down is only moved in along its combo.
    const int left = Sideways ? placeSpan(Area.Left, Area.Right, Anchor.Right, Anchor.Left, width)
                              : placeSpan(Area.Left, Area.Right, Anchor.Left, Area.Left - 1, width);
    const int top = placeSpan(Area.Top, Area.Bottom, Anchor.Bottom, Anchor.Top, height);
    return Bounds(left, top, width, height);
}

TRect PlaceSubMenu(const TRect& Area, TPoint Size, const TRect& Parent, const TRect& Row) {
    int width = Size.X, height = Size.Y;
    const int left = placeSpan(Area.Left, Area.Right, Parent.Right, Parent.Left, width);
    const int top = placeSpan(Area.Top, Area.Bottom, Row.Top, Row.Bottom, height);
    return Bounds(left, top, width, height);
}

const TClassInfo& TDropDownList::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TDropDownList, TCustomControl>("TDropDownList");
    return info;
}

TDropDownList::TDropDownList(TComponent* AOwner, TDropDownSource* Source)
    : TCustomControl(AOwner), m_source(Source) {
    SetTabStop(false);
}

void TDropDownList::SetHot(int Index) {
    const int count = m_source->DropDownEntryCount();
    Index = count == 0 ? -1 : std::clamp(Index, 0, count - 1);
    if (Index >= 0 && !m_source->DropDownCanChoose(Index))
        Index = -1;
    if (Index == m_hot)
        return;
    m_hot = Index;
    if (Index >= 0) {
        if (Index < m_top)
            m_top = Index;
        while (Index >= m_top + std::max(VisibleFrom(m_top), 1))
            ++m_top;
    }
    Invalidate();
}

void TDropDownList::ClearHot() {
    if (m_hot < 0)
        return;
    m_hot = -1;
    Invalidate();
}

int TDropDownList::VisibleFrom(int First) {
    int y = 0, n = 0;
    for (int i = First; i < m_source->DropDownEntryCount(); ++i, ++n) {
        y += m_source->DropDownEntryHeight(i);
        if (y > ClientHeight())
            break;
    }
    return n;
}

int TDropDownList::PageSize() { return std::max(VisibleFrom(m_top), 1); }

int TDropDownList::ItemAt(int X, int Y) {
    if (X < 0 || X >= ClientWidth() || Y < 0)
        return -1;
    int y = 0;
    for (int i = m_top; i < m_source->DropDownEntryCount() && y < ClientHeight(); ++i) {
        y += m_source->DropDownEntryHeight(i);
        if (Y < y)
            return i;
    }
    return -1;
}

TRect TDropDownList::ItemRect(int Index) {
    int y = 0;
    for (int i = m_top; i < m_source->DropDownEntryCount() && y < ClientHeight(); ++i) {
        const int h = m_source->DropDownEntryHeight(i);
        if (i == Index)
            return Rect(0, y, ClientWidth(), y + h);
        y += h;
    }
    return TRect{};
}

void TDropDownList::Scroll(int Lines) {
    const int count = m_source->DropDownEntryCount();
    int last = count;
    for (int y = 0; last > 0 && y + m_source->DropDownEntryHeight(last - 1) <= ClientHeight();)
        y += m_source->DropDownEntryHeight(--last);
    m_top = std::clamp(m_top + Lines, 0, std::max(last, 0));
    Invalidate();
}

int TDropDownList::Choosable(int Index, int Step) {
    const int count = m_source->DropDownEntryCount();
    for (int i = Index; i >= 0 && i < count; i += Step)
        if (m_source->DropDownCanChoose(i))
            return i;
    return -1;
}

void TDropDownList::Popup(TWinControl* Top, TRect Bounds) {
    SetBounds(Bounds.Left, Bounds.Top, Bounds.Width(), Bounds.Height());
    SetParent(Top);
    m_popped = true;
    m_top = 0;
    m_hot = -1;
    SetControlStyle(ControlStyle() | csCaptureKeys);
    SetCapture(Handle());
    Invalidate();
}

void TDropDownList::Close() {
    if (m_popped && HandleAllocated() && GetCapture() == Handle())
        ReleaseCapture();
    m_popped = false;
    SetControlStyle(ControlStyle() & ~csCaptureKeys);
    SetParent(nullptr);
}

void TDropDownList::Paint() {
    TCanvas& canvas = *Canvas();
    int y = 0;
    for (int i = m_top; i < m_source->DropDownEntryCount() && y < ClientHeight(); ++i) {
        const int h = m_source->DropDownEntryHeight(i);
        m_source->DropDownPaintEntry(canvas, i, Rect(0, y, ClientWidth(), y + h),
                                     i == m_hot ? TOwnerDrawState{odSelected} : TOwnerDrawState{0});
        y += h;
    }
}

void TDropDownList::PaintBorder(TCanvas& Canvas, TRect Bounds) {
    Canvas.Brush()->SetColor(clWindowFrame);
    Canvas.FrameRect(Bounds);
}

void TDropDownList::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    // A list that holds the mouse (a popped-up menu, a combo's open list) goes away when the
    // press is outside it.
    if (GetCapture() == Handle() && !ClientRect().Contains(TPoint{X, Y}))
        m_source->DropDownDismiss();
}

void TDropDownList::MouseMove(TShiftState Shift, int X, int Y) {
    if (const int i = ItemAt(X, Y); i >= 0)
        SetHot(i);
    TCustomControl::MouseMove(Shift, X, Y);
}

void TDropDownList::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    // A combo's list is picked from with the left button; a menu with either.
    if (Button == mbLeft || (m_popped && Button == mbRight))
        if (const int i = ItemAt(X, Y); i >= 0 && m_source->DropDownCanChoose(i))
            m_source->DropDownChoose(i);  // frees nothing: the list only leaves its parent
}

// Only a popped-up list has the keys; a combo's list is driven by its combo.
void TDropDownList::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    const int count = m_source->DropDownEntryCount();
    switch (Key) {
    case VK_DOWN:
        SetHot(Choosable(m_hot + 1, 1) >= 0 ? Choosable(m_hot + 1, 1) : Choosable(0, 1));
        break;
    case VK_UP:
        SetHot(m_hot > 0 && Choosable(m_hot - 1, -1) >= 0 ? Choosable(m_hot - 1, -1)
                                                          : Choosable(count - 1, -1));
        break;
    case VK_HOME:
        SetHot(Choosable(0, 1));
        break;
    case VK_END:
        SetHot(Choosable(count - 1, -1));
        break;
    case VK_RETURN:
        if (m_hot >= 0)
            m_source->DropDownChoose(m_hot);
        break;
    case VK_ESCAPE:
        m_source->DropDownDismiss();
        break;
    default:
        return;
    }
    Key = 0;
}

void TDropDownList::WndProc(TMessage& Message) {
    if (Message.Msg == WM_MOUSEWHEEL) {
        Scroll(-static_cast<std::int16_t>(Message.WParam >> 16) / 120 * 3);
        return;
    }
    TCustomControl::WndProc(Message);
}

bool TDropDownList::ScrollContent(int Bar, TScrollInfo& Info) {
    if (Bar != SB_VERT)
        return false;
    const int count = m_source->DropDownEntryCount();
    Info.nMin = 0;
    Info.nMax = std::max(count - 1, 0);
    Info.nPage = count == 0 ? 0 : PageSize();
    Info.nPos = m_top;
    return true;
}

void TDropDownList::ScrollContentTo(int Bar, int Pos) {
    if (Bar == SB_VERT)
        Scroll(Pos - m_top);
}

}  // namespace framework
