// The framework's own controls: a panel, labels with an accelerator and word wrapping, a
// list box with a selected item, and buttons that open a second window and a message box.

#include "GallerySection.h"
#include "GalleryWindow.h"

#include "framework/controls/Button.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/forms/MessageDialogs.h"

using namespace framework;

namespace {

// A second window of the program, kept by the gallery and shown again on each press; its Close
// button (Escape) hides it.
void ShowSecondWindow(TCustomForm& gallery) {
    auto* second = As<TForm>(gallery.FindComponent("SecondWindow"));
    if (!second) {
        second = Create<TForm>(&gallery);
        second->SetName("SecondWindow");
        second->SetCaption("Gallery: second window");
        second->SetClientWidth(MulDiv(260, gallery.PixelsPerInch(), 96));
        second->SetClientHeight(MulDiv(90, gallery.PixelsPerInch(), 96));
        auto* text = Create<TLabel>(second);
        text->SetBounds(MulDiv(12, gallery.PixelsPerInch(), 96), MulDiv(12, gallery.PixelsPerInch(), 96), 0,
                        0);
        text->SetCaption("A second window of the same program.");
        text->SetParent(second);
        auto* close = Create<TButton>(second);
        close->SetBounds(MulDiv(92, gallery.PixelsPerInch(), 96), MulDiv(50, gallery.PixelsPerInch(), 96),
                         MulDiv(75, gallery.PixelsPerInch(), 96), MulDiv(25, gallery.PixelsPerInch(), 96));
        close->SetCaption("&Close");
        close->SetCancel(true);
        close->SetParent(second);
        close->OnClick = TNotifyEvent::Lambda([second](TObject*) { second->Close(); });
    }
    second->Show();
}

void Build(TWinControl& area) {
    TComponent* owner = area.Owner();

    auto* caption = Create<TLabel>(owner);
    caption->SetBounds(12, 8, 0, 0);
    caption->SetCaption("&Recent corpora:");
    caption->SetParent(&area);

    auto* list = Create<TListBox>(owner);
    list->SetBounds(12, 28, 220, 180);
    for (const char* item : {"Shakespeare, complete works", "British newspapers 1990-1999",
                             "Parliamentary debates", "Learner essays (advanced)", "Twitter sample 2024",
                             "Children's literature", "Scientific abstracts", "Song lyrics"})
        list->Items()->Add(item);
    list->SetItemIndex(2);
    list->SetParent(&area);
    caption->SetFocusControl(list);

    auto* side = Create<TPanel>(owner);
    side->SetBounds(244, 8, 214, 200);
    side->SetBevelOuter(bvLowered);
    side->SetColor(clWindow);
    side->SetCaption("");
    side->SetParent(&area);

    auto* note = Create<TLabel>(owner);
    note->SetWordWrap(true);
    note->SetBounds(10, 10, 194, 0);
    note->SetCaption("Each tool window of the suite is built from these controls: list boxes that paint "
                     "their own items, labels with accelerators, panels with bevels.");
    note->SetParent(side);

    auto* status = Create<TPanel>(owner);
    status->SetBounds(12, 222, 446, 24);
    status->SetBevelOuter(bvLowered);
    status->SetAlignment(taLeftJustify);
    status->SetCaption(" 8 corpora");
    status->SetParent(&area);

    auto* window = Create<TButton>(owner);
    window->SetName("ButtonSecondWindow");
    window->SetBounds(12, 254, 140, 25);
    window->SetCaption("Second &window");
    window->SetParent(&area);
    window->OnClick = TNotifyEvent::Lambda([&area](TObject*) {
        if (TCustomForm* form = GetParentForm(&area))
            ShowSecondWindow(*form);
    });
    auto* message = Create<TButton>(owner);
    message->SetName("ButtonMessageBox");
    message->SetBounds(160, 254, 140, 25);
    message->SetCaption("&Message box");
    message->SetParent(&area);
    message->OnClick = TNotifyEvent::Lambda([&area](TObject*) {
        const int answer = MessageDlg("A message box drawn by the framework, in the window's colour style.",
                                      mtInformation, mbOKCancel, 0);
        if (auto* gallery = As<gallery::TGalleryWindow>(GetParentForm(&area)))
            gallery->Report(std::string("Message box: ") + (answer == mrOk ? "OK" : "Cancel"));
    });
}

const bool registered = gallery::RegisterGallerySection({"AreaFramework", Build});

}  // namespace
