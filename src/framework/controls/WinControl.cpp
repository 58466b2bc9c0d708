#include "framework/controls/WinControl.h"

#include "framework/controls/DragDrop.h"
#include "framework/controls/DropFiles.h"
#include "framework/controls/FocusFrame.h"
#include "framework/controls/ScrollBars.h"
#include "framework/rtl/Exceptions.h"

#include <algorithm>
#include <unordered_map>
#include <utility>

namespace framework {

namespace {
std::unordered_map<HWND, TWinControl*>& windows() {
    static std::unordered_map<HWND, TWinControl*> map;
    return map;
}
// Handle numbers are never reused, so a message posted to a window that has gone cannot reach
// a newer one.
HWND nextHandle() {
    static HWND next = 0x10000;
    return next += 4;
}
TWinControl* topLevel(TWinControl* c) {
    while (c && c->Parent())
        c = c->Parent();
    return c;
}
// Appends the parts of R outside Hole to Out: up to four bands.
void subtractRect(const TRect& R, const TRect& Hole, std::vector<TRect>& Out) {
    const TRect h = IntersectRect(R, Hole);
    if (h.IsEmpty()) {
        Out.push_back(R);
        return;
    }
    if (R.Top < h.Top)
        Out.push_back(Rect(R.Left, R.Top, R.Right, h.Top));
    if (h.Bottom < R.Bottom)
        Out.push_back(Rect(R.Left, h.Bottom, R.Right, R.Bottom));
    if (R.Left < h.Left)
        Out.push_back(Rect(R.Left, h.Top, h.Left, h.Bottom));
    if (h.Right < R.Right)
        Out.push_back(Rect(h.Right, h.Top, R.Right, h.Bottom));
}
}  // namespace

const TClassInfo& TWinControl::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TWinControl, TControl>("TWinControl")
            .Bool<TWinControl>("TabStop", &TWinControl::TabStop, &TWinControl::SetTabStop)
            .Integer<TWinControl>("TabOrder", &TWinControl::TabOrder, &TWinControl::SetTabOrder, -1)
            .StoredWhen(
                [](const TObject& c) { return !static_cast<const TWinControl&>(c).IsTopLevelWindow(); })
            .Object<TWinControl, TPadding>("Padding", &TWinControl::Padding, &TWinControl::SetPadding)
            .Bool<TWinControl>("DoubleBuffered", &TWinControl::DoubleBuffered,
                               &TWinControl::SetDoubleBuffered, false)
            .Bool<TWinControl>("DockSite", &TWinControl::DockSite, &TWinControl::SetDockSite, false)
            .Event<TWinControl>("OnDockDrop", &TWinControl::OnDockDrop)
            .Event<TWinControl>("OnDockOver", &TWinControl::OnDockOver)
            .Event<TWinControl>("OnUnDock", &TWinControl::OnUnDock)
            .Event<TWinControl>("OnEnter", &TWinControl::OnEnter)
            .Event<TWinControl>("OnExit", &TWinControl::OnExit)
            .Event<TWinControl>("OnKeyDown", &TWinControl::OnKeyDown)
            .Event<TWinControl>("OnKeyUp", &TWinControl::OnKeyUp)
            .Event<TWinControl>("OnKeyPress", &TWinControl::OnKeyPress)
            .Message<TWinControl>(WM_PAINT, &TWinControl::WMPaint)
            .Message<TWinControl>(WM_KEYDOWN, &TWinControl::WMKey)
            .Message<TWinControl>(WM_KEYUP, &TWinControl::WMKey)
            .Message<TWinControl>(WM_CHAR, &TWinControl::WMKey);
    return info;
}

TWinControl::TWinControl(TComponent* AOwner)
    : TControl(AOwner), m_padding(Create<TPadding>()), m_brush(Create<TBrush>()) {
    m_brush->SetColor(Color());
    m_padding->OnChange = TNotifyEvent::Of<&TWinControl::PaddingChange>(this);
}

