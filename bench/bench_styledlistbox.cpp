// Painting one screen of a styled list box costs what is visible, not what is stored: a list
// of 1,000,000 items against one of 100, the same screen of items painted in the same run.

#include "RatioReporter.h"

#include "controls/StyledListbox.h"
#include "framework/forms/Application.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

using namespace framework;

namespace {

struct Screen {
    std::unique_ptr<TForm, TFreeDeleter> form{Create<TForm>(nullptr)};
    lm7::TStyledListbox* list = nullptr;

    explicit Screen(int count) {
        form->SetClientWidth(320);
        form->SetClientHeight(480);
        list = Create<lm7::TStyledListbox>(form.get());
        list->SetBounds(0, 0, 320, 480);
        list->SetParent(form.get());
        list->SetShowValues(true);
        TStrings& items = *list->Items();
        items.BeginUpdate();
        // Texts and values of one length in both lists, so both screens paint the same glyphs' worth.
        char text[32];
        for (int i = 0; i < count; ++i) {
            std::snprintf(text, sizeof text, "word %07d", i);
            items.AddObject(text, TStrings::IntToObject(10000 + i % 90000));
        }
        items.EndUpdate();
        form->Show();
        list->HandleNeeded();
        list->SetTopIndex(count / 2);  // the middle of the list
    }
};

void PaintOneScreen(benchmark::State& state, int count) {
    Screen screen(count);
    for (auto _ : state) {
        screen.list->Repaint();
        benchmark::DoNotOptimize(screen.list->Surface());
    }
    state.counters["items"] = count;
}

void BM_PaintScreenOf100(benchmark::State& state) { PaintOneScreen(state, 100); }
void BM_PaintScreenOf1000000(benchmark::State& state) { PaintOneScreen(state, 1000000); }

BENCHMARK(BM_PaintScreenOf100)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PaintScreenOf1000000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("Paint one screen, 1,000,000 items / 100 items, time ratio",
                        "BM_PaintScreenOf1000000", "BM_PaintScreenOf100", "target about 1");
    benchmark::Shutdown();
    return 0;
}
