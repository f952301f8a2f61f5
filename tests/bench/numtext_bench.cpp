// Written as Double: the exact expansion of every value (the plain definition)
// against the shipped writer, over typical results and extreme values.
#include <benchmark/benchmark.h>

#include <vector>

#include "../reference/numtext_reference.h"
#include "core/numtext.h"

namespace {

// Results as the sheets show them, and the ends of the range.
const std::vector<double> kTypical{0.5, 22.7541513438883, 1.225, 35, 0.8660254037844386, 137.5, 6.35, 1.0 / 3,
                                   0.000123456789, 41.0 / 20};
const std::vector<double> kExtreme{1.7976931348623157e308, 5e-324, 2.2250738585072014e-308, 1e-300, 123456789e280,
                                   -9.87654321e-200, 1e15, 0.00009999999999999995};

template <typename Write>
void run(benchmark::State& state, const std::vector<double>& values, Write write) {
    for (auto _ : state)
        for (double v : values) benchmark::DoNotOptimize(write(v));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(values.size()));
}

std::string plain(double v) { return lc::reference::writeDouble(v); }
std::string shipped(double v) { return lc::writeDouble(v); }

void typicalPlain(benchmark::State& s) { run(s, kTypical, plain); }
void typicalShipped(benchmark::State& s) { run(s, kTypical, shipped); }
void extremePlain(benchmark::State& s) { run(s, kExtreme, plain); }
void extremeShipped(benchmark::State& s) { run(s, kExtreme, shipped); }

BENCHMARK(typicalPlain)->Name("written as Double/typical/exact expansion");
BENCHMARK(typicalShipped)->Name("written as Double/typical/shipped");
BENCHMARK(extremePlain)->Name("written as Double/extreme/exact expansion");
BENCHMARK(extremeShipped)->Name("written as Double/extreme/shipped");

}  // namespace
