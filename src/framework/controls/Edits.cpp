#include "framework/controls/Edits.h"

#include "framework/controls/Button.h"
#include "framework/controls/EditText.h"
#include "framework/controls/Menus.h"
#include "framework/controls/Panel.h"
#include "framework/graphics/GraphicsObjects.h"
#include "framework/rtl/Unicode.h"

#include <algorithm>

namespace framework {

// A memo's lines as a string list, kept in the editing core itself: changing one line costs
// that line, whatever the length of the text.
class TCustomEdit::TMemoStrings : public TStrings {
public:
    explicit TMemoStrings(TCustomEdit& Edit) : m_edit(Edit) {}
    // A last line left empty is where the caret goes after the last break, not a line.
    int Count() const override {
        const TEditCore& core = m_edit.m_core;
        return core.LineCount() - (core.Line(core.LineCount() - 1).empty() ? 1 : 0);
    }
    std::string Strings(int Index) const override {
        check(Index, Count());
        return m_edit.m_core.Line(Index);
    }
    void Put(int Index, const std::string& S) override {
        check(Index, Count());
        m_edit.m_core.PutLine(Index, S);
    }
    void Insert(int Index, const std::string& S) override {
        check(Index, Count() + 1);
        m_edit.m_core.InsertLine(Index, S);
    }
    void Delete(int Index) override {
        check(Index, Count());
        m_edit.m_core.DeleteLine(Index);
    }
    void Clear() override { m_edit.m_core.SetText(""); }
    void SetText(std::string_view Value) override {
        BeginUpdate();
        m_edit.m_core.SetText(Value);
        EndUpdate();
    }
    bool Updating() const { return UpdateCount() > 0; }
    bool changedWhileUpdating = false;

protected:
    void SetUpdateState(bool Updating) override {
        if (!Updating && changedWhileUpdating) {
            changedWhileUpdating = false;
            m_edit.Change();
        }
    }

private:
    static void check(int Index, int Limit) {
        if (Index < 0 || Index >= Limit)
            IndexError(Index);
    }
    TCustomEdit& m_edit;
};

const TClassInfo& TCustomEdit::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomEdit, TCustomControl>("TCustomEdit")
            .String<TCustomEdit>("Text", &TCustomEdit::Text, &TCustomEdit::SetText)
            .Integer<TCustomEdit>("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar,
                                  0)
            .Bool<TCustomEdit>("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false)
            .Integer<TCustomEdit>("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0)
            .Bool<TCustomEdit>("HideSelection", &TCustomEdit::HideSelection, &TCustomEdit::SetHideSelection,
                               true)
            .Event<TCustomEdit>("OnChange", &TCustomEdit::OnChange);
    return info;
}

const TClassInfo& TEdit::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TEdit, TCustomEdit>("TEdit");
    return info;
}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TCustomControl(AOwner) {
    SetBounds(0, 0, 121, 21);
    SetTabStop(true);
    SetColor(clWindow);
    SetCursor(crIBeam);
}

TCustomEdit::~TCustomEdit() = default;

void TCustomEdit::SetHideSelection(bool Value) {
    m_hideSelection = Value;
    Invalidate();
}

void TCustomEdit::SetSelectionColor(TColor Value) {
    m_selectionColor = Value;
    Invalidate();
}

void TCustomEdit::SetSelectionTextColor(TColor Value) {
    m_selectionTextColor = Value;
    Invalidate();
}

std::string TCustomEdit::GetText() const {
    if (!m_core.MultiLine())
        return m_core.Line(0);
    // As a string list gives it: every line followed by a break.
    std::string text = m_core.Text();
    if (!m_core.Line(m_core.LineCount() - 1).empty())
        text.push_back('\n');
    return text;
}

bool TCustomEdit::TextEquals(std::string_view Value) const {
    return m_core.MultiLine() ? GetText() == Value : m_core.Line(0) == Value;
}

std::string_view TCustomEdit::TextView(std::string& Buffer) const {
    if (!m_core.MultiLine())
        return m_core.Line(0);
    return Buffer = GetText();
}

void TCustomEdit::TextChanged() {
    // SetText put the new text into m_text; the core keeps the one copy.
    const std::string text = std::move(m_text);
    m_text.clear();
    m_core.SetText(text);
}

void TCustomEdit::Change() {
    if (m_lines && m_lines->Updating()) {
        m_lines->changedWhileUpdating = true;
        return;
    }
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::MakeMultiLine() {
    if (m_lines)
        return;
    m_lines = std::make_unique<TMemoStrings>(*this);
    m_core.SetMultiLine(true);
}

TStrings* TCustomEdit::MultiLines() const { return m_lines.get(); }

std::string TCustomEdit::DisplayText() const {
    if (m_core.PasswordChar() == '\0')
        return GetText();
    return m_core.MaskedLine(0);
}

void TCustomEdit::SetSelStart(int Value) {
    const TEditPos at = m_core.PosOf(Value);
    m_core.Select(at, at);
}

int TCustomEdit::SelLength() const {
    return m_core.IndexOf(m_core.SelectionEnd()) - m_core.IndexOf(m_core.SelectionStart());
}

void TCustomEdit::SetSelLength(int Value) {
    const int start = SelStart();
    m_core.Select(m_core.PosOf(start), m_core.PosOf(start + std::max(Value, 0)));
}

// --- The core's side ---------------------------------------------------------------------

TCanvas& TCustomEdit::EditCanvas() {
    TCanvas& canvas = *Canvas();
    if (!m_canvasFontSet) {
        canvas.Font()->Assign(Font());
        m_canvasFontSet = true;
    }
    return canvas;
}

TRect TCustomEdit::EditViewRect() {
    const int right = std::max(ClientWidth() - 1 - ButtonsWidth(), 1);
    return m_core.MultiLine() ? Rect(1, 1, right, std::max(ClientHeight() - 1, 1))
                              : Rect(1, 0, right, ClientHeight());
}

void TCustomEdit::EditInvalidate() {
    RestartCaretBlink();
    Invalidate();
}

void TCustomEdit::RestartCaretBlink() {
    // Any move shows the caret at once and starts the blinking over.
    m_caretOn = true;
    if (HandleAllocated() && Focused())
        SetTimer(Handle(), kCaretTimer, kCaretBlinkTime);
}

void TCustomEdit::FontChanged() {
    TCustomControl::FontChanged();
    m_canvasFontSet = false;
    m_core.FontChanged();
}

void TCustomEdit::CreateWnd() {
    TCustomControl::CreateWnd();
    m_canvasFontSet = false;
    m_core.FontChanged();
}

void TCustomEdit::Resize() {
    TCustomControl::Resize();
    m_core.FontChanged();  // the view changed: scroll again where needed
}

// --- Painting ----------------------------------------------------------------------------

void TCustomEdit::PaintBorder(TCanvas& Canvas, TRect Bounds) {
    Frame3D(Canvas, Bounds, clBtnShadow, clBtnHighlight, 1);
    Frame3D(Canvas, Bounds, cl3DDkShadow, cl3DLight, 1);
}

void TCustomEdit::Paint() {
    TCanvas& canvas = EditCanvas();
    TEditColors colors;
    colors.Text = Enabled() ? Font()->Color() : clGrayText;
    colors.Highlight = m_selectionColor;
    colors.HighlightText = m_selectionTextColor;
    const bool focused = Focused() && Enabled();
    if (focused && !TimerSet(Handle(), kCaretTimer))
        SetTimer(Handle(), kCaretTimer, kCaretBlinkTime);  // focused before the window was made
    m_core.Paint(canvas, colors, focused && m_caretOn, focused || !m_hideSelection);
    canvas.Font()->SetColor(Font()->Color());
    if (m_spinButtons)
        PaintSpinButtons(canvas);
}

// --- Keys and characters -----------------------------------------------------------------

void TCustomEdit::KeyDown(std::uint16_t& Key, TShiftState Shift) {
    TCustomControl::KeyDown(Key, Shift);
    if (Key == 0)
        return;
    if (m_spinButtons && !(Shift & (ssCtrl | ssAlt)) &&
        (Key == VK_UP || Key == VK_DOWN || Key == VK_PRIOR || Key == VK_NEXT)) {
        if (!ReadOnly())
            Spin(Key == VK_UP ? 1 : Key == VK_DOWN ? -1 : Key == VK_PRIOR ? 10 : -10);
        Key = 0;
        return;
    }
    if (m_core.KeyDown(Key, Shift))
        Key = 0;
}

void TCustomEdit::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == 0)
        return;
    if (Key >= 0x20 && !AcceptChar(Key))
        return;
    if (m_core.CharInput(Key, m_charShift))
        Key = 0;
}

