#include "framework/controls/ComboBox.h"

#include "framework/controls/DrawText.h"
#include "framework/controls/DropDownList.h"
#include "framework/controls/Panel.h"
#include "framework/rtl/Unicode.h"

#include <algorithm>
#include <cctype>

namespace framework {

const TClassInfo& TCustomComboBox::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomComboBox, TCustomControl>("TCustomComboBox")
            .Enum<TCustomComboBox>(
                "Style", {"csDropDown", "csDropDownList", "csOwnerDrawFixed", "csOwnerDrawVariable"},
                &TCustomComboBox::Style, &TCustomComboBox::SetStyle, csDropDown)
            .Object<TCustomComboBox, TStrings>("Items", &TCustomComboBox::Items, &TCustomComboBox::SetItems)
            .Integer<TCustomComboBox>("ItemIndex", &TCustomComboBox::ItemIndex,
                                      &TCustomComboBox::SetItemIndex, -1)
            .Integer<TCustomComboBox>("ItemHeight", &TCustomComboBox::ItemHeight,
                                      &TCustomComboBox::SetItemHeight, 16)
            .Integer<TCustomComboBox>("DropDownCount", &TCustomComboBox::DropDownCount,
                                      &TCustomComboBox::SetDropDownCount, 8)
            .String<TCustomComboBox>("Text", &TCustomComboBox::Text, &TCustomComboBox::SetText)
            .Event<TCustomComboBox>("OnChange", &TCustomComboBox::OnChange)
            .Event<TCustomComboBox>("OnSelect", &TCustomComboBox::OnSelect)
            .Event<TCustomComboBox>("OnDropDown", &TCustomComboBox::OnDropDown)
            .Event<TCustomComboBox>("OnCloseUp", &TCustomComboBox::OnCloseUp)
            .Event<TCustomComboBox>("OnDrawItem", &TCustomComboBox::OnDrawItem)
            .Event<TCustomComboBox>("OnMeasureItem", &TCustomComboBox::OnMeasureItem);
    return info;
}

void TCustomComboBox::Loaded() {
    TCustomControl::Loaded();
    ApplyLoadedItemIndex();
}

const TClassInfo& TComboBox::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TComboBox, TCustomComboBox>("TComboBox");
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner)
    : TCustomControl(AOwner), m_items(Create<TStringList>()) {
    m_items->OnChange = TNotifyEvent::Of<&TCustomComboBox::ItemsChange>(this);
    SetTabStop(true);
    SetColor(clWindow);
    SetBounds(0, 0, 145, 0);
}

TCustomComboBox::~TCustomComboBox() { m_items->OnChange = nullptr; }

void TCustomComboBox::SetBounds(int ALeft, int ATop, int AWidth, int /*AHeight*/) {
    // The field is as high as one entry plus its frame, whatever is asked.
    TCustomControl::SetBounds(ALeft, ATop, AWidth, m_itemHeight + 2 + 2 * ClientInset());
}

TCanvas* TCustomComboBox::Canvas() { return m_itemCanvas ? m_itemCanvas : TCustomControl::Canvas(); }

void TCustomComboBox::ItemsChange(TObject*) {
    if (m_itemIndex >= m_items->Count())
        m_itemIndex = -1;
    if (m_style != csDropDown)
        m_text = m_itemIndex >= 0 ? m_items->Strings(m_itemIndex) : std::string();
    if (m_list)
        m_list->SetHot(m_list->Hot());
    Invalidate();
    ApplyLoadedItemIndex();
}

void TCustomComboBox::ApplyLoadedItemIndex() {
    if (m_loadedItemIndex && !HasState(csLoading) && *m_loadedItemIndex < m_items->Count())
        SetItemIndex(*m_loadedItemIndex);
}

void TCustomComboBox::Clear() {
    SetDroppedDown(false);
    m_items->Clear();
    m_itemIndex = -1;
    SetText("");
}

