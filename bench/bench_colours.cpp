// The colour list box against its own small case: creating its window and painting one screen
// with a shared table of 1,000,000 colours, and the same with 100 colours. The list box keeps
// only a count and paints straight from the table, so the long table should cost nearly nothing.

#include "RatioReporter.h"
#include "controls/ColourListBoxesAndCombos.h"
#include "framework/forms/Forms.h"
#include "sibling/Colour_utils.h"

#include <benchmark/benchmark.h>

using namespace framework;

namespace {

TColorArray MakeTable(int n) {
    TColorArray table;
    table.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i)
        table.push_back({RGB(i & 0xFF, (i >> 8) & 0xFF, (i >> 16) & 0xFF), "colour " + std::to_string(i)});
    return table;
}

void CreateAndPaint(benchmark::State& state, int entries) {
    const TColorArray saved = sibling::MyColourArray;
    sibling::MyColourArray = MakeTable(entries);
    std::unique_ptr<TForm, TFreeDeleter> form(Create<TForm>(nullptr));
    form->SetBounds(0, 0, 400, 800);
    form->Show();
    for (auto _ : state) {
        auto* list = Create<lm7::TColourSharingListbox>(form.get());
        list->SetBounds(0, 0, 380, 780);
        list->SetShowText(lm7::ShowSet({lm7::ts_index, lm7::ts_hex, lm7::ts_description}));
        list->SetParent(form.get());
        list->HandleNeeded();
        list->Repaint();
        benchmark::DoNotOptimize(list->Surface()->ScanLine(0));
        list->Free();
    }
    form.reset();
    sibling::MyColourArray = saved;
}

void BM_ColourListMillion(benchmark::State& state) { CreateAndPaint(state, 1000000); }
void BM_ColourListHundred(benchmark::State& state) { CreateAndPaint(state, 100); }
BENCHMARK(BM_ColourListMillion);
BENCHMARK(BM_ColourListHundred);

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("colour list box, 1,000,000 entries over 100", "BM_ColourListMillion",
                        "BM_ColourListHundred", "target: at most 2");
    benchmark::Shutdown();
    return 0;
}