void TWinControl::PaddingChange(TObject*) { Realign(); }

TWinControl::~TWinControl() {
    // What this window owns goes with it, also when it is deleted without Free.
    Destroying();
    // A parent frees its child controls, last first.
    while (!m_controls.empty()) {
        TControl* child = m_controls.back();
        RemoveControl(child);
        child->Free();
    }
    DestroyHandle();
}

TControl* TWinControl::Controls(int Index) const {
    if (Index < 0 || Index >= ControlCount())
        throw EListError("List index out of bounds (" + std::to_string(Index) + ")");
    return m_controls[static_cast<std::size_t>(Index)];
}

void TWinControl::InsertControl(TControl* AControl) {
    if (!AControl || AControl->m_parent == this)
        return;
    if (auto* win = As<TWinControl>(AControl); win && win->ContainsControl(this))
        throw EInvalidOperation("A control cannot be placed inside one of its own children");
    m_controls.push_back(AControl);
    AControl->m_parent = this;
    if (auto* win = As<TWinControl>(AControl))
        m_tabList.push_back(win);
    AControl->UpdateAnchorRules();
    AControl->Perform(CM_PARENTCOLORCHANGED);
    AControl->Perform(CM_PARENTFONTCHANGED);
    if (AControl->Align() != alNone)
        Realign();
    Invalidate();
}

void TWinControl::RemoveControl(TControl* AControl) {
    // Searched from the end: controls mostly go last first (their owner frees them so), and a
    // window is emptied without a quadratic search.
    auto it = std::find(m_controls.rbegin(), m_controls.rend(), AControl);
    if (it == m_controls.rend())
        return;
    // The focus must not stay with a control that leaves the window.
    if (TWinControl* root = topLevel(this); root && root->m_focused) {
        auto* win = As<TWinControl>(AControl);
        if (root->m_focused == AControl || (win && win->ContainsControl(root->m_focused)))
            root->m_focused = nullptr;
    }
    m_controls.erase(std::next(it).base());
    if (auto tab = std::find(m_tabList.rbegin(), m_tabList.rend(), AControl); tab != m_tabList.rend())
        m_tabList.erase(std::next(tab).base());
    AControl->m_parent = nullptr;
    if (auto* win = As<TWinControl>(AControl))
        win->DestroyHandle();  // a window without a parent window has no handle
    Invalidate();
}

