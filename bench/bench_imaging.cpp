// Icon sizes of a huge file against a tiny one (only the directory is read, so the two should
// cost the same), and the constants reader against a plain line split of the same bytes.

#include "framework/rtl/Files.h"
#include "imaging/graphics_utilities.h"
#include "imaging/tool_imagelist_master.h"

#include <benchmark/benchmark.h>

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

std::string TempName(const char* name) {
    return (std::filesystem::temp_directory_path() / (std::to_string(getpid()) + name)).string();
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

void IconSizes(benchmark::State& state) {
    const std::string& file = IconFile(static_cast<std::uintmax_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(lm7::IconsizesInAnIconfile(file, 32, {16, 32, 48, 256}));
    state.SetLabel(state.range(0) < 4096 ? "1 KB file" : "50 MB file");
}
BENCHMARK(IconSizes)->Arg(1024)->Arg(50 << 20);

const std::string& ConstsFile() {
    static std::string name;
    if (name.empty()) {
        name = TempName("-consts.pas");
        std::string text = "unit x;\n{ Master_ImageListNumbers\n";
        for (int i = 0; text.size() < (10u << 20); ++i)
            text += "  cm_Command" + std::to_string(i) + " , cm_Other" + std::to_string(i) + " : " +
                    std::to_string(i % 900) + ";\n";
        text += "x\n// *** assumes this routine placed just after\n";
        framework::WriteFileAtomic(name, text);
    }
    return name;
}

void ConstsReader(benchmark::State& state) {
    for (auto _ : state) {
        std::unique_ptr<framework::TStringList> pairs(lm7::ComputeMASTER_16_ConstsForIcons(ConstsFile()));
        benchmark::DoNotOptimize(pairs->Count());
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
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    for (const std::string& f : {IconFile(1024), IconFile(50 << 20), ConstsFile()})
        std::filesystem::remove(f);
    return 0;
}
