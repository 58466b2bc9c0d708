// A program built with nothing but the flags `pkg-config --cflags --libs lm7` gives: a form
// with a styled list box, read from a text description, painted; it prints the colour of the
// selected row, which the description set.

#include "controls/StyledListbox.h"
#include "framework/forms/Forms.h"
#include "framework/forms/TextForms.h"
#include "package/LM7StyledListboxPack.h"

#include <cstdio>
#include <memory>

using namespace framework;

int main() {
    const lm7::TPackageScope package;
    std::unique_ptr<TForm, TFreeDeleter> form(Create<TForm>(nullptr));
    ReadTextForm("object Form1: TForm\n"
                 "  ClientWidth = 120\n"
                 "  ClientHeight = 60\n"
                 "  object Words: TStyledListbox\n"
                 "    Width = 120\n"
                 "    Height = 60\n"
                 "    _SelectedColour = clRed\n"
                 "  end\n"
                 "end\n",
                 form.get());
    auto* words = As<lm7::TStyledListbox>(form->FindComponent("Words"));
    words->Items()->Add("word");
    words->SetItemIndex(0);
    form->Show();
    const auto picture = form->Snapshot();
    std::printf("%06X\n", static_cast<unsigned>(picture->ScanLine(8)[100] & 0xFFFFFF));
    return 0;
}