bool TWinControl::ContainsControl(const TControl* Control) const {
    for (const TControl* c = Control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint Pos, bool AllowDisabled, bool AllowWinControls) const {
    for (auto it = m_controls.rbegin(); it != m_controls.rend(); ++it) {
        TControl* c = *it;
        if (!c->Visible() || (!AllowDisabled && !c->Enabled()))
            continue;
        if (!AllowWinControls && c->IsWindowed())
            continue;
        if (c->BoundsRect().Contains(Pos))
            return c;
    }
    return nullptr;
}

HWND TWinControl::Handle() {
    if (!m_handle) {
        if (m_parent)
            m_parent->HandleNeeded();
        else if (!IsTopLevelWindow())
            throw EInvalidOperation("Control '" + Name() + "' has no parent window");
        CreateWnd();
    }
    return m_handle;
}

TWinControl* TWinControl::Windowed(TControl* Control) {
    return Control->IsWindowed() ? static_cast<TWinControl*>(Control) : nullptr;
}

TWinControl* TWinControl::FindControl(HWND Wnd) {
    auto it = windows().find(Wnd);
    return it == windows().end() ? nullptr : it->second;
}

void TWinControl::CreateWnd() {
    if (m_handle)
        return;
    m_handle = nextHandle();
    windows()[m_handle] = this;
    m_surface.reset(Create<TBitmap>());
    ResizeSurface();
    Invalidate();
}

void TWinControl::DestroyWnd() {}

void TWinControl::DestroyHandle() {
    if (!m_handle)
        return;
    for (TControl* c : m_controls)
        if (auto* win = As<TWinControl>(c))
            win->DestroyHandle();
    DestroyWnd();
    CancelScrollBarTracking();
    windows().erase(m_handle);
    DropPostedMessages(m_handle);
    m_handle = 0;
    m_surface.reset();
}

void TWinControl::RecreateWnd() {
    if (!m_handle)
        return;
    DestroyHandle();
    HandleNeeded();
}

void TWinControl::ResizeSurface() {
    if (m_surface)
        m_surface->SetSize(std::max(ClientWidth(), 0), std::max(ClientHeight(), 0));
}

TRect TWinControl::ClientRect() const {
    const int inset = ClientInset();
    int width = Width() - 2 * inset, height = Height() - 2 * inset;
    if (m_scrollBars) {  // the window's own bars stand inside the border, beside the client area
        const int t = GetSystemMetrics(SM_CXVSCROLL);
        width -= ScrollBarShown(SB_VERT) ? t : 0;
        height -= ScrollBarShown(SB_HORZ) ? t : 0;
    }
    return Rect(0, 0, std::max(width, 0), std::max(height, 0));
}

void TWinControl::BorderChanged() {
    ResizeSurface();
    Realign();
    Invalidate();
    if (m_parent)
        m_parent->Invalidate();
}

void TWinControl::PaintBorder(TCanvas&, TRect) {}

void TWinControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    const int oldWidth = Width(), oldHeight = Height();
    TControl::SetBounds(ALeft, ATop, AWidth, AHeight);
    if (Width() != oldWidth || Height() != oldHeight) {
        ResizeSurface();
        Invalidate();
        if (!m_aligning) {  // while scaling, children are scaled rather than anchored
            const TRect client = ClientRect();
            for (TControl* c : std::vector<TControl*>(m_controls))
                c->AnchorTo(client.Width(), client.Height());
        }
        Realign();
    }
}

int TWinControl::TabOrder() const {
    if (!m_parent)
        return -1;
    const auto& tabs = m_parent->m_tabList;
    const auto it = std::find(tabs.begin(), tabs.end(), this);
    return it == tabs.end() ? -1 : static_cast<int>(it - tabs.begin());
}

void TWinControl::SetTabOrder(int Value) {
    if (HasState(csReading)) {
        m_loadedTabOrder = Value;
        return;
    }
    m_loadedTabOrder = -1;
    if (!m_parent)
        return;
    auto& tabs = m_parent->m_tabList;
    const auto it = std::find(tabs.begin(), tabs.end(), this);
    if (it == tabs.end())
        return;
    tabs.erase(it);
    const auto count = static_cast<int>(tabs.size());
    tabs.insert(tabs.begin() + (Value < 0 || Value > count ? count : Value), this);
}

void TWinControl::FixupTabList() {
    std::vector<std::pair<int, TWinControl*>> keyed;
    bool any = false;
    for (std::size_t i = 0; i < m_tabList.size(); ++i) {
        const int loaded = m_tabList[i]->m_loadedTabOrder;
        any = any || loaded >= 0;
        keyed.emplace_back(loaded >= 0 ? loaded : static_cast<int>(i), m_tabList[i]);
        m_tabList[i]->m_loadedTabOrder = -1;
    }
    if (!any)
        return;
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (std::size_t i = 0; i < keyed.size(); ++i)
        m_tabList[i] = keyed[i].second;
}

void TWinControl::Loaded() {
    TControl::Loaded();
    FixupTabList();
    // A control read into a parent that was not itself being read takes its place now.
    if (m_loadedTabOrder >= 0 && m_parent)
        SetTabOrder(m_loadedTabOrder);
}

std::vector<TWinControl*> TWinControl::TabOrderList() const {
    std::vector<TWinControl*> list;
    for (TWinControl* win : m_tabList)
        if (win->CanFocus()) {
            if (win->TabStop())
                list.push_back(win);
            for (TWinControl* inner : win->TabOrderList())
                list.push_back(inner);
        }
    return list;
}

TWinControl* TWinControl::FocusedControl() const { return m_focused; }

