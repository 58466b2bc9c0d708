// Loading a large form-state file and reading every key once: TMemIniFile against inih parsing
// the same file into the store a careful C++ user would give it (a vector of sections with a
// hashed index, each with its keys), and against a scan that only splits the bytes into lines
// (the floor for any reader). The keys are read in file order and in a shuffled order; both
// readers run the same number of iterations, each after an untimed warm-up of its own. The
// summary lines give the time ratios measured in this run.

#include "framework/inifiles/IniFiles.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>
#include <ini.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <random>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

struct Workload {
    std::string path;
    std::vector<std::pair<std::string, std::string>> keys;      // section, key: each read once
    std::vector<std::pair<std::string, std::string>> shuffled;  // the same in a shuffled order
    std::size_t bytes = 0;
};

// 10,000 sections of the shapes a form-state file holds: edits with a text, check boxes, combo
// boxes with their entries, spin edits, list boxes with check marks.
Workload MakeWorkload() {
    Workload w;
    const auto folder =
        std::filesystem::temp_directory_path() / ("bench_inifiles_" + std::to_string(::getpid()));
    std::filesystem::create_directories(folder);
    w.path = (folder / "formstate.ini").string();
    std::string text;
    auto add = [&](const std::string& section, const std::string& key, const std::string& value) {
        text += key + "=" + value + "\n";
        w.keys.emplace_back(section, key);
    };
    for (int s = 0; s < 10000; ++s) {
        const int kind = s % 4;
        const std::string section = (kind == 0   ? "EditFileName"
                                     : kind == 1 ? "CheckListBoxOptions"
                                     : kind == 2 ? "ComboSearchHistory"
                                                 : "SpinEditMargin") +
                                    std::to_string(s);
        text += "[" + section + "]\n";
        switch (kind) {
        case 0:
            add(section, "text",
                "app_drive$corpus\\project " + std::to_string(s) +
                    "\\manuscripts\\second edition\\chapter_01_draft.txt");
            add(section, "checked", "1");
            for (int i = 0; i < 7; ++i)
                add(section, "checked" + std::to_string(i), std::to_string((s + i) % 2));
            break;
        case 1:
            add(section, "i", "6");
            for (int i = 0; i < 8; ++i)
                add(section, "item" + std::to_string(i),
                    "Option number " + std::to_string(i) + ", switched on");
            break;
        case 2:
            add(section, "text", "search term " + std::to_string(s));
            add(section, "i", "7");
            for (int i = 0; i < 7; ++i)
                add(section, "line" + std::to_string(i),
                    "previous search \"" + std::to_string(s * i) + "\" in titles");
            break;
        default:
            add(section, "value", std::to_string(s % 97));
            add(section, "Left", std::to_string(8 + s % 300));
            add(section, "Top", std::to_string(16 + s % 200));
            add(section, "Width", "121");
            add(section, "Height", "23");
            add(section, "Increment", "0.5");
            add(section, "Hint", "Margin in millimetres, from the edge of the page");
            add(section, "MinValue", "-100");
            add(section, "MaxValue", "100");
        }
        text += "\n";
    }
    std::ofstream(w.path, std::ios::binary) << text;
    w.bytes = text.size();
    w.shuffled = w.keys;
    std::shuffle(w.shuffled.begin(), w.shuffled.end(), std::mt19937(19));
    return w;
}

const Workload& TheWorkload() {
    static const Workload w = MakeWorkload();
    return w;
}

using Keys = std::vector<std::pair<std::string, std::string>>;

// Both readers run this many iterations per repetition.
constexpr int kIterations = 20;

std::size_t LoadAndReadTMemIniFile(const Workload& w, const Keys& keys) {
    framework::TMemIniFile ini(w.path);
    std::size_t total = 0;
    // Each value read where it lies, as the reference reads its own.
    for (const auto& [section, key] : keys)
        total += ini.FindValue(section, key).value_or("").size();
    return total;
}

void RunTMemIniFile(benchmark::State& state, const Keys& keys) {
    const Workload& w = TheWorkload();
    benchmark::DoNotOptimize(LoadAndReadTMemIniFile(w, keys));  // warm-up, not timed
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadAndReadTMemIniFile(w, keys));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

void BM_TMemIniFile_FileOrder(benchmark::State& state) { RunTMemIniFile(state, TheWorkload().keys); }
void BM_TMemIniFile_Shuffled(benchmark::State& state) { RunTMemIniFile(state, TheWorkload().shuffled); }

