#pragma once
// TLabel: a caption painted on its parent, sized to its text when AutoSize is on, with '&'
// accelerators that move the focus to its FocusControl.

#include "framework/controls/WinControl.h"

namespace framework {

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
public:
    explicit TCustomLabel(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
    void DescribeAccessible(TAccessible& A) const override;

    bool AutoSize() const { return m_autoSize; }
    void SetAutoSize(bool Value);
    TAlignment Alignment() const { return m_alignment; }
    void SetAlignment(TAlignment Value);
    TTextLayout Layout() const { return m_layout; }
    void SetLayout(TTextLayout Value);
    bool Transparent() const { return m_transparent; }
    void SetTransparent(bool Value);
    bool WordWrap() const { return m_wordWrap; }
    void SetWordWrap(bool Value);
    bool ShowAccelChar() const { return m_showAccelChar; }
    void SetShowAccelChar(bool Value);
    TWinControl* FocusControl() const { return m_focusControl; }
    void SetFocusControl(TWinControl* Value);

    // Resizes to the caption when AutoSize is on; keeps the right edge for right-aligned text.
    void AdjustBounds();

protected:
    void Paint() override;
    void TextChanged() override;
    void FontChanged() override;
    void Loaded() override;
    void Notification(TComponent* AComponent, TOperation Operation) override;
    // Alt and the underlined letter move the focus to FocusControl.
    void CMDialogChar(TMessage& Message);
    std::uint32_t TextFormat() const;

private:
    bool m_autoSize = true;
    TAlignment m_alignment = taLeftJustify;
    TTextLayout m_layout = tlTop;
    bool m_transparent = false;
    bool m_wordWrap = false;
    bool m_showAccelChar = true;
    TWinControl* m_focusControl = nullptr;  // not owned; cleared when it goes
};

class TLabel : public TCustomLabel {
public:
    using TCustomLabel::TCustomLabel;
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }
};

}  // namespace framework