bool TWinControl::Focused() const {
    const TWinControl* root = this;
    while (root->m_parent)
        root = root->m_parent;
    return root->m_focused == this;
}

bool TWinControl::CanFocus() const {
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

void TWinControl::SetFocus() {
    if (!CanFocus())
        throw EInvalidOperation("Cannot focus a disabled or invisible window");
    TWinControl* root = topLevel(this);
    TWinControl* old = root->m_focused;
    if (old == this)
        return;
    root->m_focused = this;
    if (old) {
        old->Perform(WM_KILLFOCUS);
        old->DoExit();
        old->Invalidate();
    }
    Perform(WM_SETFOCUS);
    DoEnter();
    Invalidate();
    // Every scrolling window round the control brings it into view, the innermost first.
    for (TWinControl* p = m_parent; p && root->m_focused == this; p = p->m_parent)
        if (auto* scrolling = As<TScrollingWinControl>(p); scrolling && scrolling->AutoScroll())
            scrolling->ScrollInView(this);
}

void TWinControl::DoEnter() {
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (OnExit)
        OnExit(this);
}

void TWinControl::Invalidate() {
    m_invalid = true;
    m_invalidPart.reset();
}

void TWinControl::InvalidateRect(const TRect& Rect) {
    if (m_invalid && !m_invalidPart)
        return;  // the whole window is to be shown again already
    m_invalidPart = m_invalidPart ? UnionRect(*m_invalidPart, Rect) : Rect;
    m_invalid = true;
}

void TWinControl::Repaint() {
    Invalidate();
    if (m_handle)
        Perform(WM_PAINT);
}

void TWinControl::PaintInvalid() {
    if (!m_handle || !Visible())
        return;
    if (m_invalid)
        UpdateScrollBars();  // the content may have grown or shrunk since the bars were set
    // The bars' thickness follows the screen's resolution, and the client area with it.
    if (m_surface && (m_surface->Width() != ClientWidth() || m_surface->Height() != ClientHeight())) {
        ResizeSurface();
        Invalidate();
    }
    const bool painted = m_invalid;
    if (painted)
        Perform(WM_PAINT);
    std::vector<TRect> repainted;  // the windows repainted so far, which lie below the later ones
    for (TControl* c : m_controls)
        if (auto* win = Windowed(c); win && win->Visible()) {
            if (win->ControlStyle() & csParentBackground) {
                // What it shows of this window, or of a window below it, has changed.
                if (painted || std::any_of(repainted.begin(), repainted.end(), [&](const TRect& r) {
                        return !IntersectRect(r, win->BoundsRect()).IsEmpty();
                    }))
                    win->Invalidate();
            }
            const bool repaints = win->m_invalid || !win->m_handle;
            win->HandleNeeded();
            win->PaintInvalid();
            if (repaints)
                repainted.push_back(win->BoundsRect());
        }
}

std::vector<TRect> TWinControl::TakePaintedRects() {
    std::vector<TRect> taken;
    taken.swap(m_painted);
    return taken;
}

void TWinControl::WMPaint(TMessage&) {
    if (!m_surface)
        return;
    m_invalid = false;
    const std::optional<TRect> part = std::exchange(m_invalidPart, std::nullopt);
    if (TWinControl* root = topLevel(this); root->IsTopLevelWindow()) {
        constexpr std::size_t kMaxRects = 32;
        const TPoint origin = ClientOrigin();
        const int inset = ClientInset();
        // All of the window with its frame, or only the part of its client area that changed.
        const TRect changed = part ? IntersectRect(*part, ClientRect()) : TRect{};
        const TRect outer = part ? Rect(origin.X + changed.Left, origin.Y + changed.Top,
                                        origin.X + changed.Right, origin.Y + changed.Bottom)
                                 : Bounds(origin.X - inset, origin.Y - inset, Width(), Height());
        if (outer.IsEmpty()) {
            // Nothing that is shown changed.
        } else if (root->m_painted.size() >= kMaxRects) {
            TRect all = outer;
            for (const TRect& r : root->m_painted)
                all = UnionRect(all, r);
            root->m_painted.assign(1, all);
        } else {
            root->m_painted.push_back(outer);
        }
    }
    TCanvas& canvas = *m_surface->Canvas();
    TCanvasStateSaver saved(canvas);
    EraseBackground(canvas);
    PaintWindow(canvas);
    PaintControls(canvas);
    if (Focused())
        if (const TRect frame = FocusFrameRect(); !frame.IsEmpty())
            DrawFocusFrame(canvas, frame, Font()->Color());
}

TRect TWinControl::FocusFrameRect() { return m_tabStop ? ClientRect() : TRect{}; }

void TWinControl::EraseBackground(TCanvas& Canvas) {
    if ((ControlStyle() & csParentBackground) && m_parent && m_parent->m_surface) {
        const int inset = ClientInset();
        Canvas.CopyRect(ClientRect(), *m_parent->m_surface->Canvas(),
                        Bounds(Left() + inset, Top() + inset, ClientWidth(), ClientHeight()));
        // Windows of the same parent below this one show through it as well: each has its own
        // picture, which the parent's does not hold.
        for (TControl* c : m_parent->m_controls) {
            if (c == this)
                break;
            auto* win = Windowed(c);
            if (!win || !win->Visible() || IntersectRect(win->BoundsRect(), BoundsRect()).IsEmpty())
                continue;
            const int winInset = win->ClientInset();
            win->PaintTo(Canvas, win->Left() + winInset - (Left() + inset),
                         win->Top() + winInset - (Top() + inset));
        }
        return;
    }
    Canvas.Brush()->Assign(m_brush.get());
    Canvas.FillRect(ClientRect());
}

void TWinControl::PaintWindow(TCanvas&) {}

void TWinControl::PaintControls(TCanvas& Canvas) {
    for (TControl* c : m_controls)
        if (auto* g = As<TGraphicControl>(c); g && g->Visible())
            g->PaintOn(Canvas);
}

void TWinControl::PaintTo(TCanvas& Dest, int X, int Y) {
    HandleNeeded();
    PaintInvalid();
    TCanvasStateSaver saved(Dest);
    const int inset = ClientInset();
    if (inset > 0)
        PaintBorder(Dest, Bounds(X - inset, Y - inset, Width(), Height()));
    if (m_scrollBars)
        PaintScrollBars(Dest, X, Y);
    Dest.IntersectClipRect(Bounds(X, Y, ClientWidth(), ClientHeight()));
    const TRect clip = Dest.ClipRect();
    // A window's pixels cover what lies below it, and each windowed child covers its client
    // area with its own: this window's pixels are copied only around the children in the clip.
    std::vector<TWinControl*> shown;
    std::vector<TRect> own{clip}, rest;
    for (TControl* c : m_controls)
        if (auto* win = Windowed(c); win && win->Visible() && !win->ShownApart()) {
            const TRect outer = Bounds(X + win->Left(), Y + win->Top(), win->Width(), win->Height());
            if (IntersectRect(clip, outer).IsEmpty())
                continue;
            shown.push_back(win);
            const int childInset = win->ClientInset();
            const TRect covered = Bounds(outer.Left + childInset, outer.Top + childInset, win->ClientWidth(),
                                         win->ClientHeight());
            rest.clear();
            for (const TRect& r : own)
                subtractRect(r, covered, rest);
            own.swap(rest);
        }
    for (const TRect& r : own)
        Dest.CopyRect(r, *m_surface->Canvas(), Rect(r.Left - X, r.Top - Y, r.Right - X, r.Bottom - Y));
    for (TWinControl* win : shown) {
        const int childInset = win->ClientInset();
        win->PaintTo(Dest, X + win->Left() + childInset, Y + win->Top() + childInset);
    }
}

void TWinControl::ColorChanged() {
    m_brush->SetColor(Color());
    TControl::ColorChanged();
    NotifyControls(CM_PARENTCOLORCHANGED);
}

void TWinControl::FontChanged() {
    TControl::FontChanged();
    NotifyControls(CM_PARENTFONTCHANGED);
}

void TWinControl::NotifyControls(std::uint32_t Msg) {
    // A handler may add or remove controls; walk a copy and skip any that left.
    std::vector<TControl*> children = m_controls;
    for (TControl* c : children)
        if (std::find(m_controls.begin(), m_controls.end(), c) != m_controls.end())
            c->Perform(Msg);
}

void TWinControl::Notification(TComponent* AComponent, TOperation Operation) {
    TControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_focused)
        m_focused = nullptr;
}

