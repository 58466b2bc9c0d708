#pragma once
// The windows' accessible tree (AccessibleTree.h) on the desktop's accessibility bus (AT-SPI),
// published by ATK's AT-SPI bridge. The bridge runs on GLib's main context, which the host's
// loop iterates through Pump; a watcher thread waits on that context's descriptors while the
// loop waits for SDL's events, and wakes the loop when a reader's request arrives.

#include "host/AccessibleTree.h"

#include <memory>
#include <string>

namespace host {

class TContextWake;

class TAccessBridge {
public:
    // The process's bridge, started on first use; null when NO_AT_BRIDGE is 1 or the
    // accessibility bus cannot be reached, and then Why (when given) says why.
    static TAccessBridge* Start(std::string* Why = nullptr);
    ~TAccessBridge();

    void AddWindow(framework::TCustomForm& Form, SDL_Window* Window);
    void RemoveWindow(framework::TCustomForm& Form);

    // Answers the readers' requests that have arrived, then tells them what changed since the
    // last call.
    void Pump();

    TAccessibleTree& Tree() { return m_tree; }

private:
    TAccessBridge();
    TAccessibleTree m_tree;
    std::unique_ptr<TContextWake> m_wake;
};

}  // namespace host