// --- Mouse -------------------------------------------------------------------------------

void TCustomEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseDown(Button, Shift, X, Y);
    if (m_spinButtons && Button == mbLeft) {
        if (SpinUpRect().Contains(TPoint{X, Y}) || SpinDownRect().Contains(TPoint{X, Y})) {
            StartSpin(SpinUpRect().Contains(TPoint{X, Y}) ? 1 : -1);
            return;
        }
    }
    if (X >= ClientWidth() - ButtonsWidth())
        return;  // a button of a descendant
    m_core.MouseDown(Button, Shift, X, Y);
}

void TCustomEdit::MouseMove(TShiftState Shift, int X, int Y) {
    TCustomControl::MouseMove(Shift, X, Y);
    if (!m_core.Dragging())
        return;
    m_core.MouseMove(Shift, X, Y);
    // Held beyond the edge, the view goes on scrolling without the mouse moving.
    if (m_core.DragBeyondView())
        SetTimer(Handle(), kDragTimer, 50);
    else
        KillTimer(Handle(), kDragTimer);
}

void TCustomEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomControl::MouseUp(Button, Shift, X, Y);
    if (Button == mbLeft && m_spinDirection != 0) {
        m_spinDirection = 0;
        KillTimer(Handle(), kSpinTimer);
        Invalidate();
        return;
    }
    m_core.MouseUp(Button, X, Y);
    KillTimer(Handle(), kDragTimer);
}

