#include "framework/controls/Control.h"

#include "framework/controls/Menus.h"
#include "framework/controls/WinControl.h"
#include "framework/graphics/ColorProp.h"
#include "framework/rtl/Exceptions.h"
#include "framework/rtl/StrUtils.h"

#include <algorithm>
#include <utility>

namespace framework {

namespace {
// The standard cursors by name, as form descriptions write them ("Cursor = crHandPoint").
constexpr std::pair<TCursor, std::string_view> kCursorNames[] = {{crDefault, "crDefault"},
                                                                 {crArrow, "crArrow"},
                                                                 {crCross, "crCross"},
                                                                 {crIBeam, "crIBeam"},
                                                                 {crSizeNWSE, "crSizeNWSE"},
                                                                 {crSizeNS, "crSizeNS"},
                                                                 {crSizeNESW, "crSizeNESW"},
                                                                 {crSizeWE, "crSizeWE"},
                                                                 {crHourGlass, "crHourGlass"},
                                                                 {crDrag, "crDrag"},
                                                                 {crNo, "crNo"},
                                                                 {crHandPoint, "crHandPoint"}};

bool identToCursor(std::string_view ident, std::int64_t& value) {
    for (const auto& [cursor, name] : kCursorNames)
        if (SameText(name, ident)) {
            value = cursor;
            return true;
        }
    return false;
}

bool cursorToIdent(std::int64_t value, std::string& ident) {
    for (const auto& [cursor, name] : kCursorNames)
        if (cursor == value) {
            ident = name;
            return true;
        }
    return false;
}

// A cursor property (Cursor, DragCursor), written by the cursor's name.
TPropInfo CursorProperty(std::string Name, TCursor (TControl::*Get)() const, void (TControl::*Set)(TCursor),
                         TCursor Default) {
    TPropInfo info;
    info.Name = Name;
    info.Kind = TTypeKind::tkInteger;
    info.Default = Default;
    info.IdentToInt = identToCursor;
    info.IntToIdent = cursorToIdent;
    info.Get = [Get](const TObject& obj) {
        return TValue(std::int64_t{(static_cast<const TControl&>(obj).*Get)()});
    };
    info.Set = [Set, Name](TObject& obj, const TValue& value) {
        TPropInfo desc;  // for the conversion and its messages
        desc.Name = Name;
        desc.IdentToInt = identToCursor;
        const std::int64_t v = CheckedInteger(desc, ValueToInteger(desc, value), true, sizeof(TCursor));
        (static_cast<TControl&>(obj).*Set)(static_cast<TCursor>(v));
    };
    return info;
}
}  // namespace

const TClassInfo& TControl::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TControl, TComponent>("TControl")
            .Integer<TControl>("Left", &TControl::Left, &TControl::SetLeft)
            .Integer<TControl>("Top", &TControl::Top, &TControl::SetTop)
            .Integer<TControl>("Width", &TControl::Width, &TControl::SetWidth)
            .Integer<TControl>("Height", &TControl::Height, &TControl::SetHeight)
            .Enum<TControl>("Align", {"alNone", "alTop", "alBottom", "alLeft", "alRight", "alClient"},
                            &TControl::Align, &TControl::SetAlign, alNone)
            .Bool<TControl>("Visible", &TControl::Visible, &TControl::SetVisible, true)
            .Bool<TControl>("Enabled", &TControl::Enabled, &TControl::SetEnabled, true)
            .Property(ColorProperty<TControl>("Color", &TControl::Color, &TControl::SetColor, clWindow))
            .StoredWhen([](const TObject& c) { return !static_cast<const TControl&>(c).ParentColor(); })
            .Bool<TControl>("ParentColor", &TControl::ParentColor, &TControl::SetParentColor)
            .Object<TControl, TFont>("Font", &TControl::Font, &TControl::SetFont)
            .StoredWhen([](const TObject& c) { return !static_cast<const TControl&>(c).ParentFont(); })
            .Bool<TControl>("ParentFont", &TControl::ParentFont, &TControl::SetParentFont, true)
            .String<TControl>("Hint", &TControl::Hint, &TControl::SetHint)
            .Bool<TControl>("ShowHint", &TControl::ShowHint, &TControl::SetShowHint, false)
            .StoredWhen([](const TObject& c) { return !static_cast<const TControl&>(c).ParentShowHint(); })
            .Bool<TControl>("ParentShowHint", &TControl::ParentShowHint, &TControl::SetParentShowHint, true)
            .Event<TControl>("OnClick", &TControl::OnClick)
            .Event<TControl>("OnDblClick", &TControl::OnDblClick)
            .Event<TControl>("OnResize", &TControl::OnResize)
            .Event<TControl>("OnMouseDown", &TControl::OnMouseDown)
            .Event<TControl>("OnMouseUp", &TControl::OnMouseUp)
            .Event<TControl>("OnMouseMove", &TControl::OnMouseMove)
            .Property(CursorProperty("Cursor", &TControl::Cursor, &TControl::SetCursor, crDefault))
            .SetOf<TControl>("Anchors", {"akLeft", "akTop", "akRight", "akBottom"}, &TControl::Anchors,
                             &TControl::SetAnchors, akLeft | akTop)
            .Object<TControl, TSizeConstraints>("Constraints", &TControl::Constraints,
                                                &TControl::SetConstraints)
            .Object<TControl, TPopupMenu>("PopupMenu", &TControl::PopupMenu, &TControl::SetPopupMenu)
            .Object<TControl, TTouchManager>("Touch", &TControl::Touch, &TControl::SetTouch)
            .Enum<TControl>("DragMode", {"dmManual", "dmAutomatic"}, &TControl::DragMode,
                            &TControl::SetDragMode, dmManual)
            .Enum<TControl>("DragKind", {"dkDrag", "dkDock"}, &TControl::DragKind, &TControl::SetDragKind,
                            dkDrag)
            .Property(CursorProperty("DragCursor", &TControl::DragCursor, &TControl::SetDragCursor, crDrag))
            .Event<TControl>("OnMouseEnter", &TControl::OnMouseEnter)
            .Event<TControl>("OnMouseLeave", &TControl::OnMouseLeave)
            .Event<TControl>("OnMouseActivate", &TControl::OnMouseActivate)
            .Event<TControl>("OnDragOver", &TControl::OnDragOver)
            .Event<TControl>("OnDragDrop", &TControl::OnDragDrop)
            .Event<TControl>("OnStartDrag", &TControl::OnStartDrag)
            .Event<TControl>("OnEndDrag", &TControl::OnEndDrag)
            .Event<TControl>("OnStartDock", &TControl::OnStartDock)
            .Event<TControl>("OnEndDock", &TControl::OnEndDock)
            .Message<TControl>(WM_CONTEXTMENU, &TControl::WMContextMenu)
            .Message<TControl>(CM_MOUSEENTER, &TControl::CMMouseEnter)
            .Message<TControl>(CM_MOUSELEAVE, &TControl::CMMouseLeave)
            .Message<TControl>(CM_PARENTFONTCHANGED, &TControl::CMParentFontChanged)
            .Message<TControl>(CM_PARENTCOLORCHANGED, &TControl::CMParentColorChanged)
            .Message<TControl>(WM_LBUTTONDOWN, &TControl::WMMouse)
            .Message<TControl>(WM_LBUTTONUP, &TControl::WMMouse)
            .Message<TControl>(WM_LBUTTONDBLCLK, &TControl::WMMouse)
            .Message<TControl>(WM_RBUTTONDOWN, &TControl::WMMouse)
            .Message<TControl>(WM_RBUTTONUP, &TControl::WMMouse)
            .Message<TControl>(WM_RBUTTONDBLCLK, &TControl::WMMouse)
            .Message<TControl>(WM_MBUTTONDOWN, &TControl::WMMouse)
            .Message<TControl>(WM_MBUTTONUP, &TControl::WMMouse)
            .Message<TControl>(WM_MOUSEMOVE, &TControl::WMMouse);
    return info;
}

