#pragma once
// The list that drops down from a combo box or pops up as a menu: a bordered window on the
// top-level window. The control that opens it (its source) counts, measures, paints and takes
// the chosen entries; the list scrolls, follows the pointer and hands a click back. On a
// desktop, a window host shows it in a popup window of its own, free to reach past the edges of
// its top-level window; without one (tests, pictures) it is composed onto that window.

#include "framework/controls/ListBox.h"
#include "framework/controls/WinControl.h"

namespace framework {

class TDropDownSource {
public:
    virtual int DropDownEntryCount() = 0;
    virtual int DropDownEntryHeight(int Index) = 0;
    virtual void DropDownPaintEntry(TCanvas& Canvas, int Index, TRect Rect, TOwnerDrawState State) = 0;
    // The user picked the entry (a click or Enter).
    virtual void DropDownChoose(int Index) = 0;
    // Whether an entry can be highlighted and picked (a menu's separators cannot).
    virtual bool DropDownCanChoose(int /*Index*/) { return true; }
    // A popped-up list, or a combo's open list, was dismissed: Escape, or a press outside it.
    virtual void DropDownDismiss() {}

protected:
    ~TDropDownSource() = default;
};

// The desktop round a top-level window as a window host knows it: where the window's client
// area stands on the screen and the work area of its monitor, in the screen's coordinates.
struct TPopupScreen {
    TPoint ClientOrigin;
    TRect WorkArea;
};
// Answers the desktop round Top; false where Top is not on one.
using TPopupScreenFinder = bool (*)(const TWinControl& Top, TPopupScreen& Screen);
void SetPopupScreenFinder(TPopupScreenFinder Finder);

// The work area round Top in Top's client coordinates, when a window host shows Top on a desktop.
bool PopupWorkArea(const TWinControl& Top, TRect& Area);
// Bounds for a popup of Size that opens below Anchor (at its left edge, or at its right edge when
// Sideways), else above it (or to its left when Sideways) where it does not fit but does there;
// moved in and, where larger, shortened so that it stays inside Area.
TRect PlacePopup(const TRect& Area, TPoint Size, const TRect& Anchor, bool Sideways);
// Bounds for a sub-menu of Size beside Parent, the list it opens from: to its right, else to its
// left where it fits there; starting at Row's top, else ending at Row's bottom where it does not
// fit below; moved in and, where larger, shortened so that it stays inside Area.
TRect PlaceSubMenu(const TRect& Area, TPoint Size, const TRect& Parent, const TRect& Row);

class TDropDownList : public TCustomControl {
public:
    TDropDownList(TComponent* AOwner, TDropDownSource* Source);
    static const TClassInfo& ClassInfo();
    TClass ClassType() const override { return &ClassInfo(); }

    int ClientInset() const override { return 1; }
    int Hot() const { return m_hot; }
    // Highlights the entry, kept within the list (a combo's -1 gives the first entry).
    void SetHot(int Index);
    // No entry highlighted.
    void ClearHot();
    // Entries that fit, whole, on one page.
    int PageSize();
    // The entry under a client point, or -1.
    int ItemAt(int X, int Y);
    // Where an entry stands in the client area; empty when it is scrolled out of view.
    TRect ItemRect(int Index);
    void Scroll(int Lines);

    // Shows the list on Top with these bounds, holding the mouse and the keyboard until an entry
    // is picked or the list is dismissed, as a popped-up menu does; Close takes it away.
    void Popup(TWinControl* Top, TRect Bounds);
    void Close();
    // Shown in a popup window of the desktop rather than on its top-level window.
    bool ShownApart() const override { return m_apart; }
    void SetShownApart(bool Value) { m_apart = Value; }
    // Taken away as a press elsewhere takes it: the desktop's focus went to another program.
    void Dismiss() { m_source->DropDownDismiss(); }

protected:
    void Paint() override;
    void PaintBorder(TCanvas& Canvas, TRect Bounds) override;
    void MouseDown(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void MouseMove(TShiftState Shift, int X, int Y) override;
    void MouseUp(TMouseButton Button, TShiftState Shift, int X, int Y) override;
    void KeyDown(std::uint16_t& Key, TShiftState Shift) override;
    void WndProc(TMessage& Message) override;
    // The vertical bar counts entries; the page is the entries that fit whole.
    bool ScrollContent(int Bar, TScrollInfo& Info) override;
    void ScrollContentTo(int Bar, int Pos) override;

private:
    int VisibleFrom(int First);
    // The nearest entry from Index on, going by Step, that can be picked; -1 when none.
    int Choosable(int Index, int Step);

    TDropDownSource* m_source;
    int m_hot = -1;
    int m_top = 0;
    bool m_popped = false;
    bool m_apart = false;
};

}  // namespace framework
