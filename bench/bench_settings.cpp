// Saving and restoring a form of 10,000 controls of mixed kinds: SaveIni against writing the
// same bytes the way a careful program replaces a file (a temporary file written and synced,
// renamed over the old one, the folder synced), ReadIni against reading them with one read and
// a line split. The targets are ratios, measured in this run, against the least that any save
// or restore of this form costs: every control reached, the file written or loaded.

#include "framework/controls/CheckBox.h"
#include "framework/controls/CheckListBox.h"
#include "framework/controls/Edits.h"
#include "framework/controls/RadioGroup.h"
#include "framework/forms/Application.h"
#include "framework/rtl/Paths.h"
#include "settings/ReadAndSaveIni.h"
#include "sibling/Inifilebase.h"
#include "vendor/AdvControls.h"
#include "vendor/ElButtons.h"
#include "vendor/ElEdits.h"
#include "vendor/VendorCombos.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using namespace framework;
using namespace vendor;

struct Workload {
    std::unique_ptr<TForm, TFreeDeleter> form;
    std::string path;
    std::string bytes;  // the file SaveIni writes
};

Workload& TheWorkload() {
    static Workload w = [] {
        Workload x;
        x.form.reset(Create<TForm>(nullptr));
        TForm* f = x.form.get();
        const std::string root = lm7::AppDriveRoot();
        for (int i = 0; i < 10000; ++i) {
            const std::string n = std::to_string(i);
            switch (i % 8) {
            case 0: {
                auto* e = Create<TEdit>(f);
                e->SetName("Edit" + n);
                e->SetText("search term " + n + " with = and ; inside");
                break;
            }
            case 1: {
                auto* c = Create<TCheckBox>(f);
                c->SetName("Check" + n);
                c->SetChecked(i % 3 == 0);
                break;
            }
            case 2: {
                auto* g = Create<TRadioGroup>(f);
                g->SetName("Group" + n);
                g->Items()->SetText("by name\nby size\nby date\n");
                g->SetItemIndex(i % 3);
                break;
            }
            case 3: {
                auto* s = Create<TElSpinEdit>(f);
                s->SetName("Spin" + n);
                s->SetValue(i % 100);
                break;
            }
            case 4: {
                auto* c = Create<TAdvCustomCombo>(f);
                c->SetName("Combo" + n);
                c->Items()->SetText("first\nsecond\nthird entry\n  spaced  \n");
                c->SetItemIndex(1);
                break;
            }
            case 5: {
                auto* e = Create<TElFileNameEdit>(f);
                e->SetName("File" + n);
                e->SetText(root + "corpus/project " + n + "/chapter_01.txt");
                break;
            }
            case 6: {
                auto* g = Create<TElCheckGroup>(f);
                g->SetName("Columns" + n);
                g->Items()->SetText("a\nb\nc\nd\n");
                g->SetChecked(i % 4, true);
                break;
            }
            default: {
                auto* p = Create<TElEdit>(f);
                p->SetName("Password" + n);
                p->SetPasswordChar('*');
                p->SetText("secret" + n);
            }
            }
        }
        const auto folder =
            std::filesystem::temp_directory_path() / ("bench_settings_" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        x.path = (folder / "formstate.ini").string();
        lm7::SaveIni(f, x.path);
        std::ifstream in(x.path, std::ios::binary);
        x.bytes.assign(std::istreambuf_iterator<char>(in), {});
        return x;
    }();
    return w;
}

void BM_SaveIni(benchmark::State& state) {
    Workload& w = TheWorkload();
    for (auto _ : state)
        lm7::SaveIni(w.form.get(), w.path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes.size()));
}

// Replaces Path with the workload's bytes the way a careful program does: a temporary file
// written and synced, renamed over the old one, the folder synced.
bool RawAtomicWrite(const Workload& w, const std::string& path) {
    const std::string temp = path + ".tmp";
    const std::string folder = std::filesystem::path(path).parent_path().string();
    const int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    bool ok = fd >= 0 && ::write(fd, w.bytes.data(), w.bytes.size()) == static_cast<ssize_t>(w.bytes.size());
    ok = fd >= 0 && ::fsync(fd) == 0 && ok;
    ok = fd >= 0 && ::close(fd) == 0 && ok;
    ok = ok && ::rename(temp.c_str(), path.c_str()) == 0;
    const int dir = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    ok = dir >= 0 && ::fsync(dir) == 0 && ok;
    if (dir >= 0)
        ::close(dir);
    if (!ok)
        std::remove(temp.c_str());
    return ok;
}