std::string ReadAll(const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    std::string bytes;
    char buffer[1 << 16];
    for (std::size_t n; f && (n = std::fread(buffer, 1, sizeof buffer, f)) > 0;)
        bytes.append(buffer, n);
    if (f)
        std::fclose(f);
    return bytes;
}

// What inih's callback fills: the sections in file order, found by name through a hash map,
// each with its keys and values in order. Sections of a form-state file hold about ten keys,
// which a scan finds sooner than a hash map per section would.
struct InihStore {
    struct Section {
        std::vector<std::pair<std::string, std::string>> Keys;
    };
    std::vector<Section> Sections;
    std::unordered_map<std::string, std::size_t> Index;
    std::string LastName;  // the section of the last key: keys come section by section
    std::size_t Last = 0;

    const std::string* Find(const std::string& section, const std::string& key) const {
        const auto s = Index.find(section);
        if (s == Index.end())
            return nullptr;
        for (const auto& [name, value] : Sections[s->second].Keys)
            if (name == key)
                return &value;
        return nullptr;
    }
};

int InihHandler(void* user, const char* section, const char* name, const char* value) {
    auto& store = *static_cast<InihStore*>(user);
    if (store.Sections.empty() || store.LastName != section) {
        store.LastName = section;
        const auto [at, added] = store.Index.try_emplace(store.LastName, store.Sections.size());
        if (added)
            store.Sections.emplace_back();
        store.Last = at->second;
    }
    store.Sections[store.Last].Keys.emplace_back(name, value);
    return 1;
}

std::size_t LoadAndReadInih(const Workload& w, const Keys& keys, bool& failed) {
    InihStore store;
    failed = ini_parse_string(ReadAll(w.path).c_str(), InihHandler, &store) != 0;
    std::size_t total = 0;
    for (const auto& [section, key] : keys)
        if (const std::string* value = store.Find(section, key))
            total += value->size();
    return total;
}

void RunInih(benchmark::State& state, const Keys& keys) {
    const Workload& w = TheWorkload();
    bool failed = false;
    benchmark::DoNotOptimize(LoadAndReadInih(w, keys, failed));  // warm-up, not timed
    for (auto _ : state)
        benchmark::DoNotOptimize(LoadAndReadInih(w, keys, failed));
    if (failed)
        state.SkipWithError("inih failed");
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

void BM_Inih_FileOrder(benchmark::State& state) { RunInih(state, TheWorkload().keys); }
void BM_Inih_Shuffled(benchmark::State& state) { RunInih(state, TheWorkload().shuffled); }

void BM_LineScan(benchmark::State& state) {
    const Workload& w = TheWorkload();
    for (auto _ : state) {
        std::FILE* f = std::fopen(w.path.c_str(), "rb");
        std::string bytes(w.bytes, '\0');
        const std::size_t got = std::fread(bytes.data(), 1, bytes.size(), f);
        std::fclose(f);
        std::size_t lines = 0;
        for (const char *p = bytes.data(), *end = p + got; p < end; ++lines) {
            const void* lf = std::memchr(p, '\n', static_cast<std::size_t>(end - p));
            p = lf ? static_cast<const char*>(lf) + 1 : end;
        }
        benchmark::DoNotOptimize(lines);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

BENCHMARK(BM_TMemIniFile_FileOrder)->Unit(benchmark::kMillisecond)->Iterations(kIterations);
BENCHMARK(BM_Inih_FileOrder)->Unit(benchmark::kMillisecond)->Iterations(kIterations);
BENCHMARK(BM_TMemIniFile_Shuffled)->Unit(benchmark::kMillisecond)->Iterations(kIterations);
BENCHMARK(BM_Inih_Shuffled)->Unit(benchmark::kMillisecond)->Iterations(kIterations);
BENCHMARK(BM_LineScan)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("file: %zu bytes, %zu keys\n", TheWorkload().bytes, TheWorkload().keys.size());
    reporter.PrintRatio("TMemIniFile/inih time ratio, file order", "BM_TMemIniFile_FileOrder",
                        "BM_Inih_FileOrder", "target <= 0.50");
    reporter.PrintRatio("TMemIniFile/inih time ratio, shuffled", "BM_TMemIniFile_Shuffled",
                        "BM_Inih_Shuffled", "target <= 0.50");
    reporter.PrintRatio("TMemIniFile/line scan time ratio", "BM_TMemIniFile_FileOrder", "BM_LineScan",
                        "no target: the floor for any reader");
    std::filesystem::remove_all(std::filesystem::path(TheWorkload().path).parent_path());
    benchmark::Shutdown();
    return 0;
}
