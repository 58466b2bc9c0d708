#pragma once
// The windows' controls on the desktop's accessibility bus (AT-SPI), for screen readers. Each
// control and each item a control draws itself is an ATK object over the framework's
// description of it (framework/controls/Accessible.h); ATK's AT-SPI bridge publishes them.
// The bridge runs on GLib's main context, which the host's loop iterates through Pump; a
// watcher thread waits on that context's descriptors while the loop waits for SDL's events,
// and wakes the loop when a reader's request arrives.

#include <SDL.h>

#include <memory>
#include <string>
#include <vector>

namespace framework {
class TControl;
class TCustomForm;
}  // namespace framework

typedef struct _AtkObject AtkObject;

namespace host {

class TAccessBridge {
public:
    // The process's bridge, started on first use; null when NO_AT_BRIDGE is set or the
    // accessibility bus cannot be reached, and then Why (when given) says why.
    static TAccessBridge* Start(std::string* Why = nullptr);

    // A window joins the desktop's tree as a frame of this application, and leaves it.
    void AddWindow(framework::TCustomForm& Form, SDL_Window* Window);
    void RemoveWindow(framework::TCustomForm& Form);

    // Answers the readers' requests that have arrived, then tells them what changed since the
    // last call: the focus, the focused edit's text and caret, the focused list's selection.
    void Pump();

    // The ATK object of a control (Item -1) or of one of its items, made on first use.
    AtkObject* Accessible(framework::TControl& Control, int Item = -1);

    class TImpl;
    ~TAccessBridge();

private:
    TAccessBridge();
    std::unique_ptr<TImpl> m_impl;
};

}  // namespace host
