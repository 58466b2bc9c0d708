#include "framework/controls/Edits.h"

#include "framework/controls/DrawText.h"
#include "framework/controls/Panel.h"
#include "framework/rtl/Unicode.h"

#include <algorithm>

namespace framework {

const TClassInfo& TCustomEdit::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomEdit, TCustomControl>("TCustomEdit")
            .String<TCustomEdit>("Text", &TCustomEdit::Text, &TCustomEdit::SetText)
            .Integer<TCustomEdit>("PasswordChar", &TCustomEdit::PasswordChar, &TCustomEdit::SetPasswordChar,
                                  0)
            .Bool<TCustomEdit>("ReadOnly", &TCustomEdit::ReadOnly, &TCustomEdit::SetReadOnly, false)
            .Integer<TCustomEdit>("MaxLength", &TCustomEdit::MaxLength, &TCustomEdit::SetMaxLength, 0)
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
}

void TCustomEdit::SetPasswordChar(char Value) {
    if (m_passwordChar == Value)
        return;
    m_passwordChar = Value;
    Invalidate();
}

std::string TCustomEdit::DisplayText() const {
    const std::string text = Text();
    if (m_passwordChar == '\0')
        return text;
    return std::string(Utf8Length(text), m_passwordChar);
}

void TCustomEdit::PaintBorder(TCanvas& Canvas, TRect Bounds) {
    Frame3D(Canvas, Bounds, clBtnShadow, clBtnHighlight, 1);
    Frame3D(Canvas, Bounds, cl3DDkShadow, cl3DLight, 1);
}

void TCustomEdit::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(Font());
    if (!Enabled())
        canvas.Font()->SetColor(clGrayText);
    canvas.Brush()->SetStyle(bsClear);
    TRect r = ClientRect();
    r.Left += 1;
    DrawText(canvas, DisplayText(), r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TCustomEdit::KeyPress(char32_t& Key) {
    TCustomControl::KeyPress(Key);
    if (Key == 0 || m_readOnly)
        return;
    std::string text = Text();
    if (Key == VK_BACK) {
        // Remove the last character, whole.
        std::size_t cut = text.size();
        while (cut > 0 && (static_cast<unsigned char>(text[cut - 1]) & 0xC0) == 0x80)
            --cut;
        if (cut > 0)
            text.erase(cut - 1);
    } else if (Key >= 0x20 && Key != 0x7F) {
        if (m_maxLength > 0 && static_cast<int>(Utf8Length(text)) >= m_maxLength)
            return;
        Utf8Append(text, Key);
    } else {
        return;
    }
    SetText(text);
}

void TCustomEdit::TextChanged() { Change(); }

void TCustomEdit::Change() {
    if (OnChange)
        OnChange(this);
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

TCustomMemo::TCustomMemo(TComponent* AOwner) : TCustomEdit(AOwner), m_lines(new TStringList) {
    SetBounds(0, 0, 185, 89);
    m_lines->OnChange = TNotifyEvent::Of<&TCustomMemo::LinesChanged>(this);
}

TCustomMemo::~TCustomMemo() { m_lines->OnChange = nullptr; }

std::string TCustomMemo::GetText() const { return m_lines->Text(); }

void TCustomMemo::TextChanged() {
    // SetText stored the new text in m_text; the lines are the one copy that is kept.
    m_settingText = true;
    m_lines->SetText(m_text);
    m_settingText = false;
    m_text.clear();
    Change();
}

void TCustomMemo::LinesChanged(TObject*) {
    Invalidate();
    if (!m_settingText)
        Change();
}

void TCustomMemo::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(Font());
    if (!Enabled())
        canvas.Font()->SetColor(clGrayText);
    canvas.Brush()->SetStyle(bsClear);
    const int lineHeight = canvas.TextHeight("Wg");
    int y = 1;
    for (int i = m_topLine; i < m_lines->Count() && y < ClientHeight(); ++i, y += lineHeight)
        canvas.TextOut(1, y, m_lines->StringRef(i));
}

bool TCustomMemo::ScrollContent(int Bar, TScrollInfo& Info) {
    if (Bar != SB_VERT || !HandleAllocated())
        return false;  // lines are measured on the window's canvas
    const int page = std::max((ClientHeight() - 1) / std::max(Canvas()->TextHeight("Wg"), 1), 1);
    m_topLine = std::clamp(m_topLine, 0, std::max(m_lines->Count() - page, 0));
    Info.nMax = std::max(m_lines->Count() - 1, 0);
    Info.nPage = page;
    Info.nPos = m_topLine;
    return true;
}

void TCustomMemo::ScrollContentTo(int, int Pos) {
    m_topLine = Pos;
    Invalidate();
}

void TCustomMemo::KeyPress(char32_t& Key) {
    if (Key == VK_RETURN && !ReadOnly()) {
        m_lines->Add("");
        return;
    }
    if (m_lines->Count() == 0) {
        TCustomEdit::KeyPress(Key);
        return;
    }
    TCustomControl::KeyPress(Key);
    if (ReadOnly() || (Key != VK_BACK && (Key < 0x20 || Key == 0x7F)))
        return;
    // Typing goes to the end of the last line; a backspace on an empty last line removes it.
    const int last = m_lines->Count() - 1;
    std::string line = m_lines->Strings(last);
    if (Key == VK_BACK) {
        if (line.empty()) {
            m_lines->Delete(last);
            return;
        }
        std::size_t cut = line.size() - 1;
        while (cut > 0 && (static_cast<unsigned char>(line[cut]) & 0xC0) == 0x80)
            --cut;
        line.erase(cut);
    } else {
        Utf8Append(line, Key);
    }
    m_lines->Put(last, line);
}

}  // namespace framework