void TWinControl::DoDropFiles(const std::vector<std::string>& Files, TPoint At) {
    if (OnDropFiles)
        OnDropFiles(this, Files, At);
}

void TWinControl::WndProc(TMessage& Message) {
    if (ScrollBarMessage(Message))
        return;
    if (Message.Msg == WM_DROPFILES) {
        const auto drop = static_cast<HDROP>(Message.WParam);
        std::vector<std::string> files(DragQueryFile(drop, 0xFFFFFFFFu, nullptr));
        for (unsigned i = 0; i < files.size(); ++i)
            DragQueryFile(drop, i, &files[i]);
        TPoint at;
        if (DragQueryPoint(drop, at) && !files.empty())
            DoDropFiles(files, at);
        return;
    }
    // Mouse input over a graphic child goes to that child, in its own coordinates.
    if (Message.Msg >= WM_MOUSEMOVE && Message.Msg <= WM_MBUTTONUP) {
        TPoint p{LParamX(Message.LParam), LParamY(Message.LParam)};
        if (TControl* child = ControlAtPos(p, false, false)) {
            Message.Result = child->Perform(Message.Msg, Message.WParam,
                                            MakeLParam(p.X - child->Left(), p.Y - child->Top()));
            return;
        }
        if (Message.Msg == WM_LBUTTONDOWN && m_parent && CanFocus() && m_tabStop && !m_mouseNoActivate)
            SetFocus();
    }
    TControl::WndProc(Message);
}

