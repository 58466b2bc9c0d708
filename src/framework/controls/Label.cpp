#include "framework/controls/Label.h"

#include "framework/controls/DrawText.h"

namespace framework {

const TClassInfo& TCustomLabel::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomLabel, TGraphicControl>("TCustomLabel")
            .String<TCustomLabel>("Caption", &TCustomLabel::Caption, &TCustomLabel::SetCaption)
            .Bool<TCustomLabel>("AutoSize", &TCustomLabel::AutoSize, &TCustomLabel::SetAutoSize, true)
            .Enum<TCustomLabel>("Alignment", {"taLeftJustify", "taRightJustify", "taCenter"},
                                &TCustomLabel::Alignment, &TCustomLabel::SetAlignment, taLeftJustify)
            .Enum<TCustomLabel>("Layout", {"tlTop", "tlCenter", "tlBottom"}, &TCustomLabel::Layout,
                                &TCustomLabel::SetLayout, tlTop)
            .Bool<TCustomLabel>("Transparent", &TCustomLabel::Transparent, &TCustomLabel::SetTransparent,
                                false)
            .Bool<TCustomLabel>("WordWrap", &TCustomLabel::WordWrap, &TCustomLabel::SetWordWrap, false)
            .Bool<TCustomLabel>("ShowAccelChar", &TCustomLabel::ShowAccelChar,
                                &TCustomLabel::SetShowAccelChar, true)
            .Object<TCustomLabel, TWinControl>("FocusControl", &TCustomLabel::FocusControl,
                                               &TCustomLabel::SetFocusControl)
            .Message<TCustomLabel>(CM_DIALOGCHAR, &TCustomLabel::CMDialogChar);
    return info;
}

const TClassInfo& TLabel::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TLabel, TCustomLabel>("TLabel");
    return info;
}

TCustomLabel::TCustomLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    SetBounds(0, 0, 65, 17);
    SetParentColor(true);
}

std::uint32_t TCustomLabel::TextFormat() const {
    std::uint32_t format = m_wordWrap ? DT_WORDBREAK : 0;
    if (!m_showAccelChar)
        format |= DT_NOPREFIX;
    if (m_alignment == taCenter)
        format |= DT_CENTER;
    else if (m_alignment == taRightJustify)
        format |= DT_RIGHT;
    return format;
}

void TCustomLabel::AdjustBounds() {
    if (!m_autoSize || HasState(csLoading | csDestroying))
        return;
    TRect r = Rect(0, 0, m_wordWrap ? Width() : 0, 0);
    std::string text = Caption();
    // An empty caption still takes the height of one line.
    DrawText(*Canvas(), text.empty() ? std::string_view(" ") : std::string_view(text), r,
             TextFormat() | DT_CALCRECT);
    int left = Left();
    if (m_alignment == taRightJustify && !m_wordWrap)
        left += Width() - r.Width();
    SetBounds(left, Top(), r.Width(), r.Height());
}

void TCustomLabel::Paint() {
    TCanvas& canvas = *Canvas();
    TRect r = ClientRect();
    if (!m_transparent) {
        canvas.Brush()->SetColor(Color());
        canvas.Brush()->SetStyle(bsSolid);
        canvas.FillRect(r);
    }
    canvas.Brush()->SetStyle(bsClear);
    std::uint32_t format = TextFormat();
    if (m_layout != tlTop) {
        TRect calc = r;
        DrawText(canvas, Caption(), calc, format | DT_CALCRECT);
        const int offset =
            m_layout == tlCenter ? (r.Height() - calc.Height()) / 2 : r.Height() - calc.Height();
        r.Top += offset;
    }
    if (!Enabled()) {
        // Disabled text is embossed: a light copy one pixel down and right, the shadow on top.
        TRect shifted = r;
        shifted.Offset(1, 1);
        canvas.Font()->SetColor(clBtnHighlight);
        DrawText(canvas, Caption(), shifted, format);
        canvas.Font()->SetColor(clBtnShadow);
    }
    DrawText(canvas, Caption(), r, format);
}

void TCustomLabel::TextChanged() { AdjustBounds(); }
void TCustomLabel::FontChanged() {
    TGraphicControl::FontChanged();
    AdjustBounds();
}
void TCustomLabel::Loaded() {
    TGraphicControl::Loaded();
    AdjustBounds();
}

void TCustomLabel::SetAutoSize(bool Value) {
    if (m_autoSize == Value)
        return;
    m_autoSize = Value;
    AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment Value) {
    if (m_alignment == Value)
        return;
    m_alignment = Value;
    Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout Value) {
    if (m_layout == Value)
        return;
    m_layout = Value;
    Invalidate();
}

void TCustomLabel::SetTransparent(bool Value) {
    if (m_transparent == Value)
        return;
    m_transparent = Value;
    Invalidate();
}

void TCustomLabel::SetWordWrap(bool Value) {
    if (m_wordWrap == Value)
        return;
    m_wordWrap = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool Value) {
    if (m_showAccelChar == Value)
        return;
    m_showAccelChar = Value;
    AdjustBounds();
    Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* Value) {
    if (m_focusControl == Value)
        return;
    if (m_focusControl)
        m_focusControl->RemoveFreeNotification(this);
    m_focusControl = Value;
    if (Value)
        Value->FreeNotification(this);
}

void TCustomLabel::CMDialogChar(TMessage& Message) {
    if (m_focusControl && Enabled() && m_showAccelChar &&
        IsAccel(static_cast<char32_t>(Message.WParam), Caption()) && m_focusControl->CanFocus()) {
        m_focusControl->SetFocus();
        Message.Result = 1;
    }
}

void TCustomLabel::Notification(TComponent* AComponent, TOperation Operation) {
    TGraphicControl::Notification(AComponent, Operation);
    if (Operation == TOperation::opRemove && AComponent == m_focusControl)
        m_focusControl = nullptr;
}

}  // namespace framework
