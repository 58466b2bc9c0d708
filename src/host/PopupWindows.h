#pragma once
// The popups of a form in desktop windows of their own: a combo's drop-down list, a popup menu
// or a tooltip that the form shows apart (TWinControl::ShownApart) gets a borderless popup (or
// tooltip) window of the desktop, placed by the form's window wherever the popup lies, past the
// form's edges too. The popup stays a control of the form: it paints on its own pixels, which
// are copied into its window, and the pointer's events in that window reach the form in the
// form's coordinates.

#include "framework/controls/DropDownList.h"
#include "framework/forms/Forms.h"

#include <SDL.h>

#include <memory>
#include <vector>

namespace host {

class TPopupWindows {
public:
    TPopupWindows(framework::TCustomForm& Form, SDL_Window* Owner, bool Hidden);
    ~TPopupWindows();
    TPopupWindows(const TPopupWindows&) = delete;
    TPopupWindows& operator=(const TPopupWindows&) = delete;

    // Opens, moves and closes the windows as the form's popups come, move and go, and shows
    // what was repainted of them (Painted: the form's painted rectangles, in its coordinates).
    void Update(const std::vector<framework::TRect>& Painted);

    enum class TRoute { Elsewhere, ForTheForm, Done };
    // An event of a popup's window: the pointer's put into the form's coordinates, as if of the
    // form's own window (ForTheForm); the window's own handled here (Done). Events of other
    // windows are left alone (Elsewhere).
    TRoute Route(SDL_Event& Event);

    // Takes every popup away, as a press elsewhere does: the desktop's focus left the program.
    void Dismiss();
    // SDL's numbers for the windows of the popups shown now, as their events carry them.
    std::vector<Uint32> WindowIDs() const;

private:
    struct TPopup;
    void Show(TPopup& Popup);

    framework::TCustomForm& m_form;
    SDL_Window* m_owner;
    bool m_hidden;
    std::vector<std::unique_ptr<TPopup>> m_popups;  // shown ones first come, closed ones kept for reuse
};

}  // namespace host
