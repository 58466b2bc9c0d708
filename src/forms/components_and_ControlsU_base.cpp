#include "forms/components_and_ControlsU_base.h"

#include "framework/forms/Application.h"
#include "framework/rtl/Exceptions.h"

namespace lm7 {

using namespace framework;

const TClassInfo& TMyComponentList::ClassInfo() {
    static const TClassInfo info = TClassInfo::Derive<TMyComponentList, TStringList>("TMyComponentList");
    return info;
}

TMyComponentList::~TMyComponentList() { TMyComponentList::Clear(); }

void TMyComponentList::Clear() {
    for (int i = 0; i < Count(); ++i)
        if (TObject* holder = Objects(i)) {
            PutObject(i, nullptr);
            holder->Free();
        }
    TStringList::Clear();
}

namespace {

// Visits C, then (when C is windowed) its child controls, depth first.
template <class Visit> void VisitWithChildren(TComponent* C, Visit& visit) {
    if (!visit(C))
        return;
    if (auto* win = As<TWinControl>(C))
        // A callback may change the children; the count is read every time round.
        for (int i = 0; i < win->ControlCount(); ++i)
            VisitWithChildren(win->Controls(i), visit);
}

template <class Visit> void WalkOwned(TForm* Form, Visit& visit) {
    for (int i = 0; i < Form->ComponentCount(); ++i) {
        Application->ProcessMessages();
        if (i >= Form->ComponentCount())
            break;  // a handler run by ProcessMessages removed components
        VisitWithChildren(Form->Components(i), visit);
    }
}

}  // namespace

void FindComponentsWPropertyOfTypes(TForm* Form, TList* List, std::string_view PropName, int Value) {
    if (!List || !Form)
        return;
    auto visit = [&](TComponent* C) {
        if (!C->Name().empty() && ObjHasPropertyAndNotValue(C, PropName, Value))
            List->Add(C);
        return true;
    };
    WalkOwned(Form, visit);
}

void LoadAllRelevantComponentsOfForm(TForm* Form, const TClassList& Classes, TList* List) {
    if (!List || !Form)
        return;
    auto visit = [&](TComponent* C) {
        if (C->Name().empty())
            return false;  // neither it nor its children through it
        for (TClass cls : Classes)
            if (C->InheritsFrom(cls) || ObjHasPropertyAndNotValue(C, "Images", 0)) {
                if (List->IndexOf(C) < 0)
                    List->Add(C);
                break;
            }
        return true;
    };
    WalkOwned(Form, visit);
}

void SetAllOfXTypesComponentsToDoThis(TForm* Form, TDoThisProc DoThis, const TClassList& Classes) {
    if (!DoThis || !Form)
        return;
    auto visit = [&](TComponent* C) {
        for (TClass cls : Classes)
            if (C->InheritsFrom(cls) && !C->Name().empty())
                DoThis(static_cast<TControl*>(C));
        return true;
    };
    WalkOwned(Form, visit);
}

void SetAllOfXTypesChildControlsToDoThisInt(TWinControl* Parent, TDoThisIntegerProc DoThis,
                                            const TClassList& Classes, int Value) {
    if (!DoThis || !Parent)
        return;
    auto visit = [&](TComponent* C) {
        for (TClass cls : Classes)
            if (C->InheritsFrom(cls) && !C->Name().empty())
                DoThis(static_cast<TControl*>(C), Value);
        return true;
    };
    for (int i = 0; i < Parent->ControlCount(); ++i) {
        Application->ProcessMessages();
        if (i >= Parent->ControlCount())
            break;
        VisitWithChildren(Parent->Controls(i), visit);
    }
}

bool ObjHasPropertyAndNotValue(const TObject* Obj, std::string_view PropName, std::int64_t Value) {
    const TPropInfo* prop = Obj ? GetPropInfo(Obj, PropName) : nullptr;
    if (!prop)
        return false;
    try {
        return GetOrdProp(Obj, prop) != Value;
    } catch (const Exception&) {
        return false;  // not an ordinal: no answer to give
    }
}

bool TrySetPropValue(TObject* Obj, std::string_view PropName, const TValue& Value) {
    if (!Obj)
        return false;
    try {
        SetPropValue(Obj, PropName, Value);
        return true;
    } catch (...) {
        return false;  // callers only ask whether it took
    }
}

bool TrySetPropValue(TObject* Obj, std::string_view PropName, TObject* Value) {
    if (!Obj)
        return false;
    try {
        SetObjectProp(Obj, PropName, Value);
        return true;
    } catch (...) {
        return false;
    }
}

namespace {

TCallingProgramMessageRec Decode(TMessage& Message, bool positive) {
    TCallingProgramMessageRec rec;
    rec.Command = static_cast<std::uint16_t>(Message.WParam & 0xFFFF);
    rec.Detail = static_cast<std::uint8_t>((Message.WParam >> 16) & 0xFF);
    rec.Value = Message.LParam;
    if (positive && rec.Value < 0)
        // Negated in unsigned arithmetic: the most negative number comes back as itself.
        rec.Value = static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(rec.Value));
    Message.Result = 0;
    return rec;
}

}  // namespace

TCallingProgramMessageRec MessageFromCallingProgram(TMessage& Message) { return Decode(Message, true); }
TCallingProgramMessageRec MessageExtraFromCallingProgram(TMessage& Message) { return Decode(Message, false); }

}  // namespace lm7
