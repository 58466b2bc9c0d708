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

TElMemo::TElMemo(TComponent* AOwner) : TCustomElEdit(AOwner), m_lines(new TStringList) {
    SetBounds(0, 0, 185, 89);
    m_lines->OnChange = TNotifyEvent::Of<&TElMemo::LinesChanged>(this);
}

TElMemo::~TElMemo() { m_lines->OnChange = nullptr; }

std::string TElMemo::GetText() const { return m_lines->Text(); }

void TElMemo::TextChanged() {
    m_lines->SetText(m_text);
    m_text.clear();
    Change();
}

void TElMemo::LinesChanged(TObject*) { Invalidate(); }

void TElMemo::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.Font()->Assign(Font());
    canvas.Brush()->SetStyle(bsClear);
    const int lineHeight = canvas.TextHeight("Wg");
    int y = 1;
    for (int i = 0; i < m_lines->Count() && y < ClientHeight(); ++i, y += lineHeight)
        canvas.TextOut(2, y, m_lines->StringRef(i));
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

// Up and down arrows at the right end of a spin edit.
void PaintSpinButtons(TCanvas& canvas, int width, int height) {
    const int w = 15;
    const TRect up = Rect(width - w, 0, width, height / 2), down = Rect(width - w, height / 2, width, height);
    for (const TRect& r : {up, down}) {
        canvas.Brush()->SetStyle(bsSolid);
        canvas.Brush()->SetColor(clBtnFace);
        canvas.FillRect(r);
        canvas.Brush()->SetColor(clBtnShadow);
        canvas.FrameRect(r);
    }
    canvas.Brush()->SetColor(clWindowText);
    const int cx = width - w / 2 - 1;
    for (int i = 0; i < 3; ++i) {
        canvas.FillRect(
            Rect(cx - i, up.Top + up.Height() / 2 - 1 + i, cx + i + 1, up.Top + up.Height() / 2 + i));
        canvas.FillRect(Rect(cx - i, down.Top + down.Height() / 2 + 1 - i, cx + i + 1,
                             down.Top + down.Height() / 2 + 2 - i));
    }
}

}  // namespace

const TClassInfo& TElSpinEdit::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TElSpinEdit, TCustomElEdit>("TElSpinEdit")
            .Integer<TElSpinEdit>("Value", &TElSpinEdit::Value, &TElSpinEdit::SetValue, 0);
    return info;
}

TElSpinEdit::TElSpinEdit(TComponent* AOwner) : TCustomElEdit(AOwner) { SetText("0"); }

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

void TElSpinEdit::TextChanged() {
    // Text that is a number sets the value; other text stays as typed until it is one.
    int v = 0;
    if (TryStrToInt(Text(), v))
        m_value = std::clamp(v, m_min, m_max);
    TCustomElEdit::TextChanged();
}

void TElSpinEdit::Paint() {
    TCanvas& canvas = *Canvas();
    canvas.IntersectClipRect(Rect(0, 0, ClientWidth() - 15, ClientHeight()));
    TCustomElEdit::Paint();
    canvas.ResetClip();
    PaintSpinButtons(canvas, ClientWidth(), ClientHeight());
}

const TClassInfo& TElFloatSpinEdit::ClassInfo() {
    static const TClassInfo info =
        TClassInfo::Derive<TElFloatSpinEdit, TCustomElEdit>("TElFloatSpinEdit")
            .Float<TElFloatSpinEdit>("Value", &TElFloatSpinEdit::Value, &TElFloatSpinEdit::SetValue);
    return info;
}

TElFloatSpinEdit::TElFloatSpinEdit(TComponent* AOwner) : TCustomElEdit(AOwner) { SetText("0"); }

void TElFloatSpinEdit::SetValue(double Value) {
    m_value = Value;
    SetText(FloatToStr(Value));
}

void TElFloatSpinEdit::TextChanged() {
    double v = 0;
    if (TryStrToFloat(Text(), v))
        m_value = v;
    TCustomElEdit::TextChanged();
}

}  // namespace vendor
