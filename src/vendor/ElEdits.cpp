#include "vendor/ElEdits.h"

#include "framework/controls/DrawText.h"
#include "framework/rtl/Files.h"
#include "framework/rtl/FloatConv.h"
#include "framework/rtl/IntConv.h"
#include "framework/rtl/Paths.h"

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

TRect TCustomElButtonEdit::ButtonRect() const {
    return Rect(std::max(ClientWidth() - kButtonWidth, 0), 0, ClientWidth(), ClientHeight());
}

void TCustomElButtonEdit::MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) {
    // A press on the button is the button's; the text beside it takes the others.
    if (Button == mbLeft && Enabled() && ButtonRect().Contains(TPoint{X, Y}))
        m_buttonDown = true;
    else
        TCustomElEdit::MouseDown(Button, Shift, X, Y);
}

void TCustomElButtonEdit::MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) {
    TCustomElEdit::MouseUp(Button, Shift, X, Y);
    if (Button != mbLeft || !m_buttonDown)
        return;
    m_buttonDown = false;
    // A press that leaves the button before it is released does nothing, as with any button.
    if (ButtonRect().Contains(TPoint{X, Y}))
        ButtonClick();
}

void TCustomElButtonEdit::Paint() {
    TCanvas& canvas = *Canvas();
    const TRect button = ButtonRect();
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

TElFileNameEdit::TElFileNameEdit(TComponent* AOwner) : TCustomElButtonEdit(AOwner), m_files(new TStringList) {
    SetAcceptsDroppedFiles(true);
}

// A file dropped from the desktop is taken as if chosen with the browse button: the first one,
// or all of them where several may be chosen.
void TElFileNameEdit::DoDropFiles(const std::vector<std::string>& Dropped, TPoint At) {
    if (m_options & OpenOptionBit(ofAllowMultiSelect)) {
        m_files->Clear();
        for (const std::string& name : Dropped)
            m_files->Add(name);
    }
    SetText(Dropped.front());
    TCustomElButtonEdit::DoDropFiles(Dropped, At);
}

TElFileNameEdit::~TElFileNameEdit() = default;

void TElFileNameEdit::ButtonClick() {
    std::unique_ptr<TOpenDialog, TFreeDeleter> dialog(Create<TOpenDialog>(nullptr));
    dialog->SetOptions(m_options);
    const std::string text = Text();
    dialog->SetInitialDir(m_initialDir.empty() && !text.empty() ? ExtractFilePath(text) : m_initialDir);
    dialog->SetFileName(text);
    try {
        if (!dialog->Execute())
            return;
    } catch (const Exception& E) {
        // A button has no caller to hand the error to: the user is told, and the text stays.
        ShowMessage(E.Message());
        return;
    }
    if (m_options & OpenOptionBit(ofAllowMultiSelect))
        m_files->Assign(dialog->Files());
    SetText(dialog->FileName());
}

void TElFolderNameEdit::ButtonClick() {
    std::string folder = Text();
    try {
        if (!SelectDirectory(folder, 0, 0))
            return;
    } catch (const Exception& E) {
        ShowMessage(E.Message());
        return;
    }
    SetText(folder);
}

const TClassInfo& TElFolderNameEdit::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TElFolderNameEdit, TCustomElButtonEdit>("TElFolderNameEdit");
    return info;
}

TElFolderNameEdit::TElFolderNameEdit(TComponent* AOwner) : TCustomElButtonEdit(AOwner) {
    SetAcceptsDroppedFiles(true);
}

// A dropped folder is taken; of a dropped file, the folder it is in.
void TElFolderNameEdit::DoDropFiles(const std::vector<std::string>& Dropped, TPoint At) {
    const std::string& name = Dropped.front();
    SetText(DirectoryExists(name) ? name : ExtractFileDir(name));
    TCustomElButtonEdit::DoDropFiles(Dropped, At);
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
