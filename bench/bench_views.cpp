// Painting one screen of a styled tree costs what is visible, not what is stored: a tree of
// 1,000,000 nodes against one of 100, the same screen of rows painted in the same run. So does
// selecting a row of a list view and moving the selection with the keyboard. And a
// step of a margin drag (the edge moved, reported and the page repainted) costs about what a
// repaint of the page costs.

#include "RatioReporter.h"

#include "controls/NotepadGrabPanel.h"
#include "controls/StyledViews.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace framework;

namespace {

// Top-level nodes with nine children each, all expanded, texts from the callback.
struct TreeScreen {
    std::unique_ptr<TForm, TFreeDeleter> form{Create<TForm>(nullptr)};
    lm7::TMyAdvTreeView* tree = nullptr;
    int count;

    explicit TreeScreen(int Count) : count(Count) {
        form->SetClientWidth(320);
        form->SetClientHeight(480);
        tree = Create<lm7::TMyAdvTreeView>(form.get());
        tree->SetBounds(0, 0, 320, 480);
        tree->SetParent(form.get());
        tree->AddColumn("Word", 200);
        tree->AddColumn("Count", 100);
        tree->OnGetNumberOfNodes = vendor::TAdvTreeViewGetNumberOfNodesEvent::Of<&TreeScreen::Children>(this);
        tree->OnGetNodeText = vendor::TAdvTreeViewGetNodeTextEvent::Of<&TreeScreen::Text>(this);
        tree->SetComponentStyle(vendor::tsLight);
        form->Show();
        tree->ExpandAll();
        tree->HandleNeeded();
        tree->SetTopRow(tree->RowCount() / 2);  // the middle of the tree
        tree->SelectVirtualNode(tree->NodeAtRow(tree->TopRow() + 3));
    }
    void Children(TObject*, vendor::TAdvTreeViewVirtualNode* Node, int& Count) {
        Count = !Node ? count / 10 : Node->Level == 0 ? 9 : 0;
    }
    // Texts of one length in both trees, so both screens paint the same glyphs' worth.
    void Text(TObject*, vendor::TAdvTreeViewVirtualNode* Node, int Column, vendor::TAdvTreeViewNodeTextMode,
              std::string& Value) {
        char text[32];
        std::snprintf(text, sizeof text, Column == 0 ? "word %07d" : "%07d", Node->VirtualIndex);
        Value = text;
    }
};

void PaintTreeScreen(benchmark::State& state, int count) {
    TreeScreen screen(count);
    for (auto _ : state) {
        screen.tree->Repaint();
        benchmark::DoNotOptimize(screen.tree->Surface());
    }
    state.counters["nodes"] = count;
}

void BM_PaintTreeScreenOf100(benchmark::State& state) { PaintTreeScreen(state, 100); }
void BM_PaintTreeScreenOf1000000(benchmark::State& state) { PaintTreeScreen(state, 1000000); }

BENCHMARK(BM_PaintTreeScreenOf100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintTreeScreenOf1000000)->Unit(benchmark::kMicrosecond);

// A styled list view of Count rows, shown and focused; each step selects a row near the middle
// and moves the selection one row down with the Down key, as a user does.
struct ListSelection {
    std::unique_ptr<TForm, TFreeDeleter> form{Create<TForm>(nullptr)};
    lm7::TMyAdvListView* list = nullptr;
    int middle;

    explicit ListSelection(int Count) : middle(Count / 2) {
        form->SetClientWidth(320);
        form->SetClientHeight(480);
        list = Create<lm7::TMyAdvListView>(form.get());
        list->SetBounds(0, 0, 320, 480);
        list->SetParent(form.get());
        list->AddColumn("Word", 200);
        for (int i = 0; i < Count; ++i)
            list->AddItem("word");
        list->SetComponentStyle(vendor::tsLight);
        form->Show();
        list->SetFocus();
    }
};

void SelectInList(benchmark::State& state, int count) {
    ListSelection screen(count);
    int step = 0;
    for (auto _ : state) {
        screen.list->SetItemIndex(screen.middle + (++step & 7));
        screen.form->SendKeyInput(VK_DOWN);
        benchmark::DoNotOptimize(screen.list->ItemIndex());
    }
    if (screen.list->ItemIndex() != screen.middle + (step & 7) + 1)
        state.SkipWithError("the Down key did not move the selection");
    state.counters["items"] = count;
}

void BM_SelectInListOf100(benchmark::State& state) { SelectInList(state, 100); }
void BM_SelectInListOf1000000(benchmark::State& state) { SelectInList(state, 1000000); }

BENCHMARK(BM_SelectInListOf100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SelectInListOf1000000)->Unit(benchmark::kMicrosecond);

// An A4 page of 600 x 800 pixels with 1-inch margins, its right handle pressed and picked.
struct MarginPage {
    std::unique_ptr<TForm, TFreeDeleter> form{Create<TForm>(nullptr)};
    TPanel* page = Create<TPanel>(form.get());
    lm7::TNotepadGrabPanel* panel = Create<lm7::TNotepadGrabPanel>(form.get());
    TPoint grip;
    int reports = 0;

    MarginPage() {
        form->SetClientWidth(600);
        form->SetClientHeight(800);
        page->SetBevelOuter(bvNone);
        page->SetBounds(0, 0, 600, 800);
        page->SetParent(form.get());
        panel->SetParent(page);
        panel->SetParentControl(page);
        panel->SetToMargins(1, 1, 1, 1, 210, 297);
        panel->OnStateMargins = lm7::TStateMarginsEvent::Lambda([this](TObject*, TRect) { ++reports; });
        form->Show();
        page->PaintInvalid();
        const TRect handle = panel->Midpoint(lm7::t_right);
        grip = Point(panel->Left() + handle.Left + 2, panel->Top() + handle.Top + 2);
        form->SendMouseInput(WM_LBUTTONDOWN, grip.X, grip.Y);
        form->SendMouseInput(WM_MOUSEMOVE, grip.X, grip.Y);
    }
    ~MarginPage() { form->SendMouseInput(WM_LBUTTONUP, grip.X, grip.Y); }
};

void BM_MarginPageRepaint(benchmark::State& state) {
    MarginPage margins;
    for (auto _ : state) {
        margins.page->Invalidate();
        margins.panel->Invalidate();
        margins.page->PaintInvalid();
        benchmark::DoNotOptimize(margins.panel->Surface());
    }
}

// The right edge goes one pixel out and back in turns, so every step moves it.
void BM_MarginDragStep(benchmark::State& state) {
    MarginPage margins;
    int step = 0;
    for (auto _ : state) {
        margins.form->SendMouseInput(WM_MOUSEMOVE, margins.grip.X + (++step & 1), margins.grip.Y);
        margins.page->PaintInvalid();
        benchmark::DoNotOptimize(margins.panel->Surface());
    }
    if (margins.reports != step)
        state.SkipWithError("a drag step did not report the margins");
}

BENCHMARK(BM_MarginPageRepaint)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_MarginDragStep)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("Paint one tree screen, 1,000,000 nodes / 100 nodes, time ratio",
                        "BM_PaintTreeScreenOf1000000", "BM_PaintTreeScreenOf100", "target at most 2");
    reporter.PrintRatio("Select and move down in a list view, 1,000,000 items / 100 items, time ratio",
                        "BM_SelectInListOf1000000", "BM_SelectInListOf100", "target at most 2");
    reporter.PrintRatio("Margin drag step (move and repaint) / page repaint, time ratio", "BM_MarginDragStep",
                        "BM_MarginPageRepaint", "target at most 2");
    benchmark::Shutdown();
    return 0;
}