// --- Focus ---------------------------------------------------------------------------------

void TCustomEdit::DoEnter() {
    TCustomControl::DoEnter();
    RestartCaretBlink();
}

void TCustomEdit::DoExit() {
    KillTimer(Handle(), kCaretTimer);
    m_core.SetComposition("");
    if (m_spinButtons)
        SpinLeave();
    Invalidate();
    TCustomControl::DoExit();
}

// --- Messages ------------------------------------------------------------------------------

void TCustomEdit::WndProc(TMessage& Message) {
    switch (Message.Msg) {
    case CM_WANTSPECIALKEY:
        // A multi-line field takes Enter for a new line, before a dialog's default button.
        Message.Result = m_core.MultiLine() && Message.WParam == VK_RETURN ? 1 : 0;
        return;
    case WM_CHAR:
        m_charShift = static_cast<TShiftState>(Message.LParam);
        TCustomControl::WndProc(Message);
        m_charShift = 0;
        return;
    case WM_CUT:
        m_core.Cut();
        return;
    case WM_COPY:
        m_core.Copy();
        return;
    case WM_PASTE:
        m_core.Paste();
        return;
    case WM_CLEAR:
        m_core.DeleteSelection();
        return;
    case WM_UNDO:
    case EM_UNDO:
        Message.Result = m_core.Undo() ? 1 : 0;
        return;
    case EM_CANUNDO:
        Message.Result = m_core.CanUndo() ? 1 : 0;
        return;
    case EM_SETSEL: {
        // WParam the start, LParam the end; -1 as the start takes the selection away, -1 as
        // the end means the end of the text.
        const auto start = static_cast<std::int32_t>(Message.WParam);
        const std::int32_t end = Message.LParam;
        const int length = static_cast<int>(m_core.Length());
        if (start < 0) {
            m_core.Select(m_core.Caret(), m_core.Caret());
            return;
        }
        const int s = std::min(start, length), e = end < 0 ? length : std::min(end, length);
        m_core.Select(m_core.PosOf(s), m_core.PosOf(e));
        return;
    }
    case EM_GETSEL: {
        // Both ends in one answer, the start in the low half, as the classic one packs them.
        const int start = SelStart(), end = start + SelLength();
        Message.Result =
            static_cast<std::intptr_t>(MakeWParam(static_cast<std::uint16_t>(std::min(start, 0xFFFF)),
                                                  static_cast<std::uint16_t>(std::min(end, 0xFFFF))));
        return;
    }
    case WM_TIMER:
        if (Message.WParam == kCaretTimer) {
            m_caretOn = !m_caretOn;
            Invalidate();
        } else if (Message.WParam == kDragTimer) {
            m_core.DragTick();
            if (!m_core.DragBeyondView())
                KillTimer(Handle(), kDragTimer);
        } else if (Message.WParam == kSpinTimer && m_spinDirection != 0) {
            Spin(m_spinDirection);
            SetTimer(Handle(), kSpinTimer, 50);  // after the first pause, quickly
        }
        return;
    case WM_MOUSEWHEEL: {
        const int notches = static_cast<std::int16_t>(Message.WParam >> 16) / 120;
        if (m_spinButtons) {
            if (!ReadOnly() && notches != 0)
                Spin(notches);
            Message.Result = 1;
            return;
        }
        if (m_core.MultiLine()) {
            m_core.SetTopLine(m_core.TopLine() - notches * 3);
            Message.Result = 1;
            return;
        }
        break;
    }
    case WM_CONTEXTMENU:
        if (!PopupMenu()) {
            ShowEditMenu(LParamX(Message.LParam), LParamY(Message.LParam));
            Message.Result = 1;
            return;
        }
        break;
    case WM_IME_COMPOSITION: {
        const auto* text = static_cast<const std::string*>(PointerFromLParam(Message.LParam));
        if (!ReadOnly())
            m_core.SetComposition(text ? *text : std::string());
        return;
    }
    case CM_GETCARETRECT:
        if (auto* rect = static_cast<TRect*>(const_cast<void*>(PointerFromLParam(Message.LParam)))) {
            *rect = m_core.CaretRect();
            Message.Result = 1;
        }
        return;
    default:
        break;
    }
    TCustomControl::WndProc(Message);
}

