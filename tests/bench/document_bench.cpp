// A keystroke in a field of the largest job a file may hold (1 MiB): what the
// mark of unsaved work costs it. Before the job document, every keystroke
// wrote the whole workbook as a document and compared it with the saved one;
// now a keystroke compares the one field, and only the end of a field's
// typing (one step of the history) copies and compares the whole workbook.
#include <benchmark/benchmark.h>

#include <stdexcept>
#include <string>

#include "app/job_document.h"
#include "core/jobfile.h"
#include "ui/file_dialogs.h"
#include "ui/messages.h"

namespace {

// Every text field of every sheet as long as the file's limit allows.
lc::Workbook largestJob() {
    lc::Workbook wb;
    std::size_t fields = 0;
    for (lc::SheetId id : lc::kAllSheets) fields += wb.sheet(id).fieldNames().size();
    const std::size_t room = lc::kJobFileLimits.bytes - lc::writeJobFile(wb).size() - 64;
    for (lc::SheetId id : lc::kAllSheets)
        for (const std::string& f : wb.sheet(id).fieldNames()) wb.sheet(id).setText(f, std::string(room / fields, '7'));
    if (lc::writeJobFile(wb).size() < lc::kJobFileLimits.bytes * 99 / 100) throw std::logic_error("not the largest job");
    return wb;
}

void keystrokeBefore(benchmark::State& state) {
    lc::Workbook wb = largestJob();
    const std::string saved = lc::writeDocument(wb);
    std::string typed = wb.sheet(lc::SheetId::A2).text("Text1");
    for (auto _ : state) {
        typed.back() = typed.back() == '7' ? '8' : '7';
        wb.sheet(lc::SheetId::A2).setText("Text1", typed);
        benchmark::DoNotOptimize(lc::writeDocument(wb) != saved);
    }
}
BENCHMARK(keystrokeBefore)->Unit(benchmark::kMicrosecond);

struct Quiet : lc::ui::MessageService {
    void show(const QString&) override {}
};

// `endEachField`: every keystroke a field's whole typing, ended (a step).
void keystrokeNow(benchmark::State& state, bool endEachField) {
    Quiet messages;
    lc::ui::FileDialogService files(nullptr);
    lc::app::JobDocument doc(messages, files);
    doc.workbook() = largestJob();
    doc.noteChanges();
    std::string typed = doc.workbook().sheet(lc::SheetId::A2).text("Text1");
    for (auto _ : state) {
        typed.back() = typed.back() == '7' ? '8' : '7';
        doc.type(lc::SheetId::A2, "Text1", typed);
        if (endEachField) doc.typingDone();
        benchmark::DoNotOptimize(doc.isModified());
    }
}
BENCHMARK_CAPTURE(keystrokeNow, typing, false)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(keystrokeNow, fieldEnded, true)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