void TWinControl::WMKey(TMessage& Message) {
    const TShiftState shift = static_cast<TShiftState>(Message.LParam);
    if (Message.Msg == WM_CHAR) {
        char32_t key = Message.WParam;
        KeyPress(key);
        Message.Result = key == 0 ? 1 : 0;
        return;
    }
    std::uint16_t key = static_cast<std::uint16_t>(Message.WParam);
    if (Message.Msg == WM_KEYDOWN)
        KeyDown(key, shift);
    else
        KeyUp(key, shift);
    Message.Result = key == 0 ? 1 : 0;
}

void TWinControl::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    if (OnKeyDown)
        OnKeyDown(this, Key, Shift);
}

void TWinControl::KeyUp(std::uint16_t& Key, TShiftState Shift) {
    if (OnKeyUp)
        OnKeyUp(this, Key, Shift);
}

void TWinControl::KeyPress(char32_t& Key) {
    if (OnKeyPress)
        OnKeyPress(this, Key);
}

void TWinControl::Realign() {
    TRect r = ClientRect();
    r.Left += m_padding->Left();
    r.Top += m_padding->Top();
    r.Right = std::max(r.Left, r.Right - m_padding->Right());
    r.Bottom = std::max(r.Top, r.Bottom - m_padding->Bottom());
    AlignControls(r);
}

