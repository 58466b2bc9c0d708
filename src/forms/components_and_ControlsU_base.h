#pragma once
// Treating a form's components generically: walks that collect, or act on, every component of
// given classes or with a given published property; property access by name that never
// raises; and the decoding of the broadcast by which the suite's launching program talks to
// its tool windows.
//
// The walks start from what the form owns (Components), which includes controls at every
// depth, and also recurse into each windowed control's children (Controls); so a control on a
// panel is reached once as an owned component and once more through the panel. Before each
// top-level component the application handles its pending messages, so the user interface
// stays live and other handlers may run in between.

#include "framework/classes/Events.h"
#include "framework/classes/List.h"
#include "framework/classes/StringList.h"
#include "framework/classes/TypInfo.h"
#include "framework/controls/Control.h"
#include "framework/controls/WinControl.h"
#include "framework/forms/Forms.h"

#include <cstdint>
#include <string_view>
#include <vector>

namespace lm7 {

struct TMyComponentRec {
    framework::TClass classe = nullptr;
    framework::TComponent* obj = nullptr;  // not owned
};

// A TMyComponentRec carried as the object of a string-list entry.
class TMyComponentHolder : public framework::TObject {
public:
    explicit TMyComponentHolder(const TMyComponentRec& AData) : data(AData) {}
    TMyComponentRec data;
};

// A string list whose entries own TMyComponentHolder objects: Clear frees them, and so does
// the list when it goes, so a user that forgets to clear leaks nothing.
class TMyComponentList : public framework::TStringList {
public:
    static const framework::TClassInfo& ClassInfo();
    framework::TClass ClassType() const override { return &ClassInfo(); }

    TMyComponentList() = default;
    ~TMyComponentList() override;
    void Clear() override;
};

using TClassList = std::vector<framework::TClass>;
using TDoThisProc = framework::TEvent<framework::TControl*>;
using TDoThisIntegerProc = framework::TEvent<framework::TControl*, int>;

struct TCallingProgramMessageRec {
    std::uint16_t Command = 0;
    std::uint8_t Detail = 0;
    std::int32_t Value = 0;
};

// Appends every named component (and, through windowed controls, child control) whose
// published property PropName reads as an ordinal other than Value. Duplicates are kept.
void FindComponentsWPropertyOfTypes(framework::TForm* Form, framework::TList* List, std::string_view PropName,
                                    int Value);
// Appends, once each, the named components that inherit from one of Classes or have an image
// list; an unnamed component is skipped together with its child controls.
void LoadAllRelevantComponentsOfForm(framework::TForm* Form, const TClassList& Classes,
                                     framework::TList* List);
// Calls DoThis on each named component once for every entry of Classes it inherits from.
void SetAllOfXTypesComponentsToDoThis(framework::TForm* Form, TDoThisProc DoThis, const TClassList& Classes);
// As above, starting from Parent's child controls, so each control below Parent is met once.
void SetAllOfXTypesChildControlsToDoThisInt(framework::TWinControl* Parent, TDoThisIntegerProc DoThis,
                                            const TClassList& Classes, int Value);

// True when Obj's class publishes PropName and the property, read as an ordinal (an object as
// its address, nil as 0), differs from Value. False for an unknown property or a null Obj.
bool ObjHasPropertyAndNotValue(const framework::TObject* Obj, std::string_view PropName, std::int64_t Value);
// Sets a published property; false, with the object unchanged, when the property is unknown
// or read-only or the value does not fit.
bool TrySetPropValue(framework::TObject* Obj, std::string_view PropName, const framework::TValue& Value);
bool TrySetPropValue(framework::TObject* Obj, std::string_view PropName, framework::TObject* Value);

// Command from the low word of WParam, Detail from bits 16 to 23, Value from LParam (made
// positive by MessageFromCallingProgram; the most negative number stays as it is). Both mark
// the message handled (Result 0).
TCallingProgramMessageRec MessageFromCallingProgram(framework::TMessage& Message);
TCallingProgramMessageRec MessageExtraFromCallingProgram(framework::TMessage& Message);

}  // namespace lm7
