// The gallery: a window built from the package's controls, pictured into a PNG so that a
// person can look at what the controls draw.

#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "framework/rtl/Exceptions.h"

#include <cstdio>
#include <exception>
#include <memory>
#include <string>

using namespace framework;

namespace {

std::unique_ptr<TForm, TFreeDeleter> BuildGallery() {
    std::unique_ptr<TForm, TFreeDeleter> form(Create<TForm>(nullptr));
    form->SetCaption("Gallery");
    form->SetClientWidth(480);
    form->SetClientHeight(300);

    auto* header = Create<TPanel>(form.get());
    header->SetName("Header");
    header->SetAlign(alTop);
    header->SetHeight(36);
    header->SetCaption("Framework controls");
    header->Font()->SetStyle(fsBold);
    header->SetParent(form.get());

    auto* caption = Create<TLabel>(form.get());
    caption->SetName("ListCaption");
    caption->SetBounds(12, 48, 0, 0);
    caption->SetCaption("&Recent corpora:");
    caption->SetParent(form.get());

    auto* list = Create<TListBox>(form.get());
    list->SetName("Corpora");
    list->SetBounds(12, 68, 220, 180);
    for (const char* item : {"Shakespeare, complete works", "British newspapers 1990-1999",
                             "Parliamentary debates", "Learner essays (advanced)", "Twitter sample 2024",
                             "Children's literature", "Scientific abstracts", "Song lyrics"})
        list->Items()->Add(item);
    list->SetItemIndex(2);
    list->SetParent(form.get());
    caption->SetFocusControl(list);

    auto* side = Create<TPanel>(form.get());
    side->SetName("Details");
    side->SetBounds(248, 48, 220, 200);
    side->SetBevelOuter(bvLowered);
    side->SetColor(clWindow);
    side->SetCaption("");
    side->SetParent(form.get());

    auto* note = Create<TLabel>(form.get());
    note->SetName("Note");
    note->SetWordWrap(true);
    note->SetBounds(10, 10, 200, 0);
    note->SetCaption("Each tool window of the suite is built from these controls: list boxes that paint "
                     "their own items, labels with accelerators, panels with bevels.");
    note->SetParent(side);

    auto* status = Create<TPanel>(form.get());
    status->SetName("Status");
    status->SetAlign(alBottom);
    status->SetHeight(24);
    status->SetAlignment(taLeftJustify);
    status->SetCaption("  8 corpora");
    status->SetParent(form.get());
    return form;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string out = argc > 1 ? argv[1] : "gallery.png";
    try {
        auto form = BuildGallery();
        form->Show();
        Application->ProcessMessages();
        form->Snapshot()->SaveToFile(out);
        std::printf("%s\n", out.c_str());
        return 0;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "gallery: %s\n", e.what());
        return 1;
    }
}
