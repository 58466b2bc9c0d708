// Loading a large form-state file and reading every key once: TMemIniFile against inih parsing
// the same file into a hash map, and against a scan that only splits the bytes into lines (the
// floor for any reader). The summary line gives the time ratios measured in this run.

#include "framework/inifiles/IniFiles.h"

#include "RatioReporter.h"

#include <benchmark/benchmark.h>
#include <ini.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace {

struct Workload {
    std::string path;
    std::vector<std::pair<std::string, std::string>> keys;  // section, key: each read once
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
    return w;
}

const Workload& TheWorkload() {
    static const Workload w = MakeWorkload();
    return w;
}

void BM_TMemIniFile(benchmark::State& state) {
    const Workload& w = TheWorkload();
    for (auto _ : state) {
        framework::TMemIniFile ini(w.path);
        std::size_t total = 0;
        for (const auto& [section, key] : w.keys)
            total += ini.ReadString(section, key, "").size();
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

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

int InihHandler(void* user, const char* section, const char* name, const char* value) {
    auto& map = *static_cast<std::unordered_map<std::string, std::string>*>(user);
    std::string key = section;
    key += '\n';
    key += name;
    map.emplace(std::move(key), value);
    return 1;
}

void BM_Inih(benchmark::State& state) {
    const Workload& w = TheWorkload();
    for (auto _ : state) {
        std::unordered_map<std::string, std::string> map;
        if (ini_parse_string(ReadAll(w.path).c_str(), InihHandler, &map) != 0)
            state.SkipWithError("inih failed");
        std::size_t total = 0;
        std::string key;
        for (const auto& [section, name] : w.keys) {
            key.assign(section).append(1, '\n').append(name);
            const auto it = map.find(key);
            total += it == map.end() ? 0 : it->second.size();
        }
        benchmark::DoNotOptimize(total);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * w.bytes));
}

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

BENCHMARK(BM_TMemIniFile)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Inih)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_LineScan)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("file: %zu bytes, %zu keys\n", TheWorkload().bytes, TheWorkload().keys.size());
    reporter.PrintRatio("TMemIniFile/inih time ratio", "BM_TMemIniFile", "BM_Inih", "target < 1.00");
    reporter.PrintRatio("TMemIniFile/line scan time ratio", "BM_TMemIniFile", "BM_LineScan",
                        "no target: the floor for any reader");
    std::filesystem::remove_all(std::filesystem::path(TheWorkload().path).parent_path());
    benchmark::Shutdown();
    return 0;
}
