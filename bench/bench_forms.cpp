// Forms: reading a form of 1,000 controls from its text description against creating the same
// controls, with the same properties and handlers, in code; and a style broadcast to a tool
// window of 1,000 controls, with the repaint it causes, against one full repaint of the same
// window; and each step of a form's life at 30,000 controls against 10,000. Each pair is
// measured in the same run.

#include "RatioReporter.h"

#include "controls/ColourListBoxesAndCombos.h"
#include "controls/StyledListbox.h"
#include "forms/TMSStyleableF.h"
#include "framework/controls/Button.h"
#include "framework/controls/CheckBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/Label.h"
#include "framework/controls/Panel.h"
#include "framework/forms/Application.h"
#include "framework/forms/TextForms.h"
#include "vendor/AdvOfficeTabSet.h"
#include "vendor/AdvProgressBar.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <string>

using namespace framework;

namespace {

constexpr int kPanels = 10;
constexpr int kPerPanel = 99;  // with the panels, 1,000 controls

class TBenchForm : public TForm {
public:
    using TForm::TForm;
    static const TClassInfo& ClassInfo() {
        static const TClassInfo info = TClassInfo::Derive<TBenchForm, TForm>("TBenchForm")
                                           .Method<&TBenchForm::ButtonClick>("ButtonClick");
        return info;
    }
    TClass ClassType() const override { return &ClassInfo(); }
    void ButtonClick(TObject*) { ++clicks; }
    int clicks = 0;
};

using FormPtr = std::unique_ptr<TComponent, TFreeDeleter>;

// The controls of panel p, row i: a button, a label, an edit or a check box by turns.
std::string Description(int panels = kPanels) {
    std::string text = "object Big: TBenchForm\n  Caption = 'Big'\n";
    for (int p = 0; p < panels; ++p) {
        const std::string ps = std::to_string(p);
        text += "  object Panel" + ps + ": TPanel\n    Left = " + std::to_string(p * 80) +
                "\n    Width = 80\n    Height = 2000\n";
        for (int i = 0; i < kPerPanel; ++i) {
            const std::string n = ps + "_" + std::to_string(i);
            const std::string top = std::to_string(i * 20);
            switch (i % 4) {
            case 0:
                text += "    object Button" + n + ": TButton\n      Top = " + top +
                        "\n      Caption = 'Button " + n + "'\n      OnClick = ButtonClick\n    end\n";
                break;
            case 1:
                text += "    object Label" + n + ": TLabel\n      Top = " + top +
                        "\n      Caption = 'Label " + n + "'\n    end\n";
                break;
            case 2:
                text += "    object Edit" + n + ": TEdit\n      Top = " + top + "\n      Text = 'Edit " + n +
                        "'\n    end\n";
                break;
            default:
                text += "    object Check" + n + ": TCheckBox\n      Top = " + top +
                        "\n      Caption = 'Check " + n + "'\n      Checked = True\n    end\n";
            }
        }
        text += "  end\n";
    }
    return text + "end\n";
}

template <class T> T* Place(TComponent* owner, TWinControl* parent, const std::string& name, int top) {
    T* c = Create<T>(owner);
    c->SetName(name);
    c->SetParent(parent);
    c->SetTop(top);
    return c;
}

FormPtr BuildInCode(int panels = kPanels) {
    auto* form = Create<TBenchForm>(nullptr);
    form->SetName("Big");
    form->SetCaption("Big");
    for (int p = 0; p < panels; ++p) {
        const std::string ps = std::to_string(p);
        auto* panel = Create<TPanel>(form);
        panel->SetName("Panel" + ps);
        panel->SetParent(form);
        panel->SetLeft(p * 80);
        panel->SetWidth(80);
        panel->SetHeight(2000);
        for (int i = 0; i < kPerPanel; ++i) {
            const std::string n = ps + "_" + std::to_string(i);
            switch (i % 4) {
            case 0: {
                auto* b = Place<TButton>(form, panel, "Button" + n, i * 20);
                b->SetCaption("Button " + n);
                b->OnClick = TNotifyEvent::Of<&TBenchForm::ButtonClick>(form);
                break;
            }
            case 1:
                Place<TLabel>(form, panel, "Label" + n, i * 20)->SetCaption("Label " + n);
                break;
            case 2:
                Place<TEdit>(form, panel, "Edit" + n, i * 20)->SetText("Edit " + n);
                break;
            default: {
                auto* c = Place<TCheckBox>(form, panel, "Check" + n, i * 20);
                c->SetCaption("Check " + n);
                c->SetChecked(true);
            }
            }
        }
    }
    return FormPtr(form);
}

void BM_CreateFormInCode(benchmark::State& state) {
    for (auto _ : state) {
        FormPtr form = BuildInCode();
        benchmark::DoNotOptimize(form.get());
    }
}

void BM_ReadFormDescription(benchmark::State& state) {
    RegisterClass(&TBenchForm::ClassInfo());
    const std::string text = Description();
    {
        // Both ways must build the same form, or the ratio compares different work.
        FormPtr a = BuildInCode();
        const std::string expected = WriteTextForm(a.get());
        a.reset();
        FormPtr b(CreateFromTextForm(text, nullptr, "big.txt"));
        if (WriteTextForm(b.get()) != expected)
            state.SkipWithError("the description and the code build different forms");
    }
    for (auto _ : state) {
        FormPtr form(CreateFromTextForm(text, nullptr, "big.txt"));
        benchmark::DoNotOptimize(form.get());
    }
}

BENCHMARK(BM_CreateFormInCode)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadFormDescription)->Unit(benchmark::kMillisecond);

