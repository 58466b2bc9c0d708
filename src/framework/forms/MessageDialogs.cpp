#include "framework/forms/MessageDialogs.h"

#include "framework/controls/DrawText.h"
#include "framework/controls/Label.h"
#include "framework/forms/Application.h"
#include "framework/platform/Platform.h"

#include <algorithm>
#include <array>
#include <vector>

namespace framework {

namespace {

// Layout at 96 pixels per inch; the finished form is scaled to the screen's resolution.
constexpr int kMargin = 12;
constexpr int kIconSize = 32;
constexpr int kIconGap = 12;
constexpr int kButtonWidth = 75;
constexpr int kButtonHeight = 25;
constexpr int kButtonGap = 6;
constexpr int kButtonPadding = 16;  // beside a caption wider than the button
constexpr int kMinTextWidth = 180;

constexpr std::array kButtonOrder{mbYes,    mbNo,  mbOK,      mbCancel,   mbAbort, mbRetry,
                                  mbIgnore, mbAll, mbNoToAll, mbYesToAll, mbHelp,  mbClose};

bool has(TMsgDlgButtons Buttons, TMsgDlgBtn B) { return (Buttons & MsgDlgBtnBit(B)) != 0; }

// The component name of a dialog button: its caption's letters ("NoToAll").
std::string buttonName(TMsgDlgBtn B) {
    std::string name;
    for (char c : MsgDlgButtonCaption(B))
        if (c != '&' && c != ' ')
            name += c;
    return name;
}

// The picture of the dialog's type, drawn in shapes so that it scales with the form.
class TMessageIcon : public TGraphicControl {
public:
    TMessageIcon(TComponent* AOwner, TMsgDlgType DlgType) : TGraphicControl(AOwner), m_type(DlgType) {}

protected:
    void Paint() override {
        TCanvas& c = *Canvas();
        const int w = Width(), h = Height();
        c.Pen()->SetWidth(1);
        if (m_type == mtWarning) {
            const TPoint triangle[] = {{w / 2, 0}, {w - 1, h - 1}, {0, h - 1}};
            c.Brush()->SetColor(RGB(0xF2, 0xC1, 0x1C));
            c.Pen()->SetColor(RGB(0x80, 0x60, 0x00));
            c.Polygon(triangle);
        } else {
            const TColor fill = m_type == mtError ? RGB(0xD0, 0x30, 0x30) : RGB(0x1F, 0x5F, 0xBF);
            c.Brush()->SetColor(fill);
            c.Pen()->SetColor(fill);
            c.Ellipse(0, 0, w, h);
        }
        // The mark inside: a cross for an error, else a character.
        const TColor ink = m_type == mtWarning ? clBlack : clWhite;
        if (m_type == mtError) {
            const int inset = w * 3 / 10, stroke = std::max(w / 10, 2);
            c.Pen()->SetColor(ink);
            c.Pen()->SetWidth(stroke);
            c.MoveTo(inset, inset);
            c.LineTo(w - inset, h - inset);
            c.MoveTo(w - inset, inset);
            c.LineTo(inset, h - inset);
            c.Pen()->SetWidth(1);
            return;
        }
        const char* mark = m_type == mtWarning ? "!" : m_type == mtInformation ? "i" : "?";
        c.Font()->SetName("DejaVu Sans");
        c.Font()->SetHeight(-h * 2 / 3);
        c.Font()->SetStyle(fsBold);
        c.Font()->SetColor(ink);
        c.Brush()->SetStyle(bsClear);
        TRect r = Rect(0, m_type == mtWarning ? h / 8 : 0, w, h);
        DrawText(c, mark, r, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }

private:
    TMsgDlgType m_type;
};

// Escape on a message dialog without a cancel button closes it, as its window's close does. On
// a monitor of another resolution the dialog scales to it, as every scaled form does.
class TMessageForm : public TForm {
public:
    using TForm::TForm;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassInfo::Derive<TMessageForm, TForm>("TMessageForm");
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }

protected:
    bool DialogKey(std::uint16_t Key) override {
        if (TForm::DialogKey(Key))
            return true;
        if (Key != VK_ESCAPE)
            return false;
        Close();
        return true;
    }
};

// The button pressed by Enter: the one asked for when it is there, else OK, else Yes, else Retry,
// else the first; the one pressed by Escape: Cancel, else No, else OK.
TMsgDlgBtn defaultButtonOf(TMsgDlgButtons Buttons, std::optional<TMsgDlgBtn> Wanted) {
    if (Wanted && has(Buttons, *Wanted))
        return *Wanted;
    for (TMsgDlgBtn b : {mbOK, mbYes, mbRetry})
        if (has(Buttons, b))
            return b;
    for (TMsgDlgBtn b : kButtonOrder)
        if (has(Buttons, b))
            return b;
    return mbOK;
}

bool cancelButtonOf(TMsgDlgButtons Buttons, TMsgDlgBtn Default, TMsgDlgBtn& Cancel) {
    for (TMsgDlgBtn b : {mbCancel, mbNo, mbOK})
        if (has(Buttons, b) && (b != Default || b == mbOK)) {
            Cancel = b;
            return true;
        }
    return false;
}

}  // namespace

std::string MsgDlgButtonCaption(TMsgDlgBtn Button) {
    switch (Button) {
    case mbYes:
        return "&Yes";
    case mbNo:
        return "&No";
    case mbOK:
        return "OK";
    case mbCancel:
        return "Cancel";
    case mbAbort:
        return "&Abort";
    case mbRetry:
        return "&Retry";
    case mbIgnore:
        return "&Ignore";
    case mbAll:
        return "&All";
    case mbNoToAll:
        return "N&o to All";
    case mbYesToAll:
        return "Yes to &All";
    case mbHelp:
        return "&Help";
    case mbClose:
        return "&Close";
    }
    return std::string();
}

TModalResult MsgDlgButtonResult(TMsgDlgBtn Button) {
    switch (Button) {
    case mbYes:
        return mrYes;
    case mbNo:
        return mrNo;
    case mbOK:
        return mrOk;
    case mbCancel:
        return mrCancel;
    case mbAbort:
        return mrAbort;
    case mbRetry:
        return mrRetry;
    case mbIgnore:
        return mrIgnore;
    case mbAll:
        return mrAll;
    case mbNoToAll:
        return mrNoToAll;
    case mbYesToAll:
        return mrYesToAll;
    case mbHelp:
        return mrNone;  // there is no help to show; the dialog stays
    case mbClose:
        return mrClose;
    }
    return mrNone;
}

std::string MsgDlgTitle(TMsgDlgType DlgType) {
    switch (DlgType) {
    case mtWarning:
        return "Warning";
    case mtError:
        return "Error";
    case mtInformation:
        return "Information";
    case mtConfirmation:
        return "Confirm";
    case mtCustom:
        break;
    }
    if (!Application->Title().empty())
        return Application->Title();
    const std::string exe = Application->ExeName();
    return exe.substr(exe.rfind('/') + 1);
}

TCustomForm* CreateMessageDialog(TComponent* AOwner, const std::string& Msg, TMsgDlgType DlgType,
                                 TMsgDlgButtons Buttons, std::optional<TMsgDlgBtn> DefaultButton) {
    Buttons &= MsgDlgBtnBit(mbClose) * 2 - 1;
    if (Buttons == 0)
        Buttons = MsgDlgBtnBit(mbOK);
    auto* form = Create<TMessageForm>(AOwner);
    form->SetPixelsPerInch(96);
    form->SetCaption(MsgDlgTitle(DlgType));
    form->SetColor(clBtnFace);
    form->Font()->SetColor(clBtnText);

    // The text wrapped at half the screen's width, as measured in the form's font.
    TRect text =
        Rect(0, 0, std::max(MulDiv(Screen->Width(), 96, Screen->PixelsPerInch()) / 2, kMinTextWidth), 0);
    const std::unique_ptr<TBitmap, TFreeDeleter> measure(Create<TBitmap>());
    measure->SetSize(1, 1);
    measure->Canvas()->Font()->Assign(form->Font());
    DrawText(*measure->Canvas(), Msg, text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    const bool icon = DlgType != mtCustom;
    const int textLeft = kMargin + (icon ? kIconSize + kIconGap : 0);

    const TMsgDlgBtn defaultButton = defaultButtonOf(Buttons, DefaultButton);
    TMsgDlgBtn cancelButton = mbCancel;
    const bool hasCancel = cancelButtonOf(Buttons, defaultButton, cancelButton);
    std::vector<TButton*> buttons;
    int rowWidth = 0;
    for (TMsgDlgBtn b : kButtonOrder) {
        if (!has(Buttons, b))
            continue;
        auto* button = Create<TButton>(form);
        button->SetName(buttonName(b));
        button->SetCaption(MsgDlgButtonCaption(b));
        button->SetModalResult(MsgDlgButtonResult(b));
        button->SetDefault(b == defaultButton);
        button->SetCancel(hasCancel && b == cancelButton);
        const int width =
            std::max(kButtonWidth, measure->Canvas()->TextWidth(button->Caption()) + kButtonPadding);
        button->SetBounds(0, 0, width, kButtonHeight);
        rowWidth += width + (buttons.empty() ? 0 : kButtonGap);
        buttons.push_back(button);
    }
    const int contentHeight = std::max(icon ? kIconSize : 0, text.Height());
    const int clientWidth = std::max(textLeft + text.Width() + kMargin, rowWidth + 2 * kMargin);
    const int rowTop = kMargin + contentHeight + kMargin;
    form->SetClientWidth(clientWidth);
    form->SetClientHeight(rowTop + kButtonHeight + kMargin);

    if (icon) {
        auto* picture = Create<TMessageIcon>(form, DlgType);
        picture->SetName("Image");
        picture->SetBounds(kMargin, kMargin, kIconSize, kIconSize);
        picture->SetParent(form);
    }
    auto* label = Create<TLabel>(form);
    label->SetName("Message");
    label->SetAutoSize(false);
    label->SetWordWrap(true);
    label->SetShowAccelChar(false);
    label->SetCaption(Msg);
    // A short text stands level with the middle of the icon.
    const int textTop = kMargin + std::max((contentHeight - text.Height()) / 2, 0);
    label->SetBounds(textLeft, textTop, text.Width(), text.Height());
    label->SetParent(form);

    int x = (clientWidth - rowWidth) / 2;
    for (TButton* button : buttons) {
        button->SetLeft(x);
        button->SetTop(rowTop);
        button->SetParent(form);
        x += button->Width() + kButtonGap;
    }
    // The default button comes first in tab order, so it has the focus when the form shows.
    for (TButton* button : buttons)
        if (button->Default())
            button->SetTabOrder(0);
    if (Screen->PixelsPerInch() != 96)
        form->ChangeScale(Screen->PixelsPerInch(), 96);
    return form;
}

namespace {
// Asks through the desktop's dialog program: one button is a notice, more are a question whose
// yes is the default button and whose no the cancel one (or the last button).
TModalResult askWithoutHost(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons) {
    if (Buttons == 0)
        Buttons = MsgDlgBtnBit(mbOK);
    const TMsgDlgBtn yes = defaultButtonOf(Buttons, std::nullopt);
    auto& chooser = platform::Platform().FileChooser();
    if ((Buttons & (Buttons - 1)) == 0) {
        chooser.ShowMessage(MsgDlgTitle(DlgType), Msg);
        return MsgDlgButtonResult(yes);
    }
    if (chooser.Confirm(MsgDlgTitle(DlgType), Msg))
        return MsgDlgButtonResult(yes);
    TMsgDlgBtn no = mbCancel;
    if (!cancelButtonOf(Buttons, yes, no) || no == yes)
        return mrCancel;
    return MsgDlgButtonResult(no);
}

// The form is freed after it answered unless something freed it while it ran.
TModalResult runDialog(TCustomForm* Form) {
    const HWND wnd = Form->Handle();
    TModalResult result = Form->ShowModal();
    if (TWinControl* still = TWinControl::FindControl(wnd); still == Form)
        Form->Free();
    return result;
}
}  // namespace

int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int /*HelpCtx*/) {
    if (!Application->HasMessagePump())
        return askWithoutHost(Msg, DlgType, Buttons);
    return runDialog(CreateMessageDialog(Screen->ActiveForm(), Msg, DlgType, Buttons));
}

int TApplication::MessageBox(const std::string& Text, const std::string& Caption, std::uint32_t Flags) {
    TMsgDlgButtons buttons = MsgDlgBtnBit(mbOK);
    switch (Flags & 0x0F) {
    case MB_OKCANCEL:
        buttons = mbOKCancel;
        break;
    case MB_ABORTRETRYIGNORE:
        buttons = mbAbortRetryIgnore;
        break;
    case MB_YESNOCANCEL:
        buttons = mbYesNoCancel;
        break;
    case MB_YESNO:
        buttons = mbYesNo;
        break;
    case MB_RETRYCANCEL:
        buttons = MsgDlgBtnBit(mbRetry) | MsgDlgBtnBit(mbCancel);
        break;
    default:
        break;
    }
    TMsgDlgType type = mtCustom;
    switch (Flags & 0xF0) {
    case MB_ICONERROR:
        type = mtError;
        break;
    case MB_ICONQUESTION:
        type = mtConfirmation;
        break;
    case MB_ICONWARNING:
        type = mtWarning;
        break;
    case MB_ICONINFORMATION:
        type = mtInformation;
        break;
    default:
        break;
    }
    // The answers are the results of the buttons (IDYES is mrYes).
    if (!HasMessagePump())
        return askWithoutHost(Text, type, buttons);
    // The n-th button in the row is the default one with MB_DEFBUTTONn.
    std::optional<TMsgDlgBtn> wanted;
    if (const int nth = static_cast<int>((Flags >> 8) & 0x0F); nth > 0) {
        int seen = 0;
        for (TMsgDlgBtn b : kButtonOrder)
            if (has(buttons, b) && seen++ == nth)
                wanted = b;
    }
    TCustomForm* form = CreateMessageDialog(Screen->ActiveForm(), Text, type, buttons, wanted);
    // The caption is the caller's; an empty one reads as the dialog's type.
    if (!Caption.empty())
        form->SetCaption(Caption);
    return runDialog(form);
}

}  // namespace framework