TControl::TControl(TComponent* AOwner)
    : TComponent(AOwner), m_constraints(Create<TSizeConstraints>()), m_touch(Create<TTouchManager>()),
      m_font(Create<TFont>()) {
    m_font->OnChange = TNotifyEvent::Of<&TControl::FontChange>(this);
    m_constraints->OnChange = TNotifyEvent::Of<&TControl::ConstraintsChange>(this);
}

TControl::~TControl() {
    m_font->OnChange = nullptr;
    if (m_parent)
        m_parent->RemoveControl(this);
}

TComponent* TControl::GetParentComponent() const { return m_parent; }

void TControl::SetParentComponent(TComponent* Value) {
    if (!Value)
        return;
    auto* parent = As<TWinControl>(Value);
    if (!parent)
        throw EComponentError("A " + Value->ClassName() + " cannot hold the control " + Name());
    SetParent(parent);
}

void TControl::Loaded() {
    TComponent::Loaded();
    UpdateAnchorRules();
    // Properties read from a description may have been set before the parent was known.
    if (m_parent) {
        if (m_parentColor)
            Perform(CM_PARENTCOLORCHANGED);
        if (m_parentFont)
            Perform(CM_PARENTFONTCHANGED);
    }
}

void TControl::SetBounds(int ALeft, int ATop, int AWidth, int AHeight) {
    AWidth = m_constraints->ConstrainWidth(std::max(AWidth, 0));
    AHeight = m_constraints->ConstrainHeight(std::max(AHeight, 0));
    if (ALeft == m_left && ATop == m_top && AWidth == m_width && AHeight == m_height)
        return;

    const bool resized = AWidth != m_width || AHeight != m_height;
    if (m_parent && m_visible)
        m_parent->Invalidate();  // the old place must be repainted too
    m_left = ALeft;
    m_top = ATop;
    m_width = AWidth;
    m_height = AHeight;
    if (!m_anchorMove)  // anchoring starts again from bounds that anyone else sets
        UpdateAnchorRules();
    Invalidate();
    if (m_parent && m_align != alNone)
        m_parent->Realign();
    if (resized)
        Resize();
}

