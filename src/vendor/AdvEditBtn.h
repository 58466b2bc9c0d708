#pragma once
// The TMS edit with a button: a one-line edit whose right end is a button showing a glyph.
// Pressing and releasing the mouse on the button calls BtnClick, which raises OnClickBtn.

#include "framework/controls/Edits.h"
#include "framework/graphics/Bitmap.h"

#include <memory>

namespace vendor {

class TAdvEditBtn : public framework::TCustomEdit {
public:
    explicit TAdvEditBtn(framework::TComponent* AOwner);
    ~TAdvEditBtn() override;
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    // The picture on the button; its bottom-left pixel's colour is left out when painted.
    framework::TBitmap* Glyph() const { return m_glyph.get(); }
    void SetGlyph(framework::TBitmap* Value);
    int ButtonWidth() const { return m_buttonWidth; }
    void SetButtonWidth(int Value);
    // The button, in client coordinates.
    framework::TRect ButtonRect() const;

    framework::TNotifyEvent OnClickBtn;

    // The button was pressed.
    virtual void BtnClick(framework::TObject* Sender);

protected:
    void Paint() override;
    // The picture the button shows: the Glyph.
    virtual const framework::TBitmap& ShownGlyph() const { return *m_glyph; }
    void MouseDown(framework::TMouseButton Button, framework::TShiftState Shift, int X, int Y) override;
    void MouseUp(framework::TMouseButton Button, framework::TShiftState Shift, int X, int Y) override;

private:
    std::unique_ptr<framework::TBitmap, framework::TFreeDeleter> m_glyph;
    int m_buttonWidth = 18;
    bool m_buttonDown = false;
};

}  // namespace vendor
