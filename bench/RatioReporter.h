#pragma once
// The benchmarks' targets are ratios against a reference measured in the same run: this
// reporter keeps each benchmark's time per iteration, and PrintRatio prints one summary line.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>
#include <vector>

namespace bench {

// Sets up the library with each benchmark run as seven short repetitions, taken in turns with
// those of the other benchmarks, and their median reported. A spell of load from elsewhere on
// the host, shorter than about half a run, then slows a few repetitions of every benchmark
// rather than all of one, and the medians, and so the ratios, leave it out. Flags on the
// command line override these.
inline void Initialize(int argc, char** argv) {
    static const char* const defaults[] = {
        "--benchmark_repetitions=7",
        "--benchmark_enable_random_interleaving=true",
        "--benchmark_min_time=0.1",
        "--benchmark_display_aggregates_only=true",
    };
    char** const given = argv + std::min(argc, 1);  // after the program's name
    std::vector<char*> args(argv, given);
    for (const char* d : defaults)
        args.push_back(const_cast<char*>(d));
    args.insert(args.end(), given, argv + argc);
    args.push_back(nullptr);
    int count = static_cast<int>(args.size()) - 1;
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data()))
        std::exit(2);
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Seconds per iteration by benchmark name (without arguments): the median of the
    // repetitions when there are several, else the one run's.
    std::map<std::string, double> Seconds;

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const bool repeated = run.repetitions > 1;
            const bool wanted = repeated ? run.run_type == Run::RT_Aggregate && run.aggregate_name == "median"
                                         : run.run_type == Run::RT_Iteration;
            // A median's accumulated time is scaled so that this gives its time per iteration.
            if (wanted && !run.error_occurred && run.iterations > 0)
                Seconds[run.run_name.function_name] =
                    run.real_accumulated_time / static_cast<double>(run.iterations);
        }
        ConsoleReporter::ReportRuns(runs);
    }

    // "label: 0.83 (target)" with the time of Numerator over the time of Denominator; nothing
    // when either did not run (a filtered run).
    void PrintRatio(const char* label, const std::string& numerator, const std::string& denominator,
                    const char* target) const {
        const auto n = Seconds.find(numerator), d = Seconds.find(denominator);
        if (n == Seconds.end() || d == Seconds.end() || d->second <= 0)
            return;
        std::printf("%s: %.2f (%s)\n", label, n->second / d->second, target);
    }

    // The same against the sum of several benchmarks' times (a reference made of parts).
    void PrintRatioToSum(const char* label, const std::string& numerator,
                         const std::vector<std::string>& denominators, const char* target) const {
        const auto n = Seconds.find(numerator);
        if (n == Seconds.end() || denominators.empty())
            return;
        double sum = 0;
        for (const std::string& name : denominators) {
            const auto d = Seconds.find(name);
            if (d == Seconds.end())
                return;
            sum += d->second;
        }
        if (sum > 0)
            std::printf("%s: %.2f (%s)\n", label, n->second / sum, target);
    }
};

}  // namespace bench