void TControl::SetClientWidth(int Value) { SetWidth(m_width - ClientWidth() + Value); }
void TControl::SetClientHeight(int Value) { SetHeight(m_height - ClientHeight() + Value); }

TPoint TControl::ClientOrigin() const {
    const int inset = ClientInset();
    if (!m_parent)
        return TPoint{inset, inset};
    TPoint parentOrigin = m_parent->ClientOrigin();
    return TPoint{parentOrigin.X + m_left + inset, parentOrigin.Y + m_top + inset};
}

TPoint TControl::ClientToScreen(TPoint P) const {
    TPoint o = ClientOrigin();
    return TPoint{P.X + o.X, P.Y + o.Y};
}

TPoint TControl::ScreenToClient(TPoint P) const {
    TPoint o = ClientOrigin();
    return TPoint{P.X - o.X, P.Y - o.Y};
}

void TControl::SetAlign(TAlign Value) {
    if (m_align == Value)
        return;
    m_align = Value;
    if (m_parent)
        m_parent->Realign();
}

void TControl::ConstraintsChange(TObject*) { SetBounds(m_left, m_top, m_width, m_height); }

void TControl::SetAnchors(TAnchors Value) {
    m_anchors = Value & (akLeft | akTop | akRight | akBottom);
    UpdateAnchorRules();
}

void TControl::UpdateAnchorRules() {
    m_anchorBase = BoundsRect();
    if (m_parent) {
        const TRect client = m_parent->ClientRect();
        m_anchorParentSize = TPoint{client.Width(), client.Height()};
    }
}

namespace {
// One axis of anchoring: the new start and length from the base ones.
void anchorAxis(bool Near, bool Far, int BaseStart, int BaseLength, int BaseParent, int Parent, int& Start,
                int& Length) {
    Start = BaseStart;
    Length = BaseLength;
    const int delta = Parent - BaseParent;
    if (Near && Far)
        Length = BaseLength + delta;
    else if (Far)
        Start = BaseStart + delta;
    else if (!Near && BaseParent > 0)
        Start = MulDiv(BaseStart + BaseLength / 2, Parent, BaseParent) - BaseLength / 2;
}
}  // namespace

void TControl::AnchorTo(int ParentWidth, int ParentHeight) {
    if (m_align != alNone || (m_anchors == (akLeft | akTop)))
        return;
    int left, width, top, height;
    anchorAxis(m_anchors & akLeft, m_anchors & akRight, m_anchorBase.Left, m_anchorBase.Width(),
               m_anchorParentSize.X, ParentWidth, left, width);
    anchorAxis(m_anchors & akTop, m_anchors & akBottom, m_anchorBase.Top, m_anchorBase.Height(),
               m_anchorParentSize.Y, ParentHeight, top, height);
    m_anchorMove = true;
    try {
        SetBounds(left, top, width, height);
    } catch (...) {
        m_anchorMove = false;
        throw;
    }
    m_anchorMove = false;
}

void TControl::SetPopupMenu(TPopupMenu* Value) { ReferenceComponent(this, m_popupMenu, Value); }

void TControl::Notification(TComponent* AComponent, TOperation Operation) {
    TComponent::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_popupMenu)
        m_popupMenu = nullptr;
}

