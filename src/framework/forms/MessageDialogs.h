#pragma once
// Message dialogs: MessageDlg and Application->MessageBox. While a window host runs they are
// modal forms of the framework's own (an icon for the kind of message, the text wrapped, a row
// of buttons; Enter presses the default button, Escape the cancel one); without a host the
// desktop's dialog program asks instead.

#include "framework/forms/Forms.h"

#include <cstdint>
#include <optional>
#include <string>

namespace framework {

enum TMsgDlgType { mtWarning, mtError, mtInformation, mtConfirmation, mtCustom };
enum TMsgDlgBtn : std::uint8_t {
    mbYes,
    mbNo,
    mbOK,
    mbCancel,
    mbAbort,
    mbRetry,
    mbIgnore,
    mbAll,
    mbNoToAll,
    mbYesToAll,
    mbHelp,
    mbClose,
};
using TMsgDlgButtons = std::uint32_t;
constexpr TMsgDlgButtons MsgDlgBtnBit(TMsgDlgBtn B) { return TMsgDlgButtons{1} << B; }
inline constexpr TMsgDlgButtons mbYesNo = MsgDlgBtnBit(mbYes) | MsgDlgBtnBit(mbNo);
inline constexpr TMsgDlgButtons mbYesNoCancel = mbYesNo | MsgDlgBtnBit(mbCancel);
inline constexpr TMsgDlgButtons mbOKCancel = MsgDlgBtnBit(mbOK) | MsgDlgBtnBit(mbCancel);
inline constexpr TMsgDlgButtons mbAbortRetryIgnore =
    MsgDlgBtnBit(mbAbort) | MsgDlgBtnBit(mbRetry) | MsgDlgBtnBit(mbIgnore);
inline constexpr TMsgDlgButtons mbAbortIgnore = MsgDlgBtnBit(mbAbort) | MsgDlgBtnBit(mbIgnore);

// Application->MessageBox's flags and answers.
inline constexpr std::uint32_t MB_OK = 0x00;
inline constexpr std::uint32_t MB_OKCANCEL = 0x01;
inline constexpr std::uint32_t MB_ABORTRETRYIGNORE = 0x02;
inline constexpr std::uint32_t MB_YESNOCANCEL = 0x03;
inline constexpr std::uint32_t MB_YESNO = 0x04;
inline constexpr std::uint32_t MB_RETRYCANCEL = 0x05;
inline constexpr std::uint32_t MB_ICONERROR = 0x10;
inline constexpr std::uint32_t MB_ICONQUESTION = 0x20;
inline constexpr std::uint32_t MB_ICONWARNING = 0x30;
inline constexpr std::uint32_t MB_ICONINFORMATION = 0x40;
inline constexpr std::uint32_t MB_DEFBUTTON2 = 0x100;
inline constexpr std::uint32_t MB_DEFBUTTON3 = 0x200;
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// The caption of a dialog button ("&Yes", "OK", ...) and the result it gives.
std::string MsgDlgButtonCaption(TMsgDlgBtn Button);
TModalResult MsgDlgButtonResult(TMsgDlgBtn Button);
// The title of a dialog of the type: "Warning", "Error", "Information", "Confirm"; for
// mtCustom the application's title.
std::string MsgDlgTitle(TMsgDlgType DlgType);

// The form MessageDlg shows, not shown yet: sized to its text at the screen's resolution and
// owned by AOwner (may be null). DefaultButton is pressed by Enter; without one, or with one
// not among Buttons, the classic one is (OK, else Yes, else Retry, else the first). No buttons at
// all gives OK.
TCustomForm* CreateMessageDialog(TComponent* AOwner, const std::string& Msg, TMsgDlgType DlgType,
                                 TMsgDlgButtons Buttons, std::optional<TMsgDlgBtn> DefaultButton = {});

// Shows the message and answers the result of the button pressed (mrCancel for Escape or the
// window's close without a cancel button). HelpCtx has no help to show here.
int MessageDlg(const std::string& Msg, TMsgDlgType DlgType, TMsgDlgButtons Buttons, int HelpCtx);

}  // namespace framework