void TCustomComboBox::SetItemIndex(int Value) {
    if (HasState(csLoading) && Value >= m_items->Count()) {
        m_loadedItemIndex = Value;
        return;
    }
    m_loadedItemIndex.reset();
    if (Value < -1 || Value >= m_items->Count())
        Value = -1;
    if (Value == m_itemIndex)
        return;
    m_itemIndex = Value;
    // The field shows the selected item; with nothing selected a list style shows nothing,
    // while a typed text stays.
    if (Value >= 0)
        m_text = m_items->Strings(Value);
    else if (m_style != csDropDown)
        m_text.clear();
    if (m_list)
        m_list->SetHot(Value);
    Invalidate();
}

// Setting the text selects the item of that text; the list styles show only item texts.
void TCustomComboBox::TextChanged() {
    m_itemIndex = m_text.empty() ? -1 : m_items->IndexOf(m_text);
    if (m_itemIndex >= 0)
        m_text = m_items->Strings(m_itemIndex);  // the item's own spelling
    else if (m_style != csDropDown)
        m_text.clear();
}

void TCustomComboBox::SetStyle(TComboBoxStyle Value) {
    if (Value == m_style)
        return;
    SetDroppedDown(false);
    m_style = Value;
    if (m_style != csDropDown && m_itemIndex < 0)
        m_text.clear();
    m_heights.clear();
    RecreateWnd();
    Invalidate();
}

void TCustomComboBox::SetItemHeight(int Value) {
    if (Value <= 0 || Value == m_itemHeight)
        return;
    m_itemHeight = Value;
    m_heights.clear();
    SetBounds(Left(), Top(), Width(), Height());
}

int TCustomComboBox::EntryHeight(int Index) {
    if (m_style != csOwnerDrawVariable)
        return m_itemHeight;
    if (m_heights.size() != static_cast<std::size_t>(m_items->Count())) {
        m_heights.assign(static_cast<std::size_t>(m_items->Count()), 0);
        for (int i = 0; i < m_items->Count(); ++i) {
            int h = m_itemHeight;
            MeasureItem(i, h);
            m_heights[static_cast<std::size_t>(i)] = std::max(h, 1);
        }
    }
    return Index >= 0 && Index < static_cast<int>(m_heights.size())
               ? m_heights[static_cast<std::size_t>(Index)]
               : m_itemHeight;
}

bool TCustomComboBox::DroppedDown() const { return m_list && m_list->Parent(); }

void TCustomComboBox::SetDroppedDown(bool Value) {
    if (Value == DroppedDown())
        return;
    if (!Value) {
        if (m_list->HandleAllocated() && GetCapture() == m_list->Handle())
            ReleaseCapture();
        m_list->SetParent(nullptr);
        Invalidate();
        CloseUp();
        return;
    }
    TWinControl* top = Parent();
    if (!top)
        return;  // a combo on no window has nowhere to show its list
    while (top->Parent())
        top = top->Parent();
    HandleNeeded();  // some combos fill their entries when their window is made
    DropDown();      // the handler may still fill the list
    if (!m_list) {
        m_list = Create<TDropDownList>(this, static_cast<TDropDownSource*>(this));
        m_list->FreeNotification(this);
    }
    m_heights.clear();
    const int count = m_items->Count();
    int height = 0;
    for (int i = 0; i < std::min(count, m_dropDownCount); ++i)
        height += EntryHeight(i);
    height = std::max(height, m_itemHeight) + 2 * m_list->ClientInset();
    const TPoint origin = ClientOrigin();
    const TPoint topOrigin = top->ClientOrigin();
    const int x = origin.X - ClientInset() - topOrigin.X;
    const int y = origin.Y - ClientInset() - topOrigin.Y;
    // On a desktop the list has a window of its own and may reach past this one's edges, kept
    // on the screen; on no desktop it stays on the window.
    TRect area;
    const bool apart = PopupWorkArea(*top, area);
    if (apart) {
        m_list->SetBoundsRect(
            PlacePopup(area, TPoint{Width(), height}, Bounds(x, y, Width(), Height()), false));
    } else {
        int listTop = y + Height();
        // Like the platform's list, it opens upwards when it does not fit below but does above.
        if (listTop + height > top->ClientHeight() && y - height >= 0)
            listTop = y - height;
        m_list->SetBounds(x, listTop, Width(), height);
    }
    m_list->SetShownApart(apart);
    m_list->SetColor(Color());
    m_list->SetFont(Font());
    m_list->SetParent(top);
    m_list->SetHot(-1);
    m_list->SetHot(m_itemIndex);
    // As a desktop's combo: the open list has the mouse, so a press anywhere else closes it,
    // and the combo has the keys, so Escape does.
    SetCapture(m_list->Handle());
    if (!Focused() && CanFocus())
        SetFocus();
    Invalidate();
}