// --- The context menu --------------------------------------------------------------------

void TCustomEdit::ShowEditMenu(int X, int Y) {
    if (!m_menu) {
        m_menu.reset(Create<TPopupMenu>(nullptr));
        const std::pair<const char*, TNotifyEvent> entries[] = {
            {"&Undo", TNotifyEvent::Of<&TCustomEdit::MenuUndo>(this)},
            {"-", {}},
            {"Cu&t", TNotifyEvent::Of<&TCustomEdit::MenuCut>(this)},
            {"&Copy", TNotifyEvent::Of<&TCustomEdit::MenuCopy>(this)},
            {"&Paste", TNotifyEvent::Of<&TCustomEdit::MenuPaste>(this)},
            {"&Delete", TNotifyEvent::Of<&TCustomEdit::MenuDelete>(this)},
            {"-", {}},
            {"Select &All", TNotifyEvent::Of<&TCustomEdit::MenuSelectAll>(this)},
        };
        for (const auto& [caption, handler] : entries) {
            auto* item = Create<TMenuItem>(m_menu.get());
            item->SetCaption(caption);
            item->OnClick = handler;
            m_menu->Items()->Add(item);
        }
    }
    // Each entry can be picked only when it would do something.
    const bool selection = m_core.HasSelection();
    const bool enabled[] = {m_core.CanUndo() && !ReadOnly(),
                            true,
                            m_core.CanCut(),
                            m_core.CanCopy(),
                            m_core.CanPaste(),
                            selection && !ReadOnly(),
                            true,
                            m_core.Length() > 0 && SelLength() < static_cast<int>(m_core.Length())};
    for (int i = 0; i < m_menu->Items()->Count(); ++i)
        m_menu->Items()->Items(i)->SetEnabled(enabled[i]);
    m_menu->SetPopupComponent(this);
    m_menu->Popup(X, Y);
}

