// lingchuan-report: the printed calculation sheet of a job file as a PDF,
// without a display.
#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QPdfWriter>
#include <QStringList>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <iostream>
#include <new>
#include <string>
#include <string_view>
#include <system_error>

#include "core/jobfile.h"
#include "report/blank_dxf.h"
#include "report/page.h"
#include "report/sketch.h"

namespace {

constexpr int kOk = 0;
constexpr int kInternal = 1;
constexpr int kBadInput = 2;

const char* const kHelp = R"HELP(用法：
  lingchuan-report 计算文件.json -o 输出.pdf
  lingchuan-report - -o 输出.pdf          （从标准输入读计算文件）
  lingchuan-report 计算文件.json -o -     （PDF写到标准输出）
  lingchuan-report --dxf 输出.dxf 计算文件.json
  lingchuan-report --help | --version

把计算文件（程序保存的计算文件，或 lingchuan-calc run 的输出）的计算单写成
PDF：文件中的每张计算单一页A4，按A2、B1、C、挂轮计算的顺序，挂轮结果多时
页数随之增加；与程序打印的页面相同，字体嵌入文件中。

  lingchuan-calc run < in.json | lingchuan-report - -o out.pdf

计算文件按程序打开它的方式读取：普通文件（或标准输入），不超过1 MiB，每栏
文字不超过10000个字符，挂轮结果不超过10001行。含有待执行操作（"actions"）
的文件不接受，请先用 lingchuan-calc run 执行。输出.pdf只在PDF完整时才替换；
输出.pdf就是计算文件本身时拒绝；设备或管道直接写入。

--dxf 把计算单A2的齿坯示意图写成DXF文件（AutoCAD 2000格式）：大小轮的轴截面，
1:1，单位mm，锥顶在原点，小轮轴线沿X、大轮轴线沿Y；图层“轮廓”“中心线”
“尺寸”“文字”；尺寸文字就是计算单上的数字，标题栏有计算文件的属性。计算单A2
尚未计算或数值无法出图时，标准错误上是示意图的那一行说明，不写文件。

退出状态：0 表示文件已写出；2 表示计算文件或用法有错（或无法出图），标准错误
上有一行说明错在哪里，不写文件；1 表示文件无法写出。
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

int report(const QString& job, const QString& out, bool dxf) {
    const bool fromStdin = job == "-";
    const std::string source = fromStdin ? std::string("标准输入") : utf8(job);
    // Only a regular file is read: a device never ends, a pipe may never
    // open. However large a file says it is, no more than the limit is read.
    if (!fromStdin && QFileInfo(job).exists() && !QFileInfo(job).isFile())
        return fail(kBadInput, source + "：不是普通文件");
    std::error_code ec;
    if (!fromStdin && out != "-" && std::filesystem::equivalent(fsPath(job), fsPath(out), ec))
        return fail(kBadInput, utf8(out) + "：输出文件就是计算文件本身");
    // Qt says why a file cannot be read in English; the commonest case is
    // said here in the tool's own language.
    if (!fromStdin && !QFileInfo::exists(job)) return fail(kBadInput, source + "：文件不存在");
    QFile file;
    if (fromStdin ? !file.open(stdin, QIODevice::ReadOnly) : (file.setFileName(job), !file.open(QIODevice::ReadOnly)))
        return fail(kBadInput, source + "：无法读取：" + utf8(file.errorString()));
    const QByteArray bytes = file.read(static_cast<qint64>(lc::kJobFileLimits.bytes) + 1);
    if (file.error() != QFileDevice::NoError) return fail(kBadInput, source + "：无法读取：" + utf8(file.errorString()));

    try {
        const lc::Document doc = lc::readJobFile(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
        if (!doc.actions.empty())
            return fail(kBadInput, source + "：文件含有待执行的操作（actions），请先用 lingchuan-calc run 执行");
        bool anySheet = false;
        for (lc::SheetId id : lc::kAllSheets) anySheet = anySheet || doc.workbook.exists(id);
        if (!anySheet) return fail(kBadInput, source + "：文件中没有计算单，无可打印的内容");
        if (dxf) {
            // The blank drawing alone: written whole, or nothing and the
            // sketch's own line.
            const lc::report::DxfOutcome drawing = lc::report::blankDxf(doc.workbook);
            if (drawing.bytes.empty()) return fail(kBadInput, source + "：" + drawing.stop);
            QString error;
            if (out == "-") {
                QFile sink;
                if (sink.open(stdout, QIODevice::WriteOnly) &&
                    sink.write(drawing.bytes.data(), static_cast<qint64>(drawing.bytes.size())) ==
                        static_cast<qint64>(drawing.bytes.size()) &&
                    sink.flush())
                    return kOk;
                return fail(kInternal, "标准输出：无法写出：" + utf8(sink.errorString()));
            }
            if (!lc::report::writeDxf(out, drawing, &error)) return fail(kInternal, utf8(error));
            return kOk;
        }
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
            if (!written) return fail(kInternal, (out == "-" ? std::string("标准输出") : utf8(out)) +
                                                     "：无法写出：" + utf8(sink.errorString()));
            return kOk;
        }
        QString error;
        if (!lc::report::writePdf(out, doc.workbook, options, &error)) return fail(kInternal, utf8(error));
        return kOk;
    } catch (const lc::DocumentError& e) {
        // The program's own sentence, on one line.
        std::string why = lc::documentErrorMessage(e);
        std::replace(why.begin(), why.end(), '\n', ' ');
        return fail(kBadInput, source + "：" + why);
    }
}

}  // namespace

int main(int argc, char** argv) {
    // No display needed: the pages are painted into the file. Windows always
    // has its desktop, and only its own platform knows the installed fonts;
    // there FreeType measures them, as it does on Linux, so that a text breaks
    // at the same places in its cells on both.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
#ifdef Q_OS_WIN
        qputenv("QT_QPA_PLATFORM", "windows:fontengine=freetype");
#else
        qputenv("QT_QPA_PLATFORM", "offscreen");
#endif
    }
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
    bool dxf = false;
    for (qsizetype i = 0; i < args.size(); ++i) {
        if ((args[i] == "-o" || args[i] == "--dxf") && i + 1 < args.size()) {
            if (!out.isEmpty()) return fail(kBadInput, "-o 或 --dxf 给了两次（见 --help）");
            dxf = args[i] == "--dxf";
            out = args[++i];
        } else if (job.isEmpty() && (args[i] == "-" || !args[i].startsWith('-'))) {
            job = args[i];
        } else {
            return fail(kBadInput, "多余的参数“" + utf8(args[i]) + "”（见 --help）");
        }
    }
    if (job.isEmpty() || out.isEmpty()) return fail(kBadInput, "用法：lingchuan-report 计算文件.json -o 输出.pdf（见 --help）");

    try {
        return report(job, out, dxf);
    } catch (const std::bad_alloc&) {
        return fail(kInternal, "内存不足");
    } catch (const std::exception& e) {
        return fail(kInternal, std::string("内部错误：") + e.what());
    }
}
