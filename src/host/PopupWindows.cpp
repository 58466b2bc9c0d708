#include "host/PopupWindows.h"

#include "framework/forms/Application.h"
#include "framework/forms/Hints.h"
#include "framework/graphics/Bitmap.h"

#include <algorithm>

namespace host {

using namespace framework;

struct TPopupWindows::TPopup {
    SDL_Window* window = nullptr;
    TWinControl* list = nullptr;  // not owned; null while the window is kept for another popup
    bool tooltip = false;         // a hint's window rather than a list's or a menu's
    TRect bounds;                 // the popup's outer bounds in the form's coordinates
    TPoint at;                    // where the window was put on the screen
    TCanvas canvas;               // on the window's pixels while the list is painted there
    TBitmap picture;              // the list, for windows whose pixels are in another format
    bool exposed = false;         // the desktop asks for the window's pixels again
};

TPopupWindows::TPopupWindows(TCustomForm& Form, SDL_Window* Owner, bool Hidden)
    : m_form(Form), m_owner(Owner), m_hidden(Hidden) {}

TPopupWindows::~TPopupWindows() {
    for (auto& p : m_popups)
        SDL_DestroyWindow(p->window);
}

std::vector<Uint32> TPopupWindows::WindowIDs() const {
    std::vector<Uint32> ids;
    for (auto& p : m_popups)
        if (p->list)
            ids.push_back(SDL_GetWindowID(p->window));
    return ids;
}

void TPopupWindows::Update(const std::vector<TRect>& Painted) {
    std::vector<TWinControl*> apart;
    for (int i = 0; i < m_form.ControlCount(); ++i)
        if (auto* list = As<TWinControl>(m_form.Controls(i)); list && list->Visible() && list->ShownApart())
            apart.push_back(list);
    // Popups that went: their windows are hidden and kept for the next one.
    for (auto& p : m_popups)
        if (p->list && std::find(apart.begin(), apart.end(), p->list) == apart.end()) {
            SDL_HideWindow(p->window);
            p->list = nullptr;
        }
    int ownerX = 0, ownerY = 0;
    SDL_GetWindowPosition(m_owner, &ownerX, &ownerY);
    for (TWinControl* list : apart) {
        auto found = std::find_if(m_popups.begin(), m_popups.end(), [&](auto& p) { return p->list == list; });
        bool everything = false;
        if (found == m_popups.end()) {
            // A hint opens as the desktop's tooltip, which never takes the focus.
            const bool tooltip = As<THintWindow>(list) != nullptr;
            found = std::find_if(m_popups.begin(), m_popups.end(),
                                 [&](auto& p) { return !p->list && p->tooltip == tooltip; });
            if (found == m_popups.end()) {
                auto popup = std::make_unique<TPopup>();
                popup->window = SDL_CreateWindow("", ownerX + list->Left(), ownerY + list->Top(),
                                                 std::max(list->Width(), 1), std::max(list->Height(), 1),
                                                 (tooltip ? SDL_WINDOW_TOOLTIP : SDL_WINDOW_POPUP_MENU) |
                                                     SDL_WINDOW_BORDERLESS | SDL_WINDOW_HIDDEN);
                if (!popup->window)
                    continue;  // the popup stays on the form's pixels alone
                popup->tooltip = tooltip;
                m_popups.push_back(std::move(popup));
                found = m_popups.end() - 1;
            }
            (*found)->list = list;
            everything = true;
        }
        TPopup& p = **found;
        const TRect bounds = list->BoundsRect();
        const TPoint at{ownerX + bounds.Left, ownerY + bounds.Top};
        int w = 0, h = 0;
        SDL_GetWindowSize(p.window, &w, &h);
        if (bounds.Width() != w || bounds.Height() != h) {
            SDL_SetWindowSize(p.window, std::max(bounds.Width(), 1), std::max(bounds.Height(), 1));
            everything = true;
        }
        if (at.X != p.at.X || at.Y != p.at.Y)
            SDL_SetWindowPosition(p.window, at.X, at.Y);
        p.bounds = bounds;
        p.at = at;
        bool repainted = everything || p.exposed;
        for (const TRect& r : Painted)
            repainted = repainted || !IntersectRect(r, bounds).IsEmpty();
        if (repainted)
            Show(p);
        if (everything && !m_hidden)
            SDL_ShowWindow(p.window);
    }
}

// The list is painted as its parent would paint it, straight into the window's pixels where
// they are words of the framework's layout, else onto a picture converted into them.
void TPopupWindows::Show(TPopup& Popup) {
    TWinControl& list = *Popup.list;
    SDL_Surface* surface = SDL_GetWindowSurface(Popup.window);
    if (!surface)
        return;
    const Uint32 format = surface->format->format;
    if (format == SDL_PIXELFORMAT_RGB888 || format == SDL_PIXELFORMAT_ARGB8888) {
        Popup.canvas.SetSurface(
            TPixelSurface{static_cast<TPixel*>(surface->pixels), surface->w, surface->h, surface->pitch / 4});
        list.PaintTo(Popup.canvas, list.ClientInset(), list.ClientInset());
        Popup.canvas.SetSurface(TPixelSurface{});
    } else {
        if (Popup.picture.Width() != list.Width() || Popup.picture.Height() != list.Height())
            Popup.picture.SetSize(list.Width(), list.Height());
        list.PaintTo(*Popup.picture.Canvas(), list.ClientInset(), list.ClientInset());
        const int w = std::min(surface->w, Popup.picture.Width()),
                  h = std::min(surface->h, Popup.picture.Height());
        const TPixelSurface& pixels = Popup.picture.Surface();
        SDL_ConvertPixels(w, h, SDL_PIXELFORMAT_ARGB8888, pixels.Bits, pixels.Stride * 4, format,
                          surface->pixels, surface->pitch);
    }
    if (SDL_UpdateWindowSurface(Popup.window) == 0)
        Popup.exposed = false;
}

TPopupWindows::TRoute TPopupWindows::Route(SDL_Event& Event) {
    Uint32 id = 0;
    switch (Event.type) {
    case SDL_MOUSEMOTION:
        id = Event.motion.windowID;
        break;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        id = Event.button.windowID;
        break;
    case SDL_MOUSEWHEEL:
        id = Event.wheel.windowID;
        break;
    case SDL_WINDOWEVENT:
        id = Event.window.windowID;
        break;
    default:
        return TRoute::Elsewhere;
    }
    const auto found = std::find_if(m_popups.begin(), m_popups.end(),
                                    [&](auto& p) { return SDL_GetWindowID(p->window) == id; });
    if (found == m_popups.end())
        return TRoute::Elsewhere;
    TPopup& p = **found;
    const Uint32 owner = SDL_GetWindowID(m_owner);
    switch (Event.type) {
    case SDL_MOUSEMOTION:
        Event.motion.windowID = owner;
        Event.motion.x += p.bounds.Left;
        Event.motion.y += p.bounds.Top;
        return p.list ? TRoute::ForTheForm : TRoute::Done;
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP:
        Event.button.windowID = owner;
        Event.button.x += p.bounds.Left;
        Event.button.y += p.bounds.Top;
        return p.list ? TRoute::ForTheForm : TRoute::Done;
    case SDL_MOUSEWHEEL:
        Event.wheel.windowID = owner;
        return p.list ? TRoute::ForTheForm : TRoute::Done;
    default:
        if (Event.window.event == SDL_WINDOWEVENT_EXPOSED ||
            Event.window.event == SDL_WINDOWEVENT_SIZE_CHANGED)
            p.exposed = true;
        return TRoute::Done;
    }
}

void TPopupWindows::Dismiss() {
    std::vector<TDropDownList*> shown;
    bool tooltip = false;
    for (auto& p : m_popups)
        if (auto* list = As<TDropDownList>(p->list))
            shown.push_back(list);
        else
            tooltip = tooltip || p->list != nullptr;
    if (tooltip)
        Application->CancelHint();
    // Each dismissal may take others with it (a menu and its sub-menus); only those still shown
    // are dismissed.
    for (TDropDownList* list : shown)
        for (int i = 0; i < m_form.ControlCount(); ++i)
            if (m_form.Controls(i) == list && list->ShownApart()) {
                list->Dismiss();
                break;
            }
}

}  // namespace host
