#include "vendor/ElEdits.h"

#include "framework/controls/DrawText.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/IntConv.h"

#include <algorithm>
#include <charconv>

namespace vendor {

using namespace framework;

const TClassInfo& TCustomElEdit::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TCustomElEdit, TCustomEdit>("TCustomElEdit");
    return info;
}

const TClassInfo& TElEdit::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TElEdit, TCustomElEdit>("TElEdit");
    return info;
}

// --- TElMemo -------------------------------------------------------------------------------

const TClassInfo& TElMemo::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TElMemo, TCustomElEdit>("TElMemo").Object<TElMemo, TStrings>("Lines",
                                                                                        &TElMemo::Lines);
    return info;
}

TElMemo::TElMemo(TComponent* AOwner) : TCustomElEdit(AOwner) {
    SetBounds(0, 0, 185, 89);
    MakeMultiLine();
}

// --- Button edits --------------------------------------------------------------------------

const TClassInfo& TCustomElButtonEdit::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TCustomElButtonEdit, TCustomElEdit>("TCustomElButtonEdit");
    return info;
}

void TCustomElButtonEdit::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect button = Rect(ClientWidth() - kButtonWidth, 0, ClientWidth(), ClientHeight());
    canvas.IntersectClipRect(Rect(0, 0, button.Left, ClientHeight()));
    TCustomElEdit::Paint();
    canvas.ResetClip();
    canvas.Brush()->SetStyle(bsSolid);
    canvas.Brush()->SetColor(clBtnFace);
    canvas.FillRect(button);
    canvas.Brush()->SetColor(clBtnShadow);
    canvas.FrameRect(button);
    // Three dots: the browse glyph.
    canvas.Brush()->SetColor(clWindowText);
    const int y = button.Top + button.Height() / 2;
    for (int i = -1; i <= 1; ++i) {
        const int x = button.Left + button.Width() / 2 + i * 4;
        canvas.FillRect(Rect(x - 1, y - 1, x + 1, y + 1));
    }
}

const TClassInfo& TElFileNameEdit::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TElFileNameEdit, TCustomElButtonEdit>("TElFileNameEdit")
            .SetOf<TElFileNameEdit>(
                "Options",
                {"ofReadOnly", "ofOverwritePrompt", "ofHideReadOnly", "ofNoChangeDir", "ofShowHelp",
                 "ofNoValidate", "ofAllowMultiSelect", "ofExtensionDifferent", "ofPathMustExist",
                 "ofFileMustExist", "ofCreatePrompt"},
                &TElFileNameEdit::Options, &TElFileNameEdit::SetOptions, OpenOptionBit(ofHideReadOnly))
            .Object<TElFileNameEdit, TStrings>("Files", &TElFileNameEdit::Files)
            .String<TElFileNameEdit>("InitialDir", &TElFileNameEdit::InitialDir,
                                     &TElFileNameEdit::SetInitialDir);
    return info;
}

TElFileNameEdit::TElFileNameEdit(TComponent* AOwner)
    : TCustomElButtonEdit(AOwner), m_files(new TStringList) {}

TElFileNameEdit::~TElFileNameEdit() = default;

const TClassInfo& TElFolderNameEdit::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TElFolderNameEdit, TCustomElButtonEdit>("TElFolderNameEdit");
    return info;
}

// --- Spin edits ----------------------------------------------------------------------------

namespace {

// Digits, signs, and what a decimal number or exponent needs.
bool isNumberChar(char32_t Char, bool Float) {
    if ((Char >= '0' && Char <= '9') || Char == '-' || Char == '+')
        return true;
    return Float && (Char == '.' || Char == ',' || Char == 'e' || Char == 'E');
}

}  // namespace

const TClassInfo& TElSpinEdit::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TElSpinEdit, TCustomElEdit>("TElSpinEdit")
            .Integer<TElSpinEdit>("Value", &TElSpinEdit::Value, &TElSpinEdit::SetValue, 0)
            .Integer<TElSpinEdit>("MinValue", &TElSpinEdit::MinValue, &TElSpinEdit::SetMinValue, 0)
            .Integer<TElSpinEdit>("MaxValue", &TElSpinEdit::MaxValue, &TElSpinEdit::SetMaxValue, 100)
            .Integer<TElSpinEdit>("Increment", &TElSpinEdit::Increment, &TElSpinEdit::SetIncrement, 1);
    return info;
}

TElSpinEdit::TElSpinEdit(TComponent* AOwner) : TCustomElEdit(AOwner) {
    SetSpinButtons(true);
    SetText("0");
}

void TElSpinEdit::SetValue(int Value) {
    m_value = std::clamp(Value, m_min, m_max);
    // The digits IntToStr gives, made on the stack: mostly they are the text already.
    char digits[16];
    const char* end = std::to_chars(digits, digits + sizeof digits, m_value).ptr;
    SetText(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

void TElSpinEdit::SetRange(int Min, int Max) {
    m_min = std::min(Min, Max);
    m_max = std::max(Min, Max);
    SetValue(m_value);
}

void TElSpinEdit::Change() {
    // Text that is a number sets the value; other text stays as typed until it is one.
    int v = 0;
    if (TryStrToInt(Text(), v))
        m_value = std::clamp(v, m_min, m_max);
    TCustomElEdit::Change();
}

void TElSpinEdit::Spin(int Steps) {
    const long long next = static_cast<long long>(m_value) + static_cast<long long>(Steps) * m_increment;
    SetValue(static_cast<int>(std::clamp<long long>(next, m_min, m_max)));
    SelectAll();
}

void TElSpinEdit::SpinLeave() {
    int v = 0;
    if (!TryStrToInt(Text(), v) || v != m_value)
        SetValue(m_value);
}

bool TElSpinEdit::AcceptChar(char32_t Char) { return isNumberChar(Char, false); }

const TClassInfo& TElFloatSpinEdit::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TElFloatSpinEdit, TCustomElEdit>("TElFloatSpinEdit")
            .Float<TElFloatSpinEdit>("Value", &TElFloatSpinEdit::Value, &TElFloatSpinEdit::SetValue);
    return info;
}

TElFloatSpinEdit::TElFloatSpinEdit(TComponent* AOwner) : TCustomElEdit(AOwner) {
    SetSpinButtons(true);
    SetText("0");
}

void TElFloatSpinEdit::SetValue(double Value) {
    m_value = Value;
    SetText(FloatToStr(Value));
}

void TElFloatSpinEdit::Change() {
    double v = 0;
    if (TryStrToFloat(Text(), v))
        m_value = v;
    TCustomElEdit::Change();
}

void TElFloatSpinEdit::Spin(int Steps) {
    SetValue(m_value + Steps * m_increment);
    SelectAll();
}

void TElFloatSpinEdit::SpinLeave() {
    double v = 0;
    if (!TryStrToFloat(Text(), v))
        SetValue(m_value);
}

bool TElFloatSpinEdit::AcceptChar(char32_t Char) { return isNumberChar(Char, true); }

}  // namespace vendor
