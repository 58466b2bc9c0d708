// A drag source on the X desktop, as a file manager is one: it drags files to the window under a
// point of the screen by the XDND protocol and hands them over as text/uri-list.
//
//   xdnd_source X Y FILE...
//
// It moves the pointer to (X, Y), finds the deepest window there that takes drops (XdndAware),
// offers the files (XdndEnter, XdndPosition), drops them once they are accepted (XdndDrop),
// answers the target's request for the selection with their file URIs (percent escapes for
// every byte but the unreserved ones and '/'), and waits for XdndFinished. Exit status 0 when the
// target took the drop; 1 for bad arguments or no display, 2 when no window there takes drops,
// 3 when the target refused them, 4 when it did not answer in time.

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr long kXdndVersion = 5;

struct TAtoms {
    Atom aware, selection, enter, position, status, drop, finished, actionCopy, uriList;
    explicit TAtoms(Display* X)
        : aware(XInternAtom(X, "XdndAware", False)), selection(XInternAtom(X, "XdndSelection", False)),
          enter(XInternAtom(X, "XdndEnter", False)), position(XInternAtom(X, "XdndPosition", False)),
          status(XInternAtom(X, "XdndStatus", False)), drop(XInternAtom(X, "XdndDrop", False)),
          finished(XInternAtom(X, "XdndFinished", False)),
          actionCopy(XInternAtom(X, "XdndActionCopy", False)),
          uriList(XInternAtom(X, "text/uri-list", False)) {}
};

// A file URI for Path: the unreserved characters and '/' as they are, every other byte escaped.
std::string FileUri(const std::string& Path) {
    static const char* hex = "0123456789ABCDEF";
    std::string uri = "file://";
    for (const char c : Path) {
        const auto b = static_cast<unsigned char>(c);
        if ((b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z') || (b >= '0' && b <= '9') || b == '-' ||
            b == '.' || b == '_' || b == '~' || b == '/') {
            uri += c;
        } else {
            uri += '%';
            uri += hex[b >> 4];
            uri += hex[b & 15];
        }
    }
    return uri;
}

// The XDND version Window takes drops with, or 0 when it takes none.
long AwareVersion(Display* X, Window W, const TAtoms& Atoms) {
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char* data = nullptr;
    long version = 0;
    if (XGetWindowProperty(X, W, Atoms.aware, 0, 1, False, XA_ATOM, &type, &format, &count, &after, &data) ==
            Success &&
        data && count == 1 && format == 32)
        version = static_cast<long>(*reinterpret_cast<const unsigned long*>(data));
    if (data)
        XFree(data);
    return version;
}

// The deepest window at (X, Y) of the root that takes drops; None when there is none.
Window TargetAt(Display* X, int PointX, int PointY, const TAtoms& Atoms, long& Version) {
    const Window root = DefaultRootWindow(X);
    Window found = None;
    for (Window w = root;;) {
        if (w != root)
            if (const long v = AwareVersion(X, w, Atoms); v > 0) {
                found = w;
                Version = v;
            }
        int x = 0, y = 0;
        Window child = None;
        if (!XTranslateCoordinates(X, root, w, PointX, PointY, &x, &y, &child) || child == None)
            return found;
        w = child;
    }
}

void SendToTarget(Display* X, Window Target, Atom Type, long L0, long L1, long L2, long L3, long L4) {
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.display = X;
    e.xclient.window = Target;
    e.xclient.message_type = Type;
    e.xclient.format = 32;
    e.xclient.data.l[0] = L0;
    e.xclient.data.l[1] = L1;
    e.xclient.data.l[2] = L2;
    e.xclient.data.l[3] = L3;
    e.xclient.data.l[4] = L4;
    XSendEvent(X, Target, False, NoEventMask, &e);
    XFlush(X);
}

// The next event, waiting until Deadline at most; false when none came.
bool NextEvent(Display* X, XEvent& Event, std::chrono::steady_clock::time_point Deadline) {
    while (!XPending(X)) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            Deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0)
            return false;
        pollfd fd{ConnectionNumber(X), POLLIN, 0};
        poll(&fd, 1, static_cast<int>(left.count()));
    }
    XNextEvent(X, &Event);
    return true;
}

