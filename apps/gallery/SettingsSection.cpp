// A tool window's remembered state: the controls on the left start from a stored ini text, as a
// tool window reads its file when it is shown; the memo on the right shows the ini text the
// window would save now, kept up to date as the controls report changes.

#include "GallerySection.h"

#include "framework/controls/CheckBox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Frames.h"
#include "framework/controls/RadioGroup.h"
#include "settings/ReadAndSaveIni.h"
#include "vendor/AdvControls.h"
#include "vendor/ElButtons.h"
#include "vendor/ElEdits.h"
#include "vendor/VendorCombos.h"

using namespace framework;
using namespace vendor;

namespace {

const char* const kState = "[EditSearch]\ntext=\"  the whale  \"\n\n"
                           "[CheckCase]\nchecked=true\n\n"
                           "[RadioSort]\ni=1\n\n"
                           "[SpinMax]\nvalue=250\n\n"
                           "[ComboHistory]\ncount=3\nitem0=whale\nitem1=ship\nitem2=sea\ni=0\n\n"
                           "[GroupCols]\nchecked0=true\nchecked1=false\nchecked2=true\n\n"
                           "[FilePick]\ntext=app_drive$corpus/moby_dick.txt\n\n";

template <class T>
T* Place(TComponent* owner, TWinControl* parent, const char* name, int x, int y, int w, int h) {
    T* c = Create<T>(owner);
    c->SetName(name);
    c->SetBounds(x, y, w, h);
    c->SetParent(parent);
    return c;
}

void Build(TWinControl& area) {
    // The frame owns the controls, as a tool window's form does; the walk starts from it.
    auto* frame = Create<TFrame>(area.Owner());
    frame->SetBounds(0, 0, 250, gallery::kSectionHeight);
    frame->SetParent(&area);
    Place<TEdit>(frame, frame, "EditSearch", 8, 8, 234, 21);
    auto* check = Place<TCheckBox>(frame, frame, "CheckCase", 8, 36, 234, 17);
    check->SetCaption("Match case");
    auto* sort = Place<TRadioGroup>(frame, frame, "RadioSort", 8, 58, 114, 80);
    sort->SetCaption("Sort by");
    sort->Items()->SetText("frequency\nalphabet\n");
    Place<TAdvSpinEdit>(frame, frame, "SpinMax", 130, 64, 112, 21);
    Place<TAdvCustomCombo>(frame, frame, "ComboHistory", 130, 94, 112, 21);
    auto* cols = Place<TElCheckGroup>(frame, frame, "GroupCols", 8, 144, 234, 80);
    cols->SetCaption("Columns");
    cols->Items()->SetText("word\nfrequency\nrange\n");
    cols->SetColumns(2);
    Place<TElFileNameEdit>(frame, frame, "FilePick", 8, 232, 234, 21);

    sibling::TMyMemIniFile ini("");
    ini.LoadFromBytes(kState);
    lm7::ReadOrSaveComponents(frame, ini, true);

    auto* text = Create<TMemo>(area.Owner());
    text->SetName("RememberedSettings");  // the window fills it
    text->SetBounds(258, 8, gallery::kSectionWidth - 266, gallery::kSectionHeight - 16);
    text->SetReadOnly(true);
    text->SetParent(&area);
}

const bool registered = gallery::RegisterGallerySection({"AreaSettings", Build});

}  // namespace
