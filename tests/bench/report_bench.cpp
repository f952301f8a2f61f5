// The printed calculation sheet: the four pages of the worked example painted
// into a PDF in memory.
#include <benchmark/benchmark.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QPdfWriter>

#include "../report/worked_job.h"
#include "report/page.h"

namespace {

void workedExamplePdf(benchmark::State& state) {
    lc::Workbook wb;
    example::perform(wb, example::workedActions());
    lc::report::PageOptions options;
    options.jobName = "worked-example.json";
    for (auto _ : state) {
        QBuffer buffer;
        buffer.open(QIODevice::WriteOnly);
        int pages = 0;
        {
            QPdfWriter pdf(&buffer);
            lc::report::setUpA4(pdf);
            pages = lc::report::paintWorkbook(pdf, wb, options);
        }
        if (pages != 4) state.SkipWithError("the worked example did not give four pages");
        benchmark::DoNotOptimize(buffer.data().size());
    }
}
BENCHMARK(workedExamplePdf)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
