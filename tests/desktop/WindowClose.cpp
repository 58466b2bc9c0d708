#include "WindowClose.h"

#include <X11/Xlib.h>

namespace testsupport {

bool AskWindowToClose(unsigned long Window, std::string& Why) {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        Why = "cannot open the X display";
        return false;
    }
    XEvent event{};
    event.xclient.type = ClientMessage;
    event.xclient.window = Window;
    event.xclient.message_type = XInternAtom(display, "WM_PROTOCOLS", False);
    event.xclient.format = 32;
    event.xclient.data.l[0] = static_cast<long>(XInternAtom(display, "WM_DELETE_WINDOW", False));
    event.xclient.data.l[1] = CurrentTime;
    const Status sent = XSendEvent(display, Window, False, NoEventMask, &event);
    XCloseDisplay(display);  // flushes the request
    if (!sent)
        Why = "the close request could not be sent";
    return sent != 0;
}

}  // namespace testsupport
