#include "framework/forms/Hints.h"

#include "framework/controls/DrawText.h"
#include "framework/controls/DropDownList.h"
#include "framework/forms/Application.h"
#include "framework/rtl/Unicode.h"

#include <algorithm>

namespace framework {

std::string GetShortHint(std::string_view Hint) { return std::string(Hint.substr(0, Hint.find('|'))); }

std::string GetLongHint(std::string_view Hint) {
    const std::size_t bar = Hint.find('|');
    return std::string(bar == std::string_view::npos ? Hint : Hint.substr(bar + 1));
}

// --- the window ------------------------------------------------------------------------------

namespace {
// A line longer than this is cut: wrapped at any width a tooltip has, it fills a screen.
constexpr std::size_t kMaxLineBytes = 1024;
constexpr std::uint32_t kHintFormat = DT_LEFT | DT_NOPREFIX | DT_WORDBREAK;

// Text with at most MaxLines lines of at most kMaxLineBytes each, cut at whole characters and
// marked with an ellipsis where cut; ill-formed UTF-8 repaired.
std::string keptText(std::string_view Text, int MaxLines) {
    std::string kept;
    int lines = 0;
    std::size_t at = 0;
    while (at <= Text.size() && lines < MaxLines) {
        std::size_t end = Text.find('\n', at);
        if (end == std::string_view::npos)
            end = Text.size();
        std::string_view line = Text.substr(at, end - at);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (lines > 0)
            kept += '\n';
        if (line.size() > kMaxLineBytes) {
            std::size_t cut = kMaxLineBytes;
            while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
                --cut;
            kept.append(line.substr(0, cut));
            kept += "\u2026";
        } else {
            kept.append(line);
        }
        ++lines;
        at = end + 1;
    }
    return IsValidUtf8(kept) ? kept : Utf8Repair(kept);
}
}  // namespace

const TClassInfo& THintWindow::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<THintWindow, TCustomControl>("THintWindow");
    return info;
}

THintWindow::THintWindow(TComponent* AOwner) : TCustomControl(AOwner) {
    SetTabStop(false);
    SetVisible(false);
    SetParentFont(false);
    SetColor(clInfoBk);
    Font()->SetColor(clInfoText);
}

int THintWindow::PixelsPerInch() const {
    const TCustomForm* form = GetParentForm(this);
    return form ? form->PixelsPerInch() : Screen->PixelsPerInch();
}
int THintWindow::MarginX() const { return MulDiv(3, PixelsPerInch(), 96); }
int THintWindow::MarginY() const { return MulDiv(2, PixelsPerInch(), 96); }

TRect THintWindow::CalcHintRect(int MaxWidth, std::string_view AHint, int MaxHeight) {
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(Font());
    const int chrome = 2 * ClientInset();
    const int lineHeight = std::max(canvas.TextHeight("Wg"), 1);
    const int textWidth = std::max(MaxWidth - chrome - 2 * MarginX(), 1);
    const int textHeight = std::max(MaxHeight - chrome - 2 * MarginY(), lineHeight);
    // Lines past the bottom would never show; they are not laid out either.
    m_shown = keptText(AHint, textHeight / lineHeight + 1);
    TRect r = Rect(0, 0, textWidth, 0);
    DrawText(canvas, m_shown, r, kHintFormat | DT_CALCRECT);
    const int width = std::min(r.Width(), textWidth) + 2 * MarginX() + chrome;
    const int height = std::min(r.Height(), textHeight) + 2 * MarginY() + chrome;
    return Rect(0, 0, width, height);
}

void THintWindow::ActivateHint(TWinControl* Top, const TRect& Bounds) {
    // Last among the form's controls, so that it is painted over the others.
    if (Parent() == Top && Top->Controls(Top->ControlCount() - 1) != this)
        SetParent(nullptr);
    SetParent(Top);
    TRect area;
    m_apart = PopupWorkArea(*Top, area);
    SetBoundsRect(Bounds);
    Invalidate();
    Show();
}

void THintWindow::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Brush()->SetColor(Color());
    canvas.FillRect(ClientRect());
    canvas.Font()->Assign(Font());
    canvas.Brush()->SetStyle(bsClear);
    TRect r = ClientRect();
    r.Left += MarginX();
    r.Top += MarginY();
    r.Right -= MarginX();
    r.Bottom -= MarginY();
    DrawText(canvas, m_shown, r, kHintFormat);
}

void THintWindow::PaintBorder(TCanvas& Canvas, TRect Bounds) {
    TCanvasStateSaver saved(Canvas);
    Canvas.Brush()->SetColor(clInfoText);
    Canvas.FrameRect(Bounds);
}

void THintWindow::DescribeAccessible(TAccessible& A) const {
    TCustomControl::DescribeAccessible(A);
    A.Role = TAccessibleRole::ToolTip;
    A.Name = m_shown;
}

void THintWindow::WndProc(TMessage& Message) {
    if (Message.Msg == WM_TIMER && Message.WParam == kHintTimer) {
        Application->HintTimerExpired();
        return;
    }
    TCustomControl::WndProc(Message);
}

// --- the application's side ------------------------------------------------------------------

