// lingchuan-report: the printed calculation sheet of a job file as a PDF,
// without a display.
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QStringList>
#include <cstdio>
#include <exception>
#include <iostream>
#include <string>
#include <string_view>

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
  lingchuan-report --help | --version

Writes the printed calculation sheet of a job file (the workbook document the
program saves and `lingchuan-calc run` writes) as a PDF: one A4 page for every
sheet the job holds, in the order A2, B1, C, change gears, more pages when the
change-gear list is long; the same pages the program prints. The fonts are
embedded.

  lingchuan-calc run < in.json | lingchuan-report - -o out.pdf

Exit status: 0 when the PDF was written; 2 for a bad job file or bad usage,
with one line on standard error naming what is wrong and where, and no PDF
written; 1 when the PDF could not be written.
)HELP";

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

}  // namespace

int main(int argc, char** argv) {
    // No display needed: the pages are painted into the file. Windows always
    // has its desktop, and only its own platform knows the installed fonts.
#ifndef Q_OS_WIN
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
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

    const bool fromStdin = job == "-";
    const std::string source = fromStdin ? std::string("standard input") : utf8(job);
    QFile file;
    if (fromStdin ? !file.open(stdin, QIODevice::ReadOnly) : (file.setFileName(job), !file.open(QIODevice::ReadOnly)))
        return fail(kBadInput, source + ": cannot read: " + utf8(file.errorString()));
    const QByteArray bytes = file.readAll();

    try {
        const lc::Document doc = lc::readDocument(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        bool anySheet = false;
        for (lc::SheetId id : lc::kAllSheets) anySheet = anySheet || doc.workbook.exists(id);
        if (!anySheet) return fail(kBadInput, source + ": the job holds no sheet, there is nothing to print");
        lc::report::PageOptions options;
        options.jobName = fromStdin ? QString("标准输入") : QFileInfo(job).fileName();
        options.a2Sketch = [](QPainter& p, const QRectF& area, const lc::Workbook& wb) {
            lc::report::paintBlankSketch(p, area, wb);
        };
        QString error;
        if (!lc::report::writePdf(out, doc.workbook, options, &error)) return fail(kInternal, utf8(error));
        return kOk;
    } catch (const lc::DocumentError& e) {
        return fail(kBadInput, source + ": " + (e.where.empty() ? std::string() : e.where + ": ") + e.problem);
    } catch (const std::exception& e) {
        return fail(kInternal, std::string("internal error: ") + e.what());
    }
}