// What every walk over the form must do at the least: reach each component and ask its
// class and name.
std::size_t VisitAll(const TComponent* container) {
    std::size_t reached = 0;
    for (int i = 0; i < container->ComponentCount(); ++i) {
        const TComponent* c = container->Components(i);
        reached += c->Name().size() + (c->ClassType() != nullptr) + VisitAll(c);
    }
    return reached;
}

// The same bytes replacing the same file atomically, with nothing else to do.
void BM_RawAtomicWrite(benchmark::State& state) {
    Workload& w = TheWorkload();
    const std::string path = w.path + ".ref";
    for (auto _ : state)
        if (!RawAtomicWrite(w, path)) {
            state.SkipWithError("the atomic write failed");
            break;
        }
    std::remove(path.c_str());
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes.size()));
}

// The least a save can cost: every control reached, then the same atomic write. Measured, not
// added up: after a walk over the form the write itself takes longer than in a tight loop.
void BM_VisitThenRawWrite(benchmark::State& state) {
    Workload& w = TheWorkload();
    const std::string path = w.path + ".floor";
    for (auto _ : state) {
        benchmark::DoNotOptimize(VisitAll(w.form.get()));
        if (!RawAtomicWrite(w, path)) {
            state.SkipWithError("the atomic write failed");
            break;
        }
    }
    std::remove(path.c_str());
}

// The parts of the least a restore can cost: loading the file into the ini, and reaching
// every control.
void BM_LoadIni(benchmark::State& state) {
    Workload& w = TheWorkload();
    for (auto _ : state) {
        sibling::TMyMemIniFile ini(w.path);
        benchmark::DoNotOptimize(ini.SectionExists("Edit0"));
    }
}

void BM_VisitAll(benchmark::State& state) {
    Workload& w = TheWorkload();
    for (auto _ : state)
        benchmark::DoNotOptimize(VisitAll(w.form.get()));
}

void BM_ReadIni(benchmark::State& state) {
    Workload& w = TheWorkload();
    for (auto _ : state)
        lm7::ReadIni(w.form.get(), w.path);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes.size()));
}

void BM_ReadAndSplit(benchmark::State& state) {
    Workload& w = TheWorkload();
    for (auto _ : state) {
        std::FILE* f = std::fopen(w.path.c_str(), "rb");
        std::string data(w.bytes.size(), '\0');
        const std::size_t got = std::fread(data.data(), 1, data.size(), f);
        std::fclose(f);
        std::size_t lines = 0;
        for (std::size_t p = 0; p < got;) {
            const void* nl = std::memchr(data.data() + p, '\n', got - p);
            if (!nl)
                break;
            p = static_cast<std::size_t>(static_cast<const char*>(nl) - data.data()) + 1;
            ++lines;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes.size()));
}

BENCHMARK(BM_SaveIni)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RawAtomicWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadIni)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadAndSplit)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VisitThenRawWrite)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LoadIni)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_VisitAll)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    // Each against the least a save or a restore of this form can cost at all.
    reporter.PrintRatio("SaveIni/(every control reached, then the raw atomic write) time ratio", "BM_SaveIni",
                        "BM_VisitThenRawWrite", "target <= 6");
    reporter.PrintRatioToSum("ReadIni/(loading the ini alone + every control reached) time ratio",
                             "BM_ReadIni", {"BM_LoadIni", "BM_VisitAll"}, "target <= 5");
    // The plain file operations beside them, for scale.
    reporter.PrintRatio("  SaveIni/raw atomic write", "BM_SaveIni", "BM_RawAtomicWrite", "no target");
    reporter.PrintRatio("  ReadIni/read and split", "BM_ReadIni", "BM_ReadAndSplit", "no target");
    std::error_code ec;
    std::filesystem::remove_all(std::filesystem::path(TheWorkload().path).parent_path(), ec);
    benchmark::Shutdown();
    return 0;
}