void TControl::SetParent(TWinControl* AParent) {
    if (m_parent == AParent)
        return;
    if (AParent == this)
        throw EInvalidOperation("A control cannot have itself as its parent");
    if (m_parent)
        m_parent->RemoveControl(this);
    if (AParent)
        AParent->InsertControl(this);
}

bool TControl::ShowHint() const {
    // Followed up the chain at each call, so a parent's later change counts at once.
    const TControl* c = this;
    while (c->m_parentShowHint && c->m_parent)
        c = c->m_parent;
    return c->m_showHint;
}

void TControl::SetShowHint(bool Value) {
    m_showHint = Value;
    m_parentShowHint = false;
}

void TControl::SetVisible(bool Value) {
    if (m_visible == Value)
        return;
    m_visible = Value;
    Perform(CM_VISIBLECHANGED, Value ? 1 : 0);
    if (m_parent) {
        m_parent->Invalidate();
        if (m_align != alNone)
            m_parent->Realign();
    }
}

bool TControl::Showing() const {
    for (const TControl* c = this; c; c = c->m_parent)
        if (!c->m_visible)
            return false;
    return true;
}

void TControl::SetEnabled(bool Value) {
    if (m_enabled == Value)
        return;
    m_enabled = Value;
    Perform(CM_ENABLEDCHANGED);
    Invalidate();
}

void TControl::SetColor(TColor Value) {
    if (m_color != Value) {
        m_color = Value;
        ColorChanged();
    }
    m_parentColor = false;
}

void TControl::ColorChanged() {
    Perform(CM_COLORCHANGED);
    Invalidate();
}

void TControl::SetParentColor(bool Value) {
    if (m_parentColor == Value)
        return;
    m_parentColor = Value;
    if (m_parent && Value)
        Perform(CM_PARENTCOLORCHANGED);
}

void TControl::CMParentColorChanged(TMessage&) {
    if (m_parentColor && m_parent) {
        SetColor(m_parent->Color());
        m_parentColor = true;
    }
}

void TControl::SetParentFont(bool Value) {
    if (m_parentFont == Value)
        return;
    m_parentFont = Value;
    if (m_parent && Value)
        Perform(CM_PARENTFONTCHANGED);
}

void TControl::CMParentFontChanged(TMessage&) {
    if (m_parentFont && m_parent) {
        m_fontFromParent = true;
        m_font->Assign(m_parent->Font());
        m_fontFromParent = false;
    }
}

void TControl::FontChange(TObject*) {
    if (!m_fontFromParent)
        m_parentFont = false;
    FontChanged();
}

void TControl::FontChanged() {
    Perform(CM_FONTCHANGED);
    Invalidate();
}

void TControl::SetText(std::string_view Value) {
    if (TextEquals(Value))
        return;
    m_text.assign(Value);
    TextChanged();
    Perform(CM_TEXTCHANGED);
    Invalidate();
}

void TControl::Invalidate() {
    if (m_parent && m_visible)
        m_parent->Invalidate();
}

void TControl::Repaint() {
    if (m_parent && m_visible)
        m_parent->Repaint();
}

void TControl::Update() {
    if (m_parent)
        m_parent->Update();
}

std::intptr_t TControl::Perform(std::uint32_t Msg, std::uint32_t WParam, std::int32_t LParam) {
    TMessage m{Msg, WParam, LParam, 0};
    WndProc(m);
    return m.Result;
}

void TControl::WndProc(TMessage& Message) {
    // An automatic control starts a drag on the press instead of handling it.
    if ((Message.Msg == WM_LBUTTONDOWN || Message.Msg == WM_LBUTTONDBLCLK) && m_dragMode == dmAutomatic &&
        m_enabled) {
        BeginDrag(true);
        return;
    }
    Dispatch(Message);
}

void TControl::ChangeScale(int M, int D) {
    if (M == D || D == 0)
        return;
    auto scale = [M, D](int v) { return MulDiv(v, M, D); };
    SetBounds(scale(m_left), scale(m_top), scale(m_left + m_width) - scale(m_left),
              scale(m_top + m_height) - scale(m_top));
    if (!m_parentFont) {
        m_fontFromParent = true;  // scaling keeps the control's own font its own
        m_font->SetHeight(scale(m_font->Height()));
        m_fontFromParent = false;
        m_parentFont = false;
    }
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::Resize() {
    if (OnResize)
        OnResize(this);
}

void TControl::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseDown)
        OnMouseDown(this, Button, Shift, X, Y);
}

void TControl::MouseMove(TShiftState Shift, int X, int Y) {
    if (OnMouseMove)
        OnMouseMove(this, Shift, X, Y);
}

