// Editing costs what changes and what is seen, not what is stored: a character typed at the end
// of a memo of 100,000 lines against one of 10 lines, and a repaint of a one-line edit holding
// 10,000 characters against one holding 10, each pair measured in the same run.

#include "RatioReporter.h"

#include "framework/controls/Edits.h"
#include "framework/forms/Application.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

using namespace framework;

namespace {

struct Window {
    std::unique_ptr<TForm, TFreeDeleter> form{Create<TForm>(nullptr)};
    Window() {
        form->SetClientWidth(400);
        form->SetClientHeight(300);
        form->Show();
    }
};

// A memo ten lines high, its caret at the end of the text.
void TypeAtTheEnd(benchmark::State& state, int lines) {
    Window window;
    auto* memo = Create<TMemo>(window.form.get());
    memo->SetParent(window.form.get());
    const int lineHeight = memo->Canvas()->TextHeight("Wg");
    memo->SetBounds(0, 0, 300, 10 * lineHeight + 2 + 2 * memo->ClientInset());
    std::string text;
    for (int i = 0; i < lines; ++i)
        text += "a line of the corpus, as long as most\n";
    memo->SetText(text);
    memo->SetFocus();
    window.form->SendKeyInput(VK_END, ssCtrl);
    window.form->PaintInvalid();
    for (auto _ : state) {
        // A character in and out again, so the text stays the same size; each is painted.
        window.form->SendCharInput(U'x');
        window.form->PaintInvalid();
        window.form->SendCharInput(U'\b');
        window.form->PaintInvalid();
        benchmark::DoNotOptimize(memo->Surface());
    }
    state.counters["lines"] = lines;
}

void BM_TypeInMemoOf10Lines(benchmark::State& state) { TypeAtTheEnd(state, 10); }
void BM_TypeInMemoOf100000Lines(benchmark::State& state) { TypeAtTheEnd(state, 100000); }

// An edit as wide as ten characters, so both show the same glyphs' worth.
void RepaintEdit(benchmark::State& state, int length) {
    Window window;
    auto* edit = Create<TEdit>(window.form.get());
    edit->SetParent(window.form.get());
    const int width = edit->Canvas()->TextWidth(std::string(10, 'w'));
    edit->SetBounds(0, 0, width + 2 + 2 * edit->ClientInset(), 21);
    edit->SetText(std::string(static_cast<std::size_t>(length), 'w'));
    edit->Repaint();
    for (auto _ : state) {
        edit->Repaint();
        benchmark::DoNotOptimize(edit->Surface());
    }
    state.counters["chars"] = length;
}

void BM_RepaintEditOf10(benchmark::State& state) { RepaintEdit(state, 10); }
void BM_RepaintEditOf10000(benchmark::State& state) { RepaintEdit(state, 10000); }

BENCHMARK(BM_TypeInMemoOf10Lines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_TypeInMemoOf100000Lines)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintEditOf10)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RepaintEditOf10000)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio("Type a character at the end, memo of 100,000 lines / 10 lines, time ratio",
                        "BM_TypeInMemoOf100000Lines", "BM_TypeInMemoOf10Lines", "target at most 2");
    reporter.PrintRatio("Repaint a one-line edit, 10,000 characters / 10, time ratio",
                        "BM_RepaintEditOf10000", "BM_RepaintEditOf10", "target at most 2");
    benchmark::Shutdown();
    return 0;
}