// The same form at 10,000 and 30,000 controls (100 controls to a panel): each step of a form's
// life must grow with the controls, not with their square. Only the step named is timed.
constexpr int kPanelsOf10000 = 100;
constexpr int kPanelsOf30000 = 300;

void CreateInCode(benchmark::State& state, int panels) {
    for (auto _ : state) {
        FormPtr form = BuildInCode(panels);
        benchmark::DoNotOptimize(form.get());
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
    state.counters["controls"] = panels * 100;
}

void ReadDescription(benchmark::State& state, int panels) {
    RegisterClass(&TBenchForm::ClassInfo());
    const std::string text = Description(panels);
    for (auto _ : state) {
        FormPtr form(CreateFromTextForm(text, nullptr, "big.txt"));
        benchmark::DoNotOptimize(form.get());
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}

// The window made and painted for the first time, as showing the form does.
void ShowAndPaint(benchmark::State& state, int panels) {
    for (auto _ : state) {
        state.PauseTiming();
        FormPtr form = BuildInCode(panels);
        auto* window = As<TCustomForm>(form.get());
        state.ResumeTiming();
        window->Show();
        window->PaintInvalid();
        benchmark::DoNotOptimize(window->Surface());
        state.PauseTiming();
        form.reset();
        state.ResumeTiming();
    }
}

// A shown form freed, every window with it.
void FreeForm(benchmark::State& state, int panels) {
    for (auto _ : state) {
        state.PauseTiming();
        FormPtr form = BuildInCode(panels);
        As<TCustomForm>(form.get())->Show();
        As<TCustomForm>(form.get())->PaintInvalid();
        state.ResumeTiming();
        form.reset();
    }
}

void BM_CreateInCode10000(benchmark::State& state) { CreateInCode(state, kPanelsOf10000); }
void BM_CreateInCode30000(benchmark::State& state) { CreateInCode(state, kPanelsOf30000); }
void BM_ReadDescription10000(benchmark::State& state) { ReadDescription(state, kPanelsOf10000); }
void BM_ReadDescription30000(benchmark::State& state) { ReadDescription(state, kPanelsOf30000); }
void BM_ShowAndPaint10000(benchmark::State& state) { ShowAndPaint(state, kPanelsOf10000); }
void BM_ShowAndPaint30000(benchmark::State& state) { ShowAndPaint(state, kPanelsOf30000); }
void BM_FreeForm10000(benchmark::State& state) { FreeForm(state, kPanelsOf10000); }
void BM_FreeForm30000(benchmark::State& state) { FreeForm(state, kPanelsOf30000); }

BENCHMARK(BM_CreateInCode10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CreateInCode30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDescription10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadDescription30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowAndPaint10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ShowAndPaint30000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreeForm10000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FreeForm30000)->Unit(benchmark::kMillisecond);

constexpr int kControls = 1000;
constexpr int kColumns = 40;

class TBenchWindow : public lm7::TTMSStylableForm {
public:
    using lm7::TTMSStylableForm::TTMSStylableForm;
    void Attach() { AddAFormStyler(this); }
};

// A window of 1,000 named controls, a fifth of each kind: styled lists, colour lists, tab
// sets and progress bars (all styled) and plain edits (not styled).
std::unique_ptr<TBenchWindow, TFreeDeleter> MakeWindow() {
    std::unique_ptr<TBenchWindow, TFreeDeleter> window(Create<TBenchWindow>(nullptr));
    window->SetClientWidth(kColumns * 90);
    window->SetClientHeight((kControls / kColumns) * 64);
    for (int i = 0; i < kControls; ++i) {
        TControl* control = nullptr;
        switch (i % 5) {
        case 0: {
            auto* list = Create<lm7::TStyledListbox>(window.get());
            for (const char* word : {"the", "of", "whale", "sea"})
                list->Items()->Add(word);
            control = list;
            break;
        }
        case 1:
            control = Create<lm7::TColourSharingListbox>(window.get());
            break;
        case 2: {
            auto* tabs = Create<vendor::TAdvOfficeTabSet>(window.get());
            tabs->AdvOfficeTabs()->Add("Left");
            tabs->AdvOfficeTabs()->Add("Right");
            control = tabs;
            break;
        }
        case 3: {
            auto* bar = Create<vendor::TAdvProgressBar>(window.get());
            bar->SetPosition(i % 100);
            control = bar;
            break;
        }
        default:
            control = Create<TEdit>(window.get());
            control->SetText("corpus");
            break;
        }
        control->SetName("Control" + std::to_string(i));
        control->SetBounds((i % kColumns) * 90, (i / kColumns) * 64, 86, 60);
        control->SetParent(window.get());
    }
    window->Attach();
    window->Show();
    Application->ProcessMessages();
    return window;
}

void InvalidateAll(TWinControl* control) {
    control->Invalidate();
    for (int i = 0; i < control->ControlCount(); ++i)
        if (auto* child = As<TWinControl>(control->Controls(i)))
            InvalidateAll(child);
}

void BM_FullRepaint(benchmark::State& state) {
    auto window = MakeWindow();
    for (auto _ : state) {
        InvalidateAll(window.get());
        Application->ProcessMessages();
        benchmark::DoNotOptimize(window->Surface());
    }
}

void BM_StyleBroadcast(benchmark::State& state) {
    auto window = MakeWindow();
    int style = vendor::tsLight;
    for (auto _ : state) {
        style = style == vendor::tsLight ? vendor::tsDark : vendor::tsLight;  // a change every time
        window->Perform(lm7::WM_BROADCASTBYSHELL, lm7::kStyleChangeCommand, style);
        Application->ProcessMessages();
        benchmark::DoNotOptimize(window->Surface());
    }
}

BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StyleBroadcast)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatio(
        "Read a 1,000-control form description / create the same controls in code, time ratio",
        "BM_ReadFormDescription", "BM_CreateFormInCode", "target at most 3");
    reporter.PrintRatio("Create a form in code, 30,000 / 10,000 controls, time ratio", "BM_CreateInCode30000",
                        "BM_CreateInCode10000", "target at most 4");
    reporter.PrintRatio("Read a form description, 30,000 / 10,000 controls, time ratio",
                        "BM_ReadDescription30000", "BM_ReadDescription10000", "target at most 4");
    reporter.PrintRatio("Show and first paint a form, 30,000 / 10,000 controls, time ratio",
                        "BM_ShowAndPaint30000", "BM_ShowAndPaint10000", "target at most 4");
    reporter.PrintRatio("Free a shown form, 30,000 / 10,000 controls, time ratio", "BM_FreeForm30000",
                        "BM_FreeForm10000", "target at most 4");
    reporter.PrintRatio("Style broadcast with its repaint / one full repaint, 1,000 controls, time ratio",
                        "BM_StyleBroadcast", "BM_FullRepaint", "target at most 1.5");
    benchmark::Shutdown();
    return 0;
}
