#pragma once
// The windows' controls as ATK objects, for screen readers. Each control, and each item a
// control draws itself, is an object over the framework's description of it
// (framework/controls/Accessible.h), made on first use and defunct once its control is freed.
// The tree also tells ATK's listeners what changed: the focus, the focused edit's text and
// caret, the focused list's selection.

#include <SDL.h>

#include <memory>

namespace framework {
class TControl;
class TCustomForm;
}  // namespace framework

typedef struct _AtkObject AtkObject;

namespace host {

class TAccessibleTree {
public:
    TAccessibleTree();
    ~TAccessibleTree();
    TAccessibleTree(const TAccessibleTree&) = delete;
    TAccessibleTree& operator=(const TAccessibleTree&) = delete;

    // A window joins the tree as a frame of the application, and leaves it.
    void AddWindow(framework::TCustomForm& Form, SDL_Window* Window);
    void RemoveWindow(framework::TCustomForm& Form);

    // The application: its children are the windows' frames.
    AtkObject* Root();
    // The object of a control (Item -1) or of one of its items; owned by the tree.
    AtkObject* Accessible(framework::TControl& Control, int Item = -1);

    // Tells the listeners what changed since the last call.
    void NotifyChanges();

    class TImpl;

private:
    std::unique_ptr<TImpl> m_impl;
};

}  // namespace host