// Answers a request for the selection: the URIs for text/uri-list, a refusal for anything else.
void AnswerRequest(Display* X, const XSelectionRequestEvent& Request, const TAtoms& Atoms,
                   const std::string& Uris) {
    XEvent reply{};
    reply.xselection.type = SelectionNotify;
    reply.xselection.display = X;
    reply.xselection.requestor = Request.requestor;
    reply.xselection.selection = Request.selection;
    reply.xselection.target = Request.target;
    reply.xselection.time = Request.time;
    reply.xselection.property = None;
    if (Request.selection == Atoms.selection && Request.target == Atoms.uriList) {
        const Atom property = Request.property != None ? Request.property : Request.target;
        XChangeProperty(X, Request.requestor, property, Atoms.uriList, 8, PropModeReplace,
                        reinterpret_cast<const unsigned char*>(Uris.data()), static_cast<int>(Uris.size()));
        reply.xselection.property = property;
    }
    XSendEvent(X, Request.requestor, False, NoEventMask, &reply);
    XFlush(X);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: %s X Y FILE...\n", argv[0]);
        return 1;
    }
    const int pointX = std::atoi(argv[1]), pointY = std::atoi(argv[2]);
    std::string uris;
    for (int i = 3; i < argc; ++i)
        uris += FileUri(argv[i]) + "\r\n";
    Display* x = XOpenDisplay(nullptr);
    if (!x) {
        std::fprintf(stderr, "cannot open the display\n");
        return 1;
    }
    const TAtoms atoms(x);
    const Window root = DefaultRootWindow(x);
    // The source's own window, never shown: it owns the selection and hears the target.
    const Window source = XCreateSimpleWindow(x, root, 0, 0, 1, 1, 0, 0, 0);
    XWarpPointer(x, None, root, 0, 0, 0, 0, pointX, pointY);
    XSync(x, False);
    long version = 0;
    const Window target = TargetAt(x, pointX, pointY, atoms, version);
    if (target == None) {
        std::fprintf(stderr, "no window at %d,%d takes drops\n", pointX, pointY);
        XCloseDisplay(x);
        return 2;
    }
    version = std::min(version, kXdndVersion);
    XSetSelectionOwner(x, atoms.selection, source, CurrentTime);
    const auto src = static_cast<long>(source);
    // Three types at most go in the message itself; the one offered is the list of URIs.
    SendToTarget(x, target, atoms.enter, src, version << 24, static_cast<long>(atoms.uriList), None, None);
    SendToTarget(x, target, atoms.position, src, 0, (static_cast<long>(pointX) << 16) | pointY, CurrentTime,
                 static_cast<long>(atoms.actionCopy));
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    bool dropped = false;
    XEvent e;
    while (NextEvent(x, e, deadline)) {
        if (e.type == SelectionRequest) {
            AnswerRequest(x, e.xselectionrequest, atoms, uris);
        } else if (e.type == ClientMessage && e.xclient.message_type == atoms.status && !dropped) {
            if (!(e.xclient.data.l[1] & 1)) {
                std::fprintf(stderr, "the window refused the files\n");
                SendToTarget(x, target, XInternAtom(x, "XdndLeave", False), src, 0, 0, 0, 0);
                XCloseDisplay(x);
                return 3;
            }
            SendToTarget(x, target, atoms.drop, src, 0, CurrentTime, 0, 0);
            dropped = true;
        } else if (e.type == ClientMessage && e.xclient.message_type == atoms.finished) {
            // Before version 5 a finished drop says nothing of its success.
            const bool accepted = version < 5 || (e.xclient.data.l[1] & 1);
            XCloseDisplay(x);
            if (!accepted)
                std::fprintf(stderr, "the window did not take the drop\n");
            return accepted ? 0 : 3;
        }
    }
    std::fprintf(stderr, "no answer from the window (%s)\n", dropped ? "dropped" : "not dropped");
    XCloseDisplay(x);
    return 4;
}