void TCustomComboBox::Notification(TComponent* AComponent, TOperation Operation) {
    TCustomControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_list)
        m_list = nullptr;
}

void TCustomComboBox::Choose(int Index) {
    SetDroppedDown(false);
    if (Index < 0 || Index >= m_items->Count())
        return;
    if (Index != m_itemIndex) {
        SetItemIndex(Index);
        Click();
        Change();
    }
    Select();
}

void TCustomComboBox::Change() {
    if (OnChange)
        OnChange(this);
}

void TCustomComboBox::Select() {
    if (OnSelect)
        OnSelect(this);
}

void TCustomComboBox::DropDown() {
    if (OnDropDown)
        OnDropDown(this);
}

void TCustomComboBox::CloseUp() {
    if (OnCloseUp)
        OnCloseUp(this);
}

void TCustomComboBox::MeasureItem(int Index, int& Height) {
    if (OnMeasureItem)
        OnMeasureItem(this, Index, Height);
}

void TCustomComboBox::DrawItem(int Index, TRect Rect, TOwnerDrawState State) {
    if (OnDrawItem) {
        OnDrawItem(this, Index, Rect, State);
        return;
    }
    TCanvas& canvas = *Canvas();
    canvas.FillRect(Rect);
    if (Index >= 0 && Index < m_items->Count()) {
        Rect.Left += 2;
        DrawText(canvas, m_items->Strings(Index), Rect, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
}

// Like the platform before an owner-drawn entry: the control's font and colour, or the
// highlight colours for a selected entry.
void TCustomComboBox::PaintEntry(TCanvas& Target, int Index, TRect Rect, TOwnerDrawState State) {
    TCanvasStateSaver saved(Target);
    Target.Font()->Assign(Font());
    Target.Brush()->SetStyle(bsSolid);
    Target.Brush()->SetColor(Color());
    if (State & odSelected) {
        Target.Brush()->SetColor(clHighlight);
        Target.Font()->SetColor(clHighlightText);
    }
    TCanvas* previous = m_itemCanvas;
    m_itemCanvas = &Target;
    try {
        if (IsOwnerDraw())
            DrawItem(Index, Rect, State);
        else
            TCustomComboBox::DrawItem(Index, Rect, State);
    } catch (...) {
        m_itemCanvas = previous;
        throw;
    }
    m_itemCanvas = previous;
}

void TCustomComboBox::Paint() {
    TCanvas& canvas = *TCustomControl::Canvas();
    const int w = ClientWidth(), h = ClientHeight();
    const TRect field = Rect(1, 1, std::max(w - kButtonWidth - 1, 1), h - 1);
    const bool focused = Focused() && !DroppedDown();
    if (m_style == csDropDown) {
        SyncEdit();
        TEditColors colors;
        colors.Text = Enabled() ? Font()->Color() : clGrayText;
        if (focused && !TimerSet(Handle(), kEditCaretTimer))
            SetTimer(Handle(), kEditCaretTimer, kEditCaretBlinkTime);
        m_edit.Paint(EditCanvas(), colors, focused && m_caretOn && Enabled(), focused);
    } else if (m_itemIndex >= 0 || IsOwnerDraw()) {
        TOwnerDrawState state = odComboBoxEdit;
        if (focused)
            state |= odSelected | odFocused;
        if (m_itemIndex >= 0)
            PaintEntry(canvas, m_itemIndex, field, state);
        if (focused)
            DrawFocusRect(canvas, field);
    }
    // The button, raised, with its arrow.
    TRect button = Rect(w - kButtonWidth, 0, w, h);
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(button);
    TRect edge = button;
    Frame3D(canvas, edge, clBtnHighlight, cl3DDkShadow, 1);
    Frame3D(canvas, edge, cl3DLight, clBtnShadow, 1);
    const int cx = button.Left + kButtonWidth / 2, cy = h / 2 - 1;
    canvas.Brush()->SetColor(Enabled() ? clBtnText : clGrayText);
    for (int row = 0; row < 4; ++row)
        canvas.FillRect(Rect(cx - 3 + row, cy - 1 + row, cx + 4 - row, cy + row));
}

void TCustomComboBox::PaintBorder(TCanvas& Canvas, TRect Bounds) {
    Frame3D(Canvas, Bounds, clBtnShadow, clBtnHighlight, 1);
    Frame3D(Canvas, Bounds, cl3DDkShadow, cl3DLight, 1);
}

void TCustomComboBox::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (m_style == csDropDown && X < ClientWidth() - kButtonWidth && !DroppedDown()) {
        SyncEdit();
        m_edit.MouseDown(Button, Shift, X, Y);
        return;
    }
    if (Button != mbLeft)
        return;
    // A typed combo opens from its button only; the list styles open anywhere.
    if (m_style != csDropDown || X >= ClientWidth() - kButtonWidth)
        SetDroppedDown(!DroppedDown());
}

void TCustomComboBox::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (m_edit.Dragging())
        m_edit.MouseMove(Shift, X, Y);
}