namespace {
// The control whose ShowHint decides for Control: itself, or the nearest parent with it set.
TControl* hintControlOf(TControl* Control) {
    TControl* c = Control;
    while (c && !c->ShowHint())
        c = c->Parent();
    return c;
}
// The hint that stands for Control: its own, else its nearest parent's that has one.
const std::string& hintOf(TControl* Control) {
    static const std::string none;
    for (TControl* c = Control; c; c = c->Parent())
        if (!c->Hint().empty())
            return c->Hint();
    return none;
}
// The tooltip stands this far below the pointer's hot spot: clear of a standard arrow.
constexpr int kCursorHeight = 20;
// Past this width the text wraps.
constexpr int kMaxHintWidth = 400;
}  // namespace

void TApplication::SetHint(const std::string& Value) {
    if (Value == m_hint)
        return;
    m_hint = Value;
    if (OnHint)
        OnHint(this);
}

void TApplication::SetShowHint(bool Value) {
    m_showHint = Value;
    if (!Value)
        CancelHint();
}

void TApplication::SetHintControl(TControl* Control) {
    if (Control == m_hintControl)
        return;
    if (m_hintControl)
        m_hintControl->RemoveFreeNotification(this);
    m_hintControl = Control;
    if (Control)
        Control->FreeNotification(this);
}

void TApplication::HideHint() {
    // A form that is being freed takes the window with it.
    if (!m_hintWindow || (m_hintWindow->Parent() && m_hintWindow->Parent()->HasState(csDestroying)))
        return;
    if (m_hintWindow->HandleAllocated())
        KillTimer(m_hintWindow->Handle(), THintWindow::kHintTimer);
    m_hintWindow->Hide();
}

void TApplication::CancelHint() {
    HideHint();
    SetHintControl(nullptr);
    m_hintText.clear();
    m_hintState = THintState::Idle;
}

THintWindow& TApplication::HintWindowOn(TCustomForm& Form) {
    if (!m_hintWindow) {
        m_hintWindow = Create<THintWindow>(this);
        m_hintWindow->FreeNotification(this);
    }
    // The window stands on the form of the control, hidden until its tooltip shows.
    m_hintWindow->SetParent(&Form);
    return *m_hintWindow;
}

void TApplication::StartHintTimer(int Pause) {
    if (TCustomForm* form = GetParentForm(m_hintControl))
        SetTimer(HintWindowOn(*form).Handle(), THintWindow::kHintTimer, static_cast<unsigned>(Pause));
}

void TApplication::HintMouseMessage(TControl* Control) {
    // The pointer on the tooltip itself: it makes way, as for the pointer leaving the control.
    if (Control && Control == m_hintWindow) {
        CancelHint();
        return;
    }
    SetHint(GetLongHint(hintOf(Control)));
    TControl* control = m_showHint ? hintControlOf(Control) : nullptr;
    std::string text = control ? GetShortHint(hintOf(control)) : std::string();
    // A control may change its hint as the pointer moves over its parts (a pager's tabs).
    if (control == m_hintControl && text == m_hintText)
        return;
    const bool wasShown = m_hintState == THintState::Shown;
    CancelHint();
    if (!control || text.empty())
        return;
    SetHintControl(control);
    m_hintText = std::move(text);
    m_hintState = THintState::Waiting;
    StartHintTimer(wasShown ? m_hintShortPause : m_hintPause);
}

void TApplication::HintTimerExpired() {
    if (m_hintState == THintState::Waiting) {
        TPoint cursor;
        GetCursorPos(cursor);
        ActivateHint(cursor);
    } else if (m_hintState == THintState::Shown) {
        // Shown long enough: gone until the pointer comes to another control.
        HideHint();
        m_hintState = THintState::Expired;
    }
}

void TApplication::ActivateHint(TPoint CursorPos) {
    TCustomForm* form = GetParentForm(m_hintControl);
    if (!form || !form->Showing() || m_hintText.empty()) {
        CancelHint();
        return;
    }
    THintWindow& window = HintWindowOn(*form);
    const int ppi = form->PixelsPerInch();
    TFont* font = window.Font();
    font->Assign(DefaultFont());
    font->SetHeight(MulDiv(DefaultFont()->Height(), ppi, 96));
    font->SetColor(clInfoText);
    window.SetColor(m_hintColor);
    // On a desktop the tooltip may reach past the form, kept on the screen's work area; on no
    // desktop it stays on the form.
    TRect area;
    if (!PopupWorkArea(*form, area))
        area = form->ClientRect();
    const TRect size = window.CalcHintRect(std::min(MulDiv(kMaxHintWidth, ppi, 96), area.Width()), m_hintText,
                                           area.Height());
    const TRect anchor =
        Rect(CursorPos.X, CursorPos.Y, CursorPos.X, CursorPos.Y + MulDiv(kCursorHeight, ppi, 96));
    window.ActivateHint(form, PlacePopup(area, TPoint{size.Width(), size.Height()}, anchor, false));
    m_hintState = THintState::Shown;
    SetTimer(window.Handle(), THintWindow::kHintTimer, static_cast<unsigned>(m_hintHidePause));
}

}  // namespace framework