void TControl::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    if (OnMouseUp)
        OnMouseUp(this, Button, Shift, X, Y);
}

// Mouse messages carry the position in LParam and the shift state in WParam. A button going
// down and up again on a control is a click, as the classic controls see it.
void TControl::WMMouse(TMessage& Message) {
    const int x = LParamX(Message.LParam), y = LParamY(Message.LParam);
    const TShiftState shift = Message.WParam;
    switch (Message.Msg) {
    case WM_LBUTTONDOWN:
        MouseDown(mbLeft, shift | ssLeft, x, y);
        break;
    case WM_LBUTTONDBLCLK:
        if (m_controlStyle & csDoubleClicks)
            DblClick();
        MouseDown(mbLeft, shift | ssLeft | ssDouble, x, y);
        break;
    case WM_LBUTTONUP:
        MouseUp(mbLeft, shift, x, y);
        if ((m_controlStyle & csClickEvents) && Rect(0, 0, m_width, m_height).Contains(TPoint{x, y}))
            Click();
        break;
    case WM_RBUTTONDOWN:
        MouseDown(mbRight, shift | ssRight, x, y);
        break;
    case WM_RBUTTONDBLCLK:
        MouseDown(mbRight, shift | ssRight | ssDouble, x, y);
        break;
    case WM_RBUTTONUP: {
        MouseUp(mbRight, shift, x, y);
        const TPoint at = ClientToScreen(TPoint{x, y});
        Perform(WM_CONTEXTMENU, 0, MakeLParam(at.X, at.Y));
        break;
    }
    case WM_MBUTTONDOWN:
        MouseDown(mbMiddle, shift | ssMiddle, x, y);
        break;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        break;
    default:
        MouseMove(shift, x, y);
        break;
    }
}

// The control's own menu pops up; without one, the parent is asked.
void TControl::WMContextMenu(TMessage& Message) {
    if (m_popupMenu && m_popupMenu->AutoPopup()) {
        m_popupMenu->SetPopupComponent(this);
        m_popupMenu->Popup(LParamX(Message.LParam), LParamY(Message.LParam));
        Message.Result = 1;
        return;
    }
    if (m_parent)
        Message.Result = m_parent->Perform(WM_CONTEXTMENU, Message.WParam, Message.LParam);
}

void TControl::CMMouseEnter(TMessage&) {
    if (OnMouseEnter)
        OnMouseEnter(this);
}

void TControl::CMMouseLeave(TMessage&) {
    if (OnMouseLeave)
        OnMouseLeave(this);
}

TMouseActivate TControl::MouseActivate(TMouseButton Button, TShiftState Shift, int X, int Y, int HitTest) {
    TMouseActivate result = maDefault;
    if (OnMouseActivate)
        OnMouseActivate(this, Button, Shift, X, Y, HitTest, result);
    if (result == maDefault && m_parent) {
        const TPoint p = m_parent->ScreenToClient(ClientToScreen(TPoint{X, Y}));
        result = m_parent->MouseActivate(Button, Shift, p.X, p.Y, HitTest);
    }
    return result;
}

// --- TGraphicControl --------------------------------------------------------------------------

const TClassInfo& TGraphicControl::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TGraphicControl, TControl>("TGraphicControl");
    return info;
}

TGraphicControl::TGraphicControl(TComponent* AOwner) : TControl(AOwner) {
    m_measure.Canvas()->Font()->Assign(Font());
}

TCanvas* TGraphicControl::Canvas() { return m_paintCanvas ? m_paintCanvas : m_measure.Canvas(); }

void TGraphicControl::FontChanged() {
    m_measure.Canvas()->Font()->Assign(Font());
    TControl::FontChanged();
}

void TGraphicControl::PaintOn(TCanvas& ParentCanvas) {
    TCanvasStateSaver saved(ParentCanvas);
    ParentCanvas.IntersectClipRect(BoundsRect());
    const TPoint origin = ParentCanvas.Origin();
    ParentCanvas.SetOrigin(origin.X + Left(), origin.Y + Top());
    ParentCanvas.Font()->Assign(Font());
    ParentCanvas.Brush()->SetColor(Color());
    ParentCanvas.Brush()->SetStyle(bsSolid);
    m_paintCanvas = &ParentCanvas;
    try {
        Paint();
    } catch (...) {
        m_paintCanvas = nullptr;
        throw;
    }
    m_paintCanvas = nullptr;
}

}  // namespace framework