void TCustomComboBox::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    m_edit.MouseUp(Button, X, Y);
}

void TCustomComboBox::DoEnter() {
    TCustomControl::DoEnter();
    if (m_style == csDropDown) {
        // Coming to the field, its text is selected, ready to be typed over.
        SyncEdit();
        m_edit.SelectAll();
    }
}

void TCustomComboBox::DoExit() {
    SetDroppedDown(false);
    KillTimer(Handle(), kEditCaretTimer);
    Invalidate();
    TCustomControl::DoExit();
}

void TCustomComboBox::FontChanged() {
    TCustomControl::FontChanged();
    m_canvasFontSet = false;
    m_edit.FontChanged();
}

void TCustomComboBox::WndProc(TMessage& Message) {
    if (Message.Msg == WM_TIMER && Message.WParam == kEditCaretTimer) {
        m_caretOn = !m_caretOn;
        Invalidate();
        return;
    }
    if (m_style == csDropDown) {
        switch (Message.Msg) {
        case WM_CUT:
            SyncEdit();
            m_edit.Cut();
            return;
        case WM_COPY:
            SyncEdit();
            m_edit.Copy();
            return;
        case WM_PASTE:
            SyncEdit();
            m_edit.Paste();
            return;
        case WM_IME_COMPOSITION: {
            const auto* text = static_cast<const std::string*>(PointerFromLParam(Message.LParam));
            SyncEdit();
            m_edit.SetComposition(text ? *text : std::string());
            return;
        }
        case CM_GETCARETRECT:
            if (auto* rect = static_cast<TRect*>(const_cast<void*>(PointerFromLParam(Message.LParam)))) {
                SyncEdit();
                *rect = m_edit.CaretRect();
                Message.Result = 1;
            }
            return;
        default:
            break;
        }
    }
    TCustomControl::WndProc(Message);
}

// --- The typed field -------------------------------------------------------------------------

