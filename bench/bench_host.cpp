// One input event to its repaint presented: a click on an item of a list box in a window of
// 500 controls, through the window host (event translation, dispatch, repaint of what was
// invalidated, composition into the window's pixels and their update), against repainting
// that list box alone. Reading the gallery's accessible tree, every node with its role, name and
// states through ATK as the accessibility bridge reads it, against one full repaint of the window.

#include "RatioReporter.h"

#include "GalleryWindow.h"
#include "controls/StyledListbox.h"
#include "framework/controls/ComboBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Label.h"
#include "framework/controls/ListBox.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "host/AccessibleTree.h"
#include "host/WindowHost.h"
#include "package/LM7StyledListboxPack.h"

#include <atk/atk.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>

using namespace framework;

namespace {

constexpr int kControls = 500;

// A tool window: a list box and 499 other controls in rows of panels, edits and labels.
TForm* MakeWindow(lm7::TStyledListbox*& list) {
    auto* form = Create<TForm>(nullptr);
    form->SetClientWidth(1000);
    form->SetClientHeight(700);
    list = Create<lm7::TStyledListbox>(form);
    list->SetParent(form);
    list->SetBounds(10, 10, 300, 400);
    list->SetShowValues(true);
    for (int i = 0; i < 100; ++i)
        list->Items()->AddObject("word " + std::to_string(i), TStrings::IntToObject(1000 - i));
    for (int i = 1; i < kControls; ++i) {
        const int x = 320 + (i % 10) * 66, y = 10 + (i / 10) * 13;
        TControl* c = nullptr;
        switch (i % 3) {
        case 0:
            c = Create<TPanel>(form);
            break;
        case 1:
            c = Create<TEdit>(form);
            break;
        default:
            c = Create<TLabel>(form);
            c->SetCaption("label");
            break;
        }
        c->SetParent(form);
        c->SetBounds(x, y, 60, 12);
    }
    return form;
}

SDL_Event press(bool down, int x, int y) {
    SDL_Event e{};
    e.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    e.button.button = SDL_BUTTON_LEFT;
    e.button.clicks = 1;
    e.button.x = x;
    e.button.y = y;
    return e;
}

void BM_ClickToPresent(benchmark::State& state) {
    // SDL's dummy driver, unless another is asked for: a window whose pixels are plain memory,
    // with no display and no GPU, so the time is the host's and the framework's. With a GL
    // driver (SDL_VIDEODRIVER=offscreen) SDL adds its own upload and present of the window.
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    lm7::TStyledListbox* list = nullptr;
    host::TWindowHost window(host::THostOptions{96, false, true});
    window.Open(MakeWindow(list));
    const TPoint origin = list->ClientOrigin();
    const int itemHeight = list->ItemHeight();
    int item = 0;
    for (auto _ : state) {
        // Two items in turn, so every click changes the selection.
        item ^= 1;
        const int y = origin.Y + item * itemHeight + itemHeight / 2;
        window.HandleEvent(press(true, origin.X + 50, y));
        window.HandleEvent(press(false, origin.X + 50, y));
        window.Flush();
        benchmark::DoNotOptimize(window.Frame());
    }
    if (list->ItemIndex() != item)
        state.SkipWithError("the click did not select the item");
    state.counters["controls"] = kControls;
}

void BM_RepaintListAlone(benchmark::State& state) {
    lm7::TStyledListbox* list = nullptr;
    std::unique_ptr<TForm, TFreeDeleter> form(MakeWindow(list));
    form->Show();
    Application->ProcessMessages();
    int item = 0;
    for (auto _ : state) {
        item ^= 1;
        list->SetItemIndex(item);
        list->Repaint();
        benchmark::DoNotOptimize(list->Surface());
    }
}

// A list box dragged by its thumb: each step of the pointer moves the thumb, scrolls the list and
// repaints it. With a million items each step has to cost what it costs with a hundred: the
// work follows the rows shown, not the rows held.
void ThumbDragSteps(benchmark::State& state, int Items) {
    std::unique_ptr<TForm, TFreeDeleter> form(Create<TForm>(nullptr));
    form->SetClientWidth(400);
    form->SetClientHeight(500);
    auto* list = Create<TListBox>(form.get());
    list->SetParent(form.get());
    list->SetBounds(10, 10, 300, 404);
    for (int i = 0; i < Items; ++i)
        list->Items()->Add("word " + std::to_string(i));
    form->Show();
    Application->ProcessMessages();
    const TPoint origin = list->ClientOrigin();
    const int x = origin.X + list->ClientWidth() + 8;
    const int thumbTop = origin.Y + GetSystemMetrics(SM_CYHSCROLL) + 2;
    form->SendMouseInput(WM_LBUTTONDOWN, x, thumbTop);
    int step = 0;
    int lastTop = -1;
    bool moved = true;
    for (auto _ : state) {
        step ^= 1;
        form->SendMouseInput(WM_MOUSEMOVE, x, thumbTop + 10 + step * 20);
        form->PaintInvalid();
        benchmark::DoNotOptimize(list->Surface());
        moved = moved && list->TopIndex() != lastTop;
        lastTop = list->TopIndex();
    }
    form->SendMouseInput(WM_LBUTTONUP, x, thumbTop);
    if (!moved)
        state.SkipWithError("a step of the thumb did not scroll the list");
    state.counters["items"] = Items;
}

void BM_ThumbDragMillionItems(benchmark::State& state) { ThumbDragSteps(state, 1000000); }
void BM_ThumbDragHundredItems(benchmark::State& state) { ThumbDragSteps(state, 100); }

// A combo of 60 entries near the bottom of a small window: its list reaches past the window.
TForm* MakeComboWindow(TComboBox*& combo) {
    auto* form = Create<TForm>(nullptr);
    form->SetClientWidth(300);
    form->SetClientHeight(120);
    combo = Create<TComboBox>(form);
    combo->SetParent(form);
    combo->SetBounds(20, 90, 200, 0);
    combo->SetStyle(csDropDownList);
    for (int i = 0; i < 60; ++i)
        combo->Items()->Add("entry " + std::to_string(i));
    combo->SetItemIndex(3);
    return form;
}

// The drop-down opened in a popup window of its own, painted and shown there, then closed.
void BM_DropDownInItsOwnWindow(benchmark::State& state) {
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    TComboBox* combo = nullptr;
    host::TWindowHost window(host::THostOptions{96, false, true});
    window.Open(MakeComboWindow(combo));
    for (auto _ : state) {
        combo->SetDroppedDown(true);
        window.Flush();
        benchmark::DoNotOptimize(window.PopupWindowIDs());
        combo->SetDroppedDown(false);
        window.Flush();
    }
    combo->SetDroppedDown(true);
    window.Flush();
    if (window.PopupWindowIDs().size() != 1)
        state.SkipWithError("the drop-down did not open in a window of its own");
}

// The same drop-down opened on the form, as without a desktop, and its list repainted there.
void BM_DropDownOnTheForm(benchmark::State& state) {
    TComboBox* combo = nullptr;
    std::unique_ptr<TForm, TFreeDeleter> form(MakeComboWindow(combo));
    form->Show();
    Application->ProcessMessages();
    for (auto _ : state) {
        combo->SetDroppedDown(true);
        form->PaintInvalid();
        benchmark::DoNotOptimize(form->TakePaintedRects());
        combo->SetDroppedDown(false);
        form->PaintInvalid();
        benchmark::DoNotOptimize(form->TakePaintedRects());
    }
}

// The gallery window as the program opens it, from the layout beside this program, with a home
// folder of its own so that the state it saves goes nowhere that matters.
struct TGalleryScope {
    TGalleryScope() {
        char folder[] = "/tmp/lm7-bench-home-XXXXXX";
        if (mkdtemp(folder))
            home = folder;
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", (home + "/.config").c_str(), 1);
        window.reset(Create<gallery::TGalleryWindow>(nullptr));
        window->Show();
        Application->ProcessMessages();
    }
    ~TGalleryScope() {
        window.reset();  // it saves its state on the way
        if (home != "/tmp")
            std::filesystem::remove_all(home);
    }
    std::string home = "/tmp";
    lm7::TPackageScope package;
    std::unique_ptr<gallery::TGalleryWindow, TFreeDeleter> window;
};

// Every node: its role, name and states, then its children.
int readTree(AtkObject* Node) {
    int nodes = 1;
    benchmark::DoNotOptimize(atk_object_get_role(Node));
    benchmark::DoNotOptimize(atk_object_get_name(Node));
    AtkStateSet* states = atk_object_ref_state_set(Node);
    benchmark::DoNotOptimize(atk_state_set_contains_state(states, ATK_STATE_FOCUSED));
    g_object_unref(states);
    const int count = atk_object_get_n_accessible_children(Node);
    for (int i = 0; i < count; ++i)
        if (AtkObject* child = atk_object_ref_accessible_child(Node, i)) {
            nodes += readTree(child);
            g_object_unref(child);
        }
    return nodes;
}

void BM_ReadGalleryAccessibleTree(benchmark::State& state) {
    TGalleryScope gallery;
    host::TAccessibleTree tree;
    tree.AddWindow(*gallery.window, nullptr);
    int nodes = 0;
    for (auto _ : state)
        nodes = readTree(tree.Root());
    state.counters["nodes"] = nodes;
}

void BM_RepaintGallery(benchmark::State& state) {
    TGalleryScope gallery;
    for (auto _ : state) {
        gallery.window->Repaint();
        benchmark::DoNotOptimize(gallery.window->Surface());
    }
}

BENCHMARK(BM_ClickToPresent)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DropDownInItsOwnWindow)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DropDownOnTheForm)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintListAlone)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThumbDragMillionItems)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ThumbDragHundredItems)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadGalleryAccessibleTree)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintGallery)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio(
        "Click on a list item to its repaint presented, 500 controls / repaint of the list alone",
        "BM_ClickToPresent", "BM_RepaintListAlone", "target at most 2");
    reporter.PrintRatio("A thumb-drag step with its repaint, list of 1,000,000 items / list of 100",
                        "BM_ThumbDragMillionItems", "BM_ThumbDragHundredItems", "target at most 1.5");
    reporter.PrintRatio("Drop-down opened in a window of its own / opened and repainted on the form",
                        "BM_DropDownInItsOwnWindow", "BM_DropDownOnTheForm", "target at most 2");
    reporter.PrintRatio("Reading the gallery's accessible tree, every node and its states / one full repaint",
                        "BM_ReadGalleryAccessibleTree", "BM_RepaintGallery", "target at most 2");
    benchmark::Shutdown();
    return 0;
}
