// lingchuan-report: the printed calculation sheet of a job file as a PDF,
// without a display.
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <system_error>

#include "core/jobfile.h"
#include "report/page.h"
#include "report/sketch.h"

namespace {

constexpr int kOk = 0;
constexpr int kInternal = 1;
constexpr int kBadInput = 2;

const char* const kHelp = R"HELP(Usage:
  lingchuan-report JOB.json -o OUT.pdf
  lingchuan-report - -o OUT.pdf          (the job on standard input)
  lingchuan-report JOB.json -o -         (the PDF on standard output)
  lingchuan-report --help | --version

Writes the printed calculation sheet of a job file (the workbook document the
program saves and `lingchuan-calc run` writes) as a PDF: one A4 page for every
sheet the job holds, in the order A2, B1, C, change gears, more pages when the
change-gear list is long; the same pages the program prints. The fonts are
embedded.

  lingchuan-calc run < in.json | lingchuan-report - -o out.pdf

The job is read as the program opens it: a regular file (or standard input)
of at most 1 MiB, texts of at most 10000 characters, a change-gear list of at
most 10001 lines. A job with "actions" is refused, as the program refuses it:
run it through lingchuan-calc run first. OUT.pdf is replaced only when the
PDF is complete; OUT.pdf that is the job file itself is refused, and one that
is a device or a pipe is written to directly.

Exit status: 0 when the PDF was written; 2 for a bad job file or bad usage,
with one line on standard error naming what is wrong and where, and no PDF
written; 1 when the PDF could not be written.
)HELP";

// The PDF in memory, for a target that is not a regular file.
QByteArray pdfBytes(const lc::Workbook& wb, const lc::report::PageOptions& options) {
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    {
        QPdfWriter pdf(&buffer);
        pdf.setTitle("翎川齿轮计算单");
        pdf.setCreator("翎川");
        lc::report::setUpA4(pdf);
        lc::report::paintWorkbook(pdf, wb, options);
    }
    return buffer.data();
}

std::filesystem::path fsPath(const QString& path) { return std::filesystem::path(path.toStdU16String()); }

int fail(int status, const std::string& what) {
    std::cerr << "lingchuan-report: " << what << "\n";
    return status;
}

std::string utf8(const QString& s) { return s.toStdString(); }

// Qt's own notes (a missing runtime folder, font fallbacks) would add lines to
// the one line a failure gets; only its fatal errors are shown.
void qtMessages(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg || type == QtCriticalMsg) std::cerr << "lingchuan-report: Qt: " << utf8(text) << "\n";
}

int report(const QString& job, const QString& out) {
    const bool fromStdin = job == "-";
    const std::string source = fromStdin ? std::string("standard input") : utf8(job);
    // Only a regular file is read: a device never ends, a pipe may never
    // open. However large a file says it is, no more than the limit is read.
    if (!fromStdin && QFileInfo(job).exists() && !QFileInfo(job).isFile())
        return fail(kBadInput, source + ": not a regular file");
    std::error_code ec;
    if (!fromStdin && out != "-" && std::filesystem::equivalent(fsPath(job), fsPath(out), ec))
        return fail(kBadInput, utf8(out) + ": the output is the job file itself");
    QFile file;
    if (fromStdin ? !file.open(stdin, QIODevice::ReadOnly) : (file.setFileName(job), !file.open(QIODevice::ReadOnly)))
        return fail(kBadInput, source + ": cannot read: " + utf8(file.errorString()));
    const QByteArray bytes = file.read(static_cast<qint64>(lc::kJobFileLimits.bytes) + 1);
    if (file.error() != QFileDevice::NoError) return fail(kBadInput, source + ": cannot read: " + utf8(file.errorString()));

    try {
        const lc::Document doc = lc::readJobFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!doc.actions.empty())
            return fail(kBadInput, source + ": actions: the job holds actions; run it through lingchuan-calc run first");
        bool anySheet = false;
        for (lc::SheetId id : lc::kAllSheets) anySheet = anySheet || doc.workbook.exists(id);
        if (!anySheet) return fail(kBadInput, source + ": the job holds no sheet, there is nothing to print");
        lc::report::PageOptions options;
        options.jobName = fromStdin ? QString("标准输入") : QFileInfo(job).fileName();
        options.a2Sketch = [](QPainter& p, const QRectF& area, const lc::Workbook& wb) {
            lc::report::paintBlankSketch(p, area, wb);
        };
        // Standard output, a device or a pipe is written to as it is; a
        // regular file is replaced only by a complete PDF.
        const QFileInfo target(out);
        if (out == "-" || (target.exists() && !target.isFile() && !target.isDir())) {
            const QByteArray pdf = pdfBytes(doc.workbook, options);
            QFile sink;
            const bool written = (out == "-" ? sink.open(stdout, QIODevice::WriteOnly)
                                             : (sink.setFileName(out), sink.open(QIODevice::WriteOnly))) &&
                                 sink.write(pdf) == pdf.size() && sink.flush();
            if (!written) return fail(kInternal, (out == "-" ? std::string("standard output") : utf8(out)) +
                                                     ": cannot write: " + utf8(sink.errorString()));
            return kOk;
        }
        QString error;
        if (!lc::report::writePdf(out, doc.workbook, options, &error)) return fail(kInternal, utf8(error));
        return kOk;
    } catch (const lc::DocumentError& e) {
        return fail(kBadInput, source + ": " + (e.where.empty() ? std::string() : e.where + ": ") + e.problem);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // No display needed: the pages are painted into the file.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(qtMessages);
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        std::cout << kHelp;
        return kOk;
    }
    if (args.size() == 1 && args[0] == "--version") {
        std::cout << "lingchuan-report " << LC_VERSION << "\n";
        return kOk;
    }
    QString job, out;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if (args[i] == "-o" && i + 1 < args.size()) {
            if (!out.isEmpty()) return fail(kBadInput, "-o given twice (try --help)");
            out = args[++i];
        } else if (job.isEmpty() && (args[i] == "-" || !args[i].startsWith('-'))) {
            job = args[i];
        } else {
            return fail(kBadInput, "unexpected argument \"" + utf8(args[i]) + "\" (try --help)");
        }
    }
    if (job.isEmpty() || out.isEmpty()) return fail(kBadInput, "usage: lingchuan-report JOB.json -o OUT.pdf (try --help)");

    try {
        return report(job, out);
    } catch (const std::bad_alloc&) {
        return fail(kInternal, "out of memory");
    } catch (const std::exception& e) {
        return fail(kInternal, std::string("internal error: ") + e.what());
    }
}
