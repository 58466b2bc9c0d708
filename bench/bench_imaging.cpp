// Icon sizes of a huge file against a tiny one (only the directory is read, so the two should
// cost the same), and the constants reader against a plain line split of the same bytes.

#include "RatioReporter.h"
#include "framework/rtl/Files.h"
#include "imaging/graphics_utilities.h"
#include "imaging/tool_imagelist_master.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <unistd.h>

namespace {

// The files this run made, removed at its end.
std::vector<std::string>& MadeFiles() {
    static std::vector<std::string> files;
    return files;
}

std::string TempName(const char* name) {
    MadeFiles().push_back(
        (std::filesystem::temp_directory_path() / (std::to_string(getpid()) + name)).string());
    return MadeFiles().back();
}

// An icon file of that many bytes: a real directory of four entries, then filler.
const std::string& IconFile(std::uintmax_t bytes) {
    static std::string small, large;
    std::string& name = bytes < 4096 ? small : large;
    if (name.empty()) {
        name = TempName(bytes < 4096 ? "-small.ico" : "-large.ico");
        std::string ico("\0\0\1\0\4\0", 6);
        for (int w : {16, 32, 48, 0}) {
            ico += std::string{static_cast<char>(w), static_cast<char>(w), 0, 0, 1, 0, 32, 0};
            ico += std::string(8, '\0');
        }
        ico.resize(static_cast<std::size_t>(std::min<std::uintmax_t>(bytes, 1 << 20)), 'x');
        framework::WriteFileAtomic(name, ico);
        std::filesystem::resize_file(name, bytes);
    }
    return name;
}

void IconSizes(benchmark::State& state, std::uintmax_t bytes) {
    const std::string& file = IconFile(bytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(lm7::IconsizesInAnIconfile(file, 32, {16, 32, 48, 256}));
}
// Two benchmarks rather than two arguments, so that the summary tells their times apart.
void IconSizesSmallFile(benchmark::State& state) { IconSizes(state, 1024); }
void IconSizesLargeFile(benchmark::State& state) { IconSizes(state, std::uintmax_t{50} << 20); }
BENCHMARK(IconSizesSmallFile);
BENCHMARK(IconSizesLargeFile);

const std::string& ConstsFile() {
    static std::string name;
    if (name.empty()) {
        name = TempName("-consts.pas");
        std::string text = "unit x;\n{ Master_ImageListNumbers\n";
        for (int i = 0; text.size() < (10u << 20); ++i)
            text += "  cm_Command" + std::to_string(i) + " , cm_Other" + std::to_string(i) + " : " +
                    std::to_string(i % 900) + "\n";
        text += "x\n// *** assumes this routine placed just after\n";
        // Entries as the master list writes them (no ';' after the number), so that every
        // line yields its two pairs and the benchmark measures the building of the result.
        framework::WriteFileAtomic(name, text);
    }
    return name;
}

void ConstsReader(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<framework::TStringList> pairs(lm7::ComputeMASTER_16_ConstsForIcons(ConstsFile()));
        benchmark::DoNotOptimize(pairs->Count());
        state.counters["pairs"] = pairs->Count();
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(framework::FileSize(ConstsFile())));
}
BENCHMARK(ConstsReader)->Unit(benchmark::kMillisecond);

// The reference: read the same bytes and cut them into lines, nothing more.
void PlainLineSplit(benchmark::State& state) {
    for (auto _ : state) {
        const std::string text = framework::ReadFileToString(ConstsFile());
        std::vector<std::string_view> lines;
        std::string_view rest(text);
        for (std::size_t nl; (nl = rest.find('\n')) != std::string_view::npos; rest.remove_prefix(nl + 1))
            lines.push_back(rest.substr(0, nl));
        benchmark::DoNotOptimize(lines.data());
    }
    state.SetBytesProcessed(state.iterations() *
                            static_cast<std::int64_t>(framework::FileSize(ConstsFile())));
}
BENCHMARK(PlainLineSplit)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    bench::Initialize(argc, argv);
    bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    reporter.PrintRatio("icon sizes, 50 MB file against 1 KB file", "IconSizesLargeFile",
                        "IconSizesSmallFile", "target: about 1");
    reporter.PrintRatio("constants reader against plain line split", "ConstsReader", "PlainLineSplit",
                        "target: at most 5");
    for (const std::string& f : MadeFiles())
        std::filesystem::remove(f);
    return 0;
}
