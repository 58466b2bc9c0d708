// Painting one screen of a styled tree costs what is visible, not what is stored: a tree of
// 1,000,000 nodes against one of 100, the same screen of rows painted in the same run.

#include "RatioReporter.h"

#include "controls/StyledViews.h"
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

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("Paint one tree screen, 1,000,000 nodes / 100 nodes, time ratio",
                        "BM_PaintTreeScreenOf1000000", "BM_PaintTreeScreenOf100", "target at most 2");
    benchmark::Shutdown();
    return 0;
}