void TCustomComboBox::SyncEdit() {
    if (m_edit.Line(0) == m_text)
        return;
    m_syncing = true;
    m_edit.SetText(m_text);
    m_edit.SelectAll();  // as a chosen entry shows, ready to be typed over
    m_syncing = false;
}

TCanvas& TCustomComboBox::EditCanvas() {
    TCanvas& canvas = *TCustomControl::Canvas();
    if (!m_canvasFontSet) {
        canvas.Font()->Assign(Font());
        m_canvasFontSet = true;
    }
    return canvas;
}

TRect TCustomComboBox::EditViewRect() {
    return Rect(2, 1, std::max(ClientWidth() - kButtonWidth - 1, 3), std::max(ClientHeight() - 1, 2));
}

void TCustomComboBox::EditInvalidate() {
    m_caretOn = true;
    if (HandleAllocated() && Focused())
        SetTimer(Handle(), kEditCaretTimer, kEditCaretBlinkTime);
    Invalidate();
}

void TCustomComboBox::EditChanged() {
    if (m_syncing)
        return;
    // Typed text selects the item it names; the text stays as typed where it names none.
    const std::string text = m_edit.Line(0);
    SetText(text);
    m_text = text;
    Invalidate();
    Change();
}

void TCustomComboBox::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    const bool toggle = Key == VK_F4 || ((Shift & ssAlt) && (Key == VK_DOWN || Key == VK_UP));
    const int count = m_items->Count();
    if (DroppedDown()) {
        const int hot = m_list->Hot();
        switch (Key) {
        case VK_UP:
        case VK_DOWN:
            if (toggle)
                Choose(hot);
            else
                m_list->SetHot(hot < 0 ? 0 : hot + (Key == VK_UP ? -1 : 1));
            break;
        case VK_HOME:
            m_list->SetHot(0);
            break;
        case VK_END:
            m_list->SetHot(count - 1);
            break;
        case VK_PRIOR:
            m_list->SetHot(std::max(hot, 0) - m_list->PageSize() + 1);
            break;
        case VK_NEXT:
            m_list->SetHot(std::max(hot, 0) + m_list->PageSize() - 1);
            break;
        case VK_RETURN:
        case VK_F4:
            Choose(hot);
            break;
        case VK_ESCAPE:
            SetDroppedDown(false);
            break;
        default:
            return;
        }
        Key = 0;
        return;
    }
    if (toggle) {
        SetDroppedDown(true);
        Key = 0;
        return;
    }
    if (m_style == csDropDown && Key != VK_UP && Key != VK_DOWN) {
        SyncEdit();
        if (m_edit.KeyDown(Key, Shift))
            Key = 0;
        return;
    }
    if (count == 0)
        return;
    switch (Key) {
    case VK_UP:
        Choose(std::max(m_itemIndex - 1, 0));
        break;
    case VK_DOWN:
        Choose(std::min(m_itemIndex + 1, count - 1));
        break;
    case VK_HOME:
        Choose(0);
        break;
    case VK_END:
        Choose(count - 1);
        break;
    default:
        return;
    }
    Key = 0;
}

void TCustomComboBox::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == 0 || Key == U'\r' || Key == 27)
        return;
    if (m_style == csDropDown) {
        SyncEdit();
        if (m_edit.CharInput(Key))
            Key = 0;
        return;
    }
    // The list styles jump to the next entry that starts with the typed letter.
    const int count = m_items->Count();
    if (Key >= 128 || count == 0)
        return;
    const int letter = std::tolower(static_cast<int>(Key));
    const int current = DroppedDown() ? m_list->Hot() : m_itemIndex;
    for (int n = 1; n <= count; ++n) {
        const int i = (std::max(current, -1) + n + count) % count;
        const std::string s = m_items->Strings(i);
        if (!s.empty() && std::tolower(static_cast<unsigned char>(s[0])) == letter) {
            if (DroppedDown())
                m_list->SetHot(i);
            else
                Choose(i);
            break;
        }
    }
}

}  // namespace framework
