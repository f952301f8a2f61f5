// The sheet chain of the worked example, as the user walks it: sheet A2's
// calculation, its next button, sheet B1's, its next button and sheet C's.
// Every power, sine, cosine, tangent and arctangent on the way goes through
// MPFR, so this is what correct rounding costs a workbook.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "core/actions.h"
#include "core/chain_state.h"
#include "../report/worked_job.h"

namespace {

using Typed = std::vector<std::pair<std::string, std::string>>;

void run(lc::Workbook& wb, const char* action) {
    const lc::Outcome out = lc::findAction(action)->run(wb);
    if (out.kind != lc::Outcome::Kind::Done) throw std::runtime_error(std::string(action) + ": " + out.message);
}

void type(lc::Workbook& wb, lc::SheetId sheet, const Typed& texts) {
    for (const auto& [field, text] : texts) wb.sheet(sheet).setText(field, text);
}

void sheetChain(benchmark::State& state) {
    for (auto _ : state) {
        lc::Workbook wb;
        run(wb, "A1");
        type(wb, lc::SheetId::A2,
             {{"Text1", "10"}, {"Text2", "41"}, {"Text3", "2"}, {"Text5", "35"}, {"Text12", "0.4"}, {"Text17", "44.45"}});
        run(wb, "A2.Command1");
        run(wb, "A2.Command2");
        type(wb, lc::SheetId::B1, {{"Text16", "0.9"}});
        run(wb, "B1.Command1");
        run(wb, "B1.Command3");
        type(wb, lc::SheetId::C, {{"Text52", "25"}, {"Text53", "20"}, {"Text54", "28"}, {"Text55", "22"}});
        run(wb, "C.Command1");
        benchmark::DoNotOptimize(wb);
    }
}
BENCHMARK(sheetChain)->Unit(benchmark::kMillisecond);

// The chain's state of the whole worked example (the change gears too), as
// every edit in a window asks for it: each calculation run again on a copy,
// each copied text compared.
void chainState(benchmark::State& state) {
    lc::Workbook wb;
    example::perform(wb, example::workedActions());
    if (!lc::chainState(wb).allCurrent()) throw std::runtime_error("the worked example is not current");
    for (auto _ : state) benchmark::DoNotOptimize(lc::chainState(wb));
}
BENCHMARK(chainState)->Unit(benchmark::kMicrosecond);

}  // namespace