void TWinControl::AlignControls(TRect& R) {
    if (m_aligning)
        return;
    m_aligning = true;
    // Top and bottom first, then left and right, then the client, each in list order.
    for (TAlign pass : {alTop, alBottom, alLeft, alRight, alClient})
        for (TControl* c : m_controls) {
            if (c->Align() != pass || !c->Visible())
                continue;
            switch (pass) {
            case alTop:
                c->SetBounds(R.Left, R.Top, R.Width(), c->Height());
                R.Top += c->Height();
                break;
            case alBottom:
                c->SetBounds(R.Left, R.Bottom - c->Height(), R.Width(), c->Height());
                R.Bottom -= c->Height();
                break;
            case alLeft:
                c->SetBounds(R.Left, R.Top, c->Width(), R.Height());
                R.Left += c->Width();
                break;
            case alRight:
                c->SetBounds(R.Right - c->Width(), R.Top, c->Width(), R.Height());
                R.Right -= c->Width();
                break;
            default:
                c->SetBounds(R.Left, R.Top, R.Width(), R.Height());
                break;
            }
        }
    m_aligning = false;
}

void TWinControl::ChangeScale(int M, int D) {
    if (M == D || D == 0)
        return;
    m_aligning = true;  // scale every child first, then lay out once
    for (TControl* c : std::vector<TControl*>(m_controls))
        c->ChangeScale(M, D);
    TControl::ChangeScale(M, D);
    m_aligning = false;
    for (TControl* c : m_controls)
        c->UpdateAnchorRules();
    Realign();
}

// --- docking ---------------------------------------------------------------------------------

namespace {
// The control a dock drag carries onto Site, or null when the drag is not one Site can take.
TControl* dockedControl(const TWinControl* Site, TObject* Source) {
    const TDragObject* drag = CurrentDragObject();
    if (!Site->DockSite() || !drag || !drag->Control() || drag->Control()->DragKind() != dkDock)
        return nullptr;
    TControl* control = drag->Control();
    if (Source != control && Source != drag)
        return nullptr;
    if (auto* win = As<TWinControl>(control); win && win->ContainsControl(Site))
        return nullptr;  // a control cannot be docked inside itself
    return control;
}
}  // namespace

void TWinControl::DragOver(TObject* Source, int X, int Y, TDragState State, bool& Accept) {
    if (dockedControl(this, Source)) {
        Accept = true;
        if (OnDockOver)
            OnDockOver(this, Source, X, Y, State, Accept);
        return;
    }
    TControl::DragOver(Source, X, Y, State, Accept);
}

// The docked control becomes a child where it was dropped, keeping the spot the pointer held.
void TWinControl::DragDrop(TObject* Source, int X, int Y) {
    if (TControl* control = dockedControl(this, Source)) {
        if (TWinControl* from = control->Parent(); from && from != this && from->OnUnDock) {
            bool allow = true;
            from->OnUnDock(from, control, this, allow);
            if (!allow)
                return;
        }
        const TPoint grab = CurrentDragObject()->GrabOffset();
        control->SetParent(this);
        control->SetBounds(std::max(X - grab.X, 0), std::max(Y - grab.Y, 0), control->Width(),
                           control->Height());
        if (OnDockDrop)
            OnDockDrop(this, Source, X, Y);
        return;
    }
    TControl::DragDrop(Source, X, Y);
}

// --- TCustomControl ---------------------------------------------------------------------------

const TClassInfo& TCustomControl::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TCustomControl, TWinControl>("TCustomControl");
    return info;
}

TCustomControl::TCustomControl(TComponent* AOwner) : TWinControl(AOwner) {}

TCanvas* TCustomControl::Canvas() {
    HandleNeeded();
    return Surface()->Canvas();
}

void TCustomControl::CreateWnd() {
    TWinControl::CreateWnd();
    Surface()->Canvas()->Font()->Assign(Font());
}

void TCustomControl::FontChanged() {
    if (Surface())
        Surface()->Canvas()->Font()->Assign(Font());
    TWinControl::FontChanged();
}

void TCustomControl::PaintWindow(TCanvas& Canvas) {
    Canvas.Font()->Assign(Font());
    Canvas.Brush()->Assign(Brush());
    Paint();
}

void TWinControl::GetChildren(std::vector<TComponent*>& Children, const TComponent* Root) const {
    for (TControl* c : m_controls)
        if (c->Owner() == Root)
            Children.push_back(c);
}

}  // namespace framework
