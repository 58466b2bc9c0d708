#pragma once
// Tooltips: the hint window, a bordered box of text in the info colours that the application
// shows below the pointer when it rests on a control with a hint, and the "short|long" split of
// hint texts. On a desktop, a window host shows the hint window in a tooltip window of its own,
// free to reach past the edges of its form; without one it is composed onto the form.

#include "framework/controls/WinControl.h"

#include <string>
#include <string_view>

namespace framework {

// A hint "short|long": the tooltip shows the part before the first '|', a status line the part
// after it; a hint without '|' is both.
std::string GetShortHint(std::string_view Hint);
std::string GetLongHint(std::string_view Hint);

class THintWindow : public TCustomControl {
public:
    explicit THintWindow(TComponent* AOwner);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    int ClientInset() const override { return 1; }
    // The outer size that shows AHint: lines broken at line ends, words wrapped at MaxWidth,
    // at most MaxHeight tall. The text shown is kept to what fits: ill-formed UTF-8 shows as
    // U+FFFD, and overlong lines and lines past the bottom are cut.
    TRect CalcHintRect(int MaxWidth, std::string_view AHint, int MaxHeight);
    // Shows the text last measured by CalcHintRect with these bounds (in Top's client
    // coordinates) on Top, above its other controls.
    void ActivateHint(TWinControl* Top, const TRect& Bounds);
    // The text as shown, after CalcHintRect has kept it to what fits.
    const std::string& ShownText() const { return m_shown; }
    // Shown in a tooltip window of the desktop rather than on its form.
    bool ShownApart() const override { return m_apart; }
    void DescribeAccessible(TAccessible& A) const override;

    // The one timer the application's hints run on.
    static constexpr std::uintptr_t kHintTimer = 1;

protected:
    void Paint() override;
    void PaintBorder(TCanvas& Canvas, TRect Bounds) override;
    void WndProc(TMessage& Message) override;

private:
    // The resolution of the form it stands on, and the margins between border and text there.
    int PixelsPerInch() const;
    int MarginX() const;
    int MarginY() const;

    std::string m_shown;
    bool m_apart = false;
};

}  // namespace framework
