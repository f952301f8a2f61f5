// The change-gear search: the plain loops, dividing all 92⁴ combinations,
// against the shipped search, on the same targets in the same process.
#include <benchmark/benchmark.h>

#include "../reference/gears_reference.h"
#include "core/change_gears.h"

namespace {

struct Case {
    const char* name;
    double target;
    double tolerance;
};

constexpr Case kCases[] = {
    {"0.5/0.000001", 0.5, 0.000001},
    {"1.2345/0.0001", 1.2345, 0.0001},
    {"3.7/0.001", 3.7, 0.001},
    {"1/0", 1.0, 0.0},
};

void loops(benchmark::State& state, Case c) {
    for (auto _ : state) {
        auto r = lc::reference::gearSearch(c.target, {c.tolerance});
        benchmark::DoNotOptimize(r);
    }
}

void shipped(benchmark::State& state, Case c) {
    for (auto _ : state) {
        auto r = lc::searchChangeGears(c.target, c.tolerance);
        benchmark::DoNotOptimize(r);
    }
}

int registerAll() {
    for (const Case& c : kCases) {
        benchmark::RegisterBenchmark((std::string("loops/") + c.name).c_str(), loops, c)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("search/") + c.name).c_str(), shipped, c)
            ->Unit(benchmark::kMillisecond);
    }
    return 0;
}

const int registered = registerAll();

}  // namespace

BENCHMARK_MAIN();