// --- Spin buttons --------------------------------------------------------------------------

void TCustomEdit::SetSpinButtons(bool Value) {
    m_spinButtons = Value;
    Invalidate();
}

int TCustomEdit::SpinButtonWidth() const {
    return std::max(kSpinButtonWidth, MulDiv(kSpinButtonWidth, ClientHeight(), 17));
}

TRect TCustomEdit::SpinUpRect() const {
    return Rect(ClientWidth() - SpinButtonWidth(), 0, ClientWidth(), ClientHeight() / 2);
}

TRect TCustomEdit::SpinDownRect() const {
    return Rect(ClientWidth() - SpinButtonWidth(), ClientHeight() / 2, ClientWidth(), ClientHeight());
}

void TCustomEdit::StartSpin(int Direction) {
    if (ReadOnly() || !Enabled())
        return;
    m_spinDirection = Direction;
    Spin(Direction);
    // Held down, the button repeats after a pause.
    SetTimer(Handle(), kSpinTimer, 400);
    Invalidate();
}

void TCustomEdit::PaintSpinButtons(TCanvas& canvas) {
    const TRect up = SpinUpRect(), down = SpinDownRect();
    for (const TRect& r : {up, down}) {
        const bool pressed = (r == up && m_spinDirection > 0) || (r == down && m_spinDirection < 0);
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(pressed ? clBtnShadow : clBtnFace);
        canvas.FillRect(r);
        canvas.Brush()->SetColor(clBtnShadow);
        canvas.FrameRect(r);
    }
    canvas.Brush()->SetColor(Enabled() ? clBtnText : clGrayText);
    const int cx = ClientWidth() - SpinButtonWidth() / 2 - 1;
    for (int i = 0; i < 3; ++i) {
        canvas.FillRect(
            Rect(cx - i, up.Top + up.Height() / 2 - 1 + i, cx + i + 1, up.Top + up.Height() / 2 + i));
        canvas.FillRect(Rect(cx - i, down.Top + down.Height() / 2 + 1 - i, cx + i + 1,
                             down.Top + down.Height() / 2 + 2 - i));
    }
}

// --- Memo ----------------------------------------------------------------------------------

const TClassInfo& TCustomMemo::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomMemo, TCustomEdit>("TCustomMemo")
            .Object<TCustomMemo, TStrings>("Lines", &TCustomMemo::Lines, &TCustomMemo::SetLines);
    return info;
}

const TClassInfo& TMemo::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMemo, TCustomMemo>("TMemo");
    return info;
}

const TClassInfo& TCustomRichEdit::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TCustomRichEdit, TCustomMemo>("TCustomRichEdit");
    return info;
}

const TClassInfo& TRichEdit::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TRichEdit, TCustomRichEdit>("TRichEdit");
    return info;
}

bool TCustomEdit::ScrollContent(int Bar, TScrollInfo& Info) {
    if (Bar != SB_VERT || !m_core.MultiLine() || !HandleAllocated())
        return false;  // lines are measured on the window's canvas
    m_core.Settle();
    Info.nMax = std::max(m_core.LineCount() - 1, 0);
    Info.nPage = std::max(m_core.VisibleLines(), 1);
    Info.nPos = m_core.TopLine();
    return true;
}

void TCustomEdit::ScrollContentTo(int Bar, int Pos) {
    if (Bar != SB_VERT || !m_core.MultiLine())
        return;
    m_core.SetTopLine(Pos);
    Invalidate();
}

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner) {
    SetBounds(0, 0, 185, 89);
    MakeMultiLine();
}

}  // namespace framework
