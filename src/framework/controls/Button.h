#pragma once
// TButton: a push button with a caption and, when it has Images, image ImageIndex at its left.
// On a dialog it can close its form with a result (ModalResult), and be the button that Enter
// (Default) or Escape (Cancel) presses.

#include "framework/controls/ImageList.h"
#include "framework/controls/WinControl.h"

namespace framework {

// What a modal form answers; a button's ModalResult sets it on its form when clicked.
using TModalResult = int;
inline constexpr TModalResult mrNone = 0;
inline constexpr TModalResult mrOk = 1;
inline constexpr TModalResult mrCancel = 2;
inline constexpr TModalResult mrAbort = 3;
inline constexpr TModalResult mrRetry = 4;
inline constexpr TModalResult mrIgnore = 5;
inline constexpr TModalResult mrYes = 6;
inline constexpr TModalResult mrNo = 7;
inline constexpr TModalResult mrClose = 8;
inline constexpr TModalResult mrHelp = 9;
inline constexpr TModalResult mrTryAgain = 10;
inline constexpr TModalResult mrContinue = 11;
inline constexpr TModalResult mrAll = 12;
inline constexpr TModalResult mrNoToAll = 13;
inline constexpr TModalResult mrYesToAll = 14;

// Asked of the focused control before Enter or Escape press a dialog's buttons: nonzero when
// the control wants the key (WParam) itself, as a multi-line edit wants Enter.
inline constexpr std::uint32_t CM_WANTSPECIALKEY = CM_BASE + 90;
// Sent by a button to its form when clicked: WParam is the button's ModalResult.
inline constexpr std::uint32_t CM_SETMODALRESULT = CM_BASE + 91;

class TCustomButton : public TCustomControl {
public:
    explicit TCustomButton(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;
    bool DoAccessibleAction(int AItem, const std::string& Action) override;

    TCustomImageList* Images() const { return m_images; }
    void SetImages(TCustomImageList* Value);
    int ImageIndex() const { return m_imageIndex; }
    void SetImageIndex(int Value);
    TModalResult ModalResult() const { return m_modalResult; }
    void SetModalResult(TModalResult Value) { m_modalResult = Value; }
    // Pressed by Enter anywhere on its form, unless the focused control takes Enter itself.
    bool Default() const { return m_default; }
    void SetDefault(bool Value);
    // Pressed by Escape anywhere on its form.
    bool Cancel() const { return m_cancel; }
    void SetCancel(bool Value) { m_cancel = Value; }

    // Gives the form the button's ModalResult, then runs OnClick.
    void Click() override;

protected:
    void Paint() override;
    TRect FocusFrameRect() override;
    void WMKeyDown(TMessage& Message);
    void TextChanged() override { Invalidate(); }
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Space presses the focused button.
    void KeyPress(char32_t& Key) override;

private:
    // Alt with the caption's accelerator letter presses the button.
    void CMDialogChar(TMessage& Message);
    TCustomImageList* m_images = nullptr;  // not owned; cleared when it goes
    int m_imageIndex = -1;
    TModalResult m_modalResult = mrNone;
    bool m_default = false;
    bool m_cancel = false;
};

class TButton : public TCustomButton {
public:
    using TCustomButton::TCustomButton;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace framework
