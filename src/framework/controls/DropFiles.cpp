#include "framework/controls/DropFiles.h"

namespace framework {

namespace {
struct TDrop {
    const std::vector<std::string>* files;
    TPoint point;
};

const TDrop* dropOf(HDROP Drop) {
    return static_cast<const TDrop*>(PointerFromLParam(static_cast<std::int32_t>(Drop)));
}
}  // namespace

void DragAcceptFiles(TWinControl* Control, bool Accept) {
    if (Control)
        Control->SetAcceptsDroppedFiles(Accept);
}

unsigned DragQueryFile(HDROP Drop, unsigned Index, std::string* Name) {
    const TDrop* drop = dropOf(Drop);
    if (!drop)
        return 0;
    if (Index == 0xFFFFFFFFu)
        return static_cast<unsigned>(drop->files->size());
    if (Index >= drop->files->size())
        return 0;
    const std::string& name = (*drop->files)[Index];
    if (Name)
        *Name = name;
    return static_cast<unsigned>(name.size());
}

bool DragQueryPoint(HDROP Drop, TPoint& Point) {
    const TDrop* drop = dropOf(Drop);
    if (drop)
        Point = drop->point;
    return drop != nullptr;
}

bool DropFilesOnto(TWinControl& Top, int X, int Y, const std::vector<std::string>& Files) {
    TWinControl* target = &Top;
    TPoint p{X, Y};
    // The deepest window under the point, as the mouse finds it.
    while (auto* child = As<TWinControl>(target->ControlAtPos(p, false, true))) {
        p = TPoint{p.X - child->Left() - child->ClientInset(), p.Y - child->Top() - child->ClientInset()};
        target = child;
    }
    while (target && !target->AcceptsDroppedFiles()) {
        if (target->Parent())
            p = TPoint{p.X + target->Left() + target->ClientInset(),
                       p.Y + target->Top() + target->ClientInset()};
        target = target->Parent();
    }
    if (!target || Files.empty())
        return false;
    const TDrop drop{&Files, p};
    const TLParamPointer handle(&drop);
    target->Perform(WM_DROPFILES, static_cast<std::uint32_t>(handle.LParam()), 0);
    return true;
}

}  // namespace framework
